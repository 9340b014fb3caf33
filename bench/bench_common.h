// What the benchmarks share: a window procedure that does nothing, the
// clock they time with, and the median of a run.
#pragma once

#include "win32_window.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace bench {

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

inline LRESULT ignore(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

using Clock = std::chrono::steady_clock;

}  // namespace bench
