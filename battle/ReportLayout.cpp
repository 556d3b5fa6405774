#include "battle/ReportLayout.h"

#include <cmath>

namespace qf {

namespace {

// The stops of the name column: names of up to 10 characters end before the
// first, names of up to 20 before the second.
constexpr double kShortNameStop = 10.5;
constexpr double kLongNameStop = 20.5;

// Walks a line over the stops. Returns the position (in characters) of the
// first tab that has no stop to its right, or a negative value when every tab
// found one.
double firstTabBeyond(const QString &line, const QList<double> &stops)
{
    double x = 0;
    const QStringList cells = line.split(u'\t');
    for (qsizetype i = 0; i < cells.size(); ++i) {
        x += cells[i].toUcs4().size();
        if (i + 1 == cells.size())
            break; // no tab after the last cell
        qsizetype next = 0;
        while (next < stops.size() && stops[next] <= x)
            ++next;
        if (next == stops.size())
            return x;
        x = stops[next];
    }
    return -1;
}

} // namespace

QList<double> ReportTabStops(const QStringList &lines)
{
    QList<double> stops = {kShortNameStop, kLongNameStop};
    for (;;) {
        double widest = -1;
        for (const QString &line : lines)
            widest = std::max(widest, firstTabBeyond(line, stops));
        if (widest < 0)
            return stops;
        // One blank between the widest text and the next column.
        stops << std::floor(widest) + 1.5;
    }
}

} // namespace qf
