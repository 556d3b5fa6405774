#pragma once
// Production time of a design for given factory levels, and the mine levels
// that pay for its costs within that time.
#include "model/ShipDesign.h"

#include <QString>

namespace qf {

// Production minutes P, each partial sum stored as a 32-bit float.
float ProductionMinutes(const ShipDesign &design, int shipFactory, int warFactory);

struct ProductionFigures {
    QString productionTime; // d_ProductionTime
    QString feMine;         // d_FEmine
    QString siMine;         // d_SImine
    QString cMine;          // d_Cmine
};

// The mines are computed from the iron, silicon and carbon amounts as shown.
ProductionFigures ComputeProduction(const ShipDesign &design, int shipFactory, int warFactory,
                                    int iron, int silicon, int carbon);

} // namespace qf
