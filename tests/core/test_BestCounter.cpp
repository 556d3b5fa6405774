// The cheapest counter: each design's count is the minimum-count search's
// answer for its entry, its cost that of the ships added, and the rows come
// cheapest first, with the designs that cannot be used after them. (A search
// that is cancelled is followed through the battle page.)
#include "battle/planning/BestCounter.h"

#include "support/BattleExamples.h"
#include "support/MinCountFleets.h"

#include <gtest/gtest.h>
#include <random>

using namespace qf;
using qf::test::MakeFleet;

namespace {

CounterDesign design(const char *name, int as, int armor, int stability, int fe, int si = 0, int c = 0)
{
    return CounterDesign{QString::fromUtf8(name), as, armor, stability, fe, si, c};
}

} // namespace

TEST(BestCounter, EachRowIsTheMinimumCountOfItsEntry)
{
    std::mt19937 rng(22026);
    int found = 0;
    for (int n = 0; n < 6; ++n) {
        const Fleet home = n % 2 ? Fleet() : qf::test::GameLikeFleet(rng, 3000);
        const Fleet foreign = qf::test::GameLikeFleet(rng, 3000);
        std::vector<CounterDesign> designs{design("Jäger", 300, 20, 500, 400, 100, 50),
                                           design("Kreuzer", 900, 200, 1800, 1500, 600, 300),
                                           design("Frachter", 0, 0, 300, 200)};
        if (!home.isEmpty()) // onto the entry of that name, with its values
            designs.push_back(design("typ 0", 1, 1, 1, 1));
        const CounterSearch search = FindBestCounters(home, foreign, designs);
        ASSERT_FALSE(search.cancelled);
        ASSERT_EQ(search.rows.size(), designs.size());
        for (const CounterRow &row : search.rows) {
            if (row.end != CounterEnd::Found)
                continue;
            ++found;
            Fleet after = home;
            ASSERT_EQ(AddCounterShips(after, row), FleetEdit::Done);
            const Fleet::ShipClass &entry = after.Classes[size_t(row.entry)];
            EXPECT_EQ(entry.Name.compare(row.design.name, Qt::CaseInsensitive), 0);
            EXPECT_EQ(entry.Count, row.shipsBefore + row.added);
            const MinCountResult again = FindMinCount(after, foreign, row.entry);
            EXPECT_EQ(again.count, entry.Count) << qPrintable(row.design.name);
            EXPECT_EQ(row.solar, int64_t(row.added) * entry.Cost);
            EXPECT_EQ(row.si, int64_t(row.added) * entry.SI);
            EXPECT_EQ(FightBattle(after, foreign).rounds, row.outcome.rounds);
        }
        for (size_t i = 1; i < search.rows.size(); ++i) {
            const CounterRow &a = search.rows[i - 1], &b = search.rows[i];
            if (a.end == CounterEnd::Found && b.end == CounterEnd::Found) {
                EXPECT_TRUE(a.solar < b.solar || (a.solar == b.solar && a.added <= b.added));
            }
            EXPECT_FALSE(a.end != CounterEnd::Found && b.end == CounterEnd::Found);
        }
    }
    EXPECT_GE(found, 12);
}

TEST(BestCounter, DesignsThatCannotBeUsedAreToldWhy)
{
    Fleet ten;
    for (int i = 0; i < Fleet::Capacity; ++i)
        ten.AddShips(1, 1, 0, 10, QStringLiteral("T%1").arg(i), 1, 0, 0);
    const Fleet foreign = MakeFleet({{5, 0, 0, 10}});
    EXPECT_EQ(FindCounter(ten, foreign, design("Neu", 50, 0, 10, 1)).end, CounterEnd::NoRoom);
    EXPECT_EQ(FindCounter(ten, foreign, design("t3", 50, 0, 10, 1)).end, CounterEnd::AlreadyEnough);
    const Fleet armoured = MakeFleet({{1, 0, 1000, 10}});
    EXPECT_EQ(FindCounter(Fleet(), armoured, design("Ohne Angriff", 0, 0, 10, 1)).end, CounterEnd::Unreachable);

    std::vector<CounterRow> rows(4);
    for (CounterEnd end : {CounterEnd::Unreachable, CounterEnd::NoRoom, CounterEnd::AlreadyEnough, CounterEnd::Found})
        rows[size_t(3 - int(end))].end = end;
    SortCounterRows(rows);
    EXPECT_EQ(rows[0].end, CounterEnd::Found);
    EXPECT_EQ(rows[3].end, CounterEnd::Unreachable);
    EXPECT_EQ(CounterTexts(rows[3]).at(1), "nicht erreichbar");
    EXPECT_EQ(CounterTexts(rows[2]).last(), "übersprungen: die Heimatflotte hat schon 10 Typen");
}
