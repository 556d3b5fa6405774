#pragma once
// A table of texts as a file or the clipboard takes it: separated values with
// a header line (";" for CSV, a tab for a spreadsheet), or aligned columns for
// a terminal.
#include <QChar>
#include <QString>
#include <QStringList>
#include <vector>

namespace qf {

// One line per row after the header, each ended by LF. A field holding the
// separator, a quote or a line break is put in quotes, its quotes doubled.
QString SeparatedTable(const QStringList &headers, const std::vector<QStringList> &rows, QChar separator);

// Lines of columns padded to their widest text, two blanks apart; the columns
// marked in `right` are aligned to the right. No blanks end a line.
QStringList AlignedTable(const QStringList &headers, const std::vector<QStringList> &rows,
                         const std::vector<bool> &right);

} // namespace qf
