// schiffsdesigner-cli compare and counter, run as a script would run them:
// every cell of compare is what design prints for the file, every count of
// counter is what mincount finds for the design's entry.
#include "support/CliRunner.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using qf::test::CliRun;
using qf::test::RunCli;

namespace {

const QString kData = QStringLiteral(QF_TEST_DATA);

// The design's export line that shows each column's figure, by its first word(s).
const std::pair<const char *, const char *> kLineOfColumn[] = {
    {"Schiffsbasiselement", "SBE"}, {"Lager", "Lager"}, {"Panzer", "Panzerung (Stufe)"},
    {"Fusionsantrieb", "Fusionsantrieb"}, {"Laserkanonen", "Laserkanonen"}, {"Stabilität", "Stabilität"},
    {"Lagerraum", "Lagerraum"}, {"Panzerung", "Panzerung"}, {"Angriffsstärke", "Angriff"},
    {"Flugzeit (3000pa)", "Flugzeit (h:m:s)"}, {"Eisen", "Eisen"}, {"Kohlenstoff", "Kohlenstoff"},
    {"Bewohner", "Bewohner"}, {"Sauerstoff", "Sauerstoff"}, {"Produktionszeit", "Produktionszeit"},
    {"Eisenmine", "Eisenmine"}, {"Kohlenstoffanlage", "Kohlenstoffanlage"},
};

class CliCompare : public ::testing::Test {
protected:
    void SetUp() override
    {
        laser = dir.filePath(QStringLiteral("Laser.shp"));
        const QString missiles = dir.filePath(QStringLiteral("Raketen.shp"));
        ASSERT_EQ(RunCli({"design", "--set", "Laserkanonen=6", "--set", "Panzer=4", "--save", laser}).status, 0);
        ASSERT_EQ(RunCli({"design", "--set", "Raketenbatterie=9", "--set", "Lager=2", "--save", missiles}).status, 0);
        files = QStringList{kData + QStringLiteral("/example.shp"), laser, kData + QStringLiteral("/lager3.shp"), missiles};
    }
    QString write(const QByteArray &bytes)
    {
        const QString path = dir.filePath(QStringLiteral("f%1.json").arg(written++));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    QTemporaryDir dir;
    QString laser;
    QStringList files;
    int written = 0;
};

} // namespace

TEST_F(CliCompare, EveryRowIsWhatDesignPrintsForItsFile)
{
    const QStringList settings{"--distance", "3000", "--ship-factory", "3", "--war-factory", "2"};
    const CliRun csv = RunCli(QStringList{"compare"} + files + settings + QStringList{"--csv"});
    ASSERT_EQ(csv.status, 0) << csv.err.constData();
    const QStringList lines = csv.lines();
    ASSERT_EQ(lines.size(), files.size() + 1);
    const QStringList headers = lines[0].split(u';');
    for (int i = 0; i < files.size(); ++i) {
        const QStringList cells = lines[i + 1].split(u';');
        const QStringList design = RunCli(QStringList{"design", files[i]} + settings).lines();
        EXPECT_EQ(cells[0], design.first());
        for (const auto &[line, header] : kLineOfColumn) {
            const QString key = QString::fromUtf8(line) + u' ';
            const auto found = std::find_if(design.begin(), design.end(), [&](const QString &l) { return l.startsWith(key); });
            ASSERT_NE(found, design.end()) << line;
            EXPECT_EQ(cells[int(headers.indexOf(QString::fromUtf8(header)))], found->mid(key.size())) << line << " " << i;
        }
    }
    const CliRun text = RunCli(QStringList{"compare"} + files + QStringList{"--acceleration"});
    EXPECT_TRUE(text.lines().at(0).contains(QRegularExpression(QStringLiteral("^Name +Lager +Panzerung \\(Stufe\\)"))));
    EXPECT_TRUE(text.lines().at(0).contains(QStringLiteral("Beschleunigung")));
    EXPECT_TRUE(text.lines().at(1).startsWith(QStringLiteral("example ")));

    const CliRun json = RunCli({"compare", laser, "--json"});
    const QJsonObject row = QJsonDocument::fromJson(json.out).object()["designs"].toArray()[0].toObject();
    EXPECT_EQ(row["levels"].toObject()["Laserkanonen"].toInt(), 6);
    EXPECT_EQ(row["flightTime"].toObject()["text"].toString().size(), 8);
    EXPECT_TRUE(row["perThousandSolar"].toObject()["attack"].isDouble());
}

TEST_F(CliCompare, AnUnreadableFileIsBadInputNamingIt)
{
    const QString missing = dir.filePath(QStringLiteral("fehlt.shp"));
    const QString fleets = write(R"({"home": [], "foreign": [{"count": 1, "design": ")" + laser.toUtf8() + R"("}]})");
    for (const QStringList &args : {QStringList{"compare", laser, missing},
                                    QStringList{"counter", fleets, "--design", missing}}) {
        const CliRun r = RunCli(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.errText().contains(missing)) << r.err.constData();
    }
    EXPECT_EQ(RunCli({"compare", laser, "--csv", "--json"}).status, 2);
}

TEST_F(CliCompare, EveryCounterIsWhatMincountFinds)
{
    const QJsonArray home{QJsonObject{{"count", 3}, {"design", laser}}};
    const QJsonArray foreign{QJsonObject{{"count", 400}, {"name", "Wache"}, {"as", 60}, {"armor", 20},
                                         {"stability", 400}, {"fe", 500}, {"si", 100}, {"c", 50}}};
    const QString fleets = write(QJsonDocument(QJsonObject{{"home", home}, {"foreign", foreign}}).toJson());
    QStringList args{"counter", fleets};
    for (const QString &file : files)
        args << "--design" << file;
    const CliRun text = RunCli(args);
    ASSERT_EQ(text.status, 0) << text.err.constData();
    EXPECT_TRUE(text.lines().at(0).startsWith(QStringLiteral("Design")));
    const CliRun r = RunCli(args + QStringList{"--json"});
    const QJsonArray rows = QJsonDocument::fromJson(r.out).object()["designs"].toArray();
    ASSERT_EQ(rows.size(), files.size());
    int found = 0;
    for (const QJsonValue &value : rows) {
        const QJsonObject row = value.toObject();
        if (row["result"] != "found")
            continue;
        ++found;
        const QString file = files[int(files.indexOf(QRegularExpression(".*/" + row["name"].toString() + "\\.shp")))];
        QJsonArray more = home;
        more.append(QJsonObject{{"count", row["count"]}, {"design", file}});
        const QString after = write(QJsonDocument(QJsonObject{{"home", more}, {"foreign", foreign}}).toJson());
        const CliRun count = RunCli({"mincount", after, "--entry", QString::number(row["entry"].toInt())});
        EXPECT_EQ(count.lines().value(0), QStringLiteral("Mindestanzahl: %1").arg(row["minCount"].toInt()));
        EXPECT_EQ(row["minCount"].toInt(), row["count"].toInt() + (file == laser ? 3 : 0));
    }
    EXPECT_GE(found, 2);
}
