// Covering rectangles for the monitors beside the primary screen.
#include "core/monitors.h"

#include <algorithm>

namespace zelvane {
namespace {

bool IsEmpty(const ScreenRect& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

bool Contains(const ScreenRect& outer, const ScreenRect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace

std::vector<ScreenRect> CoveringRects(const std::vector<ScreenRect>& monitors, const ScreenRect& primary) {
    std::vector<ScreenRect> covers;
    for (const ScreenRect& m : monitors) {
        if (IsEmpty(m) || Contains(primary, m))
            continue;
        if (std::find(covers.begin(), covers.end(), m) != covers.end())
            continue;
        covers.push_back(m);
    }
    return covers;
}

}  // namespace zelvane
