#include "battle/page/BattlePage.h"

#include "ui/AppState.h"
#include "ui/FormWidgets.h"
#include "ui/HandlerGuard.h"
#include "ui/NestedTabWidget.h"
#include "ui/UserPrompts.h"
#include "battle/page/BattleRunner.h"
#include "battle/page/BattleRuns.h"
#include "battle/page/CounterCommand.h"
#include "battle/page/CourseChart.h"
#include "battle/page/FleetWidgets.h"
#include "battle/BattleSimulation.h"
#include "battle/Fleet.h"
#include "battle/ReportLayout.h"
#include "model/WholeNumber.h"

#include <QComboBox>
#include <QCursor>
#include <QEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextOption>
#include <QVBoxLayout>
#include <algorithm>
#include <atomic>
#include <limits>
#include <memory>

namespace qf {

namespace {

// The per-ship values of an entry, for its tooltip in the fleet list.
QString perShipText(const Fleet::ShipClass &entry)
{
    return QStringLiteral("Anzahl: %1\nJe Schiff: Angriff %2, Panzerung %3, Stabilität %4, Kosten %5 Solar")
        .arg(entry.Count)
        .arg(entry.AS)
        .arg(entry.Armor)
        .arg(entry.Stability)
        .arg(entry.Cost);
}

} // namespace

BattlePage::BattlePage(AppState &state, UserPrompts &prompts, QWidget *parent)
    : QWidget(parent), state_(state), prompts_(prompts)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    // A larger window gives its room to the fleet lists and, most of it, to the report.
    layout->addWidget(buildFleetGroup(1, QStringLiteral("Heimatflotte"), fleet1_), 1);
    layout->addWidget(buildFleetGroup(2, QStringLiteral("Fremdflotte"), fleet2_), 1);
    layout->addWidget(buildResultGroup(), 3);
    b_ShipClass1 = fleet1_.shipClass;
    b_ShipClass2 = fleet2_.shipClass;
    // Both lists show the design collection; whenever a design enters or leaves it,
    // both select the first design.
    for (QComboBox *list : {b_ShipClass1, b_ShipClass2})
        list->setModel(&state_.designs);
    connect(&state_.designs, &QAbstractItemModel::rowsInserted, this, &BattlePage::selectFirstShipClasses);
    connect(&state_.designs, &QAbstractItemModel::rowsRemoved, this, &BattlePage::selectFirstShipClasses);

    BattleSimValueDialog = new TBattleSimValueDialog(this);
    writeReport(startUpHelpLines(), false);
    connect(&state_.history, &UndoHistory::fleetsRestored, this, &BattlePage::fleetsRestored);
}

void BattlePage::fleetsRestored()
{
    // The keys act on the entries they acted on then.
    for (int n : {1, 2})
        setRemembered(n, state_.history.chosenEntry(n));
    ShowFleets();
}

