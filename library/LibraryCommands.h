#pragma once
// The commands of the "Designer" menu that change the design collection:
// new, copy, delete, rename, open, save, import, export and exit.
#include "model/ShipDesign.h"

#include <QString>

namespace qf {

class TKRM_Main;
class TConfirmationDlg;
class TImportExportDialog;

class LibraryCommands {
public:
    explicit LibraryCommands(TKRM_Main &window);
    ~LibraryCommands();

    void createDialogs();
    TConfirmationDlg *confirmationDialog() const { return ConfirmationDlg; }
    TImportExportDialog *importExportDialog() const { return ImportExportDialog; }

    // Appends a design to the collection and the three lists, selects and shows it.
    void appendDesign(const ShipDesign &design);
    // Reads a design file and appends its design; logs "Error opening input file"
    // and appends nothing when the file cannot be read. With updateSpinners the
    // Designer page's spinners follow every level read.
    void LoadDesignFile(const QString &path, bool updateSpinners);

    void NewClick();
    void CopyClick();
    void DeleteClick();
    void RenameClick();
    void LoadClick();
    void SaveAsClick();
    void ImportClick();
    void ExportClick();
    void ExitClick();
    // Files dropped on the main window open one after another, as "Öffnen..." opens them.
    void OpenDroppedFiles(const QStringList &paths);

private:
    void openDesignFile(const QString &path);
    bool WriteDesignFile();
    void renameSelected(const QString &name);
    void refillLists();
    void showSelected(int index);
    int selectedIndex() const;

    TKRM_Main &window_;
    TConfirmationDlg *ConfirmationDlg = nullptr;
    TImportExportDialog *ImportExportDialog = nullptr;
};

} // namespace qf
