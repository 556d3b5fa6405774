#pragma once
// The "Kampfsimulator" page: two fleets built from the designs, and the battle report.
#include <QWidget>

class QComboBox;

namespace qf {

struct AppState;
class UserPrompts;

class BattlePage : public QWidget {
    Q_OBJECT
public:
    BattlePage(AppState &state, UserPrompts &prompts, QWidget *parent = nullptr);

    // b_ShipClass1 (fleet 1) or b_ShipClass2 (fleet 2): they mirror the design collection.
    QComboBox *shipClassList(int fleet) const;

public slots:
    void b_SimulateClick();
    void b_ResetClick();

private:
    AppState &state_;
    UserPrompts &prompts_;
    QComboBox *b_ShipClass1 = nullptr;
    QComboBox *b_ShipClass2 = nullptr;
};

} // namespace qf
