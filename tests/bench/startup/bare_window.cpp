// The yardstick of the start-up benchmark: a bare Qt window that reports its CPU
// time at its first turn of the event loop and quits, as the program does with
// QF_QUIT_AFTER_FIRST_TURN=1.
#include "ui/FirstTurnReport.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.show();
    qf::QuitAfterFirstTurnWhenAsked(app);
    return app.exec();
}
