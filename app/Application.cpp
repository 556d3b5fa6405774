#include "app/Application.h"

#include "app/UserPrompts.h"

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

} // namespace qf