QGroupBox *BattlePage::buildFleetGroup(int fleet, const QString &caption, FleetControls &c)
{
    const QString n = QString::number(fleet);
    c.group = new QGroupBox(caption, this);
    c.group->setObjectName(QStringLiteral("b_Fleet") + n);
    auto *grid = new QGridLayout(c.group);
    grid->setContentsMargins(4, 2, 4, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);

    c.list = new FleetList(c.group);
    c.list->setObjectName(QStringLiteral("b_Fleet") + n + QStringLiteral("List"));
    grid->addWidget(c.list, 0, 0, 2, 1);
    c.as = addLabelledEdit(grid, 0, 1, QStringLiteral("b_Fleet") + n + QStringLiteral("AS"),
                           QStringLiteral("Angriff"), QStringLiteral("0"), true);
    c.armor = addLabelledEdit(grid, 0, 2, QStringLiteral("b_Fleet") + n + QStringLiteral("PZ"),
                              QStringLiteral("Panzerung"), QStringLiteral("0"), true);
    c.stability = addLabelledEdit(grid, 1, 1, QStringLiteral("b_Fleet") + n + QStringLiteral("Stabi"),
                                  QStringLiteral("Stabilität"), QStringLiteral("0"), true);
    c.cost = addLabelledEdit(grid, 1, 2, QStringLiteral("b_Fleet") + n + QStringLiteral("Cost"),
                             QStringLiteral("Kosten (Solar)"), QStringLiteral("0"), true);
    for (QLineEdit *total : c.totals()) {
        total->setFixedWidth(84);
        setMenuColour(total);
    }
    new ClickWatcher(c.as, [this, fleet] { AttackTargetClick(fleet); });
    new ClickWatcher(c.armor, [this, fleet] { ArmorTargetClick(fleet); });
    new ClickWatcher(c.stability, [this, fleet] { StabilityTargetClick(fleet); });
    new ClickWatcher(c.cost, [this, fleet] { CostTargetClick(fleet); });
    grid->setColumnStretch(0, 1);

    auto *row = new QHBoxLayout;
    row->setSpacing(4);
    c.shipCount = new QLineEdit(QStringLiteral("1"), c.group);
    c.shipCount->setObjectName(QStringLiteral("b_ShipCount") + n);
    c.shipCount->setMaxLength(3);
    c.shipCount->setFixedWidth(36);
    auto *times = new QLabel(QStringLiteral("X"), c.group);
    // The home group's "X" is Label6; the foreign group's gets a name of its own.
    times->setObjectName(fleet == 1 ? QStringLiteral("Label6") : QStringLiteral("Label7"));
    c.shipClass = new QComboBox(c.group);
    c.shipClass->setObjectName(QStringLiteral("b_ShipClass") + n);
    c.shipClass->setEditable(false);
    c.shipClass->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c.shipClass->setMinimumContentsLength(10);
    c.add = new QPushButton(QStringLiteral("Hinzufügen"), c.group);
    c.add->setObjectName(QStringLiteral("b_AddShipClass") + n);
    c.lastClassIndex = new QLineEdit(QStringLiteral("-1"), c.group);
    c.lastClassIndex->setObjectName(QStringLiteral("b_Fleet") + n + QStringLiteral("LastClassIndex"));
    c.lastClassIndex->setReadOnly(true);
    c.lastClassIndex->setVisible(false);
    row->addWidget(c.shipCount);
    row->addWidget(times);
    row->addWidget(c.shipClass, 1);
    row->addWidget(c.add);
    grid->addLayout(row, 2, 0, 1, 3);

    new KeyWatcher(c.list, [this, fleet](int key, const QString &text) {
        FleetListKeyDown(fleet, key);
        if (!text.isEmpty())
            FleetListKeyPress(fleet, text.at(0));
        // The keys that edit the fleet are used up here; the others still move
        // through the list as usual.
        return key == Qt::Key_Delete || text == QLatin1String("+") || text == QLatin1String("-");
    });
    connect(c.list, &QListWidget::itemSelectionChanged, this, &BattlePage::b_FleetIndexSelect);
    connect(c.add, &QPushButton::clicked, this, [this, fleet] { AddShipsClick(fleet); });
    return c.group;
}

