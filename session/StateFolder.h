#pragma once
// The folder in which the desktop program leaves what one run hands to the next:
// the battle simulator's planning and the recovery file of unsaved designs.
#include <QString>

namespace qf {

// The user's data folder of the program, or empty when the system has none.
QString StateFolder();

// A kept file that could not be read back is moved out of the way, so the next
// start does not stumble over it again and the player can still look at it:
// "NAME.defekt-JJJJMMTT-hhmmss" beside it ("-2", "-3", ... when that name is taken).
// Returns the new path, or an empty text when it could not be renamed.
QString SetFileAside(const QString &path);

// The debug log's line about such a file: "WHAT PATH war nicht lesbar (REASON) und liegt
// jetzt als ASIDE beiseite." (or "... und konnte nicht umbenannt werden.").
QString SetAsideNote(const QString &what, const QString &path, const QString &reason, const QString &aside);

} // namespace qf
