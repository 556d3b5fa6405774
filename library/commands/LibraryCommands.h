#pragma once
// The commands of the "Designer" menu that change the design collection: new,
// copy, delete, rename, open, save, import and export. They work on the
// collection, whose item model keeps every list of names in step, and tell the
// pages through signals what to show.
#include "library/FileReading.h"
#include "model/ShipDesign.h"

#include <QObject>
#include <QString>

class QWidget;

namespace qf {

class DebugLog;
class DesignCollection;
class DesignerPage;
class UserPrompts;
class TShipnameDialog;
class TConfirmationDlg;
class TImportExportDialog;

class LibraryCommands : public QObject {
    Q_OBJECT
public:
    // `window` is the parent of the dialogs and of the error box.
    LibraryCommands(DesignCollection &designs, const DesignerPage &designer, UserPrompts &prompts,
                    DebugLog &log, TShipnameDialog &nameDialog, QWidget *window);

    TConfirmationDlg *confirmationDialog() const { return ConfirmationDlg; }
    TImportExportDialog *importExportDialog() const { return ImportExportDialog; }

    // Appends a design to the collection, selects and shows it.
    void appendDesign(const ShipDesign &design);
    // Reads a design file and appends its design; logs "Error opening input file"
    // and appends nothing when the file cannot be read (missing, not a regular
    // file, too large, not text). With updateSpinners the Designer page's spinners
    // follow every level read. Returns why nothing was appended (no bytes), or ok().
    FileRead LoadDesignFile(const QString &path, bool updateSpinners);
    enum class SaveResult { Saved, Cancelled, Failed };
    // "Speichern Als..." for the selected design. A failed write is logged and told
    // in a message box; the design then keeps its name and stays unsaved.
    SaveResult WriteDesignFile();

    void NewClick();
    void CopyClick();
    void DeleteClick();
    void RenameClick();
    void LoadClick();
    void SaveAsClick();
    void ImportClick();
    void ExportClick();
    // Files dropped on the main window open one after another, as "Öffnen..." opens them.
    void OpenDroppedFiles(const QStringList &paths);

signals:
    // Select the design at `index` in d_ShipName, show it and recompute its production.
    void selectRequested(int index);
    // A level read from a design file at start-up, for the Designer page's spinner.
    void levelRead(Component component, int value);
    // The pages are not usable while a design file is read.
    void readingFile(bool busy);
    // A design was written to a file under its (new) name.
    void designSaved(int index);
    // "Umbenennen" gave the design at `index` a new name, for the history of changes.
    void designRenamed(int index, const QString &before);
    // A design file was read or written, for the list of recent files.
    void designFileUsed(const QString &path);

private:
    void openDesignFile(const QString &path);
    int selectedIndex() const;
    QString selectedName() const;

    DesignCollection &designs_;
    const DesignerPage &designer_;
    UserPrompts &prompts_;
    DebugLog &log_;
    TShipnameDialog &nameDialog_;
    QWidget *window_;
    TImportExportDialog *ImportExportDialog = nullptr;
    TConfirmationDlg *ConfirmationDlg = nullptr;
};

} // namespace qf
