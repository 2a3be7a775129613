// Decimal to double, correctly rounded: one exact operation where the digits and the power
// of ten are both exact doubles; elsewhere an estimate in doubles, put right by comparing the
// decimal value exactly, in big integers, with the halfway points between the estimate and
// its neighbours.
#include "core/decimal_reader.h"

#include <cstring>
#include <limits>

namespace zelvane {
namespace {

constexpr int kSignificandBits = 52;  // stored below the hidden bit
constexpr uint64_t kHiddenBit = uint64_t{1} << kSignificandBits;
constexpr uint64_t kStoredSignificandMask = kHiddenBit - 1;
// A double with biased exponent E ≥ 1 is (hidden bit + stored bits) × 2^(E − 1075); the
// subnormals (E = 0) are the stored bits × 2^−1074.
constexpr int64_t kExponentBias = 1075;
constexpr int64_t kLowestBinaryExponent = -1074;
constexpr uint64_t kInfinityBits = uint64_t{0x7FF} << kSignificandBits;

// A number below 2^53 is an exact double, and so are the powers of ten up to 10^22: their
// product or quotient is then rounded once, correctly.
constexpr uint64_t kLargestExactInteger = uint64_t{1} << 53;
constexpr int kLargestExactPower = 22;
constexpr double kExactPowersOfTen[kLargestExactPower + 1] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kDigitsInUint64 = 19;

// 0.d… × 10^scale is at least 10^(scale − 1): from a scale of 310 beyond the largest double
// (1.8 × 10^308) and its halfway point to 2^1024. It is below 10^scale: from −324 less than half
// the smallest subnormal (4.9 × 10^−324), which rounds to 0.
constexpr int64_t kInfiniteScale = 310;
constexpr int64_t kZeroScale = -324;
// Exponents are clamped far beyond those scales, where adding a count of digits cannot overflow.
constexpr int64_t kExponentClamp = int64_t{1} << 62;

// A halfway point between neighbouring doubles has at most 767 significant digits. Two texts
// that agree in their first 800 and both go on with more lie between the same two multiples
// of their 800th digit's unit, where no halfway point lies: they round alike. Digits past the
// 800th are therefore read as one digit 1 after it.
constexpr size_t kSignificantDigits = 800;

constexpr int kDecimalRadix = 10;
constexpr int kDigitsPerWord = 9;
constexpr uint32_t kPowersOfTen[kDigitsPerWord + 1] = {1,      10,      100,      1000,      10000,
                                                       100000, 1000000, 10000000, 100000000, 1000000000};
constexpr int kWordBits = 32;

// A non-negative integer of up to 4096 bits. The largest compared below is under 2^3800: 801
// digits (2^2661) times 2^1076 for the smallest halfway points, or 2^55 times 10^1125 (2^3738)
// for the digits of those points.
class BigNumber {
public:
    explicit BigNumber(uint64_t value) {
        words_[0] = static_cast<uint32_t>(value);
        words_[1] = static_cast<uint32_t>(value >> kWordBits);
        size_ = words_[1] ? 2 : words_[0] ? 1 : 0;
    }

    // this × factor + addend
    void MulAdd(uint32_t factor, uint32_t addend) {
        uint64_t carry = addend;
        for (int i = 0; i < size_; ++i) {
            const uint64_t product = static_cast<uint64_t>(words_[i]) * factor + carry;
            words_[i] = static_cast<uint32_t>(product);
            carry = product >> kWordBits;
        }
        if (carry && size_ < kWords)
            words_[size_++] = static_cast<uint32_t>(carry);
    }

    void MulPowerOfTen(int64_t power) {
        for (; power >= kDigitsPerWord; power -= kDigitsPerWord)
            MulAdd(kPowersOfTen[kDigitsPerWord], 0);
        if (power > 0)
            MulAdd(kPowersOfTen[power], 0);
    }

    void ShiftLeft(int64_t bits) {
        if (size_ == 0 || bits <= 0)
            return;
        const int wordShift = static_cast<int>(bits / kWordBits);
        const int bitShift = static_cast<int>(bits % kWordBits);
        const int newSize = size_ + wordShift + 1 <= kWords ? size_ + wordShift + 1 : kWords;
        for (int i = newSize - 1; i >= 0; --i) {
            const int from = i - wordShift;
            const uint32_t high = from >= 0 && from < size_ ? words_[from] : 0;
            const uint32_t low = from >= 1 && from - 1 < size_ ? words_[from - 1] : 0;
            words_[i] = bitShift ? (high << bitShift) | (low >> (kWordBits - bitShift)) : high;
        }
        size_ = newSize;
        while (size_ > 0 && words_[size_ - 1] == 0)
            --size_;
    }

