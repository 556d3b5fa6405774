// schiffsdesigner-cli batch: one JSON request a line on standard input, one JSON
// answer a line on standard output, each answered before the next is read.
#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#ifdef _WIN32
#include <io.h>
#define QF_READ _read
#else
#include <unistd.h>
#define QF_READ ::read
#endif

namespace qf::cli {

namespace {

constexpr size_t kMaxLine = 1024 * 1024;

// A field's value as the text of an option.
QString optionText(const QJsonValue &value)
{
    if (value.isString())
        return value.toString();
    if (value.isDouble()) {
        const double d = value.toDouble();
        if (d == double(qint64(d)) && d > -9.2e18 && d < 9.2e18)
            return QString::number(qint64(d));
        return QString::number(d, 'g', 17);
    }
    return QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
}

// "set": {"Lager": 5} or [{"Lager": 5}, {"Bemannt": 0}] (the order kept) as --set options.
void appendSettings(QStringList &args, const QJsonValue &value)
{
    const QJsonArray list = value.isArray() ? value.toArray() : QJsonArray{value};
    for (const QJsonValue &item : list) {
        if (!item.isObject())
            throw UsageError(QStringLiteral("\"set\" erwartet ein Objekt {\"KEY\": VALUE}"));
        const QJsonObject settings = item.toObject();
        for (auto it = settings.begin(); it != settings.end(); ++it)
            args << QStringLiteral("--set") << it.key() + u'=' + optionText(it.value());
    }
}

// One field as options: a list repeats the option, true stands alone, false is left out.
void appendField(QStringList &args, const QString &name, const QJsonValue &value)
{
    const QString option = QStringLiteral("--") + name;
    if (value.isBool()) {
        if (value.toBool())
            args << option;
        return;
    }
    const QJsonArray list = value.isArray() ? value.toArray() : QJsonArray{value};
    for (const QJsonValue &item : list)
        args << option << optionText(item);
}

// The request's fields as the command line of its command; "fleets" goes to the run.
QStringList requestArgs(const QJsonObject &request, Run &run)
{
    QStringList args;
    for (auto it = request.begin(); it != request.end(); ++it) {
        const QString name = it.key();
        if (name == QLatin1String("command") || name == QLatin1String("json"))
            continue;
        if (name == QLatin1String("set"))
            appendSettings(args, it.value());
        else if (name == QLatin1String("fleets") && it.value().isObject())
            run.fleets = QJsonDocument(it.value().toObject()).toJson(QJsonDocument::Compact);
        else if (name == QLatin1String("fleets") || name == QLatin1String("file") || name == QLatin1String("files"))
            for (const QJsonValue &item : it.value().isArray() ? it.value().toArray() : QJsonArray{it.value()})
                args << optionText(item);
        else
            appendField(args, name, it.value());
    }
    if (run.fleets)
        args << QStringLiteral("-");
    return args << QStringLiteral("--json");
}

QJsonObject errorJson(const QString &message)
{
    return QJsonObject{{"error", QStringLiteral("schiffsdesigner-cli: ") + message}};
}

QByteArray compact(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

// The answer to one request line, as compact JSON.
QByteArray answer(const QByteArray &line)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(line, &parseError);
    if (!doc.isObject())
        return compact(errorJson(QStringLiteral("batch: keine JSON-Anfrage: ") + parseError.errorString()));
    const QJsonObject request = doc.object();
    const QString command = request.value(QStringLiteral("command")).toString();
    Run run;
    run.batch = true;
    try {
        const QStringList args = requestArgs(request, run);
        const int status = RunCommand(command, args, run);
        if (status != 0 && run.answer.isEmpty())
            return compact(errorJson(run.error));
        return run.answer;
    } catch (const std::exception &e) {
        return compact(errorJson(QString::fromUtf8(e.what())));
    }
}

void writeLine(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fputc('\n', stdout);
}

// Standard input line by line, in the pieces it comes in. The answers written so
// far are flushed before each wait for more input, so a partner that waits for
// each answer gets it, and one that sends many lines at once is not answered by
// one write per line.
class LineReader {
public:
    // One line (without its LF) of at most kMaxLine bytes; a longer one is read to
    // its end and reported. False at the end of the input.
    bool next(std::string &line, bool &tooLong)
    {
        line.clear();
        tooLong = false;
        bool any = false;
        while (pos_ < end_ || fill()) {
            any = true;
            const char *start = buffer_.data() + pos_;
            const char *lf = static_cast<const char *>(std::memchr(start, '\n', end_ - pos_));
            const size_t length = size_t((lf ? lf : buffer_.data() + end_) - start);
            const size_t room = kMaxLine - line.size();
            line.append(start, std::min(length, room));
            tooLong = tooLong || length > room;
            pos_ += length;
            if (lf) {
                ++pos_;
                return true;
            }
        }
        return any;
    }

private:
    bool fill()
    {
        std::fflush(stdout);
        pos_ = end_ = 0;
        for (;;) {
            const auto n = QF_READ(0, buffer_.data(), unsigned(buffer_.size()));
            if (n > 0) {
                end_ = size_t(n);
                return true;
            }
            if (n == 0 || errno != EINTR)
                return false;
        }
    }

