// schiffsdesigner-cli design: every figure of a design, as the Designer page and
// the export text show it.
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "library/DesignFile.h"
#include "library/FileReading.h"
#include "library/FileWriting.h"
#include "library/GameText.h"
#include "model/DesignerFigures.h"
#include "model/Distance.h"
#include "model/Production.h"
#include "model/WholeNumber.h"

#include <QJsonArray>
#include <QJsonObject>

namespace qf::cli {

namespace {

// The setter's refusal, as the window would keep the old value.
QString refusal(Component c, int value)
{
    const int lowest = c == Component::StorageBays ? 1 : 0;
    if (value < lowest)
        return QStringLiteral("abgelehnt, kleiner als %1").arg(lowest);
    return QStringLiteral("abgelehnt, die Bauelemente passen nicht mehr in 32 Bit");
}

void applyLevel(ShipDesign &design, Component c, const QString &key, const QString &value)
{
    const int level = int(strictNumber(QStringLiteral("--set ") + key, value, INT32_MIN, INT32_MAX));
    design.SetLevel(c, level);
    if (design.GetLevel(c) != level)
        throw UsageError(key + u'=' + value + QStringLiteral(": ") + refusal(c, level));
}

void applyFlag(ShipDesign &design, Action a, const QString &key, const QString &value)
{
    if (value != QLatin1String("0") && value != QLatin1String("1"))
        throw UsageError(QStringLiteral("--set %1 erwartet 0 oder 1").arg(key));
    const bool on = value == QLatin1String("1");
    design.SetFlag(a, on);
    if (design.GetFlag(a) != on)
        throw UsageError(key + u'=' + value + QStringLiteral(": abgelehnt, eine gesetzte Aktion braucht Besatzung"));
}

void applySetting(ShipDesign &design, const QString &setting)
{
    const int eq = setting.indexOf(u'=');
    if (eq < 0)
        throw UsageError(QStringLiteral("--set erwartet KEY=VALUE: ") + setting);
    const QString key = setting.left(eq);
    const QString value = setting.mid(eq + 1);
    for (const ComponentField &field : ComponentFields()) {
        if (key == QLatin1String(field.fileKey))
            return applyLevel(design, field.id, key, value);
    }
    for (const ActionField &field : ActionFields()) {
        if (key == QLatin1String(field.fileKey))
            return applyFlag(design, field.id, key, value);
    }
    throw UsageError(QStringLiteral("unbekannter Schlüssel: ") + key);
}

// The keys of --set, joined for the help text.
QString keyList(bool components)
{
    QStringList keys;
    if (components) {
        for (const ComponentField &field : ComponentFields())
            keys << QString::fromLatin1(field.fileKey);
    } else {
        for (const ActionField &field : ActionFields())
            keys << QString::fromLatin1(field.fileKey);
    }
    return keys.join(QStringLiteral(", "));
}

// Words filled into lines of at most `width` characters, each line indented.
QString wrapped(const QString &text, int indent, int width)
{
    const QString margin(indent, u' ');
    QString out;
    QString line;
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && margin.size() + line.size() + 1 + word.size() > width) {
            out += margin + line + u'\n';
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty())
        out += margin + line + u'\n';
    return out;
}

ShipDesign readDesign(const QString &path)
{
    // Only a regular file is read, and no more of it than a design file can hold:
    // a FIFO or a device fails at once instead of hanging or filling the memory.
    const FileRead file = ReadRegularFile(path, kMaxDesignFileSize);
    if (!file.ok())
        throw UsageError(ReadFailureText(file, kMaxDesignFileSize) + QStringLiteral(": ") + path);
    const QByteArray &bytes = file.bytes;
    if (!IsDesignFileContent(bytes))
        throw UsageError(QStringLiteral("keine Schiffsdesign-Datei: ") + path);
    return ReadDesignFile(bytes, DesignNameFromPath(path));
}

JsonObjectText toJson(const DesignerFigures &f, const ProductionFigures &p, const QStringList &lines)
{
    JsonObjectText levels;
    for (const ComponentField &field : ComponentFields())
        levels.addText(field.fileKey, numberText(f.level(field.id)));
    JsonObjectText actions;
    for (const ActionField &field : ActionFields())
        actions.add(field.fileKey, f.action(field.id));
    return JsonObjectText()
        .add("name", f.name)
        .add("levels", levels)
        .add("actions", actions)
        .addText("sbe", numberText(f.sbe))
        .addText("freeSbe", numberText(f.freeSBE))
        .addText("stability", numberText(f.stability))
        .addText("acceleration", numberText(f.acceleration))
        .addText("flightTimePercent", numberText(f.flightTimePercent))
        .addText("distance", numberText(f.distance))
        .add("flightTime", timeJson(f.fullFlightTime))
        .addText("armor", numberText(f.armor))
        .addText("attack", numberText(f.as))
        .addText("storage", numberText(f.storageCapacity))
        .addText("fe", numberText(f.fe))
        .addText("si", numberText(f.si))
        .addText("c", numberText(f.c))
        .addText("crew", numberText(f.crew))
        .addText("h2o", numberText(f.h2o))
        .addText("o2", numberText(f.o2))
        .add("productionTime", timeJson(p.productionTime))
        .addText("feMine", numberText(p.feMine))
        .addText("siMine", numberText(p.siMine))
        .addText("cMine", numberText(p.cMine))
        .add("lines", lines);
}

// A factory level: any whole number; below 1 counts as 1, as on the page.
int readFactory(const QString &option, const QString &text)
{
    return int(strictNumber(option, text, INT32_MIN, INT32_MAX));
}

} // namespace

