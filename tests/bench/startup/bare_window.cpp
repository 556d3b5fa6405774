// The yardstick of the start-up benchmark: a bare Qt window that quits after
// its first turn of the event loop, as the program does with
// QF_QUIT_AFTER_FIRST_TURN=1.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
