#include "compare/CompareColumns.h"

#include "model/DesignFields.h"

namespace qf {

namespace {

CompareColumn column(CompareColumnId id, const char *header, Better better, CellKind kind, const char *jsonKey)
{
    return CompareColumn{id, -1, QString::fromUtf8(header), better, kind, jsonKey};
}

std::vector<CompareColumn> makeColumns(bool flightTime)
{
    using Id = CompareColumnId;
    std::vector<CompareColumn> columns;
    columns.push_back(column(Id::Name, "Name", Better::Neither, CellKind::Text, "name"));
    for (const ComponentField &field : ComponentFields()) {
        // The armour level and the armour figure share the page's label.
        const QString header = field.id == Component::ArmorLevel ? QStringLiteral("Panzerung (Stufe)")
                                                                 : QString::fromUtf8(field.label);
        columns.push_back({Id::Level, indexOf(field.id), header, Better::Neither, CellKind::Number, field.fileKey});
    }
    columns.push_back(column(Id::Actions, "Aktionen", Better::Neither, CellKind::Text, "actions"));
    columns.push_back(column(Id::SBE, "SBE", Better::Less, CellKind::Number, "sbe"));
    columns.push_back(column(Id::FreeSBE, "SBE-Punkte frei", Better::More, CellKind::Number, "freeSbe"));
    columns.push_back(column(Id::Stability, "Stabilität", Better::More, CellKind::Number, "stability"));
    columns.push_back(column(Id::Storage, "Lagerraum", Better::More, CellKind::Number, "storage"));
    columns.push_back(column(Id::Armor, "Panzerung", Better::More, CellKind::Number, "armor"));
    columns.push_back(column(Id::Attack, "Angriff", Better::More, CellKind::Number, "attack"));
    columns.push_back(flightTime ? column(Id::Travel, "Flugzeit (h:m:s)", Better::Less, CellKind::Time, "flightTime")
                                 : column(Id::Travel, "Beschleunigung", Better::More, CellKind::Number, "acceleration"));
    columns.push_back(column(Id::FE, "Eisen", Better::Less, CellKind::Number, "fe"));
    columns.push_back(column(Id::SI, "Silizium", Better::Less, CellKind::Number, "si"));
    columns.push_back(column(Id::C, "Kohlenstoff", Better::Less, CellKind::Number, "c"));
    columns.push_back(column(Id::Crew, "Bewohner", Better::Less, CellKind::Number, "crew"));
    columns.push_back(column(Id::H2O, "Wasser", Better::Less, CellKind::Number, "h2o"));
    columns.push_back(column(Id::O2, "Sauerstoff", Better::Less, CellKind::Number, "o2"));
    columns.push_back(column(Id::Solar, "Solar", Better::Less, CellKind::Number, "solar"));
    columns.push_back(column(Id::ProductionTime, "Produktionszeit", Better::Less, CellKind::Time, "productionTime"));
    columns.push_back(column(Id::FEMine, "Eisenmine", Better::Less, CellKind::Number, "feMine"));
    columns.push_back(column(Id::SIMine, "Siliziumraffinerie", Better::Less, CellKind::Number, "siMine"));
    columns.push_back(column(Id::CMine, "Kohlenstoffanlage", Better::Less, CellKind::Number, "cMine"));
    columns.push_back(column(Id::AttackPerSolar, "Angriff je 1000 Solar", Better::More, CellKind::Decimal, "attack"));
    columns.push_back(column(Id::StabilityPerSolar, "Stabilität je 1000 Solar", Better::More, CellKind::Decimal, "stability"));
    columns.push_back(column(Id::ArmorPerSolar, "Panzerung je 1000 Solar", Better::More, CellKind::Decimal, "armor"));
    columns.push_back(column(Id::StoragePerSolar, "Lagerraum je 1000 Solar", Better::More, CellKind::Decimal, "storage"));
    return columns;
}

} // namespace

const std::vector<CompareColumn> &CompareColumns(bool flightTime)
{
    static const std::vector<CompareColumn> withFlightTime = makeColumns(true);
    static const std::vector<CompareColumn> withAcceleration = makeColumns(false);
    return flightTime ? withFlightTime : withAcceleration;
}

} // namespace qf
