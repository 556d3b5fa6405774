#include "compare/TableText.h"

#include <algorithm>

namespace qf {

namespace {

QString field(const QString &text, QChar separator)
{
    const bool quote = text.contains(separator) || text.contains(u'"') || text.contains(u'\n')
                       || text.contains(u'\r');
    if (!quote)
        return text;
    QString doubled = text;
    doubled.replace(u'"', QStringLiteral("\"\""));
    return u'"' + doubled + u'"';
}

QString line(const QStringList &texts, QChar separator)
{
    QStringList fields;
    for (const QString &text : texts)
        fields << field(text, separator);
    return fields.join(separator) + u'\n';
}

// Width in characters as a terminal counts them (a character outside the BMP is one).
int widthOf(const QString &text) { return int(text.toUcs4().size()); }

} // namespace

QString SeparatedTable(const QStringList &headers, const std::vector<QStringList> &rows, QChar separator)
{
    QString text = line(headers, separator);
    for (const QStringList &row : rows)
        text += line(row, separator);
    return text;
}

QStringList AlignedTable(const QStringList &headers, const std::vector<QStringList> &rows,
                         const std::vector<bool> &right)
{
    std::vector<const QStringList *> all{&headers};
    for (const QStringList &row : rows)
        all.push_back(&row);
    std::vector<int> widths(size_t(headers.size()), 0);
    for (const QStringList *texts : all) {
        for (int c = 0; c < texts->size() && c < headers.size(); ++c)
            widths[size_t(c)] = std::max(widths[size_t(c)], widthOf(texts->at(c)));
    }
    QStringList lines;
    for (const QStringList *texts : all) {
        QString out;
        for (int c = 0; c < headers.size(); ++c) {
            const QString text = c < texts->size() ? texts->at(c) : QString();
            const QString pad(widths[size_t(c)] - widthOf(text), u' ');
            const bool alignRight = size_t(c) < right.size() && right[size_t(c)];
            out += (c > 0 ? QStringLiteral("  ") : QString()) + (alignRight ? pad + text : text + pad);
        }
        while (out.endsWith(u' '))
            out.chop(1);
        lines << out;
    }
    return lines;
}

} // namespace qf
