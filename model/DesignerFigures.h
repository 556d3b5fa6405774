#pragma once
// Every text the Designer page shows for a design and a distance. The export text
// and the design file are written from these texts, so the page, the file and the
// command-line tool always agree.
#include "model/ShipDesign.h"

#include <QLocale>
#include <QString>

namespace qf {

struct DesignerFigures {
    QString name;               // d_ShipName
    QString sbe;                // d_SBE
    QString storageBays;        // d_StorageBays
    QString armorLevel;         // d_ArmorLevel
    QString thruster;           // d_Thruster
    QString fusi;               // d_Fusi
    QString zva;                // d_ZVA
    QString missles;            // d_Missles
    QString laser;              // d_Laser
    QString plasma;             // d_Plasma
    bool crewed = false;        // d_Crewed
    bool kolo = false;          // d_Kolo
    bool inva = false;          // d_Inva
    bool recy = false;          // d_Recy
    bool spy = false;           // d_Spy
    bool cloak = false;         // d_Cloak
    bool raid = false;          // d_Raid
    bool sabo = false;          // d_Sabo
    QString freeSBE;            // d_freeSBE
    QString stability;          // d_Stability
    QString acceleration;       // d_Acceleration
    QString flightTimePercent;  // d_FlightTimePercent
    QString distance;           // d_Distance
    QString fullFlightTime;     // d_FullFlightTime
    QString armor;              // d_Armor
    QString as;                 // d_AS
    QString storageCapacity;    // d_StorageCapacity
    QString fe;                 // d_FE
    QString si;                 // d_SI
    QString c;                  // d_C
    QString crew;               // d_Crew
    QString h2o;                // d_H2O
    QString o2;                 // d_O2
};

// The percentage as the page shows it: "#0.00" with the locale's decimal separator.
QString PercentText(float percent, const QLocale &locale = QLocale());

// distanceText is the text of d_Distance; it is read as a whole number.
DesignerFigures ComputeDesignerFigures(const ShipDesign &design, const QString &distanceText,
                                       const QLocale &locale = QLocale());

} // namespace qf
