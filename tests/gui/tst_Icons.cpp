// The program's icon and the main window's menu bar load no image-format plugin at
// the start; the menu bar's extension icon is made when first drawn and then looks
// as the platform's style draws it; every other standard icon comes straight from it.
#include "ui/Icons.h"

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>

using namespace qf;

namespace {

bool ImagePluginsLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
}

QImage Drawn(const QIcon &icon) { return icon.pixmap(16, 16).toImage(); }

} // namespace

class IconsTest : public QObject {
    Q_OBJECT
private slots:
    // In this order: once loaded, the plugins stay in the process.
    void theProgramIconHasBothSizesAndLoadsNoPlugin()
    {
        Q_INIT_RESOURCE(resources);
        const QIcon icon = ProgramIcon();
        QCOMPARE(icon.availableSizes(), (QList<QSize>{QSize(32, 32), QSize(64, 64)}));
        QVERIFY(!Drawn(icon).isNull());
        QVERIFY(!ImagePluginsLoaded());
    }

    void theMenuBarsIconIsReadWhenFirstDrawnAndLooksAsItsStyleDrawsIt()
    {
        auto *style = new DeferredIconStyle;
        QApplication::setStyle(style);
        QMainWindow window;
        window.menuBar()->addMenu(QStringLiteral("Designer"));
        const QIcon deferred = style->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
        QVERIFY(!ImagePluginsLoaded());
        const QImage drawn = Drawn(deferred);
        QVERIFY(ImagePluginsLoaded()); // the platform's style reads its file as ever
        const QStyle *base = style->baseStyle();
        QCOMPARE(drawn, Drawn(base->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton)));
        QCOMPARE(Drawn(style->standardIcon(QStyle::SP_DialogOkButton)),
                 Drawn(base->standardIcon(QStyle::SP_DialogOkButton)));
    }

    void aDeferredIconIsMadeOnce()
    {
        int made = 0;
        const QIcon icon(new DeferredIconEngine([&made] {
            ++made;
            return QApplication::style()->standardIcon(QStyle::SP_ArrowUp);
        }));
        const QIcon copy = icon;
        QCOMPARE(made, 0);
        QVERIFY(!Drawn(copy).isNull());
        QVERIFY(!icon.isNull());
        QCOMPARE(made, 1);
    }
};

QTEST_MAIN(IconsTest)
#include "tst_Icons.moc"
