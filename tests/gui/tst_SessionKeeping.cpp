// What the window hands to its next start: the fleets and the report after a clean
// end, the unsaved designs after a run that did not end cleanly.
#include "battle/page/BattlePage.h"
#include "battle/page/CourseChart.h"
#include "session/RecoveryFile.h"
#include "support/WindowFixture.h"

#include <QFile>
#include <QLabel>
#include <algorithm>
#include <QTest>

using namespace qf;
using namespace qf::test;

class SessionKeepingTest : public QObject {
    Q_OBJECT

private slots:
    void fleetsAndReportComeBackAfterAQuitWithoutAQuestion()
    {
        WindowFixture f;
        f.window().show();
        f.state.homeFleet.AddShips(5, 10, 2, 30, QStringLiteral("Jäger"), 1, 2, 3);
        f.state.foreignFleet.AddShips(2, 4, 1, 10, QStringLiteral("Späher"), 1, 1, 1);
        f.window().battlePage()->b_SimulateClick();
        QTRY_VERIFY(f.window().battlePage()->showsBattleReport());
        f.state.designs.rename(0, QStringLiteral("Kreuzer"));
        QTRY_VERIFY(QFile::exists(RecoveryFilePath()));
        f.prompts.choiceAnswers.push_back(QStringLiteral("Nicht speichern"));
        f.window().ExitClick();
        AppState state; ScriptedPrompts prompts;
        TKRM_Main next(state, prompts, {QStringLiteral("schiffsdesigner")});
        next.show();
        QCoreApplication::processEvents();
        QCOMPARE(state.homeFleet.Names + state.foreignFleet.Names, f.state.homeFleet.Names + f.state.foreignFleet.Names);
        QCOMPARE(next.battlePage()->reportText(), f.window().battlePage()->reportText());
        QVERIFY(next.menuItem(QStringLiteral("SaveReport"))->isEnabled());
        const QList<QLabel *> notes = next.battlePage()->courseChart().findChildren<QLabel *>();
        QVERIFY(std::any_of(notes.begin(), notes.end(), [](QLabel *l) { return l->text().contains("letzten Programmlauf"); }));
        QCOMPARE(prompts.choices.size(), 0); // the recovery file went with the clean end
    }

    void unsavedDesignsAreOfferedAfterACrash_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("restored");
        QTest::newRow("Wiederherstellen") << "Wiederherstellen" << true;
        QTest::newRow("Verwerfen") << "Verwerfen" << false;
        QTest::newRow("box closed") << QString() << true;
    }

    void unsavedDesignsAreOfferedAfterACrash()
    {
        QFETCH(QString, answer);
        QFETCH(bool, restored);
        WindowFixture f;
        f.window().show();
        f.state.designs.rename(0, QStringLiteral("Kreuzer"));
        f.typeInto(QStringLiteral("d_Laser"), QStringLiteral("17"));
        QTRY_VERIFY(QFile::exists(RecoveryFilePath()));
        { // a second window meanwhile neither asks nor takes the file away when it ends
            AppState state; ScriptedPrompts prompts;
            TKRM_Main meanwhile(state, prompts, {QStringLiteral("schiffsdesigner")});
            meanwhile.show();
            QCoreApplication::processEvents();
            QVERIFY(meanwhile.close() && prompts.choices.isEmpty() && QFile::exists(RecoveryFilePath()));
        }
        f.dropWindow();
        AppState state; ScriptedPrompts prompts; // the next start after the crash
        if (!answer.isEmpty())
            prompts.choiceAnswers.push_back(answer);
        TKRM_Main next(state, prompts, {QStringLiteral("schiffsdesigner")});
        QVERIFY(prompts.choices.isEmpty()); // asked over the window, once it is shown
        next.show();
        QTRY_COMPARE(prompts.choices, QList<QStringList>({{"Wiederherstellen", "Verwerfen"}}));
        QCOMPARE(state.designs.size(), restored ? 2 : 1);
        QCOMPARE(QFile::exists(RecoveryFilePath()), restored);
        const ShipDesign &back = state.designs.at(state.designs.size() - 1);
        QCOMPARE(back.GetName() == QStringLiteral("Kreuzer") && back.GetLaser() == 17 && back.IsChanged(), restored);
    }
};

QTEST_MAIN(SessionKeepingTest)
#include "tst_SessionKeeping.moc"
