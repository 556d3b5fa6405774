#include "app/KRM_Main.h"

#include "ui/AppState.h"
#include "session/RecentFiles.h"
#include "settings/CommandLine.h"
#include "settings/ConfigFormat.h"
#include "settings/WindowGeometry.h"
#include "ui/DebugLog.h"
#include "ui/HandlerGuard.h"
#include "app/MenuShortcuts.h"
#include "app/SessionKeeping.h"
#include "ui/SmallDialogs.h"
#include "battle/page/BattleFileCommands.h"
#include "battle/page/BattlePage.h"
#include "calc/page/CalculatorPage.h"
#include "compare/window/CompareWindow.h"
#include "designer/DesignerPage.h"
#include "library/FileReading.h"
#include "library/FileWriting.h"
#include "library/commands/LibraryCommands.h"
#include "library/commands/LibraryDialogs.h"
#include "model/Distance.h"
#include "model/WholeNumber.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalBlocker>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QStatusBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace qf {

TKRM_Main::TKRM_Main(AppState &state, UserPrompts &prompts, const QStringList &arguments,
                     QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                              | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                              | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      state_(state), prompts_(prompts), recent_(std::make_unique<RecentFiles>(RecentFilesStorePath()))
{
    setObjectName(QStringLiteral("KRM_Main"));
    setWindowTitle(QStringLiteral("Quarzfink Schiffsdesigner 3.0a"));
    setAcceptDrops(true);
    exitHandler_ = [](int status) { QCoreApplication::exit(status); };

    buildPages();
    buildMenu();
    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setSizeGripEnabled(true);
    setStatusBar(status);

    ShipnameDialog = new TShipnameDialog(this);
    DistanceOptionDialog = new TDistanceOptionDialog(this);
    AboutBox = new TAboutBox(this);
    library_ = new LibraryCommands(state_.designs, *designer_, prompts_, *log_, *ShipnameDialog, this);
    session_ = new SessionKeeping(state_, [this](bool build) { return build ? battlePage() : battle_; }, prompts_, *log_,
                                  [this](const ShipDesign &design) { library_->appendDesign(design); }, this);
    connectLibrary();
    startUp(arguments);
    state_.history.clear(); // what the start did is no step to take back
    new MenuShortcuts(this, {designerMenu_, calculatorMenu_, battleMenu_});

    // The window grows as the player likes; its smallest size is the classic client
    // area, larger where the fonts need it. It comes back where it was left.
    const QSize hint = sizeHint().expandedTo(QSize(410, 531));
    setMinimumSize(hint);
    resize(hint);
    restoreWindowGeometry();
}

TKRM_Main::~TKRM_Main() = default;

void TKRM_Main::buildPages()
{
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setUsesScrollButtons(false);
    setCentralWidget(PageControl1);

    // The debug page comes first in construction so every page can log.
    auto *debugSheet = new QWidget;
    debugSheet->setObjectName(QStringLiteral("DebugSheet"));
    DebugConsole = new QPlainTextEdit(debugSheet);
    DebugConsole->setObjectName(QStringLiteral("DebugConsole"));
    DebugConsole->setReadOnly(true);
    DebugConsole->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette menuColoured = DebugConsole->palette();
    menuColoured.setColor(QPalette::Base, menuColoured.color(QPalette::Window));
    DebugConsole->setPalette(menuColoured);
    auto *debugLayout = new QVBoxLayout(debugSheet);
    debugLayout->setContentsMargins(0, 0, 0, 0);
    debugLayout->addWidget(DebugConsole);
    log_ = std::make_unique<DebugLog>(*DebugConsole);
    log_->append(QStringLiteral("Quarzfink Schiffsdesigner 3.0 beta2"));
    log_->append(QStringLiteral("Debug-Output"));

    designer_ = new DesignerPage(state_, prompts_);
    designer_->setObjectName(QStringLiteral("TabSheet1"));
    // Rechner and Kampfsimulator are built when first needed (shown, or asked for by a
    // menu item or the kept planning): a start shows the Designer page sooner.
    PageControl1->addTab(designer_, QStringLiteral("Designer"));
    for (const char *name : {"TabSheet2", "TabSheet3"}) {
        auto *placeholder = new QWidget;
        placeholder->setObjectName(QString::fromLatin1(name));
        PageControl1->addTab(placeholder, QString());
    }
    PageControl1->setTabText(kCalculatorTab, QStringLiteral("Rechner"));
    PageControl1->setTabText(kBattleTab, QStringLiteral("Kampfsimulator"));
    PageControl1->addTab(debugSheet, QStringLiteral("DebugSheet"));
    PageControl1->setCurrentIndex(0);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TKRM_Main::PageControl1Change);
}

