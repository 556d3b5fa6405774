#pragma once
// The commands of schiffsdesigner-cli. Each takes the arguments after its name and
// returns the exit status; bad usage throws UsageError.
#include <QStringList>

namespace qf {
struct FleetsJson;
}

namespace qf::cli {

int runDesign(const QStringList &args);
int runBattle(const QStringList &args);
int runMincount(const QStringList &args);
int runFlight(const QStringList &args);
int runBattlecalc(const QStringList &args);
int runActions(const QStringList &args);

// --help texts of the commands.
QString designHelp();
QString battleHelp();
QString mincountHelp();
QString flightHelp();
QString battlecalcHelp();
QString actionsHelp();

// The two fleets of a fleets JSON file ("-": standard input), read as `battle`
// reads them. Unreadable or bad input throws UsageError, its text led by the
// command's name.
FleetsJson ReadFleetsInput(const QString &command, const QString &path);

} // namespace qf::cli
