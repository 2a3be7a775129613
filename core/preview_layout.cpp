// The preview's layout in twips and the clock face's pixel coordinates.
#include "core/preview_layout.h"

#include "core/numeric.h"

namespace zelvane {

namespace {

constexpr double kHalve = 2.0;
constexpr int32_t kDiameterPerRadius = 2;

}  // namespace

PreviewLayout ComputePreviewLayout(int32_t widthPx, int32_t heightPx, int16_t twipsPerPixelX, int16_t twipsPerPixelY) {
    PreviewLayout layout;
    const int32_t heightTw = CheckedMul32(heightPx, twipsPerPixelY);
    const int16_t marginTw = CheckedMul16(kFaceMarginPixels, twipsPerPixelX);
    const int32_t radiusTw = ToInt32(heightTw / kHalve - marginTw);
    const int32_t diameterTw = CheckedMul32(kDiameterPerRadius, radiusTw);

    layout.PreviewWidthTw = CheckedMul32(widthPx, twipsPerPixelX);
    layout.PreviewHeightTw = heightTw;
    layout.FaceLeftTw = CheckedSub32(layout.PreviewWidthTw, diameterTw) / kHalve;
    layout.FaceTopTw = CheckedSub32(layout.PreviewHeightTw, diameterTw) / kHalve;
    return layout;
}

PixelRect FaceEllipse(const PreviewLayout& layout, int16_t twipsPerPixelX, int16_t twipsPerPixelY) {
    // The box is symmetric: the same distances from the right and the bottom edge.
    const int16_t leftTw = ToInt16(layout.FaceLeftTw);
    const int16_t topTw = ToInt16(layout.FaceTopTw);
    PixelRect rect;
    rect.left = ToInt32(CheckedDivide(leftTw, twipsPerPixelX));
    rect.top = ToInt32(CheckedDivide(topTw, twipsPerPixelY));
    rect.right = ToInt32(CheckedDivide(CheckedSub32(layout.PreviewWidthTw, leftTw), twipsPerPixelX));
    rect.bottom = ToInt32(CheckedDivide(CheckedSub32(layout.PreviewHeightTw, topTw), twipsPerPixelY));
    return rect;
}

PixelPoint TimeTextOrigin(const PreviewLayout& layout,
                          int16_t twipsPerPixelX,
                          int16_t twipsPerPixelY,
                          int32_t cx,
                          int32_t cy) {
    const int32_t xTw = ToInt32(CheckedSub32(layout.PreviewWidthTw, CheckedMul32(twipsPerPixelX, cx)) / kHalve);
    const int32_t yTw = ToInt32(CheckedSub32(layout.PreviewHeightTw, CheckedMul32(twipsPerPixelY, cy)) / kHalve);
    return {ToInt32(CheckedDivide(xTw, twipsPerPixelX)), ToInt32(CheckedDivide(yTw, twipsPerPixelY))};
}

}  // namespace zelvane
