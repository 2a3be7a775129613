// How many more GDI objects this process can create: the per-process table is fixed, so a
// drop in headroom is exactly the number of objects that stayed alive. (Wine answers
// GetGuiResources with 0, so leaks are measured this way on every platform.)
#pragma once

#include <windows.h>

#include <vector>

namespace testing_support {

inline int GdiHeadroom() {
    constexpr int kCeiling = 200000;
    std::vector<HBRUSH> probes;
    probes.reserve(kCeiling);
    while (static_cast<int>(probes.size()) < kCeiling) {
        HBRUSH b = ::CreateSolidBrush(static_cast<COLORREF>(probes.size() & 0xFFFFFF));
        if (!b)
            break;
        probes.push_back(b);
    }
    for (HBRUSH b : probes)
        ::DeleteObject(b);
    return static_cast<int>(probes.size());
}

}  // namespace testing_support
