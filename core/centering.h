// Placing a window in the middle of the screen, in twips.
#pragma once

#include <cstdint>

namespace zelvane {

// Where a window of `windowTw` starts so that it sits centred in `screenTw`: the
// difference rounded to a 32-bit integer (halves to even), then halved with integer
// division truncated toward zero. Negative when the window is the larger; a difference
// beyond 32 bits raises Overflow.
int32_t CenteredStartTw(double screenTw, double windowTw);

}  // namespace zelvane
