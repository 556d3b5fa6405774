#pragma once
// The columns of the design comparison: what each shows, how it sorts and
// which way is better. The window, its CSV and the command-line tool all walk
// this one list.
#include <QString>
#include <vector>

namespace qf {

// Which way a figure is better, for colouring a row against the reference.
enum class Better {
    Neither, // names, levels, actions: a choice, not a merit
    More,    // attack, stability, armour, storage, acceleration, free points, ratios
    Less,    // costs, times, base elements, mine levels
};

// How a column's texts are read for sorting and comparing.
enum class CellKind {
    Text,    // compared as text, ignoring case
    Number,  // a whole number
    Decimal, // a number with the locale's decimal separator
    Time,    // "hh:mm:ss", hours of any length
};

enum class CompareColumnId {
    Name,
    Level, // one per component, in the order of the design file
    Actions,
    SBE,
    FreeSBE,
    Stability,
    Storage,
    Armor,
    Attack,
    Travel, // flight time or acceleration, by the display option
    FE,
    SI,
    C,
    Crew,
    H2O,
    O2,
    Solar,
    ProductionTime,
    FEMine,
    SIMine,
    CMine,
    AttackPerSolar,
    StabilityPerSolar,
    ArmorPerSolar,
    StoragePerSolar,
};

struct CompareColumn {
    CompareColumnId id;
    int component; // for Level: the index of the component; else -1
    QString header;
    Better better;
    CellKind kind;
    const char *jsonKey; // the key of the figure in the command-line tool's JSON
};

// Every column in table order. The travel column shows the flight time or,
// with `flightTime` false, the acceleration.
const std::vector<CompareColumn> &CompareColumns(bool flightTime);

} // namespace qf
