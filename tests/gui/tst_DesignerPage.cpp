// The Designer page, driven through its widgets as a player drives it.
#include "ui/FormWidgets.h"
#include "designer/DesignerPage.h"
#include "support/WindowFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <QApplication>

using namespace qf;
using namespace qf::test;

class DesignerPageTest : public QObject {
    Q_OBJECT

    static QCheckBox *box(WindowFixture &f, const char *name)
    {
        return f.window().findChild<QCheckBox *>(QString::fromLatin1(name));
    }
    static QString marker(WindowFixture &f) { return f.window().designerPage()->findChild<QLabel *>("Label1")->text(); }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void newDesignShowsEveryFigure_data()
    {
        QTest::addColumn<QString>("text");
        const std::pair<const char *, const char *> expected[] = {
            {"d_StorageBays", "1"}, {"d_ArmorLevel", "0"}, {"d_Thruster", "0"}, {"d_Fusi", "1"},
            {"d_ZVA", "0"}, {"d_Missles", "0"}, {"d_Laser", "0"}, {"d_Plasma", "0"}, {"d_SBE", "1"},
            {"d_ShipFactory", "1"}, {"d_WarFactory", "1"}, {"d_ProductionTime", "05:48:29"},
            {"d_FEmine", "5"}, {"d_SImine", "9"}, {"d_Cmine", "6"}, {"d_freeSBE", "7"},
            {"d_Stability", "109"}, {"d_StorageCapacity", "327"}, {"d_Armor", "0"},
            {"d_Acceleration", "54500"}, {"d_FlightTimePercent", "100.00"}, {"d_AS", "0"},
            {"d_Distance", "2000"}, {"d_FullFlightTime", "15:42:48"}, {"d_FE", "333"},
            {"d_Crew", "0"}, {"d_H2O", "0"}, {"d_SI", "291"}, {"d_C", "138"}, {"d_O2", "0"}};
        for (const auto &[name, text] : expected)
            QTest::newRow(name) << QString::fromLatin1(text);
    }

    void newDesignShowsEveryFigure()
    {
        QFETCH(QString, text);
        WindowFixture f;
        QCOMPARE(f.text(QString::fromLatin1(QTest::currentDataTag())), text);
    }

    void newDesignIsSavedAndItsFiguresAreReadOnly()
    {
        WindowFixture f;
        QCOMPARE(marker(f), QStringLiteral("Bezeichnung"));
        for (const char *ro : {"d_SBE", "d_Stability", "d_FE", "d_Distance", "d_ProductionTime"})
            QVERIFY(f.edit(QString::fromLatin1(ro))->isReadOnly());
    }

    // Every spinner's range; the fusion drive's reaches 0 (the thruster then takes over).
    void spinnersHaveTheirRanges_data()
    {
        QTest::addColumn<QString>("spinner");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::newRow("storage") << "d_StorageBaysUD" << 1 << 100;
        for (const char *name : {"d_ArmorLevelUD", "d_ThrusterUD", "d_FusiUD", "d_ZVAUD", "d_MisslesUD",
                                 "d_LaserUD", "d_PlasmaUD"})
            QTest::newRow(name) << name << 0 << 100;
        QTest::newRow("ship factory") << "UpDown10" << 1 << 100;
        QTest::newRow("war factory") << "UpDown11" << 1 << 100;
    }
    void spinnersHaveTheirRanges()
    {
        QFETCH(QString, spinner);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        WindowFixture f;
        const UpDown *upDown = f.window().designerPage()->findChild<UpDown *>(spinner);
        QVERIFY(upDown);
        QCOMPARE(upDown->minimum(), minimum);
        QCOMPARE(upDown->maximum(), maximum);
        if (spinner == QStringLiteral("d_FusiUD")) {
            QTest::mouseClick(upDown->downButton(), Qt::LeftButton);
            QCOMPARE(f.text("d_Fusi"), QStringLiteral("0"));
            QCOMPARE(f.text("d_Thruster"), QStringLiteral("1"));
        }
    }

