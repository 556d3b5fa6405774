#include "settings/WindowGeometry.h"

#include <gtest/gtest.h>

using namespace qf;

TEST(WindowGeometry, ComesBackFromItsFileAndOnlyOntoAScreen)
{
    const WindowGeometry g{QRect(-8, 30, 900, 700), true};
    EXPECT_EQ(g.format(), QByteArray("[Fenster]\r\nX=-8\r\nY=30\r\nBreite=900\r\nHoehe=700\r\nMaximiert=1\r\n"));
    const auto back = WindowGeometry::parse(g.format());
    ASSERT_TRUE(back);
    EXPECT_EQ(std::pair(back->normal, back->maximised), std::pair(g.normal, g.maximised));
    for (const char *bad : {"X=1\nY=2\nBreite=3\nHoehe=4\n", "X=1\nY=2\nBreite=0\nHoehe=4\nMaximiert=0",
                            "X=a\nY=2\nBreite=3\nHoehe=4\nMaximiert=0", "X=1\nY=2\nBreite=3\nHoehe=4\nMaximiert=2"})
        EXPECT_FALSE(WindowGeometry::parse(bad)) << bad;
    // Two screens side by side: enough of the window must lie on one of them.
    const QList<QRect> screens = {QRect(0, 0, 1280, 900), QRect(1280, 0, 1920, 1080)};
    const std::pair<QRect, bool> cases[] = {
        {QRect(100, 100, 500, 600), true},   {QRect(3000, 50, 500, 600), true},
        {QRect(1230, 1050, 500, 600), false}, // 30 pixels of it high on the second, none on the first
        {QRect(-450, 100, 500, 600), false},  {QRect(5000, 5000, 500, 600), false},
    };
    for (const auto &[window, on] : cases)
        EXPECT_EQ((WindowGeometry{window, false}.isOnAScreen(screens)), on) << window.x() << "," << window.y();
}
