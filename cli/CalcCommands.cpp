// The calculators of the "Rechner" page as commands: flight, battlecalc, actions.
// Each computes with the same core functions as the page, so the lines show the
// texts the page's result fields would show for the same input texts.
#include "calc/BattleCalc.h"
#include "calc/FlightCalc.h"
#include "calc/SpecialActions.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include <QJsonArray>
#include <QJsonObject>
#include <map>

namespace qf::cli {

namespace {
// Reads "--option TEXT" pairs into the given texts, and --json. Anything else is
// bad usage.
bool readOptions(const QString &command, const QStringList &args,
                 const std::map<QString, QString *> &options)
{
    bool json = false;
    ArgReader reader(args);
    while (!reader.atEnd()) {
        const QString arg = reader.next();
        if (arg == QLatin1String("--json")) {
            json = true;
            continue;
        }
        const auto it = options.find(arg);
        if (it == options.end()) {
            if (arg.startsWith(QLatin1String("-")))
                throw UsageError(command + QStringLiteral(": unbekannte Option ") + arg);
            throw UsageError(command + QStringLiteral(": unerwartetes Argument ") + arg);
        }
        *it->second = reader.valueFor(arg);
    }
    return json;
}

OutputField field(const char *key, const char *label, const QString &value, ValueKind kind = ValueKind::Number)
{
    return OutputField{key, QString::fromUtf8(label) + QStringLiteral(": ") + value,
                       value, kind};
}

constexpr ValueKind kTime = ValueKind::Time;
} // namespace

QString flightHelp()
{
    return QStringLiteral(
        "Aufruf: schiffsdesigner-cli flight [--start T] [--target T] [--thruster T] [--fusion T]\n"
        "                                   [--zva T] [--stability T] [--spaceport T] [--json]\n"
        "\n"
        "Flugrechner der Seite \"Rechner\" (Flugberechnung): Entfernung zweier Planeten,\n"
        "Flugzeit, Start/Landung und der Verbrauch an O2 und H2.\n"
        "Jede Option ist der Text des passenden Eingabefelds; ohne Option gilt der\n"
        "Anfangstext der Seite.\n"
        "\n"
        "  --start T       Startplanet (r_StartPlanet), Vorgabe \"444:111:a\"\n"
        "  --target T      Zielplanet (r_TargetPlanet), Vorgabe \"666:999:f\"\n"
        "  --thruster T    Verbrenner (r_Thruster), Vorgabe \"1\"\n"
        "  --fusion T      Fusionsantrieb (r_Fusi), Vorgabe \"0\"\n"
        "  --zva T         ZVA (r_ZVA), Vorgabe \"0\"\n"
        "  --stability T   Stabilität (r_Stability), Vorgabe \"109\"\n"
        "  --spaceport T   Landestufe / Raumhafen (r_Spaceport), Vorgabe \"1\"\n"
        "  --json          ein JSON-Objekt: je Ergebnis eine Zahl (Zeiten als {text, minutes}),\n"
        "                  dazu die Zeilen unter \"lines\"\n"
        "\n"
        "Zahlenfelder werden als ganze Zahl gelesen; anderer Text zählt als 0. Die Texte\n"
        "gelten so, wie sie angegeben sind: die Sperre der Seite, die beim Tippen einer 0\n"
        "den anderen Antrieb auf 1 setzt, greift hier nicht.\n"
        "Ausgabe: Entfernung, Flug, Flug O2, Flug H2, Start/Landung, Start/Landung O2,\n"
        "Start/Landung H2. Ungültige Koordinaten oder eine Flugzeit ohne endlichen Wert\n"
        "ergeben \"unvollständig\"; Flug O2 und Flug H2 zeigen dann ihren Anfangstext 0.\n");
}

QString battlecalcHelp()
{
    return QStringLiteral(
        "Aufruf: schiffsdesigner-cli battlecalc [--begin T] [--end T] [--stability T]\n"
        "                                       [--armor T] [--json]\n"
        "\n"
        "Kampf-Rechner der Seite \"Rechner\": Dauer eines beobachteten Kampfes und die\n"
        "ungefähre Angriffsstärke (AS) des Angreifers.\n"
        "\n"
        "  --begin T       Kampf Startzeit (r_BattleBegin), Vorgabe \"00:00:00\"\n"
        "  --end T         Kampf Endzeit (r_BattleEnd), Vorgabe \"00:00:00\"\n"
        "  --stability T   Zerstörte Stabilität (r_StabilityDestroyed), Vorgabe \"109\"\n"
        "  --armor T       Zerstörte Panzerung (r_ArmorDestroyed), Vorgabe \"0\"\n"
        "  --json          ein JSON-Objekt: battleDuration ({text, minutes}), enemyAttack,\n"
        "                  oldEstimate (wo die Seite es ins Debug-Log schreibt), lines\n"
        "\n"
        "Zeiten: bis zu drei ganze Zahlen h, m, s, getrennt durch eines der Zeichen\n"
        ":_ .,; und von rechts gelesen (1:30 ist eine Minute 30 Sekunden).\n"
        "Ausgabe: \"Kampfdauer: TEXT\", \"Angreifer AS ca.: TEXT\" und, wo die Seite die\n"
        "Debug-Zeile schreibt, \"Alte AS-Formel: N\".\n");
}

QString actionsHelp()
{
    return QStringLiteral(
        "Aufruf: schiffsdesigner-cli actions [--attacker T] [--defender T] [--ships T]\n"
        "                                    [--attempts T] [--json]\n"
        "\n"
        "Spezialaktionen der Seite \"Rechner\": Dauer von Spionage, Sabotage, Plünderung,\n"
        "Kolonisation und Invasion und die Wahrscheinlichkeiten.\n"
        "\n"
        "  --attacker T    Angreiferlevel (r_AttackerLevel), Vorgabe \"0\"\n"
        "  --defender T    Verteidigerlevel (r_DefenderLevel), Vorgabe \"0\"\n"
        "  --ships T       Anzahl Schiffe (r_NumberofShips), Vorgabe \"1\"\n"
        "  --attempts T    Enttarnungs-Versuche (r_ActionCount), Vorgabe \"1\"\n"
        "  --json          ein JSON-Objekt: je Ergebnis eine Zahl (Zeiten als {text, minutes}),\n"
        "                  dazu die Zeilen unter \"lines\"\n"
        "\n"
        "Zahlenfelder werden als ganze Zahl gelesen; anderer Text zählt als 0.\n"
        "Prozentzahlen mit dem Dezimaltrennzeichen der Locale.\n"
        "Ausgabe, eine Zeile je Ergebnisfeld: Stufendifferenz, Spionagedauer,\n"
        "Sabotagedauer, Wahrscheinlichkeit (%), Plünderungsdauer, Kolonisationsdauer,\n"
        "Invasionsdauer, Wahrscheinlichkeit (%) Schiffe, Wahrscheinlichkeit (%) Enttarnung.\n");
}

int runFlight(const QStringList &args, Run &run)
{
    FlightInputs in;
    const bool json = readOptions(QStringLiteral("flight"), args,
                                  {{QStringLiteral("--start"), &in.startPlanet},
                                   {QStringLiteral("--target"), &in.targetPlanet},
                                   {QStringLiteral("--thruster"), &in.thruster},
                                   {QStringLiteral("--fusion"), &in.fusi},
                                   {QStringLiteral("--zva"), &in.zva},
                                   {QStringLiteral("--stability"), &in.stability},
                                   {QStringLiteral("--spaceport"), &in.spaceport}});
    const FlightResults r = ComputeFlight(in);
    // A consumption field that keeps its text shows the page's initial text.
    const QString initialConsumption = QStringLiteral("0");
    printFields({field("distance", "Entfernung", r.distance),
                 field("flightTime", "Flug", r.flightTime, kTime),
                 field("flightO2", "Flug O2", r.flightO2.value_or(initialConsumption)),
                 field("flightH2", "Flug H2", r.flightH2.value_or(initialConsumption)),
                 field("takeoffTime", "Start/Landung", r.takeoffTime, kTime),
                 field("takeoffO2", "Start/Landung O2", r.takeoffO2),
                 field("takeoffH2", "Start/Landung H2", r.takeoffH2)},
                json, run);
    return 0;
}

int runBattlecalc(const QStringList &args, Run &run)
{
    BattleCalcInputs in;
    const bool json = readOptions(QStringLiteral("battlecalc"), args,
                                  {{QStringLiteral("--begin"), &in.begin},
                                   {QStringLiteral("--end"), &in.end},
                                   {QStringLiteral("--stability"), &in.stabilityDestroyed},
                                   {QStringLiteral("--armor"), &in.armorDestroyed}});
    const BattleCalcResults r = ComputeBattleCalc(in);
    std::vector<OutputField> fields{field("battleDuration", "Kampfdauer", r.battleDuration, kTime),
                                    field("enemyAttack", "Angreifer AS ca.", r.enemyAS)};
    // The old estimate only where the page writes it to its debug log.
    if (r.estimated)
        fields.push_back(field("oldEstimate", "Alte AS-Formel", r.oldEstimate));
    printFields(fields, json, run);
    return 0;
}

int runActions(const QStringList &args, Run &run)
{
    SpecialActionInputs in;
    const bool json = readOptions(QStringLiteral("actions"), args,
                                  {{QStringLiteral("--attacker"), &in.attackerLevel},
                                   {QStringLiteral("--defender"), &in.defenderLevel},
                                   {QStringLiteral("--ships"), &in.numberOfShips},
                                   {QStringLiteral("--attempts"), &in.actionCount}});
    const SpecialActionResults r = ComputeSpecialActions(in);
    printFields({field("levelDifference", "Stufendifferenz", r.levelDifference),
                 field("spyTime", "Spionagedauer", r.spyTime, kTime),
                 field("sabotageTime", "Sabotagedauer", r.sabotageTime, kTime),
                 field("successPercent", "Wahrscheinlichkeit (%)", r.successPercent),
                 field("raidTime", "Plünderungsdauer", r.raidTime, kTime),
                 field("kolonisationTime", "Kolonisationsdauer", r.kolonisationTime, kTime),
                 field("invasionTime", "Invasionsdauer", r.invasionTime, kTime),
                 field("shipsSuccessPercent", "Wahrscheinlichkeit (%) Schiffe", r.successPercent2),
                 field("uncloakPercent", "Wahrscheinlichkeit (%) Enttarnung", r.uncloakChance)},
                json, run);
    return 0;
}

} // namespace qf::cli
