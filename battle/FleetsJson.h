#pragma once
// The two fleets of a battle given as JSON, as the command-line tool takes them:
// {"home": [ENTRY, ...], "foreign": [ENTRY, ...]}, where an entry is either
// {"count": N, "design": "path.shp"} or {"count": N, "name": "...", "as": N,
// "armor": N, "stability": N, "fe": N, "si": N, "c": N}. The entries are added
// in order as "Hinzufügen" adds them.
#include "battle/Fleet.h"
#include "library/FileReading.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace qf {

// Largest fleets JSON taken, from a file or standard input. A real one holds a
// few kilobytes.
constexpr qint64 kMaxFleetsJsonSize = 1024 * 1024;

// What a "design" entry's path gave: the path the file was looked for under
// (shown in error texts), and the file's bytes, or none when it could not be
// read, with the reason why (looked at only when there are no bytes).
struct DesignFileBytes {
    QString path;
    std::optional<QByteArray> bytes;
    ReadFailure failure = ReadFailure::CannotOpen;
};

// Reads the design file a "design" entry names.
using DesignFileSource = std::function<DesignFileBytes(const QString &path)>;

// Design files from the file system: a relative path counts from the working
// directory, or, when nothing is there, from `inputDirectory` (if not empty).
// Only a regular file of at most kMaxDesignFileSize bytes is read; a FIFO, a
// device or a directory fails at once, without blocking.
DesignFileSource DesignFilesFrom(const QString &inputDirectory);

// What the fleets are read for. The command-line tool fights them: an empty
// fleet is a fault and an eleventh type is passed over, as "Hinzufügen" passes it
// over. The window loads saved fleets: an empty fleet is one the player saved,
// and a type beyond ten would be lost, so it is a fault.
enum class FleetsUse { Battle, Window };

struct FleetsJson {
    Fleet home;
    Fleet foreign;
    QString error; // empty when both fleets were read

    bool ok() const { return error.isEmpty(); }
};

// The two fleets from the JSON bytes, or the first fault found as a one-line
// German text (without the command's name in front). A design file is read as
// "Öffnen" reads it and named after its file; a file that is not a design file
// is a fault. Neither fleet may end up empty. An entry whose ships would take a
// fleet total outside 64 bits is a fault too, and so is one that would take an
// entry past kMostShips ships: the fleets are never cut down to something the
// input did not ask for.
FleetsJson ParseFleetsJson(const QByteArray &json, const DesignFileSource &designs,
                           FleetsUse use = FleetsUse::Battle);

// Both fleets as a fleets JSON with every entry's values inline (name, count,
// as, armor, stability, fe, si, c), in fleet order, UTF-8: the file the window
// saves and the command-line tool fights.
QByteArray FormatFleetsJson(const Fleet &home, const Fleet &foreign);

} // namespace qf
