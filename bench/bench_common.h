// What the benchmarks share: a window procedure that does nothing, the
// clock they time with, this thread's processor time, resident memory, and
// the median of a run.
#pragma once

#include "win32_window.h"

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace bench {

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

inline LRESULT ignore(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

using Clock = std::chrono::steady_clock;

// This thread's processor time in ms: unlike the wall clock, it leaves out
// the time spent waiting for a core on a busy machine, and time slept.
inline double threadMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Resident memory now, in MB, from the kernel's own accounting.
inline double residentMegabytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024.0;
    return 0;
}

}  // namespace bench
