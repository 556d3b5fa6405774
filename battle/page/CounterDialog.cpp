#include "battle/page/CounterDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qf {

CounterDialog::CounterDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CounterDialog"));
    setWindowTitle(QStringLiteral("Bester Konter"));
    auto *layout = new QVBoxLayout(this);
    CounterNote = new QLabel(this);
    CounterNote->setObjectName(QStringLiteral("CounterNote"));
    CounterNote->setWordWrap(true);
    layout->addWidget(CounterNote);

    CounterTable = new QTableWidget(this);
    CounterTable->setObjectName(QStringLiteral("CounterTable"));
    CounterTable->setColumnCount(int(CounterHeaders().size()));
    CounterTable->setHorizontalHeaderLabels(CounterHeaders());
    CounterTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    CounterTable->setSelectionMode(QAbstractItemView::SingleSelection);
    CounterTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    CounterTable->verticalHeader()->setVisible(false);
    CounterTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    CounterTable->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(CounterTable, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    CounterApply = new QPushButton(QStringLiteral("Übernehmen"), this);
    CounterApply->setObjectName(QStringLiteral("CounterApply"));
    CounterApply->setDefault(true);
    CounterClose = new QPushButton(QStringLiteral("Schließen"), this);
    CounterClose->setObjectName(QStringLiteral("CounterClose"));
    buttons->addWidget(CounterApply);
    buttons->addWidget(CounterClose);
    layout->addLayout(buttons);

    connect(CounterTable, &QTableWidget::itemSelectionChanged, this, &CounterDialog::CounterTableSelect);
    connect(CounterTable, &QTableWidget::cellDoubleClicked, this, &CounterDialog::CounterTableDoubleClick);
    connect(CounterApply, &QPushButton::clicked, this, &QDialog::accept);
    connect(CounterClose, &QPushButton::clicked, this, &QDialog::reject);
    resize(820, 340);
}

void CounterDialog::setRows(const std::vector<CounterRow> &rows, const QString &note)
{
    CounterNote->setText(note);
    ends_.clear();
    CounterTable->clearContents();
    CounterTable->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        const QStringList texts = CounterTexts(rows[size_t(r)]);
        for (int c = 0; c < texts.size(); ++c) {
            auto *item = new QTableWidgetItem(texts[c]);
            // Figures line up on the right; the name and the note read from the left.
            if (c > 0 && c < texts.size() - 1)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            CounterTable->setItem(r, c, item);
        }
        ends_.push_back(rows[size_t(r)].end);
    }
    CounterTable->clearSelection();
    if (!rows.empty() && rows.front().end == CounterEnd::Found)
        CounterTable->selectRow(0);
    CounterTableSelect();
}

int CounterDialog::chosenRow() const
{
    const QList<QTableWidgetItem *> selected = CounterTable->selectedItems();
    if (selected.isEmpty())
        return -1;
    const int row = selected.first()->row();
    return ends_.at(size_t(row)) == CounterEnd::Found ? row : -1;
}

void CounterDialog::CounterTableSelect()
{
    CounterApply->setEnabled(chosenRow() >= 0);
}

void CounterDialog::CounterTableDoubleClick()
{
    if (chosenRow() >= 0)
        accept();
}

} // namespace qf
