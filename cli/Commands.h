#pragma once
// The commands of schiffsdesigner-cli. Each takes the arguments after its name and
// returns the exit status; bad usage throws UsageError.
#include <QStringList>

#include "battle/FleetsJson.h"
#include "cli/CliSupport.h"

#include <QJsonObject>

namespace qf {
class ShipDesign;
struct BattleOutcome;
}

namespace qf::cli {

int runDesign(const QStringList &args, Run &run);
int runBattle(const QStringList &args, Run &run);
int runMincount(const QStringList &args, Run &run);
int runFlight(const QStringList &args, Run &run);
int runBattlecalc(const QStringList &args, Run &run);
int runActions(const QStringList &args, Run &run);
int runCompare(const QStringList &args, Run &run);
int runCounter(const QStringList &args, Run &run);
// Reads JSON requests from standard input, one a line, and answers each with one line.
int runBatch(const QStringList &args, Run &run);

// Runs the command of that name (an unknown name is bad usage).
int RunCommand(const QString &name, const QStringList &args, Run &run);

// --help texts of the commands.
QString designHelp();
QString battleHelp();
QString mincountHelp();
QString flightHelp();
QString battlecalcHelp();
QString actionsHelp();
QString compareHelp();
QString counterHelp();
QString batchHelp();

// The two fleets of a fleets JSON file ("-": standard input), read as `battle`
// reads them (or, with FleetsUse::Window, as "Flotten laden..." does). Unreadable
// or bad input throws UsageError, its text led by the command's name.
// In batch, "-" stands for the request's "fleets" object.
FleetsJson ReadFleetsInput(const QString &command, const QString &path, const Run &run,
                           FleetsUse use = FleetsUse::Battle);

// A fought battle as JSON: rounds, duration, per side the losses, and the report lines.
JsonObjectText BattleJson(const Fleet &home, const Fleet &foreign, const BattleOutcome &outcome,
                          const QStringList &report);

// A design file, read as "Öffnen" reads it and named after the file. An
// unreadable file or one that is not a design file throws UsageError naming it.
ShipDesign ReadDesignInput(const QString &command, const QString &path);

} // namespace qf::cli
