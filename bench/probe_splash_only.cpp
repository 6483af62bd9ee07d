// The program until its splash is on screen, and no further: the run to
// profile for start-up, e.g. under valgrind --tool=callgrind.
#include "expose_probe.h"
#include "ui/shell/program.h"

int main(int argc, char **argv)
{
    return Run_Program(argc, argv, [](QApplication &app) {
        Watch_Exposes(app, [](QWindow *, long long at) -> bool { Report_And_Exit({at}); });
    });
}
