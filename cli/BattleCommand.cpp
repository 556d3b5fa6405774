// schiffsdesigner-cli battle: the battle simulator's report for two fleets given as JSON.
#include "battle/BattleSimulation.h"
#include "battle/FleetsJson.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "library/FileReading.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

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
        throw UsageError(command + QStringLiteral(": ") + ReadFailureText(file.failure, kMaxFleetsJsonSize)
                         + QStringLiteral(": ") + path);
    input.bytes = file.bytes;
    input.directory = QFileInfo(path).absolutePath();
    return input;
}

// --max-rounds N: a whole number from 1 up.
int64_t readMaxRounds(const QString &text)
{
    bool ok = false;
    const qlonglong n = text.toLongLong(&ok);
    if (!ok || n < 1 || text.trimmed() != text || text.startsWith(u'+'))
        throw UsageError(QStringLiteral("battle: --max-rounds braucht eine ganze Zahl ab 1: ") + text);
    return n;
}

} // namespace

FleetsJson ReadFleetsInput(const QString &command, const QString &path, FleetsUse use)
{
    const Input input = readInput(command, path);
    FleetsJson fleets = ParseFleetsJson(input.bytes, DesignFilesFrom(input.directory), use);
    if (!fleets.ok())
        throw UsageError(command + QStringLiteral(": ") + fleets.error);
    return fleets;
}

QString battleHelp()
{
    return QStringLiteral(
        "Aufruf: schiffsdesigner-cli battle FLOTTEN.json [--max-rounds N] [--json]\n"
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
        "  --json           ein JSON-Objekt {\"b_BattleReport\": [Zeilen]} ausgeben.\n"
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

int runBattle(const QStringList &args)
{
    ArgReader reader(args);
    QString path;
    bool havePath = false;
    bool json = false;
    BattleControl control;
    while (!reader.atEnd()) {
        const QString arg = reader.next();
        if (arg == QLatin1String("--json")) {
            json = true;
        } else if (arg == QLatin1String("--max-rounds")) {
            control.maxRounds = readMaxRounds(reader.valueFor(arg));
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

    const FleetsJson fleets = ReadFleetsInput(QStringLiteral("battle"), path);

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
        WriteError(QStringLiteral("schiffsdesigner-cli: battle: ") + RoundLimitMessage(outcome.rounds) + u'\n');
        return 3;
    }
    const QStringList lines = BattleReport(fleets.home, fleets.foreign, outcome);
    if (json) {
        printJson(QJsonObject{{QStringLiteral("b_BattleReport"), QJsonArray::fromStringList(lines)}});
    } else {
        printLines(lines);
    }
    return 0;
}

} // namespace qf::cli
