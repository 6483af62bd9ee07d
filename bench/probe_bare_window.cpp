// The least a Qt program can show: an empty QWidget, for comparison. Writes
// the moment its window is on screen.
#include "expose_probe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Watch_Exposes(app, [](QWindow *, long long at) -> bool { Report_And_Exit({at}); });
    QWidget window;
    window.resize(745, 497);
    window.show();
    return app.exec();
}
