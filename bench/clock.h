// The monotonic clock in nanoseconds, shared by the start-up benchmark and
// the probes it starts, so that their moments compare; and the median the
// benchmarks that time whole processes report.
#pragma once

#include <algorithm>
#include <ctime>
#include <vector>

inline long long Now_Ns()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// The median of the timings; 0 for none.
inline double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}
