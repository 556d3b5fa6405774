#include "cli/CliSupport.h"
#include "cli/Commands.h"

namespace qf::cli {

QString flightHelp() { return QStringLiteral("schiffsdesigner-cli flight\n"); }
QString battlecalcHelp() { return QStringLiteral("schiffsdesigner-cli battlecalc\n"); }
QString actionsHelp() { return QStringLiteral("schiffsdesigner-cli actions\n"); }

int runFlight(const QStringList &) { throw UsageError(QStringLiteral("flight: noch nicht verfügbar")); }
int runBattlecalc(const QStringList &) { throw UsageError(QStringLiteral("battlecalc: noch nicht verfügbar")); }
int runActions(const QStringList &) { throw UsageError(QStringLiteral("actions: noch nicht verfügbar")); }

} // namespace qf::cli
