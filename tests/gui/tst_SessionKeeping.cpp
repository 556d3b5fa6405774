// What the window hands to its next start: the fleets and the report after a clean
// end, the unsaved designs after a run that did not end cleanly.
#include "app/KRM_Main.h"
#include "battle/page/BattlePage.h"
#include "designer/DesignerPage.h"
#include "session/KeptPlanning.h"
#include "session/RecoveryFile.h"
#include "session/StateFolder.h"
#include "support/WindowFixture.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

using namespace qf;
using namespace qf::test;

namespace {
// The next start in the same folders, with the answer to its recovery question.
struct NextStart {
    explicit NextStart(const QString &answer = QString())
    {
        if (!answer.isEmpty())
            prompts.choiceAnswers.push_back(answer);
        w = std::make_unique<TKRM_Main>(state, prompts, QStringList{QStringLiteral("schiffsdesigner")});
    }
    AppState state;
    ScriptedPrompts prompts;
    std::unique_ptr<TKRM_Main> w;
};

QStringList shown(TKRM_Main &w, int fleet)
{
    QStringList items;
    const auto *list = w.findChild<QListWidget *>(QStringLiteral("b_Fleet%1List").arg(fleet));
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}
} // namespace

class SessionKeepingTest : public QObject {
    Q_OBJECT

private slots:
    void fleetsAndReportComeBackAfterAQuit()
    {
        WindowFixture f;
        f.state.homeFleet.AddShips(5, 10, 2, 30, QStringLiteral("Jäger"), 1, 2, 3);
        f.state.foreignFleet.AddShips(2, 4, 1, 10, QStringLiteral("Späher"), 1, 1, 1);
        BattlePage &page = *f.window().battlePage();
        page.ShowFleets();
        page.b_SimulateClick();
        QTRY_VERIFY(page.showsBattleReport());
        f.window().ExitClick();
        QCOMPARE(f.exitStatuses, QList<int>{0});
        NextStart next;
        for (int fleet : {1, 2})
            QCOMPARE(shown(*next.w, fleet), shown(f.window(), fleet));
        QCOMPARE(next.w->battlePage()->reportText(), page.reportText());
        QVERIFY(next.w->menuItem(QStringLiteral("SaveReport"))->isEnabled());
    }

    void aDamagedFleetsFileIsSetAsideAndNamed()
    {
        WindowFixture f;
        const KeptPlanning kept(StateFolder());
        f.state.homeFleet.AddShips(5, 10, 2, 30, QStringLiteral("Jäger"), 1, 2, 3);
        f.window().ExitClick();
        QFile file(kept.fleetsPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("{\"home\": [");
        file.close();
        NextStart next;
        QVERIFY(next.state.homeFleet.isEmpty());
        QVERIFY(!QFile::exists(kept.fleetsPath()));
        const QString log = next.w->findChild<QPlainTextEdit *>(QStringLiteral("DebugConsole"))->toPlainText();
        QVERIFY(log.contains(kept.fleetsPath() + QStringLiteral(".defekt-")));
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
        f.state.designs.rename(0, QStringLiteral("Kreuzer"));
        f.typeInto(QStringLiteral("d_Laser"), QStringLiteral("17"));
        QTRY_VERIFY(QFile::exists(RecoveryFilePath()));
        NextStart next(answer); // the first window never ended
        QCOMPARE(next.prompts.choices, QList<QStringList>({{"Wiederherstellen", "Verwerfen"}}));
        QCOMPARE(next.state.designs.size(), restored ? 2 : 1);
        QCOMPARE(QFile::exists(RecoveryFilePath()), restored);
        if (restored) {
            const ShipDesign &back = next.state.designs.at(1);
            QCOMPARE(back.GetName(), QStringLiteral("Kreuzer"));
            QCOMPARE(back.GetLaser(), 17);
            QVERIFY(back.IsChanged());
        }
    }

    void aCleanEndRemovesTheRecoveryFile()
    {
        WindowFixture f;
        f.state.designs.rename(0, QStringLiteral("Kreuzer"));
        QTRY_VERIFY(QFile::exists(RecoveryFilePath()));
        f.prompts.choiceAnswers.push_back(QStringLiteral("Nicht speichern"));
        f.window().ExitClick();
        QVERIFY(!QFile::exists(RecoveryFilePath()));
        NextStart next;
        QVERIFY(next.prompts.choices.isEmpty());
    }
};

QTEST_MAIN(SessionKeepingTest)
#include "tst_SessionKeeping.moc"
