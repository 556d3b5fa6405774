#include "battle/BattleSimulation.h"

#include "model/Formulas.h"
#include "model/Numeric.h"

#include <algorithm>
#include <limits>

namespace qf {

namespace {

constexpr int64_t kInt64Max = std::numeric_limits<int64_t>::max();
constexpr float kAttackMultiplier = 1.5f;
constexpr float kRoundCap = 2.0f;

// A damage as a whole number. Damage beyond the 64-bit range is held at its
// largest value: it destroys every ship of the target just the same, because
// the target's stability never passes that value.
int64_t damageValue(ext value)
{
    if (value >= static_cast<ext>(kInt64Max))
        return kInt64Max;
    return truncInt64(value);
}

bool hasShipsLeft(const Fleet &fleet, const BattleSide &side, int index)
{
    return index <= fleet.LastIndex && side.lost[size_t(index)] < fleet.Classes[size_t(index)].Count;
}

void destroyShips(const Fleet::ShipClass &entry, BattleSide &side, size_t index, int64_t ships)
{
    side.lost[index] += ships;
    side.stabilityLeft -= ships * entry.Stability;
    side.attackLeft -= ships * entry.AS;
    side.armorLeft -= ships * entry.Armor;
}

// Whole round-robin passes over the target, done at once. A pass starting with
// damage d destroys one ship of every type with ships left exactly when, for
// every such type i in fleet order, d minus the stability of the types before
// it exceeds half of its stability, and d covers the stability of the whole
// pass (so the damage never turns negative within it). Passes are taken while
// that holds and while every type keeps at least one ship, so no type runs out
// and the target cannot be wiped out within them; the ship-by-ship steps after
// them continue exactly where the passes left off.
int64_t wholePasses(const Fleet &target, BattleSide &side, int64_t damage, bool &noShipsLeft)
{
    int64_t passStability = 0;
    int64_t needed = 0;
    int64_t fewestLeft = kInt64Max;
    noShipsLeft = true;
    for (int i = 0; i <= target.LastIndex; ++i) {
        if (!hasShipsLeft(target, side, i))
            continue;
        noShipsLeft = false;
        const Fleet::ShipClass &entry = target.Classes[size_t(i)];
        needed = std::max(needed, passStability + entry.Stability / 2 + 1);
        passStability += entry.Stability;
        fewestLeft = std::min(fewestLeft, int64_t(entry.Count) - side.lost[size_t(i)]);
    }
    if (noShipsLeft || passStability < 1)
        return damage;
    needed = std::max(needed, passStability);
    if (damage < needed)
        return damage;
    const int64_t passes = std::min((damage - needed) / passStability + 1, fewestLeft - 1);
    if (passes < 1)
        return damage;
    for (int i = 0; i <= target.LastIndex; ++i) {
        if (hasShipsLeft(target, side, i))
            destroyShips(target.Classes[size_t(i)], side, size_t(i), passes);
    }
    return damage - passes * passStability;
}

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

// The time side X needs to wear down the stability and armour of side Y.
float roundTime(const BattleSide &x, float random, const BattleSide &y, int64_t &effective)
{
    const float p = toFloat(static_cast<ext>(x.attackLeft) * static_cast<ext>(kAttackMultiplier));
    effective = truncInt64(static_cast<ext>(x.attackLeft) * static_cast<ext>(random));
    const ext s = static_cast<ext>(y.stabilityLeft) + static_cast<ext>(y.armorLeft);
    if (s >= static_cast<ext>(kRoundCap) * static_cast<ext>(p))
        return kRoundCap;
    if (effective == 0)
        return kRoundCap;
    return toFloat(s / static_cast<ext>(effective));
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

float AverageRandom(bool) { return 0.75f; }

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
    int position = -1;
    bool fires = true;
    while (fires && !side.wipedOut) {
        if (position == -1) {
            bool noShipsLeft = false;
            damage = wholePasses(target, side, damage, noShipsLeft);
            if (noShipsLeft) {
                // Every ship is gone, so the stability left is 0: wiped out.
                side.wipedOut = true;
                break;
            }
        }
        ++position;
        if (hasShipsLeft(target, side, position)) {
            const Fleet::ShipClass &entry = target.Classes[size_t(position)];
            const int64_t half = entry.Stability / 2;
            if (damage > half) {
                destroyShips(entry, side, size_t(position), 1);
                damage -= entry.Stability;
                if (damage < 0)
                    fires = false;
            } else {
                fires = false;
            }
        }
        if (position >= target.LastIndex)
            position = -1;
        if (side.stabilityLeft < 1)
            side.wipedOut = true;
    }
    return damage;
}

BattleOutcome FightBattle(const Fleet &home, const Fleet &foreign)
{
    BattleOutcome out;
    BattleSide &h = out.home;
    BattleSide &f = out.foreign;
    h = BattleSide::Start(home);
    f = BattleSide::Start(foreign);

    while (!h.wipedOut && !f.wipedOut) {
        const float rH = AverageRandom(true);
        const float rF = AverageRandom(true);
        int64_t eH = 0;
        int64_t eF = 0;
        const float tH = roundTime(h, rH, f, eH);
        const float tF = roundTime(f, rF, h, eF);
        const float t = std::min(std::min(tH, tF), kRoundCap);
        const int64_t carryH = h.carry;
        const int64_t carryF = f.carry;
        const int64_t lostBefore = lostSum(h) + lostSum(f);

        int64_t dH = damageValue(static_cast<ext>(h.attackLeft) * static_cast<ext>(rH)
                                     * static_cast<ext>(t)
                                 + static_cast<ext>(h.carry) - static_cast<ext>(f.armorLeft));
        const bool homeFires = dH >= 1;
        if (homeFires)
            h.noAttack = false;
        else
            dH = 0;

        const bool foreignFires = eF >= 1;
        if (foreignFires)
            f.noAttack = false;
        else
            eF = 0;
        int64_t dF = damageValue(static_cast<ext>(eF) * static_cast<ext>(t)
                                 + static_cast<ext>(f.carry) - static_cast<ext>(h.armorLeft));

        out.battleTime = toFloat(static_cast<ext>(out.battleTime) + static_cast<ext>(t));
        ++out.rounds;

        if (homeFires)
            dH = FireVolley(foreign, f, dH);
        if (foreignFires)
            dF = FireVolley(home, h, dF);
        h.carry = dH > 0 ? dH : 0;
        f.carry = dF > 0 ? dF : 0;

        // A round that destroyed nothing leaves every value but the carries as it
        // was; if the carries stand still too, every later round repeats it.
        const bool nothingDestroyed = lostSum(h) + lostSum(f) == lostBefore;
        if (nothingDestroyed && !h.wipedOut && !f.wipedOut
            && ((h.carry == 0 && f.carry == 0) || (h.carry == carryH && f.carry == carryF))) {
            out.aborted = true;
            break;
        }
    }
    return out;
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

QStringList BattleReport(const Fleet &home, const Fleet &foreign, const BattleOutcome &outcome)
{
    QStringList lines;
    const float minutes = toFloat(static_cast<ext>(outcome.battleTime) * 60);
    lines << QStringLiteral("Dauer des Kampfes: ") + DurationText(minutes) + QStringLiteral(" (")
                 + QString::number(outcome.rounds) + QStringLiteral(" Runden)");
    if (outcome.aborted)
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
