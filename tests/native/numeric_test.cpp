// Half-to-even conversions, checked arithmetic and the numeric value of a text.
#include "core/numeric.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <clocale>
#include <cmath>
#include <iomanip>
#include <limits>
#include <ostream>
#include <string>

#include "tests/native/raised_error.h"

namespace zelvane {
namespace {

using test::RaisedError;

constexpr int32_t kMax32 = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin32 = std::numeric_limits<int32_t>::min();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct RoundCase {
    double value;
    int32_t expected;
};

std::ostream& operator<<(std::ostream& out, const RoundCase& c) {
    return out << std::setprecision(17) << c.value;
}

class ToInt32Rounding : public ::testing::TestWithParam<RoundCase> {};

TEST_P(ToInt32Rounding, GoesToNearestWithHalvesToEven) {
    EXPECT_EQ(ToInt32(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table,
                         ToInt32Rounding,
                         ::testing::Values(RoundCase{0.5, 0},
                                           RoundCase{1.5, 2},
                                           RoundCase{2.5, 2},
                                           RoundCase{-0.5, 0},
                                           RoundCase{-1.5, -2},
                                           RoundCase{-2.5, -2},
                                           RoundCase{2.4999999, 2},
                                           RoundCase{2.5000001, 3},
                                           RoundCase{4822.5, 4822},
                                           RoundCase{4927.5, 4928},
                                           RoundCase{2147483646.5, 2147483646},
                                           RoundCase{2147483647.0, kMax32},
                                           RoundCase{-2147483648.5, kMin32},
                                           RoundCase{-2147483648.0, kMin32}));

TEST(ToInt32, RaisesOverflowWhenTheRoundedValueDoesNotFit) {
    for (const double value : {2147483647.5, 2147483648.0, -2147483648.51, -2147483649.5, 1e300, kNaN, kInf, -kInf})
        EXPECT_EQ(RaisedError([value] { (void)ToInt32(value); }), kErrOverflow) << std::setprecision(17) << value;
}

TEST(ToInt16, RoundsHalvesToEvenAndRaisesOutsideSixteenBits) {
    EXPECT_EQ(ToInt16(772.5), 772);
    EXPECT_EQ(ToInt16(360.5), 360);
    EXPECT_EQ(ToInt16(32766.5), 32766);
    EXPECT_EQ(ToInt16(-32768.5), -32768);
    EXPECT_EQ(RaisedError([] { (void)ToInt16(32767.5); }), kErrOverflow);
    EXPECT_EQ(RaisedError([] { (void)ToInt16(-32769.0); }), kErrOverflow);
    EXPECT_EQ(RaisedError([] { (void)ToInt16(kNaN); }), kErrOverflow);
}

TEST(RoundHalfEven, DoesNotDependOnTheFloatingPointRoundingMode) {
    const int saved = std::fegetround();
    std::fesetround(FE_UPWARD);
    const double upward = RoundHalfEven(2.5);
    std::fesetround(FE_DOWNWARD);
    const double downward = RoundHalfEven(3.5);
    std::fesetround(saved);
    EXPECT_EQ(upward, 2.0);
    EXPECT_EQ(downward, 4.0);
}

TEST(RuntimeErrors, CarryTheirNumbersAndTexts) {
    try {
        RaiseOverflow();
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number, 6);
        EXPECT_STREQ(error.description, "Overflow");
    }
    try {
        RaiseDivisionByZero();
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number, 11);
        EXPECT_STREQ(error.description, "Division by zero");
    }
    EXPECT_STREQ(RuntimeErrorDescription(kErrOutOfMemory), "Out of memory");
}

TEST(CheckedArithmetic, RaisesOverflowAtTheEdgesOfEachWidth) {
    EXPECT_EQ(CheckedMul16(4, 15), 60);
    EXPECT_EQ(CheckedAdd16(32766, 1), 32767);
    EXPECT_EQ(RaisedError([] { (void)CheckedAdd16(32767, 1); }), kErrOverflow);
    EXPECT_EQ(RaisedError([] { (void)CheckedAdd16(-32768, -1); }), kErrOverflow);
    EXPECT_EQ(RaisedError([] { (void)CheckedMul16(4, 10000); }), kErrOverflow);

    EXPECT_EQ(CheckedMul32(-65536, 32768), kMin32);
    EXPECT_EQ(RaisedError([] { (void)CheckedMul32(65536, 32768); }), kErrOverflow);
    EXPECT_EQ(RaisedError([] { (void)CheckedAdd32(kMax32, 1); }), kErrOverflow);
    EXPECT_EQ(RaisedError([] { (void)CheckedSub32(kMin32, 1); }), kErrOverflow);
    // Arguments that would overflow even 64-bit arithmetic.
    constexpr int64_t kMax64 = std::numeric_limits<int64_t>::max();
    EXPECT_EQ(RaisedError([] { (void)CheckedAdd32(kMax64, kMax64); }), kErrOverflow);
    EXPECT_EQ(RaisedError([] { (void)CheckedMul32(kMax64, kMax64); }), kErrOverflow);
}

TEST(CheckedArithmetic, DivisionTruncatesAndRaisesOnZeroOrOverflow) {
    EXPECT_EQ(IntDiv32(1001, 2), 500);
    EXPECT_EQ(IntDiv32(-1001, 2), -500);
    EXPECT_EQ(RaisedError([] { (void)IntDiv32(1, 0); }), kErrDivisionByZero);
    EXPECT_EQ(RaisedError([] { (void)IntDiv32(kMin32, -1); }), kErrOverflow);
    EXPECT_EQ(RaisedError([] { (void)CheckedDivide(1, 0); }), kErrDivisionByZero);
    EXPECT_EQ(RaisedError([] { (void)CheckedDivide(1e300, 1e-300); }), kErrOverflow);
    EXPECT_EQ(RaisedError([] { (void)CheckedFinite(kNaN); }), kErrOverflow);
}

struct TextCase {
    const char* text;
    double expected;
};

std::ostream& operator<<(std::ostream& out, const TextCase& c) {
    return out << ::testing::PrintToString(std::string(c.text));
}

class NumericValueOf : public ::testing::TestWithParam<TextCase> {};

TEST_P(NumericValueOf, ReadsTheNumberAtTheStart) {
    EXPECT_DOUBLE_EQ(NumericValue(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

// Any module of the process may set the C runtime's locale: one with a decimal comma
// must change no value of the table ("1.5" read as 1 would).
TEST_P(NumericValueOf, ReadsTheSameWhenAModuleSetsADecimalComma) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    bool comma = false;
    for (const char* name : {"German", "de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"}) {
        if (std::setlocale(LC_NUMERIC, name) && *std::localeconv()->decimal_point == ',') {
            comma = true;
            break;
        }
    }
#ifdef _WIN32
    EXPECT_TRUE(comma) << "every Windows C runtime knows German";
#endif
    const double value = NumericValue(GetParam().text);
    std::setlocale(LC_NUMERIC, saved.c_str());
    if (comma) {
        EXPECT_DOUBLE_EQ(value, GetParam().expected) << '"' << GetParam().text << '"';
    }
}

INSTANTIATE_TEST_SUITE_P(Table,
                         NumericValueOf,
                         ::testing::Values(TextCase{"", 0},
                                           TextCase{"abc", 0},
                                           TextCase{"123", 123},
                                           TextCase{"1 2 3", 123},
                                           TextCase{"\t1\n2\r3 ", 12},
                                           TextCase{"\r7", 0},
                                           TextCase{"  -42", -42},
                                           TextCase{"- 4 2", -42},
                                           TextCase{"+7", 7},
                                           TextCase{"--5", 0},
                                           TextCase{"-", 0},
                                           TextCase{"3.25", 3.25},
                                           TextCase{".5", 0.5},
                                           TextCase{"1.", 1},
                                           TextCase{"1.2.3", 1.2},
                                           TextCase{"0.1", 0.1},
                                           TextCase{"1E3", 1000},
                                           TextCase{"1.5e-2", 0.015},
                                           TextCase{"2D2", 2},
                                           TextCase{"1d3", 1},
                                           TextCase{"2 e - 2", 0.02},
                                           TextCase{"1e", 1},
                                           TextCase{"1e+", 1},
                                           TextCase{"12abc", 12},
                                           TextCase{"1,000", 1},
                                           TextCase{"12:34", 12},
                                           TextCase{"007", 7},
                                           TextCase{"&H10", 16},
                                           TextCase{"&hff", 255},
                                           TextCase{"& H 1 F", 31},
                                           TextCase{"&HFFFFFFFF", 4294967295.0},
                                           TextCase{"&O17", 15},
                                           TextCase{"&o78", 7},
                                           TextCase{"&H", 0},
                                           TextCase{"&X1", 0},
                                           TextCase{"-&H10", 0},
                                           TextCase{"99999999999999", 99999999999999.0}));

TEST(NumericValue, HugeAndTinyNumbersStayFloatingPoint) {
    EXPECT_EQ(NumericValue("1e999"), kInf);
    EXPECT_EQ(NumericValue("-1e999"), -kInf);
    EXPECT_EQ(NumericValue("1e-999"), 0.0);
    EXPECT_EQ(NumericValue("1e99999999999999999999999999"), kInf);
    EXPECT_EQ(NumericValue("1e-99999999999999999999999999"), 0.0);
}

TEST(NumericValue, LongTextsAreReadWhole) {
    constexpr size_t kLength = 10000;
    EXPECT_EQ(NumericValue(std::string(kLength, 'x')), 0.0);
    EXPECT_EQ(NumericValue("1" + std::string(kLength, '0')), kInf);
    EXPECT_EQ(NumericValue("&H" + std::string(kLength, 'F')), kInf);
    // A long run of leading zeros must not shift the decimal exponent.
    EXPECT_DOUBLE_EQ(NumericValue("0." + std::string(kLength, '0') + "1e10001"), 1.0);
    EXPECT_DOUBLE_EQ(NumericValue(std::string(kLength, '0') + "42"), 42.0);
}

}  // namespace
}  // namespace zelvane

namespace zelvane {
namespace {

// Texts where a reader that is not exactly right goes wrong: halfway points between
// neighbouring doubles and texts just either side of them, the edges of the subnormals and
// of the largest double, and digits too many for any 64-bit integer. The expected values are
// the compiler's own readings of the same texts.
TEST(NumericValue, IsTheNearestDoubleWhereADecimalIsHardToRead) {
    const std::string one = "1.00000000000000011102230246251565404236316680908203125";  // 1 and the next, halfway
    const std::string far(1000, '0');
    struct Hard {
        std::string text;
        double expected;
    };
    const Hard cases[] = {
        {"9007199254740993", 9007199254740992.0},  // halfway: to the even neighbour
        {"9007199254740995", 9007199254740996.0},
        {"9007199254740993.0000000000000000001", 9007199254740994.0},
        {"1e23", 1e23},
        {"8.98846567431158e307", 8.98846567431158e307},
        {"1.7976931348623157e308", 1.7976931348623157e308},
        {"1.7976931348623158e308", 1.7976931348623157e308},
        {"1.7976931348623159e308", kInf},
        {"2.2250738585072011e-308", 2.2250738585072011e-308},
        {"2.2250738585072012e-308", 2.2250738585072012e-308},
        {"4.9406564584124654e-324", 4.9406564584124654e-324},
        {"2.4703282292062327e-324", 0.0},
        {"2.4703282292062328e-324", 4.9406564584124654e-324},
        {"123456789012345678901234567890", 123456789012345678901234567890.0},
        {"0.30000000000000004", 0.30000000000000004},
        {"3.14159265358979323846264338327950288", 3.14159265358979323846264338327950288},
        {one, 1.0},
        {one + far + "1", 1.0000000000000002},
        {"0." + far + "1e1000", 0.1},
    };
    for (const Hard& c : cases)
        EXPECT_EQ(NumericValue(c.text), c.expected) << std::setprecision(17) << c.text;
}

}  // namespace
}  // namespace zelvane