    // The special units stand in three columns in the order of the layout.
    void specialUnitsStandInTheirOrder()
    {
        WindowFixture f;
        const QStringList order{"d_Kolo", "d_Inva", "d_Crewed", "d_Cloak", "d_Spy", "d_Recy", "d_Raid", "d_Sabo"};
        auto *grid = qobject_cast<QGridLayout *>(
            f.window().designerPage()->findChild<QWidget *>(QStringLiteral("GroupBox2"))->layout());
        QVERIFY(grid);
        for (int slot = 0; slot < order.size(); ++slot) {
            const QLayoutItem *item = grid->itemAtPosition(slot / 3, slot % 3);
            QVERIFY(item && item->widget());
            QCOMPARE(item->widget()->objectName(), order[slot]);
        }
    }

    void typedLevelsUpdateEveryFigureAtOnce()
    {
        WindowFixture f;
        f.typeInto("d_ArmorLevel", "1");
        f.typeInto("d_Missles", "1");
        f.typeInto("d_Laser", "1");
        f.typeInto("d_Plasma", "1");
        f.typeInto("d_ZVA", "2");
        QCOMPARE(f.text("d_SBE"), QStringLiteral("2"));
        QCOMPARE(f.text("d_freeSBE"), QStringLiteral("4"));
        QCOMPARE(f.text("d_Armor"), QStringLiteral("8"));
        QCOMPARE(f.text("d_AS"), QStringLiteral("72"));
        QCOMPARE(f.text("d_FlightTimePercent"), QStringLiteral("82.81"));
        QCOMPARE(f.text("d_Stability"), QStringLiteral("128"));
        QCOMPARE(marker(f), QStringLiteral("Bezeichnung *"));
        QCOMPARE(f.state.designs.at(0).GetZVA(), 2);
    }

    void refusedOrUnreadableInputSnapsBack()
    {
        WindowFixture f;
        f.typeInto("d_ArmorLevel", "3");
        f.typeInto("d_ArmorLevel", "");
        QCOMPARE(f.text("d_ArmorLevel"), QStringLiteral("0"));
        f.typeInto("d_StorageBays", "4");
        f.typeInto("d_StorageBays", "");
        QCOMPARE(f.text("d_StorageBays"), QStringLiteral("4"));
        f.edit("d_StorageBays")->setText("-2"); // pasted: refused as a whole
        QCOMPARE(f.text("d_StorageBays"), QStringLiteral("4"));
        f.typeInto("d_StorageBays", "-2"); // typed: "-" snaps back to 4 at once, then 2 follows
        QCOMPARE(f.text("d_StorageBays"), QStringLiteral("42"));
        f.typeInto("d_Laser", "x");
        QCOMPARE(f.text("d_Laser"), QStringLiteral("0"));
        f.edit("d_Plasma")->setText("05");
        QCOMPARE(f.text("d_Plasma"), QStringLiteral("5"));
        // Fusion 0 while the thruster is 0 raises the thruster.
        f.typeInto("d_Fusi", "0");
        QCOMPARE(f.text("d_Fusi"), QStringLiteral("0"));
        QCOMPARE(f.text("d_Thruster"), QStringLiteral("1"));
        QCOMPARE(f.text("d_Acceleration"), QStringLiteral("10900"));
    }

