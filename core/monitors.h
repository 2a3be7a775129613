// Which parts of the desktop the saver must black out beside its clock window.
#pragma once

#include <cstdint>
#include <vector>

namespace zelvane {

struct ScreenRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const ScreenRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// The monitors that need a covering window: every monitor that the primary screen (where
// the clock window lies) does not already cover whole. Mirrored or duplicate monitors that
// lie inside the primary screen need none; empty rectangles are skipped; each rectangle
// is covered once even when the system lists it twice.
std::vector<ScreenRect> CoveringRects(const std::vector<ScreenRect>& monitors, const ScreenRect& primary);

}  // namespace zelvane
