#pragma once
// "Bester Konter": the answer of the counter search, one row per design,
// cheapest first. "Übernehmen" takes the chosen row, "Schließen" nothing.
#include "battle/planning/BestCounter.h"

#include <QDialog>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace qf {

class CounterDialog : public QDialog {
    Q_OBJECT
public:
    explicit CounterDialog(QWidget *parent);

    // Shows the rows in their order, the first one that can be taken chosen.
    void setRows(const std::vector<CounterRow> &rows, const QString &note);
    // The chosen row, if it has ships to add; -1 otherwise.
    int chosenRow() const;

    QTableWidget *table() const { return CounterTable; }
    QPushButton *applyButton() const { return CounterApply; }
    QPushButton *closeButton() const { return CounterClose; }
    QLabel *noteLabel() const { return CounterNote; }

private:
    void CounterTableSelect();
    void CounterTableDoubleClick();

    std::vector<CounterEnd> ends_; // by row
    QLabel *CounterNote = nullptr;
    QTableWidget *CounterTable = nullptr;
    QPushButton *CounterApply = nullptr;
    QPushButton *CounterClose = nullptr;
};

} // namespace qf