QString designHelp()
{
    const QString keys = keyList(true) + QStringLiteral(" (ganze Zahl) oder ") + keyList(false)
                         + QStringLiteral(" (0 oder 1). Die Regeln des Designers gelten (abgelehnte Werte "
                                          "bleiben unverändert, %1 setzt %2).")
                               .arg(FileKey(Action::Kolo), FileKey(Action::Crewed));
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
               "  --set KEY=VALUE      setzt einen Wert, in der Reihenfolge der Kommandozeile:\n")
           + wrapped(keys, 23, 88)
           + QStringLiteral(
               "  --distance N         Distanz für die Flugzeit, %1 bis %2 (Standard %3)\n")
                 .arg(kMinDistance).arg(kMaxDistance).arg(kDefaultDistance)
           + QStringLiteral(
        "  --ship-factory N     Stufe der Schiffsfabrik, ganze Zahl (Standard 1; unter 1 zählt als 1)\n"
        "  --war-factory N      Stufe der Waffenfabrik, ganze Zahl (Standard 1; unter 1 zählt als 1)\n"
        "  --save AUS.shp       schreibt zusätzlich die Schiffsdesign-Datei\n"
        "  --json               ein JSON-Objekt: Stufen und Aktionen nach Schlüssel, Werte als\n"
        "                       Zahlen, Zeiten als {text, minutes}, die Zeilen unter \"lines\"\n"
        "\n"
        "Ausgabe: die Zeilen des Export-Textes, dann Produktionszeit und die drei Minenstufen.\n");
}

int runDesign(const QStringList &args, Run &run)
{
    ArgReader reader(args);
    QString file;
    QString name;
    QStringList settings;
    QString distanceText = QString::number(kDefaultDistance);
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
    const int distance = int(strictNumber(QStringLiteral("--distance"), distanceText, kMinDistance, kMaxDistance));
    const int shipLevel = readFactory(QStringLiteral("--ship-factory"), shipFactory);
    const int warLevel = readFactory(QStringLiteral("--war-factory"), warFactory);

    ShipDesign design = file.isEmpty() ? ShipDesign() : readDesign(file);
    design.SetName(name);
    for (const QString &setting : settings)
        applySetting(design, setting);

    const DesignerFigures figures = ComputeDesignerFigures(design, QString::number(distance));
    const ProductionFigures production = ComputeProduction(
        design, shipLevel, warLevel,
        readWholeNumber(figures.fe), readWholeNumber(figures.si), readWholeNumber(figures.c));

    if (!savePath.isEmpty()) {
        if (!WriteFileReplacing(savePath, FormatDesignFile(figures)))
            throw UsageError(QStringLiteral("Datei nicht schreibbar: ") + savePath);
    }

    QStringList lines = ExportLines(figures);
    lines << QStringLiteral("Produktionszeit ") + production.productionTime
          << QStringLiteral("Eisenmine ") + production.feMine
          << QStringLiteral("Siliziumraffinerie ") + production.siMine
          << QStringLiteral("Kohlenstoffanlage ") + production.cMine;
    if (json) {
        emitJson(run, toJson(figures, production, lines));
        return 0;
    }
    printLines(lines);
    return 0;
}

} // namespace qf::cli
