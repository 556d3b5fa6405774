// The "Rechner" page: its three groups, typing into them as a player would, the
// guard of the drive levels, "Design verwenden" and the debug lines.
#include "ui/AppState.h"
#include "ui/DebugLog.h"
#include "ui/FormWidgets.h"
#include "calc/BattleCalc.h"
#include "calc/page/CalculatorPage.h"
#include "calc/FlightCalc.h"
#include "calc/SpecialActions.h"
#include "designer/DesignerPage.h"
#include "model/Formulas.h"
#include "support/ScriptedPrompts.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <memory>

using namespace qf;
using namespace qf::test;

namespace {
struct Page {
    AppState state;
    ScriptedPrompts prompts;
    QPlainTextEdit console;
    DebugLog log{console};
    DesignerPage designer{state, prompts};
    CalculatorPage page{designer, log, prompts};

    QLineEdit *edit(const char *name) const
    {
        QLineEdit *e = page.findChild<QLineEdit *>(QString::fromLatin1(name));
        if (!e)
            qFatal("no edit %s", name);
        return e;
    }
    QString text(const char *name) const { return edit(name)->text(); }
    QStringList logLines() const
    {
        const QString all = console.toPlainText();
        return all.isEmpty() ? QStringList() : all.split(u'\n');
    }
    // Replaces the text as a player would: select all, then type.
    void type(const char *name, const QString &text)
    {
        QLineEdit *e = edit(name);
        e->setFocus();
        QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            QTest::keyClick(e, Qt::Key_Delete);
        else
            QTest::keyClicks(e, text);
    }
    FlightInputs flightInputs() const
    {
        FlightInputs in;
        in.startPlanet = text("r_StartPlanet");
        in.targetPlanet = text("r_TargetPlanet");
        in.thruster = text("r_Thruster");
        in.fusi = text("r_Fusi");
        in.zva = text("r_ZVA");
        in.stability = text("r_Stability");
        in.spaceport = text("r_Spaceport");
        return in;
    }
};

struct Control {
    const char *name;
    const char *text;
    bool readOnly;
};
} // namespace

class CalculatorPageTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Page> p;

    void showPage()
    {
        p->page.resize(p->page.sizeHint());
        p->page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p->page));
        QApplication::setActiveWindow(&p->page);
    }

    void compareFlightWithCore()
    {
        const FlightResults r = ComputeFlight(p->flightInputs());
        QCOMPARE(p->text("r_Distance"), r.distance);
        QCOMPARE(p->text("r_FlightTime"), r.flightTime);
        if (r.flightO2)
            QCOMPARE(p->text("r_FlightO2"), *r.flightO2);
        if (r.flightH2)
            QCOMPARE(p->text("r_FlightH2"), *r.flightH2);
        QCOMPARE(p->text("r_TakeoffTime"), r.takeoffTime);
        QCOMPARE(p->text("r_TakeoffO2"), r.takeoffO2);
        QCOMPARE(p->text("r_TakeoffH2"), r.takeoffH2);
    }

    void compareActionsWithCore()
    {
        SpecialActionInputs in;
        in.attackerLevel = p->text("r_AttackerLevel");
        in.defenderLevel = p->text("r_DefenderLevel");
        in.numberOfShips = p->text("r_NumberofShips");
        in.actionCount = p->text("r_ActionCount");
        const SpecialActionResults r = ComputeSpecialActions(in);
        QCOMPARE(p->text("r_LevelDifference"), r.levelDifference);
        QCOMPARE(p->text("r_SpyTime"), r.spyTime);
        QCOMPARE(p->text("r_SabotageTime"), r.sabotageTime);
        QCOMPARE(p->text("r_SuccessPercent"), r.successPercent);
        QCOMPARE(p->text("r_RaidTime"), r.raidTime);
        QCOMPARE(p->text("r_KolonisationTime"), r.kolonisationTime);
        QCOMPARE(p->text("r_InvasionTime"), r.invasionTime);
        QCOMPARE(p->text("r_SuccessPercent2"), r.successPercent2);
        QCOMPARE(p->text("r_UncloakChance"), r.uncloakChance);
    }

    // The two result fields and the two debug lines the core gives for the page's inputs.
    void compareBattleWithCore()
    {
        const BattleCalcResults r = ComputeBattleCalc(BattleCalcInputs{
            p->text("r_BattleBegin"), p->text("r_BattleEnd"), p->text("r_StabilityDestroyed"),
            p->text("r_ArmorDestroyed")});
        QCOMPARE(p->text("r_BattleDuration"), r.battleDuration);
        QCOMPARE(p->text("r_EnemyAS"), r.enemyAS);
        QVERIFY(r.estimated);
        QCOMPARE(p->logLines().mid(p->logLines().size() - 2), r.debugLines());
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() { p = std::make_unique<Page>(); }
    void cleanup()
    {
        QVERIFY2(p->prompts.errors.isEmpty(), qPrintable(p->prompts.errors.join(u'\n')));
        p.reset();
    }

    void startTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("readOnly");
        const Control controls[] = {
            {"r_StartPlanet", "444:111:a", false},   {"r_TargetPlanet", "666:999:f", false},
            {"r_Thruster", "1", false},              {"r_Fusi", "0", false},
            {"r_ZVA", "0", false},                   {"r_Stability", "109", false},
            {"r_Spaceport", "1", false},             {"r_Distance", "", true},
            {"r_FlightTime", "hh:mm:ss", true},      {"r_FlightO2", "0", true},
            {"r_FlightH2", "0", true},               {"r_TakeoffTime", "hh:mm:ss", true},
            {"r_TakeoffO2", "0", true},              {"r_TakeoffH2", "0", true},
            {"r_AttackerLevel", "0", false},         {"r_DefenderLevel", "0", false},
            {"r_NumberofShips", "1", false},         {"r_ActionCount", "1", false},
            {"r_LevelDifference", "", true},         {"r_SpyTime", "", true},
            {"r_SabotageTime", "", true},            {"r_SuccessPercent", "", true},
            {"r_RaidTime", "", true},                {"r_KolonisationTime", "", true},
            {"r_InvasionTime", "", true},            {"r_SuccessPercent2", "", true},
            {"r_UncloakChance", "", true},           {"r_BattleBegin", "00:00:00", false},
            {"r_BattleEnd", "00:00:00", false},      {"r_StabilityDestroyed", "109", false},
            {"r_ArmorDestroyed", "0", false},        {"r_BattleDuration", "", true},
            {"r_EnemyAS", "", true},
        };
        for (const Control &c : controls)
            QTest::newRow(c.name) << QString::fromUtf8(c.text) << c.readOnly;
    }

    // Every field starts with its text; results are the program's to write.
    void startTexts()
    {
        QFETCH(QString, text);
        QFETCH(bool, readOnly);
        QLineEdit *e = p->edit(QTest::currentDataTag());
        QCOMPARE(e->text(), text);
        QCOMPARE(e->isReadOnly(), readOnly);
    }

    void coordinatesTakeNineCharacters()
    {
        QCOMPARE(p->edit("r_StartPlanet")->maxLength(), 9);
        QCOMPARE(p->edit("r_TargetPlanet")->maxLength(), 9);
    }

    void spinnersStepTheirEditWithinTheRange_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::newRow("UpDown9") << "r_Thruster" << 0 << 100;
        QTest::newRow("UpDown12") << "r_Fusi" << 0 << 100;
        QTest::newRow("UpDown13") << "r_ZVA" << 0 << 100;
        QTest::newRow("UpDown14") << "r_Spaceport" << 1 << 100;
        QTest::newRow("UpDown15") << "r_AttackerLevel" << -100 << 100;
        QTest::newRow("UpDown16") << "r_DefenderLevel" << -100 << 100;
        QTest::newRow("UpDown17") << "r_NumberofShips" << 1 << 100;
        QTest::newRow("UpDown1") << "r_ActionCount" << 1 << 100;
    }

    void spinnersStepTheirEditWithinTheRange()
    {
        QFETCH(QString, edit);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        auto *spinner = p->page.findChild<UpDown *>(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(spinner);
        QLineEdit *e = p->page.findChild<QLineEdit *>(edit);
        const int before = e->text().toInt();
        spinner->upButton()->click();
        QCOMPARE(e->text(), QString::number(before + 1));
        spinner->downButton()->click();
        QCOMPARE(e->text(), QString::number(before));
        // At either end the arrows stay inside the range.
        e->setText(QString::number(maximum));
        spinner->upButton()->click();
        QCOMPARE(e->text(), QString::number(maximum));
        e->setText(QString::number(minimum));
        spinner->downButton()->click();
        QCOMPARE(e->text(), QString::number(minimum));
    }

    void fitsANarrowWindow()
    {
        const QSize hint = p->page.sizeHint();
        QVERIFY2(hint.width() <= 460, qPrintable(QString::number(hint.width())));
        QVERIFY(p->page.minimumSizeHint().width() <= 460);
        // No taller than the Designer page by much: the window's height comes from the pages.
        QVERIFY2(hint.height() <= p->designer.sizeHint().height() + 80,
                 qPrintable(QStringLiteral("%1 vs %2").arg(hint.height()).arg(p->designer.sizeHint().height())));
    }

    void resultsWaitForTheFirstChange()
    {
        QCOMPARE(p->text("r_FlightTime"), QStringLiteral("hh:mm:ss"));
        QCOMPARE(p->text("r_Distance"), QString());
        QCOMPARE(p->text("r_SpyTime"), QString());
        QCOMPARE(p->text("r_EnemyAS"), QString());
        QVERIFY(p->logLines().isEmpty());
    }

    void flightInitialInputs()
    {
        showPage();
        p->type("r_Spaceport", QStringLiteral("1"));
        compareFlightWithCore();
        QCOMPARE(p->flightInputs().thruster, QStringLiteral("1"));
    }

    void flightEveryKeystroke()
    {
        showPage();
        QLineEdit *start = p->edit("r_StartPlanet");
        start->setFocus();
        QTest::keyClick(start, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(start, Qt::Key_Delete);
        QCOMPARE(p->text("r_Distance"), QStringLiteral("unvollständig"));
        const QString typed = QStringLiteral("555:222:B");
        for (int i = 0; i < typed.size(); ++i) {
            QTest::keyClick(start, typed.at(i).toLatin1());
            QCOMPARE(start->text(), typed.left(i + 1));
            compareFlightWithCore();
        }
        QCOMPARE(p->text("r_Distance"), QString::number(PlanetDistance(typed, QStringLiteral("666:999:f"))));
        QVERIFY(p->text("r_Distance") != QStringLiteral("unvollständig"));
        // The field takes at most nine characters.
        QTest::keyClicks(start, QStringLiteral("xyz"));
        QCOMPARE(start->text(), typed);

        for (const char *name : {"r_Stability", "r_ZVA", "r_Spaceport", "r_Fusi"}) {
            QLineEdit *e = p->edit(name);
            e->setFocus();
            QTest::keyClick(e, Qt::Key_End);
            for (char c : {'2', '5'}) {
                QTest::keyClick(e, c);
                compareFlightWithCore();
            }
            QTest::keyClick(e, Qt::Key_Backspace);
            compareFlightWithCore();
        }
    }

    void flightInvalidCoordinateKeepsConsumption()
    {
        showPage();
        p->type("r_Stability", QStringLiteral("109"));
        const QString o2 = p->text("r_FlightO2");
        const QString h2 = p->text("r_FlightH2");
        const QString takeoff = p->text("r_TakeoffTime");
        p->type("r_TargetPlanet", QStringLiteral("744:111:a"));
        QCOMPARE(p->text("r_Distance"), QStringLiteral("unvollständig"));
        QCOMPARE(p->text("r_FlightTime"), QStringLiteral("unvollständig"));
        // The core has no consumption for an unreadable coordinate: the page keeps the last.
        QCOMPARE(p->text("r_FlightO2"), o2);
        QCOMPARE(p->text("r_FlightH2"), h2);
        QCOMPARE(p->text("r_TakeoffTime"), takeoff);
        p->type("r_TargetPlanet", QStringLiteral("444:111:A"));
        QCOMPARE(p->text("r_Distance"), QStringLiteral("0"));
        QCOMPARE(p->text("r_FlightTime"), QStringLiteral("00:00:00"));
        QCOMPARE(p->text("r_FlightO2"), QStringLiteral("0"));
    }

    void flightGuardKeepsOneDrive()
    {
        showPage();
        // r_Thruster to 0 while r_Fusi is 0: r_Fusi becomes 1.
        p->type("r_Thruster", QStringLiteral("0"));
        QCOMPARE(p->text("r_Thruster"), QStringLiteral("0"));
        QCOMPARE(p->text("r_Fusi"), QStringLiteral("1"));
        compareFlightWithCore();
        QVERIFY(p->text("r_FlightTime") != QStringLiteral("unvollständig"));
        // And the other way round.
        p->type("r_Fusi", QStringLiteral("0"));
        QCOMPARE(p->text("r_Fusi"), QStringLiteral("0"));
        QCOMPARE(p->text("r_Thruster"), QStringLiteral("1"));
        compareFlightWithCore();
        // A cleared field reads as 0 as well.
        p->type("r_Thruster", QString());
        QCOMPARE(p->text("r_Fusi"), QStringLiteral("1"));
        // The spinner's arrow is a change like any other.
        p->type("r_Thruster", QStringLiteral("1"));
        p->type("r_Fusi", QStringLiteral("0"));
        p->page.findChild<UpDown *>(QStringLiteral("UpDown9"))->downButton()->click();
        QCOMPARE(p->text("r_Thruster"), QStringLiteral("0"));
        QCOMPARE(p->text("r_Fusi"), QStringLiteral("1"));
        compareFlightWithCore();
    }

    void flightWithoutDrivePower()
    {
        showPage();
        p->type("r_Stability", QStringLiteral("109"));
        // Typing "-" reads as 0 and sets r_Fusi to 1; a negative level stays.
        p->type("r_Thruster", QStringLiteral("-3"));
        QCOMPARE(p->text("r_Fusi"), QStringLiteral("1"));
        const QString o2 = p->text("r_FlightO2");
        const QString h2 = p->text("r_FlightH2");
        QCOMPARE(o2, QStringLiteral("0")); // no thruster, no oxygen
        QVERIFY(h2 != QStringLiteral("0"));
        p->type("r_Fusi", QStringLiteral("0"));
        QCOMPARE(p->text("r_Thruster"), QStringLiteral("-3"));
        QCOMPARE(p->text("r_FlightTime"), QStringLiteral("unvollständig"));
        QCOMPARE(p->text("r_FlightO2"), o2); // kept
        QCOMPARE(p->text("r_FlightH2"), h2); // kept
        QCOMPARE(p->text("r_Distance"), ComputeFlight(p->flightInputs()).distance);
        p->type("r_Stability", QStringLiteral("-109"));
        QCOMPARE(p->text("r_TakeoffTime"), ComputeFlight(p->flightInputs()).takeoffTime);
    }

    void readDesignFromTheDesignerPage()
    {
        // The default design on the Designer page: thruster 0, fusion 1, stability 109.
        p->state.designs.append(ShipDesign());
        p->designer.selectDesign(0);
        p->page.findChild<QPushButton *>(QStringLiteral("r_ReadDesign"))->click();
        const auto designerText = [&](const char *name) {
            return p->designer.findChild<QLineEdit *>(QString::fromLatin1(name))->text();
        };
        QCOMPARE(p->text("r_Thruster"), designerText("d_Thruster"));
        QCOMPARE(p->text("r_Fusi"), designerText("d_Fusi"));
        QCOMPARE(p->text("r_ZVA"), designerText("d_ZVA"));
        QCOMPARE(p->text("r_Stability"), designerText("d_Stability"));
        QCOMPARE(p->text("r_Thruster"), QStringLiteral("0"));
        QCOMPARE(p->text("r_Fusi"), QStringLiteral("1"));
        QCOMPARE(p->text("r_Stability"), QStringLiteral("109"));
        compareFlightWithCore();
        QCOMPARE(p->text("r_FlightTime"), DurationText(FlightMinutes(7623, 109, 0, 1, 0)));
    }

    void readDesignWithBothDrivesZero()
    {
        // No design selected: the Designer page's edits keep what they are given.
        for (auto [name, text] : {std::pair{"d_Thruster", "0"}, std::pair{"d_Fusi", "0"},
                                  std::pair{"d_ZVA", "3"}, std::pair{"d_Stability", "250"}})
            p->designer.findChild<QLineEdit *>(QString::fromLatin1(name))->setText(QString::fromLatin1(text));
        p->page.ReadDesignClick();
        QCOMPARE(p->text("r_Thruster"), QStringLiteral("1"));
        QCOMPARE(p->text("r_Fusi"), QStringLiteral("0"));
        QCOMPARE(p->text("r_ZVA"), QStringLiteral("3"));
        QCOMPARE(p->text("r_Stability"), QStringLiteral("250"));
        compareFlightWithCore();
    }

    void specialActionsDoneWhen()
    {
        showPage();
        p->type("r_AttackerLevel", QStringLiteral("5"));
        p->type("r_DefenderLevel", QStringLiteral("3"));
        p->type("r_NumberofShips", QStringLiteral("3"));
        p->type("r_ActionCount", QStringLiteral("4"));
        QCOMPARE(p->text("r_LevelDifference"), QStringLiteral("2"));
        compareActionsWithCore();
    }

    void specialActionsEveryKeystroke()
    {
        showPage();
        QLineEdit *attacker = p->edit("r_AttackerLevel");
        attacker->setFocus();
        QTest::keyClick(attacker, Qt::Key_A, Qt::ControlModifier);
        for (char c : {'-', '1', '0', '0'}) {
            QTest::keyClick(attacker, c);
            compareActionsWithCore();
        }
        p->type("r_DefenderLevel", QStringLiteral("100"));
        p->type("r_AttackerLevel", QStringLiteral("1"));
        p->type("r_DefenderLevel", QStringLiteral("0"));
        compareActionsWithCore();
        // Many ships typed far beyond the spinner.
        p->type("r_NumberofShips", QStringLiteral("10000000"));
        compareActionsWithCore();
        p->type("r_NumberofShips", QStringLiteral("2147483647"));
        compareActionsWithCore();
        p->type("r_NumberofShips", QStringLiteral("0"));
        QCOMPARE(p->text("r_SuccessPercent2"), QStringLiteral("0"));
        p->type("r_DefenderLevel", QStringLiteral("2147483647"));
        p->type("r_AttackerLevel", QStringLiteral("-2147483648"));
        QCOMPARE(p->text("r_SpyTime"), QStringLiteral("unvollständig"));
        compareActionsWithCore();
    }

    void battleDoneWhen()
    {
        showPage();
        p->type("r_BattleBegin", QStringLiteral("12:00:00"));
        p->type("r_BattleEnd", QStringLiteral("12:30:00"));
        p->type("r_StabilityDestroyed", QStringLiteral("150"));
        compareBattleWithCore();
        QCOMPARE(p->logLines().last(), QStringLiteral(" Neue AS-Formel:") + p->text("r_EnemyAS"));
    }

    void battleEveryKeystrokeWritesTwoLines()
    {
        showPage();
        QLineEdit *end = p->edit("r_BattleEnd");
        end->setFocus();
        QTest::keyClick(end, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(end, Qt::Key_Delete);
        // The empty text cannot be read: no debug lines.
        QCOMPARE(p->text("r_BattleDuration"), QStringLiteral("unvollständing"));
        QCOMPARE(p->text("r_EnemyAS"), QStringLiteral("unvollständig"));
        QVERIFY(p->logLines().isEmpty());
        int expectedLines = 0;
        const QString typed = QStringLiteral("00:20:00");
        for (int i = 0; i < typed.size(); ++i) {
            QTest::keyClick(end, typed.at(i).toLatin1());
            BattleCalcInputs in;
            in.end = typed.left(i + 1);
            const BattleCalcResults r = ComputeBattleCalc(in);
            QCOMPARE(p->text("r_BattleDuration"), r.battleDuration);
            QCOMPARE(p->text("r_EnemyAS"), r.enemyAS);
            expectedLines += int(r.debugLines().size());
            QCOMPARE(p->logLines().size(), expectedLines);
            if (r.estimated)
                QCOMPARE(p->logLines().mid(expectedLines - 2), r.debugLines());
        }
        QCOMPARE(p->text("r_BattleDuration"), QStringLiteral("00:20:00"));
        // "00:20:" on the way could not be read.
        QVERIFY(expectedLines < 2 * typed.size());
        p->type("r_ArmorDestroyed", QStringLiteral("50"));
        compareBattleWithCore();
    }

    void battleMidnightAndEqualTimes()
    {
        showPage();
        p->type("r_BattleBegin", QStringLiteral("23:50:00"));
        p->type("r_BattleEnd", QStringLiteral("00:10:00"));
        compareBattleWithCore();
        p->type("r_BattleEnd", QStringLiteral("23:50:00"));
        compareBattleWithCore();
    }
};

QTEST_MAIN(CalculatorPageTest)
#include "tst_CalculatorPage.moc"
