#pragma once
// Where the columns of the battle report go in a fixed-width font, so that they
// line up in every row of both blocks, the header included, however long a name
// or a total is. The report's text stays as it is (what the command-line tool
// prints and "Kopieren" copies): only how it is drawn follows from it.
//
// A row's cells are the texts between its tabs; a run of tabs is one separator.
// The cells of a row stand in the columns 0, 1, 2, ... A row with fewer cells than
// the others whose first cell holds a blank is a ship whose long name is followed
// by its count after a single blank: the name stands in column 0, the count in 1.
// Each column starts after the widest text of the column before it plus a gap.
#include <QList>
#include <QStringList>

namespace qf {

struct ReportLayout {
    // The tab stops of every line, in characters from the line's start, left to
    // right. A name of up to 10 characters reaches its count over two tabs, the
    // first of them to the stop after 10 characters; a second tab at the start of
    // a column (the foreign total's before the armour) goes on by a hair's breadth.
    QList<double> tabStops;

    // The blank between a long name and its count, drawn as wide as `width`
    // characters so the count stands in its column.
    struct WideBlank {
        int line = 0;
        qsizetype index = 0; // in UTF-16 units of the line
        double width = 1;
    };
    QList<WideBlank> wideBlanks;
};

// Blanks between the widest text of a column and the next column.
constexpr double kReportColumnGap = 2;

ReportLayout LayOutReport(const QStringList &lines);

} // namespace qf
