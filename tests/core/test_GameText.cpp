#include "library/GameText.h"

#include "library/DesignFile.h"
#include "model/DesignerFigures.h"

#include <gtest/gtest.h>

#include <vector>

using namespace qf;

namespace {

std::vector<int> levelsOf(const ShipDesign &d)
{
    return {d.GetStorageBays(), d.GetArmorLevel(), d.GetThruster(), d.GetFusi(),
            d.GetZVA(),         d.GetMissles(),    d.GetLaser(),    d.GetPlasma()};
}

std::vector<bool> flagsOf(const ShipDesign &d)
{
    return {d.GetCrewed(), d.GetKolo(), d.GetInva(), d.GetRecy(), d.GetSpy(), d.GetCloak(), d.GetRaid(), d.GetSabo()};
}

const std::vector<int> kDefaultLevels = {1, 0, 0, 1, 0, 0, 0, 0};

} // namespace

// ---- import -----------------------------------------------------------------

TEST(GameTextImport, GuidanceLines)
{
    const QStringList lines = ImportGuidanceLines();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], QStringLiteral("Hier den Ausschnitt der Schiffstyp-Anzeige aus Astrakor"));
    EXPECT_EQ(lines[1], QStringLiteral("einfügen, der die Schiffsbauelemente und Spezialeinheiten auflistet."));
    EXPECT_EQ(lines[2], QStringLiteral("Schiffswerte und -name sollten nicht mit eingefügt werden, es fehlen"));
    EXPECT_EQ(lines[3], QStringLiteral("Filter gegen Fehleingaben!"));
    EXPECT_EQ(lines[4], QStringLiteral("Es geht niks kaputt, aber das Ergebnis könnte Müll werden."));
}

TEST(GameTextImport, EmptyTextOrGuidanceGivesTheDefaultDesign)
{
    const QString texts[] = {QString(), ImportGuidanceLines().join(u'\n'), ImportGuidanceLines().join("\r\n")};
    for (const QString &text : texts) {
        const ShipDesign d = ImportGameText(text);
        EXPECT_EQ(d.GetName(), QStringLiteral("Importiert"));
        EXPECT_EQ(levelsOf(d), kDefaultLevels);
        EXPECT_EQ(flagsOf(d), std::vector<bool>(8, false));
        EXPECT_TRUE(d.IsChanged()) << "an imported design is not saved";
    }
}

TEST(GameTextImport, PastedConstructionElements)
{
    const QString text = QStringLiteral(
        "Schiffsbauelemente\n"
        "Lager Stufe 4\n"
        "Panzerung Stufe 12\n"
        "Verbrennungsantrieb Stufe 3\n"
        "Fusionsantrieb Stufe 0\n"
        "Zeitverzerrungsantrieb Stufe 2\n"
        "Raketenbatterie Stufe 6\n"
        "Laserkanone Stufe 7\n"
        "Plasmawerfer Stufe 8\n"
        "Spezialeinheiten\n"
        "Spionagesonde\n"
        "Tarnvorrichtung\n"
        "Recycler\n");
    const ShipDesign d = ImportGameText(text);
    EXPECT_EQ(levelsOf(d), (std::vector<int>{4, 12, 3, 0, 2, 6, 7, 8}));
    EXPECT_EQ(flagsOf(d), (std::vector<bool>{false, false, false, true, true, true, false, false}));
    EXPECT_EQ(d.GetName(), QStringLiteral("Importiert"));
}

TEST(GameTextImport, CrewRequiringActionsAndUmlautKey)
{
    ShipDesign d = ImportGameText(QStringLiteral("Kolonisationsmodul\r\nInvasionstruppen\r\nPlünderung\r\nSabotage"));
    EXPECT_EQ(flagsOf(d), (std::vector<bool>{true, true, true, false, false, false, true, true}));
    // The file spelling has no "ü" and is not the import's key word.
    d = ImportGameText(QStringLiteral("Pluendern"));
    EXPECT_FALSE(d.GetRaid());
    EXPECT_FALSE(d.GetCrewed());
}

