#include "undo/EditSteps.h"

namespace qf {

bool SameValues(const ShipDesign &a, const ShipDesign &b)
{
    for (const ComponentField &f : ComponentFields()) {
        if (a.GetLevel(f.id) != b.GetLevel(f.id))
            return false;
    }
    for (const ActionField &f : ActionFields()) {
        if (a.GetFlag(f.id) != b.GetFlag(f.id))
            return false;
    }
    return true;
}

bool SameFleet(const Fleet &a, const Fleet &b)
{
    if (a.LastIndex != b.LastIndex || a.Names != b.Names || a.TotalAS != b.TotalAS || a.TotalArmor != b.TotalArmor
        || a.TotalStability != b.TotalStability || a.TotalCost != b.TotalCost)
        return false;
    for (int i = 0; i <= a.LastIndex && i < Fleet::Capacity; ++i) {
        const Fleet::ShipClass &x = a.Classes[size_t(i)];
        const Fleet::ShipClass &y = b.Classes[size_t(i)];
        if (x.Name != y.Name || x.Count != y.Count || x.AS != y.AS || x.Armor != y.Armor
            || x.Stability != y.Stability || x.FE != y.FE || x.SI != y.SI || x.C != y.C || x.Cost != y.Cost)
            return false;
    }
    return true;
}

void EditStep::redo()
{
    if (made_) {
        made_ = false;
        return;
    }
    put(true);
}

DesignStep::DesignStep(UndoHistory &history, int index, const ShipDesign &before, const ShipDesign &after,
                       const QString &text, int field, int round)
    : EditStep(history, text), index_(index), before_(before), after_(after), field_(field), round_(round)
{
}

bool DesignStep::mergeWith(const QUndoCommand *other)
{
    // Only level steps have an id, and the same id means the same level.
    const auto *next = static_cast<const DesignStep *>(other);
    if (next->index_ != index_ || next->round_ != round_)
        return false;
    after_ = next->after_;
    setText(next->text());
    // Typed back to where it started: no step is left.
    setObsolete(SameValues(before_, after_));
    return true;
}

RenameStep::RenameStep(UndoHistory &history, int index, const QString &before, const QString &after)
    : EditStep(history, QStringLiteral("Umbenennen in ") + after), index_(index), before_(before), after_(after)
{
}

} // namespace qf
