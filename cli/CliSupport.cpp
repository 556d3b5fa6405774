#include "cli/CliSupport.h"

#include <QJsonDocument>
#include <algorithm>
#include <cstdio>
#ifdef _WIN32
#include <io.h>
#define QF_ISATTY(fd) _isatty(fd)
#else
#include <unistd.h>
#define QF_ISATTY(fd) isatty(fd)
#endif

namespace qf::cli {

QString ArgReader::valueFor(const QString &option)
{
    if (atEnd())
        throw UsageError(option + QStringLiteral(" braucht einen Wert"));
    return next();
}

void printLines(const QStringList &lines)
{
    for (const QString &line : lines) {
        const QByteArray bytes = line.toUtf8();
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
        std::fputc('\n', stdout);
    }
}

void printJson(const QJsonObject &object)
{
    const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Indented);
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void printFields(const std::vector<OutputField> &fields, bool json)
{
    if (json) {
        QJsonObject object;
        for (const OutputField &f : fields)
            object.insert(f.key, f.value);
        printJson(object);
        return;
    }
    QStringList lines;
    for (const OutputField &f : fields)
        lines << f.line;
    printLines(lines);
}

void WriteError(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

TerminalStatus::TerminalStatus() : terminal_(QF_ISATTY(2) == 1) {}

void TerminalStatus::show(const QString &line)
{
    const auto now = std::chrono::steady_clock::now();
    if (width_ > 0 && now - last_ < std::chrono::milliseconds(200))
        return;
    last_ = now;
    WriteError(u'\r' + line.leftJustified(width_));
    width_ = std::max(width_, int(line.size()));
}

void TerminalStatus::wipe()
{
    if (width_ > 0)
        WriteError(u'\r' + QString(width_, u' ') + u'\r');
    width_ = 0;
}

} // namespace qf::cli
