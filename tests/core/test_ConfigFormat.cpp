#include "settings/ConfigFormat.h"
#include "model/Int16Reader.h"

#include <gtest/gtest.h>

using namespace qf;

namespace {
using Kind = ConfigCommand::Kind;

std::vector<std::pair<Kind, int>> parse(const QByteArray &text)
{
    std::vector<std::pair<Kind, int>> out;
    for (const ConfigCommand &c : ParseConfig(text))
        out.emplace_back(c.kind, c.value);
    return out;
}
} // namespace

TEST(ConfigFormat, WritesTheTwelveLinesWithCrLf)
{
    const QByteArray expected =
        ";Version 30\r\n\r\n[Designer]\r\n;Flugzeit oder Beschleunigung anzeigen\r\n"
        "Beschleunigung\r\nDistanz -5\r\n\r\n[KRM]\r\n;0 = Designer\r\n;1 = Calculator\r\n"
        ";2 = BattleSim-Tab\r\nActivesTab 2\r\n";
    EXPECT_EQ(FormatConfig(false, -5, 2), expected);
    EXPECT_TRUE(FormatConfig(true, 2000, 0).contains("\r\nFlugzeit\r\nDistanz 2000\r\n"));
}

TEST(ConfigFormat, ReadsWhatItWrites)
{
    const auto commands = parse(FormatConfig(false, 3500, 1));
    const std::vector<std::pair<Kind, int>> expected = {
        {ConfigCommand::Acceleration, 0}, {ConfigCommand::Distance, 3500}, {ConfigCommand::ActivesTab, 1}};
    EXPECT_EQ(commands, expected);
}

TEST(ConfigFormat, KeysCountAnywhereInFileOrderAndCaseSensitive)
{
    const auto commands = parse("ActivesTab 2\n[Designer]\nDistanz 100\ndistanz 500\n  Distanz\n\n 700 trailing\nFlugzeit x y\n;Distanz 9\n");
    const std::vector<std::pair<Kind, int>> expected = {
        {ConfigCommand::ActivesTab, 2}, {ConfigCommand::Distance, 100},
        {ConfigCommand::Distance, 700}, {ConfigCommand::FlightTime, 0}};
    EXPECT_EQ(commands, expected);
}

TEST(ConfigFormat, CarriageReturnIsABlank)
{
    const auto commands = parse("Beschleunigung\r\nDistanz\r\n42\r\n");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[1].second, 42);
}

TEST(ConfigFormat, MissingOrUnreadableNumberEndsTheReading)
{
    EXPECT_EQ(parse("Flugzeit\nDistanz abc\nActivesTab 1\n").size(), 1u);
    EXPECT_EQ(parse("Beschleunigung\nDistanz").size(), 1u);
    EXPECT_EQ(parse("Distanz 12x\nActivesTab 1\n").size(), 0u);
}

TEST(ConfigFormat, SixteenBitNumberRule)
{
    auto commands = parse("Distanz 65535\nActivesTab 1\n");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].second, -1);
    // Outside -32768..65535: cut to 16 bits, applied, and the reading ends after its line.
    commands = parse("Distanz 70000 ActivesTab 3\nActivesTab 1\n");
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].second, 70000 - 65536);
    commands = parse("ActivesTab -32769\nFlugzeit\n");
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].second, 32767);
}

TEST(Int16Reader, RangesAndWrapping)
{
    EXPECT_EQ(ReadInt16("32767").value, 32767);
    EXPECT_EQ(ReadInt16("32768").value, -32768);
    EXPECT_TRUE(ReadInt16("65535").inRange);
    EXPECT_FALSE(ReadInt16("65536").inRange);
    EXPECT_EQ(ReadInt16("65536").value, 0);
    EXPECT_TRUE(ReadInt16("-32768").inRange);
    EXPECT_FALSE(ReadInt16("-32769").inRange);
    EXPECT_EQ(ReadInt16("+12").value, 12);
    EXPECT_FALSE(ReadInt16("").valid);
    EXPECT_FALSE(ReadInt16("-").valid);
    EXPECT_FALSE(ReadInt16("1a").valid);
    // Thousands of digits neither overflow nor hang.
    const Int16Reading huge = ReadInt16(QByteArray(5000, '9'));
    EXPECT_TRUE(huge.valid);
    EXPECT_FALSE(huge.inRange);
}