QGroupBox *BattlePage::buildResultGroup()
{
    b_Result = new QGroupBox(QStringLiteral("Kampfergebnis"), this);
    b_Result->setObjectName(QStringLiteral("b_Result"));
    auto *box = new QVBoxLayout(b_Result);
    box->setContentsMargins(4, 2, 4, 4);
    box->setSpacing(3);
    b_ResultTabs = new NestedTabWidget(b_Result);
    b_ResultTabs->setObjectName(QStringLiteral("b_ResultTabs"));
    b_BattleReport = new QPlainTextEdit(b_ResultTabs);
    b_BattleReport->setObjectName(QStringLiteral("b_BattleReport"));
    b_BattleReport->setReadOnly(true);
    b_BattleReport->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // A line never wraps, so the columns stay whole; a wide one scrolls sideways.
    b_BattleReport->setLineWrapMode(QPlainTextEdit::NoWrap);
    b_BattleReport->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    b_BattleReport->setMinimumHeight(100);
    b_Course = new CourseChart(b_ResultTabs);
    b_Course->setObjectName(QStringLiteral("b_Course"));
    b_ResultTabs->addTab(b_BattleReport, QStringLiteral("Bericht"));
    b_ResultTabs->addTab(b_Course, QStringLiteral("Verlauf"));
    box->addWidget(b_ResultTabs, 1);
    runs_ = new BattleRuns(state_, prompts_, b_Result);
    box->addWidget(runs_->runner().progressBar());
    connect(runs_, &BattleRuns::reportReady, this, &BattlePage::writeReport);
    connect(runs_, &BattleRuns::courseReady, this, &BattlePage::showCourse);
    connect(runs_, &BattleRuns::fleetsChanged, this, &BattlePage::ShowFleets);
    connect(runs_, &BattleRuns::statusMessage, this, &BattlePage::statusMessage);
    counter_ = new CounterCommand(state_, prompts_, runs_->runner(), this);
    connect(counter_, &CounterCommand::fightRequested, runs_, &BattleRuns::Simulate);
    connect(counter_, &CounterCommand::statusMessage, this, &BattlePage::statusMessage);
    connect(counter_, &CounterCommand::shipsAdded, this, [this](int entry) {
        setRemembered(1, entry);
        ShowFleets();
    });
    connect(&runs_->runner(), &BattleRunner::runningChanged, this, [this](bool running) {
        setFleetControlsEnabled(!running);
        state_.history.setFleetsLocked(running);
        emit runningChanged(running);
    });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(runs_->runner().cancelButton());
    buttons->addStretch(1);
    b_Simulate = new QPushButton(QStringLiteral("Simulieren"), b_Result);
    b_Simulate->setObjectName(QStringLiteral("b_Simulate"));
    b_Reset = new QPushButton(QStringLiteral("Zurücksetzen"), b_Result);
    b_Reset->setObjectName(QStringLiteral("b_Reset"));
    buttons->addWidget(b_Simulate);
    buttons->addWidget(b_Reset);
    box->addLayout(buttons);
    connect(b_Simulate, &QPushButton::clicked, this, &BattlePage::b_SimulateClick);
    connect(b_Reset, &QPushButton::clicked, this, &BattlePage::b_ResetClick);
    return b_Result;
}

QComboBox *BattlePage::shipClassList(int fleet) const
{
    return fleet == 1 ? b_ShipClass1 : b_ShipClass2;
}

void BattlePage::selectFirstShipClasses()
{
    for (QComboBox *list : {b_ShipClass1, b_ShipClass2})
        list->setCurrentIndex(0);
}

Fleet &BattlePage::fleet(int number) { return number == 1 ? state_.homeFleet : state_.foreignFleet; }

void BattlePage::setRemembered(int fleet, int position)
{
    remembered_[size_t(fleet == 1 ? 0 : 1)] = position;
    state_.history.setChosenEntry(fleet, position);
    controls(fleet).lastClassIndex->setText(QString::number(position));
}

void BattlePage::setFleetControlsEnabled(bool enabled)
{
    // The list keys "+", "-" and Entf ask isRunning(); the lists stay, to be looked at.
    for (int n : {1, 2}) {
        FleetControls &c = controls(n);
        for (QWidget *control : {static_cast<QWidget *>(c.add), static_cast<QWidget *>(c.shipCount)})
            control->setEnabled(enabled);
        for (QLineEdit *total : c.totals())
            total->setEnabled(enabled);
    }
    b_Simulate->setEnabled(enabled);
    b_Reset->setEnabled(enabled);
}

void BattlePage::setMenuColour(QLineEdit *edit)
{
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, palette().color(QPalette::Window));
    edit->setPalette(p);
}

void BattlePage::setWindowColour(QLineEdit *edit)
{
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, palette().color(QPalette::Base));
    edit->setPalette(p);
}

QString BattlePage::reportText() const { return b_BattleReport->toPlainText(); }

