#include "calc/CalcTexts.h"

#include "model/Formulas.h"

namespace qf {

QString IncompleteText() { return QStringLiteral("unvollständig"); }

QString IncompleteDurationText() { return QStringLiteral("unvollständing"); }

QString WholePartText(ext v)
{
    if (!fitsInt64(v))
        return IncompleteText();
    return QString::number(truncInt64(v));
}

QString DurationOrIncomplete(float minutes)
{
    if (!DurationTextFits(minutes))
        return IncompleteText();
    return DurationText(minutes);
}

} // namespace qf
