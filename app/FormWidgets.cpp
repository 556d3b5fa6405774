#include "app/FormWidgets.h"

#include "model/WholeNumber.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace qf {

namespace {
QLabel *makeLabel(const QString &name, const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text);
    label->setObjectName(name + QStringLiteral("Label"));
    label->setBuddy(buddy);
    return label;
}

// A grid cell holding the label above whatever comes below it; returns the cell's layout.
QVBoxLayout *addLabelledCell(QGridLayout *grid, int row, int column, const QString &name,
                             const QString &label, QLineEdit *edit)
{
    auto *cell = new QWidget;
    auto *box = new QVBoxLayout(cell);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(1);
    box->addWidget(makeLabel(name, label, edit));
    grid->addWidget(cell, row, column);
    return box;
}
} // namespace

QLineEdit *addLabelledEdit(QGridLayout *grid, int row, int column, const QString &name,
                           const QString &label, const QString &text, bool readOnly)
{
    auto *edit = new QLineEdit(text);
    edit->setObjectName(name);
    // Read-only fields stay tab stops, so a player can reach and copy a result by keyboard.
    edit->setReadOnly(readOnly);
    addLabelledCell(grid, row, column, name, label, edit)->addWidget(edit);
    return edit;
}

UpDown::UpDown(QLineEdit *associate, int minimum, int maximum, const QString &name,
               QWidget *parent)
    : QWidget(parent), associate_(associate), up_(new QToolButton(this)),
      down_(new QToolButton(this)), minimum_(minimum), maximum_(maximum), position_(minimum)
{
    setObjectName(name);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setObjectName(name + QStringLiteral("Up"));
    down_->setObjectName(name + QStringLiteral("Down"));
    for (QToolButton *b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(16, 11);
    }
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(up_);
    box->addWidget(down_);
    setPosition(readWholeNumber(associate->text(), minimum));
    connect(up_, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(down_, &QToolButton::clicked, this, &UpDown::stepDown);
}

void UpDown::setPosition(int value)
{
    position_ = value < minimum_ ? minimum_ : (value > maximum_ ? maximum_ : value);
}

void UpDown::step(int delta)
{
    // Like the game client's spinners: start from the number in the edit.
    const auto typed = parseWholeNumber(associate_->text());
    if (typed)
        setPosition(*typed);
    const int64_t next = int64_t(position_) + delta;
    setPosition(next < minimum_ ? minimum_ : (next > maximum_ ? maximum_ : int(next)));
    associate_->setText(QString::number(position_));
}

UpDown *addSpinEdit(QGridLayout *grid, int row, int column, const QString &name,
                    const QString &label, const QString &text, const QString &spinnerName,
                    int minimum, int maximum)
{
    auto *edit = new QLineEdit(text);
    edit->setObjectName(name);
    auto *line = new QHBoxLayout;
    line->setSpacing(0);
    line->addWidget(edit);
    auto *spinner = new UpDown(edit, minimum, maximum, spinnerName);
    line->addWidget(spinner);
    addLabelledCell(grid, row, column, name, label, edit)->addLayout(line);
    return spinner;
}

} // namespace qf
