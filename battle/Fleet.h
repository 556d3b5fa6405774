#pragma once
// A fleet of at most ten ship types with a count per type and four totals.
// An entry is a snapshot of a design's values taken when its ships were added.
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace qf {

// Cost of one ship in Solar from its iron, silicon and carbon costs.
int SolarCost(int FE, int SI, int C);

class Fleet {
public:
    static constexpr int Capacity = 10;

    struct ShipClass {
        QString Name;
        int32_t Count = 0;
        int32_t AS = 0;
        int32_t Armor = 0;
        int32_t Stability = 0;
        int32_t Cost = 0;
    };

    std::array<ShipClass, Capacity> Classes{};
    int LastIndex = -1;
    QStringList Names;
    // Totals are held in 64 bits so that large fleets never overflow.
    int64_t TotalAS = 0;
    int64_t TotalArmor = 0;
    int64_t TotalStability = 0;
    int64_t TotalCost = 0;

    int AddShip(int AS, int Armor, int Stability, const QString &Name, int FE, int SI, int C);
    int IncreaseCount(int index);
    int DecreaseCount(int index);
    void RemoveShipClass(int index);
    void Recalculate();
    void SetAttackTarget(int64_t target, int index);
    void SetArmorTarget(int64_t target, int index);
    void SetStabilityTarget(int64_t target, int index);
    void SetCostTarget(int64_t target, int index);
};

} // namespace qf
