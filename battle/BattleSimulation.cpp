#include "battle/BattleSimulation.h"

#include "battle/engine/BattleEngine.h"
#include "model/Formulas.h"
#include "model/Numeric.h"

#include <algorithm>

namespace qf {

namespace {

bool anyLost(const BattleSide &side)
{
    return std::any_of(side.lost.begin(), side.lost.end(), [](int64_t n) { return n > 0; });
}

int64_t lostSum(const BattleSide &side)
{
    int64_t sum = 0;
    for (int64_t n : side.lost)
        sum += n;
    return sum;
}

void appendLossBlock(QStringList &lines, const Fleet &fleet, const BattleSide &side, bool home,
                     bool opponentNoAttack)
{
    if (!anyLost(side)) {
        lines << QStringLiteral(" ");
        if (opponentNoAttack)
            lines << (home ? QStringLiteral("Es wurden keine Schiffe zerstört, weil die Fremdflotte keinen Angriff starten konnte.")
                           : QStringLiteral("Es wurden keine Schiffe zerstört, weil die Heimatflotte keinen Angriff starten konnte."));
        else
            lines << QStringLiteral("Es wurden keine Schiffe zerstört.");
        return;
    }
    lines << QStringLiteral("Schiffstyp \tAnzahl \tStabilität \tAS \tPanzerung");
    int64_t cost = 0;
    for (int i = 0; i <= fleet.LastIndex; ++i) {
        const int64_t lost = side.lost[size_t(i)];
        if (lost <= 0)
            continue;
        const Fleet::ShipClass &entry = fleet.Classes[size_t(i)];
        lines << entry.Name + NameSeparator(entry.Name) + QString::number(lost) + u'\t'
                     + QString::number(entry.Stability) + u'\t' + QString::number(entry.AS) + u'\t'
                     + QString::number(entry.Armor);
        cost += lost * entry.Cost;
    }
    lines << QStringLiteral("Gesamt \t\t") + QString::number(lostSum(side)) + u'\t'
                 + QString::number(fleet.TotalStability - side.stabilityLeft) + u'\t'
                 + QString::number(fleet.TotalAS - side.attackLeft)
                 + (home ? QStringLiteral("\t") : QStringLiteral("\t\t"))
                 + QString::number(fleet.TotalArmor - side.armorLeft);
    if (side.wipedOut)
        lines << QStringLiteral("Die Flotte wurd vollständig zerstört.");
    lines << QStringLiteral("Kosten in Solar: ") + QString::number(cost);
}

} // namespace

float AverageRandom(bool) { return battle::kAverageRandom; }

BattleSide BattleSide::Start(const Fleet &fleet)
{
    BattleSide side;
    side.stabilityLeft = fleet.TotalStability;
    side.attackLeft = fleet.TotalAS;
    side.armorLeft = fleet.TotalArmor;
    return side;
}

int64_t FireVolley(const Fleet &target, BattleSide &side, int64_t damage)
{
    int64_t destroyed = 0;
    int64_t steps = 0;
    return battle::Volley(target, side, damage, destroyed, steps);
}

BattleOutcome FightBattle(const Fleet &home, const Fleet &foreign, const BattleControl &control)
{
    battle::BattleEngine engine(home, foreign, control);
    return engine.fight();
}

QString NameSeparator(const QString &name)
{
    const qsizetype characters = name.toUcs4().size();
    if (characters <= 10)
        return QStringLiteral("\t\t");
    if (characters <= 20)
        return QStringLiteral("\t");
    return QStringLiteral(" ");
}

QStringList CancelledReport(int64_t rounds)
{
    return {QStringLiteral("Simulation abgebrochen nach ") + QString::number(rounds)
                + QStringLiteral(" Runden."),
            QStringLiteral("Es gibt kein Ergebnis.")};
}

QString RoundLimitMessage(int64_t rounds)
{
    return QStringLiteral("Kampf nicht beendet: nach ") + QString::number(rounds)
           + QStringLiteral(" Runden ist noch keine Flotte zerstört.");
}

QStringList BattleReport(const Fleet &home, const Fleet &foreign, const BattleOutcome &outcome)
{
    if (outcome.end == BattleEnd::Cancelled)
        return CancelledReport(outcome.rounds);
    if (outcome.end == BattleEnd::RoundLimit)
        return {RoundLimitMessage(outcome.rounds)};
    QStringList lines;
    const float minutes = toFloat(static_cast<ext>(outcome.battleTime) * 60);
    lines << QStringLiteral("Dauer des Kampfes: ") + DurationText(minutes) + QStringLiteral(" (")
                 + QString::number(outcome.rounds) + QStringLiteral(" Runden)");
    if (outcome.end == BattleEnd::NoProgress)
        lines << QStringLiteral("Kampf abgebrochen: keine Flotte kann die andere zerstören.");
    lines << QStringLiteral(" ");
    lines << QStringLiteral("In der Heimatflotte wurden bei dem Kampf folgende Schiffe zerstört:");
    appendLossBlock(lines, home, outcome.home, true, outcome.foreign.noAttack);
    lines << QStringLiteral(" ");
    lines << QStringLiteral("In der Fremdflotte wurden bei dem Kampf folgende Schiffe zerstört:");
    appendLossBlock(lines, foreign, outcome.foreign, false, outcome.home.noAttack);
    return lines;
}

void SimulateBattle(const Fleet &home, const Fleet &foreign, QStringList &lines)
{
    lines << BattleReport(home, foreign, FightBattle(home, foreign));
}

} // namespace qf
