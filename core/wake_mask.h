// Which input wakes the program's event waits, by the version of the system it runs on.
#pragma once

#include <cstdint>

namespace zelvane {

// The queue-status bits of touch and of pen and pointer input (QS_TOUCH, QS_POINTER). Windows 8
// added them, and there touch and pen arrive only as that input; a wait that names them on an
// older system fails at once, and a loop around it would spin.
inline constexpr uint32_t kQsTouch = 0x0800;
inline constexpr uint32_t kQsPointer = 0x1000;

struct SystemVersion {
    uint32_t major = 0, minor = 0;
};

// The mask of a wait that must wake for any input: `allInput` (every kind the oldest supported
// system knows) and, where the running system has them, touch and pointer input.
uint32_t InputWakeMask(uint32_t allInput, const SystemVersion& running);

}  // namespace zelvane