    void typedNumbersAreNotLimitedByTheSpinners()
    {
        WindowFixture f;
        f.typeInto("d_Missles", "150");
        QCOMPARE(f.text("d_Missles"), QStringLiteral("150"));
        ShipDesign hundred;
        hundred.SetMissles(100);
        QCOMPARE(f.text("d_AS"), QString::number(hundred.GetAS()));
        QCOMPARE(f.state.designs.at(0).GetSBE(), 16); // 1 + 2 + 150 = 153
        // The arrows step within 0..100.
        UpDown *spinner = f.window().designerPage()->spinner(Component::Laser);
        QVERIFY(spinner);
        QTest::mouseClick(spinner->upButton(), Qt::LeftButton);
        QCOMPARE(f.text("d_Laser"), QStringLiteral("1"));
        QTest::mouseClick(spinner->downButton(), Qt::LeftButton);
        QTest::mouseClick(spinner->downButton(), Qt::LeftButton);
        QCOMPARE(f.text("d_Laser"), QStringLiteral("0"));
        f.typeInto("d_Laser", "100");
        QTest::mouseClick(spinner->upButton(), Qt::LeftButton);
        QCOMPARE(f.text("d_Laser"), QStringLiteral("100"));
        QTest::mouseClick(f.window().designerPage()->spinner(Component::StorageBays)->downButton(), Qt::LeftButton);
        QCOMPARE(f.text("d_StorageBays"), QStringLiteral("1"));
        // Outside the range a step never goes the other way: away leaves it, towards goes to the end.
        f.typeInto("d_Laser", "150");
        QTest::mouseClick(spinner->upButton(), Qt::LeftButton);
        QCOMPARE(f.text("d_Laser"), QStringLiteral("150"));
        QTest::mouseClick(spinner->downButton(), Qt::LeftButton);
        QCOMPARE(f.text("d_Laser"), QStringLiteral("100"));
        f.typeInto("d_ShipFactory", "0");
        QTest::mouseClick(f.window().findChild<UpDown *>("UpDown10")->downButton(), Qt::LeftButton);
        QCOMPARE(f.text("d_ShipFactory"), QStringLiteral("0"));
        QTest::mouseClick(f.window().findChild<UpDown *>("UpDown10")->upButton(), Qt::LeftButton);
        QCOMPARE(f.text("d_ShipFactory"), QStringLiteral("1"));
    }

