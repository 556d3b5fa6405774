// The special-action calculator's durations and chances.
#include "calc/SpecialActions.h"
#include "model/Formulas.h"

#include <gtest/gtest.h>
#include <QLocale>
#include <QRegularExpression>
#include <climits>
#include <limits>
#include <cmath>
#include <cstdlib>

using namespace qf;

namespace {
const QLocale kC = QLocale::c();

SpecialActionResults actions(const char *a, const char *d, const char *n, const char *k,
                             const QLocale &locale = QLocale::c())
{
    SpecialActionInputs in;
    in.attackerLevel = QString::fromLatin1(a);
    in.defenderLevel = QString::fromLatin1(d);
    in.numberOfShips = QString::fromLatin1(n);
    in.actionCount = QString::fromLatin1(k);
    return ComputeSpecialActions(in, locale);
}

// The game's recursion, written out ship by ship.
ext recursiveChance(int a, int d, int n)
{
    if (n < 1)
        return 0;
    float q = toFloat(0.5L / powInt(static_cast<ext>(1.11), std::abs(a - d)));
    if (d < a)
        q = toFloat(1.0L - static_cast<ext>(q));
    if (n == 1)
        return q;
    return static_cast<ext>(q) + recursiveChance(a - 1, d, n - 1) * (1 - static_cast<ext>(q));
}
} // namespace

// Every duration and chance of two level pairs, pinned.
TEST(SpecialActionsDuration, EqualLevelsAndAttackerOneLevelHigher)
{
    EXPECT_EQ(ActionDuration(30, 1, 0), 27.3f);
    struct Case {
        const char *attacker, *difference, *spy, *sabotage, *raid, *kolonisation, *invasion, *success, *uncloak;
    };
    for (const Case &c : {Case{"0", "0", "00:30:00", "02:00:00", "01:00:00", "37:00:00", "24:00:00", "50", "50"},
                          Case{"1", "1", "00:27:17", "01:49:11", "00:54:35", "33:40:11", "21:50:24", "54.95", "45.05"}}) {
        SCOPED_TRACE(c.attacker);
        const SpecialActionResults r = actions(c.attacker, "0", "1", "1");
        EXPECT_EQ(r.levelDifference, QString::fromLatin1(c.difference));
        EXPECT_EQ(r.spyTime, QString::fromLatin1(c.spy));
        EXPECT_EQ(r.sabotageTime, QString::fromLatin1(c.sabotage));
        EXPECT_EQ(r.raidTime, QString::fromLatin1(c.raid));
        EXPECT_EQ(r.kolonisationTime, QString::fromLatin1(c.kolonisation));
        EXPECT_EQ(r.invasionTime, QString::fromLatin1(c.invasion));
        EXPECT_EQ(r.successPercent, QString::fromLatin1(c.success));
        EXPECT_EQ(r.successPercent2, QString::fromLatin1(c.success));
        EXPECT_EQ(r.uncloakChance, QString::fromLatin1(c.uncloak));
    }
}

TEST(SpecialActionsDuration, DefenderOneLevelHigher)
{
    const SpecialActionResults r = actions("0", "1", "1", "1");
    EXPECT_EQ(r.levelDifference, QStringLiteral("-1"));
    EXPECT_EQ(r.spyTime, QStringLiteral("00:33:17"));
    EXPECT_EQ(r.successPercent, QStringLiteral("45.04"));
    EXPECT_EQ(r.uncloakChance, QStringLiteral("54.96"));
}

TEST(SpecialActionsDuration, SpinnerExtremesShowTheTrueHours)
{
    // About 10^10 minutes: the whole parts are held in 64 bits.
    const SpecialActionResults r = actions("-100", "100", "1", "1");
    EXPECT_EQ(r.levelDifference, QStringLiteral("-200"));
    EXPECT_EQ(r.kolonisationTime, QStringLiteral("15716664388:16:00"));
    EXPECT_EQ(r.successPercent, QStringLiteral("0"));
    const SpecialActionResults fast = actions("100", "-100", "1", "1");
    EXPECT_EQ(fast.successPercent, QStringLiteral("100"));
    EXPECT_EQ(fast.uncloakChance, QStringLiteral("0"));
}

