// The background around pictures: every pixel of the area painted once, by a piece or a box.
#include "core/uncovered_rects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "core/preview_layout.h"

namespace zelvane {
namespace {

bool Holds(const PixelRect& r, int32_t x, int32_t y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// Random boxes that do not overlap, inside, across and outside the area's edges, empty ones
// among them; the clock's two stacked texts are one such case.
TEST(UncoveredRects, EveryPixelOfTheAreaIsCoveredOnceByAPieceOrABox) {
    constexpr int32_t kSpace = 48;
    const PixelRect area = {8, 6, 40, 36};
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> at(0, kSpace);
    for (int round = 0; round < 2000; ++round) {
        std::vector<PixelRect> boxes;
        for (int attempt = 0; attempt < 50 && boxes.size() < round % (kMostBoxes + 1); ++attempt) {
            const int32_t x0 = at(random), x1 = at(random), y0 = at(random), y1 = at(random);
            const PixelRect box = {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
            if (std::none_of(boxes.begin(), boxes.end(), [&](const PixelRect& o) {
                    return box.left < o.right && o.left < box.right && box.top < o.bottom && o.top < box.bottom;
                }))
                boxes.push_back(box);
        }
        PixelRect pieces[MostUncoveredRects(kMostBoxes)];
        const size_t count = UncoveredRects(area, boxes.data(), boxes.size(), pieces);
        ASSERT_LE(count, MostUncoveredRects(boxes.size()));
        for (int32_t y = 0; y < kSpace; ++y) {
            for (int32_t x = 0; x < kSpace; ++x) {
                int covered = 0;
                for (size_t i = 0; i < count; ++i)
                    covered += Holds(pieces[i], x, y);
                for (const PixelRect& box : boxes)
                    covered += Holds(box, x, y) && Holds(area, x, y);
                ASSERT_EQ(covered, Holds(area, x, y) ? 1 : 0) << "round " << round << " at " << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace zelvane
