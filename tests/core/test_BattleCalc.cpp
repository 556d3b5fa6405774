// The battle calculator's time texts, duration and estimates.
#include "calc/BattleCalc.h"

#include <gtest/gtest.h>
#include <QRegularExpression>
#include <cmath>

using namespace qf;

namespace {
BattleCalcResults battle(const char *begin, const char *end, const char *stability,
                         const char *armor)
{
    BattleCalcInputs in;
    in.begin = QString::fromUtf8(begin);
    in.end = QString::fromUtf8(end);
    in.stabilityDestroyed = QString::fromUtf8(stability);
    in.armorDestroyed = QString::fromUtf8(armor);
    return ComputeBattleCalc(in);
}

ext sixtieth() { return static_cast<ext>(1.0 / 60.0); }
} // namespace

TEST(BattleCalcTimeText, ReadFromTheRight)
{
    EXPECT_EQ(TimeTextMinutes("12:30:00"), 750);
    EXPECT_EQ(TimeTextMinutes("1:30"), 30 * sixtieth() + 1);
    EXPECT_EQ(TimeTextMinutes("90"), 90 * sixtieth());
    EXPECT_NEAR(TimeTextMinutes("1:30"), 1.5, 1e-15);
    EXPECT_NEAR(TimeTextMinutes("90"), 1.5, 1e-15);
    EXPECT_EQ(TimeTextMinutes("0"), 0);
    EXPECT_EQ(TimeTextMinutes("2:03:04"), 2 * 60 + 3 + 4 * sixtieth());
}

TEST(BattleCalcTimeText, SixSeparators)
{
    for (const char *text : {"1:2:3", "1_2_3", "1 2 3", "1.2.3", "1,2,3", "1;2;3", "1:2.3", "1;2_3"})
        EXPECT_EQ(TimeTextMinutes(QString::fromLatin1(text)), 60 + 2 + 3 * sixtieth()) << text;
}

TEST(BattleCalcTimeText, UnreadablePartsDropToTheLeft)
{
    // An unreadable minutes part drops the hours as well.
    EXPECT_EQ(TimeTextMinutes("12:xx:00"), 0);
    EXPECT_EQ(TimeTextMinutes("12::30"), 30 * sixtieth());
    // An unreadable hours part only drops the hours.
    EXPECT_EQ(TimeTextMinutes("xx:30:00"), 30);
    EXPECT_EQ(TimeTextMinutes(":30:00"), 30);
    // A fourth number makes the hours unreadable.
    EXPECT_EQ(TimeTextMinutes("1:2:3:4"), 3 + 4 * sixtieth());
    // Two numbers with unreadable minutes.
    EXPECT_EQ(TimeTextMinutes("x:30"), 30 * sixtieth());
}

TEST(BattleCalcTimeText, UnreadableSecondsMakeTheTextUnreadable)
{
    EXPECT_EQ(TimeTextMinutes("12:30:"), -1);
    EXPECT_EQ(TimeTextMinutes(""), -1);
    EXPECT_EQ(TimeTextMinutes("abc"), -1);
    EXPECT_EQ(TimeTextMinutes("12:30:0x"), -1);
    EXPECT_EQ(TimeTextMinutes("1.5"), 1 + 5 * sixtieth()); // the full stop separates
}

TEST(BattleCalcTimeText, SignsAreWholeNumbers)
{
    // A negative value, not an unreadable text.
    EXPECT_EQ(TimeTextMinutes("-60"), -60 * sixtieth());
    EXPECT_EQ(TimeTextMinutes("+60"), 60 * sixtieth());
    EXPECT_EQ(TimeTextMinutes("0:-5:00"), -5);
}

TEST(BattleCalcDuration, SameDayAndMidnight)
{
    EXPECT_EQ(BattleDuration("12:00:00", "12:30:00"), 30);
    EXPECT_EQ(BattleDuration("23:50:00", "00:10:00"), 20);
    EXPECT_EQ(BattleDuration("12:30:00", "12:00:00"), 1410);
}

TEST(BattleCalcDuration, EqualTimesGiveTheFloat0_0166)
{
    EXPECT_EQ(BattleDuration("00:00:00", "00:00:00"), static_cast<ext>(0.0166f));
    EXPECT_EQ(BattleDuration("12:00:00", "12:00:00"), static_cast<ext>(0.0166f));
    // 24:00:00 wraps to 00:00:00.
    EXPECT_EQ(BattleDuration("24:00:00", "00:00:00"), static_cast<ext>(0.0166f));
}

TEST(BattleCalcDuration, TheDayWraps)
{
    EXPECT_EQ(BattleDuration("25:00:00", "01:30:00"), 30);
    EXPECT_EQ(BattleDuration("01:00:00", "49:30:00"), 30);
}

TEST(BattleCalcDuration, UnreadableOrNegativeGivesMinusOne)
{
    EXPECT_EQ(BattleDuration("12:30:", "12:00:00"), -1);
    EXPECT_EQ(BattleDuration("12:00:00", "x"), -1);
    EXPECT_EQ(BattleDuration("-1", "12:00:00"), -1);
    EXPECT_EQ(BattleDuration("12:00:00", "-1:00:00"), -1);
    // Hours "-0" are 0: five minutes, not negative.
    EXPECT_EQ(BattleDuration("-0:5:00", "12:00:00"), 715);
    EXPECT_EQ(BattleDuration("0:-5:00", "12:00:00"), -1);
}