void BattlePage::fleetsReplaced()
{
    for (int n : {1, 2})
        setRemembered(n, -1);
    ShowFleets();
    // The report shown belonged to the fleets that were replaced.
    writeReport(startUpHelpLines(), false);
    b_BattleReport->moveCursor(QTextCursor::Start);
}

void BattlePage::showKeptReport(const QString &report)
{
    writeReport(report.split(u'\n'), true);
    b_Course->setNoCourseReason(QStringLiteral("Der Bericht stammt aus dem letzten Programmlauf; "
                                               "sein Verlauf wurde nicht aufbewahrt."));
}

void BattlePage::showCourse(std::shared_ptr<const BattleCourse> course)
{
    const bool had = b_Course->hasCourse();
    b_Course->setCourse(std::move(course));
    if (had != b_Course->hasCourse())
        emit courseShown(b_Course->hasCourse());
}

void BattlePage::writeReport(const QStringList &lines, bool battleReport)
{
    showCourse(nullptr); // a battle fought here hands its course next
    if (showsBattleReport_ != battleReport) {
        showsBattleReport_ = battleReport;
        emit battleReportShown(battleReport);
    }
    // A battle report's columns line up in a fixed-width font, on stops placed after
    // the widest text of each; the help text reads better in the usual font.
    const bool table = std::any_of(lines.begin(), lines.end(), [](const QString &l) { return l.contains(u'\t'); });
    b_BattleReport->setFont(table ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : font());
    const qreal character = QFontMetricsF(b_BattleReport->font()).horizontalAdvance(QLatin1Char('0'));
    const ReportLayout layout = LayOutReport(lines);
    QList<QTextOption::Tab> tabs;
    for (double stop : layout.tabStops)
        tabs << QTextOption::Tab(stop * character, QTextOption::LeftTab);
    QTextDocument *document = b_BattleReport->document();
    QTextOption option = document->defaultTextOption();
    option.setTabs(tabs);
    document->setDefaultTextOption(option);
    b_BattleReport->setPlainText(lines.join(u'\n'));
    // The blank between a long name and its count is drawn wide enough to put the
    // count in its column; the text keeps its single blank.
    for (const ReportLayout::WideBlank &blank : layout.wideBlanks) {
        QTextCursor cursor(document->findBlockByNumber(blank.line));
        cursor.setPosition(cursor.block().position() + int(blank.index));
        cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        QTextCharFormat wide;
        wide.setFontWordSpacing((blank.width - 1) * character);
        cursor.mergeCharFormat(wide);
    }
}

QStringList BattlePage::startUpHelpLines()
{
    return {
        QStringLiteral("How-To:"),
        QStringLiteral("- Schiffstypen mit dem Designer laden"),
        QStringLiteral("- Anzahl und Schiffstyp wählen"),
        QStringLiteral("- \"Hinzfügen\" drücken"),
        QStringLiteral("- für weitere Schiffstypen wiederholen"),
        QStringLiteral("- Höchstzahl ist 10 Typen je Flotte"),
        QString(),
        QStringLiteral("- danach kann die Anzahl der Schiffe einer Flotte"),
        QStringLiteral("  mit den Tasten \"+\" (um 1 erhöhen) \"-\" (um 1 senken) und"),
        QStringLiteral("    \"Entf\" (Schiffstyp löschen) geändert werden"),
        QStringLiteral("- oder mit einem Klick auf die Werte-Felder ein Zielwert eingegeben werden"),
        QString(),
        QStringLiteral("- \"Simulieren\" startet eine Simulation mit dem Durchschnitts-Ramdom von"),
        QStringLiteral("  0,75 für beide Flotten"),
    };
}

QStringList BattlePage::resetHelpLines()
{
    QStringList lines = startUpHelpLines();
    lines[9] = QStringLiteral("  \"Entf\" (Schiffstyp löschen) geändert");
    lines[12] = QStringLiteral("- \"Simulieren\" startet eine Simulation mit dem Durchschnitts-Random von");
    lines << QString();
    return lines;
}

