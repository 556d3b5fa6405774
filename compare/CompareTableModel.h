#pragma once
// The comparison table: one row per design of the collection, the columns of
// CompareColumns. It follows the collection: an edit, a rename, a design added
// or removed shows at once. Sorting happens here, so what the window shows,
// copies and saves is one and the same order.
#include "compare/CompareRow.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

namespace qf {

class DesignCollection;

class CompareTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // data() of this role: how the cell stands against the reference design,
    // an int of Standing.
    static constexpr int StandingRole = Qt::UserRole + 1;

    explicit CompareTableModel(const DesignCollection &designs, QObject *parent = nullptr);

    const CompareSettings &settings() const { return settings_; }
    void setSettings(const CompareSettings &settings);
    // The design the others are coloured against, by its place in the
    // collection; -1 (or a place the collection does not have) for none.
    void setReference(int designIndex);
    int reference() const { return reference_; }

    const std::vector<CompareColumn> &columns() const { return CompareColumns(settings_.flightTime); }
    // The design a shown row belongs to, by its place in the collection.
    int designAt(int row) const { return order_.at(size_t(row)); }
    const CompareCell &cell(int row, int column) const;
    Standing standing(int row, int column) const;
    // The table as shown: the headers, and the rows in the shown order.
    QStringList headerTexts() const;
    std::vector<QStringList> shownRows() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // A column outside the table gives the order of the collection again.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    void rebuild();
    void designChanged(int index);
    std::vector<int> sortedOrder() const;
    void reorder();
    void allChanged();

    const DesignCollection &designs_;
    CompareSettings settings_;
    std::vector<CompareRow> rows_; // by the design's place in the collection
    std::vector<int> order_;       // shown row -> place in the collection
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    int reference_ = -1;
};

} // namespace qf
