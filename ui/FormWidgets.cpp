#include "ui/FormWidgets.h"

#include "model/WholeNumber.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QStyle>
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

namespace {
// Keeps the font of a field small enough for its text, whenever the text or the size changes.
class TextFitter : public QObject {
public:
    explicit TextFitter(QLineEdit *edit) : QObject(edit), edit_(edit), base_(edit->font())
    {
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textChanged, this, &TextFitter::fit);
    }

    void fit()
    {
        QFont font = base_;
        const int frame = edit_->hasFrame() ? edit_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
        // The frame, the line edit's own margin of 2 on each side, and room for the caret.
        const qreal room = edit_->width() - 2 * frame - 4 - 2;
        const qreal wide = QFontMetricsF(base_).horizontalAdvance(edit_->text());
        if (wide > room && room > 0 && base_.pointSizeF() > 0) {
            for (qreal size = base_.pointSizeF() * room / wide; size > 1; size -= 0.25) {
                font.setPointSizeF(size);
                if (QFontMetricsF(font).horizontalAdvance(edit_->text()) <= room)
                    break;
            }
        }
        if (edit_->font() != font)
            edit_->setFont(font);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == edit_ && event->type() == QEvent::Resize)
            fit();
        return false;
    }

private:
    QLineEdit *edit_;
    QFont base_;
};
} // namespace

QGroupBox *addGridGroup(const char *name, const char *caption, QGridLayout *&grid, const QMargins &margins)
{
    auto *group = new QGroupBox(QString::fromUtf8(caption));
    group->setObjectName(QString::fromLatin1(name));
    grid = new QGridLayout(group);
    grid->setContentsMargins(margins);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    for (int column = 0; column < 3; ++column)
        grid->setColumnStretch(column, 1);
    return group;
}

void ShrinkTextToFit(QLineEdit *edit)
{
    (new TextFitter(edit))->fit();
}

QLineEdit *addLabelledEdit(QGridLayout *grid, int row, int column, const QString &name,
                           const QString &label, const QString &text, bool readOnly)
{
    auto *edit = new QLineEdit(text);
    edit->setObjectName(name);
    // Read-only fields stay tab stops, so a player can reach and copy a result by keyboard.
    edit->setReadOnly(readOnly);
    if (readOnly)
        ShrinkTextToFit(edit);
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
    associate_->installEventFilter(this);
}

bool UpDown::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != associate_ || !isEnabled())
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            if (key->key() == Qt::Key_Up) {
                stepUp();
                return true;
            }
            if (key->key() == Qt::Key_Down) {
                stepDown();
                return true;
            }
        }
    } else if (event->type() == QEvent::Wheel) {
        // One notch of a wheel is 120; a touchpad sends less at a time.
        wheelRest_ += static_cast<QWheelEvent *>(event)->angleDelta().y();
        for (; wheelRest_ >= 120; wheelRest_ -= 120)
            stepUp();
        for (; wheelRest_ <= -120; wheelRest_ += 120)
            stepDown();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void UpDown::setPosition(int value)
{
    position_ = value < minimum_ ? minimum_ : (value > maximum_ ? maximum_ : value);
}

void UpDown::step(int delta)
{
    // Like the game client's spinners: start from the number in the edit.
    const auto typed = parseWholeNumber(associate_->text());
    if (typed) {
        // A typed number outside the range never moves the other way: a step away from
        // the range leaves it, a step towards it goes to the range's nearer end.
        const bool above = *typed > maximum_;
        const bool below = *typed < minimum_;
        if ((above && delta > 0) || (below && delta < 0))
            return;
        setPosition(*typed);
        if (above || below) {
            associate_->setText(QString::number(position_));
            return;
        }
    }
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
