// Ends the process at the first exposed window, after writing the moment
// (CLOCK_MONOTONIC, nanoseconds) to standard output.
#pragma once

class QApplication;

void Exit_At_First_Expose(QApplication &app);
