#include "session/StateFolder.h"

#include <QDateTime>
#include <QFile>
#include <QStandardPaths>

namespace qf {

QString StateFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

QString SetFileAside(const QString &path)
{
    const QString stem = path + QStringLiteral(".defekt-")
                         + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    // A few starts within one second each get a name of their own.
    for (int n = 1; n <= 100; ++n) {
        const QString target = n == 1 ? stem : stem + u'-' + QString::number(n);
        if (QFile::exists(target))
            continue;
        if (QFile::rename(path, target))
            return target;
        return QString();
    }
    return QString();
}

QString SetAsideNote(const QString &what, const QString &path, const QString &reason, const QString &aside)
{
    const QString where = aside.isEmpty() ? QStringLiteral("konnte nicht umbenannt werden")
                                          : QStringLiteral("liegt jetzt als %1 beiseite").arg(aside);
    return QStringLiteral("%1 %2 war nicht lesbar (%3) und %4.").arg(what, path, reason, where);
}

} // namespace qf
