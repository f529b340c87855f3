// splitduel-cli analyse and xcsv run as a program: the JSON of the analysis and the season file.
#include "cli/clirun.h"
#include "common/testsupport.h"
#include "lapfiles/racefile.h"
#include "race/race.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

#include <sys/resource.h>

namespace {

double lap(int minutes, int seconds)
{
    return (minutes * 60 + seconds) / 86400.0;
}

std::vector<double> numbers(const QJsonValue& array)
{
    std::vector<double> v;
    for (const QJsonValue& x : array.toArray()) v.push_back(x.toDouble());
    return v;
}

class CliAnalyse : public RaceTest {
protected:
    // A lap file of a race without a date: class M21 of four runners on three legs (D has no
    // split at control 1) and an empty class W21.
    void SetUp() override
    {
        RaceTest::SetUp();
        testRace().RaceInfo.RaceName = QStringLiteral("夏の大会");
        clsClassData& m21 = testRace().ClassList.add(QStringLiteral("M21"));
        m21.ClassControlCount = 2;
        m21.ClassLastGoalExist = true;
        const std::pair<const char*, std::array<double, 3>> runners[] = {
            {"A", {lap(4, 0), lap(10, 0), lap(1, 0)}},
            {"B", {lap(5, 0), lap(12, 0), lap(1, 30)}},
            {"C", {lap(4, 30), lap(15, 0), lap(1, 14)}},
            {"D", {LapMerged, lap(17, 0), lap(1, 22)}}};
        for (const auto& [name, laps] : runners) {
            clsClassDataSub runner;
            runner.Namae = QString::fromUtf8(name);
            for (int l = 1; l <= 3; ++l) runner.setLap(l, laps[l - 1]);
            m21.Add(runner);
        }
        clsClassData& w21 = testRace().ClassList.add(QStringLiteral("W21"));
        w21.ClassControlCount = 4;
        lapFile = tempPath(QStringLiteral("summer.lap"));
        ASSERT_EQ(basConvert::SaveRaceFile(testDocument(), lapFile, basConvert::SaveType::Lap),
                  basConvert::SaveResult::Saved);
    }
    QString lapFile;
};

TEST_F(CliAnalyse, JsonOfEveryClassWithTheWorkspaceNames)
{
    CliRun run = runCli({QStringLiteral("analyse"), lapFile});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QJsonParseError error;
    QJsonObject race = QJsonDocument::fromJson(run.bytes, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    EXPECT_EQ(race["RaceName"].toString(), QStringLiteral("夏の大会"));
    EXPECT_TRUE(race["RaceDate"].isNull());
    QJsonArray classes = race["classes"].toArray();
    ASSERT_EQ(classes.size(), 2);
    EXPECT_EQ(classes[1].toObject()["AnaClassName"].toString(), QStringLiteral("W21"));
    EXPECT_EQ(classes[1].toObject()["runners"].toArray().size(), 0);

    QJsonObject m21 = classes[0].toObject();
    EXPECT_EQ(m21["AnaLegCount"].toInt(), 3);
    EXPECT_NEAR(m21["TopTotal"].toDouble(), 1082, 1e-6);
    EXPECT_EQ(numbers(m21["TopAverage"]).size(), 3u);
    EXPECT_NEAR(numbers(m21["TopAverage"])[0], 270, 1e-6);  // element 0 is leg 1
    EXPECT_NEAR(numbers(m21["LegWeight"])[1], 0.6839, 5e-5);
    EXPECT_NEAR(numbers(m21["Spread2"])[0], 0.0291, 5e-5);
    EXPECT_NEAR(numbers(m21["Difficulty2"])[2], 0.35, 5e-3);
    EXPECT_EQ(numbers(m21["Spread1"]).size(), 3u);
    EXPECT_EQ(numbers(m21["Difficulty1"]).size(), 3u);

    QJsonArray runners = m21["runners"].toArray();
    ASSERT_EQ(runners.size(), 4);
    QJsonObject d = runners[1].toObject();  // the class order by total: A, D, B, C
    EXPECT_EQ(d["RunnerName"].toString(), QStringLiteral("D"));
    EXPECT_EQ(d["TotalRank"].toInt(), 2);
    EXPECT_NEAR(d["TotalTime"].toDouble(), 1102, 1e-6);
    EXPECT_EQ(numbers(d["LapState"]), (std::vector<double>{-1, 1, 0}));
    EXPECT_EQ(numbers(d["SumState"]), (std::vector<double>{-1, 0, 0}));
    EXPECT_EQ(numbers(d["LapRank"]), (std::vector<double>{0, 0, 3}));
    EXPECT_EQ(numbers(d["EstSumRank"]), (std::vector<double>{3, 2, 2}));
    EXPECT_NEAR(numbers(d["EstLapTime"])[0], 272.7, 0.05);
    EXPECT_NEAR(numbers(d["EstSumTime"])[1], 1020, 1e-6);
    EXPECT_NEAR(numbers(d["LapRatio"])[1], 1.0099, 5e-5);
    EXPECT_NEAR(numbers(d["MissTime"])[2], 9.3, 0.05);
    EXPECT_NEAR(numbers(d["SumTime"])[2], 1102, 1e-6);
    EXPECT_NEAR(d["CruiseSpeed"].toDouble(), 1.0099, 5e-5);
    EXPECT_NEAR(d["NoMissTime"].toDouble(), 1092.7, 0.05);
    // The detail measures only with --detail.
    EXPECT_FALSE(d.contains("ShortLegList"));
}

TEST_F(CliAnalyse, OneClassWithDetail)
{
    CliRun run = runCli({QStringLiteral("analyse"), QStringLiteral("--detail"), lapFile,
                         QStringLiteral("--class"), QStringLiteral("m21")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QJsonArray classes = QJsonDocument::fromJson(run.bytes).object()["classes"].toArray();
    ASSERT_EQ(classes.size(), 1);
    QJsonObject a = classes[0].toObject()["runners"].toArray()[0].toObject();
    EXPECT_EQ(a["ShortLegList"].toString(), QStringLiteral("83"));
    EXPECT_EQ(a["LongLegList"].toString(), QStringLiteral("81"));
    EXPECT_NEAR(a["EarlyRelative"].toDouble(), 0.8317, 5e-5);
    EXPECT_NEAR(a["AfterMissRelative"].toDouble(), 0.8108, 5e-5);
    // Singles are written with the shortest digits of the float, not the 17 of its double.
    QRegularExpression single(QStringLiteral("\"CruiseSpeed\": ([-0-9.e]+)"));
    QRegularExpressionMatch match = single.match(run.out);
    ASSERT_TRUE(match.hasMatch());
    EXPECT_LE(match.captured(1).size(), 11) << match.captured(1).toStdString();
}

TEST_F(CliAnalyse, UsageAndFailures)
{
    CliRun unknown = runCli({QStringLiteral("analyse"), lapFile, QStringLiteral("--class=H")});
    EXPECT_EQ(unknown.status, 64);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("H")));
    for (const QStringList& wrong :
         {QStringList{QStringLiteral("analyse")},
          QStringList{QStringLiteral("analyse"), lapFile, QStringLiteral("--class")},
          QStringList{QStringLiteral("analyse"), lapFile, QStringLiteral("--fast")},
          QStringList{QStringLiteral("xcsv"), lapFile}}) {
        CliRun run = runCli(wrong);
        EXPECT_EQ(run.status, 64) << wrong.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("使い方")));
    }
    CliRun missing = runCli({QStringLiteral("analyse"), tempPath(QStringLiteral("none.lap"))});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("ファイルを読み込めませんでした")));
    CliRun unwritable =
        runCli({QStringLiteral("xcsv"), lapFile, tempPath(QStringLiteral("no/such/folder"))});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_TRUE(unwritable.err.contains(QStringLiteral("ファイルを保存できませんでした")));
}

