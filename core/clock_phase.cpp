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

uint32_t RearmPhasedTimer(int32_t msOfSecond, int32_t periodMs, int32_t lagMs, int32_t driftMs, uint32_t armedMs) {
    const uint32_t due = MsUntilAfterNextBoundary(msOfSecond, periodMs, lagMs);
    if (periodMs <= 0 || periodMs > kMsPerSecond || kMsPerSecond % periodMs != 0)
        return armedMs == due ? 0 : due;
    const int32_t pastBoundary = std::clamp(msOfSecond, 0, kMsPerSecond - 1) % periodMs;
    if (pastBoundary > std::max(lagMs, 0) + std::max(driftMs, 0))
        return due;
    const auto period = static_cast<uint32_t>(periodMs);
    return armedMs == period ? 0 : period;
}

}  // namespace zelvane
