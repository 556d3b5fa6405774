// The design library through the menu: new, copy, delete, rename, open, save,
// import, export and exit with its save questions.
#include "ui/FormWidgets.h"
#include "app/KRM_Main.h"
#include "ui/SmallDialogs.h"
#include "battle/page/BattlePage.h"
#include "designer/DesignerPage.h"
#include "library/DesignFile.h"
#include "library/GameText.h"
#include "library/commands/LibraryCommands.h"
#include "library/commands/LibraryDialogs.h"
#include "support/WindowFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QMenu>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <limits>
#include <sys/stat.h>

using namespace qf;
using namespace qf::test;

class LibraryTest : public QObject {
    Q_OBJECT

    static void trigger(WindowFixture &f, const char *name)
    {
        f.window().menuItem(QString::fromLatin1(name))->trigger();
    }
    static QStringList items(QComboBox *list)
    {
        QStringList names;
        for (int i = 0; i < list->count(); ++i)
            names << list->itemText(i);
        return names;
    }
    // The collection and the three lists hold the same names in the same order.
    static QStringList namesInStep(WindowFixture &f)
    {
        QStringList names;
        for (const ShipDesign &d : f.state.designs.designs())
            names << d.GetName();
        [&] {
            QCOMPARE(items(f.window().designerPage()->shipNameList()), names);
            QCOMPARE(items(f.window().battlePage()->shipClassList(1)), names);
            QCOMPARE(items(f.window().battlePage()->shipClassList(2)), names);
        }();
        return names;
    }
    static void tick(WindowFixture &f, const char *box)
    {
        f.window().findChild<QAbstractButton *>(QString::fromLatin1(box))->click();
    }
    static int selected(WindowFixture &f) { return f.window().designerPage()->selectedIndex(); }
    static QString marker(WindowFixture &f)
    {
        return f.window().designerPage()->findChild<QLabel *>("Label1")->text();
    }
    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void addNamed(WindowFixture &f, const QString &name)
    {
        f.prompts.acceptWithText("NewShipname", name);
        trigger(f, "New");
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void newDesignIsNamedThroughTheDialog()
    {
        WindowFixture f;
        QString proposed;
        f.prompts.answerDialog([&](QDialog &d) {
            proposed = static_cast<TEditDialog &>(d).text();
            return int(QDialog::Accepted);
        });
        trigger(f, "New");
        QCOMPARE(proposed, QStringLiteral("Ein neues Schiff"));
        QCOMPARE(namesInStep(f), QStringList({"Neues Schiff", "Ein neues Schiff"}));
        QCOMPARE(selected(f), 1);
        QCOMPARE(marker(f), QStringLiteral("Bezeichnung *"));
        f.prompts.rejectDialog();
        trigger(f, "New");
        QCOMPARE(f.state.designs.size(), 2);
        f.prompts.acceptWithText("NewShipname", "");
        trigger(f, "New");
        QCOMPARE(f.state.designs.at(2).GetName(), QStringLiteral("Neues Schiff"));
        QCOMPARE(marker(f), QStringLiteral("Bezeichnung"));
    }

    void copiesAreNumberedByTheCopyCounter()
    {
        WindowFixture f;
        f.typeInto("d_Laser", "3");
        tick(f, "d_Kolo");
        trigger(f, "Copy");
        QCOMPARE(f.logLines().last(), QStringLiteral("Copy-Func started"));
        f.window().designerPage()->shipNameList()->setCurrentIndex(0);
        trigger(f, "Copy");
        QCOMPARE(namesInStep(f), QStringList({"Neues Schiff", "Neues Schiff(0)", "Neues Schiff(1)"}));
        const ShipDesign &copy = f.state.designs.at(2);
        QCOMPARE(copy.GetLaser(), 3);
        QVERIFY(copy.GetKolo() && copy.GetCrewed());
        QCOMPARE(copy.GetFE(), f.state.designs.at(0).GetFE());
        QVERIFY(copy.IsChanged());
        trigger(f, "Copy"); // a copy of a copy replaces the number
        QCOMPARE(f.state.designs.at(3).GetName(), QStringLiteral("Neues Schiff(2)"));
        QCOMPARE(selected(f), 3);
        QCOMPARE(f.text("d_Laser"), QStringLiteral("3"));
    }

    // At its largest value the copy counter stops: every later copy takes that number.
    void theCopyCounterStopsAtItsLargestValue()
    {
        WindowFixture f;
        f.state.designs.CopyCounter = std::numeric_limits<int>::max() - 1;
        for (int i = 0; i < 3; ++i) {
            f.window().designerPage()->shipNameList()->setCurrentIndex(0);
            trigger(f, "Copy");
        }
        QCOMPARE(namesInStep(f), QStringList({"Neues Schiff", "Neues Schiff(2147483646)", "Neues Schiff(2147483647)",
                                              "Neues Schiff(2147483647)"}));
        QCOMPARE(f.state.designs.CopyCounter, std::numeric_limits<int>::max());
    }

    void deleteSelectsTheDesignBefore()
    {
        WindowFixture f;
        for (const char *name : {"B", "C", "D", "E"})
            addNamed(f, QString::fromLatin1(name));
        f.window().designerPage()->shipNameList()->setCurrentIndex(3);
        QString question;
        f.prompts.answerDialog([&](QDialog &d) {
            question = d.windowTitle() + u'|' + static_cast<TConfirmationDlg &>(d).question();
            return int(QDialog::Accepted);
        });
        trigger(f, "Delete");
        QCOMPARE(question, QStringLiteral("Löschen|Wollen Sie das Schiffsdesign wirklich löschen?"));
        QCOMPARE(namesInStep(f), QStringList({"Neues Schiff", "B", "C", "E"}));
        QCOMPARE(selected(f), 2);
        QCOMPARE(f.window().designerPage()->shipNameList()->currentText(), QStringLiteral("C"));
        f.window().designerPage()->shipNameList()->setCurrentIndex(0);
        f.prompts.acceptDialog();
        trigger(f, "Delete");
        QCOMPARE(namesInStep(f), QStringList({"B", "C", "E"}));
        QCOMPARE(selected(f), 0);
        f.prompts.rejectDialog();
        trigger(f, "Delete");
        QCOMPARE(f.state.designs.size(), 3);
    }

    void deletingTheLastDesignLeavesANewOne()
    {
        WindowFixture f;
        f.typeInto("d_Plasma", "4");
        f.prompts.acceptDialog();
        trigger(f, "Delete");
        QCOMPARE(f.logLines().last(), QStringLiteral("Last design deleted, replacing with empty design."));
        QCOMPARE(namesInStep(f), QStringList({"Neues Schiff"}));
        QCOMPARE(selected(f), 0);
        QVERIFY(!f.state.designs.at(0).IsChanged());
        QCOMPARE(f.text("d_Plasma"), QStringLiteral("0"));
        QCOMPARE(marker(f), QStringLiteral("Bezeichnung"));
    }

    void renameChangesAllThreeLists()
    {
        WindowFixture f;
        addNamed(f, "B");
        QString proposed;
        f.prompts.answerDialog([&](QDialog &d) {
            auto &dialog = static_cast<TEditDialog &>(d);
            proposed = dialog.text();
            dialog.setText("Jäger");
            return int(QDialog::Accepted);
        });
        QTest::mouseClick(f.window().designerPage()->renameButton(), Qt::LeftButton);
        QCOMPARE(proposed, QStringLiteral("B"));
        QCOMPARE(namesInStep(f), QStringList({"Neues Schiff", "Jäger"}));
        QCOMPARE(selected(f), 1);
        f.prompts.acceptWithText("NewShipname", "");
        QTest::mouseClick(f.window().designerPage()->renameButton(), Qt::LeftButton);
        QCOMPARE(namesInStep(f), QStringList({"Neues Schiff", "Jäger"}));
        f.window().designerPage()->shipNameList()->setCurrentIndex(0);
        f.window().designerPage()->ShipNameSelect(0);
        f.prompts.acceptWithText("NewShipname", "Neues Schiff");
        QTest::mouseClick(f.window().designerPage()->renameButton(), Qt::LeftButton);
        QCOMPARE(marker(f), QStringLiteral("Bezeichnung *")); // the same name counts as a change
    }

    void saveWritesTheFileAndOpenReadsItBack()
    {
        WindowFixture f;
        f.typeInto("d_StorageBays", "2");
        f.typeInto("d_ArmorLevel", "1");
        f.typeInto("d_Laser", "7");
        f.typeInto("d_ZVA", "2");
        tick(f, "d_Spy");
        tick(f, "d_Sabo");
        const DesignerFigures shown = f.window().designerPage()->shownFigures();
        const QString path = f.path("Kreuzer.shp");
        f.prompts.answerSaveFile(path);
        trigger(f, "SaveAs");
        const FileDialogRequest request = f.prompts.fileDialogs.last();
        QCOMPARE(request.title, QStringLiteral("Schiffsdesign Speichern..."));
        QCOMPARE(request.fileName, QStringLiteral("Neues Schiff.shp"));
        QCOMPARE(request.filters, QStringList({"Schiffsdesigns (*.shp)", "Alle Dateien (*.*)"}));
        QCOMPARE(request.defaultSuffix, QStringLiteral("shp"));
        const QByteArray bytes = readFile(path);
        QCOMPARE(bytes, FormatDesignFile(shown));
        QVERIFY(bytes.startsWith(";Version 30\r\n\r\n[Bauelemente]\r\nSchiffsbasiselement "));
        QVERIFY(bytes.contains("\r\nLaserkanonen 7\r\n"));
        QVERIFY(bytes.contains("[Spezialeinheiten]\r\nBemannt\r\nSpionage\r\nSabotage\r\n\r\n"));
        QCOMPARE(namesInStep(f), QStringList({"Kreuzer"}));
        QCOMPARE(marker(f), QStringLiteral("Bezeichnung"));

        f.prompts.answerOpenFile(path);
        trigger(f, "Load");
        QCOMPARE(f.prompts.fileDialogs.last().title, QStringLiteral("Schiffsdesign Laden..."));
        QCOMPARE(f.prompts.fileDialogs.last().filters.first(), QStringLiteral("Schiffdesigns (*.shp)"));
        QCOMPARE(namesInStep(f), QStringList({"Kreuzer", "Kreuzer(0)"}));
        QCOMPARE(selected(f), 1);
        QCOMPARE(marker(f), QStringLiteral("Bezeichnung *"));
        const ShipDesign &a = f.state.designs.at(0);
        const ShipDesign &b = f.state.designs.at(1);
        QCOMPARE(b.GetStorageBays(), 2);
        QCOMPARE(b.GetArmorLevel(), a.GetArmorLevel());
        QCOMPARE(b.GetLaser(), 7);
        QCOMPARE(b.GetZVA(), 2);
        QVERIFY(b.GetSpy() && b.GetSabo() && b.GetCrewed() && !b.GetKolo());
        QCOMPARE(f.text("d_Laser"), QStringLiteral("7"));
    }

    void openingAFileWithAFreshNameIsNotSuffixedOrChanged()
    {
        WindowFixture f;
        QFile file(f.path("Lager.Test.shp"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Lager 3\n");
        file.close();
        f.prompts.answerOpenFile(file.fileName());
        trigger(f, "Load");
        QCOMPARE(namesInStep(f), QStringList({"Neues Schiff", "Lager.Test"}));
        QCOMPARE(f.text("d_StorageBays"), QStringLiteral("3"));
        QCOMPARE(marker(f), QStringLiteral("Bezeichnung"));
        QVERIFY(f.window().pageControl()->isEnabled());
        trigger(f, "Load"); // cancelled
        QCOMPARE(f.state.designs.size(), 2);
    }

    void droppedFilesOpenOneAfterAnother()
    {
        WindowFixture f;
        QStringList paths;
        for (const char *name : {"Neues Schiff.shp", "Jäger.shp"}) {
            QFile file(f.path(QString::fromUtf8(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("Panzer 2\r\n");
            paths << file.fileName();
        }
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls << QUrl::fromLocalFile(path);
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&f.window(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&f.window(), &drop);
        QCOMPARE(namesInStep(f), QStringList({"Neues Schiff", "Neues Schiff(0)", "Jäger"}));
        QCOMPARE(f.state.designs.at(1).GetArmorLevel(), 2);
        QCOMPARE(selected(f), 2);

        QMimeData text;
        text.setText("Lager 3");
        QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
        refused.setAccepted(false);
        QApplication::sendEvent(&f.window(), &refused);
        QVERIFY(!refused.isAccepted());
    }

    // "Öffnen..." takes several files; "Zuletzt geöffnet" lists them newest first; a file that is gone leaves the list with a note; a missing file's
    // message gives the system's reason.
    void severalFilesOpenAndStandInTheRecentList()
    {
        WindowFixture f;
        for (const char *name : {"Eins.shp", "Zwei.shp"}) {
            QFile file(f.path(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("Lager 2\r\n");
        }
        QVERIFY(!f.window().menuItem("RecentFiles")->isEnabled());
        f.prompts.answerOpenFiles({f.path("Eins.shp"), f.path("Zwei.shp"), f.path("fehlt.shp")});
        trigger(f, "Load");
        QCOMPARE(namesInStep(f), QStringList({"Neues Schiff", "Eins", "Zwei"}));
        QVERIFY2(f.prompts.warnings.value(0).endsWith("Datei oder Ordner nicht vorhanden"),
                 qPrintable(f.prompts.warnings.value(0)));
        QVERIFY(QFile::remove(f.path("Zwei.shp")));
        auto *menu = f.window().menuItem("RecentFiles")->menu();
        emit menu->aboutToShow();
        QCOMPARE(f.window().menuItem("RecentFile1")->text(), "&1 " + f.path("Zwei.shp"));
        QCOMPARE(f.window().menuItem("RecentFile2")->text(), "&2 " + f.path("Eins.shp"));
        f.window().menuItem("RecentFile1")->trigger();
        QVERIFY(f.window().statusBar()->currentMessage().contains(f.path("Zwei.shp")));
        emit menu->aboutToShow();
        f.window().menuItem("RecentFile1")->trigger();
        QCOMPARE(f.state.designs.size(), 4);
        QVERIFY(!f.window().menuItem("RecentFile2"));
    }

    void unreadableFilesAddNothing()
    {
        WindowFixture f;
        f.prompts.answerOpenFile(f.path("missing.shp"));
        trigger(f, "Load");
        QCOMPARE(f.logLines().last(), QStringLiteral("Error opening input file"));
        QFile binary(f.path("binary.shp"));
        QVERIFY(binary.open(QIODevice::WriteOnly));
        binary.write(QByteArray("Lager 3\n\0\0", 10));
        binary.close();
        f.prompts.answerOpenFile(binary.fileName());
        trigger(f, "Load");
        QCOMPARE(f.state.designs.size(), 1);
        QVERIFY(f.window().pageControl()->isEnabled());
    }

    // A pipe or a folder picked in the open dialog or dropped on the window is
    // refused at once, without waiting for a writer, and the player is told why.
    void aPipeOrAFolderIsRefusedAtOnceWithAMessage()
    {
        WindowFixture f;
        const QString fifo = f.path("pipe.shp");
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        f.prompts.answerOpenFile(fifo);
        trigger(f, "Load");
        QCOMPARE(f.logLines().last(), QStringLiteral("Error opening input file"));
        QCOMPARE(f.prompts.warnings.size(), 1);
        QVERIFY2(f.prompts.warnings[0].contains(QStringLiteral("keine normale Datei")), qPrintable(f.prompts.warnings[0]));
        QVERIFY(f.prompts.warnings[0].contains(QStringLiteral("pipe.shp")));
        f.window().library().OpenDroppedFiles({f.path(QString())});
        QCOMPARE(f.prompts.warnings.size(), 2);
        QCOMPARE(f.state.designs.size(), 1);
        QVERIFY(f.window().pageControl()->isEnabled());
    }

    void failedSaveKeepsTheOldFileAndTheName()
    {
        WindowFixture f;
        f.prompts.answerSaveFile(f.path("no/such/dir/x.shp"));
        f.typeInto("d_Laser", "2");
        trigger(f, "SaveAs");
        QCOMPARE(f.logLines().last(), QStringLiteral("Error opening output file"));
        QCOMPARE(namesInStep(f), QStringList({"Neues Schiff"}));
        QCOMPARE(marker(f), QStringLiteral("Bezeichnung *"));
        f.prompts.saveAnswers.clear();
        trigger(f, "SaveAs"); // cancelled: nothing happens
        QCOMPARE(marker(f), QStringLiteral("Bezeichnung *"));
    }

    void startUpLoadsTheShipFileAndMovesTheSpinners()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Jäger.shp");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Lager 3\r\nPlasmawerfer 150\r\nBemannt\r\n");
        file.close();
        WindowFixture f({"-shp", path});
        QCOMPARE(f.logLines().mid(2), QStringList({"Shipfile-argument found.", "Loading Shipdesign " + path}));
        QCOMPARE(namesInStep(f), QStringList({"Jäger"}));
        QCOMPARE(f.text("d_Plasma"), QStringLiteral("150"));
        QCOMPARE(f.window().designerPage()->spinner(Component::Plasma)->position(), 100);
        QCOMPARE(f.window().designerPage()->spinner(Component::StorageBays)->position(), 3);
        QCOMPARE(marker(f), QStringLiteral("Bezeichnung"));
        QCOMPARE(f.state.designs.CopyCounter, 0);
    }

    void importReadsKeyWordsAndAsksForAName()
    {
        WindowFixture f;
        QStringList guidance;
        bool copyHidden = false;
        f.prompts.answerDialog([&](QDialog &d) {
            auto *text = d.findChild<QPlainTextEdit *>("IEText");
            guidance = text->toPlainText().split(u'\n');
            copyHidden = !d.findChild<QWidget *>("ie_copy")->isVisibleTo(&d);
            text->setPlainText("Lagerbucht 4\nPanzerplatten 12\nLaserkanone 1234\nPlasmawerfer\nKolonisationsmodul\n");
            return int(QDialog::Accepted);
        });
        QString proposed;
        f.prompts.answerDialog([&](QDialog &d) {
            proposed = static_cast<TEditDialog &>(d).text();
            return int(QDialog::Rejected);
        });
        trigger(f, "Importieren1");
        QVERIFY(copyHidden);
        QCOMPARE(guidance.size(), 5);
        QCOMPARE(guidance.first(), QStringLiteral("Hier den Ausschnitt der Schiffstyp-Anzeige aus Astrakor"));
        QCOMPARE(proposed, QStringLiteral("Importiert"));
        QCOMPARE(namesInStep(f), QStringList({"Neues Schiff", "Importiert"}));
        const ShipDesign &d = f.state.designs.at(1);
        QCOMPARE(d.GetStorageBays(), 4);
        QCOMPARE(d.GetArmorLevel(), 12);
        QCOMPARE(d.GetLaser(), 123);
        QCOMPARE(d.GetPlasma(), 1);
        QVERIFY(d.GetKolo() && d.GetCrewed());
        QCOMPARE(marker(f), QStringLiteral("Bezeichnung *"));
        QCOMPARE(f.text("d_Laser"), QStringLiteral("123"));

        f.prompts.rejectDialog();
        trigger(f, "Importieren1");
        QCOMPARE(f.state.designs.size(), 2);
    }

    // Export, "Kopieren", then import of the clipboard: a design with the same figures,
    // and the name dialog proposes the exported name with the suffix of a taken name.
    void exportedTextImportsAsTheSameDesign()
    {
        WindowFixture f;
        f.typeInto("d_ZVA", "3");
        f.typeInto("d_Plasma", "7");
        f.typeInto("d_StorageBays", "5");
        tick(f, "d_Raid");
        tick(f, "d_Cloak");
        f.prompts.answerDialog([](QDialog &d) {
            static_cast<TImportExportDialog &>(d).ie_copyClick();
            return int(QDialog::Accepted);
        });
        trigger(f, "Exportieren1");
        const DesignerFigures exported = f.window().designerPage()->shownFigures();
        const QString clipboard = QGuiApplication::clipboard()->text();
        QVERIFY(clipboard.startsWith(QStringLiteral("Neues Schiff\r\n")));

        f.prompts.answerDialog([&](QDialog &d) {
            static_cast<TImportExportDialog &>(d).text()->setPlainText(clipboard);
            return int(QDialog::Accepted);
        });
        QString proposed;
        f.prompts.answerDialog([&](QDialog &d) {
            proposed = static_cast<TEditDialog &>(d).text();
            return int(QDialog::Accepted);
        });
        trigger(f, "Importieren1");
        QCOMPARE(proposed, QStringLiteral("Neues Schiff(0)")); // the name is taken: suffixed as an opened file
        QCOMPARE(selected(f), 1);
        const DesignerFigures imported = f.window().designerPage()->shownFigures();
        QCOMPARE(ExportLines(imported).mid(1), ExportLines(exported).mid(1)); // all but the name
        QCOMPARE(imported.name, QStringLiteral("Neues Schiff(0)"));
        QCOMPARE(marker(f), QStringLiteral("Bezeichnung *"));
    }

    void exportShowsThePageAndCopiesWithCrLf()
    {
        WindowFixture f;
        f.typeInto("d_ZVA", "1");
        QStringList lines;
        bool cancelHidden = false;
        QString title;
        f.prompts.answerDialog([&](QDialog &d) {
            cancelHidden = !d.findChild<QWidget *>("CancelBtn")->isVisibleTo(&d);
            title = d.windowTitle();
            lines = d.findChild<QPlainTextEdit *>("IEText")->toPlainText().split(u'\n');
            QTest::mouseClick(d.findChild<QWidget *>("ie_copy"), Qt::LeftButton);
            return int(QDialog::Accepted);
        });
        trigger(f, "Exportieren1");
        QVERIFY(cancelHidden);
        QCOMPARE(title, QStringLiteral("Exportieren"));
        QCOMPARE(lines.size(), 31);
        QCOMPARE(lines[0], QStringLiteral("Neues Schiff"));
        QVERIFY(lines.contains("ZVA 1"));
        QVERIFY(lines.contains("Tatsächliche Flugzeit in % 91.00"));
        QVERIFY(lines.contains("Flugzeit (2000pa) " + f.text("d_FullFlightTime")));
        QCOMPARE(lines.last(), QStringLiteral("Sauerstoff 0"));
        QCOMPARE(QGuiApplication::clipboard()->text(), lines.join("\r\n"));
        QCOMPARE(f.state.designs.size(), 1);
    }

    void exitAsksAboutEachUnsavedDesignWhileItIsShown()
    {
        WindowFixture f({}, QByteArray(""));
        addNamed(f, "Zwei");           // unsaved (its name is new)
        f.typeInto("d_Laser", "5");
        trigger(f, "Copy");            // unsaved copy "Zwei(0)"
        f.window().pageControl()->setCurrentIndex(2);
        struct Question { QString shown; int page; };
        QList<Question> questions;
        f.prompts.onChoice = [&] {
            questions.append({f.window().designerPage()->shipNameList()->currentText(),
                              f.window().pageControl()->currentIndex()});
        };
        f.prompts.choiceAnswers = {"Speichern", "Nicht speichern"};
        const QString savePath = f.path("Gespeichert.shp");
        f.prompts.answerSaveFile(savePath);
        trigger(f, "Exit");
        QCOMPARE(questions.size(), 2);
        QCOMPARE(f.prompts.questions[0], QStringLiteral("Schiffstyp speichern\nDen Schiffstyp Zwei speichern?"));
        QCOMPARE(f.prompts.choices[0], QStringList({"Alle speichern", "Speichern", "Nicht speichern", "Abbrechen"}));
        QCOMPARE(questions[0].shown, QStringLiteral("Zwei"));
        QCOMPARE(questions[0].page, 0);
        QCOMPARE(f.prompts.questions[1], QStringLiteral("Schiffstyp speichern\nDen Schiffstyp Zwei(0) speichern?"));
        QCOMPARE(f.prompts.fileDialogs.size(), 1);
        QCOMPARE(f.prompts.fileDialogs[0].fileName, QStringLiteral("Zwei.shp"));
        QVERIFY(readFile(savePath).contains("Laserkanonen 5\r\n"));
        QCOMPARE(f.window().pageControl()->currentIndex(), 2);
        QCOMPARE(f.exitStatuses, QList<int>({0}));
        QCOMPARE(f.logLines().last(), QStringLiteral("configfile saved"));
        QVERIFY(readFile(f.path("KRM.ini")).contains("ActivesTab 2\r\n"));
    }
};

QTEST_MAIN(LibraryTest)
#include "tst_Library.moc"
