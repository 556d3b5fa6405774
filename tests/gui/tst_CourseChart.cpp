// The tab "Verlauf": the chart of the battle just fought, and "Verlauf speichern...".
#include "battle/page/CourseChart.h"
#include "battle/page/BattlePage.h"
#include "battle/page/BattleRunner.h"
#include "battle/BattleSimulation.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QChart>
#include <QComboBox>
#include <QFile>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace qf;
using namespace qf::test;

namespace {

struct Battle : WindowFixture {
    // Both fleets of `ships` ships of attack 1 and the given stability.
    explicit Battle(int ships, int stability)
    {
        for (Fleet *f : {&state.homeFleet, &state.foreignFleet})
            f->AddShips(ships, 1, 0, stability, f == &state.homeFleet ? "Heim" : "Fremd", 1, 0, 0);
        window().battlePage()->ShowFleets();
        window().pageControl()->setCurrentIndex(2);
    }
    CourseChart &chart() { return window().battlePage()->courseChart(); }
    QAction *saveCourse() { return window().menuItem(QStringLiteral("SaveCourse")); }
    void simulate() { QTest::mouseClick(window().findChild<QPushButton *>("b_Simulate"), Qt::LeftButton); }
    QByteArray save(const QString &name)
    {
        prompts.answerSaveFile(path(name));
        saveCourse()->trigger();
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

} // namespace

class CourseChartTest : public QObject {
    Q_OBJECT
private slots:
    void theChartDrawsTheCourseOfTheBattle_data()
    {
        QTest::addColumn<int>("ships");
        QTest::addColumn<int>("stability");
        QTest::addColumn<bool>("logarithmic");
        QTest::newRow("short") << 40 << 30 << false;
        QTest::newRow("long, logarithmic") << 30000 << 20000 << true;
    }
    void theChartDrawsTheCourseOfTheBattle()
    {
        QFETCH(int, ships);
        QFETCH(int, stability);
        QFETCH(bool, logarithmic);
        Battle b(ships, stability);
        QVERIFY(!b.saveCourse()->isEnabled());
        b.simulate();
        QVERIFY(b.saveCourse()->isEnabled());
        const BattleOutcome fought = FightBattle(b.state.homeFleet, b.state.foreignFleet);
        const std::vector<CoursePoint> &points = b.chart().course()->points();
        QCOMPARE(points.back().round, fought.rounds);
        QVERIFY(points.size() <= BattleCourse::kMostPoints);
        b.window().findChild<QTabWidget *>("b_ResultTabs")->setCurrentIndex(1);
        QCOMPARE(fought.rounds > kLinearCourseRounds, logarithmic);
        QCOMPARE(bool(qobject_cast<QLogValueAxis *>(b.chart().chart()->axes(Qt::Horizontal).value(0))), logarithmic);
        auto *combo = b.chart().findChild<QComboBox *>("b_CourseValue");
        for (int value : {0, 1, 2}) {
            combo->setCurrentIndex(value);
            const QList<QAbstractSeries *> series = b.chart().chart()->series();
            QCOMPARE(series.size(), 2);
            const QList<QPointF> drawn = static_cast<QLineSeries *>(series[1])->points();
            QCOMPARE(drawn.size(), qsizetype(points.size()));
            QCOMPARE(drawn.first().x(), logarithmic ? 1.0 : 0.0);
            QCOMPARE(drawn.last().x(), double(fought.rounds));
            const CourseSide &last = points.back().of(Side::Foreign);
            QCOMPARE(drawn.last().y(), double(value == 0 ? last.shipsLeft : value == 1 ? last.stabilityLeft : last.attackLeft));
        }
    }

    void aCancelledBattleShowsItsCourseUpToTheCancel()
    {
        Battle b(30000000, 20000000);
        b.simulate();
        QVERIFY(b.window().battlePage()->isRunning());
        QTest::qWait(300);
        b.window().battlePage()->cancelRunning();
        const QString report = b.window().findChild<QPlainTextEdit *>("b_BattleReport")->toPlainText();
        QVERIFY(b.chart().hasCourse());
        QVERIFY(b.saveCourse()->isEnabled());
        QCOMPARE(report.section(u' ', 3, 3), QString::number(b.chart().course()->points().back().round));
    }

    void saveCourseWritesCsvPngOrSvg()
    {
        Battle b(40, 30);
        b.simulate();
        QCOMPARE(QString::fromUtf8(b.save("Verlauf.csv")), FormatCourseCsv(*b.chart().course()));
        QVERIFY(b.save("Verlauf.png").startsWith("\x89PNG\r\n"));
        const QByteArray svg = b.save("Verlauf.svg");
        QVERIFY(svg.contains("<svg") && svg.contains("Verlauf des Kampfes"));
        // Another report (the help) has no course: nothing to save.
        QTest::mouseClick(b.window().findChild<QPushButton *>("b_Reset"), Qt::LeftButton);
        QVERIFY(!b.saveCourse()->isEnabled());
    }
};

QTEST_MAIN(CourseChartTest)
#include "tst_CourseChart.moc"
