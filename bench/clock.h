// The monotonic clock in nanoseconds, shared by the start-up benchmark and
// the probes it starts, so that their moments compare.
#pragma once

#include <ctime>

inline long long Now_Ns()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}
