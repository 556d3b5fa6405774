// schiffsdesigner-cli compare: designs side by side, as the window
// "Designvergleich" shows them.
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "compare/CompareTableModel.h"
#include "compare/TableText.h"
#include "library/DesignCollection.h"
#include "library/DesignFile.h"
#include "library/FileReading.h"
#include "model/Distance.h"
#include "model/WholeNumber.h"

#include <QJsonArray>
#include <QJsonObject>
#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace qf::cli {

namespace {

struct CompareOptions {
    QStringList files;
    CompareSettings settings;
    bool csv = false;
    bool json = false;
};

CompareOptions readOptions(const QStringList &args)
{
    CompareOptions o;
    QString distanceText = o.settings.distanceText;
    ArgReader reader(args);
    while (!reader.atEnd()) {
        const QString arg = reader.next();
        if (arg == QLatin1String("--distance"))
            distanceText = reader.valueFor(arg);
        else if (arg == QLatin1String("--ship-factory"))
            o.settings.shipFactory = int(strictNumber(arg, reader.valueFor(arg), INT32_MIN, INT32_MAX));
        else if (arg == QLatin1String("--war-factory"))
            o.settings.warFactory = int(strictNumber(arg, reader.valueFor(arg), INT32_MIN, INT32_MAX));
        else if (arg == QLatin1String("--acceleration"))
            o.settings.flightTime = false;
        else if (arg == QLatin1String("--csv"))
            o.csv = true;
        else if (arg == QLatin1String("--json"))
            o.json = true;
        else if (arg.startsWith(u'-') && arg.size() > 1)
            throw UsageError(QStringLiteral("compare: unbekannte Option: ") + arg);
        else
            o.files << arg;
    }
    if (o.files.isEmpty())
        throw UsageError(QStringLiteral("compare: keine Schiffsdesign-Datei angegeben"));
    if (o.csv && o.json)
        throw UsageError(QStringLiteral("compare: --csv und --json schließen einander aus"));
    const int distance = int(strictNumber(QStringLiteral("compare: --distance"), distanceText, kMinDistance, kMaxDistance));
    o.settings.distanceText = QString::number(distance);
    return o;
}

// A cell as JSON: a number as a number, a time as its text and its minutes,
// a figure that cannot be computed as null.
QJsonValue cellJson(const CompareColumn &column, const CompareCell &cell)
{
    if (column.kind == CellKind::Text)
        return cell.text;
    if (!cell.key)
        return QJsonValue::Null;
    if (column.kind == CellKind::Time)
        return QJsonObject{{"text", cell.text}, {"minutes", static_cast<double>(*cell.key / 60)}};
    if (column.kind == CellKind::Number)
        return static_cast<qint64>(*cell.key);
    return static_cast<double>(*cell.key);
}

QJsonObject rowJson(const CompareTableModel &model, const ShipDesign &design, int row)
{
    QJsonObject object;
    QJsonObject levels;
    QJsonObject perSolar;
    const std::vector<CompareColumn> &columns = model.columns();
    for (int c = 0; c < int(columns.size()); ++c) {
        const CompareColumn &column = columns[size_t(c)];
        const QJsonValue value = cellJson(column, model.cell(row, c));
        const QString key = QString::fromLatin1(column.jsonKey);
        if (column.id == CompareColumnId::Level)
            levels.insert(key, value);
        else if (column.kind == CellKind::Decimal)
            perSolar.insert(key, value);
        else if (column.id != CompareColumnId::Actions)
            object.insert(key, value);
    }
    QJsonObject actions;
    for (const ActionField &field : ActionFields())
        actions.insert(QString::fromLatin1(field.fileKey), design.GetFlag(field.id));
    object.insert("levels", levels);
    object.insert("actions", actions);
    object.insert("perThousandSolar", perSolar);
    return object;
}

QJsonObject tableJson(const CompareTableModel &model, const DesignCollection &designs)
{
    const CompareSettings &s = model.settings();
    QJsonArray rows;
    for (int row = 0; row < model.rowCount(); ++row)
        rows.append(rowJson(model, designs.at(model.designAt(row)), row));
    return QJsonObject{{"distance", readWholeNumber(s.distanceText)},
                       // A level below 1 counts as 1, as on the page.
                       {"shipFactory", std::max(s.shipFactory, 1)},
                       {"warFactory", std::max(s.warFactory, 1)},
                       {"display", s.flightTime ? QStringLiteral("flightTime") : QStringLiteral("acceleration")},
                       {"designs", rows}};
}

} // namespace

