// Whatever a player types: random texts in every editable field of every page, and
// random keys in the fleet lists. The program never crashes, every result field shows
// a sound text, and errors only ever reach the player through the error box.
#include "app/KRM_Main.h"
#include "battle/page/BattlePage.h"
#include "library/commands/LibraryCommands.h"
#include "support/WindowFixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QTest>

using namespace qf;
using namespace qf::test;

namespace {

QString randomText(QRandomGenerator &rng)
{
    static const QStringList samples = {
        "", "0", "1", "-1", "5", "100", "150", "-100", "8000", "8001", "2147483647", "-2147483648",
        "2147483648", "4294967296", "99999999999999999999", "1e308", "nan", "inf", "-0", "+7", "007",
        "12:30:00", "23:59:59", "99:99:99", "1:30", "::", ":_ .,;", "444:111:a", "666:999:F",
        " 444:111:a ", "744:111:a", "444:101:a", "abc", "Zerstörer", "Звезда", "宇宙船", "🚀🚀",
        "\t", " ", "1.5", "1,5", "0x10", "$FF"};
    const int kind = int(rng.bounded(10));
    if (kind == 0)
        return QString(2000, QChar(u'0' + int(rng.bounded(10))));
    if (kind == 1) {
        QString s;
        for (int i = 0; i < 2000; ++i)
            s += QChar(char16_t(0x20 + rng.bounded(0x2000)));
        return s;
    }
    if (kind == 2)
        return QString::number(qint64(rng.generate64() >> rng.bounded(64)) * (rng.bounded(2) ? 1 : -1));
    return samples.at(int(rng.bounded(samples.size())));
}

// A result the program writes itself: a number, a duration, a percentage, or one of
// the program's own words. Never "nan", "inf" or any other garbage.
bool soundResult(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^(|-?\\d+|\\d+[.,]\\d+|-?\\d*[.,]?\\d+|0?-?\\d+:0?-?\\d+:0?-?\\d+|hh:mm:ss|unvollst\\x{e4}ndig|unvollst\\x{e4}nding)$"));
    return pattern.match(text).hasMatch();
}

} // namespace

class RandomInputTest : public QObject {
    Q_OBJECT

    static void checkResults(WindowFixture &f, const QString &after)
    {
        for (QLineEdit *e : f.window().findChildren<QLineEdit *>()) {
            if (!e->isReadOnly() || e->objectName().endsWith(u"LastClassIndex"))
                continue;
            QVERIFY2(soundResult(e->text()),
                     qPrintable(e->objectName() + ": \"" + e->text().left(80) + "\" after " + after));
        }
        const QString report = f.window().findChild<QPlainTextEdit *>("b_BattleReport")->toPlainText();
        QVERIFY2(!report.contains(u"nan", Qt::CaseInsensitive) && !report.contains(u"inf ", Qt::CaseInsensitive),
                 qPrintable(after));
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void everyEditableFieldSurvivesAnyText()
    {
        WindowFixture f;
        QRandomGenerator rng(20261208);
        f.window().show();
        QList<QLineEdit *> inputs;
        for (QLineEdit *e : f.window().findChildren<QLineEdit *>())
            if (!e->isReadOnly())
                inputs << e;
        QVERIFY(inputs.size() >= 20);
        for (int round = 0; round < 12; ++round) {
            for (QLineEdit *e : inputs) {
                const QString text = randomText(rng);
                f.window().pageControl()->setCurrentWidget(
                    f.window().pageControl()->widget(0)); // keep the Designer page's handlers honest
                bool ascii = true;
                for (QChar c : text)
                    ascii = ascii && c.unicode() >= 0x20 && c.unicode() < 0x7f;
                if (ascii && text.size() <= 24) {
                    e->setFocus();
                    e->selectAll();
                    QTest::keyClicks(e, text);
                } else {
                    e->setText(text);
                }
                checkResults(f, e->objectName() + " = \"" + text.left(40) + "\"");
                if (QTest::currentTestFailed())
                    return;
            }
        }
        for (const QString &error : f.prompts.errors)
            QVERIFY2(!error.trimmed().isEmpty(), "an error box without a message");
    }

    void fleetListsSurviveRandomKeys()
    {
        WindowFixture f;
        QRandomGenerator rng(7);
        f.window().show();
        for (int i = 0; i < 12; ++i) {
            ShipDesign d;
            d.SetName(QStringLiteral("Typ %1").arg(i));
            d.SetLaser(int(rng.bounded(120)));
            d.SetArmorLevel(int(rng.bounded(120)));
            d.SetStorageBays(1 + int(rng.bounded(200)));
            f.window().library().appendDesign(d);
        }
        BattlePage *page = f.window().battlePage();
        const QList<int> keys = {Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Delete, Qt::Key_A, Qt::Key_Up,
                                 Qt::Key_Down, Qt::Key_Space, Qt::Key_Return};
        for (int step = 0; step < 400; ++step) {
            const int fleet = 1 + int(rng.bounded(2));
            const QString n = QString::number(fleet);
            switch (rng.bounded(5)) {
            case 0: {
                page->shipClassList(fleet)->setCurrentIndex(int(rng.bounded(page->shipClassList(fleet)->count())));
                page->findChild<QLineEdit *>("b_ShipCount" + n)->setText(randomText(rng).left(3));
                page->findChild<QAbstractButton *>("b_AddShipClass" + n)->click();
                break;
            }
            case 1: {
                auto *list = page->findChild<QListWidget *>("b_Fleet" + n + "List");
                if (list->count() > 0) {
                    QListWidgetItem *item = list->item(int(rng.bounded(list->count())));
                    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
                }
                break;
            }
            case 2: {
                const char *totals[] = {"AS", "PZ", "Stabi", "Cost"};
                const QString name = "b_Fleet" + n + totals[rng.bounded(4)];
                const QString target = randomText(rng);
                f.prompts.acceptWithText("bd_Value", target);
                QTest::mouseClick(page->findChild<QLineEdit *>(name), Qt::LeftButton);
                f.prompts.dialogAnswers.clear();
                break;
            }
            case 3:
                page->findChild<QAbstractButton *>("b_Simulate")->click();
                break;
            default: {
                auto *list = page->findChild<QListWidget *>("b_Fleet" + n + "List");
                const int key = keys.at(int(rng.bounded(keys.size())));
                QTest::keyClick(list, Qt::Key(key), Qt::NoModifier);
                break;
            }
            }
            checkResults(f, QStringLiteral("step %1").arg(step));
            if (QTest::currentTestFailed())
                return;
        }
    }
};

QTEST_MAIN(RandomInputTest)
#include "tst_RandomInput.moc"
