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
Input readInput(const QString &path)
{
    Input input;
    if (path == QLatin1String("-")) {
        const FileRead in = ReadStandardInput(kMaxFleetsJsonSize);
        if (in.failure == ReadFailure::TooLarge)
            throw UsageError(QStringLiteral("battle: Standardeingabe zu groß (mehr als %1)")
                                 .arg(SizeText(kMaxFleetsJsonSize)));
        if (!in.ok())
            throw UsageError(QStringLiteral("battle: Standardeingabe nicht lesbar"));
        input.bytes = in.bytes;
        return input;
    }
    const FileRead file = ReadRegularFile(path, kMaxFleetsJsonSize);
    if (!file.ok())
        throw UsageError(QStringLiteral("battle: ") + ReadFailureText(file.failure, kMaxFleetsJsonSize)
                         + QStringLiteral(": ") + path);
    input.bytes = file.bytes;
    input.directory = QFileInfo(path).absolutePath();
    return input;
}

} // namespace

QString battleHelp()
{
    return QStringLiteral(
        "Aufruf: schiffsdesigner-cli battle FLOTTEN.json [--json]\n"
        "\n"
        "Simuliert den Kampf der Heimatflotte gegen die Fremdflotte wie \"Simulieren\"\n"
        "auf der Seite Kampfsimulator und gibt den Kampfbericht Zeile für Zeile aus\n"
        "(Tabulatoren wie im Bericht).\n"
        "\n"
        "  FLOTTEN.json   Datei mit den Flotten; \"-\" liest die Standardeingabe.\n"
        "  --json         ein JSON-Objekt {\"b_BattleReport\": [Zeilen]} ausgeben.\n"
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
        "Design-Datei.\n");
}

int runBattle(const QStringList &args)
{
    ArgReader reader(args);
    QString path;
    bool havePath = false;
    bool json = false;
    while (!reader.atEnd()) {
        const QString arg = reader.next();
        if (arg == QLatin1String("--json")) {
            json = true;
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

    const Input input = readInput(path);
    const FleetsJson fleets = ParseFleetsJson(input.bytes, DesignFilesFrom(input.directory));
    if (!fleets.ok())
        throw UsageError(QStringLiteral("battle: ") + fleets.error);

    QStringList lines;
    SimulateBattle(fleets.home, fleets.foreign, lines);
    if (json) {
        printJson(QJsonObject{{QStringLiteral("b_BattleReport"), QJsonArray::fromStringList(lines)}});
    } else {
        printLines(lines);
    }
    return 0;
}

} // namespace qf::cli
