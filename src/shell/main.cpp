#include "platform/fonts.h"
#include "shell/program.h"

#include <QApplication>

int main(int argc, char **argv)
{
    FontConfigPreload fonts;
    QApplication app(argc, argv);
    fonts.Wait();
    Setup_Application(app);
    Program program;
    return app.exec();
}
