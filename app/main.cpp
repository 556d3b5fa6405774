// Quarzfink Schiffsdesigner: the desktop program.
#include "ui/AppState.h"
#include "app/Application.h"
#include "ui/FirstTurnReport.h"
#include "ui/Icons.h"
#include "app/KRM_Main.h"
#include "ui/UserPrompts.h"

#include <QTranslator>

int main(int argc, char **argv)
{
    qf::Application app(argc, argv);
    // The platform's style, but without reading image files for icons not yet shown.
    QApplication::setStyle(new qf::DeferredIconStyle);
    QApplication::setApplicationName(QStringLiteral("Quarzfink SchiffsDesigner 3.0"));
    QApplication::setDesktopFileName(QStringLiteral("quarzfink-schiffsdesigner"));
    QTranslator qtGerman;
    qf::InstallQtGerman(qtGerman);
    Q_INIT_RESOURCE(resources); // the icons live in the static GUI library
    QApplication::setWindowIcon(qf::ProgramIcon());

    qf::DesktopPrompts prompts;
    app.setPrompts(&prompts);
    qf::AppState state;
    qf::TKRM_Main window(state, prompts, QCoreApplication::arguments());
    window.show();
    qf::QuitAfterFirstTurnWhenAsked(app);
    return app.exec();
}
