// Twips per pixel of a screen.
#include "core/screen_units.h"

#include "core/numeric.h"

namespace zelvane {

int16_t TwipsPerPixelFor(int32_t logicalPixelsPerInch) {
    return ToInt16(CheckedDivide(kTwipsPerInch, logicalPixelsPerInch));
}

}  // namespace zelvane