TEST(SpecialActionsDuration, LevelsFarOutsideTheRangeShowIncomplete)
{
    const QString incomplete = QStringLiteral("unvollständig");
    // 1.11^2147483647 * 0.91^-2147483648: infinite.
    const SpecialActionResults r = actions("-2147483648", "2147483647", "3", "2");
    EXPECT_EQ(r.levelDifference, QStringLiteral("-4294967295"));
    EXPECT_EQ(r.spyTime, incomplete);
    EXPECT_EQ(r.invasionTime, incomplete);
    EXPECT_EQ(r.successPercent, QStringLiteral("0"));
    EXPECT_EQ(r.successPercent2, QStringLiteral("0"));
    // Finite but beyond 64 bits of whole minutes.
    const SpecialActionResults big = actions("-300", "300", "1", "1");
    EXPECT_FALSE(DurationTextFits(ActionDuration(2220, -300, 300)));
    EXPECT_EQ(big.kolonisationTime, incomplete);
    // Both powers vanish: 0 minutes.
    const SpecialActionResults zero = actions("2147483647", "-2147483648", "1", "1");
    EXPECT_EQ(zero.levelDifference, QStringLiteral("4294967295"));
    EXPECT_EQ(zero.spyTime, QStringLiteral("00:00:00"));
    EXPECT_EQ(zero.successPercent, QStringLiteral("100"));
}

TEST(SpecialActionsChance, SeveralShipsAndAttempts)
{
    EXPECT_EQ(actions("0", "0", "2", "1").successPercent2, QStringLiteral("72.52"));
    EXPECT_EQ(actions("0", "0", "1", "2").uncloakChance, QStringLiteral("75"));
    const SpecialActionResults r = actions("5", "3", "3", "4");
    EXPECT_EQ(r.successPercent, QStringLiteral("59.41"));
    EXPECT_EQ(r.successPercent2, QStringLiteral("90.86"));
    EXPECT_EQ(r.uncloakChance, QStringLiteral("87.54"));
}

TEST(SpecialActionsChance, NoShipsGiveZero)
{
    EXPECT_EQ(ActionChance(5, 3, 0), 0);
    EXPECT_EQ(ActionChance(5, 3, -7), 0);
    EXPECT_EQ(ActionChance(5, 3, INT_MIN), 0);
    EXPECT_EQ(actions("5", "3", "0", "1").successPercent2, QStringLiteral("0"));
    EXPECT_EQ(actions("5", "3", "viele", "1").successPercent2, QStringLiteral("0"));
}

TEST(SpecialActionsChance, IterationGivesTheRecursionsValues)
{
    for (int a = -100; a <= 100; a += 7) {
        for (int d = -100; d <= 100; d += 9) {
            for (int n = 1; n <= 100; ++n)
                ASSERT_EQ(ActionChance(a, d, n), recursiveChance(a, d, n))
                    << "A " << a << " D " << d << " n " << n;
        }
    }
    for (int a : {-100, -1, 0, 1, 2, 50, 99, 100}) {
        for (int d : {-100, -1, 0, 1, 2, 50, 99, 100}) {
            for (int n = 1; n <= 100; ++n)
                ASSERT_EQ(ActionChance(a, d, n), recursiveChance(a, d, n))
                    << "A " << a << " D " << d << " n " << n;
        }
    }
}

TEST(SpecialActionsChance, ManyShipsBeyondTheSpinner)
{
    // Deep recursions still agree (the reference recurses 3000 times).
    for (auto [a, d] : {std::pair{0, 0}, std::pair{100, -100}, std::pair{-100, 100},
                        std::pair{1500, 0}, std::pair{0, 1200}}) {
        for (int n : {150, 500, 1000, 1200, 2500, 3000})
            ASSERT_EQ(ActionChance(a, d, n), recursiveChance(a, d, n))
                << "A " << a << " D " << d << " n " << n;
        // Ships far behind the defender add exactly nothing.
        EXPECT_EQ(ActionChance(a, d, 10000000), recursiveChance(a, d, 3000));
        EXPECT_EQ(ActionChance(a, d, INT_MAX), recursiveChance(a, d, 3000));
    }
    EXPECT_EQ(actions("0", "0", "10000000", "1").successPercent2, QStringLiteral("99.73"));
    EXPECT_EQ(actions("2147483647", "-2147483648", "2147483647", "1").successPercent2,
              QStringLiteral("100"));
    EXPECT_EQ(actions("-2147483648", "2147483647", "2147483647", "1").successPercent2,
              QStringLiteral("0"));
}