void BattlePage::ShowFleets()
{
    guarded(prompts_, this, [&] {
        refreshing_ = true;
        for (int n : {1, 2}) {
            const Fleet &f = fleet(n);
            FleetControls &c = controls(n);
            c.list->clear();
            for (int i = 0; i <= f.LastIndex && i < f.Names.size(); ++i)
                c.list->addEntry(f.Names.at(i), f.Classes[size_t(i)].Count, perShipText(f.Classes[size_t(i)]));
            // The entry the keys act on stays chosen, so arrows, "+", "-" and Entf go on from it.
            const int remembered = rememberedPosition(n);
            if (remembered >= 0 && remembered < c.list->count())
                c.list->setCurrentRow(remembered);
            c.as->setText(QString::number(f.TotalAS));
            c.armor->setText(QString::number(f.TotalArmor));
            c.stability->setText(QString::number(f.TotalStability));
            c.cost->setText(QString::number(f.TotalCost));
        }
        refreshing_ = false;
    });
    refreshing_ = false;
}

void BattlePage::b_FleetIndexSelect()
{
    if (refreshing_)
        return;
    guarded(prompts_, this, [&] {
        for (int n : {1, 2}) {
            const QList<QListWidgetItem *> selected = controls(n).list->selectedItems();
            if (!selected.isEmpty())
                setRemembered(n, controls(n).list->row(selected.first()));
        }
    });
}

void BattlePage::AddShipsClick(int number)
{
    guarded(prompts_, this, [&] {
        if (isRunning())
            return;
        FleetControls &c = controls(number);
        for (QLineEdit *total : c.totals())
            setMenuColour(total);
        const FleetPair before = state_.history.fleets();
        const int k = c.shipClass->currentIndex();
        if (state_.designs.contains(k)) {
            // n ships are n single additions: the first creates the entry or finds it by name.
            const int count = readWholeNumber(c.shipCount->text(), 1);
            if (count >= 1) {
                const ShipDesign &design = state_.designs.at(k);
                FleetEdit edit = FleetEdit::Done;
                const int position = fleet(number).AddShips(count, design.GetAS(), design.GetArmor(),
                                                            design.GetStability(), design.GetName(),
                                                            design.GetFE(), design.GetSI(), design.GetC(), &edit);
                if (position >= 0 && edit == FleetEdit::Done)
                    setRemembered(number, position);
                state_.history.fleetsEdited(before, QStringLiteral("Hinzufügen %1 %2").arg(count).arg(design.GetName()));
                tellRefusal(edit, fleet(number).Names.value(position));
            }
        }
        ShowFleets();
        c.list->setFocus();
    });
}

QLineEdit *BattlePage::totalField(int number, Target target)
{
    FleetControls &c = controls(number);
    switch (target) {
    case Target::Attack: return c.as;
    case Target::Armor: return c.armor;
    case Target::Stability: return c.stability;
    case Target::Cost: return c.cost;
    }
    return c.as;
}

void BattlePage::enterTarget(int number, Target target)
{
    guarded(prompts_, this, [&] {
        Fleet &f = fleet(number);
        if (f.isEmpty() || isRunning())
            return;
        QLineEdit *field = totalField(number, target);
        QLineEdit *valueEdit = BattleSimValueDialog->valueEdit();
        valueEdit->setText(field->text());
        BattleSimValueDialog->move(QCursor::pos());
        valueEdit->setFocus();
        valueEdit->selectAll();
        if (prompts_.execDialog(*BattleSimValueDialog) != QDialog::Accepted)
            return;
        const int64_t value = ReadTargetValue(valueEdit->text());
        const int position = rememberedPosition(number);
        FleetControls &c = controls(number);
        const FleetPair before = state_.history.fleets();
        FleetEdit edit = FleetEdit::Ignored;
        switch (target) {
        case Target::Attack: edit = f.SetAttackTarget(value, position); break;
        case Target::Armor: edit = f.SetArmorTarget(value, position); break;
        case Target::Stability: edit = f.SetStabilityTarget(value, position); break;
        case Target::Cost: edit = f.SetCostTarget(value, position); break;
        }
        state_.history.fleetsEdited(before, QStringLiteral("Zielwert ") + f.Names.value(position));
        tellRefusal(edit, f.Names.value(position));
        for (QLineEdit *total : c.totals()) {
            if (total == field)
                setWindowColour(total);
            else
                setMenuColour(total);
        }
        ShowFleets();
        c.list->setFocus();
    });
}

