#pragma once
// The ship name dialog, the distance dialog and the about box.
#include <QDialog>

class QLineEdit;
class QLabel;
class QPushButton;

namespace qf {

// A labelled edit above the buttons "Ok" and "Abbrechen".
class TEditDialog : public QDialog {
    Q_OBJECT
public:
    TEditDialog(const QString &name, const QString &caption, const QString &editName,
                const QString &labelText, QWidget *parent);
    QLineEdit *edit() const { return edit_; }
    QString text() const;
    void setText(const QString &text);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *edit_;
};

class TShipnameDialog : public TEditDialog {
    Q_OBJECT
public:
    explicit TShipnameDialog(QWidget *parent);
};

class TDistanceOptionDialog : public TEditDialog {
    Q_OBJECT
public:
    explicit TDistanceOptionDialog(QWidget *parent);
};

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent);
};

} // namespace qf
