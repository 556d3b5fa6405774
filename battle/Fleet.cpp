#include "battle/Fleet.h"

#include "model/Numeric.h"

#include <algorithm>
#include <limits>
#include <tuple>
#include <utility>

namespace qf {

namespace {

constexpr int64_t kInt64Max = std::numeric_limits<int64_t>::max();
constexpr int64_t kInt64Min = std::numeric_limits<int64_t>::min();
constexpr int32_t kCountMax = kMostShips;

bool inInt64(wide value) { return value >= kInt64Min && value <= kInt64Max; }

int64_t checkedSum(int64_t total, int32_t count, int64_t value)
{
    int64_t product = 0;
    int64_t sum = 0;
    if (__builtin_mul_overflow(int64_t(count), value, &product)
        || __builtin_add_overflow(total, product, &sum))
        throw ArithmeticError("Überlauf: eine Flottensumme passt nicht in 64 Bit.");
    return sum;
}

} // namespace

int64_t SolarCost(int FE, int SI, int C)
{
    const ext fe = FE;
    const ext si = SI;
    const ext c = C;
    const ext sum = fe * widen(0.001) + si * widen(0.0016) + c * widen(0.0026666666666666666);
    return truncInt64(sum * 1000);
}

int64_t ReadTargetValue(const QString &text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i >= text.size())
        return 0;
    // Gathered as a negative number, which reaches one further than a positive one.
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch < u'0' || ch > u'9')
            return 0;
        if (__builtin_mul_overflow(value, int64_t(10), &value)
            || __builtin_sub_overflow(value, int64_t(ch.unicode() - u'0'), &value))
            return 0;
    }
    if (negative)
        return value;
    if (value == kInt64Min)
        return 0;
    return -value;
}

