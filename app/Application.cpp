#include "app/Application.h"

#include "ui/UserPrompts.h"

#include <QLibraryInfo>
#include <QTranslator>
#include <exception>

namespace qf {

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        if (prompts_)
            prompts_->showError(activeWindow(), QString::fromUtf8(e.what()));
    } catch (...) {
        if (prompts_)
            prompts_->showError(activeWindow(), QStringLiteral("Unbekannter Fehler."));
    }
    return false;
}

bool InstallQtGerman(QTranslator &translator)
{
    if (!translator.load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&translator);
}

} // namespace qf
