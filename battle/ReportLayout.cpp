#include "battle/ReportLayout.h"

#include <algorithm>
#include <optional>

namespace qf {

namespace {

// Names of up to 10 characters end before this stop and reach their count over a
// second tab; longer names take one tab to the count column.
constexpr double kShortNameStop = 10.5;
// The longest name that takes a tab to its count.
constexpr double kLongestTabbedName = 20;
// How far a second tab at the start of a column goes on: less than a pixel.
constexpr double kHairsBreadth = 0.05;

qsizetype width(const QString &text) { return text.toUcs4().size(); }

// One tabbed line as cells in columns; a long name's count split off its name.
struct Row {
    QStringList cells;
    qsizetype blank = -1; // index of the blank before a long name's count
};

Row cellsOf(const QString &line)
{
    Row row;
    for (const QString &cell : line.split(u'\t')) {
        if (!cell.isEmpty())
            row.cells << cell;
    }
    return row;
}

// A row short of one cell whose first cell holds a blank: a long name and its count.
void splitLongName(Row &row, qsizetype columns)
{
    if (row.cells.size() + 1 != columns || row.cells.isEmpty())
        return;
    const QString first = row.cells.first();
    const qsizetype blank = first.lastIndexOf(u' ');
    if (blank <= 0 || blank + 1 >= first.size() || width(first.left(blank)) <= kLongestTabbedName)
        return;
    row.blank = blank;
    row.cells.replace(0, first.left(blank));
    row.cells.insert(1, first.mid(blank + 1));
}

// Where each column starts: after the widest text before it and the gap.
QList<double> columnStarts(const QList<Row> &rows, qsizetype columns)
{
    QList<qsizetype> widest(columns, 0);
    for (const Row &row : rows) {
        for (qsizetype j = 0; j < row.cells.size(); ++j)
            widest[j] = std::max(widest[j], width(row.cells[j]));
    }
    // The name column is wide enough for the short names' extra stop.
    if (columns > 0)
        widest[0] = std::max<qsizetype>(widest[0], qsizetype(kShortNameStop) + 1);
    QList<double> starts = {0};
    for (qsizetype j = 1; j < columns; ++j)
        starts << starts.last() + double(widest[j - 1]) + kReportColumnGap;
    return starts;
}

} // namespace

ReportLayout LayOutReport(const QStringList &lines)
{
    QList<Row> rows;
    QList<int> rowLines;
    qsizetype columns = 0;
    for (int i = 0; i < lines.size(); ++i) {
        if (!lines[i].contains(u'\t'))
            continue;
        rows << cellsOf(lines[i]);
        rowLines << i;
        columns = std::max(columns, rows.last().cells.size());
    }
    ReportLayout layout;
    if (rows.isEmpty())
        return layout;
    for (Row &row : rows)
        splitLongName(row, columns);
    const QList<double> starts = columnStarts(rows, columns);
    layout.tabStops << kShortNameStop;
    for (qsizetype j = 1; j < columns; ++j)
        layout.tabStops << starts[j] << starts[j] + kHairsBreadth;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        if (rows[r].blank >= 0)
            layout.wideBlanks << ReportLayout::WideBlank{rowLines[r], rows[r].blank,
                                                         starts[1] - double(width(rows[r].cells[0]))};
    }
    return layout;
}

} // namespace qf