void TKRM_Main::putPage(int tab, QWidget *page)
{
    const QSignalBlocker quiet(PageControl1);
    const int current = PageControl1->currentIndex();
    const QString caption = PageControl1->tabText(tab);
    QWidget *placeholder = PageControl1->widget(tab);
    page->setObjectName(placeholder->objectName());
    // In front of the placeholder first: a switch from it to the page moves the focus
    // into the page as a switch of tabs does.
    PageControl1->insertTab(tab, page, caption);
    if (current == tab)
        PageControl1->setCurrentIndex(tab);
    PageControl1->removeTab(tab + 1);
    placeholder->deleteLater();
    PageControl1->setCurrentIndex(current);
}

CalculatorPage *TKRM_Main::calculatorPage()
{
    if (!calculator_) {
        calculator_ = new CalculatorPage(*designer_, *log_, prompts_);
        putPage(kCalculatorTab, calculator_);
        if (pagesBounded_)
            calculator_->setMaximumSize(designer_->maximumSize());
    }
    return calculator_;
}

BattlePage *TKRM_Main::battlePage()
{
    if (!battle_) {
        battle_ = new BattlePage(state_, prompts_);
        putPage(kBattleTab, battle_);
        connectBattlePage();
    }
    return battle_;
}

QAction *TKRM_Main::addItem(QMenu *menu, const char *name, const QString &caption,
                            const QKeySequence &shortcut)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    menu->addAction(action);
    return action;
}

QAction *TKRM_Main::menuItem(const QString &name) const
{
    // Walks the menu bar and every menu in it.
    QList<QAction *> pending = menuBar()->actions();
    while (!pending.isEmpty()) {
        QAction *action = pending.takeFirst();
        if (action->objectName() == name)
            return action;
        if (action->menu())
            pending += action->menu()->actions();
    }
    return nullptr;
}

