#include "library/DesignFile.h"

#include "model/DesignerFigures.h"

#include <QFile>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace qf;

namespace {

QByteArray readData(const char *fileName)
{
    QFile file(QStringLiteral(QF_TEST_DATA "/") + QString::fromLatin1(fileName));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << fileName;
    return file.readAll();
}

// storage bays 2, armour 1, thruster 0, fusion drive 1, crewed and spy
ShipDesign exampleDesign()
{
    ShipDesign d;
    d.SetStorageBays(2);
    d.SetArmorLevel(1);
    d.SetCrewed(true);
    d.SetSpy(true);
    return d;
}

QByteArray fileOf(const ShipDesign &d, const QString &distance = QStringLiteral("2000"))
{
    return FormatDesignFile(ComputeDesignerFigures(d, distance, QLocale::c()));
}

struct Spinner {
    QString name;
    int value;
    bool operator==(const Spinner &o) const { return name == o.name && value == o.value; }
};

std::vector<Spinner> spinnersOf(const QByteArray &bytes)
{
    std::vector<Spinner> calls;
    ReadDesignFile(bytes, QStringLiteral("x"),
                   [&](Component c, int v) { calls.push_back({QString::fromLatin1(FieldOf(c).spinner), v}); });
    return calls;
}

void expectLevels(const ShipDesign &d, std::vector<int> expected)
{
    const std::vector<int> actual = {d.GetStorageBays(), d.GetArmorLevel(), d.GetThruster(), d.GetFusi(),
                                     d.GetZVA(),         d.GetMissles(),    d.GetLaser(),    d.GetPlasma()};
    EXPECT_EQ(actual, expected);
}

std::vector<bool> flagsOf(const ShipDesign &d)
{
    return {d.GetCrewed(), d.GetKolo(), d.GetInva(), d.GetRecy(), d.GetSpy(), d.GetCloak(), d.GetRaid(), d.GetSabo()};
}

} // namespace

// ---- writing --------------------------------------------------------------

TEST(DesignFileWrite, ExampleDesignGivesTheExactBytes)
{
    const QByteArray expected = readData("example.shp");
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(fileOf(exampleDesign()), expected);
}

TEST(DesignFileWrite, ActionsUseTheFileSpellingAndOrder)
{
    ShipDesign d;
    d.SetSabo(true);
    d.SetRaid(true);
    d.SetRecy(true);
    d.SetInva(true);
    d.SetKolo(true);
    d.SetCloak(true);
    d.SetSpy(true);
    const QByteArray bytes = fileOf(d);
    EXPECT_TRUE(bytes.contains("[Spezialeinheiten]\r\nBemannt\r\nSpionage\r\nTarnung\r\nKolonisation\r\n"
                               "Invasion\r\nRecycling\r\nPluendern\r\nSabotage\r\n\r\n[Schiffsstatistiken]\r\n"));
    EXPECT_FALSE(bytes.contains("Pl\xFC"));
    EXPECT_TRUE(bytes.contains("\r\nStabilit\xE4t "));
    EXPECT_TRUE(bytes.contains("\r\nAngriffsst\xE4rke "));
    EXPECT_TRUE(bytes.contains("\r\nTats\xE4" "chliche Flugzeit in % "));
    EXPECT_FALSE(bytes.contains("\xC3")); // no UTF-8
    EXPECT_EQ(bytes.count('\n'), 31 + 8);
}

TEST(DesignFileWrite, EveryLineEndsWithCrLf)
{
    ShipDesign d;
    const QByteArray bytes = fileOf(d);
    ASSERT_TRUE(bytes.endsWith("Sauerstoff 0\r\n"));
    EXPECT_TRUE(bytes.startsWith(";Version 30\r\n\r\n[Bauelemente]\r\n"));
    EXPECT_TRUE(bytes.contains("[Spezialeinheiten]\r\n\r\n[Schiffsstatistiken]")) << "no action, no line";
    EXPECT_EQ(bytes.count('\n'), 31);
    EXPECT_EQ(bytes.count('\r'), 31);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_EQ(bytes[i - 1], '\r') << i;
        }
        if (bytes[i] == '\r') {
            ASSERT_EQ(bytes[i + 1], '\n') << i;
        }
    }
}

