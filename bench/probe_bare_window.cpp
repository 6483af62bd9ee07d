// The least a Qt program can show: an empty QWidget, for comparison.
#include "expose_probe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Exit_At_First_Expose(app);
    QWidget window;
    window.resize(745, 497);
    window.show();
    return app.exec();
}