ShipDesign ReadDesignInput(const QString &command, const QString &path)
{
    // Only a regular file is read, and no more of it than a design file can hold.
    const FileRead file = ReadRegularFile(path, kMaxDesignFileSize);
    if (!file.ok())
        throw UsageError(command + QStringLiteral(": ") + ReadFailureText(file, kMaxDesignFileSize)
                         + QStringLiteral(": ") + path);
    if (!IsDesignFileContent(file.bytes))
        throw UsageError(command + QStringLiteral(": keine Schiffsdesign-Datei: ") + path);
    return ReadDesignFile(file.bytes, DesignNameFromPath(path));
}

QString compareHelp()
{
    return QStringLiteral(
               "Aufruf: schiffsdesigner-cli compare A.shp B.shp ... [--distance N] [--ship-factory N]\n"
               "                                [--war-factory N] [--acceleration] [--csv | --json]\n"
               "\n"
               "Stellt Schiffsdesigns nebeneinander wie das Fenster \"Designvergleich\": eine Zeile\n"
               "je Datei in der angegebenen Reihenfolge, mit Name, den acht Stufen, den\n"
               "Spezialaktionen, SBE, freien SBE-Punkten, Stabilität, Lagerraum, Panzerung,\n"
               "Angriff, Flugzeit (oder Beschleunigung), den sechs Kosten, den Kosten in Solar,\n"
               "Produktionszeit, den drei Minenstufen und Angriff, Stabilität, Panzerung und\n"
               "Lagerraum je 1000 Solar. Jeder Wert ist der Text, den design für die Datei zeigt.\n"
               "\n"
               "  --distance N       Distanz für die Flugzeit, %1 bis %2 (Standard %3)\n"
               "  --ship-factory N   Stufe der Schiffsfabrik, ganze Zahl (Standard 1; unter 1 zählt als 1)\n"
               "  --war-factory N    Stufe der Waffenfabrik, ganze Zahl (Standard 1; unter 1 zählt als 1)\n"
               "  --acceleration     Beschleunigung statt Flugzeit\n"
               "  --csv              durch \";\" getrennt, mit Kopfzeile\n"
               "  --json             ein JSON-Objekt mit einem Eintrag je Design\n"
               "\n"
               "Ohne --csv und --json: Spalten, ausgerichtet, mit Kopfzeile. Eine unlesbare\n"
               "Datei ist fehlerhafte Eingabe (Exit-Status 2, die Meldung nennt die Datei).\n")
        .arg(kMinDistance)
        .arg(kMaxDistance)
        .arg(kDefaultDistance);
}

int runCompare(const QStringList &args, Run &run)
{
    const CompareOptions options = readOptions(args);
    DesignCollection designs;
    for (const QString &file : options.files)
        designs.append(ReadDesignInput(QStringLiteral("compare"), file));
    CompareTableModel model(designs);
    model.setSettings(options.settings);

    if (options.json) {
        emitJson(run, tableJson(model, designs));
    } else if (options.csv) {
        const QByteArray bytes = SeparatedTable(model.headerTexts(), model.shownRows(), u';').toUtf8();
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    } else {
        std::vector<bool> right;
        for (const CompareColumn &column : model.columns())
            right.push_back(column.kind != CellKind::Text);
        printLines(AlignedTable(model.headerTexts(), model.shownRows(), right));
    }
    return 0;
}

} // namespace qf::cli
