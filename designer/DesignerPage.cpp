#include "designer/DesignerPage.h"

#include "app/AppState.h"
#include "app/FormWidgets.h"
#include "app/HandlerGuard.h"
#include "model/Production.h"
#include "model/WholeNumber.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qf {

namespace {
struct LevelField {
    const char *edit;
    const char *spinner;
    const char *label;
    int minimum;
    void (ShipDesign::*setter)(int);
};

const LevelField kLevelFields[] = {
    {"d_StorageBays", "d_StorageBaysUD", "Lager", 1, &ShipDesign::SetStorageBays},
    {"d_ArmorLevel", "d_ArmorLevelUD", "Panzerung", 0, &ShipDesign::SetArmorLevel},
    {"d_Thruster", "d_ThrusterUD", "Verbrenner", 0, &ShipDesign::SetThruster},
    {"d_Fusi", "d_FusiUD", "Fusionsantrieb", 0, &ShipDesign::SetFusi},
    {"d_ZVA", "d_ZVAUD", "ZVA", 0, &ShipDesign::SetZVA},
    {"d_Missles", "d_MisslesUD", "Raketenbatterien", 0, &ShipDesign::SetMissles},
    {"d_Laser", "d_LaserUD", "Laserkanonen", 0, &ShipDesign::SetLaser},
    {"d_Plasma", "d_PlasmaUD", "Plasmawerfer", 0, &ShipDesign::SetPlasma},
};

struct FlagField {
    const char *box;
    const char *caption;
    void (ShipDesign::*setter)(bool);
};

// In the order of the page's "Spezialaktionen" group.
const FlagField kFlagFields[] = {
    {"d_Kolo", "Kolonisation", &ShipDesign::SetKolo},
    {"d_Inva", "Invasion", &ShipDesign::SetInva},
    {"d_Crewed", "Bemannt", &ShipDesign::SetCrewed},
    {"d_Cloak", "Tarnung", &ShipDesign::SetCloak},
    {"d_Spy", "Spionage", &ShipDesign::SetSpy},
    {"d_Recy", "Recycling", &ShipDesign::SetRecy},
    {"d_Raid", "Plündern", &ShipDesign::SetRaid},
    {"d_Sabo", "Sabotage", &ShipDesign::SetSabo},
};

QGroupBox *makeGroup(const char *name, const char *caption, QGridLayout *&grid)
{
    auto *group = new QGroupBox(QString::fromUtf8(caption));
    group->setObjectName(QString::fromLatin1(name));
    grid = new QGridLayout(group);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    for (int column = 0; column < 3; ++column)
        grid->setColumnStretch(column, 1);
    return group;
}
} // namespace

DesignerPage::DesignerPage(AppState &state, UserPrompts &prompts, QWidget *parent)
    : QWidget(parent), state_(state), prompts_(prompts)
{
    buildLayout();
}

