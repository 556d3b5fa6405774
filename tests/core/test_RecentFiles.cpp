// The recently used design files: newest first, each once, at most eight, kept in their file.
#include "session/RecentFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace qf;

TEST(RecentFiles, NewestFirstEachOnceAtMostEightAndKept)
{
    QTemporaryDir dir;
    const QString store = dir.filePath(QStringLiteral("conf/Zuletzt geöffnet.txt"));
    RecentFiles recent(store);
    for (int i = 0; i < 10; ++i)
        recent.add(dir.filePath(QStringLiteral("%1.shp").arg(i)));
    recent.add(dir.filePath(QStringLiteral("sub/../5.shp")));
    QStringList expected;
    for (int i : {5, 9, 8, 7, 6, 4, 3, 2})
        expected << dir.filePath(QStringLiteral("%1.shp").arg(i));
    EXPECT_EQ(recent.paths(), expected);
    recent.remove(expected[1]);
    expected.removeAt(1);
    RecentFiles again(store);
    again.load();
    EXPECT_EQ(again.paths(), expected);
}
