// When a clock that shows whole seconds should next look at the time: just after the next
// boundary of its period on the local clock, so that a new second shows as it begins.
#pragma once

#include <cstdint>

namespace zelvane {

inline constexpr int32_t kMsPerSecond = 1000;

// How far past a second's start the preview's pause between passes ends: further than the
// pause's single-precision time of day can be off late in the day (three roundings of up
// to 1/256 s), so that the next pass always finds the new second.
inline constexpr int32_t kPassLagMs = 15;

// Milliseconds from a reading of the local clock, `msOfSecond` past its whole second, until
// `lagMs` after the next boundary of `periodMs` (a half second: x.000 and x.500). A reading
// on a boundary or within the lag after it looks to the next one, so that wake-ups never
// come twice for one boundary; each reading is phased anew, whatever the clock did before.
// A period that does not divide a second has no boundaries: it is returned as it is.
uint32_t MsUntilAfterNextBoundary(int32_t msOfSecond, int32_t periodMs, int32_t lagMs);

// Whether a wake-up meant for just after a boundary of `periodMs` read the clock `msOfSecond`
// within `earlyMs` before the boundary instead: a system wait may end up to a clock interrupt
// early, and the time read then is still the last one's. A period that does not divide a
// second has no boundaries, and no wake-up for it is early.
bool CameBeforeBoundary(int32_t msOfSecond, int32_t periodMs, int32_t earlyMs);

}  // namespace zelvane
