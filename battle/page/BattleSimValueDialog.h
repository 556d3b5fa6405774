#pragma once
// The value dialog of the battle simulator.
#include <QDialog>

class QLineEdit;

namespace qf {

// "Wert eingeben": asks for the target value of a fleet total.
class TBattleSimValueDialog : public QDialog {
    Q_OBJECT
public:
    explicit TBattleSimValueDialog(QWidget *parent);
    QLineEdit *valueEdit() const { return bd_Value; }

private:
    QLineEdit *bd_Value = nullptr;
};

} // namespace qf
