// The least a window with text costs: a bare Qt window showing one label. Beside
// the bare window it shows what the font set-up alone adds (fontconfig, the font
// database, the first text shaping) before any of the program's own work.
#include "ui/FirstTurnReport.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Designer"));
    window.show();
    qf::QuitAfterFirstTurnWhenAsked(app);
    return app.exec();
}
