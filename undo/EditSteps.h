#pragma once
// The steps of the history: each keeps what it changed before and after and
// hands it back to the history to put in place. The first redo, when the step
// is pushed, finds the change already made by the page that made it.
#include "model/ShipDesign.h"
#include "undo/UndoHistory.h"

#include <QUndoCommand>

namespace qf {

class EditStep : public QUndoCommand {
public:
    EditStep(UndoHistory &history, const QString &text) : history_(history) { setText(text); }
    void undo() override { put(false); }
    void redo() override;

protected:
    virtual void put(bool after) = 0;
    UndoHistory &history_;

private:
    bool made_ = true;
};

// A design's levels and actions. A level's steps in a row merge while the focus stays.
class DesignStep : public EditStep {
public:
    DesignStep(UndoHistory &history, int index, const ShipDesign &before, const ShipDesign &after,
               const QString &text, int field, int round);
    int id() const override { return field_ < 0 ? -1 : kLevelStep + field_; }
    bool mergeWith(const QUndoCommand *other) override;

private:
    static constexpr int kLevelStep = 1;
    void put(bool after) override { history_.putDesignValues(index_, after ? after_ : before_); }
    int index_;
    ShipDesign before_;
    ShipDesign after_;
    int field_;
    int round_;
};

class RenameStep : public EditStep {
public:
    RenameStep(UndoHistory &history, int index, const QString &before, const QString &after);

private:
    void put(bool after) override { history_.putDesignName(index_, after ? after_ : before_); }
    int index_;
    QString before_;
    QString after_;
};

class FleetStep : public EditStep {
public:
    FleetStep(UndoHistory &history, const FleetPair &before, const FleetPair &after, const QString &text)
        : EditStep(history, text), before_(before), after_(after)
    {
    }

private:
    void put(bool after) override { history_.putFleets(after ? after_ : before_); }
    FleetPair before_;
    FleetPair after_;
};

} // namespace qf