void TKRM_Main::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    designerMenu_ = bar->addMenu(QStringLiteral("&Designer"));
    designerMenu_->setObjectName(QStringLiteral("DesignerMenu"));
    designerMenu_->menuAction()->setObjectName(QStringLiteral("Designer"));
    QAction *load = addItem(designerMenu_, "Load", QStringLiteral("Ö&ffnen..."), QKeySequence(QStringLiteral("Ctrl+F")));
    recentMenu_ = designerMenu_->addMenu(QStringLiteral("Zuletzt geöffnet"));
    recentMenu_->setObjectName(QStringLiteral("RecentFilesMenu"));
    recentMenu_->menuAction()->setObjectName(QStringLiteral("RecentFiles"));
    // Filled as it opens: an entry chosen may change the list.
    connect(recentMenu_, &QMenu::aboutToShow, this, &TKRM_Main::fillRecentMenu);
    QAction *newDesign = addItem(designerMenu_, "New", QStringLiteral("&Neu"), QKeySequence(QStringLiteral("Ctrl+N")));
    QAction *saveAs = addItem(designerMenu_, "SaveAs", QStringLiteral("&Speichern Als..."), QKeySequence(QStringLiteral("Ctrl+A")));
    QAction *copy = addItem(designerMenu_, "Copy", QStringLiteral("&Kopieren"), QKeySequence(QStringLiteral("Ctrl+K")));
    QAction *remove = addItem(designerMenu_, "Delete", QStringLiteral("&Löschen"), QKeySequence(QStringLiteral("Ctrl+L")));
    QAction *import = addItem(designerMenu_, "Importieren1", QStringLiteral("Importieren"), QKeySequence(QStringLiteral("Ctrl+I")));
    QAction *exportText = addItem(designerMenu_, "Exportieren1", QStringLiteral("Exportieren"), QKeySequence(QStringLiteral("Ctrl+E")));
    QAction *compare = addItem(designerMenu_, "Compare", QStringLiteral("Vergleichen..."));
    QMenu *options = designerMenu_->addMenu(QStringLiteral("Optionen"));
    options->setObjectName(QStringLiteral("DesignOptionsMenu"));
    options->menuAction()->setObjectName(QStringLiteral("DesignOptions"));
    FlightTime = addItem(options, "FlightTime", QStringLiteral("Flugzeit (pa)"));
    Acceleration = addItem(options, "Acceleration", QStringLiteral("Beschleunigung"));
    auto *display = new QActionGroup(this);
    display->setExclusive(true);
    for (QAction *radio : {FlightTime, Acceleration}) {
        radio->setCheckable(true);
        display->addAction(radio);
    }
    FlightTime->setChecked(true);
    SetNewDistance = addItem(options, "SetNewDistance", distanceCaption(QString::number(kDefaultDistance)));

    calculatorMenu_ = bar->addMenu(QStringLiteral("&Rechner"));
    calculatorMenu_->setObjectName(QStringLiteral("CalculatorMenu"));
    calculatorMenu_->menuAction()->setObjectName(QStringLiteral("Calculator"));
    QMenu *useDesign = calculatorMenu_->addMenu(QStringLiteral("Design verwenden..."));
    useDesign->setObjectName(QStringLiteral("Designverwenden1Menu"));
    useDesign->menuAction()->setObjectName(QStringLiteral("Designverwenden1"));
    addItem(useDesign, "Design11", QStringLiteral("Design1..."))->setEnabled(false);
    addItem(useDesign, "Design21", QStringLiteral("Design2..."))->setEnabled(false);
    addItem(calculatorMenu_, "CalculatorOptions", QStringLiteral("Optionen"))->setEnabled(false);

    battleMenu_ = bar->addMenu(QStringLiteral("&Kampfsimulator"));
    battleMenu_->setObjectName(QStringLiteral("BattleSimMenu"));
    battleMenu_->menuAction()->setObjectName(QStringLiteral("BattleSim"));
    QAction *simulate = addItem(battleMenu_, "Simulieren1", QStringLiteral("Simulieren"), QKeySequence(Qt::Key_F5));
    QAction *reset = addItem(battleMenu_, "Zurcksetzen1", QStringLiteral("Zurücksetzen"));
    battleMenu_->addSeparator();
    QAction *saveFleets = addItem(battleMenu_, "SaveFleets", QStringLiteral("Flotten speichern..."));
    QAction *loadFleets = addItem(battleMenu_, "LoadFleets", QStringLiteral("Flotten laden..."));
    QAction *saveReport = addItem(battleMenu_, "SaveReport", QStringLiteral("Bericht speichern..."));
    saveReport->setEnabled(false); // until a battle report is shown
    QAction *saveCourse = addItem(battleMenu_, "SaveCourse", QStringLiteral("Verlauf speichern..."));
    saveCourse->setEnabled(false); // until a battle's course is shown
    QAction *minCount = addItem(battleMenu_, "MinCount", QStringLiteral("Mindestanzahl..."));
    QAction *bestCounter = addItem(battleMenu_, "BestCounter", QStringLiteral("Bester Konter..."));
    battleMenu_->addSeparator();
    addItem(battleMenu_, "BattlesimOptions", QStringLiteral("Optionen"))->setEnabled(false);

    auto *about = new QAction(QStringLiteral("Über"), this);
    about->setObjectName(QStringLiteral("About"));
    bar->addAction(about);
    auto *exit = new QAction(QStringLiteral("Beenden"), this);
    exit->setObjectName(QStringLiteral("Exit"));
    bar->addAction(exit);

    connect(FlightTime, &QAction::triggered, this, &TKRM_Main::menu_SelectFlightTime);
    connect(Acceleration, &QAction::triggered, this, &TKRM_Main::menu_SelectAcceleration);
    connect(SetNewDistance, &QAction::triggered, this, &TKRM_Main::menu_SetDistance);
    connect(about, &QAction::triggered, this, &TKRM_Main::AboutClick);
    battleItems_ = {simulate, reset, loadFleets, minCount, bestCounter};
    saveReport_ = saveReport;
    saveCourse_ = saveCourse;
    connect(simulate, &QAction::triggered, this, [this] { battlePage()->b_SimulateClick(); });
    connect(reset, &QAction::triggered, this, [this] { battlePage()->b_ResetClick(); });
    connect(saveFleets, &QAction::triggered, this, [this] { battleFiles().SaveFleetsClick(); });
    connect(loadFleets, &QAction::triggered, this, [this] { battleFiles().LoadFleetsClick(); });
    connect(saveReport, &QAction::triggered, this, [this] { battleFiles().SaveReportClick(); });
    connect(saveCourse, &QAction::triggered, this, [this] { battleFiles().SaveCourseClick(); });
    connect(minCount, &QAction::triggered, this, [this] { battlePage()->MinCountClick(); });
    connect(bestCounter, &QAction::triggered, this, [this] { battlePage()->BestCounterClick(); });
    connect(load, &QAction::triggered, this, [this] { library_->LoadClick(); });
    connect(newDesign, &QAction::triggered, this, [this] { library_->NewClick(); });
    connect(saveAs, &QAction::triggered, this, [this] { library_->SaveAsClick(); });
    connect(copy, &QAction::triggered, this, [this] { library_->CopyClick(); });
    connect(remove, &QAction::triggered, this, [this] { library_->DeleteClick(); });
    connect(import, &QAction::triggered, this, [this] { library_->ImportClick(); });
    connect(exportText, &QAction::triggered, this, [this] { library_->ExportClick(); });
    connect(compare, &QAction::triggered, this, &TKRM_Main::CompareClick);
    connect(exit, &QAction::triggered, this, &TKRM_Main::ExitClick);
    connect(designer_->renameButton(), &QPushButton::clicked, this, [this] { library_->RenameClick(); });
    addUndoItems();
}

