// schiffsdesigner-cli design, run as a script would run it.
#include "library/DesignFile.h"
#include "model/DesignerFigures.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

struct CliRun {
    int status = -1;
    QString out;
    QString err;
    QStringList lines() const { return out.split(u'\n', Qt::SkipEmptyParts); }
};

CliRun runDesign(const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C");
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(QF_CLI), QStringList{"design"} + args);
    p.waitForFinished(30000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

TEST(CliDesign, ColonisationFigures)
{
    const CliRun r = runDesign({"--set", "Kolonisation=1"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList lines = r.out.split(u'\n');
    for (const char *expected : {"Schiffsbasiselement 3", "Stabilität 300", "Eisen 2134", "Silizium 1287",
                                 "Kohlenstoff 401", "Bewohner 83", "Wasser 30", "Sauerstoff 60",
                                 "Bemannt", "Kolonisation"})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_FALSE(r.out.contains(u'\r'));
}

TEST(CliDesign, NewDesignEndsWithExportThenProduction)
{
    const CliRun r = runDesign({});
    ASSERT_EQ(r.status, 0);
    const QStringList lines = r.out.split(u'\n');
    EXPECT_EQ(lines.first(), "Neues Schiff");
    const QStringList tail = r.lines().mid(r.lines().size() - 5);
    EXPECT_EQ(tail, QStringList({"Sauerstoff 0", "Produktionszeit 05:48:29", "Eisenmine 5",
                                 "Siliziumraffinerie 9", "Kohlenstoffanlage 6"}));
    EXPECT_TRUE(lines.contains("Flugzeit (2000pa) 15:42:48"));
    EXPECT_TRUE(lines.contains("Tatsächliche Flugzeit in % 100.00"));
}

TEST(CliDesign, SettersApplyInOrderWithTheirRules)
{
    const CliRun r = runDesign({"--set", "Fusionsantrieb=0", "--set", "Lager=0", "--set", "Laserkanonen=abc",
                             "--set", "Bemannt=1", "--set", "Bemannt=0", "--name", "Jäger",
                             "--distance", "1000", "--ship-factory", "3", "--war-factory", "x"});
    ASSERT_EQ(r.status, 0);
    const QStringList lines = r.out.split(u'\n');
    EXPECT_EQ(lines.first(), "Jäger");
    EXPECT_TRUE(lines.contains("Verbrenner 1"));
    EXPECT_TRUE(lines.contains("Fusionsantrieb 0"));
    EXPECT_TRUE(lines.contains("Lager 1"));
    EXPECT_TRUE(lines.contains("Laserkanonen 0"));
    EXPECT_FALSE(lines.contains("Bemannt"));
    EXPECT_TRUE(lines.contains("Beschleunigung 10900"));
    EXPECT_TRUE(r.out.contains("Flugzeit (1000pa) "));
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
        EXPECT_EQ(r.err.count(u'\n'), 1);
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
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(o.value("d_ShipName").toString(), "Kreuzer.v2");
    EXPECT_EQ(o.value("d_StorageBays").toString(), "3");
    EXPECT_EQ(o.value("d_ArmorLevel").toString(), "2");
    EXPECT_TRUE(o.value("d_Spy").toBool());
    EXPECT_EQ(o.value("d_FullFlightTime").toString().size(), 8);
    EXPECT_FALSE(o.value("d_ProductionTime").toString().isEmpty());

    QFile saved(out);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const qf::ShipDesign d = qf::ReadDesignFile("Lager 3\nPanzer 2\nSpionage\n", "Kreuzer.v2");
    EXPECT_EQ(saved.readAll(), qf::FormatDesignFile(qf::ComputeDesignerFigures(d, "2000", QLocale::c())));
}

// Hostile input: special files and files past the bound. Every run has a
// watchdog: a command that hangs is killed after a few seconds and the test
// fails, instead of hanging the suite.
namespace {

struct GuardedDesignRun {
    bool finished = false;
    int status = -1;
    QString out;
    QString err;
};

GuardedDesignRun runDesignGuarded(const QStringList &args)
{
    QProcess p;
    p.setStandardInputFile(QProcess::nullDevice());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C");
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(QF_CLI), QStringList{"design"} + args);
    EXPECT_TRUE(p.waitForStarted());
    GuardedDesignRun r;
    r.finished = p.waitForFinished(10000);
    if (!r.finished) {
        p.kill();
        p.waitForFinished();
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
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
        {dir.filePath("fehlt.shp"), "Datei nicht lesbar: " + dir.filePath("fehlt.shp")},
    };
    for (const auto &c : cases) {
        const GuardedDesignRun r = runDesignGuarded({c.path});
        EXPECT_TRUE(r.finished) << "hung on " << c.path.toStdString();
        EXPECT_EQ(r.status, 2) << c.path.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(r.err.toStdString(), ("schiffsdesigner-cli: " + c.message + u'\n').toStdString());
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
    const GuardedDesignRun r = runDesignGuarded({path});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList lines = r.out.split(u'\n');
    EXPECT_EQ(lines.first(), "Frachter");
    EXPECT_TRUE(lines.contains("Lager 3"));
}
