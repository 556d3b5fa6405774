// The comparison table's rows: the Designer page's texts, the ratios per 1000
// Solar, how cells sort and stand against a reference, and the table as text.
#include "battle/Fleet.h"
#include "compare/CompareTableModel.h"
#include "compare/TableText.h"
#include "library/DesignCollection.h"
#include "model/DesignerFigures.h"
#include "model/Production.h"

#include <gtest/gtest.h>

using namespace qf;

namespace {

QString textAt(const CompareRow &row, bool flightTime, CompareColumnId id)
{
    const std::vector<CompareColumn> &columns = CompareColumns(flightTime);
    for (size_t c = 0; c < columns.size(); ++c) {
        if (columns[c].id == id)
            return row[c].text;
    }
    return QStringLiteral("no such column");
}

CompareSettings settings(const QLocale &locale, bool flightTime = true)
{
    CompareSettings s;
    s.distanceText = QStringLiteral("3000");
    s.shipFactory = 4;
    s.warFactory = 2;
    s.flightTime = flightTime;
    s.locale = locale;
    return s;
}

} // namespace

// Every figure is the page's text for the same design and settings; the ratios
// of a new design (stability 109, storage 327, 1166 Solar) are pinned.
TEST(Compare, RowShowsThePageTextsAndTheRatios)
{
    ShipDesign d;
    d.SetLaser(3);
    d.SetKolo(true);
    const CompareRow row = CompareRowOf(d, settings(QLocale::c()));
    const DesignerFigures f = ComputeDesignerFigures(d, "3000", QLocale::c());
    const ProductionFigures p = ComputeProduction(d, 4, 2, d.GetFE(), d.GetSI(), d.GetC());
    using Id = CompareColumnId;
    EXPECT_EQ(textAt(row, true, Id::Travel), f.fullFlightTime);
    EXPECT_EQ(textAt(row, true, Id::Attack), f.as);
    EXPECT_EQ(textAt(row, true, Id::O2), f.o2);
    EXPECT_EQ(textAt(row, true, Id::ProductionTime), p.productionTime);
    EXPECT_EQ(textAt(row, true, Id::CMine), p.cMine);
    EXPECT_EQ(textAt(row, true, Id::Actions), QStringLiteral("Bemannt, Kolonisation"));
    EXPECT_EQ(textAt(row, true, Id::Solar), QString::number(SolarCost(d.GetFE(), d.GetSI(), d.GetC())));
    EXPECT_EQ(textAt(CompareRowOf(d, settings(QLocale::c(), false)), false, Id::Travel), f.acceleration);

    const ShipDesign fresh;
    EXPECT_EQ(textAt(CompareRowOf(fresh, settings(QLocale::c())), true, Id::StabilityPerSolar), "93.48");
    const CompareRow german = CompareRowOf(fresh, settings(QLocale(QLocale::German)));
    EXPECT_EQ(textAt(german, true, Id::StoragePerSolar), "280,45");
    EXPECT_EQ(textAt(german, true, Id::AttackPerSolar), "0,00");
}

TEST(Compare, CellsSortByValueAndStandByDirection)
{
    const QLocale c = QLocale::c();
    const auto cell = [&](CellKind kind, const char *text) {
        return CompareCell{QString::fromUtf8(text), CellKey(kind, QString::fromUtf8(text), c)};
    };
    const auto column = [](CompareColumnId id) {
        for (const CompareColumn &col : CompareColumns(true))
            if (col.id == id)
                return col;
        return CompareColumns(true).front();
    };
    using Id = CompareColumnId;
    EXPECT_TRUE(CellBefore(column(Id::Travel), cell(CellKind::Time, "99:59:59"), cell(CellKind::Time, "100:00:00")));
    EXPECT_TRUE(CellBefore(column(Id::Stability), cell(CellKind::Number, "9"), cell(CellKind::Number, "10")));
    EXPECT_TRUE(CellBefore(column(Id::StabilityPerSolar), cell(CellKind::Decimal, "9.50"), cell(CellKind::Decimal, "10.25")));
    EXPECT_TRUE(CellBefore(column(Id::Travel), cell(CellKind::Time, "00:00:01"), cell(CellKind::Time, "\u2013")));
    EXPECT_TRUE(CellBefore(column(Id::Name), cell(CellKind::Text, "alpha"), cell(CellKind::Text, "Beta")));

    const CompareCell low = cell(CellKind::Number, "5"), high = cell(CellKind::Number, "7");
    EXPECT_EQ(StandingOf(column(Id::Attack), high, low), Standing::Better);
    EXPECT_EQ(StandingOf(column(Id::Attack), low, high), Standing::Worse);
    EXPECT_EQ(StandingOf(column(Id::Solar), high, low), Standing::Worse);
    EXPECT_EQ(StandingOf(column(Id::FEMine), high, low), Standing::Worse);
    EXPECT_EQ(StandingOf(column(Id::Level), high, low), Standing::Neutral);
    EXPECT_EQ(StandingOf(column(Id::Attack), low, low), Standing::Neutral);
    EXPECT_EQ(StandingOf(column(Id::Travel), cell(CellKind::Time, "01:00:00"), cell(CellKind::Time, "02:00:00")),
              Standing::Better);
}

TEST(Compare, TableTextQuotesWhatWouldBreakAField)
{
    const QString text = SeparatedTable({"Name", "Wert"}, {{"A;B", "1,5"}, {"Sag \"Hallo\"", "2"}}, u';');
    EXPECT_EQ(text, "Name;Wert\n\"A;B\";1,5\n\"Sag \"\"Hallo\"\"\";2\n");
    EXPECT_EQ(AlignedTable({"Name", "Zahl"}, {{"Langer Name", "7"}, {"B", "1234"}}, {false, true}),
              QStringList({"Name         Zahl", "Langer Name     7", "B            1234"}));
}
