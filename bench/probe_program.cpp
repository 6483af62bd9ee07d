// The program as main() starts it. Writes three moments: its splash on
// screen, the key press that dismisses it, and the main window on screen.
#include "expose_probe.h"
#include "ui/shell/program.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWindow>

int main(int argc, char **argv)
{
    long long splash = 0;
    long long dismissed = 0;
    return Run_Program(argc, argv, [&](QApplication &app) {
        Watch_Exposes(app, [&](QWindow *window, long long at) {
            if (splash) {
                Report_And_Exit({splash, dismissed, at});
            }
            splash = at;
            // The key as a user would press it, once the splash has been drawn.
            QTimer::singleShot(0, window, [window, &dismissed] {
                dismissed = Now_Ns();
                QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                QCoreApplication::sendEvent(window, &press);
            });
            return true;
        });
    });
}
