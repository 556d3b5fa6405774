// The design collection: its item model, the copy numbering and the name rules.
#include "library/DesignCollection.h"

#include <gtest/gtest.h>

using namespace qf;

namespace {
// Counts how often a signal was raised.
struct Count {
    int n = 0;
    template <typename Signal>
    Count(const DesignCollection &c, Signal signal)
    {
        QObject::connect(&c, signal, [this] { ++n; });
    }
    int count() const { return n; }
};

ShipDesign named(const QString &name)
{
    ShipDesign d;
    d.SetName(name);
    return d;
}
} // namespace

TEST(DesignCollection, SuffixedNamesTakeTheCopyCounter)
{
    DesignCollection c;
    EXPECT_EQ(c.SuffixedName("X"), QStringLiteral("X(0)"));
    EXPECT_EQ(c.SuffixedName("X(0)"), QStringLiteral("X(1)"));       // replaced, not incremented
    EXPECT_EQ(c.SuffixedName("A(B)"), QStringLiteral("A(B)(2)"));    // not a number
    EXPECT_EQ(c.SuffixedName("A(-1)"), QStringLiteral("A(-1)(3)"));  // -1 counts as no number
    EXPECT_EQ(c.SuffixedName("Z(7)x"), QStringLiteral("Z(7)x(4)"));  // the last character is left out
    EXPECT_EQ(c.SuffixedName("N(12)"), QStringLiteral("N(5)"));
    EXPECT_EQ(c.CopyCounter, 6);
}

TEST(DesignCollection, TheModelListsTheNamesAndSignalsEveryChange)
{
    DesignCollection c;
    Count inserted(c, &QAbstractItemModel::rowsInserted);
    Count removed(c, &QAbstractItemModel::rowsRemoved);
    Count renamed(c, &QAbstractItemModel::dataChanged);
    Count changed(c, &DesignCollection::designChanged);

    EXPECT_EQ(c.append(named("A")), 0);
    EXPECT_EQ(c.append(named("B")), 1);
    EXPECT_EQ(c.append(named("C")), 2);
    EXPECT_EQ(inserted.count(), 3);
    EXPECT_EQ(c.rowCount(), 3);
    EXPECT_EQ(c.data(c.index(1)).toString(), QStringLiteral("B"));

    c.rename(1, QStringLiteral("Bee"));
    EXPECT_EQ(c.data(c.index(1)).toString(), QStringLiteral("Bee"));
    EXPECT_EQ(renamed.count(), 1);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(c.at(1).IsChanged());

    // A change that leaves the name tells the pages, not the lists.
    c.update(1, [](ShipDesign &d) { d.SetLaser(4); });
    EXPECT_EQ(c.at(1).GetLaser(), 4);
    EXPECT_EQ(renamed.count(), 1);
    EXPECT_EQ(changed.count(), 2);
    c.rename(1, QString()); // an empty name is ignored by the design
    EXPECT_EQ(renamed.count(), 1);

    c.removeAt(0);
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(c.data(c.index(0)).toString(), QStringLiteral("Bee"));
    c.removeAt(5); // outside: nothing
    c.update(7, [](ShipDesign &d) { d.SetLaser(1); });
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(changed.count(), 3);
    EXPECT_EQ(c.size(), 2);
}

TEST(DesignCollection, ACopyHasTheLevelsAndActionsAndANumberedName)
{
    DesignCollection c;
    ShipDesign source = named("Jäger");
    source.SetThruster(3);
    source.SetFusi(0); // thruster alone
    source.SetArmorLevel(7);
    source.SetZVA(2);
    source.SetPlasma(5);
    source.SetRaid(true); // sets crewed too
    source.SetSpy(true);
    source.MarkSaved();
    c.append(source);

    const ShipDesign copy = c.CopyOf(0);
    EXPECT_EQ(copy.GetName(), QStringLiteral("Jäger(0)"));
    for (int i = 0; i < kComponentCount; ++i)
        EXPECT_EQ(copy.GetLevel(Component(i)), source.GetLevel(Component(i))) << i;
    for (int i = 0; i < kActionCount; ++i)
        EXPECT_EQ(copy.GetFlag(Action(i)), source.GetFlag(Action(i))) << i;
    EXPECT_EQ(copy.GetFE(), source.GetFE());
    EXPECT_EQ(copy.GetStability(), source.GetStability());
    EXPECT_TRUE(copy.IsChanged()); // a new name is an unsaved change
    EXPECT_EQ(c.CopyOf(0).GetName(), QStringLiteral("Jäger(1)"));
}

TEST(DesignCollection, AnOpenedNameThatIsTakenGetsASuffixPerOlderDesign)
{
    DesignCollection c;
    c.append(named("X"));
    c.append(named("Y"));
    c.append(named("X"));
    const int opened = c.append(named("X"));
    // Two older designs are called X: the suffix is applied twice, the second replacing the first.
    EXPECT_TRUE(c.SuffixOnCollision(opened, QStringLiteral("X")));
    EXPECT_EQ(c.at(opened).GetName(), QStringLiteral("X(1)"));
    EXPECT_EQ(c.CopyCounter, 2);
    const int other = c.append(named("Z"));
    EXPECT_FALSE(c.SuffixOnCollision(other, QStringLiteral("Z")));
    EXPECT_EQ(c.at(other).GetName(), QStringLiteral("Z"));
}
