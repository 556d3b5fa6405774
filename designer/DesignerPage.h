#pragma once
// The "Designer" page: edits the design selected in d_ShipName and shows its figures.
#include "model/DesignerFigures.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QCheckBox;
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
    // The text of one of the page's edits, by its name (d_Thruster, d_Stability, ...).
    QString fieldText(const QString &name) const;
    UpDown *spinner(const QString &name) const;
    int selectedIndex() const;

    QString distanceText() const;
    void setDistanceText(const QString &text);
    // The display option: flight time and distance, or acceleration and percentage.
    void showFlightTime(bool flightTime);

    // What the page shows now, as the export text and the design file take it.
    DesignerFigures shownFigures() const;

public slots:
    void ShowDesign();
    void FactoryChange();
    void ShowChangedMarker();
    void ShipNameSelect(int index);
    void DesignChange(QObject *sender);

private:
    void buildLayout();
    void runShowDesign();
    void runFactoryChange();
    void setIfDifferent(QLineEdit *edit, const QString &text);
    QLineEdit *edit(const char *name) const;
    QCheckBox *box(const char *name) const;

    AppState &state_;
    UserPrompts &prompts_;
    QLabel *Label1 = nullptr;
    QComboBox *d_ShipName = nullptr;
    QPushButton *d_Rename = nullptr;
};

} // namespace qf