BattleFileCommands &TKRM_Main::battleFiles()
{
    battlePage();
    return *battleFiles_;
}

void TKRM_Main::connectBattlePage()
{
    battleFiles_ = new BattleFileCommands(state_, *battle_, prompts_, this);
    connect(battle_, &BattlePage::statusMessage, statusBar(), [this](const QString &text) { statusBar()->showMessage(text); });
    connect(battle_, &BattlePage::battleReportShown, saveReport_, &QAction::setEnabled);
    connect(battle_, &BattlePage::courseShown, saveCourse_, &QAction::setEnabled);
    connect(battle_, &BattlePage::runningChanged, this, [this](bool running) {
        for (QAction *item : battleItems_)
            item->setEnabled(!running);
    });
    connect(library_, &LibraryCommands::designSaved, battle_, &BattlePage::selectFirstShipClasses);
}

void TKRM_Main::addUndoItems()
{
    // One pair of items for the program's one history, last in the Designer and the
    // Kampfsimulator menu (the other items keep their places): one item, one
    // shortcut, so no key is ambiguous.
    auto *undo = new QAction(this);
    undo->setObjectName(QStringLiteral("Undo"));
    undo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    auto *redo = new QAction(this);
    redo->setObjectName(QStringLiteral("Redo"));
    redo->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    state_.history.bindUndoItem(undo);
    state_.history.bindRedoItem(redo);
    for (QMenu *menu : {designerMenu_, battleMenu_}) {
        menu->addSeparator();
        menu->addActions({undo, redo});
    }
}

void TKRM_Main::connectLibrary()
{
    connect(library_, &LibraryCommands::selectRequested, designer_, &DesignerPage::selectDesign);
    connect(library_, &LibraryCommands::levelRead, designer_, &DesignerPage::setSpinnerPosition);
    connect(library_, &LibraryCommands::readingFile, PageControl1, [this](bool busy) {
        PageControl1->setEnabled(!busy);
    });
    connect(library_, &LibraryCommands::designRenamed, &state_.history, &UndoHistory::designRenamed);
    connect(library_, &LibraryCommands::designFileUsed, this, [this](const QString &path) {
        recent_->add(path);
        recentMenu_->menuAction()->setEnabled(!recent_->paths().isEmpty());
    });
}

namespace {
// Where an installed program keeps its settings when it has no other settings file.
QString userConfigFile()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/KRM.ini");
}

// The window's place and size, beside KRM.ini in the user's configuration folder.
QString windowGeometryFile()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return folder.isEmpty() ? QString() : folder + u'/' + WindowGeometry::fileName();
}
} // namespace

