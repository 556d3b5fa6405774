#include "session/RecentFiles.h"

#include "library/FileReading.h"
#include "library/FileWriting.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace qf {

namespace {
// Eight paths of a few hundred bytes each.
constexpr qint64 kMaxStoreSize = 64 * 1024;

QString normalised(const QString &path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }
} // namespace

RecentFiles::RecentFiles(QString storePath) : storePath_(std::move(storePath)) {}

void RecentFiles::load()
{
    paths_.clear();
    if (storePath_.isEmpty())
        return;
    const FileRead read = ReadRegularFile(storePath_, kMaxStoreSize);
    if (!read.ok())
        return;
    for (const QString &line : QString::fromUtf8(read.bytes).split(u'\n', Qt::SkipEmptyParts)) {
        if (paths_.size() < kMaxEntries && !paths_.contains(line))
            paths_ << line;
    }
}

void RecentFiles::add(const QString &path)
{
    const QString entry = normalised(path);
    if (entry.contains(u'\n') || entry.contains(u'\r'))
        return; // one path a line: such a name cannot be kept
    paths_.removeAll(entry);
    paths_.prepend(entry);
    while (paths_.size() > kMaxEntries)
        paths_.removeLast();
    keep();
}

void RecentFiles::remove(const QString &path)
{
    if (paths_.removeAll(path) > 0)
        keep();
}

void RecentFiles::keep() const
{
    if (storePath_.isEmpty())
        return;
    QDir().mkpath(QFileInfo(storePath_).absolutePath());
    // The list is a convenience: a write that fails leaves the old list.
    WriteFileReplacing(storePath_, (paths_.join(u'\n') + u'\n').toUtf8());
}

QString RecentFilesStorePath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/Zuletzt geöffnet.txt");
}

} // namespace qf
