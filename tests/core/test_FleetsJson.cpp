// The fleets of the battle command read from JSON, with design files from memory.
#include "battle/FleetsJson.h"

#include "library/DesignFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <limits>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

using namespace qf;

namespace {

// Design files held in memory by path; any other path has no file.
struct MemoryDesigns {
    std::map<QString, QByteArray> files;
    mutable QStringList asked;

    std::map<QString, ReadFailure> failures; // why a path has no file; CannotOpen when not listed

    DesignFileSource source() const
    {
        return [this](const QString &path) {
            asked << path;
            DesignFileBytes file;
            file.path = QStringLiteral("mem/") + path;
            const auto it = files.find(path);
            if (it != files.end())
                file.bytes = it->second;
            const auto why = failures.find(path);
            if (why != failures.end())
                file.failure = why->second;
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
    EXPECT_TRUE(errorOf("{\"home\": [" + kOneShip).startsWith(QStringLiteral("fehlerhaftes JSON: Zeile 1, Spalte ")));
    // The place counts lines and characters; the reason is German.
    EXPECT_EQ(errorOf("{\"home\": [],\n \"ä\": 1,}"),
              QStringLiteral("fehlerhaftes JSON: Zeile 2, Spalte 10: Objekt fehlt nach Komma"));
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

    // A file of that name in the working directory comes first.
    QTemporaryDir workDir;
    QFile there(QDir(workDir.path()).filePath(QStringLiteral("Falke.shp")));
    ASSERT_TRUE(there.open(QIODevice::WriteOnly));
    there.write("Laserkanonen 3\r\n");
    there.close();
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(workDir.path()));
    const DesignFileBytes both = DesignFilesFrom(dir.path())(QStringLiteral("Falke.shp"));
    QDir::setCurrent(before);
    EXPECT_EQ(both.path, QStringLiteral("Falke.shp"));
    EXPECT_EQ(both.bytes.value_or(QByteArray()), QByteArray("Laserkanonen 3\r\n"));

    const DesignFileBytes nowhere = DesignFilesFrom(QString())(QStringLiteral("gibt-es-nicht-Falke.shp"));
    EXPECT_EQ(nowhere.path, QStringLiteral("gibt-es-nicht-Falke.shp"));
    EXPECT_FALSE(nowhere.bytes.has_value());

    // Too big for a design file: not readable.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(kMaxDesignFileSize + 1, ' '));
    file.close();
    EXPECT_FALSE(DesignFilesFrom(QString())(file.fileName()).bytes.has_value());
}

TEST(FleetsJson, TheReasonAFileWasNotReadIsShown)
{
    MemoryDesigns designs;
    designs.failures[QStringLiteral("pipe")] = ReadFailure::NotARegularFile;
    designs.failures[QStringLiteral("gross.shp")] = ReadFailure::TooLarge;
    designs.failures[QStringLiteral("kaputt.shp")] = ReadFailure::ReadError;
    const struct {
        const char *path;
        const char *error;
    } cases[] = {
        {"fehlt.shp", "home[0]: Design-Datei nicht lesbar: mem/fehlt.shp"},
        {"pipe", "home[0]: keine normale Datei: mem/pipe"},
        {"gross.shp", "home[0]: Datei zu groß (mehr als 1 MiB): mem/gross.shp"},
        {"kaputt.shp", "home[0]: Lesefehler: mem/kaputt.shp"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(errorOf("{\"home\": [{\"count\": 1, \"design\": \"" + QByteArray(c.path) + "\"}], \"foreign\": ["
                              + kOneShip + "]}",
                          designs),
                  QString::fromUtf8(c.error));
}

TEST(FleetsJson, OnlyRegularFilesAreReadAsDesignFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pipe = dir.filePath(QStringLiteral("Falke.shp"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QFile big(dir.filePath(QStringLiteral("gross.shp")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(QByteArray(kMaxDesignFileSize + 1, ' '));
    big.close();
    QFile exact(dir.filePath(QStringLiteral("genau.shp")));
    ASSERT_TRUE(exact.open(QIODevice::WriteOnly));
    exact.write(QByteArray("Lager 2") + QByteArray(kMaxDesignFileSize - 7, ' '));
    exact.close();

    const struct {
        QString path;
        ReadFailure failure;
    } cases[] = {
        {pipe, ReadFailure::NotARegularFile},
        {QStringLiteral("/dev/zero"), ReadFailure::NotARegularFile},
        {dir.path(), ReadFailure::NotARegularFile},
        {big.fileName(), ReadFailure::TooLarge},
        {dir.filePath(QStringLiteral("fehlt.shp")), ReadFailure::CannotOpen},
    };
    for (const auto &c : cases) {
        // A FIFO's open would wait for a writer: one is opened after a few
        // seconds so that a regression fails instead of hanging.
        auto reading = std::async(std::launch::async, [&] { return DesignFilesFrom(QString())(c.path); });
        if (reading.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            ADD_FAILURE() << "reading " << c.path.toStdString() << " blocked";
            const int writer = ::open(QFile::encodeName(c.path).constData(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0)
                ::close(writer);
        }
        const DesignFileBytes file = reading.get();
        EXPECT_FALSE(file.bytes.has_value()) << c.path.toStdString();
        EXPECT_EQ(file.failure, c.failure) << c.path.toStdString();
    }
    const DesignFileBytes atBound = DesignFilesFrom(QString())(exact.fileName());
    ASSERT_TRUE(atBound.bytes.has_value());
    EXPECT_EQ(atBound.bytes->size(), kMaxDesignFileSize);
}

TEST(FleetsJson, FleetsWhoseTotalsLeave64BitsAreRefused)
{
    // Ten types of 2,147,483,647 ships with values and costs near 2,147,483,647:
    // two fit in 64 bits, the third does not; the input is refused rather than cut.
    QByteArray home;
    for (int i = 0; i < 10; ++i) {
        const QByteArray v = QByteArray::number(2147483647 - i);
        home += (i ? ", " : "") + QByteArray(R"({"count": 2147483647, "name": "T)") + QByteArray::number(i)
                + R"(", "as": )" + v + R"(, "armor": )" + v + R"(, "stability": )" + v + R"(, "fe": )" + v
                + R"(, "si": 0, "c": 0})";
    }
    EXPECT_EQ(errorOf("{\"home\": [" + home + "], \"foreign\": [" + kOneShip + "]}"),
              QStringLiteral("home[2]: die Summen der Flotte passen nicht mehr in 64 Bit"));
    EXPECT_EQ(errorOf("{\"home\": [" + kOneShip + "], \"foreign\": [" + home + "]}"),
              QStringLiteral("foreign[2]: die Summen der Flotte passen nicht mehr in 64 Bit"));

    // The same name a second time would take the entry past 2,147,483,647 ships.
    const QByteArray twice = R"({"count": 2147483647, "name": "A", "as": 2147483647, "armor": 0, "stability": 1, "fe": 0, "si": 0, "c": 0})";
    EXPECT_EQ(errorOf("{\"home\": [" + twice + ", " + QByteArray(twice).replace("\"A\"", "\"a\"") + "], \"foreign\": [" + kOneShip + "]}"),
              QStringLiteral("home[1]: „A“ hätte mehr als 2147483647 Schiffe"));

    // Right at the edge: two full types of attack m = 2,147,483,647 and four
    // ships more reach 2m² + 4m = 2^63 - 2; a fifth ship would pass 2^63 - 1.
    const QByteArray full = R"({"count": 2147483647, "name": "X", "as": 2147483647, "armor": 0, "stability": 1, "fe": 0, "si": 0, "c": 0})";
    QByteArray twoFull = full;
    twoFull.replace("\"X\"", "\"Y\"");
    const FleetsJson fits = ParseFleetsJson(
        "{\"home\": [" + full + ", " + twoFull + R"(, {"count": 4, "name": "Z", "as": 2147483647, "armor": 0, "stability": 1, "fe": 0, "si": 0, "c": 0}], "foreign": [)" + kOneShip + "]}",
        MemoryDesigns{}.source());
    ASSERT_TRUE(fits.ok()) << fits.error.toStdString();
    EXPECT_EQ(fits.home.TotalAS, std::numeric_limits<int64_t>::max() - 1);
    const FleetsJson past = ParseFleetsJson(
        "{\"home\": [" + full + ", " + twoFull + R"(, {"count": 5, "name": "Z", "as": 2147483647, "armor": 0, "stability": 1, "fe": 0, "si": 0, "c": 0}], "foreign": [)" + kOneShip + "]}",
        MemoryDesigns{}.source());
    EXPECT_EQ(past.error, QStringLiteral("home[2]: die Summen der Flotte passen nicht mehr in 64 Bit"));
}

namespace {
// Every entry of a fleet as one text, to compare two fleets whole.
QStringList entriesOf(const Fleet &f)
{
    QStringList entries;
    for (int i = 0; i <= f.LastIndex; ++i) {
        const Fleet::ShipClass &e = f.Classes[size_t(i)];
        entries << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9")
                       .arg(e.Name)
                       .arg(e.Count)
                       .arg(e.AS)
                       .arg(e.Armor)
                       .arg(e.Stability)
                       .arg(e.FE)
                       .arg(e.SI)
                       .arg(e.C)
                       .arg(e.Cost);
    }
    return entries;
}
} // namespace

// What the window saves comes back as the same fleets, entry for entry, whether
// the window loads it or the command-line tool fights it.
TEST(FleetsJsonFile, SavedFleetsComeBackEntryForEntry)
{
    Fleet home;
    home.AddShips(12, 40, 8, 300, QStringLiteral("Jäger \"Blitz\""), 1000, 625, 3);
    home.AddShips(3, 0, 0, 109, QStringLiteral("Frachter"), 333, 291, 138);
    home.AddShips(2, 99, 1, 5, QStringLiteral("JÄGER \"BLITZ\""), 1, 1, 1); // the same type: its old values
    Fleet foreign;
    for (int i = 0; i < Fleet::Capacity; ++i)
        foreign.AddShips(i + 1, 2147483647 - i, i, 2147483647, QStringLiteral("T%1").arg(i), 2147483647, 0, i);
    const QByteArray file = FormatFleetsJson(home, foreign);
    EXPECT_TRUE(file.contains("\"name\": \"Jäger \\\"Blitz\\\"\"")); // UTF-8, JSON escapes
    EXPECT_TRUE(file.contains("\"count\": 14"));

    for (FleetsUse use : {FleetsUse::Window, FleetsUse::Battle}) {
        const FleetsJson back = ParseFleetsJson(file, MemoryDesigns().source(), use);
        ASSERT_TRUE(back.ok()) << back.error.toStdString();
        EXPECT_EQ(entriesOf(back.home), entriesOf(home));
        EXPECT_EQ(entriesOf(back.foreign), entriesOf(foreign));
        EXPECT_EQ(back.home.TotalCost, home.TotalCost);
        EXPECT_EQ(back.foreign.TotalStability, foreign.TotalStability);
    }
}

TEST(FleetsJsonFile, TheWindowTakesAnEmptyFleetButNoEleventhType)
{
    Fleet home;
    home.AddShips(1, 1, 1, 1, QStringLiteral("A"), 1, 1, 1);
    const QByteArray oneEmpty = FormatFleetsJson(home, Fleet());
    const FleetsJson window = ParseFleetsJson(oneEmpty, MemoryDesigns().source(), FleetsUse::Window);
    ASSERT_TRUE(window.ok()) << window.error.toStdString();
    EXPECT_TRUE(window.foreign.isEmpty());
    EXPECT_EQ(errorOf(oneEmpty), QStringLiteral("die Flotte \"foreign\" ist leer")); // a battle needs both

    QByteArray eleven = R"({"home": [)";
    for (int i = 0; i < 11; ++i)
        eleven += (i ? "," : "") + QByteArray(R"({"count": 1, "name": "T)") + QByteArray::number(i)
                  + R"(", "as": 1, "armor": 0, "stability": 5, "fe": 1, "si": 0, "c": 0})";
    eleven += R"(], "foreign": [)" + kOneShip + "]}";
    const FleetsJson refused = ParseFleetsJson(eleven, MemoryDesigns().source(), FleetsUse::Window);
    EXPECT_EQ(refused.error, QStringLiteral("home[10]: mehr als 10 Schiffstypen in einer Flotte"));
    EXPECT_TRUE(refused.home.isEmpty());
    const FleetsJson fought = ParseFleetsJson(eleven, MemoryDesigns().source(), FleetsUse::Battle);
    ASSERT_TRUE(fought.ok());
    EXPECT_EQ(fought.home.LastIndex, 9); // the eleventh type is passed over, as "Hinzufügen" does
}
