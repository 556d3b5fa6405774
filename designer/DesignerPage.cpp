#include "designer/DesignerPage.h"

#include "ui/AppState.h"
#include "ui/FormWidgets.h"
#include "ui/HandlerGuard.h"
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
#include <algorithm>

namespace qf {

namespace {
QGroupBox *makeGroup(const char *name, const char *caption, QGridLayout *&grid)
{
    return addGridGroup(name, caption, grid, QMargins(6, 4, 6, 4));
}

} // namespace

QLineEdit *DesignerPage::figure(QGridLayout *grid, int row, int column, const char *name, const char *label,
                                const char *text)
{
    QLineEdit *edit = addLabelledEdit(grid, row, column, QString::fromLatin1(name), QString::fromUtf8(label),
                                      QString::fromUtf8(text), true);
    // The read-only figures are filled in the order of FigureFields().
    for (size_t i = 0; i < figureEdits_.size(); ++i) {
        if (qstrcmp(FigureFields()[i].control, name) == 0)
            figureEdits_[i] = edit;
    }
    return edit;
}

DesignerPage::DesignerPage(AppState &state, UserPrompts &prompts, QWidget *parent)
    : QWidget(parent), state_(state), prompts_(prompts)
{
    buildLayout();
    connectHandlers();
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
    d_ShipName->setModel(&state_.designs);
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
    // Every level field starts with the level of a new design.
    const ShipDesign fresh;
    for (const ComponentField &f : ComponentFields()) {
        UpDown *spinner = addSpinEdit(grid, f.pageSlot / 3, f.pageSlot % 3, QString::fromLatin1(f.control),
                                      QString::fromUtf8(f.label), QString::number(fresh.GetLevel(f.id)),
                                      QString::fromLatin1(f.spinner), f.spinnerMinimum, 100);
        spinners_[size_t(indexOf(f.id))] = spinner;
        levelEdits_[size_t(indexOf(f.id))] = spinner->edit();
    }
    figure(grid, 2, 2, "d_SBE", "SBE");

    page->addWidget(makeGroup("GroupBox5", "Produktion", grid));
    d_ShipFactory = addSpinEdit(grid, 0, 0, QStringLiteral("d_ShipFactory"), QStringLiteral("Schiffsfabrik"),
                                QStringLiteral("1"), QStringLiteral("UpDown10"), 1, 100)->edit();
    d_WarFactory = addSpinEdit(grid, 0, 1, QStringLiteral("d_WarFactory"), QStringLiteral("Waffenfabrik"),
                               QStringLiteral("1"), QStringLiteral("UpDown11"), 1, 100)->edit();
    d_ProductionTime = figure(grid, 0, 2, "d_ProductionTime", "Produktionszeit", "00:00:00");
    d_FEmine = figure(grid, 1, 0, "d_FEmine", "Eisenmine");
    d_SImine = figure(grid, 1, 1, "d_SImine", "Siliziumraffinerie");
    d_Cmine = figure(grid, 1, 2, "d_Cmine", "Kohlenstoffanlage");

    page->addWidget(makeGroup("GroupBox2", "Spezialaktionen", grid));
    std::array<const ActionField *, kActionCount> bySlot{};
    for (const ActionField &f : ActionFields())
        bySlot[size_t(f.pageSlot)] = &f;
    for (const ActionField *f : bySlot) {
        auto *box = new QCheckBox(QString::fromUtf8(f->caption));
        box->setObjectName(QString::fromLatin1(f->control));
        grid->addWidget(box, f->pageSlot / 3, f->pageSlot % 3);
        actionBoxes_[size_t(indexOf(f->id))] = box;
    }
    figure(grid, 2, 2, "d_freeSBE", "SBE-Punkte frei");

    page->addWidget(makeGroup("GroupBox3", "Werte", grid));
    figure(grid, 0, 0, "d_Stability", "Stabilität");
    figure(grid, 0, 1, "d_StorageCapacity", "Lagerraum");
    figure(grid, 0, 2, "d_Armor", "Panzerung");
    figure(grid, 1, 0, "d_AS", "Angriff");
    // The two pairs share their places: the display option shows one of them. The
    // label and the field of each stand in one cell, shown or hidden together.
    accelerationCells_ = {figure(grid, 1, 1, "d_Acceleration", "Beschleunigung")->parentWidget(),
                          figure(grid, 1, 2, "d_FlightTimePercent", "Flugzeit in (%)", "100")->parentWidget()};
    d_Distance = figure(grid, 1, 1, "d_Distance", "Distanz");
    flightTimeCells_ = {d_Distance->parentWidget(),
                        figure(grid, 1, 2, "d_FullFlightTime", "Flugzeit (h:m:s)", "hh:mm:ss")->parentWidget()};

    page->addWidget(makeGroup("GroupBox4", "Kosten", grid));
    d_FE = figure(grid, 0, 0, "d_FE", "Eisen");
    figure(grid, 0, 1, "d_Crew", "Bewohner");
    figure(grid, 0, 2, "d_H2O", "Wasser");
    d_SI = figure(grid, 1, 0, "d_SI", "Silizium");
    d_C = figure(grid, 1, 1, "d_C", "Kohlenstoff");
    figure(grid, 1, 2, "d_O2", "Sauerstoff");
    page->addStretch();

    showFlightTime(true);
}

void DesignerPage::connectHandlers()
{
    for (const ComponentField &f : ComponentFields())
        connect(levelEdit(f.id), &QLineEdit::textChanged, this, [this, c = f.id] { LevelChange(c); });
    for (const ActionField &f : ActionFields())
        connect(actionBoxes_[size_t(indexOf(f.id))], &QCheckBox::toggled, this,
                [this, a = f.id] { ActionChange(a); });
    for (QLineEdit *factory : {d_ShipFactory, d_WarFactory}) {
        connect(factory, &QLineEdit::textChanged, this, &DesignerPage::FactoryChange);
        connect(factory, &QLineEdit::textChanged, this, &DesignerPage::figureSettingsChanged);
    }
    connect(d_Distance, &QLineEdit::textChanged, this, &DesignerPage::figureSettingsChanged);
    connect(d_ShipName, &QComboBox::activated, this, &DesignerPage::ShipNameSelect);
    // A design whose step was undone or redone is shown.
    connect(&state_.history, &UndoHistory::designShown, this, &DesignerPage::selectDesign);
    // A rename or a save changes the selected design's saved state.
    connect(&state_.designs, &DesignCollection::designChanged, this, [this](int index) {
        if (index == selectedIndex())
            ShowChangedMarker();
    });
}

int DesignerPage::selectedIndex() const { return d_ShipName->currentIndex(); }

bool DesignerPage::hasSelection() const { return state_.designs.contains(selectedIndex()); }

QString DesignerPage::distanceText() const { return d_Distance->text(); }

void DesignerPage::setDistanceText(const QString &text) { d_Distance->setText(text); }

QString DesignerPage::shipFactoryText() const { return d_ShipFactory->text(); }

QString DesignerPage::warFactoryText() const { return d_WarFactory->text(); }

void DesignerPage::showFlightTime(bool flightTime)
{
    flightTimeShown_ = flightTime;
    for (QWidget *cell : accelerationCells_)
        cell->setVisible(!flightTime);
    for (QWidget *cell : flightTimeCells_)
        cell->setVisible(flightTime);
    emit figureSettingsChanged();
}

void DesignerPage::setIfDifferent(QLineEdit *e, const QString &text)
{
    // setText raises textChanged only for a different text; keep the caret where it is
    // when nothing changes.
    if (e->text() != text)
        e->setText(text);
}

void DesignerPage::LevelChange(Component c)
{
    // Typing in one field is one step of the history until the focus leaves it.
    changeDesign([&](ShipDesign &design) { design.SetLevel(c, readWholeNumber(levelEdit(c)->text())); },
                 [c](const ShipDesign &design) {
                     return QString::fromUtf8(FieldOf(c).label) + u' ' + QString::number(design.GetLevel(c));
                 },
                 indexOf(c));
}

void DesignerPage::ActionChange(Action a)
{
    changeDesign([&](ShipDesign &design) { design.SetFlag(a, actionBoxes_[size_t(indexOf(a))]->isChecked()); },
                 [a](const ShipDesign &design) {
                     return QString::fromUtf8(FieldOf(a).caption)
                            + (design.GetFlag(a) ? QStringLiteral(" an") : QStringLiteral(" aus"));
                 });
}

void DesignerPage::changeDesign(const std::function<void(ShipDesign &)> &change,
                                const std::function<QString(const ShipDesign &)> &stepName, int field)
{
    guarded(prompts_, this, [&] {
        if (!hasSelection())
            return;
        const int index = selectedIndex();
        const ShipDesign before = state_.designs.at(index);
        state_.designs.update(index, change);
        state_.history.designEdited(index, before, stepName(state_.designs.at(index)), field);
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
    if (!hasSelection())
        return;
    const DesignerFigures f = ComputeDesignerFigures(state_.designs.at(selectedIndex()), distanceText());
    for (size_t i = 0; i < levelEdits_.size(); ++i)
        setIfDifferent(levelEdits_[i], f.levels[i]);
    for (size_t i = 0; i < actionBoxes_.size(); ++i)
        actionBoxes_[i]->setChecked(f.actions[i]);
    for (size_t i = 0; i < figureEdits_.size(); ++i)
        setIfDifferent(figureEdits_[i], f.*(FigureFields()[i].text));
    ShowChangedMarker();
}

void DesignerPage::FactoryChange()
{
    guarded(prompts_, this, [&] { runFactoryChange(); });
}

void DesignerPage::runFactoryChange()
{
    if (!hasSelection())
        return;
    // The mines pay for the costs as the page shows them.
    const ProductionFigures p = ComputeProduction(
        state_.designs.at(selectedIndex()), readWholeNumber(d_ShipFactory->text()),
        readWholeNumber(d_WarFactory->text()), readWholeNumber(d_FE->text()),
        readWholeNumber(d_SI->text()), readWholeNumber(d_C->text()));
    setIfDifferent(d_ProductionTime, p.productionTime);
    setIfDifferent(d_FEmine, p.feMine);
    setIfDifferent(d_SImine, p.siMine);
    setIfDifferent(d_Cmine, p.cMine);
}

void DesignerPage::ShowChangedMarker()
{
    if (!hasSelection())
        return;
    Label1->setText(state_.designs.at(selectedIndex()).IsChanged() ? QStringLiteral("Bezeichnung *")
                                                                   : QStringLiteral("Bezeichnung"));
}

void DesignerPage::ShipNameSelect(int)
{
    ShowDesign();
}

void DesignerPage::selectDesign(int index)
{
    d_ShipName->setCurrentIndex(index);
    ShowDesign();
    FactoryChange();
}

void DesignerPage::setSpinnerPosition(Component c, int value)
{
    spinner(c)->setPosition(value);
}

DesignerFigures DesignerPage::shownFigures() const
{
    DesignerFigures f;
    f.name = d_ShipName->currentText();
    for (size_t i = 0; i < levelEdits_.size(); ++i)
        f.levels[i] = levelEdits_[i]->text();
    for (size_t i = 0; i < actionBoxes_.size(); ++i)
        f.actions[i] = actionBoxes_[i]->isChecked();
    for (size_t i = 0; i < figureEdits_.size(); ++i)
        f.*(FigureFields()[i].text) = figureEdits_[i]->text();
    f.distance = d_Distance->text();
    return f;
}

} // namespace qf
