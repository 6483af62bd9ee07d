// The program as main() starts it, stopped at its first exposed window.
#include "expose_probe.h"
#include "shell/program.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Exit_At_First_Expose(app);
    Setup_Application(app);
    Program program;
    return app.exec();
}