void TKRM_Main::restoreWindowGeometry()
{
    const QString path = windowGeometryFile();
    const std::optional<WindowGeometry> kept = path.isEmpty() ? std::nullopt : WindowGeometry::load(path);
    if (!kept)
        return;
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    // A place off every screen would hide the window: it then opens where the system puts it.
    if (kept->isOnAScreen(screens))
        move(kept->normal.topLeft());
    resize(kept->normal.size().expandedTo(minimumSize()));
    if (kept->maximised)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TKRM_Main::saveWindowGeometry() const
{
    const QString path = windowGeometryFile();
    if (path.isEmpty())
        return;
    WindowGeometry g;
    g.maximised = isMaximized();
    // Kept as the frame's place and the inner size, as move() and resize() take them.
    const QRect normal = g.maximised ? normalGeometry().translated(pos() - geometry().topLeft()) : QRect();
    g.normal = normal.isValid() ? normal : QRect(pos(), size());
    g.save(path);
}

void TKRM_Main::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (pagesBounded_)
        return;
    // The question about a crashed run's designs stands over the window, once it is shown.
    QTimer::singleShot(0, session_, &SessionKeeping::startKeepingDesigns);
    // The Designer and Rechner pages keep the layout they have in the smallest window,
    // at the top left, however large the window grows.
    pagesBounded_ = true;
    const QSize area = designer_->parentWidget()->size() - (size() - minimumSize());
    designer_->setMaximumSize(area);
    if (calculator_)
        calculator_->setMaximumSize(area);
}

void TKRM_Main::startUp(const QStringList &arguments)
{
    recent_->load();
    recentMenu_->menuAction()->setEnabled(!recent_->paths().isEmpty());
    const StartArguments start = ParseStartArguments(arguments);
    const ConfigFileChoice config = ChooseConfigFile(
        start, [](const QString &path) { return QFileInfo::exists(path); }, userConfigFile());
    configFileName_ = config.path;
    if (config.read)
        ReadConfig(configFileName_);
    // The flight time is for the distance the menu names: without a distance from
    // the settings (a missing file, or one without "Distanz") that is the default.
    if (designer_->distanceText().isEmpty())
        setDistance(QString::number(kDefaultDistance));

    if (start.shipFileGiven)
        log_->append(QStringLiteral("Shipfile-argument found."));
    bool loaded = false;
    if (!start.shipFile.isEmpty()) {
        log_->append(QStringLiteral("Loading Shipdesign ") + start.shipFile);
        loaded = library_->LoadDesignFile(start.shipFile, true).ok();
    }
    if (!loaded) {
        // The program always starts with one design, also when the file could not be read.
        log_->append(QStringLiteral("No Shipfiles! Generating empty design."));
        library_->appendDesign(ShipDesign());
    }
    state_.designs.CopyCounter = 0;
    session_->restorePlanning();
}

bool TKRM_Main::flightTimeShown() const { return FlightTime->isChecked(); }

void TKRM_Main::menu_SelectFlightTime()
{
    // The radio group has already moved the check mark; what counts is what the page shows.
    FlightTime->setChecked(true);
    if (displayFlightTime_)
        return;
    displayFlightTime_ = true;
    designer_->showFlightTime(true);
}

void TKRM_Main::menu_SelectAcceleration()
{
    Acceleration->setChecked(true);
    if (!displayFlightTime_)
        return;
    displayFlightTime_ = false;
    designer_->showFlightTime(false);
}

QString TKRM_Main::distanceCaption(const QString &distance)
{
    return QStringLiteral("Distanz setzen... (") + distance + u')';
}

void TKRM_Main::setDistance(const QString &text)
{
    designer_->setDistanceText(text);
    SetNewDistance->setText(distanceCaption(designer_->distanceText()));
}

void TKRM_Main::menu_SetDistance()
{
    guarded(prompts_, this, [&] {
        for (;;) {
            DistanceOptionDialog->setText(designer_->distanceText());
            if (prompts_.execDialog(*DistanceOptionDialog) != QDialog::Accepted)
                return;
            const int distance = readWholeNumber(DistanceOptionDialog->text());
            if (IsAllowedDistance(distance)) {
                setDistance(QString::number(distance));
                break;
            }
        }
        designer_->ShowDesign();
    });
}

