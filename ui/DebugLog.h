#pragma once
// The program's log: one line at a time at the end of the debug page's memo.
#include <QString>

class QPlainTextEdit;

namespace qf {

class DebugLog {
public:
    explicit DebugLog(QPlainTextEdit &console) : console_(console) {}
    void append(const QString &line);

private:
    QPlainTextEdit &console_;
};

} // namespace qf
