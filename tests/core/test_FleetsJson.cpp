// The fleets of the battle command read from JSON, with design files from memory.
#include "battle/FleetsJson.h"

#include "library/DesignFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>

using namespace qf;

namespace {

// Design files held in memory by path; any other path has no file.
struct MemoryDesigns {
    std::map<QString, QByteArray> files;
    mutable QStringList asked;

    DesignFileSource source() const
    {
        return [this](const QString &path) {
            asked << path;
            DesignFileBytes file;
            file.path = QStringLiteral("mem/") + path;
            const auto it = files.find(path);
            if (it != files.end())
                file.bytes = it->second;
            return file;
        };
    }
};

const QByteArray kOneShip =
    R"({"count": 1, "name": "A", "as": 1, "armor": 0, "stability": 5, "fe": 1, "si": 0, "c": 0})";

QString errorOf(const QByteArray &json, const MemoryDesigns &designs = {})
{
    const FleetsJson r = ParseFleetsJson(json, designs.source());
    EXPECT_TRUE(r.home.isEmpty());
    EXPECT_TRUE(r.foreign.isEmpty());
    return r.error;
}

} // namespace

TEST(FleetsJson, ReadsBothFleetsInEntryOrder)
{
    const FleetsJson r = ParseFleetsJson(R"({
      "home":    [{"count": 10, "name": "Zerstörer", "as": 40, "armor": 0, "stability": 100, "fe": 1000, "si": 0, "c": 0},
                  {"count": "3", "name": "zerstörer", "as": 1, "armor": 1, "stability": 1, "fe": 1, "si": 1, "c": 1},
                  {"count": "viele", "name": "Kreuzer", "as": 5, "armor": 6, "stability": 7, "fe": 8, "si": 9, "c": 10},
                  {"count": -4, "name": "Keiner", "as": 5, "armor": 6, "stability": 7, "fe": 8, "si": 9, "c": 10}],
      "foreign": [{"count": 5, "name": "Korvette", "as": 10, "armor": 10, "stability": 50, "fe": 120, "si": 0, "c": 0}]
    })", MemoryDesigns{}.source());
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    ASSERT_EQ(r.home.LastIndex, 1);
    // The same name in other letters adds to the first entry with its old values.
    EXPECT_EQ(r.home.Classes[0].Name, QStringLiteral("Zerstörer"));
    EXPECT_EQ(r.home.Classes[0].Count, 13);
    EXPECT_EQ(r.home.Classes[0].AS, 40);
    // A count that is not a whole number is one ship; none below 1.
    EXPECT_EQ(r.home.Classes[1].Name, QStringLiteral("Kreuzer"));
    EXPECT_EQ(r.home.Classes[1].Count, 1);
    EXPECT_EQ(r.home.TotalAS, 13 * 40 + 5);
    ASSERT_EQ(r.foreign.LastIndex, 0);
    EXPECT_EQ(r.foreign.TotalStability, 250);
}

TEST(FleetsJson, DesignEntriesAreReadAsOpenReadsThem)
{
    MemoryDesigns designs;
    const QByteArray shp = "Lager 1\r\nPanzer 4\r\nFusionsantrieb 1\r\nRaketenbatterie 2\r\nLaserkanonen 3\r\n";
    designs.files[QStringLiteral("schiffe/Falke.shp")] = shp;
    const FleetsJson r = ParseFleetsJson(
        "{\"home\": [{\"count\": 4, \"design\": \"schiffe/Falke.shp\"}], \"foreign\": [" + kOneShip + "]}",
        designs.source());
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    const ShipDesign d = ReadDesignFile(shp, QStringLiteral("Falke"));
    ASSERT_GT(d.GetAS(), 0);
    // Named after the file the source found, without directory and extension.
    EXPECT_EQ(r.home.Classes[0].Name, QStringLiteral("Falke"));
    EXPECT_EQ(r.home.Classes[0].Count, 4);
    EXPECT_EQ(r.home.Classes[0].AS, d.GetAS());
    EXPECT_EQ(r.home.Classes[0].Armor, d.GetArmor());
    EXPECT_EQ(r.home.Classes[0].Stability, d.GetStability());
    EXPECT_EQ(designs.asked, QStringList{QStringLiteral("schiffe/Falke.shp")});

    // A design entry with count 0 still needs a readable file.
    EXPECT_EQ(errorOf("{\"home\": [{\"count\": 0, \"design\": \"fehlt.shp\"}], \"foreign\": [" + kOneShip + "]}",
                      designs),
              QStringLiteral("home[0]: Design-Datei nicht lesbar: mem/fehlt.shp"));
    designs.files[QStringLiteral("bin.shp")] = QByteArray("Lager 1\0", 8);
    EXPECT_EQ(errorOf("{\"home\": [" + kOneShip + "], \"foreign\": [{\"count\": 1, \"design\": \"bin.shp\"}]}",
                      designs),
              QStringLiteral("foreign[0]: keine Design-Datei: mem/bin.shp"));
    EXPECT_EQ(errorOf("{\"home\": [{\"count\": 1, \"design\": 5}], \"foreign\": [" + kOneShip + "]}", designs),
              QStringLiteral("home[0]: \"design\" ist kein Text"));
}

