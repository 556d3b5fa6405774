// schiffsdesigner-cli design, run as a script would run it.
#include "library/DesignFile.h"
#include "model/DesignerFigures.h"
#include "support/CliRunner.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using qf::test::CliRun;

CliRun runDesign(const QStringList &args)
{
    return qf::test::RunCli(QStringList{"design"} + args);
}

} // namespace

TEST(CliDesign, ColonisationFigures)
{
    const CliRun r = runDesign({"--set", "Kolonisation=1"});
    ASSERT_EQ(r.status, 0) << r.errText().toStdString();
    const QStringList lines = r.text().split(u'\n');
    for (const char *expected : {"Schiffsbasiselement 3", "Stabilität 300", "Eisen 2134", "Silizium 1287",
                                 "Kohlenstoff 401", "Bewohner 83", "Wasser 30", "Sauerstoff 60",
                                 "Bemannt", "Kolonisation"})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_FALSE(r.out.contains('\r'));
}

TEST(CliDesign, NewDesignEndsWithExportThenProduction)
{
    const CliRun r = runDesign({});
    ASSERT_EQ(r.status, 0);
    const QStringList lines = r.text().split(u'\n');
    EXPECT_EQ(lines.first(), "Neues Schiff");
    const QStringList tail = r.lines().mid(r.lines().size() - 5);
    EXPECT_EQ(tail, QStringList({"Sauerstoff 0", "Produktionszeit 05:48:29", "Eisenmine 5",
                                 "Siliziumraffinerie 9", "Kohlenstoffanlage 6"}));
    EXPECT_TRUE(lines.contains("Flugzeit (2000pa) 15:42:48"));
    EXPECT_TRUE(lines.contains("Tatsächliche Flugzeit in % 100.00"));
}

TEST(CliDesign, SettersApplyInOrderWithTheirRules)
{
    const CliRun r = runDesign({"--set", "Fusionsantrieb=0", "--set", "Bemannt=1", "--set", "Bemannt=0",
                             "--name", "Jäger", "--distance", "1000", "--ship-factory", "3", "--war-factory", "0"});
    ASSERT_EQ(r.status, 0);
    const QStringList lines = r.text().split(u'\n');
    EXPECT_EQ(lines.first(), "Jäger");
    EXPECT_TRUE(lines.contains("Verbrenner 1"));
    EXPECT_TRUE(lines.contains("Fusionsantrieb 0"));
    EXPECT_TRUE(lines.contains("Lager 1"));
    EXPECT_TRUE(lines.contains("Laserkanonen 0"));
    EXPECT_FALSE(lines.contains("Bemannt"));
    EXPECT_TRUE(lines.contains("Beschleunigung 10900"));
    EXPECT_TRUE(r.text().contains("Flugzeit (1000pa) "));
}

TEST(CliDesign, BadUsageExitsTwoWithNothingOnStandardOutput)
{
    const QList<QStringList> bad = {
        {"--set", "Foo=1"}, {"--set", "Bemannt=2"}, {"--set"}, {"--bogus"}, {"/no/such/file.shp"},
        {"--distance", "9000"}, {"a.shp", "b.shp"}};
    for (const QStringList &args : bad) {
        const CliRun r = runDesign(args);
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(r.err.count('\n'), 1);
    }
}

TEST(CliDesign, FileInSaveOutAndJson)
{
    QTemporaryDir dir;
    const QString in = dir.filePath("Kreuzer.v2.shp");
    {
        QFile f(in);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Lager 3\nPanzer 2\nSpionage\n");
    }
    const QString out = dir.filePath("out.shp");
    const CliRun r = runDesign({in, "--save", out, "--json"});
    ASSERT_EQ(r.status, 0) << r.errText().toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(o.value("name").toString(), "Kreuzer.v2");
    EXPECT_EQ(o.value("levels")["Lager"].toInt(), 3);
    EXPECT_EQ(o.value("levels")["Panzer"].toInt(), 2);
    EXPECT_TRUE(o.value("actions")["Spionage"].toBool());
    EXPECT_EQ(o.value("flightTime")["text"].toString().size(), 8);
    EXPECT_TRUE(o.value("productionTime")["minutes"].isDouble());

    QFile saved(out);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const qf::ShipDesign d = qf::ReadDesignFile("Lager 3\nPanzer 2\nSpionage\n", "Kreuzer.v2");
    EXPECT_EQ(saved.readAll(), qf::FormatDesignFile(qf::ComputeDesignerFigures(d, "2000", QLocale::c())));
}

// Hostile input: special files and files past the bound. Every run has a
// watchdog: a command that hangs is killed after ten seconds and the test
// fails, instead of hanging the suite.
namespace {

CliRun runDesignGuarded(const QStringList &args)
{
    qf::test::CliCall call;
    call.inputFile = QStringLiteral("/dev/null");
    call.timeoutMs = 10000;
    return qf::test::RunCli(QStringList{"design"} + args, call);
}

} // namespace

TEST(CliDesignHostile, SpecialFilesAndHugeFilesAreRefusedAtOnce)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("Falke.shp");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString huge = dir.filePath("gross.shp");
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("Lager 3\n") + QByteArray(1024 * 1024 - 7, ' '));
    }
    const struct {
        QString path;
        QString message;
    } cases[] = {
        {fifo, "keine normale Datei: " + fifo},
        {"/dev/zero", "keine normale Datei: /dev/zero"},
        {dir.path(), "keine normale Datei: " + dir.path()},
        {huge, QString::fromUtf8("Datei zu groß (mehr als 1 MiB): ") + huge},
        {dir.filePath("fehlt.shp"), "Datei oder Ordner nicht vorhanden: " + dir.filePath("fehlt.shp")},
    };
    for (const auto &c : cases) {
        const CliRun r = runDesignGuarded({c.path});
        EXPECT_NE(r.status, -1) << "hung on " << c.path.toStdString();
        EXPECT_EQ(r.status, 2) << c.path.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(r.errText().toStdString(), ("schiffsdesigner-cli: " + c.message + u'\n').toStdString());
    }
}

TEST(CliDesignHostile, ADesignFileOfExactlyOneMebibyteIsRead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Frachter.shp");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("Lager 3\n") + QByteArray(1024 * 1024 - 8, ' '));
    }
    const CliRun r = runDesignGuarded({path});
    ASSERT_EQ(r.status, 0) << r.errText().toStdString();
    const QStringList lines = r.lines();
    EXPECT_EQ(lines.first(), "Frachter");
    EXPECT_TRUE(lines.contains("Lager 3"));
}
