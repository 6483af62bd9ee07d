#include "shell/program.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Setup_Application(app);
    Program program;
    return app.exec();
}