TEST_F(CliAnalyse, XcsvAppendsToTheSeasonFile)
{
    ASSERT_EQ(runCli({QStringLiteral("xcsv"), lapFile, tempDir()}).status, 0);
    ASSERT_EQ(runCli({QStringLiteral("xcsv"), lapFile, tempDir()}).status, 0);
    QStringList lines =
        testsupport::readCp932(tempPath(QStringLiteral("Analysis.csv"))).split("\r\n");
    // The same race twice: its lines are replaced, not repeated. The last element follows the
    // final CR LF.
    ASSERT_EQ(lines.size(), 1 + 4 + 1);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("氏名,所属,大会日程")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Ａ,,,夏の大会,M21,0:15:00,1,4,81,")));
}

// A lap file of a race of that name: classes of runners on legs legs.
QString saveRace(const QString& path, const QString& name, int classes, int runners, int legs)
{
    testDocument().resetRace();
    testRace().RaceInfo.RaceName = name;
    for (int c = 0; c < classes; ++c) {
        clsClassData& cls = testRace().ClassList.add(QStringLiteral("M%1").arg(c));
        cls.ClassControlCount = legs - 1;
        for (int r = 0; r < runners; ++r) {
            clsClassDataSub runner;
            runner.Namae = QStringLiteral("走者%1").arg(r);
            for (int l = 1; l <= legs; ++l) runner.setLap(l, lap(2 + (r * l) % 7, (r + l) % 60));
            cls.Add(runner);
        }
    }
    basConvert::SaveRaceFile(testDocument(), path, basConvert::SaveType::Lap);
    return path;
}

