// "Bester Konter...": each design's row agrees with "Mindestanzahl..." for its
// entry, "Übernehmen" adds the ships and shows the report the command-line tool
// prints for the fleets then, "Schließen" changes nothing, and a long search
// shows where it is and can be cancelled.
#include "app/KRM_Main.h"
#include "battle/FleetsJson.h"
#include "battle/page/BattlePage.h"
#include "battle/page/CourseChart.h"
#include "battle/page/CounterCommand.h"
#include "battle/page/CounterDialog.h"
#include "library/commands/LibraryCommands.h"
#include "support/CliRunner.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTabWidget>
#include <QTest>

using namespace qf;
using namespace qf::test;

namespace {

struct Battle : WindowFixture {
    Battle()
    {
        window().pageControl()->setCurrentIndex(2);
        window().show();
    }
    BattlePage *page() { return window().battlePage(); }
    int addDesign(const QString &name, int laser, int armor = 0, int storage = 1)
    {
        ShipDesign d;
        d.SetName(name);
        for (auto [c, level] : {std::pair{Component::Laser, laser}, {Component::ArmorLevel, armor},
                                {Component::StorageBays, storage}})
            d.SetLevel(c, level);
        window().library().appendDesign(d);
        return state.designs.size() - 1;
    }
    void add(int fleet, int design, int count)
    {
        page()->shipClassList(fleet)->setCurrentIndex(design);
        typeInto(QStringLiteral("b_ShipCount%1").arg(fleet), QString::number(count));
        page()->findChild<QPushButton *>(QStringLiteral("b_AddShipClass%1").arg(fleet))->click();
    }
    // Runs the search to its end; the dialog is answered by choosing `row` and
    // "Übernehmen", or, for -1, "Schließen". Returns the dialog's rows.
    QList<QStringList> bestCounter(int row)
    {
        QList<QStringList> rows;
        prompts.answerDialog([&rows, row](QDialog &d) {
            QTableWidget *table = static_cast<CounterDialog &>(d).table();
            for (int r = 0; r < table->rowCount(); ++r) {
                rows << QStringList();
                for (int c = 0; c < table->columnCount(); ++c)
                    rows.last() << table->item(r, c)->text();
            }
            if (row < 0)
                return int(QDialog::Rejected);
            table->selectRow(row);
            static_cast<CounterDialog &>(d).applyButton()->click();
            return d.result();
        });
        window().menuItem(QStringLiteral("BestCounter"))->trigger();
        if (!QTest::qWaitFor([this] { return !page()->isRunning(); }, 60000))
            qFatal("the counter search did not end");
        return rows;
    }
};

} // namespace

class CounterDialogTest : public QObject {
    Q_OBJECT
private slots:
    void everyRowAgreesWithTheMinimumCount()
    {
        Battle f;
        f.addDesign(QStringLiteral("Jäger"), 3, 1);
        const int escort = f.addDesign(QStringLiteral("Begleiter"), 1, 2, 3);
        const int fortress = f.addDesign(QStringLiteral("Festung"), 2, 6, 8);
        f.add(1, escort, 2);
        f.add(2, fortress, 40);
        const Fleet home = f.state.homeFleet;
        const QList<QStringList> rows = f.bestCounter(-1);
        QCOMPARE(rows.size(), f.state.designs.size());
        QCOMPARE(f.state.homeFleet.Classes[0].Count, 2); // "Schließen" changed nothing
        QCOMPARE(f.prompts.shownDialogs.last(), QStringLiteral("CounterDialog: Bester Konter"));
        for (int r = 0; r < rows.size(); ++r) {
            if (rows[r][1] == QStringLiteral("nicht erreichbar")) {
                QCOMPARE(r, rows.size() - 1);
                continue;
            }
            if (r > 0)
                QVERIFY(rows[r - 1][2].toLongLong() <= rows[r][2].toLongLong());
            f.state.homeFleet = home;
            f.page()->fleetsReplaced();
            f.bestCounter(r);
            const int entry = f.page()->rememberedPosition(1);
            QCOMPARE(f.state.homeFleet.Names.value(entry), rows[r][0]);
            f.window().menuItem(QStringLiteral("MinCount"))->trigger();
            QTRY_VERIFY_WITH_TIMEOUT(!f.page()->isRunning(), 60000);
            const int count = f.state.homeFleet.Classes[size_t(entry)].Count;
            // "Mindestanzahl für „…“: K. Anzahl übernehmen?"
            QCOMPARE(f.prompts.questions.last().section(u' ', -3, -3).chopped(1).toInt(), count);
            QCOMPARE(count, rows[r][1].toInt() + (rows[r][0] == QStringLiteral("Begleiter") ? 2 : 0));
        }
    }

    void takingARowShowsTheReportOfTheCommandLineTool()
    {
        Battle f;
        const int hunter = f.addDesign(QStringLiteral("Jäger"), 3, 1);
        f.add(2, f.addDesign(QStringLiteral("Festung"), 2, 6, 8), 25);
        f.add(1, hunter, 1);
        f.bestCounter(0);
        QVERIFY(f.page()->showsBattleReport());
        QVERIFY(f.page()->courseChart().hasCourse()); // fought as "Simulieren" fights
        CliCall call;
        call.input = FormatFleetsJson(f.state.homeFleet, f.state.foreignFleet);
        const CliRun cli = RunCli({QStringLiteral("battle"), QStringLiteral("-")}, call);
        QCOMPARE(cli.status, 0);
        QCOMPARE(f.page()->reportText().split(u'\n'), cli.lines());
    }

    void aLongSearchShowsTheDesignAndCanBeCancelled()
    {
        Battle f;
        f.state.foreignFleet.AddShips(2000000000, 1, 0, 1000, QStringLiteral("Fremd"), 1, 0, 0);
        f.addDesign(QStringLiteral("Nadel"), 1);
        f.window().menuItem(QStringLiteral("BestCounter"))->trigger();
        QVERIFY(f.page()->isRunning());
        QVERIFY(!f.window().menuItem(QStringLiteral("BestCounter"))->isEnabled());
        auto *bar = f.page()->findChild<QProgressBar *>(QStringLiteral("b_Progress"));
        QTRY_COMPARE_WITH_TIMEOUT(bar->text(), QStringLiteral("Konter: Design 2 von 2 \u2013 Nadel"), 20000);
        f.page()->findChild<QPushButton *>(QStringLiteral("b_Cancel"))->click();
        QTRY_VERIFY_WITH_TIMEOUT(!f.page()->isRunning(), 20000);
        QVERIFY(f.prompts.shownDialogs.isEmpty());
        QVERIFY(f.state.homeFleet.isEmpty());
    }
};

QTEST_MAIN(CounterDialogTest)
#include "tst_CounterDialog.moc"
