#pragma once
// The "Kampfsimulator" page: two fleets built from the designs, and the battle report.
#include "battle/page/BattleSimValueDialog.h"

#include <QWidget>
#include <array>
#include <memory>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
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
enum class FleetEdit;
class UserPrompts;

class BattlePage : public QWidget {
    Q_OBJECT
public:
    BattlePage(AppState &state, UserPrompts &prompts, QWidget *parent = nullptr);

    // b_ShipClass1 (fleet 1) or b_ShipClass2 (fleet 2): they mirror the design collection.
    QComboBox *shipClassList(int fleet) const;
    TBattleSimValueDialog *valueDialog() const { return BattleSimValueDialog; }
    // The remembered position of a fleet (1 or 2), as its hidden field reads.
    int rememberedPosition(int fleet) const;

    // Whether the report box shows a battle report (not the help text).
    bool showsBattleReport() const { return showsBattleReport_; }
    // The report box's text, lines separated by LF.
    QString reportText() const;
    // Both fleets were replaced (loaded from a file): nothing is remembered, both are shown.
    void fleetsReplaced();

    // The help text the report box shows at start-up, and the one "Zurücksetzen" writes.
    static QStringList startUpHelpLines();
    static QStringList resetHelpLines();

    // The tab "Verlauf": the course of the battle in the report box, if it was fought here.
    CourseChart &courseChart() const { return *b_Course; }

    // Whether a battle (or a search) runs beside the window now.
    bool isRunning() const;
    CounterCommand &counter() const { return *counter_; }
    // Stops what runs and waits for it; the report box then says it was cancelled.
    void cancelRunning();

signals:
    // The report box now shows a battle report, or no longer does.
    void battleReportShown(bool shown);
    // "Verlauf" now shows a battle's course, or no longer does.
    void courseShown(bool shown);
    // A long battle started or ended; "Simulieren" and "Zurücksetzen" wait meanwhile.
    void runningChanged(bool running);

public slots:
    void b_SimulateClick();
    void b_ResetClick();
    // "Mindestanzahl...": for the home fleet's chosen entry.
    void MinCountClick();
    // "Bester Konter...": the cheapest number of each design that wins.
    void BestCounterClick();
    void ShowFleets();
    void b_FleetIndexSelect();
    // b_ShipClass1 and b_ShipClass2 both go to the first design.
    void selectFirstShipClasses();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The controls of one fleet group.
    struct FleetControls {
        QGroupBox *group = nullptr;
        QListWidget *list = nullptr;
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
    void setMenuColour(QLineEdit *edit);
    void setWindowColour(QLineEdit *edit);
    // Writes the report box: a battle report, or another text such as the help.
    void writeReport(const QStringList &lines, bool battleReport);
    // Hands the chart the course of the report just written.
    void showCourse(std::shared_ptr<const BattleCourse> course);
    // A message box when the fleet refused an edit of the entry named `entry`.
    void tellRefusal(FleetEdit edit, const QString &entry);

    // Handlers of one fleet group.
    void FleetClick(int fleet, QObject *sender);
    void addShips(int fleet);
    void enterTarget(int fleet, QLineEdit *field);
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
    bool refreshing_ = false;
    bool showsBattleReport_ = false;
};

} // namespace qf
