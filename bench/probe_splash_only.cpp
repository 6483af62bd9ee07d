// The program until its splash is on screen, and no further: the run to
// profile for start-up, e.g. under valgrind --tool=callgrind.
#include "expose_probe.h"
#include "platform/fonts.h"
#include "shell/program.h"
#include <QApplication>
int main(int argc, char **argv)
{
    FontConfigPreload fonts;
    QApplication app(argc, argv);
    fonts.Wait();
    Watch_Exposes(app, [](QWindow *, long long at) -> bool { Report_And_Exit({at}); });
    Setup_Application(app);
    Program program;
    return app.exec();
}
