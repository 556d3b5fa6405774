#include "library/LibraryCommands.h"

#include "app/AppState.h"
#include "app/KRM_Main.h"
#include "designer/DesignerPage.h"

#include <QComboBox>

namespace qf {

LibraryCommands::LibraryCommands(TKRM_Main &window) : window_(window) {}

LibraryCommands::~LibraryCommands() = default;

void LibraryCommands::createDialogs() {}

void LibraryCommands::appendDesign(const ShipDesign &design)
{
    AppState &state = window_.state();
    state.designs.append(design);
    const int index = window_.AddDesignToLists(design.GetName());
    DesignerPage *page = window_.designerPage();
    page->shipNameList()->setCurrentIndex(index);
    page->ShowDesign();
    page->FactoryChange();
}

void LibraryCommands::LoadDesignFile(const QString &, bool) {}
void LibraryCommands::NewClick() {}
void LibraryCommands::CopyClick() {}
void LibraryCommands::DeleteClick() {}
void LibraryCommands::RenameClick() {}
void LibraryCommands::LoadClick() {}
void LibraryCommands::SaveAsClick() {}
void LibraryCommands::ImportClick() {}
void LibraryCommands::ExportClick() {}
void LibraryCommands::ExitClick() {}

} // namespace qf
