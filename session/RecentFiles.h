#pragma once
// The design files opened or saved last, newest first, at most eight. They are kept
// in a file of their own in the user's configuration folder (one UTF-8 path a line),
// apart from the settings file KRM.ini.
#include <QString>
#include <QStringList>

namespace qf {

class RecentFiles {
public:
    static constexpr int kMaxEntries = 8;

    // `storePath` is the file the list is kept in; empty keeps it in memory only.
    explicit RecentFiles(QString storePath);

    // Reads the kept list; a missing or unreadable file gives an empty one.
    void load();
    const QStringList &paths() const { return paths_; }
    // Puts the file first (once), drops the oldest beyond eight and keeps the list.
    void add(const QString &path);
    // Drops the file from the list and keeps the list.
    void remove(const QString &path);

private:
    void keep() const;

    QString storePath_;
    QStringList paths_;
};

// Where the desktop program keeps its list: "Zuletzt geöffnet.txt" in the user's
// configuration folder, or empty when there is none.
QString RecentFilesStorePath();

} // namespace qf
