#pragma once
// The main window: four pages, the main menu, start-up and the debug log.
#include <QMainWindow>
#include <QList>
#include <QStringList>
#include <QKeySequence>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QActionGroup;
class QMenu;
class QPlainTextEdit;
class QTabWidget;

namespace qf {

struct AppState;
class UserPrompts;
class DebugLog;
class DesignerPage;
class CalculatorPage;
class BattlePage;
class BattleFileCommands;
class LibraryCommands;
class CompareWindow;
class TShipnameDialog;
class TDistanceOptionDialog;
class TAboutBox;
class RecentFiles;
class SessionKeeping;

class TKRM_Main : public QMainWindow {
    Q_OBJECT
public:
    TKRM_Main(AppState &state, UserPrompts &prompts, const QStringList &arguments,
              QWidget *parent = nullptr);
    ~TKRM_Main() override;

    AppState &state() { return state_; }
    UserPrompts &prompts() { return prompts_; }
    DebugLog &debugLog() { return *log_; }
    QTabWidget *pageControl() const { return PageControl1; }
    DesignerPage *designerPage() const { return designer_; }
    // Rechner and Kampfsimulator: made when first shown or asked for.
    CalculatorPage *calculatorPage();
    BattlePage *battlePage();
    LibraryCommands &library() { return *library_; }
    TShipnameDialog *shipnameDialog() const { return ShipnameDialog; }
    TDistanceOptionDialog *distanceOptionDialog() const { return DistanceOptionDialog; }
    TAboutBox *aboutBox() const { return AboutBox; }
    // The "Designvergleich" window; made when "Vergleichen..." is first chosen.
    CompareWindow *compareWindow() const { return compareWindow_; }
    // A menu item by its name, for the tests that choose it.
    QAction *menuItem(const QString &name) const;

    QString configFileName() const { return configFileName_; }
    bool flightTimeShown() const;

    bool ReadConfig(const QString &fileName);
    bool WriteConfig();

    // How the Exit command ends the process; tests replace it.
    void setExitHandler(std::function<void(int)> handler) { exitHandler_ = std::move(handler); }
    void endProcess(int status);

public slots:
    void menu_SelectFlightTime();
    void menu_SelectAcceleration();
    void menu_SetDistance();
    void PageControl1Change(int index);
    void AboutClick();
    // "Vergleichen...": shows the comparison window beside this one.
    void CompareClick();
    // "Beenden": asks about every design with unsaved changes, writes the settings, ends.
    void ExitClick();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    static constexpr int kCalculatorTab = 1;
    static constexpr int kBattleTab = 2;
    void buildPages();
    // Puts the page built at last in place of the tab's placeholder.
    void putPage(int tab, QWidget *page);
    void connectBattlePage();
    BattleFileCommands &battleFiles();
    void buildMenu();
    void connectLibrary();
    // "Rückgängig" and "Wiederholen" in the Designer and the Kampfsimulator menu.
    void addUndoItems();
    QStringList unsavedDesignNames() const;
    // The questions of "Beenden"; false when the ending is called off.
    bool askAboutEveryUnsavedDesign();
    // "Speichern Als..." for the design at `index`, shown on the Designer page meanwhile.
    bool saveDesignAt(int index);
    // Saves every unsaved design from `first` on; false at the first save that does not happen.
    bool saveAllFrom(int first);
    // "Zuletzt geöffnet": its entries, and one chosen (a file that is gone leaves the list).
    void fillRecentMenu();
    void openRecentFile(const QString &path);
    void startUp(const QStringList &arguments);
    // The window's place, size and maximised state, kept over a restart.
    void restoreWindowGeometry();
    void saveWindowGeometry() const;
    static QString distanceCaption(const QString &distance);
    void setDistance(const QString &text);
    QAction *addItem(QMenu *menu, const char *name, const QString &caption,
                     const QKeySequence &shortcut = QKeySequence());

    AppState &state_;
    UserPrompts &prompts_;
    QTabWidget *PageControl1 = nullptr;
    QPlainTextEdit *DebugConsole = nullptr;
    std::unique_ptr<DebugLog> log_;
    DesignerPage *designer_ = nullptr;
    CalculatorPage *calculator_ = nullptr;
    BattlePage *battle_ = nullptr;
    BattleFileCommands *battleFiles_ = nullptr;
    QList<QAction *> battleItems_; // wait while a battle or a search runs
    QAction *saveReport_ = nullptr;
    QAction *saveCourse_ = nullptr;
    LibraryCommands *library_ = nullptr;
    TShipnameDialog *ShipnameDialog = nullptr;
    TDistanceOptionDialog *DistanceOptionDialog = nullptr;
    TAboutBox *AboutBox = nullptr;
    CompareWindow *compareWindow_ = nullptr;
    QAction *FlightTime = nullptr;
    QAction *Acceleration = nullptr;
    QAction *SetNewDistance = nullptr;
    std::unique_ptr<RecentFiles> recent_;
    SessionKeeping *session_ = nullptr;
    QMenu *recentMenu_ = nullptr;
    QMenu *designerMenu_ = nullptr;
    QMenu *calculatorMenu_ = nullptr;
    QMenu *battleMenu_ = nullptr;
    QString configFileName_;
    bool displayFlightTime_ = true;
    bool pagesBounded_ = false;
    std::function<void(int)> exitHandler_;
};

} // namespace qf
