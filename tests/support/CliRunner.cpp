#include "CliRunner.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace qf::test {

QStringList CliRun::lines() const
{
    QStringList l = text().split(u'\n');
    if (!l.isEmpty() && l.last().isEmpty())
        l.removeLast();
    return l;
}

CliRun RunCli(const QStringList &args, const CliCall &call)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), call.locale);
    env.remove(QStringLiteral("LANG"));
    env.remove(QStringLiteral("LANGUAGE"));
    p.setProcessEnvironment(env);
    if (!call.workingDirectory.isEmpty())
        p.setWorkingDirectory(call.workingDirectory);
    if (!call.inputFile.isEmpty())
        p.setStandardInputFile(call.inputFile);
    p.start(QStringLiteral(QF_CLI), args);
    CliRun r;
    if (!p.waitForStarted())
        return r;
    if (call.inputFile.isEmpty()) {
        if (!call.input.isEmpty())
            p.write(call.input);
        p.closeWriteChannel();
    }
    if (!p.waitForFinished(call.timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

} // namespace qf::test