void TKRM_Main::PageControl1Change(int index)
{
    if (index == kCalculatorTab)
        calculatorPage();
    else if (index == kBattleTab)
        battlePage();
    designerMenu_->menuAction()->setEnabled(index == 0);
    calculatorMenu_->menuAction()->setEnabled(index == 1);
    battleMenu_->menuAction()->setEnabled(index == 2);
}

void TKRM_Main::CompareClick()
{
    guarded(prompts_, this, [&] {
        if (!compareWindow_)
            compareWindow_ = new CompareWindow(state_.designs, *designer_, prompts_, this);
        compareWindow_->show();
        compareWindow_->raise();
        compareWindow_->activateWindow();
    });
}

void TKRM_Main::AboutClick()
{
    guarded(prompts_, this, [&] { prompts_.execDialog(*AboutBox); });
}

bool TKRM_Main::ReadConfig(const QString &fileName)
{
    PageControl1->setEnabled(false);
    // A settings file is a few hundred bytes; a pipe, a device or a huge file is not one of ours.
    const FileRead read = ReadRegularFile(fileName, kMaxConfigFileSize);
    if (!read.ok()) {
        log_->append(QStringLiteral("Error opening config file"));
        PageControl1->setEnabled(true);
        return false;
    }
    const QByteArray &bytes = read.bytes;
    for (const ConfigCommand &c : ParseConfig(bytes)) {
        switch (c.kind) {
        case ConfigCommand::FlightTime:
            menu_SelectFlightTime();
            break;
        case ConfigCommand::Acceleration:
            menu_SelectAcceleration();
            break;
        case ConfigCommand::Distance:
            // Only what the distance dialog accepts: a negative distance has no flight time.
            if (IsAllowedDistance(c.value))
                setDistance(QString::number(c.value));
            break;
        case ConfigCommand::ActivesTab:
            if (c.value >= 0 && c.value < PageControl1->count()) {
                const QSignalBlocker block(PageControl1);
                PageControl1->setCurrentIndex(c.value);
                PageControl1Change(c.value);
            }
            break;
        }
    }
    PageControl1->setEnabled(true);
    return true;
}

bool TKRM_Main::WriteConfig()
{
    if (configFileName_.isEmpty()) {
        log_->append(QStringLiteral("Error opening conofigfile"));
        return false;
    }
    const int distance = readWholeNumber(designer_->distanceText(), kDefaultDistance);
    const QByteArray bytes = FormatConfig(flightTimeShown(), distance, PageControl1->currentIndex());
    // The user's configuration folder is made when the settings are first kept there.
    if (configFileName_ == userConfigFile())
        QDir().mkpath(QFileInfo(configFileName_).absolutePath());
    QString why;
    if (!WriteFileReplacing(configFileName_, bytes, &why)) {
        log_->append(QStringLiteral("Error opening conofigfile"));
        prompts_.showWarning(this, QStringLiteral("Einstellungen nicht gespeichert"),
                             SaveFailureText(configFileName_, why));
        return false;
    }
    log_->append(QStringLiteral("configfile saved"));
    return true;
}

namespace {
const QString kSaveAll = QStringLiteral("Alle speichern");
const QString kSave = QStringLiteral("Speichern");
const QString kDontSave = QStringLiteral("Nicht speichern");
const QString kCancel = QStringLiteral("Abbrechen");
} // namespace

bool TKRM_Main::saveDesignAt(int index)
{
    const int shownPage = PageControl1->currentIndex();
    designer_->selectDesign(index);
    PageControl1->setCurrentIndex(0);
    const bool saved = library_->WriteDesignFile() == LibraryCommands::SaveResult::Saved;
    PageControl1->setCurrentIndex(shownPage);
    return saved;
}

bool TKRM_Main::saveAllFrom(int first)
{
    for (int index = first; index < state_.designs.size(); ++index) {
        if (state_.designs.at(index).IsChanged() && !saveDesignAt(index))
            return false;
    }
    return true;
}

