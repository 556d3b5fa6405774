#pragma once
// The program's one list of ship designs, in the order they entered it, and the
// numbering of copies. It is also the item model behind every list of design
// names (d_ShipName, b_ShipClass1, b_ShipClass2), so those lists follow each
// append, removal and rename by themselves and cannot fall out of step.
#include "model/ShipDesign.h"

#include <QAbstractListModel>
#include <QString>
#include <functional>
#include <vector>

namespace qf {

class DesignCollection : public QAbstractListModel {
    Q_OBJECT
public:
    explicit DesignCollection(QObject *parent = nullptr);

    // The number the next copy gets. It stops at 2,147,483,647: every later copy
    // is numbered so too.
    int CopyCounter = 0;

    int size() const { return static_cast<int>(designs_.size()); }
    bool isEmpty() const { return designs_.empty(); }
    bool contains(int index) const { return index >= 0 && index < size(); }
    const ShipDesign &at(int index) const { return designs_.at(static_cast<size_t>(index)); }
    const std::vector<ShipDesign> &designs() const { return designs_; }

    // Appends at the end; returns the new design's index.
    int append(const ShipDesign &design);
    void removeAt(int index);
    // Every change of a design in the collection goes through here, so the
    // lists learn of a new name and the pages of a new saved state.
    void update(int index, const std::function<void(ShipDesign &)> &change);
    void rename(int index, const QString &name);

    // "X" -> "X(n)", "X(k)" -> "X(n)", with n the copy counter, which then grows by one.
    QString SuffixedName(const QString &name);
    // A copy of the design at `index`, named with SuffixedName: its levels and set
    // actions go through the setters in the order of the design file.
    ShipDesign CopyOf(int index);
    // A design opened from a file whose name is already taken: for every older
    // design before it with that name, the design at `index` gets SuffixedName of its name.
    // Returns whether it was renamed.
    bool SuffixOnCollision(int index, const QString &fileName);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

signals:
    // The design at `index` changed (name, levels, actions or saved state).
    void designChanged(int index);

private:
    std::vector<ShipDesign> designs_;
};

} // namespace qf
