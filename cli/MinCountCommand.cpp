// schiffsdesigner-cli mincount: the smallest count of one home entry with which
// the foreign fleet is wiped out, and the report of that battle.
#include "battle/BattleSimulation.h"
#include "battle/FleetsJson.h"
#include "battle/planning/MinCount.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include <QJsonArray>
#include <QJsonObject>
#include <algorithm>
#include <cstdint>

namespace qf::cli {

namespace {

// --entry N: a position in the home fleet, written as plain decimal digits.
int readEntry(const QString &text)
{
    return int(strictNumber(QStringLiteral("mincount: --entry"), text, 0, INT32_MAX));
}

} // namespace

QString mincountHelp()
{
    return QStringLiteral(
        "Aufruf: schiffsdesigner-cli mincount FLOTTEN.json --entry N [--json]\n"
        "\n"
        "Sucht die kleinste Anzahl von 1 bis 2147483647 für den Eintrag an Position N\n"
        "der Heimatflotte, mit der die Fremdflotte vollständig zerstört wird; alle\n"
        "anderen Einträge und die Werte des Schiffstyps bleiben, wie sie sind. Gibt\n"
        "\"Mindestanzahl: K\" aus und danach den Kampfbericht mit dieser Anzahl, genau\n"
        "wie battle ihn ausgibt, oder nur \"Mindestanzahl: nicht erreichbar\", wenn\n"
        "keine Anzahl reicht. Eine Anzahl, mit der eine Flottensumme nicht mehr in\n"
        "64 Bit passt, kann die Flotte nicht aufnehmen; sie zählt nicht.\n"
        "Mehr Schiffe gewinnen nicht immer: die Suche liefert die wirklich kleinste\n"
        "Anzahl. Ist die Standardfehlerausgabe ein Terminal, zeigt sie dabei, wie\n"
        "weit die Suche ist.\n"
        "\n"
        "  FLOTTEN.json     Datei mit den Flotten wie bei battle; \"-\" liest die\n"
        "                   Standardeingabe.\n"
        "  --entry N        Position des Eintrags in der Heimatflotte, ab 0 gezählt,\n"
        "                   nachdem die Einträge wie bei battle hinzugefügt wurden.\n"
        "  --json           ein JSON-Objekt {\"reachable\": true, \"count\": K, \"battle\":\n"
        "                   {...wie battle --json}} oder {\"reachable\": false}.\n"
        "\n"
        "Exit-Status 0 auch bei \"nicht erreichbar\"; 2 bei fehlerhafter Eingabe wie\n"
        "bei battle, bei fehlendem --entry und bei einer Position außerhalb der\n"
        "Heimatflotte.\n");
}

int runMincount(const QStringList &args, Run &run)
{
    ArgReader reader(args);
    QString path;
    bool havePath = false;
    bool json = false;
    int entry = -1;
    bool haveEntry = false;
    while (!reader.atEnd()) {
        const QString arg = reader.next();
        if (arg == QLatin1String("--json")) {
            json = true;
        } else if (arg == QLatin1String("--entry")) {
            entry = readEntry(reader.valueFor(arg));
            haveEntry = true;
        } else if (arg.startsWith(u'-') && arg != QLatin1String("-")) {
            throw UsageError(QStringLiteral("mincount: unbekannte Option: ") + arg);
        } else if (!havePath) {
            path = arg;
            havePath = true;
        } else {
            throw UsageError(QStringLiteral("mincount: nur eine Flotten-Datei erlaubt"));
        }
    }
    if (!havePath)
        throw UsageError(QStringLiteral("mincount: Flotten-Datei fehlt (FLOTTEN.json oder -)"));
    if (!haveEntry)
        throw UsageError(QStringLiteral("mincount: --entry N fehlt (Position in der Heimatflotte)"));

    FleetsJson fleets = ReadFleetsInput(QStringLiteral("mincount"), path, run);
    if (entry > fleets.home.LastIndex)
        throw UsageError(QStringLiteral("mincount: --entry %1 liegt außerhalb der Heimatflotte (Positionen 0 bis %2)")
                             .arg(entry)
                             .arg(fleets.home.LastIndex));

    TerminalStatus terminal;
    MinCountControl control;
    if (terminal.wanted()) {
        control.progress = [&terminal](const MinCountProgress &p) {
            terminal.show(QStringLiteral("Suche läuft: Anzahl %1, %2 Kämpfe").arg(p.count).arg(p.battles));
        };
    }
    const MinCountResult result = FindMinCount(fleets.home, fleets.foreign, entry, control);
    terminal.wipe();

    const QString key = QStringLiteral("Mindestanzahl");
    if (result.end != MinCountEnd::Found) {
        const QString unreachable = QStringLiteral("nicht erreichbar");
        if (json)
            emitJson(run, JsonObjectText().add("reachable", false));
        else
            printLines({key + QStringLiteral(": ") + unreachable});
        return 0;
    }
    fleets.home.SetCount(entry, result.count);
    const QStringList report = BattleReport(fleets.home, fleets.foreign, result.outcome);
    const QString count = QString::number(result.count);
    if (json) {
        emitJson(run, JsonObjectText()
                          .add("reachable", true)
                          .add("count", qint64(result.count))
                          .add("battle", BattleJson(fleets.home, fleets.foreign, result.outcome, report)));
    } else {
        printLines(QStringList{key + QStringLiteral(": ") + count} + report);
    }
    return 0;
}

} // namespace qf::cli