// Runs appending to one season file at the same moment (two cron jobs of two events) take
// turns: after every round each race has all its lines, and every run ends in time.
TEST_F(CliAnalyse, XcsvRunsAtTheSameMomentKeepEveryRace)
{
    QStringList races;
    for (QString k : {"0", "1", "2"}) races << saveRace(tempPath(k + ".lap"), k, 1, 400, 3);
    for (int round = 0; round < 4; ++round) {
        const QString folder = tempPath(QString::number(round));
        ASSERT_TRUE(QDir().mkpath(folder));
        std::vector<std::unique_ptr<QProcess>> runs;
        for (const QString& race : races) {
            runs.push_back(std::make_unique<QProcess>());
            runs.back()->start(QStringLiteral(SPLITDUEL_CLI),
                               {QStringLiteral("xcsv"), race, folder});
        }
        for (const auto& run : runs)
            EXPECT_TRUE(run->waitForFinished(60000) && run->exitCode() == 0);
        const QString text = testsupport::readCp932(folder + QStringLiteral("/Analysis.csv"));
        for (QString k : {"0", "1", "2"}) EXPECT_EQ(text.count("," + k + ",M0,"), 400) << round;
    }
}

// Memory that runs out ends analyse with status 1 and a message, never with an abort; with
// enough for the race it ends well, as the analysis (many times the race's size) is written a
// runner at a time.
TEST_F(CliAnalyse, MemoryRunningOutEndsWithAMessage)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limits allow";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limits allow";
#endif
#endif
    const QString race = saveRace(tempPath(QStringLiteral("large.lap")), "", 16, 1000, 21);
    for (const rlim_t megabytes : {120, 200, 600}) {
        QProcess process;
        process.setChildProcessModifier([megabytes] {
            const rlimit limit{megabytes << 20, megabytes << 20};
            setrlimit(RLIMIT_AS, &limit);
        });
        process.start(QStringLiteral(SPLITDUEL_CLI), {QStringLiteral("analyse"), race});
        ASSERT_TRUE(process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit);
        const QString err = QString::fromUtf8(process.readAllStandardError());
        EXPECT_EQ(process.exitCode(), megabytes < 600 && err.contains("メモリが足りな") ? 1 : 0)
            << megabytes << err.toStdString();
    }
}

}  // namespace

// Every runner carries the code of its status; a run that is not OK has neither a total rank
// nor a rank at the finish. A forked relay says on load how many classes it split; two controls
// punched in the same second leave the winner ranked at every control.
TEST_F(CliAnalyse, StatusesSameSecondPunchesAndForkedLegs)
{
    const QString path = tempPath(QStringLiteral("status.lap"));
    testsupport::writeCp932(path, QStringLiteral("$LAPFILE Ver=2\n\nクラス,名前,総タイム,△→１,"
                                                 "１→◎,状態\nM,Ok,0,00:06:00,00:04:00,\n"
                                                 "M,Nc,0,00:05:00,00:04:00,NC\n"
                                                 "M,Dsq,0,00:05:30,00:04:00,DSQ\n"
                                                 "M,Mp,0,n/a,00:04:00,\n"));
    CliRun run = runCli({QStringLiteral("analyse"), path});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QStringList found;
    for (const QJsonValue& v :
         QJsonDocument::fromJson(run.bytes).object()["classes"][0]["runners"].toArray()) {
        const QJsonObject r = v.toObject();
        found << QStringLiteral("%1 %2 %3 %4")
                     .arg(r["RunnerName"].toString(), r["Status"].toString())
                     .arg(r["TotalRank"].toInt())
                     .arg(numbers(r["EstSumRank"]).back());
    }
    EXPECT_EQ(found, QStringList({"Ok OK 1 1", "Mp MP 0 0", "Nc NC 0 0", "Dsq DSQ 0 0"}));

    const QString venezia =
        testsupport::realDataPath(QStringLiteral("LukeWoodward-SplitsBrowser/venezia.xml"));
    const QString relay =
        testsupport::realDataPath(QStringLiteral("oreplay-oreplay-backend/relay.xml"));
    if (venezia.isEmpty() || relay.isEmpty()) GTEST_SKIP() << "the real result files are not here";
    run = runCli({QStringLiteral("analyse"), venezia, QStringLiteral("--class=SCUOLA 3")});
    const QJsonObject winner =
        QJsonDocument::fromJson(run.bytes).object()["classes"][0]["runners"][0].toObject();
    const std::vector<double> ranks = numbers(winner["EstSumRank"]);
    EXPECT_GE(*std::min_element(ranks.begin(), ranks.end()), 1);
    EXPECT_EQ(ranks.back(), 1);
    run = runCli({QStringLiteral("info"), relay});
    EXPECT_TRUE(run.err.contains(QStringLiteral("4 クラスを、コースごとのクラスに分けました")));
    EXPECT_TRUE(run.out.contains(QRegularExpression(QStringLiteral("DKP 4 +ミスパンチ\n"))));
}
