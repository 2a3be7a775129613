// Placing a window in the middle of the screen.
#include "core/centering.h"

#include "core/numeric.h"

namespace zelvane {

int32_t CenteredStartTw(double screenTw, double windowTw) {
    constexpr int32_t kHalves = 2;
    return IntDiv32(ToInt32(screenTw - windowTw), kHalves);
}

}  // namespace zelvane