    void colonisationTicksAndKeepsCrewed()
    {
        WindowFixture f;
        f.window().show();
        QTest::mouseClick(box(f, "d_Kolo"), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(box(f, "d_Kolo")->isChecked());
        QVERIFY(box(f, "d_Crewed")->isChecked());
        QCOMPARE(f.text("d_SBE"), QStringLiteral("3"));
        QCOMPARE(f.text("d_Stability"), QStringLiteral("300"));
        QCOMPARE(f.text("d_FE"), QStringLiteral("2134"));
        QCOMPARE(f.text("d_H2O"), QStringLiteral("30"));
        QCOMPARE(f.text("d_O2"), QStringLiteral("60"));
        QTest::mouseClick(box(f, "d_Crewed"), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(box(f, "d_Crewed")->isChecked());
        QTest::mouseClick(box(f, "d_Kolo"), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!box(f, "d_Kolo")->isChecked());
        QVERIFY(box(f, "d_Crewed")->isChecked());
        QTest::mouseClick(box(f, "d_Crewed"), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!box(f, "d_Crewed")->isChecked());
        QCOMPARE(marker(f), QStringLiteral("Bezeichnung"));
    }

    void markerFollowsTheSavedState()
    {
        WindowFixture f;
        f.typeInto("d_Thruster", "3");
        QCOMPARE(marker(f), QStringLiteral("Bezeichnung *"));
        f.typeInto("d_Thruster", "0");
        QCOMPARE(marker(f), QStringLiteral("Bezeichnung"));
    }

    void factoriesChangeOnlyTheProduction()
    {
        WindowFixture f;
        f.typeInto("d_Laser", "2");
        const QString before = f.text("d_ProductionTime");
        f.typeInto("d_WarFactory", "2");
        const QString war = f.text("d_ProductionTime");
        QVERIFY(war != before);
        f.typeInto("d_ShipFactory", "abc"); // not corrected, counts as level 1
        QCOMPARE(f.text("d_ShipFactory"), QStringLiteral("abc"));
        QCOMPARE(f.text("d_ProductionTime"), war);
        QCOMPARE(f.text("d_FE"), QString::number(f.state.designs.at(0).GetFE()));
    }

    // Production time and mine levels follow every level edit at once, not only a
    // change of a factory field. Figures worked out from the production and mine rules
    // with ship factory 3 and weapon factory 5; each step changes all four.
    void productionFollowsATypedLevel()
    {
        WindowFixture f;
        f.typeInto("d_ShipFactory", "3");
        f.typeInto("d_WarFactory", "5");
        struct Step {
            const char *edit, *level;
            const char *iron, *silicon, *carbon;
            const char *time, *feMine, *siMine, *cMine;
        };
        const Step steps[] = {
            {nullptr, nullptr, "333", "291", "138", "04:48:34", "7", "11", "8"},
            {"d_StorageBays", "4", "394", "301", "159", "05:11:38", "8", "10", "9"},
            {"d_Missles", "3", "637", "464", "220", "05:50:02", "12", "14", "11"},
            {"d_ZVA", "2", "865", "906", "276", "12:56:08", "6", "12", "5"},
        };
        for (const Step &s : steps) {
            if (s.edit)
                f.typeInto(QString::fromLatin1(s.edit), QString::fromLatin1(s.level));
            QCOMPARE(f.text("d_FE"), QString::fromLatin1(s.iron));
            QCOMPARE(f.text("d_SI"), QString::fromLatin1(s.silicon));
            QCOMPARE(f.text("d_C"), QString::fromLatin1(s.carbon));
            QCOMPARE(f.text("d_ProductionTime"), QString::fromLatin1(s.time));
            QCOMPARE(f.text("d_FEmine"), QString::fromLatin1(s.feMine));
            QCOMPARE(f.text("d_SImine"), QString::fromLatin1(s.siMine));
            QCOMPARE(f.text("d_Cmine"), QString::fromLatin1(s.cMine));
        }
        QCOMPARE(f.text("d_ShipFactory"), QStringLiteral("3"));
        QCOMPARE(f.text("d_WarFactory"), QStringLiteral("5"));
    }

    void absurdFactoryLevelsShowTheErrorBoxAndTheProgramGoesOn()
    {
        WindowFixture f;
        f.typeInto("d_ShipFactory", "100000");
        QVERIFY(!f.prompts.errors.isEmpty());
        f.typeInto("d_ShipFactory", "1");
        QCOMPARE(f.text("d_ProductionTime"), QStringLiteral("05:48:29"));
        QCOMPARE(f.text("d_FEmine"), QStringLiteral("5"));
    }

    void decimalSeparatorFollowsTheLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German));
        WindowFixture f;
        f.typeInto("d_ZVA", "1");
        QCOMPARE(f.text("d_FlightTimePercent"), QStringLiteral("91,00"));
        QLocale::setDefault(QLocale::c());
    }

    // A level field steps with the Up and Down keys and the mouse wheel as its
    // spinner's arrows do, within the spinner's range.
    void spinnerFieldsStepWithTheKeysAndTheWheel()
    {
        WindowFixture f;
        QLineEdit *laser = f.edit("d_Laser");
        laser->setFocus();
        QTest::keyClick(laser, Qt::Key_Up);
        QTest::keyClick(laser, Qt::Key_Up);
        QCOMPARE(laser->text(), QStringLiteral("2"));
        QCOMPARE(f.state.designs.at(0).GetLaser(), 2);
        QTest::keyClick(laser, Qt::Key_Down);
        QCOMPARE(laser->text(), QStringLiteral("1"));
        const auto wheel = [&](QLineEdit *e, int delta) {
            const QPointF at = e->rect().center();
            QWheelEvent event(at, e->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(e, &event);
        };
        wheel(laser, 120);
        QCOMPARE(laser->text(), QStringLiteral("2"));
        wheel(laser, -240);
        QCOMPARE(laser->text(), QStringLiteral("0"));
        wheel(laser, 60); // half a notch: not yet a step
        QCOMPARE(laser->text(), QStringLiteral("0"));
        wheel(laser, 60);
        QCOMPARE(laser->text(), QStringLiteral("1"));
        // The range of the arrows holds for the keys too.
        QLineEdit *storage = f.edit("d_StorageBays");
        QTest::keyClick(storage, Qt::Key_Down);
        QCOMPARE(storage->text(), QStringLiteral("1"));
        f.typeInto("d_Missles", "100");
        QTest::keyClick(f.edit("d_Missles"), Qt::Key_Up);
        QCOMPARE(f.text("d_Missles"), QStringLiteral("100"));
        // Factory fields have spinners as well.
        QTest::keyClick(f.edit("d_ShipFactory"), Qt::Key_Up);
        QCOMPARE(f.text("d_ShipFactory"), QStringLiteral("2"));
    }
};

QTEST_MAIN(DesignerPageTest)
#include "tst_DesignerPage.moc"