TEST(DesignFileWrite, FieldsThatShowNoWholeNumberAreWrittenAsZero)
{
    DesignerFigures f = ComputeDesignerFigures(ShipDesign(), QStringLiteral("2000"), QLocale::c());
    f.level(Component::StorageBays) = QStringLiteral("abc");
    f.level(Component::ArmorLevel) = QString();
    f.level(Component::Thruster) = QStringLiteral(" 5");
    f.level(Component::Fusi) = QStringLiteral("1.5");
    f.level(Component::ZVA) = QStringLiteral("+7");
    f.level(Component::Missles) = QStringLiteral("-3");
    f.level(Component::Laser) = QStringLiteral("007");
    f.level(Component::Plasma) = QStringLiteral("99999999999");
    f.stability = QStringLiteral("12,5");
    f.distance = QStringLiteral("weit");
    f.flightTimePercent = QStringLiteral("82,81");
    f.fullFlightTime = QStringLiteral("nicht 00:00");
    const QByteArray bytes = FormatDesignFile(f);
    EXPECT_TRUE(bytes.contains("\r\nLager 0\r\nPanzer 0\r\nVerbrenner 0\r\nFusionsantrieb 0\r\nZVA 7\r\n"
                               "Raketenbatterie -3\r\nLaserkanonen 7\r\nPlasmawerfer 0\r\n"));
    EXPECT_TRUE(bytes.contains("\r\nStabilit\xE4t 0\r\n"));
    // The percentage and the flight time are copied as shown, the distance read as a number.
    EXPECT_TRUE(bytes.contains(" in % 82,81\r\nFlugzeit (0pa) nicht 00:00\r\n"));
}

// ---- names and content -------------------------------------------------------

TEST(DesignFileName, DirectoryAndLastExtensionAreDropped)
{
    EXPECT_EQ(DesignNameFromPath(QStringLiteral("/home/spieler/schiffe/lager3.shp")), QStringLiteral("lager3"));
    EXPECT_EQ(DesignNameFromPath(QStringLiteral("Jäger.v2.shp")), QStringLiteral("Jäger.v2"));
    EXPECT_EQ(DesignNameFromPath(QStringLiteral("/a.b/ohne")), QStringLiteral("ohne"));
    EXPECT_EQ(DesignNameFromPath(QStringLiteral("Neues Schiff.shp")), QStringLiteral("Neues Schiff"));
    EXPECT_EQ(DesignNameFromPath(QStringLiteral("/tmp/.shp")), QString());
}

TEST(DesignFileName, AnEmptyNameKeepsTheDefault)
{
    const ShipDesign d = ReadDesignFile("Lager 3\r\n", DesignNameFromPath(QStringLiteral("/tmp/.shp")));
    EXPECT_EQ(d.GetName(), QStringLiteral("Neues Schiff"));
    EXPECT_EQ(d.GetStorageBays(), 3);
}

TEST(DesignFileContent, SizeLimitAndNulByte)
{
    EXPECT_TRUE(IsDesignFileContent(QByteArray()));
    EXPECT_TRUE(IsDesignFileContent(readData("example.shp")));
    EXPECT_TRUE(IsDesignFileContent(QByteArray(1024 * 1024, ' ')));
    EXPECT_FALSE(IsDesignFileContent(QByteArray(1024 * 1024 + 1, ' ')));
    EXPECT_FALSE(IsDesignFileContent(QByteArray("Lager 3\r\n\0", 10)));
}

// ---- reading ----------------------------------------------------------------

TEST(DesignFileRead, OnlyTheStorageBayLine)
{
    const ShipDesign d = ReadDesignFile(readData("lager3.shp"), DesignNameFromPath(QStringLiteral("lager3.shp")));
    EXPECT_EQ(d.GetName(), QStringLiteral("lager3"));
    expectLevels(d, {3, 0, 0, 1, 0, 0, 0, 0});
    EXPECT_EQ(flagsOf(d), std::vector<bool>(8, false));
    EXPECT_FALSE(d.IsChanged());
}

TEST(DesignFileRead, ExampleFileLoadsItsLevelsAndActions)
{
    const ShipDesign d = ReadDesignFile(readData("example.shp"), QStringLiteral("example"));
    expectLevels(d, {2, 1, 0, 1, 0, 0, 0, 0});
    EXPECT_EQ(flagsOf(d), (std::vector<bool>{true, false, false, false, true, false, false, false}));
    EXPECT_EQ(d.GetStability(), 218);
    EXPECT_EQ(d.GetFE(), 512);
    EXPECT_FALSE(d.IsChanged());
}

