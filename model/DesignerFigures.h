#pragma once
// Every text the Designer page shows for a design and a distance. The export text
// and the design file are written from these texts, so the page, the file and the
// command-line tool always agree.
#include "model/ShipDesign.h"

#include <QLocale>
#include <QString>
#include <array>

namespace qf {

struct DesignerFigures {
    QString name;                                 // d_ShipName
    QString sbe;                                  // d_SBE
    std::array<QString, kComponentCount> levels;  // the level edits, by Component
    std::array<bool, kActionCount> actions{};     // the check boxes, by Action
    QString freeSBE;                              // d_freeSBE
    QString stability;                            // d_Stability
    QString acceleration;                         // d_Acceleration
    QString flightTimePercent;                    // d_FlightTimePercent
    QString distance;                             // d_Distance
    QString fullFlightTime;                       // d_FullFlightTime
    QString armor;                                // d_Armor
    QString as;                                   // d_AS
    QString storageCapacity;                      // d_StorageCapacity
    QString fe;                                   // d_FE
    QString si;                                   // d_SI
    QString c;                                    // d_C
    QString crew;                                 // d_Crew
    QString h2o;                                  // d_H2O
    QString o2;                                   // d_O2

    QString &level(Component c) { return levels[size_t(indexOf(c))]; }
    const QString &level(Component c) const { return levels[size_t(indexOf(c))]; }
    bool &action(Action a) { return actions[size_t(indexOf(a))]; }
    bool action(Action a) const { return actions[size_t(indexOf(a))]; }
};

// The read-only fields of the Designer page that show a design's derived values,
// with the text of each. d_Distance is an input of its own and not among them.
struct FigureField {
    const char *control;
    QString DesignerFigures::*text;
};
constexpr int kFigureFieldCount = 15;
const std::array<FigureField, kFigureFieldCount> &FigureFields();

// The percentage as the page shows it: "#0.00" with the locale's decimal separator.
QString PercentText(float percent, const QLocale &locale = QLocale());

// distanceText is the text of d_Distance; it is read as a whole number.
DesignerFigures ComputeDesignerFigures(const ShipDesign &design, const QString &distanceText,
                                       const QLocale &locale = QLocale());

} // namespace qf
