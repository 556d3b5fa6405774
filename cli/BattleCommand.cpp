// schiffsdesigner-cli battle: the battle simulator's report for two fleets given as JSON.
#include "battle/BattleSimulation.h"
#include "battle/Fleet.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "library/DesignFile.h"
#include "model/ShipDesign.h"
#include "model/WholeNumber.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <cmath>
#include <cstdio>
#include <limits>

namespace qf::cli {

namespace {

struct Input {
    QByteArray bytes;
    QString directory; // where relative design paths are also looked for
};

Input readInput(const QString &path)
{
    Input input;
    if (path == QLatin1String("-")) {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly))
            throw UsageError(QStringLiteral("battle: Standardeingabe nicht lesbar"));
        input.bytes = in.readAll();
        return input;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw UsageError(QStringLiteral("battle: Datei nicht lesbar: ") + path);
    input.bytes = file.readAll();
    input.directory = QFileInfo(path).absolutePath();
    return input;
}

// A value of a ship type: a JSON whole number from 0 to 2147483647.
int shipValue(const QJsonObject &entry, const QString &key, const QString &where)
{
    const QJsonValue v = entry.value(key);
    if (v.isUndefined())
        throw UsageError(QStringLiteral("battle: %1: \"%2\" fehlt").arg(where, key));
    const double d = v.toDouble(-1.0);
    if (!v.isDouble() || d != std::floor(d) || d < 0 || d > 2147483647.0)
        throw UsageError(
            QStringLiteral("battle: %1: \"%2\" ist keine ganze Zahl von 0 bis 2147483647").arg(where, key));
    return static_cast<int>(d);
}

// The number of ships, read as the count field is: a whole number, anything
// else counts as 1.
int shipCount(const QJsonObject &entry, const QString &where)
{
    const QJsonValue v = entry.value(QStringLiteral("count"));
    if (v.isUndefined())
        throw UsageError(QStringLiteral("battle: %1: \"count\" fehlt").arg(where));
    if (v.isString())
        return readWholeNumber(v.toString(), 1);
    if (v.isDouble()) {
        const double d = v.toDouble();
        if (d == std::floor(d) && d >= -2147483648.0 && d <= 2147483647.0)
            return static_cast<int>(d);
    }
    return 1;
}

QString designPath(const QString &path, const QString &inputDirectory)
{
    if (QFileInfo(path).isRelative() && !QFileInfo::exists(path) && !inputDirectory.isEmpty()) {
        const QString beside = QDir(inputDirectory).filePath(path);
        if (QFileInfo::exists(beside))
            return beside;
    }
    return path;
}

ShipDesign readDesign(const QString &path, const QString &where)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxDesignFileSize)
        throw UsageError(QStringLiteral("battle: %1: Design-Datei nicht lesbar: %2").arg(where, path));
    const QByteArray bytes = file.readAll();
    if (!IsDesignFileContent(bytes))
        throw UsageError(QStringLiteral("battle: %1: keine Design-Datei: %2").arg(where, path));
    return ReadDesignFile(bytes, DesignNameFromPath(path));
}

void addEntries(Fleet &fleet, const QJsonObject &root, const QString &key, const QString &inputDirectory)
{
    const QJsonValue list = root.value(key);
    if (!list.isArray())
        throw UsageError(QStringLiteral("battle: \"%1\" fehlt oder ist keine Liste").arg(key));
    const QJsonArray entries = list.toArray();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString where = QStringLiteral("%1[%2]").arg(key).arg(i);
        if (!entries.at(i).isObject())
            throw UsageError(QStringLiteral("battle: %1 ist kein Objekt").arg(where));
        const QJsonObject entry = entries.at(i).toObject();
        const int count = shipCount(entry, where);
        if (entry.contains(QStringLiteral("design"))) {
            const QJsonValue path = entry.value(QStringLiteral("design"));
            if (!path.isString())
                throw UsageError(QStringLiteral("battle: %1: \"design\" ist kein Text").arg(where));
            const ShipDesign design = readDesign(designPath(path.toString(), inputDirectory), where);
            if (count >= 1)
                fleet.AddShips(count, design.GetAS(), design.GetArmor(), design.GetStability(),
                               design.GetName(), design.GetFE(), design.GetSI(), design.GetC());
            continue;
        }
        const QJsonValue name = entry.value(QStringLiteral("name"));
        if (name.isUndefined())
            throw UsageError(QStringLiteral("battle: %1: \"name\" oder \"design\" fehlt").arg(where));
        if (!name.isString())
            throw UsageError(QStringLiteral("battle: %1: \"name\" ist kein Text").arg(where));
        const int as = shipValue(entry, QStringLiteral("as"), where);
        const int armor = shipValue(entry, QStringLiteral("armor"), where);
        const int stability = shipValue(entry, QStringLiteral("stability"), where);
        const int fe = shipValue(entry, QStringLiteral("fe"), where);
        const int si = shipValue(entry, QStringLiteral("si"), where);
        const int c = shipValue(entry, QStringLiteral("c"), where);
        if (count >= 1)
            fleet.AddShips(count, as, armor, stability, name.toString(), fe, si, c);
    }
    if (fleet.isEmpty())
        throw UsageError(QStringLiteral("battle: die Flotte \"%1\" ist leer").arg(key));
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
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(input.bytes, &error);
    if (error.error != QJsonParseError::NoError)
        throw UsageError(QStringLiteral("battle: fehlerhaftes JSON: ") + error.errorString());
    if (!document.isObject())
        throw UsageError(QStringLiteral("battle: JSON-Objekt mit \"home\" und \"foreign\" erwartet"));
    const QJsonObject root = document.object();

    Fleet home;
    Fleet foreign;
    addEntries(home, root, QStringLiteral("home"), input.directory);
    addEntries(foreign, root, QStringLiteral("foreign"), input.directory);

    QStringList lines;
    SimulateBattle(home, foreign, lines);
    if (json) {
        printJson(QJsonObject{{QStringLiteral("b_BattleReport"), QJsonArray::fromStringList(lines)}});
    } else {
        printLines(lines);
    }
    return 0;
}

} // namespace qf::cli
