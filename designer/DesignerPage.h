#pragma once
// The "Designer" page: edits the design selected in d_ShipName and shows its figures.
#include "model/DesignerFigures.h"

#include <QWidget>
#include <array>
#include <functional>

class QComboBox;
class QLineEdit;
class QCheckBox;
class QGridLayout;
class QLabel;
class QPushButton;

namespace qf {

struct AppState;
class UserPrompts;
class UpDown;

class DesignerPage : public QWidget {
    Q_OBJECT
public:
    DesignerPage(AppState &state, UserPrompts &prompts, QWidget *parent = nullptr);

    QComboBox *shipNameList() const { return d_ShipName; }
    QPushButton *renameButton() const { return d_Rename; }
    QLineEdit *levelEdit(Component c) const { return levelEdits_[size_t(indexOf(c))]; }
    UpDown *spinner(Component c) const { return spinners_[size_t(indexOf(c))]; }
    int selectedIndex() const;

    QString distanceText() const;
    void setDistanceText(const QString &text);
    // The display option: flight time and distance, or acceleration and percentage.
    void showFlightTime(bool flightTime);
    bool flightTimeShown() const { return flightTimeShown_; }
    QString shipFactoryText() const;
    QString warFactoryText() const;

    // What the page shows now, as the export text and the design file take it.
    DesignerFigures shownFigures() const;

signals:
    // The distance, a factory level or the display option changed: the figures of
    // every design read differently now, not only the selected one's.
    void figureSettingsChanged();

public slots:
    void ShowDesign();
    void FactoryChange();
    void ShowChangedMarker();
    void ShipNameSelect(int index);
    // A level field or an action box changed: the selected design takes its value.
    void LevelChange(Component c);
    void ActionChange(Action a);
    // Selects the design in d_ShipName, shows it and recomputes its production figures.
    void selectDesign(int index);
    // Moves a level's spinner, as a design file read at start-up does.
    void setSpinnerPosition(Component c, int value);

private:
    void buildLayout();
    void connectHandlers();
    void runShowDesign();
    void runFactoryChange();
    void setIfDifferent(QLineEdit *edit, const QString &text);
    QLineEdit *figure(QGridLayout *grid, int row, int column, const char *name, const char *label,
                      const char *text = "");
    // Changes the selected design; a change of its values is a step named by `stepName`.
    void changeDesign(const std::function<void(ShipDesign &)> &change,
                      const std::function<QString(const ShipDesign &)> &stepName, int field = -1);
    bool hasSelection() const;

    AppState &state_;
    UserPrompts &prompts_;
    QLabel *Label1 = nullptr;
    QComboBox *d_ShipName = nullptr;
    QPushButton *d_Rename = nullptr;
    std::array<QLineEdit *, kComponentCount> levelEdits_{};
    std::array<UpDown *, kComponentCount> spinners_{};
    std::array<QCheckBox *, kActionCount> actionBoxes_{};
    // The read-only figures, in the order of FigureFields().
    std::array<QLineEdit *, kFigureFieldCount> figureEdits_{};
    QLineEdit *d_Distance = nullptr;
    QLineEdit *d_ShipFactory = nullptr;
    QLineEdit *d_WarFactory = nullptr;
    QLineEdit *d_ProductionTime = nullptr;
    QLineEdit *d_FEmine = nullptr;
    QLineEdit *d_SImine = nullptr;
    QLineEdit *d_Cmine = nullptr;
    QLineEdit *d_FE = nullptr;
    QLineEdit *d_SI = nullptr;
    QLineEdit *d_C = nullptr;
    // The cells of the two pairs the display option shows one of.
    std::array<QWidget *, 2> accelerationCells_{};
    std::array<QWidget *, 2> flightTimeCells_{};
    bool flightTimeShown_ = true;
};

} // namespace qf
