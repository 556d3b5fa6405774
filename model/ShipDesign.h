#pragma once
// One ship type: name, eight component levels, eight special actions, and every
// value that follows from them. The setters keep the derived values current.
#include <QString>
#include <array>
#include <cstdint>

namespace qf {

class ShipDesign {
public:
    ShipDesign();

    QString GetName() const { return Name; }
    void SetName(const QString &name);
    bool IsChanged() const;
    void MarkSaved();

    int GetSBE() const { return SBE; }
    int GetStorageBays() const { return StorageBays; }
    int GetArmorLevel() const { return ArmorLevel; }
    int GetThruster() const { return Thruster; }
    int GetFusi() const { return Fusi; }
    int GetMissles() const { return Missles; }
    int GetLaser() const { return Laser; }
    int GetPlasma() const { return Plasma; }
    int GetZVA() const { return ZVA; }
    bool GetCrewed() const { return Crewed; }
    bool GetKolo() const { return Kolo; }
    bool GetInva() const { return Inva; }
    bool GetRecy() const { return Recy; }
    bool GetSpy() const { return Spy; }
    bool GetCloak() const { return Cloak; }
    bool GetRaid() const { return Raid; }
    bool GetSabo() const { return Sabo; }
    int GetFreeSBE() const { return FreeSBE; }

    int GetStability() const;
    int GetArmor() const;
    int GetAS() const;
    int GetAcceleration() const;
    float GetFlightTimePercent() const { return FlightTimePercent; }
    int GetStorageCapacity() const;
    int GetFE() const;
    int GetSI() const;
    int GetC() const;
    int GetCrew() const;
    int GetH2O() const;
    int GetO2() const;

    // Level setters: a refused value leaves the record exactly as it was.
    void SetStorageBays(int value);
    void SetArmorLevel(int value);
    void SetThruster(int value);
    void SetFusi(int value);
    void SetMissles(int value);
    void SetLaser(int value);
    void SetPlasma(int value);
    void SetZVA(int value);

    void SetCrewed(bool value);
    void SetKolo(bool value);
    void SetInva(bool value);
    void SetRecy(bool value);
    void SetSpy(bool value);
    void SetCloak(bool value);
    void SetRaid(bool value);
    void SetSabo(bool value);

private:
    std::array<int, 9> levels() const;
    std::array<bool, 8> flags() const;
    int64_t rawSBE() const;
    bool rawFitsWith(int &member, int value);
    void recalcAcceleration();
    void recalcAS();
    void RecalcSBE();
    void RecalcCosts();
    void recalcAfterChange();

    QString Name;
    int SBE = 0;
    int StorageBays = 0;
    int ArmorLevel = 0;
    int Thruster = 0;
    int Fusi = 0;
    int Missles = 0;
    int Laser = 0;
    int Plasma = 0;
    int ZVA = 0;
    bool Crewed = false;
    bool Kolo = false;
    bool Inva = false;
    bool Recy = false;
    bool Spy = false;
    bool Cloak = false;
    bool Raid = false;
    bool Sabo = false;
    int FreeSBE = 0;
    bool NameChanged = false;
    std::array<int, 9> SavedLevels{};
    std::array<bool, 8> SavedFlags{};
    float Stability = 0;
    float Armor = 0;
    float AS = 0;
    float Acceleration = 0;
    float FlightTimePercent = 100.0f;
    float StorageCapacity = 0;
    float FE = 0;
    float SI = 0;
    float C = 0;
    float Crew = 0;
    float H2O = 0;
    float O2 = 0;
};

} // namespace qf
