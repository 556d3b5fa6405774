// schiffsdesigner-cli batch: one JSON request a line on standard input, one JSON
// answer a line on standard output, each answered before the next is read.
#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <string>

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

QJsonObject answer(const QByteArray &line)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(line, &parseError);
    if (!doc.isObject())
        return errorJson(QStringLiteral("batch: keine JSON-Anfrage: ") + parseError.errorString());
    const QJsonObject request = doc.object();
    const QString command = request.value(QStringLiteral("command")).toString();
    Run run;
    run.batch = true;
    try {
        const QStringList args = requestArgs(request, run);
        const int status = RunCommand(command, args, run);
        if (status != 0 && run.answer.isEmpty())
            return errorJson(run.error);
        return run.answer;
    } catch (const std::exception &e) {
        return errorJson(QString::fromUtf8(e.what()));
    }
}

void writeLine(const QJsonObject &object)
{
    const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Compact);
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Reads one line (without its LF) of at most kMaxLine bytes; a longer one is read to
// its end and reported. Returns false at the end of the input.
bool readLine(std::string &line, bool &tooLong)
{
    line.clear();
    tooLong = false;
    int ch = 0;
    while ((ch = std::getc(stdin)) != EOF && ch != '\n') {
        if (line.size() < kMaxLine)
            line.push_back(char(ch));
        else
            tooLong = true;
    }
    return ch != EOF || !line.empty() || tooLong;
}

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
    std::string line;
    bool tooLong = false;
    while (readLine(line, tooLong)) {
        if (tooLong)
            writeLine(errorJson(QStringLiteral("batch: Zeile länger als 1 MiB")));
        else if (!line.empty())
            writeLine(answer(QByteArray::fromStdString(line)));
    }
    return 0;
}

} // namespace qf::cli
