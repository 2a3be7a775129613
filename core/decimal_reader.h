// The double nearest to a decimal number, read without the C library: its strtod is most of
// the runtime linked into the executable, and it reads the decimal point from a locale that
// any module of the process may change.
#pragma once

#include <cstdint>
#include <string_view>

namespace zelvane {

// The double nearest to digits × 10^exponent, a value halfway between two doubles going to
// the one with the even last bit: infinity beyond the largest double, subnormals and 0 below
// the smallest normal one. `digits` holds decimal digits only, any number of them, leading
// and trailing zeros included; no digits or only zeros give 0. Any exponent is accepted.
double DoubleFromDecimal(std::string_view digits, int64_t exponent);

}  // namespace zelvane