    friend int Compare(const BigNumber& a, const BigNumber& b) {
        if (a.size_ != b.size_)
            return a.size_ < b.size_ ? -1 : 1;
        for (int i = a.size_ - 1; i >= 0; --i)
            if (a.words_[i] != b.words_[i])
                return a.words_[i] < b.words_[i] ? -1 : 1;
        return 0;
    }

private:
    static constexpr int kWords = 128;
    uint32_t words_[kWords] = {};
    int size_ = 0;
};

// Digits × 10^exponent as an exact integer and a power of ten.
struct Decimal {
    BigNumber digits{0};
    int64_t exponent = 0;
};

// A double's value as significand × 2^exponent.
struct Binary {
    uint64_t significand;
    int64_t exponent;
};

uint64_t BitsOf(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double DoubleOf(uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

Binary BinaryOf(uint64_t bits) {
    const auto biased = static_cast<int64_t>(bits >> kSignificandBits);
    const uint64_t stored = bits & kStoredSignificandMask;
    if (biased == 0)
        return {stored, kLowestBinaryExponent};
    return {stored | kHiddenBit, biased - kExponentBias};
}

// The sign of decimal − significand × 2^exponent.
int CompareWith(const Decimal& decimal, uint64_t significand, int64_t exponent) {
    BigNumber left = decimal.digits;
    BigNumber right(significand);
    if (decimal.exponent > 0)
        left.MulPowerOfTen(decimal.exponent);
    else
        right.MulPowerOfTen(-decimal.exponent);
    if (exponent > 0)
        right.ShiftLeft(exponent);
    else
        left.ShiftLeft(-exponent);
    return Compare(left, right);
}

uint64_t ValueOfDigits(std::string_view digits) {
    uint64_t value = 0;
    for (char c : digits)
        value = value * kDecimalRadix + static_cast<uint64_t>(c - '0');
    return value;
}

// value × 10^power in doubles: within some tens of units in the last place of the result.
double ScaledEstimate(double value, int64_t power) {
    for (; power > kLargestExactPower; power -= kLargestExactPower)
        value *= kExactPowersOfTen[kLargestExactPower];
    for (; power < -kLargestExactPower; power += kLargestExactPower)
        value /= kExactPowersOfTen[kLargestExactPower];
    return power >= 0 ? value * kExactPowersOfTen[power] : value / kExactPowersOfTen[-power];
}

// The double nearest to the decimal, found from a finite, non-negative estimate by stepping
// to a neighbour while the decimal lies beyond the halfway point towards it.
double Nearest(const Decimal& decimal, double estimate) {
    uint64_t bits = BitsOf(estimate);
    for (;;) {
        const Binary b = BinaryOf(bits);
        const bool odd = (b.significand & 1) != 0;
        // The halfway point up: (2m + 1) × 2^(e − 1).
        const int above = CompareWith(decimal, 2 * b.significand + 1, b.exponent - 1);
        if (above > 0) {
            if (++bits == kInfinityBits)
                return DoubleOf(bits);
            continue;
        }
        if (above == 0)
            return DoubleOf(odd ? bits + 1 : bits);
        if (bits == 0)
            return 0;
        // The halfway point down; below a power of two the doubles lie twice as close.
        const bool closerBelow = b.significand == kHiddenBit && b.exponent > kLowestBinaryExponent;
        const int below = closerBelow ? CompareWith(decimal, 4 * b.significand - 1, b.exponent - 2)
                                      : CompareWith(decimal, 2 * b.significand - 1, b.exponent - 1);
        if (below < 0) {
            --bits;
            continue;
        }
        return DoubleOf(below == 0 && odd ? bits - 1 : bits);
    }
}

}  // namespace

double DoubleFromDecimal(std::string_view digits, int64_t exponent) {
    const size_t first = digits.find_first_not_of('0');
    if (first == std::string_view::npos)
        return 0;
    const size_t last = digits.find_last_not_of('0');
    const std::string_view significant = digits.substr(first, last - first + 1);
    const auto count = static_cast<int64_t>(significant.size());
    const auto trailingZeros = static_cast<int64_t>(digits.size() - 1 - last);
    exponent = exponent > kExponentClamp ? kExponentClamp : exponent < -kExponentClamp ? -kExponentClamp : exponent;
    // The value is 0.<significant> × 10^scale.
    const int64_t scale = exponent + trailingZeros + count;
    if (scale >= kInfiniteScale)
        return std::numeric_limits<double>::infinity();
    if (scale <= kZeroScale)
        return 0;

    const size_t leading = significant.size() < kDigitsInUint64 ? significant.size() : kDigitsInUint64;
    const uint64_t leadingValue = ValueOfDigits(significant.substr(0, leading));
    const int64_t leadingExponent = scale - static_cast<int64_t>(leading);
    if (count <= kDigitsInUint64 && leadingValue <= kLargestExactInteger &&
        leadingExponent >= -kLargestExactPower && leadingExponent <= kLargestExactPower)
        return ScaledEstimate(static_cast<double>(leadingValue), leadingExponent);

    Decimal decimal;
    const size_t kept = significant.size() < kSignificantDigits ? significant.size() : kSignificantDigits;
    for (size_t i = 0; i < kept; i += kDigitsPerWord) {
        const size_t chunk = kept - i < kDigitsPerWord ? kept - i : kDigitsPerWord;
        decimal.digits.MulAdd(kPowersOfTen[chunk], static_cast<uint32_t>(ValueOfDigits(significant.substr(i, chunk))));
    }
    decimal.exponent = scale - static_cast<int64_t>(kept);
    if (kept < significant.size()) {
        decimal.digits.MulAdd(kDecimalRadix, 1);
        --decimal.exponent;
    }

    double estimate = ScaledEstimate(static_cast<double>(leadingValue), leadingExponent);
    if (estimate > std::numeric_limits<double>::max())
        estimate = std::numeric_limits<double>::max();
    return Nearest(decimal, estimate);
}

}  // namespace zelvane