TEST(FleetsJson, TheFirstFaultIsReported)
{
    EXPECT_TRUE(errorOf("{\"home\": [" + kOneShip).startsWith(QStringLiteral("fehlerhaftes JSON: ")));
    EXPECT_EQ(errorOf("[1, 2]"), QStringLiteral("JSON-Objekt mit \"home\" und \"foreign\" erwartet"));
    EXPECT_EQ(errorOf("{\"home\": [" + kOneShip + "]}"), QStringLiteral("\"foreign\" fehlt oder ist keine Liste"));
    EXPECT_EQ(errorOf("{\"home\": [" + kOneShip + "], \"foreign\": []}"),
              QStringLiteral("die Flotte \"foreign\" ist leer"));
    EXPECT_EQ(errorOf("{\"home\": [3], \"foreign\": []}"), QStringLiteral("home[0] ist kein Objekt"));
    EXPECT_EQ(errorOf(R"({"home": [{"name": "A"}], "foreign": []})"), QStringLiteral("home[0]: \"count\" fehlt"));
    EXPECT_EQ(errorOf(R"({"home": [{"count": 1}], "foreign": []})"),
              QStringLiteral("home[0]: \"name\" oder \"design\" fehlt"));
    EXPECT_EQ(errorOf(R"({"home": [{"count": 1, "name": 7}], "foreign": []})"),
              QStringLiteral("home[0]: \"name\" ist kein Text"));
    EXPECT_EQ(errorOf(R"({"home": [{"count": 1, "name": "A", "as": 1}], "foreign": []})"),
              QStringLiteral("home[0]: \"armor\" fehlt"));
    for (const char *bad : {"-1", "1.5", "2147483648", "\"5\"", "null"}) {
        const QByteArray json = QByteArray(R"({"home": [{"count": 1, "name": "A", "as": )") + bad
                                + R"(, "armor": 0, "stability": 5, "fe": 1, "si": 0, "c": 0}], "foreign": []})";
        EXPECT_EQ(errorOf(json), QStringLiteral("home[0]: \"as\" ist keine ganze Zahl von 0 bis 2147483647"))
            << bad;
    }
    // The home fleet is read first: its fault wins over the foreign one's.
    EXPECT_EQ(errorOf(R"({"home": [], "foreign": [3]})"), QStringLiteral("die Flotte \"home\" ist leer"));
}

TEST(FleetsJson, AFaultIsOneLineWhateverThePathHolds)
{
    // A JSON string may hold line breaks and other control characters; the
    // command prints the fault as one line.
    MemoryDesigns designs;
    designs.files[QStringLiteral("a\nb\tc")] = QByteArray("x\0", 2);
    EXPECT_EQ(errorOf(R"({"home": [{"count": 1, "design": "fehlt\r\nLager 1\u0001\u2028"}], "foreign": []})",
                      designs),
              QStringLiteral("home[0]: Design-Datei nicht lesbar: mem/fehlt\\r\\nLager 1\\u0001\\u2028"));
    EXPECT_EQ(errorOf(R"({"home": [{"count": 1, "design": "a\nb\tc"}], "foreign": []})", designs),
              QStringLiteral("home[0]: keine Design-Datei: mem/a\\nb\\tc"));
    // Other characters stay as they are.
    EXPECT_EQ(errorOf(R"({"home": [{"count": 1, "design": "Jäger %1 \\ ü.shp"}], "foreign": []})", designs),
              QStringLiteral("home[0]: Design-Datei nicht lesbar: mem/Jäger %1 \\ ü.shp"));
}

TEST(FleetsJson, FilesAreFoundFromTheWorkingDirectoryOrBesideTheInput)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("Falke.shp")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Laserkanonen 2\r\n");
    file.close();

    const DesignFileBytes beside = DesignFilesFrom(dir.path())(QStringLiteral("Falke.shp"));
    EXPECT_EQ(beside.path, QDir(dir.path()).filePath(QStringLiteral("Falke.shp")));
    ASSERT_TRUE(beside.bytes.has_value());
    EXPECT_EQ(*beside.bytes, QByteArray("Laserkanonen 2\r\n"));

    const DesignFileBytes nowhere = DesignFilesFrom(QString())(QStringLiteral("gibt-es-nicht-Falke.shp"));
    EXPECT_EQ(nowhere.path, QStringLiteral("gibt-es-nicht-Falke.shp"));
    EXPECT_FALSE(nowhere.bytes.has_value());

    // Too big for a design file: not readable.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(kMaxDesignFileSize + 1, ' '));
    file.close();
    EXPECT_FALSE(DesignFilesFrom(QString())(file.fileName()).bytes.has_value());
}
