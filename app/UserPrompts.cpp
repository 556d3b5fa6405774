#include "app/UserPrompts.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace qf {

int DesktopPrompts::execDialog(QDialog &dialog) { return dialog.exec(); }

namespace {
QString runFileDialog(QWidget *parent, const FileDialogSpec &spec, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, spec.title);
    dialog.setObjectName(spec.objectName);
    dialog.setAcceptMode(mode);
    dialog.setNameFilters(spec.filters);
    dialog.setDefaultSuffix(spec.defaultSuffix);
    dialog.setOption(QFileDialog::DontUseNativeDialog, false);
    if (mode == QFileDialog::AcceptOpen) {
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!spec.fileName.isEmpty())
            dialog.selectFile(spec.fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
} // namespace

QString DesktopPrompts::openFileName(QWidget *parent, const FileDialogSpec &spec)
{
    return runFileDialog(parent, spec, QFileDialog::AcceptOpen);
}

QString DesktopPrompts::saveFileName(QWidget *parent, const FileDialogSpec &spec)
{
    return runFileDialog(parent, spec, QFileDialog::AcceptSave);
}

void DesktopPrompts::showError(QWidget *parent, const QString &message)
{
    QMessageBox::critical(parent, QStringLiteral("Fehler"), message);
}

} // namespace qf
