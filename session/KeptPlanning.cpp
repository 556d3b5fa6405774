#include "session/KeptPlanning.h"

#include "battle/FleetsJson.h"
#include "library/FileReading.h"
#include "library/FileWriting.h"
#include "session/StateFolder.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace qf {

namespace {
// A report of a long battle runs to many lines, but never near this.
constexpr qint64 kMaxReportSize = 16 * 1024 * 1024;

// Writes the bytes, or removes the file when there is nothing to keep.
bool keepOrRemove(const QString &path, bool keepIt, const QByteArray &bytes, QString *why)
{
    if (!keepIt) {
        QFile::remove(path);
        return true;
    }
    return WriteFileReplacing(path, bytes, why);
}

// The note for the debug log about a file that was set aside.
QString setAsideNote(const QString &path, const QString &reason)
{
    return SetAsideNote(QStringLiteral("Die aufbewahrte Datei"), path, reason, SetFileAside(path));
}

// Both fleets from the kept file; false with the reason when it cannot be read back.
bool restoreFleets(const QString &path, Planning &planning, QString *reason)
{
    const FileRead read = ReadRegularFile(path, kMaxFleetsJsonSize);
    if (!read.ok()) {
        *reason = ReadFailureText(read, kMaxFleetsJsonSize);
        return false;
    }
    // Every entry was kept with its values: there is no design file to look for.
    const DesignFileSource noFiles = [](const QString &designPath) {
        DesignFileBytes none;
        none.path = designPath;
        return none;
    };
    const FleetsJson fleets = ParseFleetsJson(read.bytes, noFiles, FleetsUse::Window);
    if (!fleets.ok()) {
        *reason = fleets.error;
        return false;
    }
    planning.home = fleets.home;
    planning.foreign = fleets.foreign;
    return true;
}

bool restoreReport(const QString &path, Planning &planning, QString *reason)
{
    const FileRead read = ReadRegularFile(path, kMaxReportSize);
    if (!read.ok()) {
        *reason = ReadFailureText(read, kMaxReportSize);
        return false;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(read.bytes);
    if (utf8.hasError() || text.contains(QChar(0))) {
        *reason = QStringLiteral("kein UTF-8-Text");
        return false;
    }
    if (text.endsWith(u'\n'))
        text.chop(1);
    planning.report = text;
    return true;
}
} // namespace

KeptPlanning::KeptPlanning(QString folder) : folder_(std::move(folder)) {}

QString KeptPlanning::fleetsPath() const { return folder_ + QStringLiteral("/Flotten.json"); }

QString KeptPlanning::reportPath() const { return folder_ + QStringLiteral("/Kampfbericht.txt"); }

bool KeptPlanning::keep(const Planning &planning, QString *why) const
{
    if (folder_.isEmpty())
        return true;
    const bool anyFleet = !planning.home.isEmpty() || !planning.foreign.isEmpty();
    const bool anyReport = !planning.report.isEmpty();
    if (anyFleet || anyReport)
        QDir().mkpath(folder_);
    const bool fleetsKept = keepOrRemove(fleetsPath(), anyFleet,
                                         FormatFleetsJson(planning.home, planning.foreign), why);
    const bool reportKept = keepOrRemove(reportPath(), anyReport, (planning.report + u'\n').toUtf8(), why);
    return fleetsKept && reportKept;
}

PlanningRead KeptPlanning::restore() const
{
    PlanningRead result;
    if (folder_.isEmpty())
        return result;
    QString reason;
    if (QFile::exists(fleetsPath()) && !restoreFleets(fleetsPath(), result.planning, &reason))
        result.notes << setAsideNote(fleetsPath(), reason);
    if (QFile::exists(reportPath()) && !restoreReport(reportPath(), result.planning, &reason))
        result.notes << setAsideNote(reportPath(), reason);
    return result;
}

} // namespace qf
