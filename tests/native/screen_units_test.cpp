// Twips per pixel from the screen's logical pixels per inch.
#include "core/screen_units.h"

#include <gtest/gtest.h>

#include <ostream>

#include "tests/native/raised_error.h"

namespace zelvane {
namespace {

struct DpiCase {
    int32_t dpi;
    int16_t twipsPerPixel;
};

std::ostream& operator<<(std::ostream& out, const DpiCase& c) {
    return out << c.dpi << " dpi";
}

class TwipsPerPixel : public ::testing::TestWithParam<DpiCase> {};

TEST_P(TwipsPerPixel, IsNearestWholeQuotientWithHalvesToEven) {
    EXPECT_EQ(TwipsPerPixelFor(GetParam().dpi), GetParam().twipsPerPixel) << GetParam().dpi << " dpi";
}

INSTANTIATE_TEST_SUITE_P(Table,
                         TwipsPerPixel,
                         ::testing::Values(DpiCase{96, 15},
                                           DpiCase{120, 12},
                                           DpiCase{144, 10},
                                           DpiCase{72, 20},
                                           DpiCase{110, 13},
                                           DpiCase{192, 8},   // 7.5
                                           DpiCase{576, 2},   // 2.5
                                           DpiCase{2880, 0},  // 0.5
                                           DpiCase{1, 1440}));

TEST(TwipsPerPixelErrors, NoPixelsPerInchIsADivisionByZero) {
    EXPECT_EQ(test::RaisedError([] { (void)TwipsPerPixelFor(0); }), kErrDivisionByZero);
}

}  // namespace
}  // namespace zelvane
