#pragma once
// The application object: an error that escapes an event handler is shown in the
// standard error box and the program goes on.
#include <QApplication>

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

} // namespace qf
