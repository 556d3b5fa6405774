#include "battle/planning/BestCounter.h"

#include "model/Formulas.h"

#include <QStringList>
#include <algorithm>
#include <limits>

namespace qf {

namespace {

// The cost of `ships` ships at `each` apiece. The fleet holds only counts whose
// totals stay inside 64 bits, so this fits; it is checked all the same.
int64_t costOf(int32_t ships, int64_t each)
{
    const wide cost = wide(ships) * each;
    if (cost > std::numeric_limits<int64_t>::max() || cost < std::numeric_limits<int64_t>::min())
        throw ArithmeticError("Die Kosten des Konters passen nicht in 64 Bit.");
    return int64_t(cost);
}

// Places the design in a copy of the home fleet as "Hinzufügen" would: its
// entry when the name is there, else a new entry of one ship. False when the
// fleet has no room for it (`row.end` says why).
bool placeDesign(Fleet &trial, CounterRow &row)
{
    const CounterDesign &d = row.design;
    row.entry = trial.IndexOf(d.name);
    row.newEntry = row.entry < 0;
    if (!row.newEntry) {
        row.shipsBefore = trial.Classes[size_t(row.entry)].Count;
        return true;
    }
    if (trial.LastIndex + 1 >= Fleet::Capacity) {
        row.end = CounterEnd::NoRoom;
        return false;
    }
    FleetEdit edit = FleetEdit::Ignored;
    row.entry = trial.AddShips(1, d.AS, d.Armor, d.Stability, d.name, d.FE, d.SI, d.C, &edit);
    // A fleet whose totals cannot take even one more ship cannot win with more.
    if (edit != FleetEdit::Done || row.entry < 0) {
        row.end = CounterEnd::Unreachable;
        return false;
    }
    return true;
}

int rank(CounterEnd end)
{
    switch (end) {
    case CounterEnd::Found: return 0;
    case CounterEnd::AlreadyEnough: return 1;
    case CounterEnd::NoRoom: return 2;
    case CounterEnd::Unreachable: return 3;
    }
    return 3;
}

QString durationOf(const BattleOutcome &outcome)
{
    const float minutes = toFloat(static_cast<ext>(outcome.battleTime) * 60);
    return DurationTextFits(minutes) ? DurationText(minutes) : QStringLiteral("\u2013");
}

} // namespace

CounterDesign CounterDesign::Of(const ShipDesign &design)
{
    return CounterDesign{design.GetName(), design.GetAS(), design.GetArmor(), design.GetStability(),
                         design.GetFE(),   design.GetSI(), design.GetC()};
}

int64_t CounterRow::homeShipsLost() const
{
    int64_t lost = 0;
    for (int64_t n : outcome.home.lost)
        lost += n;
    return lost;
}

CounterRow FindCounter(const Fleet &home, const Fleet &foreign, const CounterDesign &design,
                       const MinCountControl &control, bool *cancelled)
{
    CounterRow row;
    row.design = design;
    Fleet trial = home;
    if (!placeDesign(trial, row))
        return row;
    const MinCountResult found = FindMinCount(trial, foreign, row.entry, control);
    if (cancelled)
        *cancelled = found.end == MinCountEnd::Cancelled;
    if (found.end != MinCountEnd::Found)
        return row;
    row.minCount = found.count;
    if (found.count <= row.shipsBefore) {
        row.end = CounterEnd::AlreadyEnough;
        return row;
    }
    row.end = CounterEnd::Found;
    row.added = found.count - row.shipsBefore;
    row.outcome = found.outcome;
    const Fleet::ShipClass &entry = trial.Classes[size_t(row.entry)];
    row.solar = costOf(row.added, entry.Cost);
    row.fe = costOf(row.added, entry.FE);
    row.si = costOf(row.added, entry.SI);
    row.c = costOf(row.added, entry.C);
    return row;
}

CounterSearch FindBestCounters(const Fleet &home, const Fleet &foreign, const std::vector<CounterDesign> &designs,
                               const CounterControl &control)
{
    CounterSearch search;
    const int count = int(designs.size());
    for (int i = 0; i < count; ++i) {
        if (control.progress)
            control.progress(CounterProgress{i, count, MinCountProgress{}});
        if (control.cancel && control.cancel->load(std::memory_order_relaxed)) {
            search.cancelled = true;
            break;
        }
        MinCountControl one;
        one.cancel = control.cancel;
        if (control.progress)
            one.progress = [&control, i, count](const MinCountProgress &p) { control.progress({i, count, p}); };
        bool cancelled = false;
        CounterRow row = FindCounter(home, foreign, designs[size_t(i)], one, &cancelled);
        if (cancelled) {
            search.cancelled = true;
            break;
        }
        search.rows.push_back(std::move(row));
    }
    SortCounterRows(search.rows);
    return search;
}

void SortCounterRows(std::vector<CounterRow> &rows)
{
    std::stable_sort(rows.begin(), rows.end(), [](const CounterRow &a, const CounterRow &b) {
        if (rank(a.end) != rank(b.end))
            return rank(a.end) < rank(b.end);
        if (a.end != CounterEnd::Found)
            return false;
        return a.solar != b.solar ? a.solar < b.solar : a.added < b.added;
    });
}

FleetEdit AddCounterShips(Fleet &home, const CounterRow &row)
{
    if (row.end != CounterEnd::Found)
        return FleetEdit::Ignored;
    const CounterDesign &d = row.design;
    FleetEdit edit = FleetEdit::Ignored;
    home.AddShips(row.added, d.AS, d.Armor, d.Stability, d.name, d.FE, d.SI, d.C, &edit);
    return edit;
}

QStringList CounterHeaders()
{
    return {QStringLiteral("Design"), QStringLiteral("Anzahl"), QStringLiteral("Solar"),
            QStringLiteral("Eisen"), QStringLiteral("Silizium"), QStringLiteral("Kohlenstoff"),
            QStringLiteral("Kampfdauer"), QStringLiteral("Verluste Heimat"), QStringLiteral("Hinweis")};
}

QStringList CounterTexts(const CounterRow &row)
{
    const QString none = QStringLiteral("\u2013");
    QStringList texts{row.design.name};
    switch (row.end) {
    case CounterEnd::Found:
        texts << QString::number(row.added) << QString::number(row.solar) << QString::number(row.fe)
              << QString::number(row.si) << QString::number(row.c) << durationOf(row.outcome)
              << QString::number(row.homeShipsLost())
              << (row.newEntry ? QString()
                               : QStringLiteral("zu %1 vorhandenen Schiffen").arg(row.shipsBefore));
        return texts;
    case CounterEnd::AlreadyEnough:
        texts << none << none << none << none << none << none << none
              << QStringLiteral("Mindestanzahl %1, schon %2 in der Heimatflotte").arg(row.minCount).arg(row.shipsBefore);
        return texts;
    case CounterEnd::NoRoom:
        texts << none << none << none << none << none << none << none
              << QStringLiteral("übersprungen: die Heimatflotte hat schon %1 Typen").arg(Fleet::Capacity);
        return texts;
    case CounterEnd::Unreachable:
        texts << QStringLiteral("nicht erreichbar") << none << none << none << none << none << none << QString();
        return texts;
    }
    return texts;
}

} // namespace qf
