#include "cli/CliSupport.h"
#include "cli/Commands.h"

namespace qf::cli {

QString designHelp() { return QStringLiteral("schiffsdesigner-cli design\n"); }

int runDesign(const QStringList &) { throw UsageError(QStringLiteral("design: noch nicht verfügbar")); }

} // namespace qf::cli
