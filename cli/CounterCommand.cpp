// schiffsdesigner-cli counter: the cheapest number of each design that, added
// to the home fleet, wipes out the foreign fleet, as "Bester Konter..." finds it.
#include "battle/FleetsJson.h"
#include "battle/planning/BestCounter.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "compare/CompareRow.h"
#include "compare/TableText.h"

#include <QJsonArray>
#include <QJsonObject>

namespace qf::cli {

namespace {

QString endKey(CounterEnd end)
{
    switch (end) {
    case CounterEnd::Found: return QStringLiteral("found");
    case CounterEnd::AlreadyEnough: return QStringLiteral("alreadyEnough");
    case CounterEnd::NoRoom: return QStringLiteral("noRoom");
    case CounterEnd::Unreachable: return QStringLiteral("unreachable");
    }
    return QString();
}

QJsonObject rowJson(const CounterRow &row)
{
    QJsonObject o{{"name", row.design.name}, {"result", endKey(row.end)}};
    if (row.end == CounterEnd::NoRoom || row.end == CounterEnd::Unreachable)
        return o;
    o.insert("entry", row.entry);
    o.insert("newEntry", row.newEntry);
    o.insert("shipsBefore", row.shipsBefore);
    o.insert("minCount", row.minCount);
    if (row.end != CounterEnd::Found)
        return o;
    // The duration as the table shows it, and its minutes in whole seconds.
    const QString duration = CounterTexts(row).at(6);
    const std::optional<ext> seconds = CellKey(CellKind::Time, duration, QLocale::c());
    o.insert("count", row.added);
    o.insert("solar", qint64(row.solar));
    o.insert("fe", qint64(row.fe));
    o.insert("si", qint64(row.si));
    o.insert("c", qint64(row.c));
    o.insert("duration", QJsonObject{{"text", duration},
                                     {"minutes", seconds ? QJsonValue(static_cast<double>(*seconds / 60))
                                                         : QJsonValue(QJsonValue::Null)}});
    o.insert("rounds", qint64(row.outcome.rounds));
    o.insert("homeShipsLost", qint64(row.homeShipsLost()));
    return o;
}

} // namespace

QString counterHelp()
{
    return QStringLiteral(
        "Aufruf: schiffsdesigner-cli counter FLOTTEN.json --design A.shp [--design B.shp ...] [--json]\n"
        "\n"
        "Sucht für jedes Design die kleinste Anzahl K, die zur Heimatflotte hinzugefügt\n"
        "(wie mit \"Hinzufügen\": zum Eintrag gleichen Namens, sonst als neuer Eintrag)\n"
        "die Fremdflotte vollständig zerstört, wie \"Bester Konter...\" auf der Seite\n"
        "Kampfsimulator. K ist die Anzahl, die mincount für diesen Eintrag findet.\n"
        "Eine Zeile je Design, sortiert nach den Kosten der K Schiffe in Solar, dann\n"
        "nach K; Designs, deren Eintrag schon genug Schiffe hat, dann Designs, die als\n"
        "elfter Typ keinen Platz haben, zuletzt die, die mit keiner Anzahl gewinnen\n"
        "(\"nicht erreichbar\"). Spalten: Design, Anzahl, Solar, Eisen, Silizium,\n"
        "Kohlenstoff, Kampfdauer, Verluste der Heimatflotte, Hinweis.\n"
        "\n"
        "  FLOTTEN.json     Datei mit den Flotten wie bei battle; \"-\" liest die\n"
        "                   Standardeingabe. Die Heimatflotte darf leer sein; mehr\n"
        "                   als 10 Schiffstypen in einer Flotte sind ein Fehler.\n"
        "  --design A.shp   ein Schiffsdesign (mehrmals angeben); der Name ist der\n"
        "                   Dateiname ohne Endung.\n"
        "  --json           ein JSON-Objekt mit einem Eintrag je Design\n"
        "\n"
        "Exit-Status 0, auch wenn kein Design gewinnt; 2 bei fehlerhafter Eingabe wie\n"
        "bei battle, bei einer unlesbaren Design-Datei und ohne --design.\n");
}

int runCounter(const QStringList &args, Run &run)
{
    ArgReader reader(args);
    QString path;
    bool havePath = false;
    bool json = false;
    QStringList designFiles;
    while (!reader.atEnd()) {
        const QString arg = reader.next();
        if (arg == QLatin1String("--json"))
            json = true;
        else if (arg == QLatin1String("--design"))
            designFiles << reader.valueFor(arg);
        else if (arg.startsWith(u'-') && arg != QLatin1String("-"))
            throw UsageError(QStringLiteral("counter: unbekannte Option: ") + arg);
        else if (!havePath) {
            path = arg;
            havePath = true;
        } else
            throw UsageError(QStringLiteral("counter: nur eine Flotten-Datei erlaubt"));
    }
    if (!havePath)
        throw UsageError(QStringLiteral("counter: Flotten-Datei fehlt (FLOTTEN.json oder -)"));
    if (designFiles.isEmpty())
        throw UsageError(QStringLiteral("counter: --design A.shp fehlt"));

    // The home fleet may be empty, as on the page: the counter is then all there is.
    const FleetsJson fleets = ReadFleetsInput(QStringLiteral("counter"), path, run, FleetsUse::Window);
    if (fleets.foreign.isEmpty())
        throw UsageError(QStringLiteral("counter: die Flotte \"foreign\" ist leer"));
    std::vector<CounterDesign> designs;
    for (const QString &file : designFiles)
        designs.push_back(CounterDesign::Of(ReadDesignInput(QStringLiteral("counter"), file)));

    TerminalStatus terminal;
    CounterControl control;
    if (terminal.wanted()) {
        control.progress = [&terminal, &designs](const CounterProgress &p) {
            terminal.show(QStringLiteral("Konter: Design %1 von %2 \u2013 %3")
                              .arg(p.design + 1)
                              .arg(p.designs)
                              .arg(designs[size_t(p.design)].name));
        };
    }
    const CounterSearch search = FindBestCounters(fleets.home, fleets.foreign, designs, control);
    terminal.wipe();

    if (json) {
        QJsonArray rows;
        for (const CounterRow &row : search.rows)
            rows.append(rowJson(row));
        emitJson(run, QJsonObject{{"designs", rows}});
        return 0;
    }
    std::vector<QStringList> rows;
    for (const CounterRow &row : search.rows)
        rows.push_back(CounterTexts(row));
    const QStringList headers = CounterHeaders();
    std::vector<bool> right(size_t(headers.size()), true);
    right.front() = false;
    right.back() = false;
    printLines(AlignedTable(headers, rows, right));
    return 0;
}

} // namespace qf::cli
