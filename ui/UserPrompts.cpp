#include "ui/UserPrompts.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace qf {

int DesktopPrompts::execDialog(QDialog &dialog) { return dialog.exec(); }

QStringList UserPrompts::openFileNames(QWidget *parent, const FileDialogRequest &request)
{
    const QString path = openFileName(parent, request);
    return path.isEmpty() ? QStringList() : QStringList{path};
}

namespace {
QStringList runFileDialog(QWidget *parent, const FileDialogRequest &request, QFileDialog::AcceptMode mode,
                          QFileDialog::FileMode openMode = QFileDialog::ExistingFile)
{
    QFileDialog dialog(parent, request.title);
    dialog.setObjectName(request.objectName);
    dialog.setAcceptMode(mode);
    dialog.setNameFilters(request.filters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontUseNativeDialog, false);
    if (mode == QFileDialog::AcceptOpen) {
        dialog.setFileMode(openMode);
    } else {
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!request.fileName.isEmpty())
            dialog.selectFile(request.fileName);
    }
    if (dialog.exec() != QDialog::Accepted)
        return QStringList();
    return dialog.selectedFiles();
}
} // namespace

QString DesktopPrompts::openFileName(QWidget *parent, const FileDialogRequest &request)
{
    return runFileDialog(parent, request, QFileDialog::AcceptOpen).value(0);
}

QStringList DesktopPrompts::openFileNames(QWidget *parent, const FileDialogRequest &request)
{
    return runFileDialog(parent, request, QFileDialog::AcceptOpen, QFileDialog::ExistingFiles);
}

QString DesktopPrompts::saveFileName(QWidget *parent, const FileDialogRequest &request)
{
    return runFileDialog(parent, request, QFileDialog::AcceptSave).value(0);
}

void DesktopPrompts::showError(QWidget *parent, const QString &message)
{
    QMessageBox::critical(parent, QStringLiteral("Fehler"), message);
}

void DesktopPrompts::showWarning(QWidget *parent, const QString &title, const QString &message)
{
    QMessageBox::warning(parent, title, message);
}

void DesktopPrompts::showInformation(QWidget *parent, const QString &title, const QString &message)
{
    QMessageBox::information(parent, title, message);
}

bool DesktopPrompts::askQuestion(QWidget *parent, const QString &title, const QString &question,
                                 const QString &yes, const QString &no)
{
    QMessageBox box(QMessageBox::Question, title, question, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("QuestionBox"));
    QPushButton *yesButton = box.addButton(yes, QMessageBox::AcceptRole);
    QPushButton *noButton = box.addButton(no, QMessageBox::RejectRole);
    box.setDefaultButton(noButton);
    box.setEscapeButton(noButton);
    box.exec();
    return box.clickedButton() == yesButton;
}

int DesktopPrompts::askChoice(QWidget *parent, const QString &title, const QString &question,
                              const QStringList &answers, int fallback)
{
    QMessageBox box(QMessageBox::Question, title, question, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("ChoiceBox"));
    QList<QPushButton *> buttons;
    for (const QString &answer : answers)
        buttons << box.addButton(answer, QMessageBox::ActionRole);
    if (fallback >= 0 && fallback < buttons.size()) {
        box.setDefaultButton(buttons[fallback]);
        box.setEscapeButton(buttons[fallback]);
    }
    box.exec();
    const int taken = int(buttons.indexOf(static_cast<QPushButton *>(box.clickedButton())));
    return taken >= 0 ? taken : fallback;
}

} // namespace qf
