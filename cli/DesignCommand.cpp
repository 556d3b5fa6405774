// schiffsdesigner-cli design: every figure of a design, as the Designer page and
// the export text show it.
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "library/DesignFile.h"
#include "library/FileReading.h"
#include "library/FileWriting.h"
#include "library/GameText.h"
#include "model/DesignerFigures.h"
#include "model/Production.h"
#include "model/WholeNumber.h"

#include <QJsonObject>
#include <map>

namespace qf::cli {

namespace {

using LevelSetter = void (ShipDesign::*)(int);
using FlagSetter = void (ShipDesign::*)(bool);

const std::map<QString, LevelSetter> &levelKeys()
{
    static const std::map<QString, LevelSetter> keys = {
        {"Lager", &ShipDesign::SetStorageBays},        {"Panzer", &ShipDesign::SetArmorLevel},
        {"Verbrenner", &ShipDesign::SetThruster},      {"Fusionsantrieb", &ShipDesign::SetFusi},
        {"ZVA", &ShipDesign::SetZVA},                  {"Raketenbatterie", &ShipDesign::SetMissles},
        {"Laserkanonen", &ShipDesign::SetLaser},       {"Plasmawerfer", &ShipDesign::SetPlasma},
    };
    return keys;
}

const std::map<QString, FlagSetter> &flagKeys()
{
    static const std::map<QString, FlagSetter> keys = {
        {"Bemannt", &ShipDesign::SetCrewed},   {"Spionage", &ShipDesign::SetSpy},
        {"Tarnung", &ShipDesign::SetCloak},    {"Kolonisation", &ShipDesign::SetKolo},
        {"Invasion", &ShipDesign::SetInva},    {"Recycling", &ShipDesign::SetRecy},
        {"Pluendern", &ShipDesign::SetRaid},   {"Sabotage", &ShipDesign::SetSabo},
    };
    return keys;
}

void applySetting(ShipDesign &design, const QString &setting)
{
    const int eq = setting.indexOf(u'=');
    if (eq < 0)
        throw UsageError(QStringLiteral("--set erwartet KEY=VALUE: ") + setting);
    const QString key = setting.left(eq);
    const QString value = setting.mid(eq + 1);
    if (const auto level = levelKeys().find(key); level != levelKeys().end()) {
        (design.*(level->second))(readWholeNumber(value));
        return;
    }
    if (const auto flag = flagKeys().find(key); flag != flagKeys().end()) {
        if (value != QLatin1String("0") && value != QLatin1String("1"))
            throw UsageError(QStringLiteral("--set %1 erwartet 0 oder 1").arg(key));
        (design.*(flag->second))(value == QLatin1String("1"));
        return;
    }
    throw UsageError(QStringLiteral("unbekannter Schlüssel: ") + key);
}

ShipDesign readDesign(const QString &path)
{
    // Only a regular file is read, and no more of it than a design file can hold:
    // a FIFO or a device fails at once instead of hanging or filling the memory.
    const FileRead file = ReadRegularFile(path, kMaxDesignFileSize);
    if (!file.ok())
        throw UsageError(ReadFailureText(file.failure, kMaxDesignFileSize) + QStringLiteral(": ") + path);
    const QByteArray &bytes = file.bytes;
    if (!IsDesignFileContent(bytes))
        throw UsageError(QStringLiteral("keine Schiffsdesign-Datei: ") + path);
    return ReadDesignFile(bytes, DesignNameFromPath(path));
}

QJsonObject toJson(const DesignerFigures &f, const ProductionFigures &p)
{
    QJsonObject o;
    o.insert("d_ShipName", f.name);
    o.insert("d_SBE", f.sbe);
    o.insert("d_StorageBays", f.storageBays);
    o.insert("d_ArmorLevel", f.armorLevel);
    o.insert("d_Thruster", f.thruster);
    o.insert("d_Fusi", f.fusi);
    o.insert("d_ZVA", f.zva);
    o.insert("d_Missles", f.missles);
    o.insert("d_Laser", f.laser);
    o.insert("d_Plasma", f.plasma);
    o.insert("d_Crewed", f.crewed);
    o.insert("d_Spy", f.spy);
    o.insert("d_Cloak", f.cloak);
    o.insert("d_Kolo", f.kolo);
    o.insert("d_Inva", f.inva);
    o.insert("d_Recy", f.recy);
    o.insert("d_Raid", f.raid);
    o.insert("d_Sabo", f.sabo);
    o.insert("d_freeSBE", f.freeSBE);
    o.insert("d_Stability", f.stability);
    o.insert("d_StorageCapacity", f.storageCapacity);
    o.insert("d_Armor", f.armor);
    o.insert("d_AS", f.as);
    o.insert("d_Acceleration", f.acceleration);
    o.insert("d_FlightTimePercent", f.flightTimePercent);
    o.insert("d_Distance", f.distance);
    o.insert("d_FullFlightTime", f.fullFlightTime);
    o.insert("d_FE", f.fe);
    o.insert("d_SI", f.si);
    o.insert("d_C", f.c);
    o.insert("d_Crew", f.crew);
    o.insert("d_H2O", f.h2o);
    o.insert("d_O2", f.o2);
    o.insert("d_ProductionTime", p.productionTime);
    o.insert("d_FEmine", p.feMine);
    o.insert("d_SImine", p.siMine);
    o.insert("d_Cmine", p.cMine);
    return o;
}

} // namespace

QString designHelp()
{
    return QStringLiteral(
        "Aufruf: schiffsdesigner-cli design [DATEI.shp] [--name TEXT] [--set KEY=VALUE]...\n"
        "                               [--distance N] [--ship-factory N] [--war-factory N]\n"
        "                               [--save AUS.shp] [--json]\n"
        "\n"
        "Zeigt alle Werte eines Schiffsdesigns, wie der Export-Dialog und die Designer-Seite.\n"
        "Ohne DATEI gilt das neue Design \"Neues Schiff\".\n"
        "\n"
        "  DATEI.shp            Schiffsdesign-Datei; der Name ist der Dateiname ohne Endung\n"
        "  --name TEXT          benennt das Design um (leer: unverändert)\n"
        "  --set KEY=VALUE      setzt einen Wert, in der Reihenfolge der Kommandozeile:\n"
        "                       Lager, Panzer, Verbrenner, Fusionsantrieb, ZVA, Raketenbatterie,\n"
        "                       Laserkanonen, Plasmawerfer (ganze Zahl) oder Bemannt, Spionage,\n"
        "                       Tarnung, Kolonisation, Invasion, Recycling, Pluendern, Sabotage\n"
        "                       (0 oder 1). Die Regeln des Designers gelten (abgelehnte Werte\n"
        "                       bleiben unverändert, Kolonisation setzt Bemannt).\n"
        "  --distance N         Distanz für die Flugzeit, 0 bis 8000 (Standard 2000)\n"
        "  --ship-factory N     Stufe der Schiffsfabrik (Standard 1)\n"
        "  --war-factory N      Stufe der Waffenfabrik (Standard 1)\n"
        "  --save AUS.shp       schreibt zusätzlich die Schiffsdesign-Datei\n"
        "  --json               ein JSON-Objekt mit den Feldnamen des Designers\n"
        "\n"
        "Ausgabe: die Zeilen des Export-Textes, dann Produktionszeit und die drei Minenstufen.\n");
}

int runDesign(const QStringList &args)
{
    ArgReader reader(args);
    QString file;
    QString name;
    QStringList settings;
    QString distanceText = QStringLiteral("2000");
    QString shipFactory = QStringLiteral("1");
    QString warFactory = QStringLiteral("1");
    QString savePath;
    bool json = false;
    while (!reader.atEnd()) {
        const QString arg = reader.next();
        if (arg == QLatin1String("--name"))
            name = reader.valueFor(arg);
        else if (arg == QLatin1String("--set"))
            settings << reader.valueFor(arg);
        else if (arg == QLatin1String("--distance"))
            distanceText = reader.valueFor(arg);
        else if (arg == QLatin1String("--ship-factory"))
            shipFactory = reader.valueFor(arg);
        else if (arg == QLatin1String("--war-factory"))
            warFactory = reader.valueFor(arg);
        else if (arg == QLatin1String("--save"))
            savePath = reader.valueFor(arg);
        else if (arg == QLatin1String("--json"))
            json = true;
        else if (arg.startsWith(u'-') && arg.size() > 1)
            throw UsageError(QStringLiteral("unbekannte Option: ") + arg);
        else if (file.isEmpty())
            file = arg;
        else
            throw UsageError(QStringLiteral("nur eine Datei erlaubt: ") + arg);
    }

    // The distance is what the distance dialog accepts.
    const int distance = readWholeNumber(distanceText);
    if (distance < 0 || distance > 8000)
        throw UsageError(QStringLiteral("--distance muss zwischen 0 und 8000 liegen"));

    ShipDesign design = file.isEmpty() ? ShipDesign() : readDesign(file);
    design.SetName(name);
    for (const QString &setting : settings)
        applySetting(design, setting);

    const DesignerFigures figures = ComputeDesignerFigures(design, QString::number(distance));
    const ProductionFigures production = ComputeProduction(
        design, readWholeNumber(shipFactory), readWholeNumber(warFactory),
        readWholeNumber(figures.fe), readWholeNumber(figures.si), readWholeNumber(figures.c));

    if (!savePath.isEmpty()) {
        if (!WriteFileReplacing(savePath, FormatDesignFile(figures)))
            throw UsageError(QStringLiteral("Datei nicht schreibbar: ") + savePath);
    }

    if (json) {
        printJson(toJson(figures, production));
        return 0;
    }
    QStringList lines = ExportLines(figures);
    lines << QStringLiteral("Produktionszeit ") + production.productionTime
          << QStringLiteral("Eisenmine ") + production.feMine
          << QStringLiteral("Siliziumraffinerie ") + production.siMine
          << QStringLiteral("Kohlenstoffanlage ") + production.cMine;
    printLines(lines);
    return 0;
}

} // namespace qf::cli
