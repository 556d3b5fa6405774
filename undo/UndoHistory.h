#pragma once
// The program's one history of changes, as a text editor keeps one for its
// document: every change of a design's levels, actions or name and every change
// of a fleet is a step that "Rückgängig" takes back and "Wiederholen" makes again.
// A step keeps the values before and after and puts them back through the design
// collection and the fleets, so every page shows them. It never touches a file:
// a design whose values go back is unsaved unless they are those of its file.
#include "battle/Fleet.h"

#include <QObject>
#include <QUndoStack>
#include <array>

class QAction;

namespace qf {

class DesignCollection;
class ShipDesign;

// Both fleets as they stand at one moment, and the entry of each that the keys act on.
struct FleetPair {
    Fleet home;
    Fleet foreign;
    std::array<int, 2> chosen = {-1, -1};
};

class UndoHistory : public QObject {
    Q_OBJECT
public:
    UndoHistory(DesignCollection &designs, Fleet &home, Fleet &foreign);

    const QUndoStack &stack() const { return stack_; }

    // The design at `index` changed from `before` to what it holds now: one step
    // named `text` ("Laserkanonen 7"), none when its levels and actions stayed.
    // Steps of one level `field` (its component's number) of one design in a row
    // become one while the focus stays where it is.
    void designEdited(int index, const ShipDesign &before, const QString &text, int field = -1);
    // The design at `index` was renamed from `before`.
    void designRenamed(int index, const QString &before);
    // The fleets now, for fleetsEdited after a change.
    FleetPair fleets() const { return {home_, foreign_, chosen_}; }
    void fleetsEdited(const FleetPair &before, const QString &text);
    // The entry of fleet 1 or 2 that the keys act on, kept with the fleets' steps.
    void setChosenEntry(int fleet, int position) { chosen_[fleet == 1 ? 0 : 1] = position; }
    int chosenEntry(int fleet) const { return chosen_[fleet == 1 ? 0 : 1]; }

    // While a battle or a search runs the fleets wait: their steps are neither undone nor redone.
    void setFleetsLocked(bool locked);
    bool canUndo() const;
    bool canRedo() const;
    // Keeps the item's caption ("Rückgängig: Laserkanonen 7") and whether it can be
    // chosen in step with the history; choosing it undoes (redoes) the step.
    void bindUndoItem(QAction *item);
    void bindRedoItem(QAction *item);

    // What the steps call to put values back.
    void putDesignValues(int index, const ShipDesign &values);
    void putDesignName(int index, const QString &name);
    void putFleets(const FleetPair &fleets);

public slots:
    void undo();
    void redo();
    void clear() { stack_.clear(); }
    // The next change of a level starts a step of its own.
    void closeMerge() { ++mergeRound_; }

signals:
    // A step of this design was undone or redone: the Designer page shows it.
    void designShown(int index);
    // A step of the fleets was undone or redone: the Kampfsimulator page shows them.
    void fleetsRestored();
    // What "Rückgängig" and "Wiederholen" offer changed.
    void changed();

private:
    void bindItem(QAction *item, bool redo);
    bool isFleetStep(int index) const;

    DesignCollection &designs_;
    Fleet &home_;
    Fleet &foreign_;
    std::array<int, 2> chosen_ = {-1, -1};
    QUndoStack stack_;
    bool applying_ = false; // a step puts its values back: the pages record nothing meanwhile
    bool fleetsLocked_ = false;
    int mergeRound_ = 0;
};

} // namespace qf