TEST(GameTextImport, StatisticsLinesAreReadAsLevels)
{
    const ShipDesign d = ImportGameText(QStringLiteral("Lagerraum 327\nPanzerung 8\nStabilität 109\n"));
    EXPECT_EQ(d.GetStorageBays(), 327);
    EXPECT_EQ(d.GetArmorLevel(), 8);
}

TEST(GameTextImport, LineNumberRule)
{
    EXPECT_EQ(ImportLineNumber("Lager 1234"), 123);
    EXPECT_EQ(ImportLineNumber("Lager 12"), 12);
    EXPECT_EQ(ImportLineNumber("Lager Stufe 5 "), 1);
    EXPECT_EQ(ImportLineNumber("Lager\t5"), 1);
    EXPECT_EQ(ImportLineNumber("Lager"), 1);
    EXPECT_EQ(ImportLineNumber("123Lager"), 123);
    EXPECT_EQ(ImportLineNumber("12Lager"), 1);
    EXPECT_EQ(ImportLineNumber("7"), 7);
    EXPECT_EQ(ImportLineNumber("Lager 1,5"), 1);
    EXPECT_EQ(ImportLineNumber("Lager 4x"), 1);
    EXPECT_EQ(ImportLineNumber("Panzer -5"), -5);
    EXPECT_EQ(ImportLineNumber("Panzer +9"), 9);
    EXPECT_EQ(ImportLineNumber(""), 1);
}

TEST(GameTextImport, NumbersCutRefusedOrMissing)
{
    ShipDesign d = ImportGameText(QStringLiteral("Lager 1234\nPanzer 5 \nRaketen\t9\nLaser"));
    EXPECT_EQ(levelsOf(d), (std::vector<int>{123, 1, 0, 1, 0, 1, 1, 0}));
    // Refused values leave the defaults.
    d = ImportGameText(QStringLiteral("Lager 0\nPanzer -5\nFusion 0\n"));
    EXPECT_EQ(levelsOf(d), (std::vector<int>{1, 0, 1, 0, 0, 0, 0, 0}));
}

TEST(GameTextImport, FirstWordOfTheTableDecides)
{
    ShipDesign d = ImportGameText(QStringLiteral("Plasma und Laser 5"));
    EXPECT_EQ(d.GetLaser(), 5);
    EXPECT_EQ(d.GetPlasma(), 0);
    d = ImportGameText(QStringLiteral("Fusion mit Laser 4"));
    EXPECT_EQ(d.GetFusi(), 4);
    EXPECT_EQ(d.GetLaser(), 0);
    d = ImportGameText(QStringLiteral("Bemannt: nein, keine Spionage 3"));
    EXPECT_TRUE(d.GetCrewed());
    EXPECT_FALSE(d.GetSpy());
    d = ImportGameText(QStringLiteral("Sabotage im Lager 6"));
    EXPECT_EQ(d.GetStorageBays(), 6);
    EXPECT_FALSE(d.GetSabo());
    // The words are case-sensitive.
    d = ImportGameText(QStringLiteral("lager 6\nLASER 3\nbemannt"));
    EXPECT_EQ(levelsOf(d), kDefaultLevels);
    EXPECT_FALSE(d.GetCrewed());
}

TEST(GameTextImport, EveryKindOfLineEnd)
{
    const std::vector<int> expected = {2, 3, 4, 1, 0, 0, 0, 0};
    for (const char *sep : {"\n", "\r\n", "\r"}) {
        SCOPED_TRACE(sep);
        const QString s = QString::fromLatin1(sep);
        const ShipDesign d = ImportGameText(QStringLiteral("Lager 2") + s + QStringLiteral("Panzer 3") + s +
                                            QStringLiteral("Verbrenner 4") + s);
        EXPECT_EQ(levelsOf(d), expected);
    }
}

// ---- export -----------------------------------------------------------------

