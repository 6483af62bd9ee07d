// The least a Qt Widgets program shows: an empty window the size of the
// program's main window. The end-to-end run measures its memory beside the
// program's under the same display; it stays until it is ended, or ends by
// itself after a minute so that a run that lost track of it leaves nothing.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("e2e bare window"));
    window.resize(745, 497);
    window.show();
    QTimer::singleShot(60'000, &app, &QCoreApplication::quit);
    return app.exec();
}
