#include "cli/CliSupport.h"
#include "cli/Commands.h"

namespace qf::cli {

QString battleHelp() { return QStringLiteral("schiffsdesigner-cli battle FLEETS.json\n"); }

int runBattle(const QStringList &) { throw UsageError(QStringLiteral("battle: noch nicht verfügbar")); }

} // namespace qf::cli