void BattlePage::tellRefusal(FleetEdit edit, const QString &entry)
{
    const QString why = FleetRefusalText(edit, entry);
    if (!why.isEmpty())
        prompts_.showWarning(this, QStringLiteral("Flotte unverändert"), why);
}

void BattlePage::FleetListKeyPress(int number, QChar key)
{
    guarded(prompts_, this, [&] {
        const int p = rememberedPosition(number);
        Fleet &f = fleet(number);
        if (isRunning())
            return;
        const FleetPair before = state_.history.fleets();
        const QString name = f.Names.value(p);
        if (key == u'+') {
            if (f.isEmpty())
                return;
            FleetEdit edit = FleetEdit::Done;
            f.IncreaseCount(p, &edit);
            tellRefusal(edit, f.Names.value(p));
        } else if (key == u'-') {
            if (f.isEmpty())
                return;
            if (f.DecreaseCount(p) == 0)
                setRemembered(number, p - 1); // p is a valid position here, so p >= 0
        }
        state_.history.fleetsEdited(before, QString(key) + u' ' + name);
        ShowFleets();
    });
}

void BattlePage::FleetListKeyDown(int number, int key)
{
    guarded(prompts_, this, [&] {
        const int p = rememberedPosition(number);
        Fleet &f = fleet(number);
        if (isRunning())
            return;
        if (key == Qt::Key_Delete) {
            if (f.isEmpty())
                return;
            const FleetPair before = state_.history.fleets();
            const QString name = f.Names.value(p);
            f.RemoveShipClass(p);
            if (f.isEmpty())
                setRemembered(number, -1);
            else
                setRemembered(number, p > std::numeric_limits<int>::min() ? p - 1 : p);
            state_.history.fleetsEdited(before, QStringLiteral("Entf ") + name);
        }
        ShowFleets();
    });
}

void BattlePage::b_SimulateClick()
{
    guarded(prompts_, this, [&] {
        // Nothing to fight: the report stays, and the status bar says why.
        const Fleet &home = state_.homeFleet;
        const Fleet &foreign = state_.foreignFleet;
        if (home.isEmpty() && foreign.isEmpty())
            emit statusMessage(QStringLiteral("Beide Flotten sind leer."));
        else if (home.isEmpty())
            emit statusMessage(QStringLiteral("Die Heimatflotte ist leer."));
        else if (foreign.isEmpty())
            emit statusMessage(QStringLiteral("Die Fremdflotte ist leer."));
        else
            runs_->Simulate();
    });
}

void BattlePage::MinCountClick()
{
    guarded(prompts_, this, [&] { runs_->MinCount(rememberedPosition(1)); });
}

void BattlePage::BestCounterClick()
{
    guarded(prompts_, this, [&] { counter_->BestCounterClick(); });
}

void BattlePage::cancelRunning() { runs_->runner().cancelAndFinish(); }

bool BattlePage::isRunning() const { return runs_->runner().isRunning(); }

void BattlePage::b_ResetClick()
{
    guarded(prompts_, this, [&] {
        if (isRunning())
            return;
        const FleetPair before = state_.history.fleets();
        for (int n : {1, 2}) {
            Fleet &f = fleet(n);
            while (!f.isEmpty())
                f.RemoveShipClass(f.LastIndex);
        }
        state_.history.fleetsEdited(before, QStringLiteral("Zurücksetzen"));
        ShowFleets();
        writeReport(resetHelpLines(), false);
        b_BattleReport->moveCursor(QTextCursor::Start);
    });
}

} // namespace qf
