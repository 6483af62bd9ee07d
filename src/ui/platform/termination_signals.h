// SIGTERM and SIGHUP (a desktop's logout can send either) end the program
// through its event loop instead of at once, so that the work can be kept.
#pragma once

#include <functional>

class QObject;

// From now on each such signal calls `ending` from the event loop, with the
// signal's number; the handler itself only writes to a pipe. Once only.
void Watch_Termination_Signals(QObject *context, std::function<void(int)> ending);
