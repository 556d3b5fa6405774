#include "cli/CliSupport.h"

#include "compare/CompareRow.h"
#include "model/WholeNumber.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <algorithm>
#include <cmath>
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

void emitJson(Run &run, const QJsonObject &object)
{
    if (run.batch)
        run.answer = QJsonDocument(object).toJson(QJsonDocument::Compact);
    else
        printJson(object);
}

void emitJson(Run &run, const JsonObjectText &object)
{
    if (run.batch)
        run.answer = object.text();
    else
        printJson(QJsonDocument::fromJson(object.text()).object());
}

namespace {
// Decimal digits, perhaps after a minus, and nothing else (not even a final LF).
bool isWholeDecimal(const QString &text)
{
    const qsizetype sign = text.startsWith(u'-') ? 1 : 0;
    return text.size() > sign
           && std::all_of(text.begin() + sign, text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}
} // namespace

int64_t strictNumber(const QString &label, const QString &text, int64_t least, int64_t most)
{
    if (!isWholeDecimal(text))
        throw UsageError(label + QStringLiteral(": keine ganze Zahl: ") + text);
    bool ok = false;
    const qlonglong n = text.toLongLong(&ok);
    if (!ok || n < least || n > most)
        throw UsageError(label + QStringLiteral(": nicht zwischen %1 und %2: ").arg(least).arg(most) + text);
    return n;
}

QJsonValue numberJson(const QString &text)
{
    if (const std::optional<int32_t> whole = parseWholeNumber(text))
        return qint64(*whole);
    bool ok = false;
    const qlonglong big = text.toLongLong(&ok);
    if (ok)
        return qint64(big);
    static const QLocale locale; // the tool never changes its locale
    const double d = locale.toDouble(text, &ok);
    if (!ok || !std::isfinite(d))
        return QJsonValue::Null;
    return d;
}

QByteArray numberText(const QString &text)
{
    // Digits without a leading zero, perhaps after a minus: the number is the text.
    const qsizetype sign = text.startsWith(u'-') ? 1 : 0;
    const qsizetype digits = text.size() - sign;
    const bool plain = isWholeDecimal(text) && digits <= 18 && (text.at(sign) != u'0' || (digits == 1 && sign == 0));
    return plain ? text.toLatin1() : JsonScalarText(numberJson(text));
}

JsonObjectText timeJson(const QString &text)
{
    const std::optional<ext> seconds = CellKey(CellKind::Time, text, QLocale::c());
    return JsonObjectText()
        .add("text", text)
        .add("minutes", seconds ? QJsonValue(static_cast<double>(*seconds / 60)) : QJsonValue(QJsonValue::Null));
}

void printFields(const std::vector<OutputField> &fields, bool json, Run &run)
{
    if (json) {
        JsonObjectText object;
        QStringList lines;
        for (const OutputField &f : fields) {
            if (f.kind == ValueKind::Time)
                object.add(f.key, timeJson(f.value));
            else
                object.addText(f.key, numberText(f.value));
            lines << f.line;
        }
        emitJson(run, object.add("lines", lines));
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