bool TKRM_Main::askAboutEveryUnsavedDesign()
{
    const DesignCollection &designs = state_.designs;
    const int shownPage = PageControl1->currentIndex();
    const bool several = unsavedDesignNames().size() > 1;
    // Each design with unsaved changes is asked about while it is shown. "Abbrechen"
    // (the default) and a save that is cancelled or fails call the ending off, so no
    // work is lost.
    for (int index = 0; index < designs.size(); ++index) {
        designer_->selectDesign(index);
        if (!designs.at(index).IsChanged())
            continue;
        PageControl1->setCurrentIndex(0);
        QStringList answers = {kSave, kDontSave, kCancel};
        if (several)
            answers.prepend(kSaveAll);
        const QString answer = answers.value(prompts_.askChoice(
            this, QStringLiteral("Schiffstyp speichern"),
            QStringLiteral("Den Schiffstyp ") + designs.at(index).GetName() + QStringLiteral(" speichern?"),
            answers, int(answers.size()) - 1));
        PageControl1->setCurrentIndex(shownPage);
        if (answer == kSaveAll)
            return saveAllFrom(index);
        if (answer == kSave && !saveDesignAt(index))
            return false;
        if (answer != kSave && answer != kDontSave)
            return false;
    }
    return true;
}

void TKRM_Main::ExitClick()
{
    guarded(prompts_, this, [&] {
        // A battle beside the window stops first; its report box says so.
        if (battle_)
            battle_->cancelRunning();
        if (!askAboutEveryUnsavedDesign())
            return;
        WriteConfig();
        saveWindowGeometry();
        session_->endCleanly();
        endProcess(0);
    });
}

QStringList TKRM_Main::unsavedDesignNames() const
{
    QStringList names;
    for (const ShipDesign &design : state_.designs.designs()) {
        if (design.IsChanged())
            names << design.GetName();
    }
    return names;
}

void TKRM_Main::closeEvent(QCloseEvent *event)
{
    // Without unsaved work the window closes at once, without writing the settings.
    const QStringList unsaved = unsavedDesignNames();
    bool close = unsaved.isEmpty();
    if (!close) {
        guarded(prompts_, this, [&] {
            const QStringList answers = {kSaveAll, QStringLiteral("Schließen"), kCancel};
            const int answer = prompts_.askChoice(
                this, QStringLiteral("Ungespeicherte Änderungen"),
                QStringLiteral("Diese Schiffsdesigns haben ungespeicherte Änderungen:\n%1\n\n"
                               "Trotzdem schließen und die Änderungen verwerfen?")
                    .arg(unsaved.join(QStringLiteral(", "))),
                answers, 2);
            close = answer == 1 || (answer == 0 && saveAllFrom(0));
        });
    }
    if (close) {
        if (battle_)
            battle_->cancelRunning();
        saveWindowGeometry();
        session_->endCleanly();
        event->accept();
    } else {
        event->ignore();
    }
}

void TKRM_Main::fillRecentMenu()
{
    recentMenu_->clear();
    const QStringList paths = recent_->paths();
    for (int i = 0; i < int(paths.size()); ++i) {
        QAction *entry = recentMenu_->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(paths[i])));
        entry->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
        connect(entry, &QAction::triggered, this, [this, path = paths[i]] { openRecentFile(path); });
    }
}

void TKRM_Main::openRecentFile(const QString &path)
{
    if (!QFileInfo::exists(path)) {
        recent_->remove(path);
        recentMenu_->menuAction()->setEnabled(!recent_->paths().isEmpty());
        statusBar()->showMessage(
            QStringLiteral("Die Datei \u201E%1\u201C gibt es nicht mehr; sie wurde aus der Liste genommen.")
                .arg(QDir::toNativeSeparators(path)));
        return;
    }
    library_->OpenDroppedFiles({path});
}

void TKRM_Main::endProcess(int status) { exitHandler_(status); }

namespace {
QStringList droppedFiles(const QMimeData *data)
{
    QStringList paths;
    if (data && data->hasUrls()) {
        for (const QUrl &url : data->urls())
            if (url.isLocalFile())
                paths << url.toLocalFile();
    }
    return paths;
}
} // namespace

void TKRM_Main::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TKRM_Main::dropEvent(QDropEvent *event)
{
    const QStringList paths = droppedFiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    library_->OpenDroppedFiles(paths);
}

} // namespace qf
