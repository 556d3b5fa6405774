#include "model/DesignerFigures.h"

#include "model/Formulas.h"
#include "model/WholeNumber.h"

namespace qf {

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
    f.storageBays = QString::number(d.GetStorageBays());
    f.armorLevel = QString::number(d.GetArmorLevel());
    f.thruster = QString::number(d.GetThruster());
    f.fusi = QString::number(d.GetFusi());
    f.zva = QString::number(d.GetZVA());
    f.missles = QString::number(d.GetMissles());
    f.laser = QString::number(d.GetLaser());
    f.plasma = QString::number(d.GetPlasma());
    f.kolo = d.GetKolo();
    f.inva = d.GetInva();
    f.crewed = d.GetCrewed();
    f.recy = d.GetRecy();
    f.spy = d.GetSpy();
    f.cloak = d.GetCloak();
    f.raid = d.GetRaid();
    f.sabo = d.GetSabo();
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