TEST(SpecialActionsChance, UncloakAttempts)
{
    EXPECT_EQ(UncloakPercentText(0.5f, 0, kC), QStringLiteral("0"));
    EXPECT_EQ(UncloakPercentText(0.5f, 3, kC), QStringLiteral("87.5"));
    // Negative attempts: 0.5^-1 = 2, (10000 - 20000) * 0.01.
    EXPECT_EQ(UncloakPercentText(0.5f, -1, kC), QStringLiteral("-100"));
    // 0^-1 has no finite value; 0.5^-100000 no whole part in 64 bits.
    EXPECT_EQ(UncloakPercentText(0.0f, -1, kC), QStringLiteral("unvollständig"));
    EXPECT_EQ(UncloakPercentText(0.5f, -100000, kC), QStringLiteral("unvollständig"));
    EXPECT_EQ(actions("0", "2000", "1", "-1").uncloakChance, QStringLiteral("unvollständig"));
    EXPECT_EQ(actions("0", "0", "1", "2147483647").uncloakChance, QStringLiteral("100"));
    // 0.5^-43 * 10000 still has a 15-digit text; 0.5^-46 would need an exponent.
    EXPECT_EQ(UncloakPercentText(0.5f, -43, kC), QStringLiteral("-879609302220700"));
    EXPECT_EQ(UncloakPercentText(0.5f, -46, kC), QStringLiteral("unvollständig"));
    EXPECT_EQ(ShortNumberText(999999999999999.0L, kC), QStringLiteral("999999999999999"));
    EXPECT_EQ(ShortNumberText(-1e15L, kC), QStringLiteral("unvollständig"));
    EXPECT_EQ(ShortNumberText(std::numeric_limits<long double>::quiet_NaN(), kC),
              QStringLiteral("unvollständig"));
}

TEST(SpecialActionsPercent, ShortestForm)
{
    EXPECT_EQ(ChancePercentText(0.5L, kC), QStringLiteral("50"));
    EXPECT_EQ(ChancePercentText(0.54954954L, kC), QStringLiteral("54.95"));
    EXPECT_EQ(ChancePercentText(0.87549L, kC), QStringLiteral("87.54"));
    EXPECT_EQ(ChancePercentText(0.1L, kC), QStringLiteral("10"));
    EXPECT_EQ(ChancePercentText(0.00019L, kC), QStringLiteral("0.01"));
    EXPECT_EQ(ChancePercentText(0.9999999L, kC), QStringLiteral("99.99"));
    EXPECT_EQ(ChancePercentText(1.0L, kC), QStringLiteral("100"));
    EXPECT_EQ(ChancePercentText(0.0L, kC), QStringLiteral("0"));
    EXPECT_EQ(ChancePercentText(0.123L, kC), QStringLiteral("12.3"));
    EXPECT_EQ(ShortNumberText(1234567.5L, kC), QStringLiteral("1234567.5"));
}

TEST(SpecialActionsPercent, LocaleDecimalSeparator)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(ChancePercentText(0.54954954L, german), QStringLiteral("54,95"));
    EXPECT_EQ(ShortNumberText(1234567.5L, german), QStringLiteral("1234567,5"));
    const SpecialActionResults r = actions("1", "0", "1", "1", german);
    EXPECT_EQ(r.successPercent, QStringLiteral("54,95"));
    EXPECT_EQ(r.uncloakChance, QStringLiteral("45,05"));
    EXPECT_EQ(actions("0", "0", "1", "1", german).successPercent, QStringLiteral("50"));

    // The default locale is the one used when none is named.
    const QLocale before;
    QLocale::setDefault(german);
    EXPECT_EQ(ComputeSpecialActions(SpecialActionInputs{QStringLiteral("5"), QStringLiteral("3"),
                                                        QStringLiteral("3"), QStringLiteral("4")})
                  .uncloakChance,
              QStringLiteral("87,54"));
    QLocale::setDefault(before);
}

TEST(SpecialActionsCompute, AnyTextsGiveSoundResults)
{
    const QRegularExpression sound(QStringLiteral(
        "^(-?\\d+|-?\\d+\\.\\d+|0?-?\\d+:0?-?\\d+:0?-?\\d+|unvollst\\x{e4}ndig)$"));
    const char *const samples[] = {"", "0", "1", "-1", "5", "-46", "-100", "100", "101", "1000",
                                   "-1000", "2147483647", "-2147483648", "2147483648", "abc", "1.5"};
    for (const char *a : samples)
        for (const char *d : samples)
            for (const char *n : {"", "-1", "1", "3", "100", "10000000", "2147483647"})
                for (const char *k : {"", "-1", "-46", "-2147483648", "1", "4", "2147483647"}) {
                    SpecialActionResults r;
                    ASSERT_NO_THROW(r = actions(a, d, n, k)) << a << " " << d << " " << n << " " << k;
                    for (const QString &text : {r.levelDifference, r.spyTime, r.sabotageTime,
                                                r.successPercent, r.raidTime, r.kolonisationTime,
                                                r.invasionTime, r.successPercent2, r.uncloakChance})
                        ASSERT_TRUE(sound.match(text).hasMatch())
                            << text.toStdString() << " for " << a << " " << d << " " << n << " " << k;
                }
}
