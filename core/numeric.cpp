// Half-to-even conversions, checked integer arithmetic and the numeric value of a text.
#include "core/numeric.h"

#include <cmath>
#include <limits>
#include <string>

#include "core/decimal_reader.h"

namespace zelvane {

namespace {

constexpr double kHalf = 0.5;
constexpr int kDecimalRadix = 10;
constexpr int kHexRadix = 16;
constexpr int kOctalRadix = 8;
constexpr int kLetterDigitBase = 10;  // value of the hexadecimal digit A

// Exponents are clamped here while they are read: far beyond anything a double holds,
// far below the point where the 64-bit sum with the digit count could overflow.
constexpr int64_t kExponentCap = 1'000'000'000'000'000;

template <typename Int>
Int ToInteger(double value) {
    const double rounded = RoundHalfEven(value);
    // Written so that NaN fails the test as well.
    if (!(rounded >= static_cast<double>(std::numeric_limits<Int>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<Int>::max())))
        RaiseOverflow();
    return static_cast<Int>(rounded);
}

int16_t Narrow16(int64_t value) {
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        RaiseOverflow();
    return static_cast<int16_t>(value);
}

// A carriage return is not among them: it ends the number like any other character.
bool IsIgnoredBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

// The value of a digit in any radix up to 16, or -1.
int DigitValue(char c) {
    if (IsDecimalDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + kLetterDigitBase;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + kLetterDigitBase;
    return -1;
}

// The characters of a text with the ignored blanks left out, one at a time.
class BlankSkippingReader {
public:
    explicit BlankSkippingReader(std::string_view text) : text_(text) { SkipBlanks(); }

    char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
    void Advance() {
        ++pos_;
        SkipBlanks();
    }

private:
    void SkipBlanks() {
        while (pos_ < text_.size() && IsIgnoredBlank(text_[pos_]))
            ++pos_;
    }

    std::string_view text_;
    size_t pos_ = 0;
};

// Hexadecimal and octal digits. Accumulated in double: a long run of digits ends in
// infinity instead of wrapping round, and the converters then raise Overflow.
double RadixValue(BlankSkippingReader& reader, int radix) {
    double value = 0;
    for (int digit = DigitValue(reader.Peek()); digit >= 0 && digit < radix; digit = DigitValue(reader.Peek())) {
        value = value * radix + digit;
        reader.Advance();
    }
    return value;
}

// The value 0.<digits> × 10^exponent, correctly rounded.
double ComposeDecimal(const std::string& digits, int64_t pointPosition, int64_t exponent) {
    return DoubleFromDecimal(digits, exponent + pointPosition - static_cast<int64_t>(digits.size()));
}

void ReadDigitsInto(BlankSkippingReader& reader, std::string& digits) {
    while (IsDecimalDigit(reader.Peek())) {
        digits += reader.Peek();
        reader.Advance();
    }
}

double DecimalValue(BlankSkippingReader& reader) {
    bool negative = false;
    if (reader.Peek() == '+' || reader.Peek() == '-') {
        negative = reader.Peek() == '-';
        reader.Advance();
    }

    std::string digits;
    ReadDigitsInto(reader, digits);
    const auto pointPosition = static_cast<int64_t>(digits.size());
    if (reader.Peek() == '.') {
        reader.Advance();
        ReadDigitsInto(reader, digits);
    }

    int64_t exponent = 0;
    const char marker = reader.Peek();
    if (marker == 'E' || marker == 'e') {
        reader.Advance();
        bool negativeExponent = false;
        if (reader.Peek() == '+' || reader.Peek() == '-') {
            negativeExponent = reader.Peek() == '-';
            reader.Advance();
        }
        while (IsDecimalDigit(reader.Peek())) {
            if (exponent < kExponentCap)
                exponent = exponent * kDecimalRadix + (reader.Peek() - '0');
            reader.Advance();
        }
        if (negativeExponent)
            exponent = -exponent;
    }

    const double magnitude = ComposeDecimal(digits, pointPosition, exponent);
    return negative && magnitude != 0 ? -magnitude : magnitude;
}

}  // namespace

double RoundHalfEven(double value) {
    if (!std::isfinite(value))
        return value;
    const double below = std::floor(value);
    const double fraction = value - below;  // exact for every finite double
    if (fraction > kHalf)
        return below + 1;
    if (fraction < kHalf)
        return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

int16_t ToInt16(double value) {
    return ToInteger<int16_t>(value);
}

int32_t ToInt32(double value) {
    return ToInteger<int32_t>(value);
}

int16_t CheckedAdd16(int32_t a, int32_t b) {
    return Narrow16(static_cast<int64_t>(a) + b);
}

int16_t CheckedMul16(int32_t a, int32_t b) {
    return Narrow16(static_cast<int64_t>(a) * b);
}

int32_t CheckedAdd32(int64_t a, int64_t b) {
    int32_t result = 0;
    if (__builtin_add_overflow(a, b, &result))
        RaiseOverflow();
    return result;
}

int32_t CheckedSub32(int64_t a, int64_t b) {
    int32_t result = 0;
    if (__builtin_sub_overflow(a, b, &result))
        RaiseOverflow();
    return result;
}

int32_t CheckedMul32(int64_t a, int64_t b) {
    int32_t result = 0;
    if (__builtin_mul_overflow(a, b, &result))
        RaiseOverflow();
    return result;
}

int32_t IntDiv32(int32_t a, int32_t b) {
    if (b == 0)
        RaiseDivisionByZero();
    if (a == std::numeric_limits<int32_t>::min() && b == -1)
        RaiseOverflow();
    return a / b;
}

double CheckedFinite(double value) {
    if (!std::isfinite(value))
        RaiseOverflow();
    return value;
}

double CheckedDivide(double numerator, double denominator) {
    if (denominator == 0)
        RaiseDivisionByZero();
    return CheckedFinite(numerator / denominator);
}

double NumericValue(std::string_view text) {
    BlankSkippingReader reader(text);
    if (reader.Peek() != '&')
        return DecimalValue(reader);

    reader.Advance();
    const char prefix = reader.Peek();
    if (prefix == 'H' || prefix == 'h') {
        reader.Advance();
        return RadixValue(reader, kHexRadix);
    }
    if (prefix == 'O' || prefix == 'o') {
        reader.Advance();
        return RadixValue(reader, kOctalRadix);
    }
    return 0;
}

}  // namespace zelvane
