// What one run hands to the next: unsaved designs in the recovery file, the fleets and report kept.
#include "session/KeptPlanning.h"
#include "session/RecoveryFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace qf;

namespace {
QStringList setAside(const QTemporaryDir &dir) { return QDir(dir.path()).entryList({"*.defekt-*"}, QDir::Files); }
void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
} // namespace

TEST(RecoveryFile, DesignsComeBackUnsavedWithNameAndEveryValue)
{
    QTemporaryDir dir;
    std::vector<ShipDesign> designs(2);
    designs[0].SetName(QStringLiteral("Fähre ✓ \"1\""));
    designs[0].SetLaser(17);
    designs[0].SetThruster(3);
    designs[0].SetFusi(0);
    designs[0].SetRaid(true);
    designs[1].SetStorageBays(30000); // a design file keeps levels up to 32767
    designs[1].SetCloak(true);
    const RecoveryFile file(dir.filePath(QStringLiteral("state/Wiederherstellung.json")));
    ASSERT_TRUE(file.write(designs));
    const RecoveryRead read = file.read();
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(read.designs.size(), designs.size());
    for (size_t i = 0; i < designs.size(); ++i) {
        EXPECT_EQ(read.designs[i].GetName(), designs[i].GetName());
        EXPECT_TRUE(read.designs[i].IsChanged());
        for (const ComponentField &c : ComponentFields())
            EXPECT_EQ(read.designs[i].GetLevel(c.id), designs[i].GetLevel(c.id)) << c.fileKey;
        for (const ActionField &a : ActionFields())
            EXPECT_EQ(read.designs[i].GetFlag(a.id), designs[i].GetFlag(a.id)) << a.fileKey;
    }
    ASSERT_TRUE(file.write({}));
    EXPECT_FALSE(file.exists());
}

TEST(RecoveryFile, ADamagedFileIsSetAsideWhole)
{
    QTemporaryDir dir;
    const RecoveryFile file(dir.filePath(QStringLiteral("Wiederherstellung.json")));
    for (const QByteArray &bytes : {QByteArray("[{\"name\": \"A\", \"file\": \"[Bau"), QByteArray("{}"),
                                    QByteArray("[{\"name\": \"A\", \"file\": \"\"}, {\"name\": \"B\"}]")}) {
        put(file.path(), bytes);
        const RecoveryRead read = file.read();
        EXPECT_FALSE(read.ok()) << bytes.constData();
        EXPECT_TRUE(read.designs.empty());
        EXPECT_FALSE(file.exists());
        QFile aside(read.setAsideAs);
        ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
        EXPECT_EQ(aside.readAll(), bytes);
    }
    EXPECT_EQ(setAside(dir).size(), 3);
}

TEST(KeptPlanning, FleetsAndReportComeBackAndADamagedPartIsSetAside)
{
    QTemporaryDir dir;
    const KeptPlanning kept(dir.filePath(QStringLiteral("state")));
    Planning planning;
    planning.home.AddShips(3, 10, 20, 30, QStringLiteral("Jäger"), 1, 2, 3);
    planning.report = QStringLiteral("Runde 1\tÜberlebende\n\nEnde");
    ASSERT_TRUE(kept.keep(planning));
    PlanningRead read = kept.restore();
    EXPECT_TRUE(read.notes.isEmpty());
    EXPECT_EQ(read.planning.home.Names, planning.home.Names);
    EXPECT_EQ(read.planning.home.TotalCost, planning.home.TotalCost);
    EXPECT_TRUE(read.planning.foreign.isEmpty());
    EXPECT_EQ(read.planning.report, planning.report);

    put(kept.fleetsPath(), "{\"home\": [");
    read = kept.restore();
    EXPECT_EQ(read.notes.size(), 1);
    EXPECT_TRUE(read.planning.home.isEmpty());
    EXPECT_EQ(read.planning.report, planning.report);
    EXPECT_FALSE(QFile::exists(kept.fleetsPath()));
    EXPECT_EQ(QDir(dir.filePath("state")).entryList({"Flotten.json.defekt-*"}, QDir::Files).size(), 1);

    ASSERT_TRUE(kept.keep(Planning()));
    EXPECT_FALSE(QFile::exists(kept.reportPath()));
}
