// Neither the program's icon nor the menu bar loads an image-format plugin at the
// start; the menu bar's extension icon is read when first drawn, once, and then
// looks as the platform's style draws it. Run in this order: plugins stay loaded.
#include "ui/Icons.h"

#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>

using namespace qf;

static bool ImagePluginsLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
}
static QImage Drawn(const QIcon &icon) { return icon.pixmap(16, 16).toImage(); }

class IconsTest : public QObject {
    Q_OBJECT
private slots:
    void theProgramIconHasBothSizes()
    {
        Q_INIT_RESOURCE(resources);
        const QIcon icon = ProgramIcon();
        QCOMPARE(icon.availableSizes(), (QList<QSize>{QSize(32, 32), QSize(64, 64)}));
        QVERIFY(!Drawn(icon).isNull());
        QVERIFY(!ImagePluginsLoaded());
    }

    void theMenuBarsIconIsReadWhenFirstDrawn()
    {
        auto *style = new DeferredIconStyle;
        QApplication::setStyle(style);
        QMainWindow window;
        window.menuBar()->addMenu(QStringLiteral("Designer"));
        const QIcon asked = style->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
        QVERIFY(!ImagePluginsLoaded());
        const QStyle *base = style->baseStyle();
        for (auto which : {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_DialogOkButton})
            QCOMPARE(Drawn(style->standardIcon(which)), Drawn(base->standardIcon(which)));
        QVERIFY(ImagePluginsLoaded()); // the platform's style reads its files as ever
    }
};

QTEST_MAIN(IconsTest)
#include "tst_Icons.moc"
