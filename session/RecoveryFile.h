#pragma once
// The designs with unsaved changes, kept while the program runs so that a crash,
// a killed process or a power cut loses none of them. One file holds them all:
// a JSON array of {"name": NAME, "file": TEXT}, where TEXT is the design file
// (.shp) that "Speichern Als..." would write, decoded from Windows-1252. The file
// is replaced whole or not at all; a clean end of the program removes it, so a
// start that finds it follows a run that did not end cleanly.
#include "model/ShipDesign.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace qf {

struct RecoveryRead {
    std::vector<ShipDesign> designs; // unsaved, with their names
    // When the file could not be read back: why, and where it was set aside
    // (empty when it could not be renamed). No design is read from such a file.
    QString failure;
    QString setAsideAs;

    bool ok() const { return failure.isEmpty(); }
};

class RecoveryFile {
public:
    // `path` is the recovery file; empty keeps nothing.
    explicit RecoveryFile(QString path);

    const QString &path() const { return path_; }
    bool exists() const;

    // The file's bytes for these designs.
    static QByteArray format(const std::vector<ShipDesign> &designs);
    // Keeps the designs, or removes the file when there are none. False, with
    // the reason in `why`, when it could not be written; the old file then stays.
    bool write(const std::vector<ShipDesign> &designs, QString *why = nullptr) const;
    // The designs kept. A file that cannot be read back is set aside (SetFileAside).
    RecoveryRead read() const;
    void remove() const;

private:
    QString path_;
};

// "Wiederherstellung.json" in the state folder, or empty when there is none.
QString RecoveryFilePath();

} // namespace qf
