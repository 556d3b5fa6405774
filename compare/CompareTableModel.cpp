#include "compare/CompareTableModel.h"

#include "library/DesignCollection.h"

#include <algorithm>
#include <numeric>

namespace qf {

CompareTableModel::CompareTableModel(const DesignCollection &designs, QObject *parent)
    : QAbstractTableModel(parent), designs_(designs)
{
    rebuild();
    // A design added or removed moves the places of the others: the table is made anew.
    const auto remake = [this] {
        beginResetModel();
        rebuild();
        endResetModel();
    };
    connect(&designs_, &QAbstractItemModel::rowsInserted, this, remake);
    connect(&designs_, &QAbstractItemModel::rowsRemoved, this, remake);
    connect(&designs_, &QAbstractItemModel::modelReset, this, remake);
    connect(&designs_, &DesignCollection::designChanged, this, &CompareTableModel::designChanged);
}

void CompareTableModel::rebuild()
{
    rows_.clear();
    for (const ShipDesign &design : designs_.designs())
        rows_.push_back(CompareRowOf(design, settings_));
    order_ = sortedOrder();
}

void CompareTableModel::setSettings(const CompareSettings &settings)
{
    const bool headerChanges = settings.flightTime != settings_.flightTime;
    settings_ = settings;
    for (size_t i = 0; i < rows_.size(); ++i)
        rows_[i] = CompareRowOf(designs_.at(int(i)), settings_);
    if (headerChanges)
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    reorder();
    allChanged();
}

void CompareTableModel::setReference(int designIndex)
{
    if (designIndex == reference_)
        return;
    reference_ = designIndex;
    allChanged();
}

void CompareTableModel::designChanged(int index)
{
    if (index < 0 || size_t(index) >= rows_.size())
        return;
    rows_[size_t(index)] = CompareRowOf(designs_.at(index), settings_);
    reorder();
    // The reference's figures colour every row; any other design's only its own.
    allChanged();
}

void CompareTableModel::allChanged()
{
    if (!rows_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

std::vector<int> CompareTableModel::sortedOrder() const
{
    std::vector<int> order(rows_.size());
    std::iota(order.begin(), order.end(), 0);
    if (sortColumn_ < 0 || sortColumn_ >= columnCount())
        return order;
    const CompareColumn &column = columns()[size_t(sortColumn_)];
    const bool ascending = sortOrder_ == Qt::AscendingOrder;
    // Figures that cannot be computed stay last either way; equal ones keep the
    // collection's order.
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const CompareCell &x = rows_[size_t(a)][size_t(sortColumn_)];
        const CompareCell &y = rows_[size_t(b)][size_t(sortColumn_)];
        if (column.kind != CellKind::Text && x.key.has_value() != y.key.has_value())
            return x.key.has_value();
        return ascending ? CellBefore(column, x, y) : CellBefore(column, y, x);
    });
    return order;
}

void CompareTableModel::reorder()
{
    std::vector<int> order = sortedOrder();
    if (order == order_)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> shownAt(order.size());
    for (size_t row = 0; row < order.size(); ++row)
        shownAt[size_t(order[row])] = int(row);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    for (const QModelIndex &i : before)
        after << index(shownAt[size_t(designAt(i.row()))], i.column());
    order_ = std::move(order);
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void CompareTableModel::sort(int column, Qt::SortOrder order)
{
    sortColumn_ = column >= 0 && column < columnCount() ? column : -1;
    sortOrder_ = order;
    reorder();
}

const CompareCell &CompareTableModel::cell(int row, int column) const
{
    return rows_.at(size_t(designAt(row))).at(size_t(column));
}

Standing CompareTableModel::standing(int row, int column) const
{
    const int design = designAt(row);
    if (reference_ < 0 || size_t(reference_) >= rows_.size() || design == reference_)
        return Standing::Neutral;
    return StandingOf(columns()[size_t(column)], rows_[size_t(design)][size_t(column)],
                      rows_[size_t(reference_)][size_t(column)]);
}

QStringList CompareTableModel::headerTexts() const
{
    QStringList headers;
    for (const CompareColumn &column : columns())
        headers << column.header;
    return headers;
}

std::vector<QStringList> CompareTableModel::shownRows() const
{
    std::vector<QStringList> rows;
    for (int row = 0; row < rowCount(); ++row) {
        QStringList texts;
        for (const CompareCell &c : rows_[size_t(designAt(row))])
            texts << c.text;
        rows.push_back(texts);
    }
    return rows;
}

int CompareTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(order_.size());
}

int CompareTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(columns().size());
}

QVariant CompareTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return cell(index.row(), index.column()).text;
    case Qt::TextAlignmentRole:
        return columns()[size_t(index.column())].kind == CellKind::Text
                   ? QVariant(int(Qt::AlignLeft | Qt::AlignVCenter))
                   : QVariant(int(Qt::AlignRight | Qt::AlignVCenter));
    case StandingRole:
        return int(standing(index.row(), index.column()));
    default:
        return QVariant();
    }
}

QVariant CompareTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    // The first click on a header sorts upwards, the next one the other way.
    if (role == Qt::InitialSortOrderRole)
        return int(Qt::AscendingOrder);
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return columns()[size_t(section)].header;
}

} // namespace qf
