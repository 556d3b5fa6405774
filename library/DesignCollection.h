#pragma once
// The program's one list of ship designs, in the order they entered it,
// and the numbering of copies.
#include "model/ShipDesign.h"

#include <QString>
#include <vector>

namespace qf {

class DesignCollection {
public:
    std::vector<ShipDesign> Designs;
    int CopyCounter = 0;

    int size() const { return static_cast<int>(Designs.size()); }
    bool isEmpty() const { return Designs.empty(); }
    ShipDesign &at(int index) { return Designs.at(static_cast<size_t>(index)); }
    const ShipDesign &at(int index) const { return Designs.at(static_cast<size_t>(index)); }
    void append(const ShipDesign &design) { Designs.push_back(design); }
    void removeAt(int index) { Designs.erase(Designs.begin() + index); }

    // "X" -> "X(n)", "X(k)" -> "X(n)", with n the copy counter, which then grows by one.
    QString SuffixedName(const QString &name);
};

} // namespace qf
