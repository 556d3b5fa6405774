// The main window: pages, menus, start-up, command line, distance and display option,
// and the configuration file.
#include "settings/ConfigFormat.h"
#include "app/KRM_Main.h"
#include "ui/SmallDialogs.h"
#include "designer/DesignerPage.h"
#include "battle/page/BattlePage.h"
#include "calc/page/CalculatorPage.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace qf;
using namespace qf::test;

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    static QAction *item(WindowFixture &f, const char *name)
    {
        QAction *a = f.window().menuItem(QString::fromLatin1(name));
        if (!a)
            qFatal("no menu item %s", name);
        return a;
    }
    static bool visible(WindowFixture &f, const char *name)
    {
        return f.edit(QString::fromLatin1(name))->parentWidget()->isVisibleTo(&f.window());
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void startsWithFourPagesAndTheDefaultDesign()
    {
        WindowFixture f;
        QTabWidget *tabs = f.window().pageControl();
        QCOMPARE(f.window().objectName(), QStringLiteral("KRM_Main"));
        QCOMPARE(f.window().windowTitle(), QStringLiteral("Quarzfink Schiffsdesigner 3.0a"));
        QCOMPARE(tabs->objectName(), QStringLiteral("PageControl1"));
        QCOMPARE(tabs->count(), 4);
        const QStringList captions = {"Designer", "Rechner", "Kampfsimulator", "DebugSheet"};
        const QStringList names = {"TabSheet1", "TabSheet2", "TabSheet3", "DebugSheet"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(tabs->tabText(i), captions[i]);
            QCOMPARE(tabs->widget(i)->objectName(), names[i]);
        }
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(f.logLines(), QStringList({"Quarzfink Schiffsdesigner 3.0 beta2", "Debug-Output",
                                            "No Shipfiles! Generating empty design."}));
        QCOMPARE(f.state.designs.size(), 1);
        QCOMPARE(f.state.designs.at(0).GetName(), QStringLiteral("Neues Schiff"));
        QCOMPARE(f.text("d_Distance"), QStringLiteral("2000"));
        QCOMPARE(f.text("d_FullFlightTime"), QStringLiteral("15:42:48"));
        QCOMPARE(f.text("d_ProductionTime"), QStringLiteral("05:48:29"));
        QCOMPARE(f.window().designerPage()->findChild<QLabel *>("Label1")->text(), QStringLiteral("Bezeichnung"));
        QCOMPARE(f.state.designs.CopyCounter, 0);
        for (const char *menu : {"Designer", "Calculator", "BattleSim"})
            QVERIFY(item(f, menu)->isEnabled());
    }

    void rechnerAndKampfsimulatorAreMadeWhenFirstShown()
    {
        WindowFixture f; // the folders; the window below is a fresh one
        AppState state;
        ScriptedPrompts prompts;
        TKRM_Main w(state, prompts, {QStringLiteral("schiffsdesigner")});
        QVERIFY(!w.findChild<CalculatorPage *>() && !w.findChild<BattlePage *>());
        w.pageControl()->setCurrentIndex(3);
        QVERIFY(w.battlePage()); // asked for, made behind the page shown
        QCOMPARE(w.pageControl()->currentWidget()->objectName(), QStringLiteral("DebugSheet"));
        QVERIFY(!w.findChild<CalculatorPage *>());
        w.pageControl()->setCurrentIndex(1);
        QCOMPARE(w.pageControl()->currentWidget(), w.findChild<CalculatorPage *>());
        QCOMPARE(w.pageControl()->currentWidget()->objectName(), QStringLiteral("TabSheet2"));
        QCOMPARE(w.pageControl()->widget(2)->objectName(), QStringLiteral("TabSheet3"));
        QCOMPARE(w.pageControl()->tabText(2), QStringLiteral("Kampfsimulator"));
    }

    void menuItemHasItsCaptionAndShortcut_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::addColumn<bool>("enabled");
        struct Entry { const char *name; const char *caption; const char *shortcut; bool enabled; };
        const Entry entries[] = {
            {"Load", "Ö&ffnen...", "Ctrl+F", true},      {"New", "&Neu", "Ctrl+N", true},
            {"SaveAs", "&Speichern Als...", "Ctrl+A", true}, {"Copy", "&Kopieren", "Ctrl+K", true},
            {"Delete", "&Löschen", "Ctrl+L", true},       {"Importieren1", "Importieren", "Ctrl+I", true},
            {"Exportieren1", "Exportieren", "Ctrl+E", true}, {"DesignOptions", "Optionen", "", true},
            {"Compare", "Vergleichen...", "", true},       {"BestCounter", "Bester Konter...", "", true},
            {"FlightTime", "Flugzeit (pa)", "", true},    {"Acceleration", "Beschleunigung", "", true},
            {"SetNewDistance", "Distanz setzen... (2000)", "", true},
            {"Calculator", "&Rechner", "", true},           {"Designverwenden1", "Design verwenden...", "", true},
            {"Design11", "Design1...", "", false},         {"Design21", "Design2...", "", false},
            {"CalculatorOptions", "Optionen", "", false},  {"BattleSim", "&Kampfsimulator", "", true},
            {"Simulieren1", "Simulieren", "F5", true},       {"Zurcksetzen1", "Zurücksetzen", "", true},
            {"SaveFleets", "Flotten speichern...", "", true}, {"LoadFleets", "Flotten laden...", "", true},
            {"SaveReport", "Bericht speichern...", "", false}, {"MinCount", "Mindestanzahl...", "", true},
            {"BattlesimOptions", "Optionen", "", false},   {"About", "Über", "", true},
            {"Exit", "Beenden", "", true},                 {"Designer", "&Designer", "", true},
        };
        for (const Entry &e : entries)
            QTest::newRow(e.name) << QString::fromUtf8(e.caption) << QKeySequence(QString::fromLatin1(e.shortcut))
                                  << e.enabled;
    }

    void menuItemHasItsCaptionAndShortcut()
    {
        QFETCH(QString, caption);
        QFETCH(QKeySequence, shortcut);
        QFETCH(bool, enabled);
        WindowFixture f;
        QAction *a = item(f, QTest::currentDataTag());
        QCOMPARE(a->text(), caption);
        QCOMPARE(a->shortcut(), shortcut);
        QCOMPARE(a->isEnabled(), enabled);
    }

    void menuBarOrderAndTheCheckedDisplayOption()
    {
        WindowFixture f;
        QStringList topNames;
        for (QAction *a : f.window().menuBar()->actions())
            topNames << a->objectName();
        QCOMPARE(topNames, QStringList({"Designer", "Calculator", "BattleSim", "About", "Exit"}));
        QVERIFY(item(f, "FlightTime")->isChecked());
        QVERIFY(!item(f, "Acceleration")->isChecked());
    }

    void pageChangeEnablesExactlyOneMenu()
    {
        WindowFixture f;
        QTabWidget *tabs = f.window().pageControl();
        const bool expected[4][3] = {{true, false, false}, {false, true, false},
                                     {false, false, true}, {false, false, false}};
        for (int page : {1, 2, 3, 0, 3}) {
            tabs->setCurrentIndex(page);
            QCOMPARE(item(f, "Designer")->isEnabled(), expected[page][0]);
            QCOMPARE(item(f, "Calculator")->isEnabled(), expected[page][1]);
            QCOMPARE(item(f, "BattleSim")->isEnabled(), expected[page][2]);
            QVERIFY(item(f, "About")->isEnabled());
            QVERIFY(item(f, "Exit")->isEnabled());
        }
    }

    void displayOptionSwapsTheFields()
    {
        WindowFixture f;
        f.window().show();
        QVERIFY(visible(f, "d_FullFlightTime") && visible(f, "d_Distance"));
        QVERIFY(!visible(f, "d_Acceleration") && !visible(f, "d_FlightTimePercent"));
        item(f, "Acceleration")->trigger();
        QVERIFY(!visible(f, "d_FullFlightTime") && !visible(f, "d_Distance"));
        QVERIFY(visible(f, "d_Acceleration") && visible(f, "d_FlightTimePercent"));
        item(f, "Acceleration")->trigger(); // a second time changes nothing
        QVERIFY(item(f, "Acceleration")->isChecked());
        QVERIFY(visible(f, "d_Acceleration"));
        item(f, "FlightTime")->trigger();
        QVERIFY(visible(f, "d_FullFlightTime"));
        QVERIFY(!item(f, "Acceleration")->isChecked());
        // Hidden fields keep being updated.
        f.typeInto("d_Fusi", "2");
        QCOMPARE(f.text("d_Acceleration"), QString::number(f.state.designs.at(0).GetAcceleration()));
    }

    void distanceDialogReopensForValuesOutsideTheRange()
    {
        WindowFixture f;
        QStringList shownDistances;
        auto answer = [&](const QString &typed) {
            f.prompts.answerDialog([&, typed](QDialog &d) {
                auto &dialog = static_cast<TEditDialog &>(d);
                shownDistances << dialog.text();
                dialog.setText(typed);
                return int(QDialog::Accepted);
            });
        };
        answer("-1");
        answer("8001");
        answer("007");
        item(f, "SetNewDistance")->trigger();
        QCOMPARE(shownDistances, QStringList({"2000", "2000", "2000"}));
        QCOMPARE(f.text("d_Distance"), QStringLiteral("7"));
        QCOMPARE(item(f, "SetNewDistance")->text(), QStringLiteral("Distanz setzen... (7)"));
        QCOMPARE(f.prompts.shownDialogs.last(), QStringLiteral("DistanceOptionDialog: Option: Entfernung"));

        answer("abc"); // not a number reads as 0, which is accepted
        item(f, "SetNewDistance")->trigger();
        QCOMPARE(f.text("d_Distance"), QStringLiteral("0"));
        QCOMPARE(f.text("d_FullFlightTime"), QStringLiteral("00:00:00"));

        answer("8000");
        item(f, "SetNewDistance")->trigger();
        QCOMPARE(f.text("d_Distance"), QStringLiteral("8000"));

        f.prompts.rejectDialog();
        item(f, "SetNewDistance")->trigger();
        QCOMPARE(f.text("d_Distance"), QStringLiteral("8000"));
    }

    void aboutBoxIsShownModally()
    {
        WindowFixture f;
        f.prompts.acceptDialog();
        item(f, "About")->trigger();
        QCOMPARE(f.prompts.shownDialogs, QStringList({"AboutBox: About"}));
        QVERIFY(f.window().aboutBox()->findChild<QLabel *>("ProductName")->text().contains("3.0a"));
    }

    void commandLineValueIsAlwaysTheNextArgument()
    {
        WindowFixture f({"-cfg", "-shp", "x"});
        QCOMPARE(f.window().configFileName(), QStringLiteral("-shp"));
        const QStringList log = f.logLines();
        QVERIFY(log.contains("Error opening config file"));
        QVERIFY(log.contains("Shipfile-argument found."));
        QVERIFY(log.contains("Loading Shipdesign x"));
        QVERIFY(log.contains("Error opening input file"));
        QCOMPARE(log.last(), QStringLiteral("No Shipfiles! Generating empty design."));
        QCOMPARE(f.state.designs.size(), 1);
        // The named file is missing: the page shows the distance the menu names.
        QCOMPARE(f.text("d_Distance"), QStringLiteral("2000"));
        QCOMPARE(item(f, "SetNewDistance")->text(), QStringLiteral("Distanz setzen... (2000)"));
        QCOMPARE(f.text("d_FullFlightTime"), QStringLiteral("15:42:48"));
    }

    // Pipes given for -shp and -cfg do not hold the start-up: it goes on as with missing files.
    void pipesOnTheCommandLineDoNotBlockTheStart()
    {
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("pipe"));
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        WindowFixture f({"-cfg", fifo, "-shp", fifo});
        const QStringList log = f.logLines();
        QVERIFY(log.contains("Error opening config file"));
        QVERIFY(log.contains("Error opening input file"));
        QCOMPARE(log.last(), QStringLiteral("No Shipfiles! Generating empty design."));
        QCOMPARE(f.text("d_Distance"), QStringLiteral("2000"));
        QVERIFY(f.prompts.warnings.isEmpty()); // only the log at start-up
    }

    void onlyTheFirstOccurrenceCountsAndALastKeyIsAbsent()
    {
        WindowFixture f({"-cfg", "a.ini", "-cfg", "b.ini", "-shp"});
        QCOMPARE(f.window().configFileName(), QStringLiteral("a.ini"));
        QCOMPARE(f.logLines().mid(2), QStringList({"Error opening config file", "Shipfile-argument found.",
                                                   "No Shipfiles! Generating empty design."}));
        WindowFixture g({"-CFG", "c.ini", "-cfg"});
        QCOMPARE(g.window().configFileName(), g.userConfigPath()); // as without -cfg
        QCOMPARE(g.text("d_Distance"), QStringLiteral("2000"));
    }

    void configurationIsRestoredAtTheNextStart()
    {
        QByteArray written;
        {
            WindowFixture f({}, QByteArray(""));
            QCOMPARE(f.window().configFileName(), QStringLiteral("KRM.ini"));
            item(f, "Acceleration")->trigger();
            f.prompts.acceptWithText("NewDistance", "3500");
            item(f, "SetNewDistance")->trigger();
            f.window().pageControl()->setCurrentIndex(2);
            QVERIFY(f.window().WriteConfig());
            QCOMPARE(f.logLines().last(), QStringLiteral("configfile saved"));
            QFile file(f.path("KRM.ini"));
            QVERIFY(file.open(QIODevice::ReadOnly));
            written = file.readAll();
        }
        WindowFixture g({}, written);
        QVERIFY(item(g, "Acceleration")->isChecked());
        QCOMPARE(g.text("d_Distance"), QStringLiteral("3500"));
        QCOMPARE(item(g, "SetNewDistance")->text(), QStringLiteral("Distanz setzen... (3500)"));
        QCOMPARE(g.window().pageControl()->currentIndex(), 2);
        QVERIFY(!item(g, "Designer")->isEnabled());
        QVERIFY(item(g, "BattleSim")->isEnabled());
        QVERIFY(g.window().pageControl()->isEnabled());
    }

    void configurationKeysAndRangesOnReading()
    {
        WindowFixture f({}, "ActivesTab 4\ndistanz 500\nDistanz 100\n[KRM]\nDistanz 300\n");
        QCOMPARE(f.window().pageControl()->currentIndex(), 0);
        QCOMPARE(f.text("d_Distance"), QStringLiteral("300"));
        WindowFixture g({}, "ActivesTab -1\nDistanz 9000\nDistanz -5\n");
        QCOMPARE(g.window().pageControl()->currentIndex(), 0);
        QCOMPARE(g.text("d_Distance"), QStringLiteral("2000")); // no usable distance: the default
        QVERIFY(item(g, "Designer")->isEnabled());
        WindowFixture h({}, "Distanz 1500\nDistanz nix\nActivesTab 1\n");
        QCOMPARE(h.text("d_Distance"), QStringLiteral("1500"));
        QCOMPARE(h.window().pageControl()->currentIndex(), 0);
    }

    // Started from the desktop menu there is no KRM.ini in the working directory:
    // the settings are kept in the user's configuration folder, made when needed.
    void settingsAreKeptInTheUserFolderWithoutAnyOther()
    {
        WindowFixture f;
        const QString folderFile = f.userConfigPath();
        QCOMPARE(f.window().configFileName(), folderFile);
        QVERIFY(!f.logLines().contains("Error opening config file")); // nothing to read yet
        QCOMPARE(f.text("d_Distance"), QStringLiteral("2000"));
        QVERIFY(!QFile::exists(folderFile));
        f.prompts.acceptWithText("NewDistance", "4100");
        item(f, "SetNewDistance")->trigger();
        f.window().pageControl()->setCurrentIndex(1);
        QVERIFY(f.window().WriteConfig());
        QCOMPARE(f.logLines().last(), QStringLiteral("configfile saved"));
        QVERIFY(!QFile::exists(f.path("KRM.ini")));
        QFile file(folderFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), FormatConfig(true, 4100, 1));

        // The next start from the same place finds them there.
        AppState state;
        ScriptedPrompts prompts;
        TKRM_Main next(state, prompts, {QStringLiteral("schiffsdesigner")});
        QCOMPARE(next.configFileName(), folderFile);
        QCOMPARE(next.findChild<QLineEdit *>("d_Distance")->text(), QStringLiteral("4100"));
        QCOMPARE(next.pageControl()->currentIndex(), 1);
    }

    // A KRM.ini in the working directory keeps its precedence over the user's folder.
    void aKrmIniInTheWorkingDirectoryComesFirst()
    {
        WindowFixture f({}, "Distanz 700\r\n");
        QCOMPARE(f.window().configFileName(), QStringLiteral("KRM.ini"));
        QCOMPARE(f.text("d_Distance"), QStringLiteral("700"));
        QVERIFY(f.window().WriteConfig());
        QVERIFY(!QFile::exists(f.userConfigPath()));
    }

    void settingsThatCannotBeWrittenAreToldInAMessageBox()
    {
        WindowFixture f({"-cfg", "no/such/folder/x.ini"});
        QVERIFY(!f.window().WriteConfig());
        QCOMPARE(f.logLines().last(), QStringLiteral("Error opening conofigfile"));
        QCOMPARE(f.prompts.warnings.size(), 1);
        QVERIFY(f.prompts.warnings[0].startsWith(QStringLiteral("Einstellungen nicht gespeichert\n")));
        QVERIFY(f.prompts.warnings[0].contains(QStringLiteral("x.ini")));
    }

    void missingConfigurationIsCreatedAtExitAndEmptyDistanceIsWrittenAs2000()
    {
        WindowFixture f({"-cfg", "new.ini"});
        QVERIFY(f.logLines().contains("Error opening config file"));
        QVERIFY(f.window().WriteConfig());
        QFile file(f.path("new.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("Distanz 2000\r\n"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_MainWindow.moc"
