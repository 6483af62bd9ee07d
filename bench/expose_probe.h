// Start-up probes: programs that time their own first windows and end.
// Each moment is CLOCK_MONOTONIC in nanoseconds, taken once a window's first
// expose has been handled, that is once it has been painted.
#pragma once

#include "clock.h"

#include <functional>

class QApplication;
class QWindow;

// Calls `seen` after each window's first expose has been handled; `seen`
// returns whether to keep watching.
void Watch_Exposes(QApplication &app, std::function<bool(QWindow *window, long long at)> seen);

// Writes the moments to standard output, one a line, and ends the process at
// once: the moments are all we came for, so no teardown.
[[noreturn]] void Report_And_Exit(std::initializer_list<long long> moments);
