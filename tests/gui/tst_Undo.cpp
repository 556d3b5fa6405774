// "Rückgängig" and "Wiederholen": each kind of change taken back and made again
// through the widgets of the whole main window.
#include "app/KRM_Main.h"
#include "battle/FleetsJson.h"
#include "battle/page/BattlePage.h"
#include "battle/page/CounterCommand.h"
#include "designer/DesignerPage.h"
#include "library/commands/LibraryCommands.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

using namespace qf;
using namespace qf::test;

using Change = std::function<void(WindowFixture &)>;
Q_DECLARE_METATYPE(Change)

namespace {
template <typename T = QWidget> T *get(WindowFixture &f, const QString &name) { return f.window().findChild<T *>(name); }
QAction *item(WindowFixture &f, const char *name) { return f.window().menuItem(QString::fromLatin1(name)); }
QListWidget *list(WindowFixture &f) { return get<QListWidget>(f, QStringLiteral("b_Fleet1List")); }

// Two designs beside the new one, and ships of each in one fleet, added as a player adds them.
void prepare(WindowFixture &f)
{
    for (const auto &[name, laser, armor] : {std::tuple("Jäger", 3, 1), std::tuple("Festung", 2, 6)}) {
        ShipDesign d;
        d.SetName(QString::fromUtf8(name));
        d.SetLaser(laser);
        d.SetArmorLevel(armor);
        f.window().library().appendDesign(d);
    }
    for (int fleet : {2, 1}) {
        get<QComboBox>(f, QStringLiteral("b_ShipClass%1").arg(fleet))->setCurrentIndex(fleet);
        f.typeInto(QStringLiteral("b_ShipCount%1").arg(fleet), QString::number(fleet * fleet));
        get<QPushButton>(f, QStringLiteral("b_AddShipClass%1").arg(fleet))->click();
    }
    f.window().designerPage()->selectDesign(0);
}

// The designs, the fleets, and everything the Designer and the Kampfsimulator page show.
QStringList shown(WindowFixture &f)
{
    QStringList s = {QString::fromUtf8(FormatFleetsJson(f.state.homeFleet, f.state.foreignFleet))};
    for (const ShipDesign &d : f.state.designs.designs())
        s << d.GetName() << QString::number(d.GetSBE());
    for (QWidget *page : {static_cast<QWidget *>(f.window().designerPage()), static_cast<QWidget *>(f.window().battlePage())}) {
        for (QLineEdit *e : page->findChildren<QLineEdit *>())
            if (e->window() == &f.window() && !e->isHidden())
                s << e->objectName() + u'=' + e->text();
        for (QCheckBox *b : page->findChildren<QCheckBox *>())
            s << b->objectName() + QString::number(b->isChecked());
    }
    for (int i = 0; i < list(f)->count(); ++i)
        s << list(f)->item(i)->text();
    return s << QString::number(f.window().designerPage()->selectedIndex());
}
} // namespace

