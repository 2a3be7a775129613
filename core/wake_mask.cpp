// The wake mask of the event waits.
#include "core/wake_mask.h"

namespace zelvane {
namespace {
constexpr SystemVersion kWindows8 = {6, 2};  // the first with pointer input
}  // namespace

uint32_t InputWakeMask(uint32_t allInput, const SystemVersion& running) {
    const bool hasPointerInput =
        running.major > kWindows8.major || (running.major == kWindows8.major && running.minor >= kWindows8.minor);
    return hasPointerInput ? allInput | kQsTouch | kQsPointer : allInput;
}

}  // namespace zelvane
