// Nothing a player did is lost or silently dropped: failed saves are told,
// "Beenden" and the close box never throw away unsaved designs, menu shortcuts
// work while a field has the focus, and Qt's own dialogs speak German.
#include "app/Application.h"
#include "app/KRM_Main.h"
#include "designer/DesignerPage.h"
#include "library/commands/LibraryDialogs.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTranslator>

using namespace qf;
using namespace qf::test;

class NothingLostTest : public QObject {
    Q_OBJECT

    static void trigger(WindowFixture &f, const char *name)
    {
        f.window().menuItem(QString::fromLatin1(name))->trigger();
    }
    static QString marker(WindowFixture &f)
    {
        return f.window().designerPage()->findChild<QLabel *>("Label1")->text();
    }
    static void addNamed(WindowFixture &f, const QString &name)
    {
        f.prompts.acceptWithText("NewShipname", name);
        trigger(f, "New");
    }
    static QStringList names(WindowFixture &f)
    {
        QStringList list;
        for (const ShipDesign &d : f.state.designs.designs())
            list << d.GetName();
        return list;
    }
    static void showActive(WindowFixture &f)
    {
        f.window().show();
        QApplication::setActiveWindow(&f.window());
        QVERIFY(QTest::qWaitForWindowActive(&f.window()));
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void aFailedSaveIsToldWithTheFileAndTheReason()
    {
        WindowFixture f;
        f.typeInto("d_Laser", "2");
        const QString path = f.path("no/such/folder/Jäger.shp");
        f.prompts.answerSaveFile(path);
        trigger(f, "SaveAs");
        QCOMPARE(f.logLines().last(), QStringLiteral("Error opening output file"));
        QCOMPARE(f.prompts.warnings.size(), 1);
        const QString warning = f.prompts.warnings[0];
        QVERIFY(warning.startsWith(QStringLiteral("Speichern fehlgeschlagen\n")));
        QVERIFY2(warning.contains(QStringLiteral("Jäger.shp")), qPrintable(warning));
        QVERIFY2(!warning.endsWith(QStringLiteral(": ")), qPrintable(warning)); // a reason follows
        QCOMPARE(names(f), QStringList{QStringLiteral("Neues Schiff")});
        QCOMPARE(marker(f), QStringLiteral("Bezeichnung *"));
        // A cancelled dialog is no failure: nothing to tell.
        trigger(f, "SaveAs");
        QCOMPARE(f.prompts.warnings.size(), 1);
    }

    // OK on a design's question and then no file written: the program stays open.
    void beendenIsCalledOffWhenASaveDoesNotHappen_data()
    {
        QTest::addColumn<bool>("dialogCancelled");
        QTest::newRow("file dialog cancelled") << true;
        QTest::newRow("save failed") << false;
    }

    void beendenIsCalledOffWhenASaveDoesNotHappen()
    {
        QFETCH(bool, dialogCancelled);
        WindowFixture f({}, QByteArray(""));
        addNamed(f, "Eins");
        addNamed(f, "Zwei");
        f.window().pageControl()->setCurrentIndex(2);
        // "Neues Schiff" has no changes; Eins: not this one; Zwei: save it.
        f.prompts.choiceAnswers = {"Nicht speichern", "Speichern"};
        if (!dialogCancelled)
            f.prompts.answerSaveFile(f.path("missing/folder/Zwei.shp"));
        trigger(f, "Exit");
        QCOMPARE(f.prompts.questions.size(), 2);
        QVERIFY(f.exitStatuses.isEmpty());
        QCOMPARE(f.window().pageControl()->currentIndex(), 2);
        QCOMPARE(names(f), QStringList({"Neues Schiff", "Eins", "Zwei"}));
        QVERIFY(f.state.designs.at(1).IsChanged());
        QVERIFY(f.state.designs.at(2).IsChanged());
        QVERIFY(!f.logLines().contains(QStringLiteral("configfile saved")));
        QCOMPARE(f.prompts.warnings.size(), dialogCancelled ? 0 : 1);
        QVERIFY(f.window().isEnabled());

        // "Abbrechen", the default, ends the quitting and discards nothing.
        trigger(f, "Exit");
        QCOMPARE(f.prompts.questions.size(), 3);
        QVERIFY(f.exitStatuses.isEmpty());
        QVERIFY(f.state.designs.at(1).IsChanged());

        // "Alle speichern" saves this design and every unsaved one after it, then ends.
        f.prompts.choiceAnswers = {"Alle speichern"};
        f.prompts.answerSaveFile(f.path("Eins.shp"));
        f.prompts.answerSaveFile(f.path("Zwei.shp"));
        trigger(f, "Exit");
        QCOMPARE(f.prompts.questions.size(), 4);
        QVERIFY(QFile::exists(f.path("Eins.shp")) && QFile::exists(f.path("Zwei.shp")));
        QCOMPARE(f.exitStatuses, QList<int>({0}));
        QCOMPARE(f.logLines().last(), QStringLiteral("configfile saved"));
    }

    void theCloseBoxEndsAtOnceWithoutUnsavedWork()
    {
        WindowFixture f({}, QByteArray("Distanz 100\r\n"));
        QCloseEvent close;
        QApplication::sendEvent(&f.window(), &close);
        QVERIFY(close.isAccepted());
        QVERIFY(f.prompts.questions.isEmpty());
        QCOMPARE(QFile(f.path("KRM.ini")).size(), qint64(13)); // settings not written
        QVERIFY(!f.logLines().contains(QStringLiteral("configfile saved")));
    }

    void theCloseBoxAsksOnceNamingTheUnsavedDesigns()
    {
        WindowFixture f;
        addNamed(f, "Falke");
        f.window().designerPage()->selectDesign(0);
        f.typeInto("d_Plasma", "3");
        addNamed(f, "Adler");

        // Without an answer the default "Abbrechen": stay.
        QCloseEvent stay;
        QApplication::sendEvent(&f.window(), &stay);
        QVERIFY(!stay.isAccepted());
        QCOMPARE(f.prompts.questions.size(), 1);
        const QString question = f.prompts.questions[0];
        for (const char *name : {"Neues Schiff", "Falke", "Adler"})
            QVERIFY2(question.contains(QString::fromLatin1(name)), qPrintable(question));
        QCOMPARE(names(f), QStringList({"Neues Schiff", "Falke", "Adler"}));
        QCOMPARE(f.state.designs.at(0).GetPlasma(), 3);

        QCOMPARE(f.prompts.choices[0], QStringList({"Alle speichern", "Schließen", "Abbrechen"}));

        // "Alle speichern" with a save dialog cancelled stays open; "Schließen" closes.
        f.prompts.choiceAnswers = {"Alle speichern", "Schließen"};
        QCloseEvent notSaved;
        QApplication::sendEvent(&f.window(), &notSaved);
        QVERIFY(!notSaved.isAccepted());
        QCloseEvent close;
        QApplication::sendEvent(&f.window(), &close);
        QVERIFY(close.isAccepted());
        QCOMPARE(f.prompts.questions.size(), 3);
    }

    // Ctrl+A and Ctrl+E are the field's own keys (select all, end of line); the
    // menu's shortcuts must win wherever the menu is enabled, and the text stays.
    void menuShortcutsWinOverTheFocusedField_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("Ctrl+A Speichern Als") << int(Qt::Key_A) << "SaveDialog1";
        QTest::newRow("Ctrl+E Exportieren") << int(Qt::Key_E) << "ImportExportDialog: Exportieren";
        QTest::newRow("Ctrl+F Öffnen") << int(Qt::Key_F) << "OpenDialog1";
        QTest::newRow("Ctrl+K Kopieren") << int(Qt::Key_K) << "";
    }