int Fleet::IndexOf(const QString &name) const
{
    for (int i = 0; i < Names.size() && i <= LastIndex; ++i) {
        if (QString::compare(Names.at(i), name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString FleetRefusalText(FleetEdit edit, const QString &entry)
{
    if (edit == FleetEdit::TooLarge)
        return QStringLiteral(
            "Die Summen der Flotte passen nicht mehr in 64 Bit; die Flotte bleibt unverändert.");
    if (edit == FleetEdit::CountTooLarge)
        return QStringLiteral("„%1“ hätte mehr als %2 Schiffe; die Flotte bleibt unverändert.")
            .arg(entry)
            .arg(kMostShips);
    return QString();
}

int Fleet::AddShip(int AS, int Armor, int Stability, const QString &Name, int FE, int SI, int C,
                   FleetEdit *edit)
{
    return addShips(1, AS, Armor, Stability, Name, FE, SI, C, edit, false);
}

int Fleet::AddShips(int count, int AS, int Armor, int Stability, const QString &Name, int FE,
                    int SI, int C, FleetEdit *edit)
{
    return addShips(count, AS, Armor, Stability, Name, FE, SI, C, edit, true);
}

int Fleet::addShips(int count, int AS, int Armor, int Stability, const QString &Name, int FE,
                    int SI, int C, FleetEdit *edit, bool newEntryPosition)
{
    FleetEdit ignored = FleetEdit::Ignored;
    FleetEdit &result = edit ? *edit : ignored;
    result = FleetEdit::Ignored;
    if (count < 1)
        return -1;
    const int found = IndexOf(Name);
    if (found >= 0) {
        // The entry keeps its old values; only its count grows.
        ShipClass &entry = Classes[size_t(found)];
        const int64_t wanted = int64_t(entry.Count) + count;
        if (wanted > kCountMax) {
            result = FleetEdit::CountTooLarge;
            return found;
        }
        if (!countFits(found, wanted)) {
            result = FleetEdit::TooLarge;
            return found;
        }
        entry.Count = int32_t(wanted);
        Recalculate();
        result = FleetEdit::Done;
        return found;
    }
    if (LastIndex >= Capacity - 1) {
        result = FleetEdit::FleetFull;
        return -1;
    }
    if (AS < 0 || Armor < 0 || Stability < 0 || FE < 0 || SI < 0 || C < 0)
        return -1;
    const int64_t cost = SolarCost(FE, SI, C);
    // The new type's ships must leave every total inside 64 bits.
    if (!inInt64(wide(TotalAS) + wide(count) * AS) || !inInt64(wide(TotalArmor) + wide(count) * Armor)
        || !inInt64(wide(TotalStability) + wide(count) * Stability)
        || !inInt64(wide(TotalCost) + wide(count) * cost)) {
        result = FleetEdit::TooLarge;
        return -1;
    }
    ++LastIndex;
    ShipClass &entry = Classes[size_t(LastIndex)];
    entry.Name = Name;
    entry.Count = count;
    entry.AS = AS;
    entry.Armor = Armor;
    entry.Stability = Stability;
    entry.FE = FE;
    entry.SI = SI;
    entry.C = C;
    entry.Cost = cost;
    Names.append(Name);
    Recalculate();
    result = FleetEdit::Done;
    // AddShip answers -1 for a new entry, AddShips its position.
    return newEntryPosition ? LastIndex : -1;
}

bool Fleet::SameAs(const Fleet &other) const
{
    const auto sameClass = [](const ShipClass &x, const ShipClass &y) {
        return std::tie(x.Name, x.Count, x.AS, x.Armor, x.Stability, x.FE, x.SI, x.C, x.Cost)
               == std::tie(y.Name, y.Count, y.AS, y.Armor, y.Stability, y.FE, y.SI, y.C, y.Cost);
    };
    if (std::tie(LastIndex, Names, TotalAS, TotalArmor, TotalStability, TotalCost)
        != std::tie(other.LastIndex, other.Names, other.TotalAS, other.TotalArmor, other.TotalStability,
                    other.TotalCost))
        return false;
    for (int i = 0; i <= LastIndex && i < Capacity; ++i) {
        if (!sameClass(Classes[size_t(i)], other.Classes[size_t(i)]))
            return false;
    }
    return true;
}

bool Fleet::countFits(int index, int64_t count) const
{
    const ShipClass &entry = Classes[size_t(index)];
    const wide more = wide(count) - entry.Count;
    return inInt64(wide(TotalAS) + more * entry.AS) && inInt64(wide(TotalArmor) + more * entry.Armor)
           && inInt64(wide(TotalStability) + more * entry.Stability)
           && inInt64(wide(TotalCost) + more * entry.Cost);
}

int32_t Fleet::CountLimit(int index) const
{
    if (!validIndex(index))
        return 0;
    const ShipClass &entry = Classes[size_t(index)];
    wide largest = kCountMax;
    const std::pair<int64_t, int64_t> kinds[] = {
        {entry.AS, TotalAS}, {entry.Armor, TotalArmor}, {entry.Stability, TotalStability}, {entry.Cost, TotalCost}};
    for (const auto &[value, total] : kinds) {
        const wide rest = wide(total) - wide(entry.Count) * value;
        if (value > 0)
            largest = std::min(largest, (wide(kInt64Max) - rest) / value);
        else if (value < 0)
            largest = std::min(largest, (rest - wide(kInt64Min)) / -wide(value));
    }
    return int32_t(std::max<wide>(largest, 0));
}

int Fleet::IncreaseCount(int index, FleetEdit *edit)
{
    FleetEdit ignored = FleetEdit::Ignored;
    FleetEdit &result = edit ? *edit : ignored;
    result = FleetEdit::Ignored;
    if (!validIndex(index))
        return -1;
    ShipClass &entry = Classes[size_t(index)];
    if (entry.Count >= kCountMax) {
        result = FleetEdit::CountTooLarge;
        return entry.Count;
    }
    if (!countFits(index, int64_t(entry.Count) + 1)) {
        result = FleetEdit::TooLarge;
        return entry.Count;
    }
    ++entry.Count;
    Recalculate();
    result = FleetEdit::Done;
    return entry.Count;
}

int Fleet::DecreaseCount(int index)
{
    if (!validIndex(index))
        return -1;
    ShipClass &entry = Classes[size_t(index)];
    --entry.Count;
    if (entry.Count <= 0)
        RemoveShipClass(index);
    Recalculate();
    return index <= LastIndex ? Classes[size_t(index)].Count : 0;
}

void Fleet::RemoveShipClass(int index)
{
    if (!validIndex(index))
        return;
    for (int i = index; i < LastIndex; ++i)
        Classes[size_t(i)] = Classes[size_t(i + 1)];
    Classes[size_t(LastIndex)] = ShipClass();
    --LastIndex;
    Names.removeAt(index);
    Recalculate();
}

void Fleet::Recalculate()
{
    int64_t as = 0;
    int64_t armor = 0;
    int64_t stability = 0;
    int64_t cost = 0;
    for (int i = 0; i <= LastIndex; ++i) {
        const ShipClass &entry = Classes[size_t(i)];
        as = checkedSum(as, entry.Count, entry.AS);
        armor = checkedSum(armor, entry.Count, entry.Armor);
        stability = checkedSum(stability, entry.Count, entry.Stability);
        cost = checkedSum(cost, entry.Count, entry.Cost);
    }
    TotalAS = as;
    TotalArmor = armor;
    TotalStability = stability;
    TotalCost = cost;
}

FleetEdit Fleet::setTarget(Kind kind, int64_t target, int index)
{
    if (!validIndex(index))
        return FleetEdit::Ignored;
    ShipClass &entry = Classes[size_t(index)];
    int64_t value = 0;
    int64_t total = 0;
    switch (kind) {
    case Kind::Attack: value = entry.AS; total = TotalAS; break;
    case Kind::Armor: value = entry.Armor; total = TotalArmor; break;
    case Kind::Stability: value = entry.Stability; total = TotalStability; break;
    case Kind::Cost: value = entry.Cost; total = TotalCost; break;
    }
    const wide rest = wide(total) - wide(entry.Count) * value;
    wide count = 1;
    if (wide(target) >= rest + value && value >= 1)
        count = (wide(target) - rest) / value;
    if (count > kCountMax)
        return FleetEdit::CountTooLarge;
    // The chosen total stays at or below the target; another total may not fit.
    if (!countFits(index, int64_t(count)))
        return FleetEdit::TooLarge;
    entry.Count = int32_t(count);
    Recalculate();
    return FleetEdit::Done;
}

FleetEdit Fleet::SetCount(int index, int32_t count)
{
    if (!validIndex(index) || count < 1)
        return FleetEdit::Ignored;
    if (!countFits(index, count))
        return FleetEdit::TooLarge;
    Classes[size_t(index)].Count = count;
    Recalculate();
    return FleetEdit::Done;
}

FleetEdit Fleet::SetAttackTarget(int64_t target, int index) { return setTarget(Kind::Attack, target, index); }
FleetEdit Fleet::SetArmorTarget(int64_t target, int index) { return setTarget(Kind::Armor, target, index); }
FleetEdit Fleet::SetStabilityTarget(int64_t target, int index) { return setTarget(Kind::Stability, target, index); }
FleetEdit Fleet::SetCostTarget(int64_t target, int index) { return setTarget(Kind::Cost, target, index); }

} // namespace qf
