// The "Kampfsimulator" page: building the fleets, keys, target values, simulation
// and reset, driven through the widgets of the whole main window.
#include "ui/AppState.h"
#include "app/KRM_Main.h"
#include "battle/page/BattlePage.h"
#include "battle/page/CourseChart.h"
#include "designer/DesignerPage.h"
#include "battle/BattleSimulation.h"
#include "battle/FleetsJson.h"
#include "battle/planning/MinCount.h"
#include "library/commands/LibraryCommands.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QCloseEvent>
#include <QProgressBar>
#include <QRegularExpression>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QTextBlock>
#include <QTextLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace qf;
using namespace qf::test;

namespace {

// The whole main window on the Kampfsimulator page, shown.
struct Window : WindowFixture {
    Window()
    {
        w->pageControl()->setCurrentIndex(2);
        w->show();
        if (!QTest::qWaitForWindowExposed(w))
            qWarning("window not exposed");
    }

    template <typename T = QLineEdit>
    T *get(const QString &name) const
    {
        T *child = w->findChild<T *>(name);
        if (!child)
            qFatal("no control %s", qPrintable(name));
        return child;
    }
    QString text(const QString &name) const { return get<QLineEdit>(name)->text(); }
    QListWidget *list(int fleet) const { return get<QListWidget>(QStringLiteral("b_Fleet%1List").arg(fleet)); }
    QStringList items(int fleet) const
    {
        QStringList result;
        for (int i = 0; i < list(fleet)->count(); ++i)
            result << list(fleet)->item(i)->text();
        return result;
    }
    QString remembered(int fleet) const { return text(QStringLiteral("b_Fleet%1LastClassIndex").arg(fleet)); }
    QStringList report() const { return get<QPlainTextEdit>("b_BattleReport")->toPlainText().split(u'\n'); }

    // A design with the given levels, appended as the library appends one.
    int addDesign(const QString &name, int laser, int armor = 0, int storage = 1)
    {
        ShipDesign d;
        d.SetName(name);
        d.SetLaser(laser);
        d.SetArmorLevel(armor);
        d.SetStorageBays(storage);
        w->library().appendDesign(d);
        return state.designs.size() - 1;
    }

    // Chooses design k, types the count and presses "Hinzufügen", as a player does.
    void addShips(int fleet, int design, const QString &count)
    {
        get<QComboBox>(QStringLiteral("b_ShipClass%1").arg(fleet))->setCurrentIndex(design);
        QLineEdit *countEdit = get(QStringLiteral("b_ShipCount%1").arg(fleet));
        countEdit->selectAll();
        QTest::keyClick(countEdit, Qt::Key_Delete);
        QTest::keyClicks(countEdit, count);
        QTest::mouseClick(get<QPushButton>(QStringLiteral("b_AddShipClass%1").arg(fleet)), Qt::LeftButton);
    }
    void key(int fleet, char c) { QTest::keyClick(list(fleet), c); }
    void clickItem(int fleet, int row)
    {
        QListWidget *l = list(fleet);
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
    }
    void clickTotal(const QString &name) { QTest::mouseClick(get(name), Qt::LeftButton); }

    // Two fleets whose battle takes millions of rounds, some seconds: both lose a
    // ship nearly every round, and every loss changes the damages.
    void setLongBattle(int ships = 30000000, int stability = 20000000)
    {
        for (Fleet *f : {&state.homeFleet, &state.foreignFleet}) {
            *f = Fleet();
            f->AddShips(ships, 1, 0, stability, f == &state.homeFleet ? QStringLiteral("Heim") : QStringLiteral("Fremd"),
                        1, 0, 0);
        }
        w->battlePage()->ShowFleets();
    }
    QWidget *progress() const { return get<QWidget>(QStringLiteral("b_Progress")); }
    QPushButton *cancel() const { return get<QPushButton>(QStringLiteral("b_Cancel")); }

    TKRM_Main *w = &window();
};

QColor menuColour() { return QApplication::palette().color(QPalette::Window); }
QColor windowColour() { return QApplication::palette().color(QPalette::Base); }
QColor background(QLineEdit *edit) { return edit->palette().color(QPalette::Base); }

const QStringList kTotals = {"AS", "PZ", "Stabi", "Cost"};

} // namespace

class BattlePageTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void startsWithEmptyFleetsAndTheHelpText()
    {
        Window f;
        QCOMPARE(f.get<QGroupBox>("b_Fleet1")->title(), QStringLiteral("Heimatflotte"));
        QCOMPARE(f.get<QGroupBox>("b_Fleet2")->title(), QStringLiteral("Fremdflotte"));
        QCOMPARE(f.get<QGroupBox>("b_Result")->title(), QStringLiteral("Kampfergebnis"));
        QCOMPARE(f.get<QPushButton>("b_Simulate")->text(), QStringLiteral("Simulieren"));
        QCOMPARE(f.get<QPushButton>("b_Reset")->text(), QStringLiteral("Zurücksetzen"));
        QCOMPARE(f.get<QLabel>("Label6")->text(), QStringLiteral("X"));
        const QStringList labels = {"Angriff", "Panzerung", "Stabilität", "Kosten (Solar)"};
        for (int fleet : {1, 2}) {
            const QString n = QString::number(fleet);
            QCOMPARE(f.get<QPushButton>("b_AddShipClass" + n)->text(), QStringLiteral("Hinzufügen"));
            QCOMPARE(f.text("b_ShipCount" + n), QStringLiteral("1"));
            QCOMPARE(f.get("b_ShipCount" + n)->maxLength(), 3);
            QLineEdit *last = f.get("b_Fleet" + n + "LastClassIndex");
            QCOMPARE(last->text(), QStringLiteral("-1"));
            QVERIFY(last->isReadOnly());
            QVERIFY(!last->isVisible());
            QCOMPARE(f.list(fleet)->count(), 0);
            for (int i = 0; i < 4; ++i) {
                QLineEdit *total = f.get("b_Fleet" + n + kTotals[i]);
                QCOMPARE(total->text(), QStringLiteral("0"));
                QVERIFY(total->isReadOnly());
                QCOMPARE(background(total), menuColour());
                QCOMPARE(f.get<QLabel>("b_Fleet" + n + kTotals[i] + "Label")->text(), labels[i]);
            }
            // The drop-downs mirror the design collection.
            QComboBox *classes = f.get<QComboBox>("b_ShipClass" + n);
            QVERIFY(!classes->isEditable());
            QCOMPARE(classes->count(), 1);
            QCOMPARE(classes->itemText(0), QStringLiteral("Neues Schiff"));
        }
        QPlainTextEdit *memo = f.get<QPlainTextEdit>("b_BattleReport");
        QVERIFY(memo->isReadOnly());
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        const QStringList help = f.report();
        QCOMPARE(help.size(), 14);
        QCOMPARE(help, BattlePage::startUpHelpLines());
        QCOMPARE(help.at(0), QStringLiteral("How-To:"));
        QCOMPARE(help.at(3), QStringLiteral("- \"Hinzfügen\" drücken"));
        QCOMPARE(help.at(6), QString());
        QCOMPARE(help.at(9), QStringLiteral("    \"Entf\" (Schiffstyp löschen) geändert werden"));
        QCOMPARE(help.at(12), QStringLiteral("- \"Simulieren\" startet eine Simulation mit dem Durchschnitts-Ramdom von"));
        QCOMPARE(help.at(13), QStringLiteral("  0,75 für beide Flotten"));
    }

    void theValueDialogAndTheCompactPage()
    {
        Window f;
        TBattleSimValueDialog *dialog = f.w->battlePage()->valueDialog();
        QCOMPARE(dialog->objectName(), QStringLiteral("BattleSimValueDialog"));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Wert eingeben"));
        QVERIFY(dialog->windowFlags() & Qt::Tool);
        QCOMPARE(dialog->findChild<QLineEdit *>("bd_Value")->text(), QStringLiteral("0"));
        auto *ok = dialog->findChild<QPushButton *>("Button1");
        auto *cancel = dialog->findChild<QPushButton *>("Button2");
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->isDefault());
        QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
        QVERIFY(dialog->width() >= 107 && dialog->width() < 200);
        QVERIFY(dialog->height() >= 44 && dialog->height() < 120);
        // The page fits the compact main window.
        const QSize page = f.w->battlePage()->minimumSizeHint();
        QVERIFY2(page.width() <= 440 && page.height() <= 520,
                 qPrintable(QStringLiteral("%1 x %2").arg(page.width()).arg(page.height())));
    }

    void addingShipsAndRaisingTheCount()
    {
        Window f;
        const int a = f.addDesign(QStringLiteral("Jäger"), 3, 2);
        const ShipDesign &design = f.state.designs.at(a);
        f.addShips(1, a, QStringLiteral("3"));
        QCOMPARE(f.items(1), QStringList{QStringLiteral("Jäger (3)")});
        QCOMPARE(f.remembered(1), QStringLiteral("0"));
        QVERIFY(f.list(1)->item(0)->toolTip().startsWith(QStringLiteral("Jäger\nAnzahl: 3\nJe Schiff: Angriff ")));
        QCOMPARE(f.text("b_Fleet1AS"), QString::number(3 * design.GetAS()));
        QCOMPARE(f.text("b_Fleet1PZ"), QString::number(3 * design.GetArmor()));
        QCOMPARE(f.text("b_Fleet1Stabi"), QString::number(3 * design.GetStability()));
        QCOMPARE(f.text("b_Fleet1Cost"),
                 QString::number(3 * SolarCost(design.GetFE(), design.GetSI(), design.GetC())));
        QVERIFY(design.GetAS() > 0);
        QCOMPARE(QApplication::focusWidget(), f.list(1));
        QCOMPARE(f.items(2), QStringList());

        f.key(1, '+');
        QCOMPARE(f.items(1), QStringList{QStringLiteral("Jäger (4)")});
        QCOMPARE(f.state.homeFleet.Classes[0].Count, 4);
        QCOMPARE(f.text("b_Fleet1AS"), QString::number(4 * design.GetAS()));
    }

    void addingAKnownTypeAgainRemembersItsFleetPosition()
    {
        Window f;
        const int a = f.addDesign(QStringLiteral("A"), 1);
        const int b = f.addDesign(QStringLiteral("B"), 2);
        f.addShips(1, b, QStringLiteral("1"));
        f.addShips(1, a, QStringLiteral("4"));
        f.addShips(1, b, QStringLiteral("1"));
        QCOMPARE(f.remembered(1), QStringLiteral("0"));
        f.addShips(1, a, QStringLiteral("2"));
        QCOMPARE(f.items(1), QStringList({"B (2)", "A (6)"}));
        QCOMPARE(f.remembered(1), QStringLiteral("1")); // A's place in the fleet, not in the collection
        QCOMPARE(f.remembered(2), QStringLiteral("-1"));
    }

    void countTextsThatAreNotWholeNumbers()
    {
        Window f;
        const int a = f.addDesign(QStringLiteral("A"), 1);
        f.addShips(1, a, QStringLiteral("abc"));
        QCOMPARE(f.items(1), QStringList{"A (1)"});
        f.addShips(1, a, QStringLiteral("0"));
        f.addShips(1, a, QStringLiteral("-5"));
        QCOMPARE(f.items(1), QStringList{"A (1)"});
        f.addShips(1, a, QStringLiteral("12345"));
        QCOMPARE(f.text("b_ShipCount1"), QStringLiteral("123"));
        QCOMPARE(f.items(1), QStringList{"A (124)"});
    }

    void aFullFleetIgnoresANewType()
    {
        Window f;
        for (int i = 0; i < 11; ++i)
            f.addDesign(QStringLiteral("Typ %1").arg(i), i + 1);
        for (int i = 1; i <= 10; ++i)
            f.addShips(2, i, QStringLiteral("1"));
        QCOMPARE(f.remembered(2), QStringLiteral("9"));
        f.addShips(2, 11, QStringLiteral("5"));
        QCOMPARE(f.list(2)->count(), 10);
        QCOMPARE(f.remembered(2), QStringLiteral("9"));
        QVERIFY(!f.items(2).join(u',').contains(QStringLiteral("Typ 10")));
        f.addShips(2, 3, QStringLiteral("5"));
        QCOMPARE(f.items(2).at(2), QStringLiteral("Typ 2 (6)"));
        QCOMPARE(f.remembered(2), QStringLiteral("2"));
    }

    void minusAndDelete()
    {
        Window f;
        const int a = f.addDesign(QStringLiteral("A"), 1);
        const int b = f.addDesign(QStringLiteral("B"), 2);
        f.addShips(1, a, QStringLiteral("2"));
        f.addShips(1, b, QStringLiteral("1"));
        QCOMPARE(f.remembered(1), QStringLiteral("1"));
        // "-" on the last ship of the last entry removes it and moves back by one.
        f.key(1, '-');
        QCOMPARE(f.items(1), QStringList{"A (2)"});
        QCOMPARE(f.remembered(1), QStringLiteral("0"));
        // On an entry with more ships it only lowers the count.
        f.key(1, '-');
        QCOMPARE(f.items(1), QStringList{"A (1)"});
        QCOMPARE(f.remembered(1), QStringLiteral("0"));

        // Delete on position 0 of a two-entry fleet: the keys rest until an item is clicked.
        f.addShips(1, b, QStringLiteral("3"));
        f.clickItem(1, 0);
        QCOMPARE(f.remembered(1), QStringLiteral("0"));
        QTest::keyClick(f.list(1), Qt::Key_Delete);
        QCOMPARE(f.items(1), QStringList{"B (3)"});
        QCOMPARE(f.remembered(1), QStringLiteral("-1"));
        f.key(1, '+');
        QCOMPARE(f.items(1), QStringList{"B (3)"});
        f.clickItem(1, 0);
        QCOMPARE(f.remembered(1), QStringLiteral("0"));
        f.key(1, '+');
        QCOMPARE(f.items(1), QStringList{"B (4)"});
        // Deleting the only entry empties the fleet.
        QTest::keyClick(f.list(1), Qt::Key_Delete);
        QCOMPARE(f.list(1)->count(), 0);
        QCOMPARE(f.remembered(1), QStringLiteral("-1"));
        QCOMPARE(f.text("b_Fleet1AS"), QStringLiteral("0"));
        // Keys on an empty fleet change nothing.
        f.key(1, '+');
        f.key(1, '-');
        QTest::keyClick(f.list(1), Qt::Key_Delete);
        QCOMPARE(f.remembered(1), QStringLiteral("-1"));
        QVERIFY(f.state.homeFleet.isEmpty());
    }

    void clickingAnItemOfTheOtherListKeepsBothPositions()
    {
        Window f;
        const int a = f.addDesign(QStringLiteral("A"), 1);
        const int b = f.addDesign(QStringLiteral("B"), 2);
        f.addShips(1, a, QStringLiteral("1"));
        f.addShips(1, b, QStringLiteral("1"));
        f.addShips(2, a, QStringLiteral("1"));
        f.addShips(2, b, QStringLiteral("1"));
        f.clickItem(2, 0);
        QCOMPARE(f.remembered(2), QStringLiteral("0"));
        QCOMPARE(f.remembered(1), QStringLiteral("1"));
        f.key(2, '+');
        QCOMPARE(f.items(2), QStringList({"A (2)", "B (1)"}));
        QCOMPARE(f.items(1), QStringList({"A (1)", "B (1)"}));
    }

    void targetValuesThroughTheDialog()
    {
        Window f;
        const int a = f.addDesign(QStringLiteral("A"), 2);
        const int b = f.addDesign(QStringLiteral("B"), 5);
        const int asA = f.state.designs.at(a).GetAS();
        const int asB = f.state.designs.at(b).GetAS();
        f.addShips(1, a, QStringLiteral("3"));
        f.addShips(1, b, QStringLiteral("2"));
        const QString total = f.text("b_Fleet1AS");
        QCOMPARE(total, QString::number(3 * asA + 2 * asB));

        const QPoint cursor(123, 77);
        QCursor::setPos(cursor);
        QString shownValue;
        QPoint shownAt;
        const int64_t target = 3 * asA + 7 * asB + asB / 2;
        f.prompts.answerDialog([&](QDialog &dialog) {
            auto *value = dialog.findChild<QLineEdit *>("bd_Value");
            shownValue = value->text();
            shownAt = dialog.pos();
            value->setText(QString::number(target));
            return int(QDialog::Accepted);
        });
        f.clickTotal("b_Fleet1AS");
        QCOMPARE(f.prompts.shownDialogs, QStringList{"BattleSimValueDialog: Wert eingeben"});
        QCOMPARE(shownValue, total);
        QCOMPARE(shownAt, QCursor::pos());
        QCOMPARE(QCursor::pos(), cursor);
        QCOMPARE(f.items(1), QStringList({"A (3)", "B (7)"}));
        QCOMPARE(f.text("b_Fleet1AS"), QString::number(3 * asA + 7 * asB));
        QCOMPARE(background(f.get("b_Fleet1AS")), windowColour());
        for (const char *other : {"b_Fleet1PZ", "b_Fleet1Stabi", "b_Fleet1Cost"})
            QCOMPARE(background(f.get(other)), menuColour());
        QCOMPARE(QApplication::focusWidget(), f.list(1));

        // Cancel changes nothing, not even the colours.
        f.prompts.rejectDialog();
        f.clickTotal("b_Fleet1Cost");
        QCOMPARE(f.items(1), QStringList({"A (3)", "B (7)"}));
        QCOMPARE(background(f.get("b_Fleet1AS")), windowColour());
        QCOMPARE(background(f.get("b_Fleet1Cost")), menuColour());

        // A text that is not a whole number is 0: one ship.
        f.prompts.acceptWithText("bd_Value", "viel");
        f.clickTotal("b_Fleet1Stabi");
        QCOMPARE(f.items(1), QStringList({"A (3)", "B (1)"}));
        QCOMPARE(background(f.get("b_Fleet1Stabi")), windowColour());
        QCOMPARE(background(f.get("b_Fleet1AS")), menuColour());

        // The shown total, accepted unchanged, keeps the fleet as it is.
        f.addShips(1, b, QStringLiteral("999"));
        for (const char *name : {"b_Fleet1AS", "b_Fleet1PZ", "b_Fleet1Stabi", "b_Fleet1Cost"})
            QCOMPARE(background(f.get(name)), menuColour());
        f.prompts.acceptDialog();
        f.clickTotal("b_Fleet1Cost");
        QCOMPARE(f.items(1), QStringList({"A (3)", "B (1000)"}));

        // A position outside the fleet (Entf on the first entry) changes no count, but the colours still move.
        f.clickItem(1, 0);
        QTest::keyClick(f.list(1), Qt::Key_Delete);
        f.prompts.acceptWithText("bd_Value", "1");
        f.clickTotal("b_Fleet1PZ");
        QCOMPARE(f.items(1), QStringList({"B (1000)"}));
        QCOMPARE(background(f.get("b_Fleet1PZ")), windowColour());
    }

    // A target for "Panzerung" sets the count from the armour per ship, not from the
    // attack or the stability. A: armour level 3 gives armour 11 (0.750029 * 15 = 11.25),
    // stability 109, attack 0. B: armour level 5 and laser 1 give armour 14
    // (0.993624 * 15 = 14.90), stability 109, attack 24.
    void armourTargetCountsTheArmourPerShip()
    {
        Window f;
        const int a = f.addDesign(QStringLiteral("A"), 0, 3);
        const int b = f.addDesign(QStringLiteral("B"), 1, 5);
        f.addShips(1, a, QStringLiteral("2"));
        f.addShips(1, b, QStringLiteral("3"));
        QCOMPARE(f.text("b_Fleet1PZ"), QStringLiteral("64"));     // 2 * 11 + 3 * 14
        QCOMPARE(f.text("b_Fleet1Stabi"), QStringLiteral("545")); // 5 * 109
        QCOMPARE(f.text("b_Fleet1AS"), QStringLiteral("72"));     // 3 * 24
        QCOMPARE(f.remembered(1), QStringLiteral("1"));

        // B: (200 - 22) / 14 = 12 ships. By stability it would be 1, by attack 8.
        f.prompts.acceptWithText("bd_Value", "200");
        f.clickTotal("b_Fleet1PZ");
        QCOMPARE(f.items(1), QStringList({"A (2)", "B (12)"}));
        QCOMPARE(f.text("b_Fleet1PZ"), QStringLiteral("190"));
        QCOMPARE(f.text("b_Fleet1Stabi"), QStringLiteral("1526"));
        QCOMPARE(background(f.get("b_Fleet1PZ")), windowColour());

        // The other fleet's armour field works the same way: A alone, 100 / 11 = 9 ships
        // (by stability 1, as 100 < 109).
        f.addShips(2, a, QStringLiteral("1"));
        f.prompts.acceptWithText("bd_Value", "100");
        f.clickTotal("b_Fleet2PZ");
        QCOMPARE(f.items(2), QStringList{"A (9)"});
        QCOMPARE(f.text("b_Fleet2PZ"), QStringLiteral("99"));
        QCOMPARE(f.items(1), QStringList({"A (2)", "B (12)"}));
    }

    void noDialogForAnEmptyFleet()
    {
        Window f;
        f.prompts.acceptWithText("bd_Value", "100");
        f.clickTotal("b_Fleet1AS");
        f.clickTotal("b_Fleet2Cost");
        QVERIFY(f.prompts.shownDialogs.isEmpty());
        QCOMPARE(f.prompts.dialogAnswers.size(), size_t(1));
    }

    void simulatingFromButtonAndMenu()
    {
        Window f;
        const int a = f.addDesign(QStringLiteral("Jäger"), 4, 2);
        const int b = f.addDesign(QStringLiteral("Frachter"), 0, 1, 5);
        const QStringList help = f.report();
        // An empty fleet: the memo keeps what it shows, and the status bar says which.
        f.addShips(1, a, QStringLiteral("3"));
        QTest::mouseClick(f.get<QPushButton>("b_Simulate"), Qt::LeftButton);
        QCOMPARE(f.report(), help);
        QCOMPARE(f.w->statusBar()->currentMessage(), QStringLiteral("Die Fremdflotte ist leer."));

        f.addShips(2, b, QStringLiteral("20"));
        f.key(1, '+');
        QTest::mouseClick(f.get<QPushButton>("b_Simulate"), Qt::LeftButton);
        QStringList expected;
        SimulateBattle(f.state.homeFleet, f.state.foreignFleet, expected);
        QCOMPARE(f.report(), expected);
        QVERIFY(expected.first().startsWith(QStringLiteral("Dauer des Kampfes: ")));
        // The fleets are only read.
        QCOMPARE(f.items(1), QStringList{"Jäger (4)"});
        QCOMPARE(f.items(2), QStringList{"Frachter (20)"});

        f.w->battlePage()->b_ResetClick();
        f.addShips(1, b, QStringLiteral("2"));
        f.addShips(2, a, QStringLiteral("9"));
        f.w->menuItem(QStringLiteral("Simulieren1"))->trigger();
        QStringList second;
        SimulateBattle(f.state.homeFleet, f.state.foreignFleet, second);
        QCOMPARE(f.report(), second);
        QVERIFY(second != expected);
    }

    void resetEmptiesBothFleetsAndWritesTheHelp()
    {
        Window f;
        for (int i = 0; i < 5; ++i)
            f.addShips(1, f.addDesign(QStringLiteral("T%1").arg(i), i), QStringLiteral("2"));
        f.addShips(2, 1, QStringLiteral("4"));
        f.prompts.acceptWithText("bd_Value", "3");
        f.clickTotal("b_Fleet2Stabi");
        QTest::mouseClick(f.get<QPushButton>("b_Reset"), Qt::LeftButton);
        QVERIFY(f.state.homeFleet.isEmpty());
        QVERIFY(f.state.foreignFleet.isEmpty());
        QCOMPARE(f.list(1)->count(), 0);
        QCOMPARE(f.list(2)->count(), 0);
        for (const QString &t : kTotals) {
            QCOMPARE(f.text("b_Fleet1" + t), QStringLiteral("0"));
            QCOMPARE(f.text("b_Fleet2" + t), QStringLiteral("0"));
        }
        const QStringList lines = f.report();
        QCOMPARE(lines.size(), 15);
        QCOMPARE(lines, BattlePage::resetHelpLines());
        QCOMPARE(lines.at(9), QStringLiteral("  \"Entf\" (Schiffstyp löschen) geändert"));
        QCOMPARE(lines.at(12), QStringLiteral("- \"Simulieren\" startet eine Simulation mit dem Durchschnitts-Random von"));
        QCOMPARE(lines.at(14), QString());
        QCOMPARE(lines.mid(0, 9), BattlePage::startUpHelpLines().mid(0, 9));
        QCOMPARE(f.get<QPlainTextEdit>("b_BattleReport")->textCursor().position(), 0);
        // Positions and colours stay.
        QCOMPARE(f.remembered(1), QStringLiteral("4"));
        QCOMPARE(f.remembered(2), QStringLiteral("0"));
        QCOMPARE(background(f.get("b_Fleet2Stabi")), windowColour());

        // The menu item does the same.
        f.addShips(1, 1, QStringLiteral("1"));
        f.get<QPlainTextEdit>("b_BattleReport")->setPlainText(QStringLiteral("x"));
        f.w->menuItem(QStringLiteral("Zurcksetzen1"))->trigger();
        QVERIFY(f.state.homeFleet.isEmpty());
        QCOMPARE(f.report(), BattlePage::resetHelpLines());
    }

    void fleetsAreSnapshotsOfTheDesigns()
    {
        Window f;
        const int a = f.addDesign(QStringLiteral("A"), 2);
        f.addShips(1, a, QStringLiteral("1"));
        const int as = f.state.homeFleet.Classes[0].AS;
        f.state.designs.update(a, [](ShipDesign &d) { d.SetLaser(9); });
        QVERIFY(f.state.designs.at(a).GetAS() != as);
        f.addShips(1, a, QStringLiteral("1"));
        QCOMPARE(f.state.homeFleet.Classes[0].AS, as);
        QCOMPARE(f.text("b_Fleet1AS"), QString::number(2 * as));
    }

    // Click the second entry, move with the arrow keys: "+", "-" and Entf act on the
    // entry chosen, which stays chosen while the list is redrawn.
    void fleetKeysActOnTheChosenEntry()
    {
        Window f;
        const int a = f.addDesign(QStringLiteral("A"), 1);
        const int b = f.addDesign(QStringLiteral("B"), 2);
        const int c = f.addDesign(QStringLiteral("C"), 3);
        for (int design : {a, b, c})
            f.addShips(1, design, QStringLiteral("2"));
        // After "Hinzufügen" the entry the keys act on is shown chosen.
        QCOMPARE(f.remembered(1), QStringLiteral("2"));
        QCOMPARE(f.list(1)->currentRow(), 2);
        QVERIFY(f.list(1)->item(2)->isSelected());

        f.clickItem(1, 1);
        QCOMPARE(f.remembered(1), QStringLiteral("1"));
        QTest::keyClick(f.list(1), Qt::Key_Up);
        QCOMPARE(f.remembered(1), QStringLiteral("0"));
        f.key(1, '+');
        QCOMPARE(f.items(1), QStringList({"A (3)", "B (2)", "C (2)"}));
        QCOMPARE(f.list(1)->currentRow(), 0);
        QTest::keyClick(f.list(1), Qt::Key_Down);
        QTest::keyClick(f.list(1), Qt::Key_Down);
        QCOMPARE(f.remembered(1), QStringLiteral("2"));
        f.key(1, '-');
        f.key(1, '+');
        f.key(1, '+');
        QCOMPARE(f.items(1), QStringList({"A (3)", "B (2)", "C (3)"}));
        QTest::keyClick(f.list(1), Qt::Key_Up);
        QTest::keyClick(f.list(1), Qt::Key_Delete);
        QCOMPARE(f.items(1), QStringList({"A (3)", "C (3)"}));
        QCOMPARE(f.remembered(1), QStringLiteral("0"));
        QVERIFY(f.list(1)->item(0)->isSelected());
        // The other fleet keeps its own choice.
        f.addShips(2, b, QStringLiteral("1"));
        f.addShips(2, c, QStringLiteral("1"));
        f.clickItem(2, 0);
        f.key(2, '+');
        QCOMPARE(f.items(2), QStringList({"B (2)", "C (1)"}));
        QCOMPARE(f.remembered(1), QStringLiteral("0"));
        QVERIFY(f.list(1)->item(0)->isSelected());
    }

    // The battle report's columns start at the same place in every row of both
    // blocks, for names of 5, 10, 11, 20 and 32 characters alike; no line wraps.
    void controlTabInTheReportSwitchesThePageNotTheResultTab()
    {
        Window f;
        auto *report = f.get<QPlainTextEdit>(QStringLiteral("b_BattleReport"));
        report->setFocus();
        QTest::keyClick(report, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(f.w->pageControl()->currentIndex(), 3);
        QCOMPARE(f.get<QTabWidget>(QStringLiteral("b_ResultTabs"))->currentIndex(), 0);
    }

    void reportColumnsLineUp()
    {
        Window f;
        const QStringList names = {"Falke", "Zerstörer1", "Kreuzer-Mk2", "Schlachtschiff Mk. 3",
                                   "Schlachtschiff der Sternenklasse"};
        for (const QString &name : names)
            f.addShips(1, f.addDesign(name, 20, 3, 2), QStringLiteral("40"));
        f.addShips(2, f.addDesign(QStringLiteral("Ziel"), 1, 1), QStringLiteral("900"));
        QTest::mouseClick(f.get<QPushButton>("b_Simulate"), Qt::LeftButton);
        auto *report = f.get<QPlainTextEdit>("b_BattleReport");
        QCOMPARE(report->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCoreApplication::processEvents();
        // The x position of each cell after a tab or the long name's blank, for every row with tabs.
        QList<QList<qreal>> columns;
        for (QTextBlock block = report->document()->begin(); block.isValid(); block = block.next()) {
            const QString text = block.text();
            if (!text.contains(u'\t'))
                continue;
            QCOMPARE(block.layout()->lineCount(), 1);
            QList<qreal> xs;
            for (int i = 0; i + 1 < text.size(); ++i) {
                const bool longName = text[i] == u' ' && text.left(i).size() > 20 && !text.left(i).contains(u'\t');
                if ((text[i] == u'\t' && text[i + 1] != u'\t') || longName)
                    xs << block.layout()->lineAt(0).cursorToX(i + 1);
            }
            columns << xs;
        }
        QCOMPARE(columns.size(), 10); // header, five rows and the total, and the foreign header, row and total
        for (const QList<qreal> &row : columns) {
            QCOMPARE(row.size(), 4);
            for (int k = 0; k < 4; ++k)
                QVERIFY2(qAbs(row[k] - columns.first()[k]) < 1, qPrintable(QString::number(row[k])));
        }
    }

    void largeTotalsAreShownWhole()
    {
        Window f;
        FleetEdit edit = FleetEdit::Done;
        f.state.homeFleet.AddShips(2147483647, 2147483647, 2147483647, 2147483647, QStringLiteral("Riese"),
                                   2147483647, 0, 0, &edit);
        QCOMPARE(edit, FleetEdit::Done);
        f.w->battlePage()->ShowFleets();
        for (const QString &total : kTotals) {
            QLineEdit *field = f.get(QStringLiteral("b_Fleet1") + total);
            QVERIFY(field->text().size() >= 18);
            const int room = field->width() - 2 * field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) - 4;
            QVERIFY2(QFontMetrics(field->font()).horizontalAdvance(field->text()) <= room,
                     qPrintable(field->text()));
        }
        // And a small total goes back to the usual font.
        f.state.homeFleet.RemoveShipClass(0);
        f.w->battlePage()->ShowFleets();
        QCOMPARE(f.get("b_Fleet1Cost")->font(), f.get("b_ShipCount1")->font());
    }

    // Two types of 2,147,483,647 ships with attack 2,147,483,647 bring the attack
    // total to 2^63 - 2^33 + 2; four ships of a third such type still fit, a fifth does not.
    void aShipThatWouldOverflowTheTotalsIsRefusedAloud()
    {
        Window f;
        const int kMax = 2147483647;
        for (const char *name : {"Eins", "Zwei"})
            f.state.homeFleet.AddShips(kMax, kMax, 0, 1, QString::fromLatin1(name), 1, 0, 0);
        f.state.homeFleet.AddShips(4, kMax, 0, 1, QStringLiteral("Drei"), 1, 0, 0);
        f.w->battlePage()->ShowFleets();
        const QString attack = f.text("b_Fleet1AS");
        QCOMPARE(attack, QStringLiteral("9223372036854775806")); // 2^63 - 2^33 + 2 + 4 (2^31 - 1)
        f.clickItem(1, 2);
        f.key(1, '+');
        QCOMPARE(f.prompts.warnings.size(), 1);
        QVERIFY(f.prompts.warnings[0].contains(QStringLiteral("64 Bit")));
        QCOMPARE(f.items(1), QStringList({"Eins (2147483647)", "Zwei (2147483647)", "Drei (4)"}));
        QCOMPARE(f.text("b_Fleet1AS"), attack);
        // A fleet within 64 bits says nothing.
        f.key(1, '-');
        QCOMPARE(f.items(1).last(), QStringLiteral("Drei (3)"));
        f.key(1, '+');
        QCOMPARE(f.items(1).last(), QStringLiteral("Drei (4)"));
        QCOMPARE(f.prompts.warnings.size(), 1);
    }

    // An entry holds at most 2,147,483,647 ships: "Hinzufügen", "+" and a target
    // value that would take it past are refused aloud, naming it; the fleet stays.
    void aCountPastTheLargestIsRefusedAloud()
    {
        Window f;
        const int k = f.addDesign(QStringLiteral("Kreuzer"), 2);
        const ShipDesign &d = f.state.designs.at(k);
        f.state.homeFleet.AddShips(2147483646, d.GetAS(), d.GetArmor(), d.GetStability(), d.GetName(), d.GetFE(),
                                   d.GetSI(), d.GetC());
        f.w->battlePage()->ShowFleets();
        f.addShips(1, k, QStringLiteral("1"));
        const QStringList full = {QStringLiteral("Kreuzer (2147483647)")};
        QCOMPARE(f.items(1), full);
        QVERIFY(f.prompts.warnings.isEmpty());
        f.addShips(1, k, QStringLiteral("5"));
        f.key(1, '+');
        f.prompts.acceptWithText("bd_Value", "9223372036854775807");
        f.clickTotal("b_Fleet1Stabi");
        QCOMPARE(f.prompts.warnings.size(), 3);
        for (const QString &warning : f.prompts.warnings)
            QVERIFY2(warning.contains(QStringLiteral("„Kreuzer“ hätte mehr als 2147483647 Schiffe")), qPrintable(warning));
        QCOMPARE(f.items(1), full);
    }

    // "Flotten speichern..." writes both fleets; "Flotten laden..." in another window
    // brings them back entry for entry, and the battle there reads as here; the same
    // file is what schiffsdesigner-cli battle fights.
    void savedFleetsLoadIntoAnotherWindow()
    {
        QByteArray file;
        QStringList report;
        QString path;
        QTemporaryDir keep;
        {
            Window f;
            const int a = f.addDesign(QStringLiteral("Jäger"), 3, 2);
            const int b = f.addDesign(QStringLiteral("Bomber"), 8, 0, 4);
            f.addShips(1, a, QStringLiteral("12"));
            f.addShips(1, b, QStringLiteral("3"));
            f.addShips(2, b, QStringLiteral("20"));
            QTest::mouseClick(f.get<QPushButton>("b_Simulate"), Qt::LeftButton);
            report = f.report();
            path = keep.filePath(QStringLiteral("Flotten.json"));
            f.prompts.answerSaveFile(path);
            f.w->menuItem(QStringLiteral("SaveFleets"))->trigger();
            QCOMPARE(f.prompts.fileDialogs.last().objectName, QStringLiteral("SaveFleetsDialog"));
            QCOMPARE(f.prompts.fileDialogs.last().filters.first(), QStringLiteral("Flotten (*.json)"));
            QFile saved(path);
            QVERIFY(saved.open(QIODevice::ReadOnly));
            file = saved.readAll();
        }
        Window g;
        const int other = g.addDesign(QStringLiteral("Anders"), 1);
        g.addShips(1, other, QStringLiteral("5"));
        g.clickItem(1, 0);
        g.prompts.answerOpenFile(path);
        g.w->menuItem(QStringLiteral("LoadFleets"))->trigger();
        QCOMPARE(g.items(1), QStringList({"Jäger (12)", "Bomber (3)"}));
        QCOMPARE(g.items(2), QStringList({"Bomber (20)"}));
        QCOMPARE(g.remembered(1), QStringLiteral("-1"));
        QCOMPARE(g.remembered(2), QStringLiteral("-1"));
        QTest::mouseClick(g.get<QPushButton>("b_Simulate"), Qt::LeftButton);
        QCOMPARE(g.report(), report);
        // The command-line tool reads the file the same way and fights the same battle.
        const FleetsJson fought = ParseFleetsJson(file, DesignFilesFrom(QString()));
        QVERIFY(fought.ok());
        QStringList cli;
        SimulateBattle(fought.home, fought.foreign, cli);
        QCOMPARE(cli, report);
    }

    // A hand-written fleets file in another folder: a relative "design" counts from the
    // working directory first, then from the file's folder. The report gives way to the help.
    void loadedFleetsFindTheirDesignsInTheDocumentedOrder()
    {
        Window f;
        const QString data = QStringLiteral(QF_TEST_DATA);
        QVERIFY(QDir().mkpath(f.path("weg")));
        for (const auto &[from, to] : {std::pair("example", "Schiff"), std::pair("lager3", "weg/Schiff"), std::pair("lager3", "weg/Nur")})
            QVERIFY(QFile::copy(data + '/' + from + ".shp", f.path(QString::fromLatin1(to) + ".shp")));
        QFile file(f.path("weg/Flotten.json"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral(R"({"home": [{"count": 2, "design": "Schiff.shp"}, {"count": 1, "design": "Nur.shp"}],
                    "foreign": [{"count": 1, "design": "%1/example.shp"}, {"count": 1, "design": "%1/lager3.shp"}]})")
                       .arg(data).toUtf8());
        file.close();
        f.addShips(1, 0, QStringLiteral("1"));
        f.addShips(2, 0, QStringLiteral("1"));
        QTest::mouseClick(f.get<QPushButton>("b_Simulate"), Qt::LeftButton);
        f.prompts.answerOpenFile(f.path("weg/Flotten.json"));
        f.w->menuItem(QStringLiteral("LoadFleets"))->trigger();
        QVERIFY2(f.prompts.warnings.isEmpty(), qPrintable(f.prompts.warnings.join(u'|')));
        const Fleet &home = f.state.homeFleet;
        const Fleet &foreign = f.state.foreignFleet;
        for (int i : {0, 1})
            QCOMPARE(std::tuple(home.Classes[i].AS, home.Classes[i].Stability, home.Classes[i].Cost),
                     std::tuple(foreign.Classes[i].AS, foreign.Classes[i].Stability, foreign.Classes[i].Cost));
        QVERIFY(home.Classes[0].Stability != home.Classes[1].Stability);
        QCOMPARE(f.report(), BattlePage::startUpHelpLines());
    }

    // The window grows from its smallest size, the report box and the lists with it,
    // and comes back as large as it was left.
    void theWindowGrowsAndComesBackAsLeft()
    {
        Window f;
        const QSize smallest = f.w->minimumSize();
        QCOMPARE(f.w->size(), smallest);
        auto *report = f.get<QPlainTextEdit>("b_BattleReport");
        const QSize box = report->size() + QSize(300, 100), list = f.list(1)->size() + QSize(300, 0);
        f.w->resize(smallest + QSize(300, 200));
        QTRY_VERIFY(report->width() >= box.width() && report->height() > box.height() && f.list(1)->width() >= list.width());
        QVERIFY(f.w->designerPage()->maximumWidth() < f.w->width());
        QVERIFY(f.w->close());
        AppState state;
        ScriptedPrompts prompts;
        TKRM_Main again(state, prompts, {QStringLiteral("schiffsdesigner")});
        QCOMPARE(again.size(), smallest + QSize(300, 200));
    }

    void fleetsThatCannotBeLoadedAreRefusedAndStay_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QTest::newRow("not JSON") << QByteArray("{home: ") << "fehlerhaftes JSON";
        QTest::newRow("a field missing")
            << QByteArray("{\"home\": [{\"count\": 1, \"name\": \"A\"}], \"foreign\": []}") << "\"as\" fehlt";
        Fleet many;
        for (int i = 0; i < 11; ++i)
            many.AddShips(1, 1, 0, 5, QStringLiteral("T%1").arg(i), 1, 0, 0);
        QByteArray eleven = FormatFleetsJson(many, Fleet());
        eleven.replace("\"home\": [", "\"home\": [{\"count\": 1, \"name\": \"T10\", \"as\": 1, \"armor\": 0, "
                                       "\"stability\": 5, \"fe\": 1, \"si\": 0, \"c\": 0},");
        QTest::newRow("eleven types") << eleven << "mehr als 10 Schiffstypen";
    }

    void fleetsThatCannotBeLoadedAreRefusedAndStay()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        Window f;
        f.addShips(1, f.addDesign(QStringLiteral("Bleibt"), 2), QStringLiteral("4"));
        const QString path = f.path(QStringLiteral("kaputt.json"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        f.prompts.answerOpenFile(path);
        f.w->menuItem(QStringLiteral("LoadFleets"))->trigger();
        QCOMPARE(f.prompts.warnings.size(), 1);
        QVERIFY2(f.prompts.warnings[0].startsWith(QStringLiteral("Flotten nicht geladen\n")), qPrintable(f.prompts.warnings[0]));
        QVERIFY2(f.prompts.warnings[0].contains(reason), qPrintable(f.prompts.warnings[0]));
        QCOMPARE(f.items(1), QStringList{QStringLiteral("Bleibt (4)")});
        QCOMPARE(f.remembered(1), QStringLiteral("0"));
    }

    // "Bericht speichern..." is there only while a battle report is shown, and writes
    // it as shown: UTF-8, LF line ends, a final line end.
    void theReportIsSavedAsShown()
    {
        Window f;
        QAction *save = f.w->menuItem(QStringLiteral("SaveReport"));
        QVERIFY(!save->isEnabled());
        f.addShips(1, f.addDesign(QStringLiteral("Jäger"), 5), QStringLiteral("10"));
        f.addShips(2, f.addDesign(QStringLiteral("Zerstörer"), 1), QStringLiteral("3"));
        QTest::mouseClick(f.get<QPushButton>("b_Simulate"), Qt::LeftButton);
        QVERIFY(save->isEnabled());
        const QString path = f.path(QStringLiteral("Bericht.txt"));
        f.prompts.answerSaveFile(path);
        save->trigger();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), (f.report().join(u'\n') + u'\n').toUtf8());
        QTest::mouseClick(f.get<QPushButton>("b_Reset"), Qt::LeftButton);
        QVERIFY(!save->isEnabled());
    }

    // A battle not done after about 100 ms goes on beside the window: the bar shows
    // the rounds and the ships left, the window answers, "Abbrechen" ends it.
    void aLongBattleRunsBesideTheWindowAndCanBeCancelled()
    {
        Window f;
        f.setLongBattle();
        QVERIFY(!f.progress()->isVisible());
        QVERIFY(!f.cancel()->isVisible());
        QTest::mouseClick(f.get<QPushButton>("b_Simulate"), Qt::LeftButton);
        QVERIFY(f.w->battlePage()->isRunning());
        QVERIFY(f.progress()->isVisible());
        QVERIFY(f.cancel()->isVisible());
        QCOMPARE(f.cancel()->text(), QStringLiteral("Abbrechen"));
        QVERIFY(!f.get<QPushButton>("b_Simulate")->isEnabled());
        QVERIFY(!f.get<QPushButton>("b_Reset")->isEnabled());
        // Nothing changes the fleets while they fight.
        for (const char *item : {"Simulieren1", "Zurcksetzen1", "LoadFleets", "MinCount", "BestCounter"})
            QVERIFY2(!f.w->menuItem(QString::fromLatin1(item))->isEnabled(), item);
        for (const QString &name : QStringList{"b_AddShipClass1", "b_ShipCount2", "b_Fleet1AS", "b_Fleet2Cost"})
            QVERIFY2(!f.w->findChild<QWidget *>(name)->isEnabled(), qPrintable(name));
        f.clickItem(1, 0);
        f.key(1, '+');
        QTest::keyClick(f.list(2), Qt::Key_Delete);
        QCOMPARE(f.items(1) + f.items(2), QStringList({"Heim (30000000)", "Fremd (30000000)"}));
        auto *bar = f.get<QProgressBar>(QStringLiteral("b_Progress"));
        QTRY_VERIFY_WITH_TIMEOUT(bar->text().contains(QRegularExpression(QStringLiteral("^Runde [1-9]\\d* "))), 20000);
        QVERIFY(bar->text().contains(QStringLiteral("Heimat")));
        QVERIFY(bar->text().contains(QStringLiteral("Fremd")));

        // The other pages work meanwhile.
        f.w->pageControl()->setCurrentIndex(0);
        QLineEdit *laser = f.get(QStringLiteral("d_Laser"));
        laser->setText(QStringLiteral("4"));
        QCOMPARE(f.text("d_AS"), QString::number(f.state.designs.at(0).GetAS()));
        QVERIFY(f.state.designs.at(0).GetLaser() == 4);
        f.w->pageControl()->setCurrentIndex(2);

        QTest::mouseClick(f.cancel(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!f.w->battlePage()->isRunning(), 20000);
        const QStringList report = f.report();
        QVERIFY2(report.first().startsWith(QStringLiteral("Simulation abgebrochen nach ")), qPrintable(report.first()));
        QVERIFY(!f.progress()->isVisible());
        QVERIFY(f.get<QPushButton>("b_Simulate")->isEnabled());
        QVERIFY(f.w->menuItem(QStringLiteral("Simulieren1"))->isEnabled());
        QVERIFY(!f.w->menuItem(QStringLiteral("SaveReport"))->isEnabled()); // no result to save
        QVERIFY(f.get("b_Fleet1AS")->isEnabled());

        // The next long battle runs to its end, also while another page is shown.
        f.setLongBattle(3000000, 2000000);
        QStringList expected;
        SimulateBattle(f.state.homeFleet, f.state.foreignFleet, expected);
        QTest::mouseClick(f.get<QPushButton>("b_Simulate"), Qt::LeftButton);
        QVERIFY(f.w->battlePage()->isRunning());
        f.w->pageControl()->setCurrentIndex(1);
        QTRY_VERIFY_WITH_TIMEOUT(!f.w->battlePage()->isRunning(), 120000);
        QCOMPARE(f.report(), expected);
        QCOMPARE(f.w->pageControl()->currentIndex(), 1);
        QVERIFY(f.w->menuItem(QStringLiteral("SaveReport"))->isEnabled());
    }

    void beendenDuringABattleCancelsItFirst()
    {
        Window f;
        f.setLongBattle();
        QTest::mouseClick(f.get<QPushButton>("b_Simulate"), Qt::LeftButton);
        QVERIFY(f.w->battlePage()->isRunning());
        f.w->menuItem(QStringLiteral("Exit"))->trigger();
        QVERIFY(!f.w->battlePage()->isRunning());
        QCOMPARE(f.exitStatuses, QList<int>({0}));
        QVERIFY(f.report().first().startsWith(QStringLiteral("Simulation abgebrochen nach ")));
    }

    // Without unsaved designs, and with them answered "Schließen", the battle stops
    // before the window goes; answered "Abbrechen", both go on.
    void theCloseBoxDuringABattleCancelsIt_data()
    {
        QTest::addColumn<bool>("unsaved");
        QTest::addColumn<bool>("close");
        for (const auto &[row, unsaved, close] : {std::tuple("nothing unsaved", false, true),
                                                  std::tuple("Schließen", true, true), std::tuple("Abbrechen", true, false)})
            QTest::newRow(row) << unsaved << close;
    }
    void theCloseBoxDuringABattleCancelsIt()
    {
        QFETCH(bool, unsaved);
        QFETCH(bool, close);
        Window f;
        if (unsaved)
            f.addDesign(QStringLiteral("Neu"), 1);
        if (close)
            f.prompts.choiceAnswers.push_back(QStringLiteral("Schließen"));
        f.setLongBattle();
        QTest::mouseClick(f.get<QPushButton>("b_Simulate"), Qt::LeftButton);
        QVERIFY(f.w->battlePage()->isRunning());
        QCloseEvent event;
        QApplication::sendEvent(f.w, &event);
        QCOMPARE(event.isAccepted(), close);
        QCOMPARE(f.w->battlePage()->isRunning(), !close);
        QCOMPARE(f.prompts.questions.size(), unsaved ? 1 : 0);
        f.w->battlePage()->cancelRunning();
    }

    // "Mindestanzahl..." for the chosen home entry: the smallest count that wipes out the
    // foreign fleet is set, its battle shown and its number told. Checked against the
    // battles of every smaller count.
    void theMinimumCountIsSetFoughtAndTold()
    {
        Window f;
        const int hunter = f.addDesign(QStringLiteral("Jäger"), 3, 1);
        const int escort = f.addDesign(QStringLiteral("Begleiter"), 1, 2, 3);
        const int target = f.addDesign(QStringLiteral("Festung"), 2, 6, 8);
        f.addShips(1, escort, QStringLiteral("2"));
        f.addShips(1, hunter, QStringLiteral("1"));
        f.addShips(2, target, QStringLiteral("40"));
        QCOMPARE(f.remembered(1), QStringLiteral("1"));
        const Fleet before = f.state.homeFleet;
        const QStringList help = f.report();
        // "Nicht übernehmen" leaves fleet and report; "Übernehmen" sets the count.
        for (bool take : {false, true}) {
            f.prompts.questionAnswers.push_back(take);
            f.w->menuItem(QStringLiteral("MinCount"))->trigger();
            QTRY_VERIFY_WITH_TIMEOUT(!f.w->battlePage()->isRunning(), 60000);
            QCOMPARE(f.state.homeFleet.Classes[1].Count, take ? f.prompts.questions.last().section(u' ', -3, -3).chopped(1).toInt() : 1);
            QCOMPARE(f.report() == help, !take);
            QCOMPARE(f.w->battlePage()->courseChart().hasCourse(), take);
        }
        QVERIFY(f.prompts.informations.isEmpty());
        const QString told = f.prompts.questions[1];
        QVERIFY2(told.startsWith(QStringLiteral("Mindestanzahl\nMindestanzahl für \u201EJäger\u201C: ")), qPrintable(told));
        QVERIFY2(told.endsWith(QStringLiteral(". Anzahl übernehmen?")), qPrintable(told));
        const int count = f.state.homeFleet.Classes[1].Count;
        QVERIFY(count >= 1);
        QCOMPARE(f.state.homeFleet.Classes[1].Count, count);
        QCOMPARE(f.state.homeFleet.Classes[0].Count, 2);
        QCOMPARE(f.items(1), QStringList({"Begleiter (2)", QStringLiteral("Jäger (%1)").arg(count)}));
        QStringList expected;
        SimulateBattle(f.state.homeFleet, f.state.foreignFleet, expected);
        QCOMPARE(f.report(), expected);
        QVERIFY(f.w->menuItem(QStringLiteral("SaveReport"))->isEnabled());
        // Every smaller count leaves the foreign fleet with ships; this one does not.
        for (int k = 1; k <= count; ++k) {
            Fleet home = before;
            QCOMPARE(home.SetCount(1, k), FleetEdit::Done);
            const BattleOutcome o = FightBattle(home, f.state.foreignFleet);
            QCOMPARE(o.foreign.wipedOut, k == count);
        }
    }

    // A search that takes long runs beside the window like a long battle; "Abbrechen"
    // ends it without a message, and the fleets stay as they were.
    void aLongSearchRunsBesideTheWindowAndCanBeCancelled()
    {
        Window f;
        // One ship of stability 1 against two billion: the float rounding of each
        // count's round time alone decides, so the counts are fought one by one.
        f.state.homeFleet = Fleet();
        f.state.homeFleet.AddShips(1, 1, 0, 1, QStringLiteral("Heim"), 1, 0, 0);
        f.state.foreignFleet = Fleet();
        f.state.foreignFleet.AddShips(2000000000, 1, 0, 1000, QStringLiteral("Fremd"), 1, 0, 0);
        f.w->battlePage()->ShowFleets();
        f.clickItem(1, 0);
        f.w->menuItem(QStringLiteral("MinCount"))->trigger();
        QVERIFY(f.w->battlePage()->isRunning());
        QVERIFY(f.cancel()->isVisible());
        QVERIFY(!f.w->menuItem(QStringLiteral("MinCount"))->isEnabled());
        QVERIFY(!f.get<QPushButton>("b_Simulate")->isEnabled());
        auto *bar = f.get<QProgressBar>(QStringLiteral("b_Progress"));
        QTRY_VERIFY_WITH_TIMEOUT(bar->text().contains(QRegularExpression(QStringLiteral("^Mindestanzahl: bei [1-9]\\d* Schiffen"))), 20000);

        QTest::mouseClick(f.cancel(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!f.w->battlePage()->isRunning(), 20000);
        QVERIFY(f.prompts.informations.isEmpty());
        QCOMPARE(f.w->statusBar()->currentMessage(), QStringLiteral("Suche abgebrochen."));
        QCOMPARE(f.state.homeFleet.Classes[0].Count, 1);
        QVERIFY(f.w->menuItem(QStringLiteral("MinCount"))->isEnabled());
        QVERIFY(!f.progress()->isVisible());
    }

    void aCountThatCannotWinIsToldUnreachable()
    {
        Window f;
        const int unarmed = f.addDesign(QStringLiteral("Frachter"), 0);
        const int armoured = f.addDesign(QStringLiteral("Bunker"), 0, 5);
        f.addShips(1, unarmed, QStringLiteral("3"));
        f.addShips(2, armoured, QStringLiteral("1"));
        f.w->menuItem(QStringLiteral("MinCount"))->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!f.w->battlePage()->isRunning(), 60000);
        QCOMPARE(f.prompts.informations,
                 QStringList{QStringLiteral("Mindestanzahl\nMindestanzahl für \u201EFrachter\u201C: nicht erreichbar")});
        QCOMPARE(f.items(1), QStringList{QStringLiteral("Frachter (3)")});
    }

    void theMinimumCountNeedsAChosenHomeEntry()
    {
        Window f;
        const int a = f.addDesign(QStringLiteral("A"), 2);
        f.addShips(1, a, QStringLiteral("1"));
        f.addShips(2, a, QStringLiteral("1"));
        QTest::keyClick(f.list(1), Qt::Key_Delete); // nothing chosen any more
        f.addShips(1, a, QStringLiteral("1"));
        f.w->battlePage()->fleetsReplaced();
        f.w->menuItem(QStringLiteral("MinCount"))->trigger();
        QCOMPARE(f.prompts.informations.size(), 1);
        QVERIFY(f.prompts.informations[0].contains(QStringLiteral("Schiffstyp der Heimatflotte")));
        QVERIFY(!f.w->battlePage()->isRunning());
    }
};

QTEST_MAIN(BattlePageTest)
#include "tst_BattlePage.moc"
