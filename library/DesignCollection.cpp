#include "library/DesignCollection.h"

#include "model/WholeNumber.h"

#include <limits>

namespace qf {

DesignCollection::DesignCollection(QObject *parent) : QAbstractListModel(parent) {}

int DesignCollection::append(const ShipDesign &design)
{
    const int row = size();
    beginInsertRows(QModelIndex(), row, row);
    designs_.push_back(design);
    endInsertRows();
    return row;
}

void DesignCollection::removeAt(int index)
{
    if (!contains(index))
        return;
    beginRemoveRows(QModelIndex(), index, index);
    designs_.erase(designs_.begin() + index);
    endRemoveRows();
}

void DesignCollection::update(int index, const std::function<void(ShipDesign &)> &change)
{
    if (!contains(index))
        return;
    ShipDesign &design = designs_[size_t(index)];
    const QString oldName = design.GetName();
    change(design);
    if (design.GetName() != oldName) {
        const QModelIndex row = this->index(index);
        emit dataChanged(row, row, {Qt::DisplayRole, Qt::EditRole});
    }
    emit designChanged(index);
}

void DesignCollection::rename(int index, const QString &name)
{
    update(index, [&name](ShipDesign &design) { design.SetName(name); });
}

QString DesignCollection::SuffixedName(const QString &name)
{
    const int p = name.indexOf(u'(') + 1; // 1-based, 0 when there is none
    int value = -1;
    if (p >= 1) {
        const int last = name.size() - 1; // the name's last character is left out
        const QString inner = last > p ? name.mid(p, last - p) : QString();
        value = readWholeNumber(inner, -1);
    }
    const QString counter = QString::number(CopyCounter);
    if (CopyCounter < std::numeric_limits<int>::max())
        ++CopyCounter;
    if (value != -1)
        return name.left(p - 1) + u'(' + counter + u')';
    return name + u'(' + counter + u')';
}

ShipDesign DesignCollection::CopyOf(int index)
{
    const ShipDesign &source = at(index);
    ShipDesign copy;
    copy.SetName(SuffixedName(source.GetName()));
    for (const ComponentField &field : ComponentFields())
        copy.SetLevel(field.id, source.GetLevel(field.id));
    // An action that is not set stays as the new design has it: not set.
    for (const ActionField &field : ActionFields()) {
        if (source.GetFlag(field.id))
            copy.SetFlag(field.id, true);
    }
    return copy;
}

bool DesignCollection::SuffixOnCollision(int index, const QString &fileName)
{
    bool renamed = false;
    for (int i = 0; i < index; ++i) {
        if (at(i).GetName() != fileName)
            continue;
        rename(index, SuffixedName(at(index).GetName()));
        renamed = true;
    }
    return renamed;
}

int DesignCollection::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : size();
}

QVariant DesignCollection::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !contains(index.row()))
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return at(index.row()).GetName();
    return QVariant();
}

} // namespace qf
