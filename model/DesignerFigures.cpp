#include "model/DesignerFigures.h"

#include "model/Formulas.h"
#include "model/WholeNumber.h"

namespace qf {

const std::array<FigureField, kFigureFieldCount> &FigureFields()
{
    // In the order the page writes them.
    static const std::array<FigureField, kFigureFieldCount> fields = {{
        {"d_SBE", &DesignerFigures::sbe},
        {"d_freeSBE", &DesignerFigures::freeSBE},
        {"d_Stability", &DesignerFigures::stability},
        {"d_Acceleration", &DesignerFigures::acceleration},
        {"d_FlightTimePercent", &DesignerFigures::flightTimePercent},
        {"d_FullFlightTime", &DesignerFigures::fullFlightTime},
        {"d_Armor", &DesignerFigures::armor},
        {"d_AS", &DesignerFigures::as},
        {"d_StorageCapacity", &DesignerFigures::storageCapacity},
        {"d_FE", &DesignerFigures::fe},
        {"d_SI", &DesignerFigures::si},
        {"d_C", &DesignerFigures::c},
        {"d_Crew", &DesignerFigures::crew},
        {"d_H2O", &DesignerFigures::h2o},
        {"d_O2", &DesignerFigures::o2},
    }};
    return fields;
}

QString PercentText(float percent, const QLocale &locale)
{
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(static_cast<double>(percent), 'f', 2);
}

DesignerFigures ComputeDesignerFigures(const ShipDesign &d, const QString &distanceText,
                                       const QLocale &locale)
{
    DesignerFigures f;
    f.name = d.GetName();
    f.sbe = QString::number(d.GetSBE());
    for (const ComponentField &field : ComponentFields())
        f.level(field.id) = QString::number(d.GetLevel(field.id));
    for (const ActionField &field : ActionFields())
        f.action(field.id) = d.GetFlag(field.id);
    f.freeSBE = QString::number(d.GetFreeSBE());
    f.stability = QString::number(d.GetStability());
    f.acceleration = QString::number(d.GetAcceleration());
    f.flightTimePercent = PercentText(d.GetFlightTimePercent(), locale);
    f.distance = distanceText;
    f.fullFlightTime = FullFlightTimeText(readWholeNumber(distanceText), d.GetStability(),
                                          d.GetAcceleration(), d.GetFlightTimePercent());
    f.armor = QString::number(d.GetArmor());
    f.as = QString::number(d.GetAS());
    f.storageCapacity = QString::number(d.GetStorageCapacity());
    f.fe = QString::number(d.GetFE());
    f.si = QString::number(d.GetSI());
    f.c = QString::number(d.GetC());
    f.crew = QString::number(d.GetCrew());
    f.h2o = QString::number(d.GetH2O());
    f.o2 = QString::number(d.GetO2());
    return f;
}

} // namespace qf