TEST(BattleCalcEstimates, ThirtyMinutes)
{
    const BattleCalcResults r = battle("12:00:00", "12:30:00", "109", "0");
    EXPECT_EQ(r.battleDuration, QStringLiteral("00:30:00"));
    EXPECT_TRUE(r.estimated);
    EXPECT_EQ(r.oldEstimate, QStringLiteral("218"));
    EXPECT_EQ(r.newEstimate, QStringLiteral("290"));
    EXPECT_EQ(r.enemyAS, QStringLiteral("290"));
    EXPECT_EQ(r.debugLines(),
              QStringList({QStringLiteral(" Alte AS-Formel:218"), QStringLiteral(" Neue AS-Formel:290")}));

    const BattleCalcResults armor = battle("12:00:00", "12:30:00", "109", "50");
    EXPECT_EQ(armor.oldEstimate, QStringLiteral("318"));
    EXPECT_EQ(armor.enemyAS, QStringLiteral("357"));
}

TEST(BattleCalcEstimates, FactorStaysBelowFourThirds)
{
    const BattleCalcResults r = battle("12:00:00", "12:30:00", "150", "0");
    EXPECT_EQ(r.enemyAS, QStringLiteral("399"));
    EXPECT_EQ(r.oldEstimate, QStringLiteral("300"));
    EXPECT_EQ(std::trunc(NewASEstimate(150, 0, 30)), 399);
}

TEST(BattleCalcEstimates, InitialTexts)
{
    const BattleCalcResults r = ComputeBattleCalc(BattleCalcInputs());
    EXPECT_EQ(r.battleDuration, QStringLiteral("00:00:00"));
    EXPECT_EQ(r.oldEstimate, QStringLiteral("393975"));
    EXPECT_EQ(r.enemyAS, QStringLiteral("525301"));
}

TEST(BattleCalcEstimates, MidnightAndTwentyMinutes)
{
    const BattleCalcResults r = battle("23:50:00", "00:10:00", "109", "0");
    EXPECT_EQ(r.battleDuration, QStringLiteral("00:20:00"));
    EXPECT_EQ(r.oldEstimate, QStringLiteral("327"));
}

TEST(BattleCalcEstimates, UnreadableNumbersCountAsZero)
{
    const BattleCalcResults r = battle("12:00:00", "12:30:00", "abc", "");
    EXPECT_EQ(r.oldEstimate, QStringLiteral("0"));
    EXPECT_EQ(r.enemyAS, QStringLiteral("0"));
}

TEST(BattleCalcEstimates, FailureTexts)
{
    for (auto times : {std::pair{"12:30:", "12:00:00"}, std::pair{"1", "-5"}}) {
        const BattleCalcResults r = battle(times.first, times.second, "109", "0");
        EXPECT_EQ(r.battleDuration, QStringLiteral("unvollständing"));
        EXPECT_EQ(r.enemyAS, QStringLiteral("unvollständig"));
        EXPECT_FALSE(r.estimated);
        EXPECT_TRUE(r.debugLines().isEmpty());
    }
}

TEST(BattleCalcEstimates, ProductsDoNotOverflow)
{
    // (s + a) * 60 and s * 60 pass the 32-bit range here; 64 bits hold them.
    const BattleCalcResults r = battle("12:00:00", "12:30:00", "40000000", "0");
    EXPECT_EQ(r.oldEstimate, QStringLiteral("80000000"));
    EXPECT_EQ(r.enemyAS, QStringLiteral("106666666"));
    const BattleCalcResults max = battle("0", "0", "2147483647", "2147483647");
    const ext expectedOld = static_cast<ext>(int64_t(4294967294) * 60) / static_cast<ext>(0.0166f);
    EXPECT_EQ(max.oldEstimate, QString::number(int64_t(std::trunc(expectedOld))));
    const BattleCalcResults negative = battle("0", "0", "-2147483648", "-2147483648");
    EXPECT_TRUE(negative.oldEstimate.startsWith(u'-'));
    EXPECT_TRUE(negative.enemyAS.startsWith(u'-'));
}

TEST(BattleCalcEstimates, AnyTextsGiveSoundResults)
{
    const QRegularExpression sound(QStringLiteral("^(-?\\d+|\\d\\d:\\d\\d:\\d\\d|unvollst\\x{e4}ndig|unvollst\\x{e4}nding)$"));
    const char *const times[] = {"", "0", "-1", "12:30:00", "99:99:99", "2147483647", "-2147483648",
                                 "2147483647:2147483647:2147483647", "::", ":_ .,;", "1:2:3:4", "abc",
                                 "23:59:59", "-0:-0:-0", "1e308"};
    const char *const numbers[] = {"", "0", "109", "-5", "2147483647", "-2147483648", "x"};
    for (const char *b : times)
        for (const char *e : times)
            for (const char *s : numbers)
                for (const char *a : numbers) {
                    BattleCalcResults r;
                    ASSERT_NO_THROW(r = battle(b, e, s, a));
                    QStringList texts{r.battleDuration, r.enemyAS};
                    if (r.estimated)
                        texts << r.oldEstimate << r.newEstimate;
                    for (const QString &text : texts) {
                        ASSERT_TRUE(sound.match(text).hasMatch())
                            << text.toStdString() << " for " << b << " " << e << " " << s << " " << a;
                    }
                }
}
