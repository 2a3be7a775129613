// Centring a window on the screen: rounding of the difference, then truncating halving.
#include "core/centering.h"

#include <gtest/gtest.h>

#include "tests/native/raised_error.h"

namespace zelvane {
namespace {

TEST(CenteredStart, HalvesAnEvenDifference) {
    EXPECT_EQ(CenteredStartTw(15360, 6690), 4335);
    EXPECT_EQ(CenteredStartTw(6690, 6690), 0);
}

TEST(CenteredStart, HalvesAnOddDifferenceTowardZero) {
    EXPECT_EQ(CenteredStartTw(2001, 1000), 500);
    EXPECT_EQ(CenteredStartTw(1000, 2001), -500);
    EXPECT_EQ(CenteredStartTw(1, 0), 0);
    EXPECT_EQ(CenteredStartTw(0, 1), 0);
}

TEST(CenteredStart, WindowWiderThanTheScreenStartsLeftOfIt) {
    EXPECT_EQ(CenteredStartTw(9000, 12000), -1500);
}

TEST(CenteredStart, RoundsAFractionalDifferenceHalfToEvenBeforeHalving) {
    EXPECT_EQ(CenteredStartTw(1000.5, 0), 500);   // 1000.5 -> 1000 -> 500
    EXPECT_EQ(CenteredStartTw(1001.5, 0), 501);   // 1001.5 -> 1002 -> 501
    EXPECT_EQ(CenteredStartTw(1002.5, 0), 501);   // 1002.5 -> 1002 -> 501
    EXPECT_EQ(CenteredStartTw(0, 1001.5), -501);  // -1001.5 -> -1002 -> -501
    EXPECT_EQ(CenteredStartTw(1000.6, 0), 500);   // 1000.6 -> 1001 -> 500
}

TEST(CenteredStart, DifferenceBeyond32BitsIsAnOverflow) {
    EXPECT_EQ(test::RaisedError([] { (void)CenteredStartTw(3.0e9, 0); }), kErrOverflow);
    EXPECT_EQ(test::RaisedError([] { (void)CenteredStartTw(0, 3.0e9); }), kErrOverflow);
    EXPECT_EQ(test::RaisedError([] { (void)CenteredStartTw(2147483647.0, 0); }), 0);
}

}  // namespace
}  // namespace zelvane
