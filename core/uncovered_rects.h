// What a paint fills with the background around pictures that it copies whole.
#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>

namespace zelvane {

// The most boxes that count; more are left out.
inline constexpr size_t kMostBoxes = 4;

// Room enough for the pieces around `boxes` boxes: at most 2n+1 bands, each with at most
// n+1 pieces.
constexpr size_t MostUncoveredRects(size_t boxes) {
    return (2 * boxes + 1) * (boxes + 1);
}

// The parts of `area` that none of `boxes` covers, band by band from the top and left to
// right in each band; none overlaps another or a box. The boxes must not overlap one another
// and may reach outside the area. `out` has room for MostUncoveredRects(count). Returns how
// many pieces it wrote. Any rectangle type with left, top, right and bottom will do: the
// platform's own, so that a paint hands its rectangles over as they are.
template <class Rect>
size_t UncoveredRects(const Rect& area, const Rect* boxes, size_t count, Rect* out) {
    using Coordinate = decltype(area.top);
    if (count > kMostBoxes)
        count = kMostBoxes;
    // Every edge of a box starts a band: a box then covers a band whole or not at all.
    Coordinate edges[2 + 2 * kMostBoxes] = {area.top, area.bottom};
    size_t edgeCount = 2;
    for (size_t i = 0; i < count; ++i) {
        edges[edgeCount++] = boxes[i].top;
        edges[edgeCount++] = boxes[i].bottom;
    }
    // A handful of edges: sorted in place, without the library sort's code for long arrays.
    for (size_t i = 1; i < edgeCount; ++i)
        for (size_t j = i; j > 0 && edges[j - 1] > edges[j]; --j)
            std::swap(edges[j - 1], edges[j]);
    size_t written = 0;
    for (size_t band = 0; band + 1 < edgeCount; ++band) {
        const Coordinate top = edges[band], bottom = edges[band + 1];
        if (top == bottom || top < area.top || bottom > area.bottom)
            continue;
        Coordinate x = area.left;
        while (x < area.right) {
            // The nearest box in this band that reaches past x: the piece before it is bare.
            const Rect* next = nullptr;
            for (size_t i = 0; i < count; ++i) {
                const Rect& box = boxes[i];
                if (box.top <= top && box.bottom >= bottom && box.right > x && (!next || box.left < next->left))
                    next = &box;
            }
            // A box may start left of the area, or end right of it.
            Coordinate bareEnd = area.right;
            if (next)
                bareEnd = next->left < x ? x : std::min(next->left, area.right);
            if (bareEnd > x)
                out[written++] = {x, top, bareEnd, bottom};
            x = next ? next->right : area.right;
        }
    }
    return written;
}

}  // namespace zelvane
