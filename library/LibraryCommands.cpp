#include "library/LibraryCommands.h"

#include "app/AppState.h"
#include "app/DebugLog.h"
#include "app/FormWidgets.h"
#include "app/HandlerGuard.h"
#include "app/KRM_Main.h"
#include "app/SmallDialogs.h"
#include "battle/BattlePage.h"
#include "designer/DesignerPage.h"
#include "library/DesignFile.h"
#include "library/FileWriting.h"
#include "library/GameText.h"
#include "library/LibraryDialogs.h"

#include <QComboBox>
#include <QFile>
#include <QTabWidget>

namespace qf {

namespace {
// Keeps the page control disabled while a file is read, whatever happens.
class PagesDisabled {
public:
    explicit PagesDisabled(QTabWidget *pages) : pages_(pages) { pages_->setEnabled(false); }
    ~PagesDisabled() { pages_->setEnabled(true); }
    PagesDisabled(const PagesDisabled &) = delete;
    PagesDisabled &operator=(const PagesDisabled &) = delete;

private:
    QTabWidget *pages_;
};
} // namespace

LibraryCommands::LibraryCommands(TKRM_Main &window) : window_(window) {}

LibraryCommands::~LibraryCommands() = default;

void LibraryCommands::createDialogs()
{
    ImportExportDialog = new TImportExportDialog(&window_);
    ConfirmationDlg = new TConfirmationDlg(&window_);
}

int LibraryCommands::selectedIndex() const { return window_.designerPage()->selectedIndex(); }

void LibraryCommands::showSelected(int index)
{
    DesignerPage *page = window_.designerPage();
    page->shipNameList()->setCurrentIndex(index);
    page->ShowDesign();
    page->FactoryChange();
}

void LibraryCommands::appendDesign(const ShipDesign &design)
{
    window_.state().designs.append(design);
    showSelected(window_.AddDesignToLists(design.GetName()));
}

void LibraryCommands::renameSelected(const QString &name)
{
    const int index = selectedIndex();
    window_.designerPage()->shipNameList()->setItemText(index, name);
    for (int fleet : {1, 2})
        window_.battlePage()->shipClassList(fleet)->setItemText(index, name);
}

void LibraryCommands::refillLists()
{
    window_.designerPage()->shipNameList()->clear();
    for (int fleet : {1, 2})
        window_.battlePage()->shipClassList(fleet)->clear();
    for (const ShipDesign &design : window_.state().designs.Designs)
        window_.AddDesignToLists(design.GetName());
}

void LibraryCommands::NewClick()
{
    guarded(window_.prompts(), &window_, [&] {
        ShipDesign design;
        TShipnameDialog *dialog = window_.shipnameDialog();
        dialog->setText(QStringLiteral("Ein neues Schiff"));
        if (window_.prompts().execDialog(*dialog) != QDialog::Accepted)
            return;
        design.SetName(dialog->text());
        appendDesign(design);
    });
}

void LibraryCommands::CopyClick()
{
    guarded(window_.prompts(), &window_, [&] {
        window_.debugLog().append(QStringLiteral("Copy-Func started"));
        DesignCollection &designs = window_.state().designs;
        const int index = selectedIndex();
        if (index < 0 || index >= designs.size())
            return;
        const ShipDesign &source = designs.at(index);
        ShipDesign copy;
        copy.SetName(designs.SuffixedName(source.GetName()));
        copy.SetStorageBays(source.GetStorageBays());
        copy.SetArmorLevel(source.GetArmorLevel());
        copy.SetThruster(source.GetThruster());
        copy.SetFusi(source.GetFusi());
        copy.SetMissles(source.GetMissles());
        copy.SetLaser(source.GetLaser());
        copy.SetPlasma(source.GetPlasma());
        copy.SetZVA(source.GetZVA());
        if (source.GetCrewed()) copy.SetCrewed(true);
        if (source.GetKolo()) copy.SetKolo(true);
        if (source.GetInva()) copy.SetInva(true);
        if (source.GetRecy()) copy.SetRecy(true);
        if (source.GetSpy()) copy.SetSpy(true);
        if (source.GetCloak()) copy.SetCloak(true);
        if (source.GetRaid()) copy.SetRaid(true);
        if (source.GetSabo()) copy.SetSabo(true);
        appendDesign(copy);
    });
}

void LibraryCommands::DeleteClick()
{
    guarded(window_.prompts(), &window_, [&] {
        DesignCollection &designs = window_.state().designs;
        const int index = selectedIndex();
        if (index < 0 || designs.isEmpty() || index >= designs.size())
            return;
        ConfirmationDlg->AskConfirmation(QStringLiteral("Löschen"),
                                         QStringLiteral("Wollen Sie das Schiffsdesign wirklich löschen?"));
        if (window_.prompts().execDialog(*ConfirmationDlg) != QDialog::Accepted)
            return;
        designs.removeAt(index);
        if (designs.isEmpty()) {
            window_.debugLog().append(QStringLiteral("Last design deleted, replacing with empty design."));
            designs.append(ShipDesign());
        }
        refillLists();
        showSelected(index - 1 < 0 ? 0 : index - 1);
    });
}

void LibraryCommands::RenameClick()
{
    guarded(window_.prompts(), &window_, [&] {
        DesignCollection &designs = window_.state().designs;
        const int index = selectedIndex();
        if (index < 0 || index >= designs.size())
            return;
        TShipnameDialog *dialog = window_.shipnameDialog();
        dialog->setText(window_.designerPage()->shipNameList()->currentText());
        if (window_.prompts().execDialog(*dialog) != QDialog::Accepted)
            return;
        designs.at(index).SetName(dialog->text());
        renameSelected(designs.at(index).GetName());
        window_.designerPage()->ShowChangedMarker();
    });
}

void LibraryCommands::LoadDesignFile(const QString &path, bool updateSpinners)
{
    QByteArray bytes;
    {
        const PagesDisabled disabled(window_.pageControl());
        QFile file(path);
        const bool readable = file.open(QIODevice::ReadOnly) && file.size() <= kMaxDesignFileSize;
        if (readable)
            bytes = file.read(kMaxDesignFileSize + 1);
        if (!readable || !IsDesignFileContent(bytes)) {
            window_.debugLog().append(QStringLiteral("Error opening input file"));
            return;
        }
    }
    DesignerPage *page = window_.designerPage();
    const ShipDesign design = ReadDesignFile(
        bytes, DesignNameFromPath(path), [&](const QString &spinnerName, int value) {
            if (updateSpinners)
                if (UpDown *spinner = page->spinner(spinnerName))
                    spinner->setPosition(value);
        });
    const PagesDisabled disabled(window_.pageControl());
    appendDesign(design);
}

void LibraryCommands::LoadClick()
{
    guarded(window_.prompts(), &window_, [&] {
        FileDialogRequest request;
        request.objectName = QStringLiteral("OpenDialog1");
        request.title = QStringLiteral("Schiffsdesign Laden...");
        request.filters = QStringList{QStringLiteral("Schiffdesigns (*.shp)"), QStringLiteral("Alle Dateien (*.*)")};
        request.defaultSuffix = QStringLiteral("shp");
        const QString path = window_.prompts().openFileName(&window_, request);
        if (!path.isEmpty())
            openDesignFile(path);
    });
}

void LibraryCommands::OpenDroppedFiles(const QStringList &paths)
{
    guarded(window_.prompts(), &window_, [&] {
        for (const QString &path : paths)
            openDesignFile(path);
    });
}

void LibraryCommands::openDesignFile(const QString &path)
{
    DesignCollection &designs = window_.state().designs;
    const int before = designs.size();
    LoadDesignFile(path, false);
    if (designs.size() <= before)
        return;
    // A name that is already taken gets the copy counter as suffix.
    const QString fileName = DesignNameFromPath(path);
    const int last = designs.size() - 1;
    for (int i = 0; i < last; ++i) {
        if (designs.at(i).GetName() != fileName)
            continue;
        ShipDesign &added = designs.at(selectedIndex());
        added.SetName(designs.SuffixedName(added.GetName()));
        renameSelected(added.GetName());
        window_.designerPage()->ShowChangedMarker();
    }
}

bool LibraryCommands::WriteDesignFile()
{
    DesignerPage *page = window_.designerPage();
    FileDialogRequest request;
    request.objectName = QStringLiteral("SaveDialog1");
    request.title = QStringLiteral("Schiffsdesign Speichern...");
    request.filters = QStringList{QStringLiteral("Schiffsdesigns (*.shp)"), QStringLiteral("Alle Dateien (*.*)")};
    request.defaultSuffix = QStringLiteral("shp");
    request.fileName = page->shipNameList()->currentText() + QStringLiteral(".shp");
    const QString path = window_.prompts().saveFileName(&window_, request);
    if (path.isEmpty())
        return false;

    // Written through a temporary file: the old file stays whole unless the new one is complete.
    if (!WriteFileReplacing(path, FormatDesignFile(page->shownFigures()))) {
        window_.debugLog().append(QStringLiteral("Error opening output file"));
        return false;
    }

    DesignCollection &designs = window_.state().designs;
    const int index = selectedIndex();
    if (index < 0 || index >= designs.size())
        return true;
    ShipDesign &design = designs.at(index);
    design.SetName(DesignNameFromPath(path));
    renameSelected(design.GetName());
    for (int fleet : {1, 2})
        window_.battlePage()->shipClassList(fleet)->setCurrentIndex(0);
    design.MarkSaved();
    page->ShowChangedMarker();
    return true;
}

void LibraryCommands::SaveAsClick()
{
    guarded(window_.prompts(), &window_, [&] { WriteDesignFile(); });
}

void LibraryCommands::ImportClick()
{
    guarded(window_.prompts(), &window_, [&] {
        ImportExportDialog->prepareImport(ImportGuidanceLines());
        if (window_.prompts().execDialog(*ImportExportDialog) != QDialog::Accepted)
            return;
        appendDesign(ImportGameText(ImportExportDialog->exchangedText()));
        RenameClick();
    });
}

void LibraryCommands::ExportClick()
{
    guarded(window_.prompts(), &window_, [&] {
        ImportExportDialog->prepareExport(ExportLines(window_.designerPage()->shownFigures()));
        window_.prompts().execDialog(*ImportExportDialog);
    });
}

void LibraryCommands::ExitClick()
{
    guarded(window_.prompts(), &window_, [&] {
        DesignCollection &designs = window_.state().designs;
        QTabWidget *pages = window_.pageControl();
        showSelected(0);
        for (;;) {
            showSelected(0);
            ShipDesign &design = designs.at(0);
            if (design.IsChanged()) {
                const int shownPage = pages->currentIndex();
                pages->setCurrentIndex(0);
                ConfirmationDlg->AskConfirmation(
                    QStringLiteral("Schiffstyp speichern"),
                    QStringLiteral("Den Schiffstyp ") + design.GetName() + QStringLiteral(" speichern?"));
                if (window_.prompts().execDialog(*ConfirmationDlg) == QDialog::Accepted)
                    WriteDesignFile();
                pages->setCurrentIndex(shownPage);
            }
            if (designs.size() <= 1)
                break;
            // The program is ending: the design leaves the collection and the lists.
            designs.removeAt(0);
            window_.designerPage()->shipNameList()->removeItem(0);
            for (int fleet : {1, 2})
                window_.battlePage()->shipClassList(fleet)->removeItem(0);
        }
        window_.WriteConfig();
        window_.endProcess(0);
    });
}

} // namespace qf
