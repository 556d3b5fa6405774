#include "battle/page/BattleSimValueDialog.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

namespace qf {

TBattleSimValueDialog::TBattleSimValueDialog(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("BattleSimValueDialog"));
    setWindowTitle(QStringLiteral("Wert eingeben"));
    setModal(true);
    bd_Value = new QLineEdit(QStringLiteral("0"), this);
    bd_Value->setObjectName(QStringLiteral("bd_Value"));
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);
    layout->addWidget(bd_Value, 0, 0, 1, 2);
    layout->addWidget(ok, 1, 0);
    layout->addWidget(cancel, 1, 1);
    for (QPushButton *b : {ok, cancel})
        b->setMinimumWidth(40);
    // The classic client area is 107 x 44; larger only where the fonts need it.
    setFixedSize(minimumSizeHint().expandedTo(QSize(107, 44)));
}

} // namespace qf
