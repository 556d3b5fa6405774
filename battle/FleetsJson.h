#pragma once
// The two fleets of a battle given as JSON, as the command-line tool takes them:
// {"home": [ENTRY, ...], "foreign": [ENTRY, ...]}, where an entry is either
// {"count": N, "design": "path.shp"} or {"count": N, "name": "...", "as": N,
// "armor": N, "stability": N, "fe": N, "si": N, "c": N}. The entries are added
// in order as "Hinzufügen" adds them.
#include "battle/Fleet.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace qf {

// What a "design" entry's path gave: the path the file was looked for under
// (shown in error texts), and the file's bytes, or none when it could not be read.
struct DesignFileBytes {
    QString path;
    std::optional<QByteArray> bytes;
};

// Reads the design file a "design" entry names.
using DesignFileSource = std::function<DesignFileBytes(const QString &path)>;

// Design files from the file system: a relative path counts from the working
// directory, or, when nothing is there, from `inputDirectory` (if not empty).
// A file larger than kMaxDesignFileSize counts as unreadable.
DesignFileSource DesignFilesFrom(const QString &inputDirectory);

struct FleetsJson {
    Fleet home;
    Fleet foreign;
    QString error; // empty when both fleets were read

    bool ok() const { return error.isEmpty(); }
};

// The two fleets from the JSON bytes, or the first fault found as a one-line
// German text (without the command's name in front). A design file is read as
// "Öffnen" reads it and named after its file; a file that is not a design file
// is a fault. Neither fleet may end up empty.
FleetsJson ParseFleetsJson(const QByteArray &json, const DesignFileSource &designs);

} // namespace qf