TEST(GameTextExport, ShowsTheDesignerTextsWithTheNameFirst)
{
    ShipDesign d;
    d.SetName(QStringLiteral("Jäger"));
    d.SetArmorLevel(1);
    d.SetMissles(1);
    d.SetLaser(1);
    d.SetPlasma(1);
    d.SetZVA(2);
    d.SetRaid(true);
    const DesignerFigures f = ComputeDesignerFigures(d, QStringLiteral("2000"), QLocale(QLocale::German));
    const QStringList lines = ExportLines(f);
    ASSERT_EQ(lines.size(), 33); // 31 rows and two actions
    EXPECT_EQ(lines[0], QStringLiteral("Jäger"));
    EXPECT_EQ(lines[1], QString());
    EXPECT_EQ(lines[2], QStringLiteral("[Bauelemente]"));
    EXPECT_EQ(lines[3], QStringLiteral("Schiffsbasiselement ") + f.sbe);
    EXPECT_EQ(lines[8], QStringLiteral("ZVA 2"));
    EXPECT_EQ(lines[13], QStringLiteral("[Spezialeinheiten]"));
    EXPECT_EQ(lines[14], QStringLiteral("Bemannt"));
    EXPECT_EQ(lines[15], QStringLiteral("Pluendern"));
    EXPECT_EQ(lines[18], QStringLiteral("Stabilität ") + f.stability);
    EXPECT_EQ(lines[21], QStringLiteral("Angriffsstärke 72"));
    EXPECT_EQ(lines[23], QStringLiteral("Tatsächliche Flugzeit in % 82,81"));
    EXPECT_EQ(lines[24], QStringLiteral("Flugzeit (2000pa) ") + f.fullFlightTime);
    EXPECT_TRUE(f.fullFlightTime.contains(u':'));
    EXPECT_EQ(lines[26], QStringLiteral("[Kosten]"));
    EXPECT_EQ(lines[32], QStringLiteral("Sauerstoff 0"));
}

TEST(GameTextExport, TextsAreExportedAsShown)
{
    DesignerFigures f = ComputeDesignerFigures(ShipDesign(), QStringLiteral("2000"), QLocale::c());
    f.level(Component::StorageBays) = QStringLiteral("abc");
    f.distance = QStringLiteral("02000");
    f.fe = QString();
    const QStringList lines = ExportLines(f);
    ASSERT_EQ(lines.size(), 31);
    EXPECT_EQ(lines[4], QStringLiteral("Lager abc"));
    EXPECT_EQ(lines[21], QStringLiteral("Tatsächliche Flugzeit in % 100.00"));
    EXPECT_TRUE(lines[22].startsWith(QStringLiteral("Flugzeit (02000pa) ")));
    EXPECT_EQ(lines[24], QStringLiteral("[Kosten]"));
    EXPECT_EQ(lines[25], QStringLiteral("Eisen "));
}

