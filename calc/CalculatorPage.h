#pragma once
// The "Rechner" page: flight calculator, special actions and battle calculator.
#include <QWidget>

namespace qf {

class DesignerPage;
class DebugLog;
class UserPrompts;

class CalculatorPage : public QWidget {
    Q_OBJECT
public:
    CalculatorPage(DesignerPage &designer, DebugLog &log, UserPrompts &prompts,
                   QWidget *parent = nullptr);

private:
    DesignerPage &designer_;
    DebugLog &log_;
    UserPrompts &prompts_;
};

} // namespace qf
