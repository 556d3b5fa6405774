// Files one run hands to the next: unsaved designs come back whole, a damaged file is set aside.
#include "library/FileWriting.h"
#include "session/KeptPlanning.h"
#include "session/RecoveryFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace qf;

TEST(RecoveryFile, DesignsComeBackUnsavedWithNameAndEveryValue)
{
    QTemporaryDir dir;
    std::vector<ShipDesign> designs(2);
    designs[0].SetName(QStringLiteral("Fähre ✓ \"1\""));
    designs[0].SetThruster(3);
    designs[0].SetFusi(0);
    designs[0].SetRaid(true);
    designs[1].SetStorageBays(30000); // a design file keeps levels up to 32767
    const RecoveryFile file(dir.filePath(QStringLiteral("state/Wiederherstellung.json")));
    ASSERT_TRUE(file.write(designs));
    const std::vector<ShipDesign> back = file.read().designs;
    ASSERT_EQ(back.size(), designs.size());
    for (size_t i = 0; i < designs.size(); ++i) {
        EXPECT_TRUE(back[i].GetName() == designs[i].GetName() && back[i].IsChanged());
        for (const ComponentField &c : ComponentFields())
            EXPECT_EQ(back[i].GetLevel(c.id), designs[i].GetLevel(c.id)) << c.fileKey;
        for (const ActionField &a : ActionFields())
            EXPECT_EQ(back[i].GetFlag(a.id), designs[i].GetFlag(a.id)) << a.fileKey;
    }
    EXPECT_TRUE(file.write({}) && !file.exists());
}

TEST(SessionFiles, ADamagedFileIsSetAsideWhole)
{
    QTemporaryDir dir;
    const RecoveryFile recovery(dir.filePath(QStringLiteral("Wiederherstellung.json")));
    const KeptPlanning kept(dir.path());
    for (const QByteArray bytes : {"[{\"name\": \"A\", \"file\": \"[Bau", "{}", "[{\"name\": \"A\", \"file\": \"\"}, {}]"}) {
        ASSERT_TRUE(WriteFileReplacing(recovery.path(), bytes));
        const RecoveryRead read = recovery.read();
        EXPECT_TRUE(!read.ok() && read.designs.empty() && !recovery.exists()) << bytes.constData();
        QFile aside(read.setAsideAs);
        EXPECT_TRUE(aside.open(QIODevice::ReadOnly) && aside.readAll() == bytes) << bytes.constData();
    }
    ASSERT_TRUE(WriteFileReplacing(kept.fleetsPath(), "{\"home\": ["));
    const PlanningRead planning = kept.restore();
    EXPECT_TRUE(planning.planning.home.isEmpty() && !QFile::exists(kept.fleetsPath()));
    EXPECT_TRUE(planning.notes.value(0).contains(kept.fleetsPath() + QStringLiteral(".defekt-")));
}
