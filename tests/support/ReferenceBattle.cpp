#include "ReferenceBattle.h"

#include <limits>
#include <utility>

namespace qf::test {

namespace {

float refRoundTime(const RefSide &x, const RefSide &y, int64_t &e)
{
    const float p = float((long double)x.attack * (long double)1.5f);
    e = int64_t((long double)x.attack * (long double)0.75f);
    // Both totals may be near the 64-bit limit: their sum is taken in extended precision.
    const long double s = (long double)y.stability + (long double)y.armor;
    if (s >= (long double)2.0f * (long double)p)
        return 2.0f;
    if (e == 0)
        return 2.0f;
    return float(s / (long double)e);
}

int64_t refDamage(long double value)
{
    return value >= 9223372036854775807.0L ? std::numeric_limits<int64_t>::max() : int64_t(value);
}

} // namespace

RefSide RefStart(const Fleet &f)
{
    RefSide s;
    s.stability = f.TotalStability;
    s.attack = f.TotalAS;
    s.armor = f.TotalArmor;
    return s;
}

void RefFire(const Fleet &y, RefSide &s, int64_t &d)
{
    int position = -1;
    bool fires = true;
    while (fires && !s.wiped) {
        ++position;
        const Fleet::ShipClass &e = y.Classes[size_t(position)];
        if (s.lost[size_t(position)] < e.Count) {
            if (d > e.Stability / 2) {
                ++s.lost[size_t(position)];
                s.stability -= e.Stability;
                s.attack -= e.AS;
                s.armor -= e.Armor;
                d -= e.Stability;
                if (d < 0)
                    fires = false;
            } else {
                fires = false;
            }
        }
        if (position == y.LastIndex)
            position = -1;
        if (s.stability < 1)
            s.wiped = true;
    }
}

RefOutcome RefBattle(const Fleet &home, const Fleet &foreign, int64_t maxRounds)
{
    RefOutcome o;
    RefSide &h = o.home;
    RefSide &f = o.foreign;
    h = RefStart(home);
    f = RefStart(foreign);
    while (!h.wiped && !f.wiped) {
        if (o.rounds >= maxRounds) {
            o.finished = false;
            return o;
        }
        int64_t eH = 0, eF = 0;
        const float tH = refRoundTime(h, f, eH);
        const float tF = refRoundTime(f, h, eF);
        float t = tH < tF ? tH : tF;
        if (t > 2.0f)
            t = 2.0f;
        int64_t dH = refDamage((long double)h.attack * 0.75f * t + h.carry - f.armor);
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
        int64_t dF = refDamage((long double)eF * t + f.carry - h.armor);
        o.time = float((long double)o.time + t);
        ++o.rounds;
        const std::array<int64_t, Fleet::Capacity> homeLost = h.lost;
        const std::array<int64_t, Fleet::Capacity> foreignLost = f.lost;
        const int64_t homeCarry = h.carry;
        const int64_t foreignCarry = f.carry;
        if (homeFires)
            RefFire(foreign, f, dH);
        if (foreignFires)
            RefFire(home, h, dF);
        h.carry = dH > 0 ? dH : 0;
        f.carry = dF > 0 ? dF : 0;
        const bool nothingDestroyed = h.lost == homeLost && f.lost == foreignLost;
        if (nothingDestroyed && !h.wiped && !f.wiped
            && ((h.carry == 0 && f.carry == 0) || (h.carry == homeCarry && f.carry == foreignCarry))) {
            o.aborted = true;
            break;
        }
    }
    // A wiped-out fleet has lost every ship, also those without stability.
    for (auto [fleet, side] : {std::pair{&home, &h}, std::pair{&foreign, &f}}) {
        if (!side->wiped)
            continue;
        for (int i = 0; i <= fleet->LastIndex; ++i)
            side->lost[size_t(i)] = fleet->Classes[size_t(i)].Count;
        side->stability = side->attack = side->armor = 0;
    }
    return o;
}

BattleOutcome AsOutcome(const RefOutcome &r)
{
    BattleOutcome o;
    for (auto [to, from] : {std::pair{&o.home, &r.home}, std::pair{&o.foreign, &r.foreign}}) {
        to->stabilityLeft = from->stability;
        to->attackLeft = from->attack;
        to->armorLeft = from->armor;
        to->carry = from->carry;
        to->lost = from->lost;
        to->noAttack = from->noAttack;
        to->wipedOut = from->wiped;
    }
    o.battleTime = r.time;
    o.rounds = r.rounds;
    if (!r.finished)
        o.end = BattleEnd::RoundLimit;
    else if (r.aborted)
        o.end = BattleEnd::NoProgress;
    else
        o.end = BattleEnd::Decided;
    return o;
}

} // namespace qf::test
