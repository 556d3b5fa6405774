#pragma once
// The "Kampfsimulator" page: two fleets built from the designs, and the battle report.
#include "battle/page/BattleSimValueDialog.h"

#include <QWidget>
#include <array>
#include <memory>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace qf {

struct AppState;
class BattleCourse;
class BattleRuns;
class CounterCommand;
class CourseChart;
class Fleet;
class FleetList;
enum class FleetEdit;
class UserPrompts;

class BattlePage : public QWidget {
    Q_OBJECT
public:
    BattlePage(AppState &state, UserPrompts &prompts, QWidget *parent = nullptr);

    // b_ShipClass1 (fleet 1) or b_ShipClass2 (fleet 2): they mirror the design collection.
    QComboBox *shipClassList(int fleet) const;
    TBattleSimValueDialog *valueDialog() const { return BattleSimValueDialog; }
    // The remembered position of a fleet (1 or 2); its hidden field shows it.
    int rememberedPosition(int fleet) const { return remembered_[size_t(fleet == 1 ? 0 : 1)]; }

    // Whether the report box shows a battle report (not the help text).
    bool showsBattleReport() const { return showsBattleReport_; }
    // The report box's text, lines separated by LF.
    QString reportText() const;
    // Both fleets were replaced (loaded from a file): nothing is remembered, both are shown.
    void fleetsReplaced();
    // A battle report kept from the last run, shown as it was (without its course).
    void showKeptReport(const QString &report);

    // The help text the report box shows at start-up, and the one "Zurücksetzen" writes.
    static QStringList startUpHelpLines();
    static QStringList resetHelpLines();

    // The tab "Verlauf": the course of the battle in the report box, if it was fought here.
    CourseChart &courseChart() const { return *b_Course; }

    // Whether a battle (or a search) runs beside the window now; the fleets wait meanwhile.
    bool isRunning() const;
    CounterCommand &counter() const { return *counter_; }
    // Stops what runs and waits for it; the report box then says it was cancelled.
    void cancelRunning();

signals:
    // The report box now shows a battle report, or no longer does.
    void battleReportShown(bool shown);
    // "Verlauf" now shows a battle's course, or no longer does.
    void courseShown(bool shown);
    // A long battle or search started or ended; every control that changes a
    // fleet waits meanwhile.
    void runningChanged(bool running);
    // A line for the status bar: why nothing happened, or that a search was cancelled.
    void statusMessage(const QString &text);

public slots:
    void b_SimulateClick();
    void b_ResetClick();
    // "Mindestanzahl...": for the home fleet's chosen entry.
    void MinCountClick();
    // "Bester Konter...": the cheapest number of each design that wins.
    void BestCounterClick();
    void ShowFleets();
    void b_FleetIndexSelect();
    // A step of the history put the fleets back: they are shown as they are now.
    void fleetsRestored();
    // b_ShipClass1 and b_ShipClass2 both go to the first design.
    void selectFirstShipClasses();

private:
    enum class Target { Attack, Armor, Stability, Cost };
    // The controls of one fleet group.
    struct FleetControls {
        QGroupBox *group = nullptr;
        FleetList *list = nullptr;
        QLineEdit *as = nullptr;
        QLineEdit *armor = nullptr;
        QLineEdit *stability = nullptr;
        QLineEdit *cost = nullptr;
        QLineEdit *shipCount = nullptr;
        QComboBox *shipClass = nullptr;
        QPushButton *add = nullptr;
        QLineEdit *lastClassIndex = nullptr;
        std::array<QLineEdit *, 4> totals() const { return {as, armor, stability, cost}; }
    };

    QGroupBox *buildFleetGroup(int fleet, const QString &caption, FleetControls &c);
    QGroupBox *buildResultGroup();
    Fleet &fleet(int number);
    FleetControls &controls(int number) { return number == 1 ? fleet1_ : fleet2_; }
    void setRemembered(int fleet, int position);
    // Every control that changes a fleet, while nothing runs beside the window.
    void setFleetControlsEnabled(bool enabled);
    void setMenuColour(QLineEdit *edit);
    void setWindowColour(QLineEdit *edit);
    // Writes the report box: a battle report, or another text such as the help.
    void writeReport(const QStringList &lines, bool battleReport);
    // Hands the chart the course of the report just written.
    void showCourse(std::shared_ptr<const BattleCourse> course);
    // A message box when the fleet refused an edit of the entry named `entry`.
    void tellRefusal(FleetEdit edit, const QString &entry);

    // Handlers of one fleet group: "Hinzufügen", a click on each total, keys in the list.
    void AddShipsClick(int fleet);
    void AttackTargetClick(int fleet) { enterTarget(fleet, Target::Attack); }
    void ArmorTargetClick(int fleet) { enterTarget(fleet, Target::Armor); }
    void StabilityTargetClick(int fleet) { enterTarget(fleet, Target::Stability); }
    void CostTargetClick(int fleet) { enterTarget(fleet, Target::Cost); }
    void enterTarget(int fleet, Target target);
    QLineEdit *totalField(int fleet, Target target);
    void FleetListKeyPress(int fleet, QChar key);
    void FleetListKeyDown(int fleet, int key);

    AppState &state_;
    UserPrompts &prompts_;
    FleetControls fleet1_;
    FleetControls fleet2_;
    QComboBox *b_ShipClass1 = nullptr;
    QComboBox *b_ShipClass2 = nullptr;
    QGroupBox *b_Result = nullptr;
    QTabWidget *b_ResultTabs = nullptr;
    QPlainTextEdit *b_BattleReport = nullptr;
    CourseChart *b_Course = nullptr;
    QPushButton *b_Simulate = nullptr;
    QPushButton *b_Reset = nullptr;
    TBattleSimValueDialog *BattleSimValueDialog = nullptr;
    BattleRuns *runs_ = nullptr;
    CounterCommand *counter_ = nullptr;
    std::array<int, 2> remembered_ = {-1, -1};
    bool refreshing_ = false;
    bool showsBattleReport_ = false;
};

} // namespace qf
