#include "undo/UndoHistory.h"

#include "library/DesignCollection.h"
#include "undo/EditSteps.h"

#include <QAction>
#include <QApplication>
#include <QScopedValueRollback>
#include <QWidget>

namespace qf {

namespace {
// Levels that fall first, then those that rise, so no level on the way takes the
// base elements past their limit; the actions that need a crew before the crew.
void takeValues(ShipDesign &design, const ShipDesign &values)
{
    for (bool rising : {false, true}) {
        for (const ComponentField &f : ComponentFields()) {
            const int level = values.GetLevel(f.id);
            if (level != design.GetLevel(f.id) && (level > design.GetLevel(f.id)) == rising)
                design.SetLevel(f.id, level);
        }
    }
    for (const ActionField &f : ActionFields()) {
        if (f.id != Action::Crewed)
            design.SetFlag(f.id, values.GetFlag(f.id));
    }
    design.SetFlag(Action::Crewed, values.GetFlag(Action::Crewed));
}

QString caption(const QString &item, const QString &step)
{
    return step.isEmpty() ? item : item + QStringLiteral(": ") + step;
}
} // namespace

UndoHistory::UndoHistory(DesignCollection &designs, Fleet &home, Fleet &foreign)
    : designs_(designs), home_(home), foreign_(foreign)
{
    // A step names its design by its place in the collection: a design that leaves it
    // moves the places of those after it, so the history starts anew.
    connect(&designs_, &QAbstractItemModel::rowsRemoved, this, &UndoHistory::clear);
    connect(&designs_, &QAbstractItemModel::modelReset, this, &UndoHistory::clear);
    // The focus leaving a level field ends its step.
    if (auto *app = qobject_cast<QApplication *>(QCoreApplication::instance()))
        connect(app, &QApplication::focusChanged, this, &UndoHistory::closeMerge);
    connect(&stack_, &QUndoStack::indexChanged, this, &UndoHistory::changed);
    connect(&stack_, &QUndoStack::undoTextChanged, this, &UndoHistory::changed);
    connect(&stack_, &QUndoStack::redoTextChanged, this, &UndoHistory::changed);
}

void UndoHistory::designEdited(int index, const ShipDesign &before, const QString &text, int field)
{
    if (applying_ || !designs_.contains(index) || before.HasValuesOf(designs_.at(index)))
        return;
    stack_.push(new DesignStep(*this, index, before, designs_.at(index), text, field, mergeRound_));
}

void UndoHistory::designRenamed(int index, const QString &before)
{
    if (applying_ || !designs_.contains(index) || designs_.at(index).GetName() == before)
        return;
    stack_.push(new RenameStep(*this, index, before, designs_.at(index).GetName()));
}

void UndoHistory::fleetsEdited(const FleetPair &before, const QString &text)
{
    if (applying_ || (before.home.SameAs(home_) && before.foreign.SameAs(foreign_)))
        return;
    stack_.push(new FleetStep(*this, before, fleets(), text));
}

void UndoHistory::setFleetsLocked(bool locked)
{
    fleetsLocked_ = locked;
    emit changed();
}

bool UndoHistory::isFleetStep(int index) const
{
    return dynamic_cast<const FleetStep *>(stack_.command(index)) != nullptr;
}

bool UndoHistory::canUndo() const
{
    return stack_.canUndo() && !(fleetsLocked_ && isFleetStep(stack_.index() - 1));
}

bool UndoHistory::canRedo() const
{
    return stack_.canRedo() && !(fleetsLocked_ && isFleetStep(stack_.index()));
}

void UndoHistory::undo()
{
    if (!canUndo())
        return;
    stack_.undo();
    closeMerge();
}

void UndoHistory::redo()
{
    if (!canRedo())
        return;
    stack_.redo();
    closeMerge();
}

void UndoHistory::bindUndoItem(QAction *item) { bindItem(item, false); }

void UndoHistory::bindRedoItem(QAction *item) { bindItem(item, true); }

void UndoHistory::bindItem(QAction *item, bool redo)
{
    const auto refresh = [this, item, redo] {
        item->setText(redo ? caption(QStringLiteral("Wiederholen"), stack_.redoText())
                           : caption(QStringLiteral("Rückgängig"), stack_.undoText()));
        item->setEnabled(redo ? canRedo() : canUndo());
    };
    connect(this, &UndoHistory::changed, item, refresh);
    connect(item, &QAction::triggered, this, redo ? &UndoHistory::redo : &UndoHistory::undo);
    refresh();
}

void UndoHistory::putDesignValues(int index, const ShipDesign &values)
{
    if (!designs_.contains(index))
        return;
    const QScopedValueRollback<bool> applying(applying_, true);
    designs_.update(index, [&values](ShipDesign &design) { takeValues(design, values); });
    emit designShown(index);
}

void UndoHistory::putDesignName(int index, const QString &name)
{
    if (!designs_.contains(index))
        return;
    const QScopedValueRollback<bool> applying(applying_, true);
    designs_.rename(index, name);
    emit designShown(index);
}

void UndoHistory::putFleets(const FleetPair &fleets)
{
    const QScopedValueRollback<bool> applying(applying_, true);
    home_ = fleets.home;
    foreign_ = fleets.foreign;
    chosen_ = fleets.chosen;
    emit fleetsRestored();
}

} // namespace qf
