// Saving when the disk fails: the old file stays byte for byte, the design stays
// unsaved and the log says what the program says for a failed write.
#include "designer/DesignerPage.h"
#include "library/FileWriting.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTest>

using namespace qf;
using namespace qf::test;

namespace {

// Passes the first `limit` bytes through to the file, then fails every write.
class FailingDevice : public QIODevice {
public:
    FailingDevice(QIODevice &target, qint64 limit) : target_(target), limit_(limit)
    {
        open(QIODevice::WriteOnly);
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        const qint64 room = limit_ - passed_;
        if (room <= 0)
            return -1;
        const qint64 n = target_.write(data, qMin(size, room));
        if (n > 0)
            passed_ += n;
        return n;
    }

private:
    QIODevice &target_;
    qint64 limit_;
    qint64 passed_ = 0;
};

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void failAfter(qint64 limit)
{
    SetWriteDeviceWrapper([limit](QIODevice &file) { return std::make_unique<FailingDevice>(file, limit); });
}

} // namespace

class SaveFaultsTest : public QObject {
    Q_OBJECT

    static QString marker(WindowFixture &f)
    {
        return f.window().designerPage()->findChild<QLabel *>("Label1")->text();
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { SetWriteDeviceWrapper({}); }

    void designFileSurvivesAFailureAtEveryByte()
    {
        WindowFixture f;
        const QString path = f.path("Alt.shp");
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(";Version 30\r\nLager 9\r\n");
        }
        const QByteArray oldBytes = readFile(path);
        f.typeInto("d_Laser", "4");
        f.typeInto("d_ZVA", "3");

        // How long the new file is: save it once elsewhere.
        f.prompts.answerSaveFile(f.path("Probe.shp"));
        f.window().menuItem("SaveAs")->trigger();
        const qint64 size = readFile(f.path("Probe.shp")).size();
        QVERIFY(size > 300);
        f.typeInto("d_Laser", "5"); // unsaved again
        const QString name = f.state.designs.at(0).GetName();

        for (qint64 limit = 0; limit < size; ++limit) {
            failAfter(limit);
            f.prompts.answerSaveFile(path);
            f.window().menuItem("SaveAs")->trigger();
            QCOMPARE(readFile(path), oldBytes);
            QCOMPARE(f.logLines().last(), QStringLiteral("Error opening output file"));
            QCOMPARE(f.state.designs.at(0).GetName(), name);
            QVERIFY(f.state.designs.at(0).IsChanged());
            QCOMPARE(marker(f), QStringLiteral("Bezeichnung *"));
        }
        failAfter(size);
        f.prompts.answerSaveFile(path);
        f.window().menuItem("SaveAs")->trigger();
        QVERIFY(readFile(path) != oldBytes);
        QCOMPARE(f.state.designs.at(0).GetName(), QStringLiteral("Alt"));
        QCOMPARE(marker(f), QStringLiteral("Bezeichnung"));
    }

    void designFileInADirectoryThatCannotBeWritten()
    {
        WindowFixture f;
        QFile blocker(f.path("not-a-dir"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        f.typeInto("d_Laser", "1");
        f.prompts.answerSaveFile(f.path("not-a-dir/x.shp"));
        f.window().menuItem("SaveAs")->trigger();
        QCOMPARE(f.logLines().last(), QStringLiteral("Error opening output file"));
        QVERIFY(f.state.designs.at(0).IsChanged());
    }

    void configurationSurvivesAFailureAtEveryByte()
    {
        const QByteArray oldIni = "Beschleunigung\r\nDistanz 1234\r\n";
        WindowFixture f({}, oldIni);
        const QString path = f.path("KRM.ini");
        const qint64 size = 200; // longer than the twelve lines
        for (qint64 limit = 0; limit < size; ++limit) {
            failAfter(limit);
            const bool written = f.window().WriteConfig();
            if (written) {
                QVERIFY(limit > 150);
                QCOMPARE(f.logLines().last(), QStringLiteral("configfile saved"));
                break;
            }
            QCOMPARE(readFile(path), oldIni);
            QCOMPARE(f.logLines().last(), QStringLiteral("Error opening conofigfile"));
        }
        QVERIFY(readFile(path).startsWith(";Version 30\r\n"));
    }

    void configurationInADirectoryThatCannotBeWritten()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath("file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        WindowFixture f({"-cfg", dir.filePath("file/KRM.ini")});
        QVERIFY(!f.window().WriteConfig());
        QCOMPARE(f.logLines().last(), QStringLiteral("Error opening conofigfile"));
    }
};

QTEST_MAIN(SaveFaultsTest)
#include "tst_SaveFaults.moc"
