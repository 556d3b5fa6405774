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

// How an operation that adds ships or sets a count ended. The window shows a
// message box for the two refusals (FleetRefusalText); every other outcome is
// silent, as the game is.
enum class FleetEdit {
    Done,          // carried out
    Ignored,       // nothing to do: no ship to add, values below 0, or a position outside the fleet
    FleetFull,     // a new type beside ten others: nothing added
    TooLarge,      // refused: a fleet total would leave the 64-bit range; the fleet is unchanged
    CountTooLarge, // refused: the entry would hold more than 2,147,483,647 ships; the fleet is unchanged
};

// The largest count an entry holds.
constexpr int32_t kMostShips = 2147483647;

// The German reason shown for a refused edit of the entry named `entry`:
// "Die Summen der Flotte passen nicht mehr in 64 Bit; die Flotte bleibt
// unverändert." for TooLarge, "„NAME“ hätte mehr als 2147483647 Schiffe; die
// Flotte bleibt unverändert." for CountTooLarge, empty for every other outcome.
QString FleetRefusalText(FleetEdit edit, const QString &entry = QString());

class Fleet {
public:
    static constexpr int Capacity = 10;

    struct ShipClass {
        QString Name;
        int32_t Count = 0;
        int32_t AS = 0;
        int32_t Armor = 0;
        int32_t Stability = 0;
        // The design's iron, silicon and carbon costs, kept so the fleet can be saved.
        int32_t FE = 0;
        int32_t SI = 0;
        int32_t C = 0;
        int64_t Cost = 0; // SolarCost(FE, SI, C)
    };

    std::array<ShipClass, Capacity> Classes{};
    int LastIndex = -1;
    QStringList Names;
    // Totals are held in 64 bits so that large fleets never overflow. No operation
    // lets a total leave the 64-bit range: one that would is refused as a whole
    // (FleetEdit::TooLarge) and the fleet stays as it was.
    int64_t TotalAS = 0;
    int64_t TotalArmor = 0;
    int64_t TotalStability = 0;
    int64_t TotalCost = 0;

    bool isEmpty() const { return LastIndex < 0; }
    // Whether both hold the same entries, with the same counts, values and totals.
    bool SameAs(const Fleet &other) const;

    // One ship of the type. Returns the position of the entry if the name was
    // already present (case ignored; the entry keeps its old values; also when
    // its count stays), else -1, also when nothing was added (full fleet, values
    // below 0, which no design has, or totals that would leave 64 bits). Ships
    // that would take the entry past kMostShips are refused (CountTooLarge).
    // `edit`, when given, receives how the addition ended.
    int AddShip(int AS, int Armor, int Stability, const QString &Name, int FE, int SI, int C,
                FleetEdit *edit = nullptr);
    // The same as `count` single AddShip calls, done at once, except that it is
    // all or nothing: when the ships together would take a total outside 64 bits,
    // none is added (TooLarge). Returns the position of the type's entry (also
    // when the name was present and its count stays), or -1 when no entry holds
    // the type. A count below 1 adds nothing (Ignored).
    int AddShips(int count, int AS, int Armor, int Stability, const QString &Name, int FE, int SI,
                 int C, FleetEdit *edit = nullptr);
    // Position of the entry with this name, letter case ignored; -1 if none.
    int IndexOf(const QString &name) const;

    // One ship more; the count now held, or -1 for a position outside the fleet.
    // A count at kMostShips is refused (CountTooLarge), and so is a ship that
    // would take a total outside 64 bits (TooLarge); the count stays.
    int IncreaseCount(int index, FleetEdit *edit = nullptr);
    // One ship less, removing the entry at 0. Returns the count now stored at the
    // position: the follower's after a removal, 0 if the removed entry was the last.
    int DecreaseCount(int index);
    void RemoveShipClass(int index);
    void Recalculate();

    // The count that brings the total closest to the target without passing it,
    // at least 1; the other entries stay. When that count is above kMostShips
    // (CountTooLarge) or would take any total outside 64 bits (TooLarge) it is
    // refused and the count stays; a position outside the fleet is Ignored.
    FleetEdit SetAttackTarget(int64_t target, int index);
    FleetEdit SetArmorTarget(int64_t target, int index);
    FleetEdit SetStabilityTarget(int64_t target, int index);
    FleetEdit SetCostTarget(int64_t target, int index);

    // Sets the entry's count to exactly `count` ships, the other entries unchanged.
    // A count below 1 or a position outside the fleet changes nothing (Ignored); a
    // count with which a total would leave the 64-bit range is refused (TooLarge).
    FleetEdit SetCount(int index, int32_t count);
    // The largest count the entry can hold: kMostShips, or less where a
    // total would otherwise leave the 64-bit range; 0 for a position outside
    // the fleet.
    int32_t CountLimit(int index) const;

private:
    enum class Kind { Attack, Armor, Stability, Cost };
    FleetEdit setTarget(Kind kind, int64_t target, int index);
    // AddShip and AddShips; they differ only in what a new entry answers.
    int addShips(int count, int AS, int Armor, int Stability, const QString &Name, int FE, int SI,
                 int C, FleetEdit *edit, bool newEntryPosition);
    bool validIndex(int index) const { return index >= 0 && index <= LastIndex; }
    // Whether every total stays inside 64 bits with `count` ships at `index`.
    bool countFits(int index, int64_t count) const;
};

} // namespace qf
