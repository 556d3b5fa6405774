#pragma once
// One design's row of the comparison table: the texts the Designer page shows
// for it (at the page's distance, factory levels and display option), its cost
// in Solar, and four figures per 1000 Solar.
#include "compare/CompareColumns.h"
#include "model/Distance.h"
#include "model/Numeric.h"
#include "model/ShipDesign.h"

#include <QLocale>
#include <QString>
#include <optional>
#include <vector>

namespace qf {

// What the Designer page holds beside the design: the distance as its text,
// the two factory levels as read from their fields, the display option.
struct CompareSettings {
    QString distanceText = QString::number(kDefaultDistance);
    int shipFactory = 1;
    int warFactory = 1;
    bool flightTime = true;
    QLocale locale;
};

// The text shown for a figure that cannot be computed.
extern const QString kNoFigure;

struct CompareCell {
    QString text;
    // The value the text shows, for sorting and colouring; none in a text
    // column and for a figure that cannot be computed.
    std::optional<ext> key;
};

using CompareRow = std::vector<CompareCell>; // in the order of CompareColumns

CompareRow CompareRowOf(const ShipDesign &design, const CompareSettings &settings);

// The value a text of the given kind shows: a whole number, a decimal number
// with the locale's separator, or "hh:mm:ss" as seconds.
std::optional<ext> CellKey(CellKind kind, const QString &text, const QLocale &locale);

// How a cell stands against the reference design's cell of the same column.
enum class Standing { Neutral, Better, Worse };
Standing StandingOf(const CompareColumn &column, const CompareCell &cell, const CompareCell &reference);

// Sort order of two cells of a column, ascending: numbers by value, times as
// times, texts ignoring case; a cell without value after every other.
bool CellBefore(const CompareColumn &column, const CompareCell &a, const CompareCell &b);

} // namespace qf
