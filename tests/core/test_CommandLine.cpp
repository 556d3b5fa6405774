// The desktop program's command line and the choice of its settings file.
#include "app/CommandLine.h"

#include <gtest/gtest.h>

using namespace qf;

namespace {
StartArguments parse(QStringList arguments)
{
    arguments.prepend(QStringLiteral("schiffsdesigner"));
    return ParseStartArguments(arguments);
}
} // namespace

TEST(CommandLine, KeysInAnyOrderAndOtherArgumentsIgnored)
{
    const StartArguments a = parse({"x", "-shp", "a.shp", "--foo", "-cfg", "b.ini"});
    EXPECT_EQ(a.configFile, QStringLiteral("b.ini"));
    EXPECT_TRUE(a.shipFileGiven);
    EXPECT_EQ(a.shipFile, QStringLiteral("a.shp"));

    const StartArguments none = parse({"a.shp", "b.ini"});
    EXPECT_TRUE(none.configFile.isEmpty());
    EXPECT_FALSE(none.shipFileGiven);
    EXPECT_TRUE(none.shipFile.isEmpty());
}

TEST(CommandLine, TheValueIsAlwaysTheNextArgument)
{
    const StartArguments a = parse({"-cfg", "-shp", "x"});
    EXPECT_EQ(a.configFile, QStringLiteral("-shp"));
    EXPECT_TRUE(a.shipFileGiven);
    EXPECT_EQ(a.shipFile, QStringLiteral("x"));
}

TEST(CommandLine, OnlyTheFirstOccurrenceCountsAndALastKeyIsAbsent)
{
    const StartArguments a = parse({"-cfg", "a.ini", "-cfg", "b.ini", "-shp"});
    EXPECT_EQ(a.configFile, QStringLiteral("a.ini"));
    EXPECT_TRUE(a.shipFileGiven); // "Shipfile-argument found." is still logged
    EXPECT_TRUE(a.shipFile.isEmpty());

    const StartArguments b = parse({"-CFG", "c.ini", "-cfg"});
    EXPECT_TRUE(b.configFile.isEmpty()); // compared exactly, and the last "-cfg" has no value

    // The program's own name is never a key.
    const StartArguments c = ParseStartArguments({QStringLiteral("-shp"), QStringLiteral("x")});
    EXPECT_FALSE(c.shipFileGiven);
}

TEST(CommandLine, SettingsFileFromCfgElseAnExistingKrmIni)
{
    QStringList asked;
    const auto exists = [&](bool answer) {
        return [&asked, answer](const QString &path) {
            asked << path;
            return answer;
        };
    };
    EXPECT_EQ(ChooseConfigFile(parse({"-cfg", "mine.ini"}), exists(true)), QStringLiteral("mine.ini"));
    EXPECT_TRUE(asked.isEmpty()); // -cfg wins without looking at the disk
    EXPECT_EQ(ChooseConfigFile(parse({}), exists(true)), QStringLiteral("KRM.ini"));
    EXPECT_EQ(asked, QStringList{QStringLiteral("KRM.ini")});
    EXPECT_TRUE(ChooseConfigFile(parse({}), exists(false)).isEmpty());
    // "-cfg" as the last argument counts as not given.
    EXPECT_EQ(ChooseConfigFile(parse({"-cfg"}), exists(true)), QStringLiteral("KRM.ini"));
}
