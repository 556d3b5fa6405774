#pragma once
// The "Rechner" page: flight calculator, special actions and battle calculator.
// The formulas live in FlightCalc, SpecialActions and BattleCalc; the page reads
// its fields, runs them and writes the results.
#include <QWidget>

class QLineEdit;
class QPushButton;

namespace qf {

class DesignerPage;
enum class DriveField;
class DebugLog;
class UserPrompts;

class CalculatorPage : public QWidget {
    Q_OBJECT
public:
    CalculatorPage(DesignerPage &designer, DebugLog &log, UserPrompts &prompts,
                   QWidget *parent = nullptr);

public slots:
    // Change handler of the flight inputs other than the two drives.
    void FlightCalcChange();
    // Change handlers of the two drives: a drive set to 0 may raise the other.
    void ThrusterChange();
    void FusiChange();
    // "Design verwenden": copies the Designer page's drive levels and stability.
    void ReadDesignClick();
    // Change handler of the four battle-calculator inputs.
    void BattleCalcChange();
    // Change handler of the four special-action inputs.
    void SpecialCalcChange();

private:
    void buildLayout();
    void recomputeFlight();
    void driveChanged(DriveField changed);

    DesignerPage &designer_;
    DebugLog &log_;
    UserPrompts &prompts_;

    // Flugberechnung (GroupBox7)
    QLineEdit *r_StartPlanet = nullptr;
    QLineEdit *r_TargetPlanet = nullptr;
    QLineEdit *r_Thruster = nullptr;
    QLineEdit *r_Fusi = nullptr;
    QLineEdit *r_ZVA = nullptr;
    QLineEdit *r_Stability = nullptr;
    QLineEdit *r_Spaceport = nullptr;
    QLineEdit *r_Distance = nullptr;
    QLineEdit *r_FlightTime = nullptr;
    QLineEdit *r_FlightO2 = nullptr;
    QLineEdit *r_FlightH2 = nullptr;
    QLineEdit *r_TakeoffTime = nullptr;
    QLineEdit *r_TakeoffO2 = nullptr;
    QLineEdit *r_TakeoffH2 = nullptr;
    QPushButton *r_ReadDesign = nullptr;

    // Spezialaktionen (GroupBox8)
    QLineEdit *r_AttackerLevel = nullptr;
    QLineEdit *r_DefenderLevel = nullptr;
    QLineEdit *r_NumberofShips = nullptr;
    QLineEdit *r_ActionCount = nullptr;
    QLineEdit *r_LevelDifference = nullptr;
    QLineEdit *r_SpyTime = nullptr;
    QLineEdit *r_SabotageTime = nullptr;
    QLineEdit *r_SuccessPercent = nullptr;
    QLineEdit *r_RaidTime = nullptr;
    QLineEdit *r_KolonisationTime = nullptr;
    QLineEdit *r_InvasionTime = nullptr;
    QLineEdit *r_SuccessPercent2 = nullptr;
    QLineEdit *r_UncloakChance = nullptr;

    // Kampf-Rechner (GroupBox6)
    QLineEdit *r_BattleBegin = nullptr;
    QLineEdit *r_BattleEnd = nullptr;
    QLineEdit *r_StabilityDestroyed = nullptr;
    QLineEdit *r_ArmorDestroyed = nullptr;
    QLineEdit *r_BattleDuration = nullptr;
    QLineEdit *r_EnemyAS = nullptr;
};

} // namespace qf
