#include "calc/page/CalculatorPage.h"

#include "ui/DebugLog.h"
#include "ui/FormWidgets.h"
#include "ui/HandlerGuard.h"
#include "calc/BattleCalc.h"
#include "calc/FlightCalc.h"
#include "calc/SpecialActions.h"
#include "designer/DesignerPage.h"
#include "model/WholeNumber.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qf {

namespace {
// Each group is a grid of three columns of labelled cells, as on the Designer page.
QGroupBox *makeGroup(const char *name, const char *caption, QGridLayout *&grid)
{
    return addGridGroup(name, caption, grid, QMargins(4, 2, 4, 4));
}

QLabel *staticLabel(const char *name, const char *text)
{
    auto *label = new QLabel(QString::fromUtf8(text));
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QLineEdit *spinEdit(QGridLayout *grid, int row, int column, const char *name, const char *label,
                    const char *text, const char *spinner, int minimum, int maximum)
{
    return addSpinEdit(grid, row, column, QString::fromLatin1(name), QString::fromUtf8(label),
                       QString::fromUtf8(text), QString::fromLatin1(spinner), minimum, maximum)
        ->edit();
}

QLineEdit *edit(QGridLayout *grid, int row, int column, const char *name, const char *label,
                const char *text = "")
{
    return addLabelledEdit(grid, row, column, QString::fromLatin1(name), QString::fromUtf8(label),
                           QString::fromUtf8(text));
}

QLineEdit *result(QGridLayout *grid, int row, int column, const char *name, const char *label,
                  const char *text = "")
{
    return addLabelledEdit(grid, row, column, QString::fromLatin1(name), QString::fromUtf8(label),
                           QString::fromUtf8(text), true);
}

// A labelled cell whose edit line ends in a static label ("->", "VS.", "pa."). The
// edit takes the room the column leaves it, so the static label does not widen the
// column; a spinner, when named, sits between edit and static label.
struct SuffixCell {
    const char *name;
    const char *label;
    const char *text;
    bool readOnly;
    const char *spinner = nullptr; // no spinner
    int minimum = 0;
    int maximum = 0;
};

QLineEdit *editWithSuffix(QGridLayout *grid, int row, int column, const SuffixCell &c,
                          QLabel *suffix)
{
    auto *edit = new QLineEdit(QString::fromUtf8(c.text));
    edit->setObjectName(QString::fromLatin1(c.name));
    // Read-only fields stay tab stops, as in addLabelledEdit.
    edit->setReadOnly(c.readOnly);
    if (c.readOnly)
        ShrinkTextToFit(edit);
    edit->setSizePolicy(QSizePolicy::Ignored, edit->sizePolicy().verticalPolicy());
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("unvollständig")) + 12);
    auto *caption = new QLabel(QString::fromUtf8(c.label));
    caption->setObjectName(QString::fromLatin1(c.name) + QStringLiteral("Label"));
    caption->setBuddy(edit);

    auto *cell = new QWidget;
    auto *box = new QVBoxLayout(cell);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(1);
    box->addWidget(caption);
    auto *line = new QHBoxLayout;
    line->setSpacing(0);
    line->addWidget(edit, 1);
    if (c.spinner)
        line->addWidget(new UpDown(edit, c.minimum, c.maximum, QString::fromLatin1(c.spinner)));
    suffix->setContentsMargins(4, 0, 0, 0);
    line->addWidget(suffix);
    box->addLayout(line);
    grid->addWidget(cell, row, column);
    return edit;
}
} // namespace

CalculatorPage::CalculatorPage(DesignerPage &designer, DebugLog &log, UserPrompts &prompts,
                               QWidget *parent)
    : QWidget(parent), designer_(designer), log_(log), prompts_(prompts)
{
    buildLayout();
}

