#pragma once
// The application object: an error that escapes an event handler is shown in the
// standard error box and the program goes on.
#include <QApplication>

class QTranslator;

namespace qf {

class UserPrompts;

class Application : public QApplication {
public:
    Application(int &argc, char **argv);
    void setPrompts(UserPrompts *prompts) { prompts_ = prompts; }
    bool notify(QObject *receiver, QEvent *event) override;

private:
    UserPrompts *prompts_ = nullptr;
};

// Qt's own dialogs and buttons speak German like the rest of the program,
// whatever the user's locale ("Abbrechen", "Speichern", ...). Loads Qt's German
// translation into `translator`, which must live as long as the application, and
// installs it; returns false when Qt's translations are not installed.
bool InstallQtGerman(QTranslator &translator);

} // namespace qf
