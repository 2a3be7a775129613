// Number conversions of the program: nearest integer with halves to even, checked
// 16/32-bit arithmetic, and the numeric value of a text.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/runtime_error.h"

// The tested arithmetic is IEEE double in SSE2 registers; x87's 80-bit registers round
// comparisons and halves differently.
#if defined(__i386__) && !defined(__SSE2_MATH__)
#error "32-bit x86 builds compute doubles with SSE2: compile with -msse2 -mfpmath=sse"
#endif

namespace zelvane {

// Nearest integer, halves to the even neighbour; out of range or NaN raises Overflow.
int16_t ToInt16(double value);
int32_t ToInt32(double value);

// Checked integer arithmetic; a result outside the type raises Overflow.
int16_t CheckedAdd16(int32_t a, int32_t b);
int16_t CheckedMul16(int32_t a, int32_t b);
int32_t CheckedAdd32(int64_t a, int64_t b);
int32_t CheckedSub32(int64_t a, int64_t b);
int32_t CheckedMul32(int64_t a, int64_t b);

// Integer division truncated toward zero; a zero divisor raises Division by zero.
int32_t IntDiv32(int32_t a, int32_t b);

// A finite double or Overflow (for quotients and sums that must stay numbers).
double CheckedFinite(double value);

// The nearest whole number, halves to the even neighbour, whatever the FPU's rounding
// mode; non-finite values come back unchanged.
double RoundHalfEven(double value);

// A floating-point quotient: a zero divisor raises Division by zero, a result that is
// no finite number raises Overflow.
double CheckedDivide(double numerator, double denominator);

// The number at the start of a text: blanks, tabs and LF ignored wherever they stand
// (a CR is not); optional sign, digits, fraction and exponent (E or e only), or &H / &O followed by
// hexadecimal / octal digits; reading stops at the first character that cannot
// continue the number; 0 without a number. Never raises: huge values come back as
// large doubles (or infinity) and fail later when converted.
double NumericValue(std::string_view text);

}  // namespace zelvane
