#pragma once
// The commands of schiffsdesigner-cli. Each takes the arguments after its name and
// returns the exit status; bad usage throws UsageError.
#include <QStringList>

namespace qf::cli {

int runDesign(const QStringList &args);
int runBattle(const QStringList &args);
int runFlight(const QStringList &args);
int runBattlecalc(const QStringList &args);
int runActions(const QStringList &args);

// --help texts of the commands.
QString designHelp();
QString battleHelp();
QString flightHelp();
QString battlecalcHelp();
QString actionsHelp();

} // namespace qf::cli
