// The saver window's motion: layout, random steps and the bounce off the edges.
#include "core/motion.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>

#include "tests/native/raised_error.h"

namespace zelvane {
namespace {

// A 1024 × 768 screen at 15 twips per pixel and the time label's design size.
constexpr double kScreenWidthTw = 15360;
constexpr double kScreenHeightTw = 11520;
constexpr int32_t kLabelWidthTw = 5715;
constexpr int32_t kLabelHeightTw = 1665;
constexpr int16_t kTwipsPerPixel = 15;
constexpr int32_t kCentredLeft = 4822;
constexpr float kSmallestStep = 90.0f;
constexpr float kLargestStep = 96.0f;

ClockMotion LoadedMotion() {
    ClockMotion motion;
    motion.Layout(kScreenWidthTw, kScreenHeightTw, kLabelWidthTw, kLabelHeightTw);
    return motion;
}

TEST(Layout, CentresTheTimeLabelWithHalvesToEven) {
    const ClockMotion motion = LoadedMotion();
    EXPECT_EQ(motion.ScreenW, 15360);
    EXPECT_EQ(motion.ScreenH, 11520);
    EXPECT_EQ(motion.MaxLeft, 9645);
    EXPECT_EQ(motion.MaxTop, 9855);
    EXPECT_EQ(motion.PosX, kCentredLeft);  // 4822.5
    EXPECT_EQ(motion.PosY, 4928);          // 4927.5
}

TEST(Layout, ScreenSizesAreRoundedToWholeTwips) {
    ClockMotion motion;
    motion.Layout(15360.5, 11520.5, kLabelWidthTw, kLabelHeightTw);
    EXPECT_EQ(motion.ScreenW, 15360);
    EXPECT_EQ(motion.ScreenH, 11520);
}

TEST(Steps, AreSixPixelsPlusSixTimesTheRandomNumber) {
    ClockMotion motion;
    motion.NewSteps(0.0f, 0.5f, kTwipsPerPixel, 12);
    EXPECT_EQ(motion.StepX, 90.0f);
    EXPECT_EQ(motion.StepY, 75.0f);
    EXPECT_EQ(test::RaisedError([&] { motion.NewSteps(0.0f, 0.0f, 6000, kTwipsPerPixel); }), kErrOverflow);
}

TEST(Advance, RoundsTheNewPositionHalvesToEven) {
    ClockMotion motion = LoadedMotion();
    motion.StepX = 93.5f;
    motion.StepY = 93.5f;
    motion.DirY = -1;
    motion.Advance();
    EXPECT_EQ(motion.PosX, 4916);  // 4915.5
    EXPECT_EQ(motion.PosY, 4834);  // 4834.5
}

TEST(Bounce, PastTheRightEdgeStopsAtMaxLeftAndTurnsLeft) {
    ClockMotion motion = LoadedMotion();
    motion.PosX = motion.MaxLeft - 10;
    motion.NewSteps(0.5f, 0.5f, kTwipsPerPixel, kTwipsPerPixel);
    motion.Advance();
    motion.Bounce();
    EXPECT_EQ(motion.PosX, motion.MaxLeft);
    EXPECT_EQ(motion.DirX, -1);
    motion.Advance();
    EXPECT_LT(motion.PosX, motion.MaxLeft);
}

TEST(Bounce, AboveTheTopStopsAtZeroAndTurnsDown) {
    ClockMotion motion = LoadedMotion();
    motion.PosY = 50;
    motion.DirY = -1;
    motion.NewSteps(0.5f, 0.5f, kTwipsPerPixel, kTwipsPerPixel);
    motion.Advance();
    motion.Bounce();
    EXPECT_EQ(motion.PosY, 0);
    EXPECT_EQ(motion.DirY, 1);
}

struct EdgeCase {
    int32_t posX, posY, dirX, dirY;
    int32_t expectedX, expectedY, expectedDirX, expectedDirY;
};

std::ostream& operator<<(std::ostream& out, const EdgeCase& c) {
    return out << '(' << c.posX << ", " << c.posY << ") going (" << c.dirX << ", " << c.dirY << ')';
}

class Edges : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(Edges, ClampAndReverseOnlyTheAxisThatCrossed) {
    const EdgeCase c = GetParam();
    ClockMotion motion = LoadedMotion();
    motion.PosX = c.posX;
    motion.PosY = c.posY;
    motion.DirX = c.dirX;
    motion.DirY = c.dirY;
    motion.Bounce();
    EXPECT_EQ(motion.PosX, c.expectedX);
    EXPECT_EQ(motion.PosY, c.expectedY);
    EXPECT_EQ(motion.DirX, c.expectedDirX);
    EXPECT_EQ(motion.DirY, c.expectedDirY);
}

INSTANTIATE_TEST_SUITE_P(Table,
                         Edges,
                         ::testing::Values(EdgeCase{100, 100, 1, 1, 100, 100, 1, 1},
                                           EdgeCase{9645, 9855, 1, 1, 9645, 9855, 1, 1},
                                           EdgeCase{9700, 100, 1, -1, 9645, 100, -1, -1},
                                           EdgeCase{-5, 100, -1, 1, 0, 100, 1, 1},
                                           EdgeCase{100, 9900, 1, 1, 100, 9855, 1, -1},
                                           EdgeCase{100, -5, 1, -1, 100, 0, 1, 1},
                                           EdgeCase{9700, -5, 1, -1, 9645, 0, -1, 1}));

// The screen changes size under the running clock: the bounds follow it, a label that the
// new screen leaves outside moves just inside, one still inside stays put, and the directions
// go on as they were.
TEST(Refit, TakesTheNewScreensBoundsAndKeepsTheLabelInside) {
    ClockMotion motion = LoadedMotion();
    motion.PosX = 11000;  // past the right bound of an 800 x 600 screen (12000 x 9000 twips)
    motion.PosY = 500;
    motion.DirY = -1;
    motion.Refit(12000, 9000, kLabelWidthTw, kLabelHeightTw);
    EXPECT_EQ(motion.ScreenW, 12000);
    EXPECT_EQ(motion.MaxTop, 9000 - kLabelHeightTw);
    EXPECT_EQ(motion.PosX, 12000 - kLabelWidthTw);
    EXPECT_EQ(motion.PosY, 500);
    EXPECT_EQ(motion.DirX, 1);
    EXPECT_EQ(motion.DirY, -1);
    motion.Refit(kScreenWidthTw, kScreenHeightTw, kLabelWidthTw, kLabelHeightTw);  // and back
    EXPECT_EQ(motion.MaxLeft, 9645);
    EXPECT_EQ(motion.PosX, 12000 - kLabelWidthTw);
}

TEST(UniformRandom, IsDeterministicAndCoversTheUnitIntervalEvenly) {
    constexpr int kDraws = 200000;
    UniformRandom first;
    UniformRandom second;
    double sum = 0;
    int lowerHalf = 0;
    for (int i = 0; i < kDraws; ++i) {
        const float value = first.Next();
        ASSERT_EQ(value, second.Next());
        ASSERT_GE(value, 0.0f);
        ASSERT_LT(value, 1.0f);
        sum += value;
        lowerHalf += value < 0.5f ? 1 : 0;
    }
    EXPECT_NEAR(sum / kDraws, 0.5, 0.01);
    EXPECT_NEAR(static_cast<double>(lowerHalf) / kDraws, 0.5, 0.01);
}

TEST(Motion, ManyTicksStayOnScreenWithStepsOfAboutSixPixels) {
    constexpr int kTicks = 100000;
    UniformRandom random;
    ClockMotion motion = LoadedMotion();
    motion.NewSteps(random.Next(), random.Next(), kTwipsPerPixel, kTwipsPerPixel);
    motion.Advance();
    EXPECT_GE(motion.PosX - kCentredLeft, kSmallestStep);
    EXPECT_LE(motion.PosX - kCentredLeft, kLargestStep);

    for (int tick = 0; tick < kTicks; ++tick) {
        const int32_t oldX = motion.PosX;
        motion.NewSteps(random.Next(), random.Next(), kTwipsPerPixel, kTwipsPerPixel);
        // Single precision can round the very largest step up to 96 exactly.
        ASSERT_GE(motion.StepX, kSmallestStep);
        ASSERT_LE(motion.StepX, kLargestStep);
        ASSERT_GE(motion.StepY, kSmallestStep);
        ASSERT_LE(motion.StepY, kLargestStep);
        motion.Advance();
        const int32_t moved = std::abs(motion.PosX - oldX);
        ASSERT_GE(moved, kSmallestStep);
        ASSERT_LE(moved, kLargestStep);
        motion.Bounce();
        ASSERT_GE(motion.PosX, 0);
        ASSERT_LE(motion.PosX, motion.MaxLeft);
        ASSERT_GE(motion.PosY, 0);
        ASSERT_LE(motion.PosY, motion.MaxTop);
        ASSERT_EQ(std::abs(motion.DirX), 1);
        ASSERT_EQ(std::abs(motion.DirY), 1);
    }
}

}  // namespace
}  // namespace zelvane
