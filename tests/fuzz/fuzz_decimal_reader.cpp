// Fuzzes the decimal reader against the host's strtod, which rounds correctly: digits and
// exponents from the input, and the hard cases made from a double the input names, the exact
// halfway point between it and the next double up, a unit below or above it in a far digit,
// or cut short.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "core/decimal_reader.h"

namespace {

static_assert(std::numeric_limits<long double>::digits >= 64, "halfway points need 54 bits and more of exponent");

constexpr int kExactDigits = 800;  // more than any halfway point of doubles has
constexpr int kExponentSpan = 800;
constexpr size_t kDoubleBytes = sizeof(double);

enum Kind : uint8_t { kDigits, kHalfway, kBelowHalfway, kAboveHalfway, kCutHalfway, kKinds };

void Check(const std::string& digits, int64_t exponent) {
    const std::string text = digits + "e" + std::to_string(exponent);
    const double expected = std::strtod(text.c_str(), nullptr);
    const double read = zelvane::DoubleFromDecimal(digits, exponent);
    if (std::memcmp(&expected, &read, sizeof read) != 0) {
        std::fprintf(stderr, "%s: strtod %a, read %a\n", text.c_str(), expected, read);
        __builtin_trap();
    }
}

// The exact decimal digits of the point halfway between `value` and the next double up, to
// its last digit (a 5), with the power of ten of that digit.
bool Halfway(double value, std::string& digits, int64_t& exponent) {
    if (!std::isfinite(value) || value < 0 || value == std::numeric_limits<double>::max())
        return false;
    const long double halfway = (static_cast<long double>(value) +
                                 static_cast<long double>(std::nextafter(value, std::numeric_limits<double>::infinity()))) /
                                2;
    char text[kExactDigits + 32];
    std::snprintf(text, sizeof text, "%.*Le", kExactDigits, halfway);
    const char* e = std::strchr(text, 'e');
    digits.assign(1, text[0]);
    digits.append(text + 2, static_cast<size_t>(e - (text + 2)));
    exponent = std::strtoll(e + 1, nullptr, 10) - kExactDigits;
    const size_t last = digits.find_last_not_of('0');
    exponent += static_cast<int64_t>(digits.size() - 1 - last);
    digits.resize(last + 1);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3)
        return 0;
    const auto kind = static_cast<Kind>(data[0] % kKinds);
    const int64_t exponent = static_cast<int64_t>((data[1] << 8) | data[2]) % (2 * kExponentSpan) - kExponentSpan;
    data += 3;
    size -= 3;
    if (kind == kDigits) {
        std::string digits;
        for (size_t i = 0; i < size; ++i)
            digits += static_cast<char>('0' + data[i] % 10);
        Check(digits, exponent);
        return 0;
    }
    if (size < kDoubleBytes)
        return 0;
    double value;
    std::memcpy(&value, data, kDoubleBytes);
    std::string digits;
    int64_t halfwayExponent = 0;
    if (!Halfway(std::fabs(value), digits, halfwayExponent))
        return 0;
    const size_t place = size > kDoubleBytes ? data[kDoubleBytes] % digits.size() : digits.size() - 1;
    switch (kind) {
        case kBelowHalfway:  // one less in the last digit: the last digit of a halfway point is 5
            digits.back() = static_cast<char>(digits.back() - 1);
            break;
        case kAboveHalfway:  // one more far beyond the last digit
            digits += std::string(static_cast<size_t>(exponent < 0 ? -exponent : exponent), '0') + "1";
            halfwayExponent -= (exponent < 0 ? -exponent : exponent) + 1;
            break;
        case kCutHalfway:
            halfwayExponent += static_cast<int64_t>(digits.size() - place - 1);
            digits.resize(place + 1);
            break;
        default:
            break;
    }
    Check(digits, halfwayExponent);
    return 0;
}
