#pragma once
// The confirmation dialog of Delete and Exit, and the import/export dialog.
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace qf {

class TConfirmationDlg : public QDialog {
    Q_OBJECT
public:
    explicit TConfirmationDlg(QWidget *parent);
    // Sets the caption and the question; the caller then shows the dialog modally.
    void AskConfirmation(const QString &caption, const QString &question);
    QString question() const;

private:
    QLabel *Label1;
};

class TImportExportDialog : public QDialog {
    Q_OBJECT
public:
    explicit TImportExportDialog(QWidget *parent);
    QPlainTextEdit *text() const { return IEText; }
    void prepareImport(const QStringList &guidance);
    void prepareExport(const QStringList &lines);
    QString exchangedText() const;

public slots:
    // Selects the whole text and puts it on the clipboard, lines separated by CR LF.
    void ie_copyClick();

private:
    QPlainTextEdit *IEText;
    QPushButton *OKBtn;
    QPushButton *CancelBtn;
    QPushButton *ie_copy;
};

} // namespace qf
