#include "model/DesignFields.h"

namespace qf {

const std::array<ComponentField, kComponentCount> &ComponentFields()
{
    static const std::array<ComponentField, kComponentCount> fields = {{
        {Component::StorageBays, "Lager", "Lager", "Lager", "d_StorageBays", "d_StorageBaysUD", 1, 0},
        {Component::ArmorLevel, "Panzer", "Panzer", "Panzerung", "d_ArmorLevel", "d_ArmorLevelUD", 0, 1},
        {Component::Thruster, "Verbrenner", "Verbrenn", "Verbrenner", "d_Thruster", "d_ThrusterUD", 0, 2},
        {Component::Fusi, "Fusionsantrieb", "Fusion", "Fusionsantrieb", "d_Fusi", "d_FusiUD", 0, 3},
        {Component::ZVA, "ZVA", "Zeitverz", "ZVA", "d_ZVA", "d_ZVAUD", 0, 4},
        {Component::Missles, "Raketenbatterie", "Raketen", "Raketenbatterien", "d_Missles", "d_MisslesUD", 0, 5},
        {Component::Laser, "Laserkanonen", "Laser", "Laserkanonen", "d_Laser", "d_LaserUD", 0, 6},
        {Component::Plasma, "Plasmawerfer", "Plasma", "Plasmawerfer", "d_Plasma", "d_PlasmaUD", 0, 7},
    }};
    return fields;
}

const std::array<ActionField, kActionCount> &ActionFields()
{
    // The file spells the raid "Pluendern" without the umlaut; the game's display and
    // the page write "Plündern".
    static const std::array<ActionField, kActionCount> fields = {{
        {Action::Crewed, "Bemannt", "Bemannt", "Bemannt", "d_Crewed", 2},
        {Action::Spy, "Spionage", "Spio", "Spionage", "d_Spy", 4},
        {Action::Cloak, "Tarnung", "Tarn", "Tarnung", "d_Cloak", 3},
        {Action::Kolo, "Kolonisation", "Kolo", "Kolonisation", "d_Kolo", 0},
        {Action::Inva, "Invasion", "Inva", "Invasion", "d_Inva", 1},
        {Action::Recy, "Recycling", "Recy", "Recycling", "d_Recy", 5},
        {Action::Raid, "Pluendern", "Plün", "Plündern", "d_Raid", 6},
        {Action::Sabo, "Sabotage", "Sabo", "Sabotage", "d_Sabo", 7},
    }};
    return fields;
}

const ComponentField &FieldOf(Component c) { return ComponentFields()[size_t(indexOf(c))]; }

const ActionField &FieldOf(Action a) { return ActionFields()[size_t(indexOf(a))]; }

QString FileKey(Component c) { return QString::fromLatin1(FieldOf(c).fileKey); }

QString FileKey(Action a) { return QString::fromLatin1(FieldOf(a).fileKey); }

} // namespace qf