    void menuShortcutsWinOverTheFocusedField()
    {
        QFETCH(int, key);
        QFETCH(QString, dialog);
        WindowFixture f;
        showActive(f);
        QLineEdit *laser = f.edit("d_Laser");
        f.typeInto("d_Laser", "12");
        laser->setFocus();
        laser->setCursorPosition(1);
        QTest::keyClick(laser, Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(laser->text(), QStringLiteral("12"));
        QCOMPARE(laser->cursorPosition(), 1);
        QCOMPARE(laser->selectedText(), QString());
        QStringList shown = f.prompts.shownDialogs;
        for (const FileDialogRequest &r : f.prompts.fileDialogs)
            shown << r.objectName;
        if (dialog.isEmpty()) {
            QCOMPARE(names(f), QStringList({"Neues Schiff", "Neues Schiff(0)"})); // copied
        } else {
            QCOMPARE(shown, QStringList{dialog});
        }
    }

    // Where the "Designer" menu is disabled, Ctrl+A is the field's select-all again.
    void aDisabledMenuLeavesTheKeyToTheField()
    {
        WindowFixture f;
        showActive(f);
        f.window().pageControl()->setCurrentIndex(1);
        QLineEdit *stability = f.edit("r_Stability");
        stability->setFocus();
        stability->setCursorPosition(0);
        QTest::keyClick(stability, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(stability->selectedText(), QStringLiteral("109"));
        QTest::keyClick(stability, Qt::Key_N, Qt::ControlModifier);
        QVERIFY(f.prompts.fileDialogs.isEmpty());
        QVERIFY(f.prompts.shownDialogs.isEmpty());
        QCOMPARE(f.state.designs.size(), 1);
    }

    void qtDialogsSpeakGerman()
    {
        QTranslator german;
        QVERIFY2(InstallQtGerman(german), "Qt's German translation (qt6-translations-l10n) is missing");
        QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                        QMessageBox::Save | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Abbrechen"));
        QCOMPARE(box.button(QMessageBox::Save)->text(), QStringLiteral("Speichern"));
        QCoreApplication::removeTranslator(&german);
    }
};

QTEST_MAIN(NothingLostTest)
#include "tst_NothingLost.moc"
