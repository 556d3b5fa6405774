// Quarzfink Schiffsdesigner: the desktop program.
#include "ui/AppState.h"
#include "app/Application.h"
#include "ui/FirstTurnReport.h"
#include "app/KRM_Main.h"
#include "ui/UserPrompts.h"

#include <QIcon>
#include <QTranslator>

int main(int argc, char **argv)
{
    qf::Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quarzfink SchiffsDesigner 3.0"));
    QApplication::setDesktopFileName(QStringLiteral("quarzfink-schiffsdesigner"));
    QTranslator qtGerman;
    qf::InstallQtGerman(qtGerman);
    Q_INIT_RESOURCE(resources); // the icons live in the static GUI library
    // The window needs no more than these two (larger views use the installed theme
    // icon); with their sizes given, each is decoded only when it is first drawn.
    QIcon icon;
    for (int size : {32, 64})
        icon.addFile(QStringLiteral(":/icons/quarzfink-schiffsdesigner-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);

    qf::DesktopPrompts prompts;
    app.setPrompts(&prompts);
    qf::AppState state;
    qf::TKRM_Main window(state, prompts, QCoreApplication::arguments());
    window.show();
    qf::QuitAfterFirstTurnWhenAsked(app);
    return app.exec();
}