void CalculatorPage::buildLayout()
{
    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(2, 2, 2, 2);
    page->setSpacing(3);

    QGridLayout *grid = nullptr;

    // Flugberechnung
    page->addWidget(makeGroup("GroupBox7", "Flugberechnung", grid));
    r_StartPlanet = editWithSuffix(grid, 0, 0, {"r_StartPlanet", "Startplanet", "444:111:a", false},
                                   staticLabel("r_ArrowLabel", "->"));
    r_TargetPlanet = edit(grid, 0, 1, "r_TargetPlanet", "Zielplanet", "666:999:f");
    r_StartPlanet->setMaxLength(9);
    r_TargetPlanet->setMaxLength(9);
    r_Distance = editWithSuffix(grid, 0, 2, {"r_Distance", "Entfernung", "", true},
                                staticLabel("r_DistanceUnitLabel", "pa."));
    r_Thruster = spinEdit(grid, 1, 0, "r_Thruster", "Verbrenner", "1", "UpDown9", 0, 100);
    r_Fusi = spinEdit(grid, 1, 1, "r_Fusi", "Fusionsantrieb", "0", "UpDown12", 0, 100);
    r_ZVA = spinEdit(grid, 1, 2, "r_ZVA", "ZVA", "0", "UpDown13", 0, 100);
    r_Stability = edit(grid, 2, 0, "r_Stability", "Stabilität", "109");
    r_Spaceport = spinEdit(grid, 2, 1, "r_Spaceport", "Landestufe / Raumhafen", "1", "UpDown14",
                           1, 100);
    r_ReadDesign = new QPushButton(QStringLiteral("Design verwenden"));
    r_ReadDesign->setObjectName(QStringLiteral("r_ReadDesign"));
    grid->addWidget(r_ReadDesign, 2, 2, Qt::AlignBottom);
    grid->addWidget(staticLabel("r_ConsumptionLabel", "Verbrauch"), 3, 1, 1, 2,
                    Qt::AlignHCenter | Qt::AlignBottom);
    r_FlightTime = result(grid, 4, 0, "r_FlightTime", "Flug", "hh:mm:ss");
    r_FlightO2 = result(grid, 4, 1, "r_FlightO2", "O2", "0");
    r_FlightH2 = result(grid, 4, 2, "r_FlightH2", "H2", "0");
    r_TakeoffTime = result(grid, 5, 0, "r_TakeoffTime", "Start/Landung", "hh:mm:ss");
    r_TakeoffO2 = result(grid, 5, 1, "r_TakeoffO2", "O2", "0");
    r_TakeoffH2 = result(grid, 5, 2, "r_TakeoffH2", "H2", "0");

    // Spezialaktionen
    page->addWidget(makeGroup("GroupBox8", "Spezialaktionen", grid));
    r_AttackerLevel = editWithSuffix(
        grid, 0, 0, {"r_AttackerLevel", "Angreiferlevel", "0", false, "UpDown15", -100, 100},
        staticLabel("r_VersusLabel", "VS."));
    r_DefenderLevel = spinEdit(grid, 0, 1, "r_DefenderLevel", "Verteidigerlevel", "0", "UpDown16",
                               -100, 100);
    r_LevelDifference = result(grid, 0, 2, "r_LevelDifference", "Stufendifferenz");
    r_SpyTime = result(grid, 1, 0, "r_SpyTime", "Spionagedauer");
    r_SabotageTime = result(grid, 1, 1, "r_SabotageTime", "Sabotagedauer");
    r_SuccessPercent = result(grid, 1, 2, "r_SuccessPercent", "Wahrscheinlichkeit (%)");
    r_RaidTime = result(grid, 2, 0, "r_RaidTime", "Plünderungsdauer");
    r_KolonisationTime = result(grid, 2, 1, "r_KolonisationTime", "Kolonisationsdauer");
    r_InvasionTime = result(grid, 2, 2, "r_InvasionTime", "Invasionsdauer");
    r_NumberofShips = spinEdit(grid, 3, 0, "r_NumberofShips", "Anzahl Schiffe", "1", "UpDown17",
                               1, 100);
    r_SuccessPercent2 = result(grid, 3, 1, "r_SuccessPercent2", "Wahrscheinlichkeit (%)");
    r_ActionCount = spinEdit(grid, 4, 0, "r_ActionCount", "Enttarnungs-Versuche", "1", "UpDown1",
                             1, 100);
    r_UncloakChance = result(grid, 4, 1, "r_UncloakChance", "Wahrscheinlichkeit (%)");

    // Kampf-Rechner
    page->addWidget(makeGroup("GroupBox6", "Kampf-Rechner", grid));
    r_BattleBegin = edit(grid, 0, 0, "r_BattleBegin", "Kampf Startzeit", "00:00:00");
    r_BattleEnd = edit(grid, 0, 1, "r_BattleEnd", "Kampf Endzeit", "00:00:00");
    r_BattleDuration = result(grid, 0, 2, "r_BattleDuration", "Kampfdauer");
    r_StabilityDestroyed = edit(grid, 1, 0, "r_StabilityDestroyed", "Zerstörte Stabilität", "109");
    r_ArmorDestroyed = edit(grid, 1, 1, "r_ArmorDestroyed", "Zerstörte Panzerung", "0");
    r_EnemyAS = result(grid, 1, 2, "r_EnemyAS", "Angreifer AS ca.");
    page->addStretch();

    for (QLineEdit *e : {r_StartPlanet, r_TargetPlanet, r_ZVA, r_Stability, r_Spaceport})
        connect(e, &QLineEdit::textChanged, this, &CalculatorPage::FlightCalcChange);
    connect(r_Thruster, &QLineEdit::textChanged, this, &CalculatorPage::ThrusterChange);
    connect(r_Fusi, &QLineEdit::textChanged, this, &CalculatorPage::FusiChange);
    connect(r_ReadDesign, &QPushButton::clicked, this, &CalculatorPage::ReadDesignClick);
    for (QLineEdit *e : {r_AttackerLevel, r_DefenderLevel, r_NumberofShips, r_ActionCount})
        connect(e, &QLineEdit::textChanged, this, &CalculatorPage::SpecialCalcChange);
    for (QLineEdit *e : {r_BattleBegin, r_BattleEnd, r_StabilityDestroyed, r_ArmorDestroyed})
        connect(e, &QLineEdit::textChanged, this, &CalculatorPage::BattleCalcChange);
}

