#include "app/UserPrompts.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace qf {

int DesktopPrompts::execDialog(QDialog &dialog) { return dialog.exec(); }

namespace {
QString runFileDialog(QWidget *parent, const FileDialogRequest &request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, request.title);
    dialog.setObjectName(request.objectName);
    dialog.setAcceptMode(mode);
    dialog.setNameFilters(request.filters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontUseNativeDialog, false);
    if (mode == QFileDialog::AcceptOpen) {
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!request.fileName.isEmpty())
            dialog.selectFile(request.fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
} // namespace

QString DesktopPrompts::openFileName(QWidget *parent, const FileDialogRequest &request)
{
    return runFileDialog(parent, request, QFileDialog::AcceptOpen);
}

QString DesktopPrompts::saveFileName(QWidget *parent, const FileDialogRequest &request)
{
    return runFileDialog(parent, request, QFileDialog::AcceptSave);
}

void DesktopPrompts::showError(QWidget *parent, const QString &message)
{
    QMessageBox::critical(parent, QStringLiteral("Fehler"), message);
}

} // namespace qf
