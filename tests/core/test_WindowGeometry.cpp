#include "settings/WindowGeometry.h"

#include <gtest/gtest.h>

using namespace qf;

TEST(WindowGeometry, ComesBackFromItsFileAndRefusesOthers)
{
    WindowGeometry g;
    g.normal = QRect(-8, 30, 900, 700);
    g.maximised = true;
    EXPECT_EQ(g.format(), QByteArray("[Fenster]\r\nX=-8\r\nY=30\r\nBreite=900\r\nHoehe=700\r\nMaximiert=1\r\n"));
    const auto back = WindowGeometry::parse(g.format());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->normal, g.normal);
    EXPECT_TRUE(back->maximised);
    for (const char *bad : {"X=1\nY=2\nBreite=3\nHoehe=4\n", "X=1\nY=2\nBreite=0\nHoehe=4\nMaximiert=0",
                            "X=a\nY=2\nBreite=3\nHoehe=4\nMaximiert=0", "X=1\nY=2\nBreite=3\nHoehe=4\nMaximiert=2"})
        EXPECT_FALSE(WindowGeometry::parse(bad)) << bad;
}

TEST(WindowGeometry, APlaceOffEveryScreenIsNotOnAScreen)
{
    const QList<QRect> screens = {QRect(0, 0, 1280, 900), QRect(1280, 0, 1920, 1080)};
    const struct {
        QRect window;
        bool on;
    } cases[] = {
        {QRect(100, 100, 500, 600), true},
        {QRect(3000, 50, 500, 600), true},    // on the second screen
        {QRect(1230, 1050, 500, 600), false}, // 30 pixels of it high on the second, none on the first
        {QRect(-450, 100, 500, 600), false},  // 50 pixels left of the first
        {QRect(5000, 5000, 500, 600), false},
    };
    for (const auto &c : cases) {
        WindowGeometry g;
        g.normal = c.window;
        EXPECT_EQ(g.isOnAScreen(screens), c.on) << c.window.x() << "," << c.window.y();
    }
}