class UndoTest : public QObject {
    Q_OBJECT
private slots:
    void everyChangeIsUndoneAndRedone_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("step"); // the items' caption after the colon
        QTest::addColumn<bool>("design");
        const auto key = [](char c) { return [c](WindowFixture &f) { QTest::keyClick(list(f), c); }; };
        QTest::newRow("level typed") << Change([](WindowFixture &f) { f.typeInto("d_Laser", "75"); }) << "Laserkanonen 75" << true;
        QTest::newRow("action") << Change([](WindowFixture &f) { get<QCheckBox>(f, "d_Kolo")->click(); }) << "Kolonisation an" << true;
        QTest::newRow("name") << Change([](WindowFixture &f) {
            f.prompts.acceptWithText("NewShipname", "Kreuzer");
            f.window().designerPage()->renameButton()->click();
        }) << "Umbenennen in Kreuzer" << true;
        QTest::newRow("add") << Change([](WindowFixture &f) { get<QPushButton>(f, "b_AddShipClass1")->click(); }) << "Hinzufügen 1 Jäger" << false;
        QTest::newRow("+") << Change(key('+')) << "\\+ Jäger" << false;
        QTest::newRow("-") << Change(key('-')) << "- Jäger" << false;
        QTest::newRow("Entf") << Change([](WindowFixture &f) { QTest::keyClick(list(f), Qt::Key_Delete); }) << "Entf Jäger" << false;
        QTest::newRow("value") << Change([](WindowFixture &f) {
            f.prompts.acceptWithText("bd_Value", "100");
            QTest::mouseClick(f.edit("b_Fleet1AS"), Qt::LeftButton);
        }) << "Zielwert Jäger" << false;
        QTest::newRow("load") << Change([](WindowFixture &f) {
            QFile file(f.path("f.json"));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(FormatFleetsJson(f.state.foreignFleet, Fleet())) > 0);
            file.close();
            f.prompts.answerOpenFile(file.fileName());
            item(f, "LoadFleets")->trigger();
        }) << "Flotten laden" << false;
        QTest::newRow("reset") << Change([](WindowFixture &f) { item(f, "Zurcksetzen1")->trigger(); }) << "Zurücksetzen" << false;
        QTest::newRow("mincount") << Change([](WindowFixture &f) {
            f.prompts.questionAnswers.push_back(true);
            item(f, "MinCount")->trigger();
            QTRY_VERIFY_WITH_TIMEOUT(!f.window().battlePage()->isRunning(), 60000);
        }) << "Mindestanzahl Jäger \\d+" << false;
        QTest::newRow("counter") << Change([](WindowFixture &f) {
            const CounterSearch found = FindBestCounters(f.state.homeFleet, f.state.foreignFleet, {CounterDesign::Of(f.state.designs.at(1))});
            QVERIFY(f.window().battlePage()->counter().ApplyCounter(found.rows.at(0)));
        }) << "Bester Konter \\d+ Jäger" << false;
    }
    void everyChangeIsUndoneAndRedone()
    {
        QFETCH(Change, change);
        QFETCH(QString, step);
        QFETCH(bool, design);
        WindowFixture f;
        QAction *undo = item(f, "Undo");
        QAction *redo = item(f, "Redo");
        QCOMPARE(undo->text() + redo->text(), QStringLiteral("RückgängigWiederholen"));
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        prepare(f);
        const QStringList before = shown(f);
        change(f);
        const QStringList after = shown(f);
        QVERIFY(after != before);
        QVERIFY2(QRegularExpression(QStringLiteral("^Rückgängig: ") + step + u'$').match(undo->text()).hasMatch(), qPrintable(undo->text()));
        if (design)
            f.window().designerPage()->selectDesign(2); // the undone design is shown again
        undo->trigger();
        QCOMPARE(shown(f), before);
        QVERIFY2(QRegularExpression(QStringLiteral("^Wiederholen: ") + step + u'$').match(redo->text()).hasMatch(), qPrintable(redo->text()));
        redo->trigger();
        QCOMPARE(shown(f), after);
    }

    // A field's typing is one step until the focus leaves it; the keys of the
    // items win over the field's own.
    void typingIsOneStepUntilTheFocusLeaves()
    {
        WindowFixture f;
        f.window().show();
        QVERIFY(QTest::qWaitForWindowActive(&f.window()));
        f.typeInto("d_Laser", "75");
        f.typeInto("d_Laser", "3");
        f.edit("d_Plasma")->setFocus();
        f.typeInto("d_Laser", "9");
        QCOMPARE(f.state.history.stack().count(), 2);
        for (auto [keys, laser] : {std::pair("Ctrl+Z", "3"), {"Ctrl+Z", "0"}, {"Ctrl+Y", "3"}, {"Ctrl+Shift+Z", "9"}}) {
            QTest::keySequence(f.edit("d_Laser"), QKeySequence(QString::fromLatin1(keys)));
            QCOMPARE(f.text("d_Laser"), QString::fromLatin1(laser));
        }
    }

    // Undo leaves the file alone: a saved design whose values go back is unsaved again.
    void aSavedDesignIsUnsavedAfterUndo()
    {
        WindowFixture f;
        f.typeInto("d_Laser", "4");
        f.prompts.answerSaveFile(f.path("x.shp"));
        item(f, "SaveAs")->trigger();
        QFile file(f.path("x.shp"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray saved = file.readAll();
        item(f, "Undo")->trigger();
        QVERIFY(f.state.designs.at(0).IsChanged());
        QCOMPARE(get<QLabel>(f, QStringLiteral("Label1"))->text(), QStringLiteral("Bezeichnung *"));
        QVERIFY(file.seek(0));
        QCOMPARE(file.readAll(), saved);
        // Deleting a design ends the history: its steps name places in the list.
        f.prompts.acceptDialog();
        item(f, "Delete")->trigger();
        QVERIFY(!item(f, "Redo")->isEnabled());
    }

    // While a battle runs the fleets wait, and so do their steps.
    void aRunningBattleHoldsTheFleetSteps()
    {
        WindowFixture f;
        prepare(f);
        for (Fleet *fleet : {&f.state.homeFleet, &f.state.foreignFleet}) {
            *fleet = Fleet();
            fleet->AddShips(30000000, 1, 0, 20000000, QStringLiteral("Lang"), 1, 0, 0);
        }
        f.window().battlePage()->b_SimulateClick();
        QVERIFY(f.window().battlePage()->isRunning());
        QVERIFY(!item(f, "Undo")->isEnabled());
        f.window().battlePage()->cancelRunning();
        QVERIFY(item(f, "Undo")->isEnabled());
    }
};

QTEST_MAIN(UndoTest)
#include "tst_Undo.moc"
