#include "library/DesignCollection.h"

#include "model/WholeNumber.h"

#include <limits>

namespace qf {

QString DesignCollection::SuffixedName(const QString &name)
{
    const int p = name.indexOf(u'(') + 1; // 1-based, 0 when there is none
    int value = -1;
    if (p >= 1) {
        const int last = name.size() - 1; // the name's last character is left out
        const QString inner = last > p ? name.mid(p, last - p) : QString();
        value = readWholeNumber(inner, -1);
    }
    const QString counter = QString::number(CopyCounter);
    if (CopyCounter < std::numeric_limits<int>::max())
        ++CopyCounter;
    if (value != -1)
        return name.left(p - 1) + u'(' + counter + u')';
    return name + u'(' + counter + u')';
}

} // namespace qf
