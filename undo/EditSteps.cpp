#include "undo/EditSteps.h"

namespace qf {

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
    setObsolete(before_.HasValuesOf(after_));
    return true;
}

RenameStep::RenameStep(UndoHistory &history, int index, const QString &before, const QString &after)
    : EditStep(history, QStringLiteral("Umbenennen in ") + after), index_(index), before_(before), after_(after)
{
}

} // namespace qf
