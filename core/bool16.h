// The program's Booleans are 16-bit: True is -1, False 0, any non-zero value is true.
#pragma once

#include <cstdint>

namespace zelvane {

using Bool16 = int16_t;
inline constexpr Bool16 kTrue = -1;
inline constexpr Bool16 kFalse = 0;

}  // namespace zelvane