void CalculatorPage::FlightCalcChange()
{
    guarded(prompts_, this, [&] { recomputeFlight(); });
}

void CalculatorPage::ThrusterChange() { driveChanged(DriveField::Thruster); }

void CalculatorPage::FusiChange() { driveChanged(DriveField::Fusion); }

void CalculatorPage::driveChanged(DriveField changed)
{
    guarded(prompts_, this, [&] {
        // Setting the other drive's text runs its handler once more, nested.
        const auto raise = DriveToRaise(changed, r_Thruster->text(), r_Fusi->text());
        if (raise)
            (*raise == DriveField::Thruster ? r_Thruster : r_Fusi)->setText(QStringLiteral("1"));
        recomputeFlight();
    });
}

void CalculatorPage::recomputeFlight()
{
    FlightInputs in;
    in.startPlanet = r_StartPlanet->text();
    in.targetPlanet = r_TargetPlanet->text();
    in.thruster = r_Thruster->text();
    in.fusi = r_Fusi->text();
    in.zva = r_ZVA->text();
    in.stability = r_Stability->text();
    in.spaceport = r_Spaceport->text();
    const FlightResults r = ComputeFlight(in);
    r_Distance->setText(r.distance);
    r_FlightTime->setText(r.flightTime);
    if (r.flightO2)
        r_FlightO2->setText(*r.flightO2);
    if (r.flightH2)
        r_FlightH2->setText(*r.flightH2);
    r_TakeoffTime->setText(r.takeoffTime);
    r_TakeoffO2->setText(r.takeoffO2);
    r_TakeoffH2->setText(r.takeoffH2);
}

void CalculatorPage::ReadDesignClick()
{
    guarded(prompts_, this, [&] {
        // Each copy raises that field's change event: guard and recomputation run
        // after every one of them.
        const DesignerFigures shown = designer_.shownFigures();
        r_Thruster->setText(shown.level(Component::Thruster));
        r_Fusi->setText(shown.level(Component::Fusi));
        r_ZVA->setText(shown.level(Component::ZVA));
        r_Stability->setText(shown.stability);
    });
}

void CalculatorPage::BattleCalcChange()
{
    guarded(prompts_, this, [&] {
        BattleCalcInputs in;
        in.begin = r_BattleBegin->text();
        in.end = r_BattleEnd->text();
        in.stabilityDestroyed = r_StabilityDestroyed->text();
        in.armorDestroyed = r_ArmorDestroyed->text();
        const BattleCalcResults r = ComputeBattleCalc(in);
        r_BattleDuration->setText(r.battleDuration);
        r_EnemyAS->setText(r.enemyAS);
        for (const QString &line : r.debugLines())
            log_.append(line);
    });
}

void CalculatorPage::SpecialCalcChange()
{
    guarded(prompts_, this, [&] {
        SpecialActionInputs in;
        in.attackerLevel = r_AttackerLevel->text();
        in.defenderLevel = r_DefenderLevel->text();
        in.numberOfShips = r_NumberofShips->text();
        in.actionCount = r_ActionCount->text();
        const SpecialActionResults r = ComputeSpecialActions(in);
        r_LevelDifference->setText(r.levelDifference);
        r_SpyTime->setText(r.spyTime);
        r_SabotageTime->setText(r.sabotageTime);
        r_SuccessPercent->setText(r.successPercent);
        r_RaidTime->setText(r.raidTime);
        r_KolonisationTime->setText(r.kolonisationTime);
        r_InvasionTime->setText(r.invasionTime);
        r_SuccessPercent2->setText(r.successPercent2);
        r_UncloakChance->setText(r.uncloakChance);
    });
}

} // namespace qf
