// "Designvergleich": the table follows the collection and the Designer page,
// sorts by a clicked header, colours against the reference, and is saved and
// copied as shown.
#include "app/KRM_Main.h"
#include "compare/CompareTableModel.h"
#include "compare/window/CompareWindow.h"
#include "designer/DesignerPage.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace qf;
using namespace qf::test;

namespace {

struct Compare : WindowFixture {
    CompareWindow *compare = nullptr;
    Compare()
    {
        window().menuItem(QStringLiteral("Compare"))->trigger();
        compare = window().compareWindow();
        if (!QTest::qWaitForWindowExposed(compare))
            qWarning("comparison window not exposed");
    }
    QAbstractItemModel *shown() const { return compare->table()->model(); }
    int column(const char *header) const
    {
        for (int c = 0; c < shown()->columnCount(); ++c)
            if (shown()->headerData(c, Qt::Horizontal).toString() == QString::fromUtf8(header))
                return c;
        qFatal("no column %s", header);
    }
    QString cell(int row, const char *header) const { return shown()->index(row, column(header)).data().toString(); }
    QStringList names() const
    {
        QStringList n;
        for (int row = 0; row < shown()->rowCount(); ++row)
            n << cell(row, "Name");
        return n;
    }
    void clickHeader(const char *header)
    {
        compare->table()->scrollTo(shown()->index(0, column(header)));
        QHeaderView *h = compare->table()->horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(column(header)) + h->sectionSize(column(header)) / 2, h->height() / 2));
    }
    void newDesign(const QString &name, const char *laser)
    {
        prompts.acceptWithText("NewShipname", name);
        window().menuItem(QStringLiteral("New"))->trigger();
        typeInto("d_Laser", QString::fromLatin1(laser));
    }
};

} // namespace

class CompareWindowTest : public QObject {
    Q_OBJECT
private slots:
    // Every cell is the page's text for the design, live, at the page's settings.
    void theTableFollowsEveryChange()
    {
        Compare f;
        QVERIFY(f.compare->isVisible());
        QCOMPARE(f.compare->windowTitle(), QStringLiteral("Designvergleich"));
        f.typeInto("d_Laser", "7");
        f.typeInto("d_ShipFactory", "3");
        for (const auto &[header, field] : {std::pair{"Angriff", "d_AS"}, {"Flugzeit (h:m:s)", "d_FullFlightTime"},
                                            {"Produktionszeit", "d_ProductionTime"}, {"Eisenmine", "d_FEmine"},
                                            {"Laserkanonen", "d_Laser"}, {"Eisen", "d_FE"}})
            QCOMPARE(f.cell(0, header), f.text(field));
        f.prompts.acceptWithText("NewDistance", "5000");
        f.window().menuItem(QStringLiteral("SetNewDistance"))->trigger();
        QCOMPARE(f.cell(0, "Flugzeit (h:m:s)"), f.text("d_FullFlightTime"));
        f.window().menuItem(QStringLiteral("Acceleration"))->trigger();
        QCOMPARE(f.cell(0, "Beschleunigung"), f.text("d_Acceleration"));

        f.window().menuItem(QStringLiteral("Copy"))->trigger();
        f.prompts.acceptWithText("NewShipname", "Umbenannt");
        f.window().designerPage()->renameButton()->click();
        QCOMPARE(f.names(), QStringList({"Neues Schiff", "Umbenannt"}));
        f.prompts.acceptDialog();
        f.window().menuItem(QStringLiteral("Delete"))->trigger();
        QCOMPARE(f.names(), QStringList({"Neues Schiff"}));
    }

    void headersSortAndColoursFollowTheReference()
    {
        Compare f;
        f.newDesign("Laser 9", "9");
        f.newDesign("Laser 10", "10");
        f.newDesign("Ohne Laser", "0");
        QCOMPARE(f.names(), QStringList({"Neues Schiff", "Laser 9", "Laser 10", "Ohne Laser"}));
        f.clickHeader("Angriff");
        QCOMPARE(f.names().mid(2), QStringList({"Laser 9", "Laser 10"}));
        f.clickHeader("Angriff");
        QCOMPARE(f.names().first(), QStringLiteral("Laser 10"));
        // An edit moves its row at once, in the sorted order.
        f.typeInto("d_Laser", "20");
        QCOMPARE(f.names().first(), QStringLiteral("Ohne Laser"));

        f.compare->referenceList()->setCurrentIndex(1); // "Laser 9"
        const int laser10 = int(f.names().indexOf("Laser 10"));
        const auto colour = [&](int row, const char *header) {
            return f.shown()->index(row, f.column(header)).data(Qt::BackgroundRole);
        };
        QCOMPARE(colour(laser10, "Angriff").value<QBrush>().color(), QColor(0xc6, 0xef, 0xce));
        QCOMPARE(colour(laser10, "Solar").value<QBrush>().color(), QColor(0xff, 0xc7, 0xce));
        QVERIFY(!colour(laser10, "Laserkanonen").isValid());
        QVERIFY(!colour(int(f.names().indexOf("Laser 9")), "Angriff").isValid());
    }

    void csvAndCopyGiveTheTableAsShown()
    {
        Compare f;
        f.newDesign("Zweites; mit Semikolon", "3");
        f.clickHeader("Name");
        f.clickHeader("Name"); // Z before N: the order shown is the order saved
        const QString csv = f.path("vergleich.csv");
        f.prompts.answerSaveFile(csv);
        f.compare->saveCsvButton()->click();
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines[0].startsWith(QStringLiteral("Name;Lager;Panzerung (Stufe);")));
        QVERIFY(lines[1].startsWith(QStringLiteral("\"Zweites; mit Semikolon\";1;")));
        QVERIFY(lines[2].startsWith(QStringLiteral("Neues Schiff;1;0;0;1;")));
        QCOMPARE(lines[2].split(u';').size(), f.shown()->columnCount());

        f.compare->copyButton()->click();
        QCOMPARE(QApplication::clipboard()->text(), f.compare->tableText(u'\t'));
        QVERIFY(QApplication::clipboard()->text().startsWith(QStringLiteral("Name\tLager\t")));
    }
};

QTEST_MAIN(CompareWindowTest)
#include "tst_CompareWindow.moc"
