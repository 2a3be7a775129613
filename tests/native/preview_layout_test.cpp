// The preview's layout in twips and the clock face's pixel coordinates.
#include "core/preview_layout.h"

#include <gtest/gtest.h>

#include <ostream>

#include "tests/native/raised_error.h"

namespace zelvane {
namespace {

using test::RaisedError;

struct LayoutCase {
    int32_t widthPx, heightPx;
    int16_t twipsPerPixel;
    int32_t widthTw, heightTw, radiusTw;
    double faceLeftTw, faceTopTw;
    PixelRect ellipse;
};

std::ostream& operator<<(std::ostream& out, const LayoutCase& c) {
    return out << c.widthPx << 'x' << c.heightPx << " at " << c.twipsPerPixel << " twips per pixel";
}

class PreviewLayoutOf : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(PreviewLayoutOf, CentresAFaceFourPixelsInsideTopAndBottom) {
    const LayoutCase c = GetParam();
    const PreviewLayout layout = ComputePreviewLayout(c.widthPx, c.heightPx, c.twipsPerPixel, c.twipsPerPixel);
    EXPECT_EQ(layout.PreviewWidthTw, c.widthTw);
    EXPECT_EQ(layout.PreviewHeightTw, c.heightTw);
    EXPECT_EQ(layout.FaceLeftTw, c.faceLeftTw);
    EXPECT_EQ(layout.FaceTopTw, c.faceTopTw);
    EXPECT_EQ(layout.PreviewHeightTw / 2.0 - layout.FaceTopTw, c.radiusTw);

    const PixelRect ellipse = FaceEllipse(layout, c.twipsPerPixel, c.twipsPerPixel);
    EXPECT_EQ(ellipse.left, c.ellipse.left);
    EXPECT_EQ(ellipse.top, c.ellipse.top);
    EXPECT_EQ(ellipse.right, c.ellipse.right);
    EXPECT_EQ(ellipse.bottom, c.ellipse.bottom);
}

INSTANTIATE_TEST_SUITE_P(Table,
                         PreviewLayoutOf,
                         ::testing::Values(LayoutCase{152, 112, 15, 2280, 1680, 780, 360, 60, {24, 4, 128, 108}},
                                           // 1665 / 2 - 60 = 772.5: the radius goes to the even 772.
                                           LayoutCase{151, 111, 15, 2265, 1665, 772, 360.5, 60.5, {24, 4, 127, 107}},
                                           LayoutCase{152, 112, 12, 1824, 1344, 624, 288, 48, {24, 4, 128, 108}},
                                           // 144 dpi: the face still fills the window less 4 px all round.
                                           LayoutCase{152, 112, 10, 1520, 1120, 520, 240, 40, {24, 4, 128, 108}},
                                           // No preview window: an all-zero rectangle still lays out without error.
                                           LayoutCase{0, 0, 15, 0, 0, -60, 60, 60, {4, 4, -4, -4}}));

TEST(TimeTextOrigin, CentresTheSampleTextBox) {
    const PreviewLayout layout = ComputePreviewLayout(152, 112, 15, 15);
    const PixelPoint even = TimeTextOrigin(layout, 15, 15, 64, 18);
    EXPECT_EQ(even.x, 44);  // (2280 - 960) / 2 = 660 twips
    EXPECT_EQ(even.y, 47);  // (1680 - 270) / 2 = 705 twips
    const PixelPoint odd = TimeTextOrigin(layout, 15, 15, 65, 19);
    EXPECT_EQ(odd.x, 43);  // 652.5 -> 652 twips -> 43.47 pixels
    EXPECT_EQ(odd.y, 47);  // 697.5 -> 698 twips -> 46.53 pixels
}

TEST(PreviewLayoutErrors, SizesBeyondThirtyTwoBitTwipsRaiseOverflow) {
    EXPECT_EQ(RaisedError([] { (void)ComputePreviewLayout(200000000, 112, 15, 15); }), kErrOverflow);
    EXPECT_EQ(RaisedError([] { (void)ComputePreviewLayout(152, 200000000, 15, 15); }), kErrOverflow);
    // The margin of four pixels is a 16-bit product.
    EXPECT_EQ(RaisedError([] { (void)ComputePreviewLayout(152, 112, 10000, 15); }), kErrOverflow);
    const PreviewLayout layout = ComputePreviewLayout(152, 112, 15, 15);
    EXPECT_EQ(RaisedError([&] { (void)TimeTextOrigin(layout, 15, 15, 2000000000, 18); }), kErrOverflow);
}

TEST(PreviewLayoutErrors, ZeroTwipsPerPixelIsADivisionByZero) {
    const PreviewLayout layout = ComputePreviewLayout(152, 112, 15, 15);
    EXPECT_EQ(RaisedError([&] { (void)FaceEllipse(layout, 0, 15); }), kErrDivisionByZero);
    EXPECT_EQ(RaisedError([&] { (void)TimeTextOrigin(layout, 15, 0, 64, 18); }), kErrDivisionByZero);
}

}  // namespace
}  // namespace zelvane
