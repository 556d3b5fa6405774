#pragma once
// The commands of schiffsdesigner-cli. Each takes the arguments after its name and
// returns the exit status; bad usage throws UsageError.
#include <QStringList>

#include "battle/FleetsJson.h"

namespace qf {
class ShipDesign;
}

namespace qf::cli {

int runDesign(const QStringList &args);
int runBattle(const QStringList &args);
int runMincount(const QStringList &args);
int runFlight(const QStringList &args);
int runBattlecalc(const QStringList &args);
int runActions(const QStringList &args);
int runCompare(const QStringList &args);
int runCounter(const QStringList &args);

// --help texts of the commands.
QString designHelp();
QString battleHelp();
QString mincountHelp();
QString flightHelp();
QString battlecalcHelp();
QString actionsHelp();
QString compareHelp();
QString counterHelp();

// The two fleets of a fleets JSON file ("-": standard input), read as `battle`
// reads them (or, with FleetsUse::Window, as "Flotten laden..." does). Unreadable
// or bad input throws UsageError, its text led by the command's name.
FleetsJson ReadFleetsInput(const QString &command, const QString &path, FleetsUse use = FleetsUse::Battle);

// A design file, read as "Öffnen" reads it and named after the file. An
// unreadable file or one that is not a design file throws UsageError naming it.
ShipDesign ReadDesignInput(const QString &command, const QString &path);

} // namespace qf::cli
