// The preview's layout in twips and the clock face's pixel coordinates.
#pragma once

#include <cstdint>

namespace zelvane {

struct PreviewLayout {
    int32_t PreviewWidthTw = 0;
    int32_t PreviewHeightTw = 0;
    double FaceLeftTw = 0;
    double FaceTopTw = 0;
};

inline constexpr int32_t kFaceMarginPixels = 4;

// From the client rectangle's size in pixels; raises Overflow when a size in twips
// does not fit in 32 bits.
PreviewLayout ComputePreviewLayout(int32_t widthPx, int32_t heightPx, int16_t twipsPerPixelX, int16_t twipsPerPixelY);

struct PixelRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// The face ellipse's bounding box in pixels.
PixelRect FaceEllipse(const PreviewLayout& layout, int16_t twipsPerPixelX, int16_t twipsPerPixelY);

struct PixelPoint {
    int32_t x = 0, y = 0;
};

// Where the time text goes so that a box of cx × cy pixels is centred.
PixelPoint TimeTextOrigin(const PreviewLayout& layout,
                          int16_t twipsPerPixelX,
                          int16_t twipsPerPixelY,
                          int32_t cx,
                          int32_t cy);

}  // namespace zelvane