    std::vector<char> buffer_ = std::vector<char>(size_t(64) * 1024);
    size_t pos_ = 0;
    size_t end_ = 0;
};

} // namespace

QString batchHelp()
{
    return QStringLiteral(
        "Aufruf: schiffsdesigner-cli batch\n"
        "\n"
        "Liest je Zeile eine JSON-Anfrage von der Standardeingabe und schreibt je Anfrage\n"
        "eine JSON-Zeile auf die Standardausgabe, in derselben Reihenfolge; jede Antwort\n"
        "steht da, bevor die nächste Zeile gelesen wird.\n"
        "\n"
        "Anfrage: {\"command\": BEFEHL, ...} mit den Optionen des Befehls als Felder, ohne\n"
        "die Striche: {\"command\": \"design\", \"set\": {\"Laserkanonen\": 7}, \"distance\": 2000},\n"
        "{\"command\": \"battle\", \"fleets\": {...}, \"course\": \"verlauf.csv\"},\n"
        "{\"command\": \"mincount\", \"fleets\": {...}, \"entry\": 0},\n"
        "{\"command\": \"flight\", \"start\": \"444:111:a\"}. Eine Design-Datei steht unter \"file\",\n"
        "die Dateien von compare unter \"files\", die Designs von counter unter \"design\"\n"
        "(Liste); \"fleets\" ist das Flotten-Objekt oder ein Dateiname. \"set\" als Liste\n"
        "[{\"Lager\": 5}, {\"Bemannt\": 0}] wird in dieser Reihenfolge angewandt.\n"
        "\n"
        "Antwort: das Objekt, das der Befehl mit --json ausgibt, oder {\"error\": TEXT}\n"
        "mit der Meldung des Befehls (falscher Aufruf, fehlerhafte Eingabe, eine Zeile\n"
        "über 1 MiB, eine Zeile, die kein JSON ist). Exit-Status 0 am Ende der Eingabe.\n");
}

int runBatch(const QStringList &args, Run &)
{
    if (!args.isEmpty())
        throw UsageError(QStringLiteral("batch: unerwartetes Argument ") + args.first());
    // Answers go out in large writes; LineReader flushes them before it waits.
    std::setvbuf(stdout, nullptr, _IOFBF, size_t(64) * 1024);
    LineReader input;
    std::string line;
    bool tooLong = false;
    while (input.next(line, tooLong)) {
        if (tooLong)
            writeLine(compact(errorJson(QStringLiteral("batch: Zeile länger als 1 MiB"))));
        else if (!line.empty())
            writeLine(answer(QByteArray::fromStdString(line)));
    }
    std::fflush(stdout);
    return 0;
}

} // namespace qf::cli