TEST(DesignFileRead, OrderAndLayoutOfKeysDoNotMatter)
{
    const std::vector<int> expected = {4, 2, 3, 5, 1, 6, 7, 8};
    const QByteArray layouts[] = {
        "Lager 4\r\nPanzer 2\r\nVerbrenner 3\r\nFusionsantrieb 5\r\nZVA 1\r\nRaketenbatterie 6\r\n"
        "Laserkanonen 7\r\nPlasmawerfer 8\r\n",
        "Plasmawerfer 8\nLaserkanonen 7\nRaketenbatterie 6\nZVA 1\nFusionsantrieb 5\nVerbrenner 3\nPanzer 2\nLager 4",
        "Lager 4 Panzer 2 Verbrenner 3\tFusionsantrieb 5 ZVA 1 Raketenbatterie 6 Laserkanonen 7 Plasmawerfer 8\r\n",
        "Lager\r\n4\r\nPanzer\r\n\r\n  2 Verbrenner\n3\nFusionsantrieb +5\nZVA\t1\nRaketenbatterie 6\n"
        "Laserkanonen 7\nPlasmawerfer 8\n",
    };
    for (const QByteArray &bytes : layouts) {
        SCOPED_TRACE(bytes.toStdString());
        expectLevels(ReadDesignFile(bytes, QStringLiteral("x")), expected);
    }
}

TEST(DesignFileRead, KeysAreWholeTokensAndCaseSensitive)
{
    const QByteArray bytes = "Lager3\r\nlager 4\r\nLager: 5\r\nPANZER 2\r\nPanzerung 6\r\nLagerraum 700\r\n"
                             "bemannt\r\nSpionage: ja\r\nZVA 2\r\n";
    const ShipDesign d = ReadDesignFile(bytes, QStringLiteral("x"));
    expectLevels(d, {1, 0, 0, 1, 2, 0, 0, 0});
    EXPECT_FALSE(d.GetCrewed());
    EXPECT_FALSE(d.GetSpy());
}

TEST(DesignFileRead, AnActionKeySetsTheActionWhateverFollows)
{
    const ShipDesign d = ReadDesignFile("Bemannt 0\r\nTarnung nein Lager 9\r\nPluendern\r\n", QStringLiteral("x"));
    EXPECT_TRUE(d.GetCrewed());
    EXPECT_TRUE(d.GetCloak());
    EXPECT_TRUE(d.GetRaid());
    EXPECT_EQ(d.GetStorageBays(), 1) << "the rest of an action's line is skipped";
    // The spelling of the check box is not the file's key.
    EXPECT_FALSE(ReadDesignFile("Pl\xFCndern\r\n", QStringLiteral("x")).GetRaid());
}

TEST(DesignFileRead, CommentsSectionsAndUnknownLinesAreSkipped)
{
    const QByteArray bytes = ";Lager 5\r\n[Panzer 3]\r\n[Bauelemente] Lager 6\r\nSchiffsbasiselement 9 Lager 7\r\n"
                             "Eisen 1 Lager 8\r\n;\r\nVerbrenner 2\r\n";
    const ShipDesign d = ReadDesignFile(bytes, QStringLiteral("x"));
    expectLevels(d, {1, 0, 2, 1, 0, 0, 0, 0});
}

TEST(DesignFileRead, RefusedLevelsKeepTheDefaults)
{
    const ShipDesign d = ReadDesignFile("Lager 0\r\nPanzer -1\r\nZVA -2\r\nLaserkanonen 3\r\n", QStringLiteral("x"));
    expectLevels(d, {1, 0, 0, 1, 0, 0, 3, 0});
    EXPECT_FALSE(d.IsChanged());
}

TEST(DesignFileRead, SixteenBitNumbers)
{
    // 32768..65535 wrap to negative values, which the setters refuse; reading goes on.
    ShipDesign d = ReadDesignFile("Lager 40000\r\nPanzer 65535\r\nZVA 32767\r\nLaserkanonen -32768\r\nPlasmawerfer 2\r\n",
                                  QStringLiteral("x"));
    expectLevels(d, {1, 0, 0, 1, 32767, 0, 0, 2});
    // 70000 fits neither range: the reading ends there.
    d = ReadDesignFile("Panzer 2\r\nLager 70000\r\nVerbrenner 3\r\nBemannt\r\n", QStringLiteral("x"));
    expectLevels(d, {1, 2, 0, 1, 0, 0, 0, 0});
    EXPECT_FALSE(d.GetCrewed());
    EXPECT_FALSE(d.IsChanged());
    d = ReadDesignFile("Panzer -32769\r\nLager 3\r\n", QStringLiteral("x"));
    expectLevels(d, {1, 0, 0, 1, 0, 0, 0, 0});
    d = ReadDesignFile("Panzer 123456789012345678901234567890\r\nLager 3\r\n", QStringLiteral("x"));
    expectLevels(d, {1, 0, 0, 1, 0, 0, 0, 0});
}

