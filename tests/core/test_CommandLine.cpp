// The desktop program's command line and the choice of its settings file.
#include "settings/CommandLine.h"

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

TEST(CommandLine, SettingsFileFromCfgElseAnExistingKrmIniElseTheUserFolder)
{
    const QString user = QStringLiteral("/home/p/.config/q/KRM.ini");
    QStringList asked;
    QStringList existing;
    const auto exists = [&](const QString &path) {
        asked << path;
        return existing.contains(path);
    };
    const auto choose = [&](const QStringList &args, const QString &userFile = QString()) {
        asked.clear();
        return ChooseConfigFile(parse(args), exists, userFile);
    };

    // -cfg wins without looking at the disk, and is read even when missing.
    ConfigFileChoice c = choose({"-cfg", "mine.ini"}, user);
    EXPECT_EQ(c.path, QStringLiteral("mine.ini"));
    EXPECT_TRUE(c.read);
    EXPECT_TRUE(asked.isEmpty());

    // Nothing exists: the user's folder, not read but written at exit.
    c = choose({}, user);
    EXPECT_EQ(c.path, user);
    EXPECT_FALSE(c.read);
    EXPECT_TRUE(choose({}).path.isEmpty()); // no configuration folder at all

    existing = {user};
    c = choose({}, user);
    EXPECT_EQ(c.path, user);
    EXPECT_TRUE(c.read);

    // A KRM.ini in the working directory comes before the user's folder.
    existing = {QStringLiteral("KRM.ini"), user};
    c = choose({}, user);
    EXPECT_EQ(c.path, QStringLiteral("KRM.ini"));
    EXPECT_TRUE(c.read);
    // "-cfg" as the last argument counts as not given.
    EXPECT_EQ(choose({"-cfg"}, user).path, QStringLiteral("KRM.ini"));
}
