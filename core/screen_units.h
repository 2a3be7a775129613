// Twips (1/1440 inch) and pixels.
#pragma once

#include <cstdint>

namespace zelvane {

inline constexpr int32_t kTwipsPerInch = 1440;

// 1440 / dpi, nearest integer, halves to even: 15 at 96 dpi, 12 at 120, 10 at 144.
int16_t TwipsPerPixelFor(int32_t logicalPixelsPerInch);

}  // namespace zelvane
