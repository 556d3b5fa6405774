#include "library/commands/LibraryCommands.h"

#include "ui/DebugLog.h"
#include "ui/HandlerGuard.h"
#include "ui/SmallDialogs.h"
#include "designer/DesignerPage.h"
#include "library/DesignCollection.h"
#include "library/DesignFile.h"
#include "library/FileReading.h"
#include "library/FileWriting.h"
#include "library/GameText.h"
#include "library/commands/LibraryDialogs.h"

#include <QComboBox>
#include <QDir>

namespace qf {

namespace {
// Keeps the pages unusable while a file is read, whatever happens.
class ReadingFile {
public:
    explicit ReadingFile(LibraryCommands &commands) : commands_(commands) { emit commands_.readingFile(true); }
    ~ReadingFile() { emit commands_.readingFile(false); }
    ReadingFile(const ReadingFile &) = delete;
    ReadingFile &operator=(const ReadingFile &) = delete;

private:
    LibraryCommands &commands_;
};

FileDialogRequest designFileDialog(const char *objectName, const char *title, const char *filter)
{
    FileDialogRequest request;
    request.objectName = QString::fromLatin1(objectName);
    request.title = QString::fromLatin1(title);
    request.filters = QStringList{QString::fromLatin1(filter), QStringLiteral("Alle Dateien (*.*)")};
    request.defaultSuffix = QStringLiteral("shp");
    return request;
}
} // namespace

LibraryCommands::LibraryCommands(DesignCollection &designs, const DesignerPage &designer,
                                 UserPrompts &prompts, DebugLog &log, TShipnameDialog &nameDialog,
                                 QWidget *window)
    : QObject(window), designs_(designs), designer_(designer), prompts_(prompts), log_(log),
      nameDialog_(nameDialog), window_(window),
      ImportExportDialog(new TImportExportDialog(window)), ConfirmationDlg(new TConfirmationDlg(window))
{
}

int LibraryCommands::selectedIndex() const { return designer_.selectedIndex(); }

QString LibraryCommands::selectedName() const { return designer_.shipNameList()->currentText(); }

void LibraryCommands::appendDesign(const ShipDesign &design)
{
    emit selectRequested(designs_.append(design));
}

void LibraryCommands::NewClick()
{
    guarded(prompts_, window_, [&] {
        ShipDesign design;
        nameDialog_.setText(QStringLiteral("Ein neues Schiff"));
        if (prompts_.execDialog(nameDialog_) != QDialog::Accepted)
            return;
        design.SetName(nameDialog_.text());
        appendDesign(design);
    });
}

void LibraryCommands::CopyClick()
{
    guarded(prompts_, window_, [&] {
        log_.append(QStringLiteral("Copy-Func started"));
        const int index = selectedIndex();
        if (!designs_.contains(index))
            return;
        appendDesign(designs_.CopyOf(index));
    });
}

void LibraryCommands::DeleteClick()
{
    guarded(prompts_, window_, [&] {
        const int index = selectedIndex();
        if (!designs_.contains(index))
            return;
        ConfirmationDlg->AskConfirmation(QStringLiteral("Löschen"),
                                         QStringLiteral("Wollen Sie das Schiffsdesign wirklich löschen?"));
        if (prompts_.execDialog(*ConfirmationDlg) != QDialog::Accepted)
            return;
        designs_.removeAt(index);
        if (designs_.isEmpty()) {
            log_.append(QStringLiteral("Last design deleted, replacing with empty design."));
            designs_.append(ShipDesign());
        }
        // Deleting the first design selects the new first one, any other the one before it.
        emit selectRequested(index - 1 < 0 ? 0 : index - 1);
    });
}

void LibraryCommands::RenameClick()
{
    guarded(prompts_, window_, [&] {
        const int index = selectedIndex();
        if (!designs_.contains(index))
            return;
        const QString before = designs_.at(index).GetName();
        nameDialog_.setText(selectedName());
        if (prompts_.execDialog(nameDialog_) != QDialog::Accepted)
            return;
        designs_.rename(index, nameDialog_.text());
        emit designRenamed(index, before);
    });
}

FileRead LibraryCommands::LoadDesignFile(const QString &path, bool updateSpinners)
{
    QByteArray bytes;
    {
        const ReadingFile reading(*this);
        FileRead read = ReadRegularFile(path, kMaxDesignFileSize);
        if (read.ok() && !IsDesignFileContent(read.bytes))
            read.failure = ReadFailure::CannotOpen; // a NUL byte: not a design file
        if (!read.ok()) {
            log_.append(QStringLiteral("Error opening input file"));
            return read;
        }
        bytes = std::move(read.bytes);
    }
    const ShipDesign design = ReadDesignFile(bytes, DesignNameFromPath(path), [&](Component c, int value) {
        if (updateSpinners)
            emit levelRead(c, value);
    });
    const ReadingFile reading(*this);
    appendDesign(design);
    emit designFileUsed(path);
    return FileRead();
}

void LibraryCommands::LoadClick()
{
    guarded(prompts_, window_, [&] {
        // Several files open one after another, each as one file opens.
        const QStringList paths = prompts_.openFileNames(
            window_, designFileDialog("OpenDialog1", "Schiffsdesign Laden...", "Schiffdesigns (*.shp)"));
        for (const QString &path : paths)
            openDesignFile(path);
    });
}

void LibraryCommands::OpenDroppedFiles(const QStringList &paths)
{
    guarded(prompts_, window_, [&] {
        for (const QString &path : paths)
            openDesignFile(path);
    });
}

void LibraryCommands::openDesignFile(const QString &path)
{
    const FileRead read = LoadDesignFile(path, false);
    if (read.ok()) {
        designs_.SuffixOnCollision(selectedIndex(), DesignNameFromPath(path));
        return;
    }
    // The player chose this file, so the player is told why it did not open.
    prompts_.showWarning(window_, QStringLiteral("Öffnen fehlgeschlagen"),
                         QStringLiteral("Die Datei \u201E%1\u201C wurde nicht geöffnet: %2")
                             .arg(QDir::toNativeSeparators(path),
                                  ReadFailureText(read, kMaxDesignFileSize)));
}

LibraryCommands::SaveResult LibraryCommands::WriteDesignFile()
{
    FileDialogRequest request =
        designFileDialog("SaveDialog1", "Schiffsdesign Speichern...", "Schiffsdesigns (*.shp)");
    request.fileName = selectedName() + QStringLiteral(".shp");
    const QString path = prompts_.saveFileName(window_, request);
    if (path.isEmpty())
        return SaveResult::Cancelled;

    // Written through a temporary file: the old file stays whole unless the new one is complete.
    QString why;
    if (!WriteFileReplacing(path, FormatDesignFile(designer_.shownFigures()), &why)) {
        log_.append(QStringLiteral("Error opening output file"));
        prompts_.showWarning(window_, QStringLiteral("Speichern fehlgeschlagen"),
                             SaveFailureText(path, why));
        return SaveResult::Failed;
    }

    const int index = selectedIndex();
    if (!designs_.contains(index))
        return SaveResult::Saved;
    designs_.update(index, [&path](ShipDesign &design) {
        design.SetName(DesignNameFromPath(path));
        design.MarkSaved();
    });
    emit designSaved(index);
    emit designFileUsed(path);
    return SaveResult::Saved;
}

void LibraryCommands::SaveAsClick()
{
    guarded(prompts_, window_, [&] { WriteDesignFile(); });
}

void LibraryCommands::ImportClick()
{
    guarded(prompts_, window_, [&] {
        ImportExportDialog->prepareImport(ImportGuidanceLines());
        if (prompts_.execDialog(*ImportExportDialog) != QDialog::Accepted)
            return;
        appendDesign(ImportGameText(ImportExportDialog->exchangedText()));
        // A name that is taken is told apart as an opened file's name is.
        const int index = selectedIndex();
        if (designs_.contains(index))
            designs_.SuffixOnCollision(index, designs_.at(index).GetName());
        RenameClick();
    });
}

void LibraryCommands::ExportClick()
{
    guarded(prompts_, window_, [&] {
        ImportExportDialog->prepareExport(ExportLines(designer_.shownFigures()));
        prompts_.execDialog(*ImportExportDialog);
    });
}

} // namespace qf
