// The clock, the median, the message pump and the goal lines the benchmarks share.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace benchmark {

// Milliseconds of the performance counter.
inline double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs what the last step left queued (paints, posted layouts) outside the clock.
inline void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// Prints one goal line: what was measured, its value, the goal, and whether the value meets it.
// Returns whether it does, so that a benchmark can end with a failure when a goal is missed.
inline bool ReportGoal(const char* what, double value, const char* goal, bool met)
{
    std::printf("%s: %.2f (goal: %s): %s\n", what, value, goal, met ? "met" : "missed");
    return met;
}

} // namespace benchmark