TEST(GameTextExport, SameRowsAsTheDesignFileExceptTheFirst)
{
    ShipDesign d;
    d.SetStorageBays(5);
    d.SetKolo(true);
    const DesignerFigures f = ComputeDesignerFigures(d, QStringLiteral("3000"), QLocale::c());
    QStringList exported = ExportLines(f);
    const QByteArray file = FormatDesignFile(f);
    exported[0] = QStringLiteral(";Version 30");
    EXPECT_EQ(QString::fromLatin1(file), exported.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

// The program's own export text comes back exactly: every level (ZVA too, which
// the game's display calls "Zeitverzerrer"), every action ("Pluendern" too) and
// the name of the first line; the statistics in it are not read as levels.
TEST(GameTextImport, TheProgramsOwnExportComesBackExactly)
{
    ShipDesign d;
    d.SetName(QStringLiteral("Kreuzer Mk 2"));
    d.SetStorageBays(3);
    d.SetArmorLevel(2);
    d.SetThruster(1);
    d.SetFusi(2);
    d.SetZVA(4);
    d.SetMissles(4);
    d.SetLaser(5);
    d.SetPlasma(150); // above the spinner's range: kept
    d.SetRaid(true);
    d.SetSpy(true);
    d.SetCloak(true);
    const QStringList exported = ExportLines(ComputeDesignerFigures(d, QStringLiteral("2000"), QLocale::c()));
    ASSERT_TRUE(IsExportText(exported.join(u'\n')));
    for (const QString &lineEnd : {QStringLiteral("\r\n"), QStringLiteral("\n")}) {
        const ShipDesign back = ImportGameText(exported.join(lineEnd));
        EXPECT_EQ(back.GetName(), QStringLiteral("Kreuzer Mk 2"));
        for (int c = 0; c < kComponentCount; ++c)
            EXPECT_EQ(back.GetLevel(Component(c)), d.GetLevel(Component(c))) << c;
        for (int a = 0; a < kActionCount; ++a)
            EXPECT_EQ(back.GetFlag(Action(a)), d.GetFlag(Action(a))) << a;
        EXPECT_EQ(back.GetStorageCapacity(), d.GetStorageCapacity());
        EXPECT_EQ(back.GetFE(), d.GetFE());
        EXPECT_TRUE(back.IsChanged()); // an import is not saved
    }
    // The same text read by key words would have been wrong: "Lagerraum 450"
    // makes storage bay level 450 and the ZVA and raid lines are not known.
    const ShipDesign byWords = ImportGameText(exported.mid(3).join(u'\n'));
    EXPECT_EQ(byWords.GetName(), QStringLiteral("Importiert"));
    EXPECT_NE(byWords.GetStorageBays(), 3);
}

// The export text as it may come back from a chat or a forum: its name line
// lost, so that "[Bauelemente]" is the first line, or blanks around the lines
// that open the sections. Every level and action still comes back.
TEST(GameTextImport, AnExportTextWithItsSectionLinesMovedComesBackExactly)
{
    ShipDesign d;
    d.SetStorageBays(7);
    d.SetZVA(3);
    d.SetLaser(120);
    d.SetRaid(true);
    d.SetCloak(true);
    const QStringList exported = ExportLines(ComputeDesignerFigures(d, QStringLiteral("2000"), QLocale::c()));
    const auto padded = [](QStringList lines) {
        for (QString &line : lines) {
            if (line.startsWith(u'['))
                line = QStringLiteral(" \t") + line + QStringLiteral("  ");
        }
        return lines;
    };
    const std::vector<std::pair<QStringList, QString>> texts = {
        {exported.mid(1), QStringLiteral("Importiert")},
        {padded(exported), d.GetName()},
        {padded(exported.mid(1)), QStringLiteral("Importiert")},
    };
    for (const auto &[lines, name] : texts) {
        const ShipDesign back = ImportGameText(lines.join(u'\n'));
        EXPECT_EQ(back.GetName(), name) << lines.join(u'|').toStdString();
        for (int c = 0; c < kComponentCount; ++c)
            EXPECT_EQ(back.GetLevel(Component(c)), d.GetLevel(Component(c))) << c << lines.join(u'|').toStdString();
        for (int a = 0; a < kActionCount; ++a)
            EXPECT_EQ(back.GetFlag(Action(a)), d.GetFlag(Action(a))) << a << lines.join(u'|').toStdString();
    }
}

TEST(GameTextImport, ExportTextWithTheGuidanceLeftAboveIt)
{
    QStringList text = ImportGuidanceLines();
    text << QString() << QStringLiteral("  Jäger ") << QString() << QStringLiteral("[Bauelemente]")
         << QStringLiteral("Lager 4") << QStringLiteral("ZVA 2") << QString() << QStringLiteral("[Spezialeinheiten]")
         << QStringLiteral("Pluendern");
    const ShipDesign d = ImportGameText(text.join(u'\n'));
    EXPECT_EQ(d.GetName(), QStringLiteral("Jäger"));
    EXPECT_EQ(d.GetStorageBays(), 4);
    EXPECT_EQ(d.GetZVA(), 2);
    EXPECT_TRUE(d.GetRaid());
    EXPECT_TRUE(d.GetCrewed());
    // Without a name line the design is "Importiert"; without "[Spezialeinheiten]"
    // the text is the game's display.
    EXPECT_EQ(ImportGameText(QStringLiteral("[Bauelemente]\nLager 4\n[Spezialeinheiten]\n")).GetName(),
              QStringLiteral("Importiert"));
    const ShipDesign game = ImportGameText(QStringLiteral("Held\n[Bauelemente]\nZVA 2\nLager 4\n"));
    EXPECT_FALSE(IsExportText(QStringLiteral("Held\n[Bauelemente]\nZVA 2\nLager 4\n")));
    EXPECT_EQ(game.GetName(), QStringLiteral("Importiert"));
    EXPECT_EQ(game.GetZVA(), 0);
    EXPECT_EQ(game.GetStorageBays(), 4);
}
