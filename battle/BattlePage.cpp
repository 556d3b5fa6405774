#include "battle/BattlePage.h"

#include <QComboBox>
#include <QVBoxLayout>

namespace qf {

BattlePage::BattlePage(AppState &state, UserPrompts &prompts, QWidget *parent)
    : QWidget(parent), state_(state), prompts_(prompts)
{
    auto *layout = new QVBoxLayout(this);
    b_ShipClass1 = new QComboBox(this);
    b_ShipClass1->setObjectName(QStringLiteral("b_ShipClass1"));
    b_ShipClass2 = new QComboBox(this);
    b_ShipClass2->setObjectName(QStringLiteral("b_ShipClass2"));
    layout->addWidget(b_ShipClass1);
    layout->addWidget(b_ShipClass2);
}

QComboBox *BattlePage::shipClassList(int fleet) const
{
    return fleet == 1 ? b_ShipClass1 : b_ShipClass2;
}

void BattlePage::b_SimulateClick() {}
void BattlePage::b_ResetClick() {}

} // namespace qf
