#pragma once
// A fleet of at most ten ship types with a count per type and four totals.
// An entry is a snapshot of a design's values taken when its ships were added.
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace qf {

// Cost of one ship in Solar from its iron, silicon and carbon costs: one Eisen
// is 1 Solar, one Silizium 1.6, one Kohlenstoff 8/3, in extended precision with
// the game's inexact weights, truncated. Held in 64 bits: three large 32-bit
// costs together pass the 32-bit range.
int64_t SolarCost(int FE, int SI, int C);

// A target value typed for a fleet total, read by the program's whole-number rule
// (optional sign, digits, nothing else; anything else reads as 0) but in 64 bits,
// because the total fields it starts from show 64-bit totals.
int64_t ReadTargetValue(const QString &text);

class Fleet {
public:
    static constexpr int Capacity = 10;

    struct ShipClass {
        QString Name;
        int32_t Count = 0;
        int32_t AS = 0;
        int32_t Armor = 0;
        int32_t Stability = 0;
        int64_t Cost = 0;
    };

    std::array<ShipClass, Capacity> Classes{};
    int LastIndex = -1;
    QStringList Names;
    // Totals are held in 64 bits so that large fleets never overflow. No operation
    // lets a total leave the 64-bit range: a count that would take it there stays.
    int64_t TotalAS = 0;
    int64_t TotalArmor = 0;
    int64_t TotalStability = 0;
    int64_t TotalCost = 0;

    bool isEmpty() const { return LastIndex < 0; }

    // One ship of the type. Returns the position of the entry if the name was
    // already present (case ignored; the entry keeps its old values), else -1,
    // also when nothing was added (full fleet, or values below 0, which no
    // design has).
    int AddShip(int AS, int Armor, int Stability, const QString &Name, int FE, int SI, int C);
    // The same as `count` single AddShip calls, done at once. Returns the
    // position of the type's entry, or -1 when no ship was added.
    int AddShips(int count, int AS, int Armor, int Stability, const QString &Name, int FE, int SI,
                 int C);
    // Position of the entry with this name, letter case ignored; -1 if none.
    int IndexOf(const QString &name) const;

    // One ship more; the new count, or -1 for a position outside the fleet.
    // A count at its limit (2,147,483,647, or where a total would leave 64 bits) stays.
    int IncreaseCount(int index);
    // One ship less, removing the entry at 0. Returns the count now stored at the
    // position: the follower's after a removal, 0 if the removed entry was the last.
    int DecreaseCount(int index);
    void RemoveShipClass(int index);
    void Recalculate();

    // The count that brings the total closest to the target without passing it,
    // at least 1; the other entries stay.
    void SetAttackTarget(int64_t target, int index);
    void SetArmorTarget(int64_t target, int index);
    void SetStabilityTarget(int64_t target, int index);
    void SetCostTarget(int64_t target, int index);

    // The largest count the entry can hold: 2,147,483,647, or less where a
    // total would otherwise leave the 64-bit range.
    int32_t CountLimit(int index) const;

private:
    enum class Kind { Attack, Armor, Stability, Cost };
    void setTarget(Kind kind, int64_t target, int index);
    bool validIndex(int index) const { return index >= 0 && index <= LastIndex; }
};

} // namespace qf