void DesignerPage::buildLayout()
{
    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);
    page->setSpacing(3);

    Label1 = new QLabel(QStringLiteral("Bezeichnung"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    d_ShipName = new QComboBox(this);
    d_ShipName->setObjectName(QStringLiteral("d_ShipName"));
    d_ShipName->setEditable(false);
    d_ShipName->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    d_ShipName->setMinimumContentsLength(16);
    Label1->setBuddy(d_ShipName);
    d_Rename = new QPushButton(QStringLiteral("Umbenennen"), this);
    d_Rename->setObjectName(QStringLiteral("d_Rename"));
    auto *nameRow = new QGridLayout;
    nameRow->addWidget(Label1, 0, 0);
    nameRow->addWidget(d_ShipName, 1, 0);
    nameRow->addWidget(d_Rename, 1, 1);
    nameRow->setColumnStretch(0, 1);
    page->addLayout(nameRow);

    QGridLayout *grid = nullptr;
    page->addWidget(makeGroup("GroupBox1", "Stufenabhängige Bauteile", grid));
    int i = 0;
    for (const LevelField &f : kLevelFields) {
        const QString start = QString::number(f.minimum == 1 || qstrcmp(f.edit, "d_Fusi") == 0 ? 1 : 0);
        addSpinEdit(grid, i / 3, i % 3, QString::fromLatin1(f.edit), QString::fromUtf8(f.label),
                    start, QString::fromLatin1(f.spinner), f.minimum, 100);
        ++i;
    }
    addLabelledEdit(grid, 2, 2, QStringLiteral("d_SBE"), QStringLiteral("SBE"), QString(), true);

    page->addWidget(makeGroup("GroupBox5", "Produktion", grid));
    addSpinEdit(grid, 0, 0, QStringLiteral("d_ShipFactory"), QStringLiteral("Schiffsfabrik"),
                QStringLiteral("1"), QStringLiteral("UpDown10"), 1, 100);
    addSpinEdit(grid, 0, 1, QStringLiteral("d_WarFactory"), QStringLiteral("Waffenfabrik"),
                QStringLiteral("1"), QStringLiteral("UpDown11"), 1, 100);
    addLabelledEdit(grid, 0, 2, QStringLiteral("d_ProductionTime"), QStringLiteral("Produktionszeit"),
                    QStringLiteral("00:00:00"), true);
    addLabelledEdit(grid, 1, 0, QStringLiteral("d_FEmine"), QStringLiteral("Eisenmine"), QString(), true);
    addLabelledEdit(grid, 1, 1, QStringLiteral("d_SImine"), QStringLiteral("Siliziumraffinerie"), QString(), true);
    addLabelledEdit(grid, 1, 2, QStringLiteral("d_Cmine"), QStringLiteral("Kohlenstoffanlage"), QString(), true);

    page->addWidget(makeGroup("GroupBox2", "Spezialaktionen", grid));
    i = 0;
    for (const FlagField &f : kFlagFields) {
        auto *box = new QCheckBox(QString::fromUtf8(f.caption));
        box->setObjectName(QString::fromLatin1(f.box));
        grid->addWidget(box, i / 3, i % 3);
        connect(box, &QCheckBox::toggled, this, [this, box] { DesignChange(box); });
        ++i;
    }
    addLabelledEdit(grid, 2, 2, QStringLiteral("d_freeSBE"), QStringLiteral("SBE-Punkte frei"), QString(), true);

    page->addWidget(makeGroup("GroupBox3", "Werte", grid));
    addLabelledEdit(grid, 0, 0, QStringLiteral("d_Stability"), QStringLiteral("Stabilität"), QString(), true);
    addLabelledEdit(grid, 0, 1, QStringLiteral("d_StorageCapacity"), QStringLiteral("Lagerraum"), QString(), true);
    addLabelledEdit(grid, 0, 2, QStringLiteral("d_Armor"), QStringLiteral("Panzerung"), QString(), true);
    addLabelledEdit(grid, 1, 0, QStringLiteral("d_AS"), QStringLiteral("Angriff"), QString(), true);
    // The two pairs share their places: the display option shows one of them.
    addLabelledEdit(grid, 1, 1, QStringLiteral("d_Acceleration"), QStringLiteral("Beschleunigung"), QString(), true);
    addLabelledEdit(grid, 1, 2, QStringLiteral("d_FlightTimePercent"), QStringLiteral("Flugzeit in (%)"),
                    QStringLiteral("100"), true);
    addLabelledEdit(grid, 1, 1, QStringLiteral("d_Distance"), QStringLiteral("Distanz"), QString(), true);
    addLabelledEdit(grid, 1, 2, QStringLiteral("d_FullFlightTime"), QStringLiteral("Flugzeit (h:m:s)"),
                    QStringLiteral("hh:mm:ss"), true);

    page->addWidget(makeGroup("GroupBox4", "Kosten", grid));
    addLabelledEdit(grid, 0, 0, QStringLiteral("d_FE"), QStringLiteral("Eisen"), QString(), true);
    addLabelledEdit(grid, 0, 1, QStringLiteral("d_Crew"), QStringLiteral("Bewohner"), QString(), true);
    addLabelledEdit(grid, 0, 2, QStringLiteral("d_H2O"), QStringLiteral("Wasser"), QString(), true);
    addLabelledEdit(grid, 1, 0, QStringLiteral("d_SI"), QStringLiteral("Silizium"), QString(), true);
    addLabelledEdit(grid, 1, 1, QStringLiteral("d_C"), QStringLiteral("Kohlenstoff"), QString(), true);
    addLabelledEdit(grid, 1, 2, QStringLiteral("d_O2"), QStringLiteral("Sauerstoff"), QString(), true);
    page->addStretch();

    showFlightTime(true);

    for (const LevelField &f : kLevelFields) {
        QLineEdit *e = edit(f.edit);
        connect(e, &QLineEdit::textChanged, this, [this, e] { DesignChange(e); });
    }
    for (const char *factory : {"d_ShipFactory", "d_WarFactory"})
        connect(edit(factory), &QLineEdit::textChanged, this, &DesignerPage::FactoryChange);
    connect(d_ShipName, &QComboBox::activated, this, &DesignerPage::ShipNameSelect);
}

QLineEdit *DesignerPage::edit(const char *name) const
{
    return findChild<QLineEdit *>(QString::fromLatin1(name));
}

QCheckBox *DesignerPage::box(const char *name) const
{
    return findChild<QCheckBox *>(QString::fromLatin1(name));
}

QString DesignerPage::fieldText(const QString &name) const
{
    const QLineEdit *e = findChild<QLineEdit *>(name);
    return e ? e->text() : QString();
}

UpDown *DesignerPage::spinner(const QString &name) const { return findChild<UpDown *>(name); }

int DesignerPage::selectedIndex() const { return d_ShipName->currentIndex(); }

QString DesignerPage::distanceText() const { return edit("d_Distance")->text(); }

void DesignerPage::setDistanceText(const QString &text) { edit("d_Distance")->setText(text); }

void DesignerPage::showFlightTime(bool flightTime)
{
    for (const char *name : {"d_Acceleration", "d_FlightTimePercent"})
        edit(name)->parentWidget()->setVisible(!flightTime);
    for (const char *name : {"d_FullFlightTime", "d_Distance"})
        edit(name)->parentWidget()->setVisible(flightTime);
}

void DesignerPage::setIfDifferent(QLineEdit *e, const QString &text)
{
    // setText raises textChanged only for a different text; keep the caret where it is
    // when nothing changes.
    if (e->text() != text)
        e->setText(text);
}

void DesignerPage::DesignChange(QObject *sender)
{
    guarded(prompts_, this, [&] {
        const int index = selectedIndex();
        if (index < 0 || index >= state_.designs.size())
            return;
        ShipDesign &design = state_.designs.at(index);
        for (const LevelField &f : kLevelFields) {
            if (sender == edit(f.edit)) {
                (design.*f.setter)(readWholeNumber(edit(f.edit)->text()));
                break;
            }
        }
        for (const FlagField &f : kFlagFields) {
            if (sender == box(f.box)) {
                (design.*f.setter)(box(f.box)->isChecked());
                break;
            }
        }
        runShowDesign();
        runFactoryChange();
    });
}

void DesignerPage::ShowDesign()
{
    guarded(prompts_, this, [&] { runShowDesign(); });
}

void DesignerPage::runShowDesign()
{
    const int index = selectedIndex();
    if (index < 0 || index >= state_.designs.size())
        return;
    const DesignerFigures f = ComputeDesignerFigures(state_.designs.at(index), distanceText());
    setIfDifferent(edit("d_SBE"), f.sbe);
    setIfDifferent(edit("d_StorageBays"), f.storageBays);
    setIfDifferent(edit("d_ArmorLevel"), f.armorLevel);
    setIfDifferent(edit("d_Thruster"), f.thruster);
    setIfDifferent(edit("d_Fusi"), f.fusi);
    setIfDifferent(edit("d_ZVA"), f.zva);
    setIfDifferent(edit("d_Missles"), f.missles);
    setIfDifferent(edit("d_Laser"), f.laser);
    setIfDifferent(edit("d_Plasma"), f.plasma);
    box("d_Kolo")->setChecked(f.kolo);
    box("d_Inva")->setChecked(f.inva);
    box("d_Crewed")->setChecked(f.crewed);
    box("d_Recy")->setChecked(f.recy);
    box("d_Spy")->setChecked(f.spy);
    box("d_Cloak")->setChecked(f.cloak);
    box("d_Raid")->setChecked(f.raid);
    box("d_Sabo")->setChecked(f.sabo);
    setIfDifferent(edit("d_freeSBE"), f.freeSBE);
    setIfDifferent(edit("d_Stability"), f.stability);
    setIfDifferent(edit("d_Acceleration"), f.acceleration);
    setIfDifferent(edit("d_FlightTimePercent"), f.flightTimePercent);
    setIfDifferent(edit("d_FullFlightTime"), f.fullFlightTime);
    setIfDifferent(edit("d_Armor"), f.armor);
    setIfDifferent(edit("d_AS"), f.as);
    setIfDifferent(edit("d_StorageCapacity"), f.storageCapacity);
    setIfDifferent(edit("d_FE"), f.fe);
    setIfDifferent(edit("d_SI"), f.si);
    setIfDifferent(edit("d_C"), f.c);
    setIfDifferent(edit("d_Crew"), f.crew);
    setIfDifferent(edit("d_H2O"), f.h2o);
    setIfDifferent(edit("d_O2"), f.o2);
    ShowChangedMarker();
}

void DesignerPage::FactoryChange()
{
    guarded(prompts_, this, [&] { runFactoryChange(); });
}

void DesignerPage::runFactoryChange()
{
    const int index = selectedIndex();
    if (index < 0 || index >= state_.designs.size())
        return;
    const ProductionFigures p = ComputeProduction(
        state_.designs.at(index), readWholeNumber(edit("d_ShipFactory")->text()),
        readWholeNumber(edit("d_WarFactory")->text()), readWholeNumber(edit("d_FE")->text()),
        readWholeNumber(edit("d_SI")->text()), readWholeNumber(edit("d_C")->text()));
    setIfDifferent(edit("d_ProductionTime"), p.productionTime);
    setIfDifferent(edit("d_FEmine"), p.feMine);
    setIfDifferent(edit("d_SImine"), p.siMine);
    setIfDifferent(edit("d_Cmine"), p.cMine);
}

void DesignerPage::ShowChangedMarker()
{
    const int index = selectedIndex();
    if (index < 0 || index >= state_.designs.size())
        return;
    Label1->setText(state_.designs.at(index).IsChanged() ? QStringLiteral("Bezeichnung *")
                                                         : QStringLiteral("Bezeichnung"));
}

void DesignerPage::ShipNameSelect(int)
{
    ShowDesign();
}

DesignerFigures DesignerPage::shownFigures() const
{
    DesignerFigures f;
    f.name = d_ShipName->currentText();
    f.sbe = edit("d_SBE")->text();
    f.storageBays = edit("d_StorageBays")->text();
    f.armorLevel = edit("d_ArmorLevel")->text();
    f.thruster = edit("d_Thruster")->text();
    f.fusi = edit("d_Fusi")->text();
    f.zva = edit("d_ZVA")->text();
    f.missles = edit("d_Missles")->text();
    f.laser = edit("d_Laser")->text();
    f.plasma = edit("d_Plasma")->text();
    f.crewed = box("d_Crewed")->isChecked();
    f.kolo = box("d_Kolo")->isChecked();
    f.inva = box("d_Inva")->isChecked();
    f.recy = box("d_Recy")->isChecked();
    f.spy = box("d_Spy")->isChecked();
    f.cloak = box("d_Cloak")->isChecked();
    f.raid = box("d_Raid")->isChecked();
    f.sabo = box("d_Sabo")->isChecked();
    f.freeSBE = edit("d_freeSBE")->text();
    f.stability = edit("d_Stability")->text();
    f.acceleration = edit("d_Acceleration")->text();
    f.flightTimePercent = edit("d_FlightTimePercent")->text();
    f.distance = edit("d_Distance")->text();
    f.fullFlightTime = edit("d_FullFlightTime")->text();
    f.armor = edit("d_Armor")->text();
    f.as = edit("d_AS")->text();
    f.storageCapacity = edit("d_StorageCapacity")->text();
    f.fe = edit("d_FE")->text();
    f.si = edit("d_SI")->text();
    f.c = edit("d_C")->text();
    f.crew = edit("d_Crew")->text();
    f.h2o = edit("d_H2O")->text();
    f.o2 = edit("d_O2")->text();
    return f;
}

} // namespace qf
