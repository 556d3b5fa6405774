// "Rückgängig" and "Wiederholen": each kind of change taken back and made again through the widgets.
#include "battle/FleetsJson.h"
#include "battle/page/BattlePage.h"
#include "battle/page/CounterDialog.h"
#include "designer/DesignerPage.h"
#include "library/DesignFile.h"
#include "support/WindowFixture.h"
#include <QtTest>
#include <QtWidgets>

using namespace qf;
using namespace qf::test;
// A change made as a player makes it, the items' caption it leaves after the colon, and whether it is a design's.
struct Step { std::function<void(WindowFixture &)> change; QString caption; bool design; };
Q_DECLARE_METATYPE(Step)
#define CHANGE(...) [](WindowFixture &f) { __VA_ARGS__; }
namespace {
template <typename T = QWidget> T *get(WindowFixture &f, const QString &name) { return f.window().findChild<T *>(name); }
QAction *item(WindowFixture &f, const char *name) { return f.window().menuItem(QString::fromLatin1(name)); }
void runToEnd(WindowFixture &f, const char *name) { item(f, name)->trigger(); QTRY_VERIFY_WITH_TIMEOUT(!f.window().battlePage()->isRunning(), 60000); }
bool names(QAction *item, const QString &caption) { return QRegularExpression(u'^' + caption + u'$').match(item->text()).hasMatch(); }
// Two designs beside the new one; one "Laser 3" at home and four "Laser 2" abroad, added as a player adds them.
void prepare(WindowFixture &f)
{
    for (int laser : {3, 2})
        f.state.designs.update(f.state.designs.append(ShipDesign()), [laser](ShipDesign &d) { d.SetName(QStringLiteral("Laser %1").arg(laser)), d.SetLaser(laser); });
    for (int fleet : {2, 1}) {
        get<QComboBox>(f, QStringLiteral("b_ShipClass%1").arg(fleet))->setCurrentIndex(fleet);
        f.typeInto(QStringLiteral("b_ShipCount%1").arg(fleet), QString::number(fleet * fleet));
        get<QPushButton>(f, QStringLiteral("b_AddShipClass%1").arg(fleet))->click();
    }
    f.window().designerPage()->selectDesign(0);
}
// The fleets, the design the Designer page shows and its name, and what the Kampfsimulator page shows.
QStringList shown(WindowFixture &f)
{
    QStringList s = {QString::fromUtf8(FormatFleetsJson(f.state.homeFleet, f.state.foreignFleet) + FormatDesignFile(f.window().designerPage()->shownFigures()))};
    for (const char *field : {"b_Fleet1AS", "b_Fleet2Cost", "b_Fleet1LastClassIndex", "b_Fleet2LastClassIndex"})
        s << f.text(field);
    return s << f.window().designerPage()->shipNameList()->currentText() << QString::number(f.window().designerPage()->selectedIndex());
}
} // namespace
class UndoTest : public QObject {
    Q_OBJECT
private slots:
    void everyChangeIsUndoneAndRedone_data()
    {
        QTest::addColumn<Step>("step");
        QTest::newRow("level typed") << Step{CHANGE(f.typeInto("d_Laser", "75")), "Laserkanonen 75", true};
        QTest::newRow("action") << Step{CHANGE(get<QCheckBox>(f, "d_Kolo")->click()), "Kolonisation an", true};
        QTest::newRow("name") << Step{CHANGE(f.prompts.acceptWithText("NewShipname", "Kreuzer"); f.window().designerPage()->renameButton()->click()), "Umbenennen in Kreuzer", true};
        QTest::newRow("add") << Step{CHANGE(get<QPushButton>(f, "b_AddShipClass1")->click()), "Hinzufügen 1 Laser 3", false};
        QTest::newRow("+") << Step{CHANGE(QTest::keyClick(get(f, "b_Fleet1List"), Qt::Key_Plus)), "\\+ Laser 3", false};
        QTest::newRow("-") << Step{CHANGE(QTest::keyClick(get(f, "b_Fleet1List"), Qt::Key_Minus)), "- Laser 3", false};
        QTest::newRow("Entf") << Step{CHANGE(QTest::keyClick(get(f, "b_Fleet1List"), Qt::Key_Delete)), "Entf Laser 3", false};
        QTest::newRow("value") << Step{CHANGE(f.prompts.acceptWithText("bd_Value", "100"); QTest::mouseClick(f.edit("b_Fleet1AS"), Qt::LeftButton)), "Zielwert Laser 3", false};
        QTest::newRow("load") << Step{CHANGE(QSaveFile file(f.path("f.json")); file.open(QIODevice::WriteOnly); file.write(FormatFleetsJson(f.state.foreignFleet, Fleet()));
                                             QVERIFY(file.commit()); f.prompts.answerOpenFile(file.fileName()); item(f, "LoadFleets")->trigger()), "Flotten laden", false};
        QTest::newRow("reset") << Step{CHANGE(item(f, "Zurcksetzen1")->trigger()), "Zurücksetzen", false};
        QTest::newRow("mincount") << Step{CHANGE(f.prompts.questionAnswers.push_back(true); runToEnd(f, "MinCount")), "Mindestanzahl Laser 3 \\d+", false};
        QTest::newRow("counter") << Step{CHANGE(f.prompts.answerDialog([](QDialog &d) { auto &c = static_cast<CounterDialog &>(d); c.table()->selectRow(0); return c.applyButton()->click(), d.result(); });
                                                runToEnd(f, "BestCounter")), "Bester Konter \\d+ Laser \\d", false};
    }
    void everyChangeIsUndoneAndRedone()
    {
        QFETCH(Step, step);
        WindowFixture f;
        QAction *undo = item(f, "Undo"), *redo = item(f, "Redo");
        QVERIFY(names(undo, "Rückgängig") && names(redo, "Wiederholen") && !undo->isEnabled() && !redo->isEnabled());
        prepare(f);
        const QStringList before = shown(f);
        step.change(f);
        const QStringList after = shown(f);
        QVERIFY(after != before);
        QVERIFY2(names(undo, "Rückgängig: " + step.caption), qPrintable(undo->text()));
        if (step.design)
            f.window().designerPage()->selectDesign(2); // the undone design is shown again
        undo->trigger();
        QCOMPARE(shown(f), before);
        QVERIFY2(names(redo, "Wiederholen: " + step.caption), qPrintable(redo->text()));
        redo->trigger();
        QCOMPARE(shown(f), after);
    }
    // A field's typing is one step until the focus leaves it; the items' keys win over the field's own.
    void typingIsOneStepUntilTheFocusLeaves()
    {
        WindowFixture f;
        f.window().show();
        QVERIFY(QTest::qWaitForWindowActive(&f.window()));
        for (const char *typed : {"75", "3", "", "9"}) // "" moves the focus away and back
            *typed ? f.typeInto("d_Laser", typed) : f.edit("d_Plasma")->setFocus();
        for (auto [keys, laser] : {std::pair("Ctrl+Z", "3"), {"Ctrl+Z", "0"}, {"Ctrl+Y", "3"}, {"Ctrl+Shift+Z", "9"}}) {
            QTest::keySequence(f.edit("d_Laser"), QKeySequence(QString::fromLatin1(keys)));
            QCOMPARE(f.text("d_Laser"), QString::fromLatin1(laser));
        }
    }
    // Undo never writes: a saved design whose values go back is unsaved again.
    void aSavedDesignIsUnsavedAfterUndo()
    {
        WindowFixture f;
        f.typeInto("d_Laser", "4");
        f.prompts.answerSaveFile(f.path("x.shp"));
        item(f, "SaveAs")->trigger();
        item(f, "Undo")->trigger();
        QCOMPARE(get<QLabel>(f, QStringLiteral("Label1"))->text(), QStringLiteral("Bezeichnung *"));
    }
    // While a battle runs the fleets' steps wait as the fleets do; "Löschen" ends the history,
    // whose steps name designs by their place.
    void aBattleHoldsTheFleetStepsAndLoeschenEndsTheHistory()
    {
        WindowFixture f;
        prepare(f);
        for (Fleet *fleet : {&f.state.homeFleet, &f.state.foreignFleet}) // millions of rounds
            fleet->Classes[0] = {QStringLiteral("Lang"), 30000000, 1, 0, 20000000, 1, 0, 0, 1}, fleet->Recalculate();
        f.window().battlePage()->b_SimulateClick();
        QVERIFY(f.window().battlePage()->isRunning() && !item(f, "Undo")->isEnabled());
        f.window().battlePage()->cancelRunning();
        QVERIFY(item(f, "Undo")->isEnabled());
        f.prompts.acceptDialog();
        item(f, "Delete")->trigger();
        QVERIFY(!item(f, "Undo")->isEnabled());
    }
};

QTEST_MAIN(UndoTest)
#include "tst_Undo.moc"
