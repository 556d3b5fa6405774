#include "ui/DebugLog.h"

#include <QPlainTextEdit>

namespace qf {

void DebugLog::append(const QString &line) { console_.appendPlainText(line); }

} // namespace qf
