#pragma once
// One ship type: name, eight component levels, eight special actions, and every
// value that follows from them. The setters keep the derived values current.
#include "model/DesignFields.h"

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
    // Whether both have the same levels and actions (names and saved states aside).
    bool HasValuesOf(const ShipDesign &other) const;
    void MarkSaved();

    int GetLevel(Component c) const { return Levels[size_t(indexOf(c))]; }
    bool GetFlag(Action a) const { return Flags[size_t(indexOf(a))]; }
    // A refused value (storage bays below 1, another level below 0, a crew removed
    // while an action needs one) leaves the record exactly as it was.
    void SetLevel(Component c, int value);
    void SetFlag(Action a, bool value);

    int GetSBE() const { return SBE; }
    int GetStorageBays() const { return GetLevel(Component::StorageBays); }
    int GetArmorLevel() const { return GetLevel(Component::ArmorLevel); }
    int GetThruster() const { return GetLevel(Component::Thruster); }
    int GetFusi() const { return GetLevel(Component::Fusi); }
    int GetMissles() const { return GetLevel(Component::Missles); }
    int GetLaser() const { return GetLevel(Component::Laser); }
    int GetPlasma() const { return GetLevel(Component::Plasma); }
    int GetZVA() const { return GetLevel(Component::ZVA); }
    bool GetCrewed() const { return GetFlag(Action::Crewed); }
    bool GetKolo() const { return GetFlag(Action::Kolo); }
    bool GetInva() const { return GetFlag(Action::Inva); }
    bool GetRecy() const { return GetFlag(Action::Recy); }
    bool GetSpy() const { return GetFlag(Action::Spy); }
    bool GetCloak() const { return GetFlag(Action::Cloak); }
    bool GetRaid() const { return GetFlag(Action::Raid); }
    bool GetSabo() const { return GetFlag(Action::Sabo); }
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

    void SetStorageBays(int value) { SetLevel(Component::StorageBays, value); }
    void SetArmorLevel(int value) { SetLevel(Component::ArmorLevel, value); }
    void SetThruster(int value) { SetLevel(Component::Thruster, value); }
    void SetFusi(int value) { SetLevel(Component::Fusi, value); }
    void SetMissles(int value) { SetLevel(Component::Missles, value); }
    void SetLaser(int value) { SetLevel(Component::Laser, value); }
    void SetPlasma(int value) { SetLevel(Component::Plasma, value); }
    void SetZVA(int value) { SetLevel(Component::ZVA, value); }

    void SetCrewed(bool value) { SetFlag(Action::Crewed, value); }
    void SetKolo(bool value) { SetFlag(Action::Kolo, value); }
    void SetInva(bool value) { SetFlag(Action::Inva, value); }
    void SetRecy(bool value) { SetFlag(Action::Recy, value); }
    void SetSpy(bool value) { SetFlag(Action::Spy, value); }
    void SetCloak(bool value) { SetFlag(Action::Cloak, value); }
    void SetRaid(bool value) { SetFlag(Action::Raid, value); }
    void SetSabo(bool value) { SetFlag(Action::Sabo, value); }

private:
    int &level(Component c) { return Levels[size_t(indexOf(c))]; }
    bool needsCrew() const;
    int64_t rawSBE() const;
    bool rawFitsWith(Component c, int value);
    void recalcOwnValue(Component c);
    void recalcAcceleration();
    void recalcAS();
    void RecalcSBE();
    void RecalcCosts();
    void recalcAfterChange();

    QString Name;
    int SBE = 0;
    std::array<int, kComponentCount> Levels{};
    std::array<bool, kActionCount> Flags{};
    int FreeSBE = 0;
    bool NameChanged = false;
    int SavedSBE = 0;
    std::array<int, kComponentCount> SavedLevels{};
    std::array<bool, kActionCount> SavedFlags{};
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
