// schiffsdesigner-cli battle: the battle simulator's report for two fleets given as JSON.
#include "battle/BattleCourse.h"
#include "battle/BattleSimulation.h"
#include "battle/FleetsJson.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "library/FileReading.h"
#include "library/FileWriting.h"
#include "model/Formulas.h"
#include "model/Numeric.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <cmath>
#include <cstdint>

namespace qf::cli {

namespace {

struct Input {
    QByteArray bytes;
    QString directory; // where relative design paths are also looked for
};

// The fleets JSON, at most kMaxFleetsJsonSize bytes: a file must be a regular
// one (a FIFO or /dev/zero fails at once), standard input may be anything.
Input readInput(const QString &command, const QString &path)
{
    Input input;
    if (path == QLatin1String("-")) {
        const FileRead in = ReadStandardInput(kMaxFleetsJsonSize);
        if (in.failure == ReadFailure::TooLarge)
            throw UsageError(command + QStringLiteral(": Standardeingabe zu groß (mehr als %1)")
                                 .arg(SizeText(kMaxFleetsJsonSize)));
        if (!in.ok())
            throw UsageError(command + QStringLiteral(": Standardeingabe nicht lesbar"));
        input.bytes = in.bytes;
        return input;
    }
    const FileRead file = ReadRegularFile(path, kMaxFleetsJsonSize);
    if (!file.ok())
        throw UsageError(command + QStringLiteral(": ") + ReadFailureText(file, kMaxFleetsJsonSize)
                         + QStringLiteral(": ") + path);
    input.bytes = file.bytes;
    input.directory = QFileInfo(path).absolutePath();
    return input;
}

// --max-rounds N: a whole number from 1 up.
int64_t readMaxRounds(const QString &text)
{
    return strictNumber(QStringLiteral("battle: --max-rounds"), text, 1, INT64_MAX);
}

// One side's losses: per type, the totals, wiped out or not, the cost in Solar.
JsonObjectText sideJson(const Fleet &fleet, const BattleSide &side)
{
    JsonArrayText types;
    int64_t ships = 0;
    int64_t cost = 0;
    for (int i = 0; i <= fleet.LastIndex; ++i) {
        const Fleet::ShipClass &entry = fleet.Classes[size_t(i)];
        const int64_t lost = side.lost[size_t(i)];
        types.add(JsonObjectText().add("name", entry.Name).add("count", entry.Count).add("lost", qint64(lost)));
        ships += lost;
        cost += lost * entry.Cost;
    }
    return JsonObjectText()
        .add("types", types)
        .add("shipsLost", qint64(ships))
        .add("stabilityLost", qint64(fleet.TotalStability - side.stabilityLeft))
        .add("attackLost", qint64(fleet.TotalAS - side.attackLeft))
        .add("armorLost", qint64(fleet.TotalArmor - side.armorLeft))
        .add("wipedOut", side.wipedOut)
        .add("solarLost", qint64(cost));
}

// The battle's duration as the report shows it, and in minutes.
JsonObjectText durationJson(const BattleOutcome &outcome)
{
    const float minutes = toFloat(static_cast<ext>(outcome.battleTime) * 60);
    const bool fits = DurationTextFits(minutes);
    return JsonObjectText()
        .add("text", fits ? QJsonValue(DurationText(minutes)) : QJsonValue(QJsonValue::Null))
        .add("minutes", std::isfinite(minutes) ? QJsonValue(double(minutes)) : QJsonValue(QJsonValue::Null));
}

// Writes the course CSV through the replace-when-complete writer.
void writeCourse(const QString &path, const BattleCourse &course)
{
    QString why;
    if (!WriteFileReplacing(path, FormatCourseCsv(course).toUtf8(), &why))
        throw UsageError(QStringLiteral("battle: ") + SaveFailureText(path, why));
}

} // namespace

JsonObjectText BattleJson(const Fleet &home, const Fleet &foreign, const BattleOutcome &outcome,
                          const QStringList &report)
{
    return JsonObjectText()
        .add("rounds", qint64(outcome.rounds))
        .add("duration", durationJson(outcome))
        .add("decided", outcome.end == BattleEnd::Decided)
        .add("home", sideJson(home, outcome.home))
        .add("foreign", sideJson(foreign, outcome.foreign))
        .add("report", report);
}

namespace {

// The fleets of a batch request given in place ("fleets": {...}).
Input inlineInput(const Run &run)
{
    Input input;
    input.bytes = *run.fleets;
    return input;
}

} // namespace

FleetsJson ReadFleetsInput(const QString &command, const QString &path, const Run &run, FleetsUse use)
{
    if (run.batch && path == QLatin1String("-") && !run.fleets)
        throw UsageError(command + QStringLiteral(": \"fleets\" fehlt"));
    const Input input = run.fleets && path == QLatin1String("-") ? inlineInput(run) : readInput(command, path);
    FleetsJson fleets = ParseFleetsJson(input.bytes, DesignFilesFrom(input.directory), use);
    if (!fleets.ok())
        throw UsageError(command + QStringLiteral(": ") + fleets.error);
    return fleets;
}

QString battleHelp()
{
    return QStringLiteral(
        "Aufruf: schiffsdesigner-cli battle FLOTTEN.json [--max-rounds N] [--course DATEI.csv]\n"
        "                                  [--json]\n"
        "\n"
        "Simuliert den Kampf der Heimatflotte gegen die Fremdflotte wie \"Simulieren\"\n"
        "auf der Seite Kampfsimulator und gibt den Kampfbericht Zeile für Zeile aus\n"
        "(Tabulatoren wie im Bericht). Der Kampf läuft bis zu seinem Ende, so viele\n"
        "Runden das auch sind; ist die Standardfehlerausgabe ein Terminal, zeigt sie\n"
        "dabei, wie weit er ist.\n"
        "\n"
        "  FLOTTEN.json     Datei mit den Flotten; \"-\" liest die Standardeingabe.\n"
        "  --max-rounds N   den Kampf nach N Runden (ganze Zahl ab 1) beenden, wenn\n"
        "                   er bis dahin nicht entschieden ist: dann kein Bericht,\n"
        "                   eine Meldung auf der Standardfehlerausgabe, Exit-Status 3.\n"
        "  --course DATEI.csv  schreibt zusätzlich den Verlauf des Kampfes: Kopfzeile,\n"
        "                   dann je Punkt Runde, Kampfzeit in Stunden und für Heimat-\n"
        "                   und Fremdflotte Schiffe, Stabilität und Angriff übrig\n"
        "                   (\",\" zwischen den Feldern, \".\" als Dezimaltrenner).\n"
        "  --json           ein JSON-Objekt: rounds, duration ({text, minutes}),\n"
        "                   decided, je Seite (home, foreign) die Verluste je Typ,\n"
        "                   die Summen, wipedOut und solarLost, dazu \"report\" mit\n"
        "                   den Zeilen des Berichts.\n"
        "\n"
        "Aufbau: {\"home\": [EINTRAG, ...], \"foreign\": [EINTRAG, ...]}, EINTRAG ist\n"
        "  {\"count\": N, \"design\": \"pfad/zu/datei.shp\"}  oder\n"
        "  {\"count\": N, \"name\": \"Jäger\", \"as\": N, \"armor\": N, \"stability\": N,\n"
        "   \"fe\": N, \"si\": N, \"c\": N}\n"
        "Die Einträge werden der Reihe nach hinzugefügt wie mit \"Hinzufügen\": ein Name,\n"
        "der bis auf Groß-/Kleinschreibung schon vorkommt, erhöht die Anzahl dieses Typs\n"
        "(mit dessen alten Werten); ein elfter Typ wird übergangen. \"count\" wird wie das\n"
        "Anzahl-Feld gelesen (keine ganze Zahl: 1; 0 oder weniger: kein Schiff). Die Werte\n"
        "as, armor, stability, fe, si, c sind ganze Zahlen von 0 bis 2147483647. Ein\n"
        "relativer Design-Pfad gilt vom Arbeitsverzeichnis aus, sonst vom Verzeichnis der\n"
        "JSON-Datei. Die Design-Datei wird wie mit \"Öffnen\" gelesen, der Name ist der\n"
        "Dateiname ohne Endung.\n"
        "\n"
        "Exit-Status 2: leere Flotte, fehlerhaftes JSON, fehlendes Feld oder unlesbare\n"
        "Design-Datei. Exit-Status 3: nach --max-rounds Runden nicht entschieden.\n");
}

int runBattle(const QStringList &args, Run &run)
{
    ArgReader reader(args);
    QString path;
    bool havePath = false;
    bool json = false;
    BattleControl control;
    QString coursePath;
    while (!reader.atEnd()) {
        const QString arg = reader.next();
        if (arg == QLatin1String("--json")) {
            json = true;
        } else if (arg == QLatin1String("--max-rounds")) {
            control.maxRounds = readMaxRounds(reader.valueFor(arg));
        } else if (arg == QLatin1String("--course")) {
            coursePath = reader.valueFor(arg);
        } else if (arg.startsWith(u'-') && arg != QLatin1String("-")) {
            throw UsageError(QStringLiteral("battle: unbekannte Option: ") + arg);
        } else if (!havePath) {
            path = arg;
            havePath = true;
        } else {
            throw UsageError(QStringLiteral("battle: nur eine Flotten-Datei erlaubt"));
        }
    }
    if (!havePath)
        throw UsageError(QStringLiteral("battle: Flotten-Datei fehlt (FLOTTEN.json oder -)"));

    const FleetsJson fleets = ReadFleetsInput(QStringLiteral("battle"), path, run);
    BattleCourse course;
    if (!coursePath.isEmpty())
        control.course = &course;

    TerminalStatus terminal;
    if (terminal.wanted()) {
        control.progress = [&terminal](const BattleProgress &p) {
            terminal.show(QStringLiteral("Kampf läuft: Runde %1, Heimatflotte %2 Schiffe, Fremdflotte %3 Schiffe")
                              .arg(p.rounds)
                              .arg(p.homeShipsLeft)
                              .arg(p.foreignShipsLeft));
        };
    }
    const BattleOutcome outcome = FightBattle(fleets.home, fleets.foreign, control);
    terminal.wipe();
    if (outcome.end == BattleEnd::RoundLimit) {
        run.error = QStringLiteral("battle: ") + RoundLimitMessage(outcome.rounds);
        if (!run.batch)
            WriteError(QStringLiteral("schiffsdesigner-cli: ") + run.error + u'\n');
        return 3;
    }
    if (!coursePath.isEmpty())
        writeCourse(coursePath, course);
    const QStringList lines = BattleReport(fleets.home, fleets.foreign, outcome);
    if (json) {
        emitJson(run, BattleJson(fleets.home, fleets.foreign, outcome, lines));
    } else {
        printLines(lines);
    }
    return 0;
}

} // namespace qf::cli
