// Covering rectangles for the monitors beside the primary screen.
#include <gtest/gtest.h>

#include "core/monitors.h"

namespace zelvane {
namespace {

const ScreenRect kPrimary = {0, 0, 1920, 1080};

TEST(CoveringRects, OneMonitorNeedsNoCover) {
    EXPECT_TRUE(CoveringRects({kPrimary}, kPrimary).empty());
}

TEST(CoveringRects, CoversMonitorsOnEverySideIncludingNegativeCoordinates) {
    const ScreenRect left = {-1280, 0, 0, 1024};
    const ScreenRect above = {0, -900, 1600, 0};
    const ScreenRect right = {1920, 200, 3840, 1280};
    const ScreenRect belowLeft = {-800, 1080, 0, 1680};
    auto covers = CoveringRects({left, kPrimary, above, right, belowLeft}, kPrimary);
    ASSERT_EQ(covers.size(), 4u);
    EXPECT_EQ(covers[0], left);
    EXPECT_EQ(covers[1], above);
    EXPECT_EQ(covers[2], right);
    EXPECT_EQ(covers[3], belowLeft);
}

TEST(CoveringRects, MirroredAndDuplicateMonitorsAreCoveredOnceOrNotAtAll) {
    const ScreenRect mirror = {0, 0, 1280, 720};  // shows part of the primary screen
    const ScreenRect side = {1920, 0, 3200, 1024};
    auto covers = CoveringRects({kPrimary, mirror, side, side}, kPrimary);
    ASSERT_EQ(covers.size(), 1u);
    EXPECT_EQ(covers[0], side);
}

TEST(CoveringRects, PartlyOverlappingMonitorIsCoveredWhole) {
    const ScreenRect overlap = {1000, 500, 2500, 1500};
    auto covers = CoveringRects({kPrimary, overlap}, kPrimary);
    ASSERT_EQ(covers.size(), 1u);
    EXPECT_EQ(covers[0], overlap);
}

TEST(CoveringRects, EmptyRectanglesAreSkipped) {
    EXPECT_TRUE(CoveringRects({kPrimary, {10, 10, 10, 500}, {5, 5, 0, 0}}, kPrimary).empty());
}

}  // namespace
}  // namespace zelvane