TEST(DesignFileRead, TextThatIsNoNumberEndsTheReading)
{
    ShipDesign d = ReadDesignFile("Panzer 2\r\nLager viele\r\nVerbrenner 3\r\n", QStringLiteral("x"));
    expectLevels(d, {1, 2, 0, 1, 0, 0, 0, 0});
    d = ReadDesignFile("Panzer 2\r\nLager -\r\nVerbrenner 3\r\n", QStringLiteral("x"));
    expectLevels(d, {1, 2, 0, 1, 0, 0, 0, 0});
    d = ReadDesignFile("Panzer 2\r\nLager", QStringLiteral("x"));
    expectLevels(d, {1, 2, 0, 1, 0, 0, 0, 0});
    // The number stops at the first other character, which then starts the next token.
    d = ReadDesignFile("Lager 3abc Panzer 2\r\nZVA 4;Kommentar Panzer 5\r\nVerbrenner 2[x]\r\n", QStringLiteral("x"));
    expectLevels(d, {3, 0, 2, 1, 4, 0, 0, 0});
}

TEST(DesignFileRead, WrongStatisticsAreRecomputed)
{
    QByteArray bytes = readData("example.shp");
    bytes.replace("Schiffsbasiselement 1", "Schiffsbasiselement 77");
    bytes.replace("Stabilit\xE4t 218", "Stabilit\xE4t 9999");
    bytes.replace("Eisen 512", "Eisen 1");
    bytes.replace("Bewohner 5", "Bewohner 500");
    const ShipDesign d = ReadDesignFile(bytes, QStringLiteral("x"));
    EXPECT_EQ(d.GetSBE(), 1);
    EXPECT_EQ(d.GetStability(), 218);
    EXPECT_EQ(d.GetFE(), 512);
    EXPECT_EQ(d.GetCrew(), 5);
}

TEST(DesignFileRead, BothDrivesZeroInFileOrder)
{
    const ShipDesign d = ReadDesignFile("Verbrenner 0\r\nFusionsantrieb 0\r\n", QStringLiteral("x"));
    EXPECT_EQ(d.GetThruster(), 1);
    EXPECT_EQ(d.GetFusi(), 0);
}

TEST(DesignFileRead, SpinnersHearEveryNumberRead)
{
    const std::vector<Spinner> expected = {
        {QStringLiteral("d_StorageBaysUD"), 0}, {QStringLiteral("d_ArmorLevelUD"), 2},
        {QStringLiteral("d_ThrusterUD"), 3},    {QStringLiteral("d_FusiUD"), 4},
        {QStringLiteral("d_ZVAUD"), -25536},    {QStringLiteral("d_MisslesUD"), 6},
        {QStringLiteral("d_LaserUD"), 7},       {QStringLiteral("d_PlasmaUD"), 8},
    };
    EXPECT_EQ(spinnersOf("Lager 0\nPanzer 2\nVerbrenner 3\nFusionsantrieb 4\nZVA 40000\nRaketenbatterie 6\n"
                         "Laserkanonen 7\nPlasmawerfer 8\nBemannt\n"),
              expected);
    // The number that ends the reading reaches no spinner.
    EXPECT_EQ(spinnersOf("Panzer 2\nLager 70000\nZVA 1\n"),
              (std::vector<Spinner>{{QStringLiteral("d_ArmorLevelUD"), 2}}));
    // Reading without a listener works as well.
    EXPECT_EQ(ReadDesignFile("Panzer 2\n", QStringLiteral("x")).GetArmorLevel(), 2);
}

TEST(DesignFileRead, RoundTripKeepsLevelsAndActions)
{
    std::vector<ShipDesign> designs(4);
    designs[0] = exampleDesign();
    designs[1].SetStorageBays(150);
    designs[1].SetArmorLevel(12);
    designs[1].SetThruster(7);
    designs[1].SetFusi(0);
    designs[1].SetZVA(3);
    designs[1].SetMissles(9);
    designs[1].SetLaser(11);
    designs[1].SetPlasma(13);
    designs[1].SetKolo(true);
    designs[1].SetInva(true);
    designs[1].SetRecy(true);
    designs[1].SetSpy(true);
    designs[1].SetCloak(true);
    designs[1].SetRaid(true);
    designs[1].SetSabo(true);
    designs[2].SetSabo(true);
    designs[2].SetRecy(true);
    designs[2].SetThruster(32767);
    for (const ShipDesign &original : designs) {
        const ShipDesign read = ReadDesignFile(fileOf(original, QStringLiteral("1234")), QStringLiteral("Kopie"));
        expectLevels(read, {original.GetStorageBays(), original.GetArmorLevel(), original.GetThruster(),
                            original.GetFusi(), original.GetZVA(), original.GetMissles(), original.GetLaser(),
                            original.GetPlasma()});
        EXPECT_EQ(flagsOf(read), flagsOf(original));
        EXPECT_EQ(read.GetSBE(), original.GetSBE());
        EXPECT_EQ(read.GetName(), QStringLiteral("Kopie"));
        EXPECT_FALSE(read.IsChanged());
    }
}
