#pragma once
// Small building blocks shared by the pages: labelled edits and up/down spinners.
#include <QLineEdit>
#include <QWidget>

class QGridLayout;
class QGroupBox;
class QToolButton;

namespace qf {

// A group box of a page: a grid of three equal columns of labelled cells, with
// the given margins around them.
QGroupBox *addGridGroup(const char *name, const char *caption, QGridLayout *&grid, const QMargins &margins);

// A read-only field shows its whole text: a text wider than the field is drawn
// in a smaller font until it fits, so no figure is ever cut off.
void ShrinkTextToFit(QLineEdit *edit);

// A line edit with its label (buddy) above it; the edit carries the control's name.
// The label gets the name "<control>Label". A read-only edit shrinks its text to fit.
QLineEdit *addLabelledEdit(QGridLayout *grid, int row, int column, const QString &name,
                           const QString &label, const QString &text = QString(),
                           bool readOnly = false);

// Up/down arrows bound to an edit. The arrows step the edit's number within the
// range; numbers typed into the edit are not limited by it.
class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(QLineEdit *associate, int minimum, int maximum, const QString &name,
           QWidget *parent = nullptr);

    QLineEdit *edit() const { return associate_; }
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    int position() const { return position_; }
    // Moves the spinner's own position (clamped to the range) without touching the edit.
    void setPosition(int value);
    void stepUp() { step(+1); }
    void stepDown() { step(-1); }
    QToolButton *upButton() const { return up_; }
    QToolButton *downButton() const { return down_; }

protected:
    // The Up and Down keys and the mouse wheel in the edit step it as the arrows do.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void step(int delta);

    QLineEdit *associate_;
    QToolButton *up_;
    QToolButton *down_;
    int minimum_;
    int maximum_;
    int position_;
    int wheelRest_ = 0; // wheel movement below one step, kept for the next
};

// An edit with its spinner to the right, in one grid cell under the label.
UpDown *addSpinEdit(QGridLayout *grid, int row, int column, const QString &name,
                    const QString &label, const QString &text, const QString &spinnerName,
                    int minimum, int maximum);

} // namespace qf
