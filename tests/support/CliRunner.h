#pragma once
// Runs schiffsdesigner-cli as a player's script would: a separate process with
// arguments, standard input and a working directory, in the C locale unless
// another one is given.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace qf::test {

struct CliRun {
    int status = -1; // exit status; -1 when the program did not end by itself
    QByteArray out;
    QByteArray err;

    QString text() const { return QString::fromUtf8(out); }
    QString errText() const { return QString::fromUtf8(err); }
    // Standard output split at LF, without the empty piece after the last LF.
    QStringList lines() const;
};

struct CliCall {
    QByteArray input;                      // standard input
    QString inputFile;                     // or standard input from this file (a device, say)
    QString workingDirectory;              // empty: the test's own
    QString locale = QStringLiteral("C");  // LC_ALL
    int timeoutMs = 30000;                 // a program still running then is killed: status -1
};

CliRun RunCli(const QStringList &args, const CliCall &call = CliCall());

} // namespace qf::test
