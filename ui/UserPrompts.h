#pragma once
// The one seam through which the program asks the player anything: modal dialogs,
// file dialogs and the error box. The desktop program shows real dialogs; tests
// install prepared answers.
#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

namespace qf {

struct FileDialogRequest {
    QString objectName;   // "OpenDialog1" or "SaveDialog1"
    QString title;
    QStringList filters;  // "Schiffdesigns (*.shp)", ...
    QString defaultSuffix;
    QString fileName;     // proposed file name (save)
};

class UserPrompts {
public:
    virtual ~UserPrompts() = default;
    // Shows the dialog modally and returns QDialog::Accepted or QDialog::Rejected.
    virtual int execDialog(QDialog &dialog) = 0;
    // The chosen path, or an empty text when the player cancels.
    virtual QString openFileName(QWidget *parent, const FileDialogRequest &request) = 0;
    virtual QString saveFileName(QWidget *parent, const FileDialogRequest &request) = 0;
    // Several files at once; by default the one openFileName gives.
    virtual QStringList openFileNames(QWidget *parent, const FileDialogRequest &request);
    // The standard error box.
    virtual void showError(QWidget *parent, const QString &message) = 0;
    // A warning the player must read: something did not happen as asked.
    virtual void showWarning(QWidget *parent, const QString &title, const QString &message) = 0;
    // A plain message, such as the outcome of a search.
    virtual void showInformation(QWidget *parent, const QString &title, const QString &message) = 0;
    // A question with two answers; true when the player takes `yes`.
    virtual bool askQuestion(QWidget *parent, const QString &title, const QString &question,
                             const QString &yes, const QString &no) = 0;
    // A question with several answers, one button each in the order given; returns
    // the index of the answer taken. `fallback` is the default button and what
    // closing the box or Escape answers.
    virtual int askChoice(QWidget *parent, const QString &title, const QString &question,
                          const QStringList &answers, int fallback) = 0;
};

// Real dialogs with exec().
class DesktopPrompts : public UserPrompts {
public:
    int execDialog(QDialog &dialog) override;
    QString openFileName(QWidget *parent, const FileDialogRequest &request) override;
    QString saveFileName(QWidget *parent, const FileDialogRequest &request) override;
    QStringList openFileNames(QWidget *parent, const FileDialogRequest &request) override;
    void showError(QWidget *parent, const QString &message) override;
    void showWarning(QWidget *parent, const QString &title, const QString &message) override;
    void showInformation(QWidget *parent, const QString &title, const QString &message) override;
    bool askQuestion(QWidget *parent, const QString &title, const QString &question, const QString &yes,
                     const QString &no) override;
    int askChoice(QWidget *parent, const QString &title, const QString &question, const QStringList &answers,
                  int fallback) override;
};

} // namespace qf
