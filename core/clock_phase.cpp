// Phasing wake-ups to the local clock's boundaries.
#include "core/clock_phase.h"

#include <algorithm>

namespace zelvane {

uint32_t MsUntilAfterNextBoundary(int32_t msOfSecond, int32_t periodMs, int32_t lagMs) {
    if (periodMs <= 0 || periodMs > kMsPerSecond || kMsPerSecond % periodMs != 0)
        return static_cast<uint32_t>(std::max(periodMs, 0));
    const int32_t ms = std::clamp(msOfSecond, 0, kMsPerSecond - 1);
    return static_cast<uint32_t>(periodMs - ms % periodMs + std::max(lagMs, 0));
}

bool CameBeforeBoundary(int32_t msOfSecond, int32_t periodMs, int32_t earlyMs) {
    if (periodMs <= 0 || periodMs > kMsPerSecond || kMsPerSecond % periodMs != 0)
        return false;
    const int32_t ms = std::clamp(msOfSecond, 0, kMsPerSecond - 1);
    return periodMs - ms % periodMs <= earlyMs;
}

}  // namespace zelvane
