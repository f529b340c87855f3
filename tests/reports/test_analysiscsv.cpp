// The season file "Analysis.csv": header once, one line per runner, CP932 with CR LF.
#include "analysis/analyze.h"
#include "common/testsupport.h"
#include "race/race.h"
#include "race/textcodec.h"
#include "reports/analysiscsv.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QStringList>

namespace {

const QString kHeader = QStringLiteral(
    "氏名,所属,大会日程,大会名称,クラス,タイム,順位,参加数,巡航速度,ミス率,序盤巡航速度,"
    "終盤巡航速度,相対値,序盤相対値,終盤相対値,ショートレッグ平均相対値,"
    "ショートレッグ相対値リスト,ロングレッグ平均相対値,ロングレッグ相対値リスト,"
    "ミスレッグ直後相対値,Ｓ１相対値,ラスポゴール相対値,優勝タイム,優勝者");

double lap(int minutes, int seconds)
{
    return (minutes * 60 + seconds) / 86400.0;
}

void addRunner(clsClassData& cls, const QString& name, const QString& club,
               std::initializer_list<double> laps, double total = 0)
{
    clsClassDataSub runner;
    runner.Namae = name;
    runner.Shozoku = club;
    int leg = 1;
    for (double value : laps) runner.setLap(leg++, value);
    runner.Total = total;
    cls.Add(runner);
}

clsClassData& addClass(const QString& name, int controls)
{
    clsClassData& cls = testRace().ClassList.add(name);
    cls.ClassControlCount = controls;
    cls.ClassLastGoalExist = true;
    return cls;
}

class AnalysisCsv : public RaceTest {
protected:
    void SetUp() override
    {
        RaceTest::SetUp();
        testRace().RaceInfo.RaceName = QStringLiteral("春の大会");
        testRace().RaceInfo.RaceDate = QDate(2024, 5, 12);
        // Four runners on three legs; D has no split at control 1.
        clsClassData& m21 = addClass(QStringLiteral("M21"), 2);
        addRunner(m21, QStringLiteral("Yamada Taro"), QStringLiteral("Club A"),
                  {lap(4, 0), lap(10, 0), lap(1, 0)});
        addRunner(m21, QStringLiteral("B"), QString(), {lap(5, 0), lap(12, 0), lap(1, 30)});
        addRunner(m21, QStringLiteral("C"), QString(), {lap(4, 30), lap(15, 0), lap(1, 14)});
        addRunner(m21, QStringLiteral("D　D"), QString(), {LapMerged, lap(17, 0), lap(1, 22)});
    }
    QString csvPath() const { return tempPath(QStringLiteral("Analysis.csv")); }
    // The file as lines, checking that every line ends in CR LF.
    QStringList fileLines() const
    {
        QString text = testsupport::readCp932(csvPath());
        EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
        QStringList lines = text.split(QStringLiteral("\r\n"));
        lines.removeLast();
        for (const QString& line : lines) EXPECT_FALSE(line.contains(QLatin1Char('\n')));
        return lines;
    }
};

TEST_F(AnalysisCsv, HeaderOnlyWhenTheFileIsCreated)
{
    ASSERT_TRUE(basExport::AppendAnalysisCsv(testRace(), tempDir()));
    testRace().RaceInfo.RaceName = QStringLiteral("秋の大会");
    ASSERT_TRUE(basExport::AppendAnalysisCsv(testRace(), tempDir() + QStringLiteral("/")));
    QStringList lines = fileLines();
    ASSERT_EQ(lines.size(), 1 + 4 + 4);
    EXPECT_EQ(lines[0], kHeader);
    EXPECT_EQ(lines.count(kHeader), 1);
    EXPECT_EQ(lines[1].section(',', 3, 3), QStringLiteral("春の大会"));
    EXPECT_EQ(lines[5].section(',', 3, 3), QStringLiteral("秋の大会"));
    for (const QString& line : lines)
        EXPECT_EQ(line.count(QLatin1Char(',')), 23) << line.toStdString();
    // CP932 bytes on disk.
    QByteArray bytes = testsupport::readBytes(csvPath());
    EXPECT_TRUE(bytes.startsWith(TextCodec::toCp932(kHeader + QStringLiteral("\r\n"))));
}

TEST_F(AnalysisCsv, FieldsOfTheWinnerAndOfAMergedRun)
{
    ASSERT_TRUE(basExport::AppendAnalysisCsv(testRace(), tempDir()));
    QStringList lines = fileLines();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[1],
              QStringLiteral("ＹａｍａｄａＴａｒｏ,Club A,24/05/12,春の大会,M21,0:15:00,1,4,"
                             "81,2.5,81,81,83,83,83,83,83,81,81,81,89,83,0:15:00,"
                             "YamadaTaro"));
    // D: no ranked leg 1, its long leg is merged, and the ideographic space is removed.
    QStringList d = lines[2].split(QLatin1Char(','));
    ASSERT_EQ(d.size(), 24);
    EXPECT_EQ(d[0], QStringLiteral("ＤＤ"));
    EXPECT_EQ(d[5], QStringLiteral("0:18:22"));
    EXPECT_EQ(d[8], QStringLiteral("101"));
    EXPECT_EQ(d[9], QStringLiteral(".8"));  // 0.84 % with "##.#"
    EXPECT_EQ(d[15], QStringLiteral("114"));
    EXPECT_EQ(d[16], QStringLiteral("114"));
    EXPECT_EQ(d[17], QString());
    EXPECT_EQ(d[18], QString());
    EXPECT_EQ(d[19], QStringLiteral("114"));
    EXPECT_EQ(d[20], QString());
    EXPECT_EQ(d[21], QStringLiteral("114"));
}

TEST_F(AnalysisCsv, ClassesInClassOrderAndRunnersWithoutResult)
{
    testRace().RaceInfo.RaceDate = QDate();  // no date: an empty field, not a false date
    clsClassData& w21 = addClass(QStringLiteral("W21"), 1);
    addRunner(w21, QStringLiteral("Missing"), QString(), {LapMissing, lap(3, 0)});
    addRunner(w21, QStringLiteral("Nothing"), QString(), {LapMerged, LapAbsent});
    addRunner(w21, QStringLiteral("Fine"), QString(), {lap(2, 0), lap(3, 0)});
    addClass(QStringLiteral("Empty"), 3);
    clsClassData& none = addClass(QStringLiteral("NoFinisher"), 1);
    addRunner(none, QStringLiteral("Out"), QString(), {LapMissing, lap(3, 0)});

    ASSERT_TRUE(basExport::AppendAnalysisCsv(testRace(), tempDir()));
    QStringList lines = fileLines();
    ASSERT_EQ(lines.size(), 1 + 4 + 3 + 1);
    for (int i = 1; i < lines.size(); ++i) EXPECT_EQ(lines[i].split(',')[2], QString());
    QStringList classes;
    for (int i = 1; i < lines.size(); ++i) classes << lines[i].split(',')[4];
    EXPECT_EQ(classes,
              (QStringList{"M21", "M21", "M21", "M21", "W21", "W21", "W21", "NoFinisher"}));

    // W21 lists Nothing (total 0) first, then Fine, then Missing (no valid total).
    QStringList nothing = lines[5].split(','), fine = lines[6].split(','),
                missing = lines[7].split(',');
    EXPECT_EQ(nothing[0], QStringLiteral("Ｎｏｔｈｉｎｇ"));
    EXPECT_EQ(nothing[5], QString());
    EXPECT_EQ(nothing[6], QString());
    EXPECT_EQ(missing[5], QString());
    EXPECT_EQ(missing[6], QString());
    EXPECT_EQ(fine[5], QStringLiteral("0:05:00"));
    // The winner is the first runner with a result, not a runner without one.
    for (const QStringList& f : {nothing, fine, missing}) {
        EXPECT_EQ(f[22], QStringLiteral("0:05:00"));
        EXPECT_EQ(f[23], QStringLiteral("Fine"));
    }
    // A class without any result names no winner.
    QStringList out = lines[8].split(',');
    EXPECT_EQ(out[22], QString());
    EXPECT_EQ(out[23], QString());
}

// A live script appends the same race every few minutes: its runners' lines are replaced where
// they stand, other races' lines keep their bytes and their order, a new runner joins them.
TEST_F(AnalysisCsv, TheSameRaceAgainReplacesItsLines)
{
    const QString other =
        QStringLiteral("ＯＬＤ,X,24/04/01,前の大会,M21,0:20:00,1,1,,,,,,,,,,,,,,,0:20:00,OLD");
    // Lines of this race spelt otherwise: the first runner's name without its space, and a
    // club holding a comma.
    const QString earlier = QStringLiteral(
        "ＹａｍａｄａＴａｒｏ,Club A,24/05/12,春の大会,m21,0:16:00,1,3,,,,,,,,,,,,,,,0:16:00,x");
    testsupport::writeCp932(csvPath(), kHeader + "\n" + other + "\n" + earlier + "\n" + other +
                                           "\n" + "C,Club, Inc.,24/05/12,春の大会,M21\n");
    clsClassData& m21 = *testRace().ClassList.find(QStringLiteral("M21"));
    m21.Item(1).Namae = QStringLiteral("Yamada  Taro");
    addRunner(m21, QStringLiteral("E"), QString(), {lap(6, 0), lap(19, 0), lap(1, 0)});

    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        ASSERT_TRUE(basExport::AppendAnalysisCsv(testRace(), tempDir()));
        const QStringList lines = fileLines();
        ASSERT_EQ(lines.size(), 1 + 1 + 5 + 1 + 1);
        EXPECT_EQ(lines[0], kHeader);
        EXPECT_EQ(lines[1], other);
        for (int i = 2; i < 7; ++i) EXPECT_EQ(lines[i].section(',', 3, 4), "春の大会,M21");
        EXPECT_EQ(lines[2].section(',', 0, 0), QStringLiteral("ＹａｍａｄａＴａｒｏ"));
        EXPECT_EQ(lines[7], other);
        EXPECT_EQ(lines[8], QStringLiteral("C,Club, Inc.,24/05/12,春の大会,M21"));  // not C's line
    }
    // Another day of the same race is another race.
    testRace().RaceInfo.RaceDate = QDate(2024, 5, 13);
    ASSERT_TRUE(basExport::AppendAnalysisCsv(testRace(), tempDir()));
    EXPECT_EQ(fileLines().size(), 9 + 5);
}

// A season file saved again by a spreadsheet keeps its encoding and line ends: the race's earlier
// lines are found (also those written before formula signs became full-width) and replaced, the
// new ones written alike, never a file of two forms. A UTF-16 file is refused and left alone.
TEST_F(AnalysisCsv, TheFileKeepsItsEncodingAndLineEnds)
{
    testRace().RaceInfo.RaceName = QStringLiteral("=Cup");
    testRace().ClassList.at(1).Item(1).Namae = QStringLiteral("-Y");
    testRace().ClassList.at(1).Item(1).Shozoku = QStringLiteral("@Club");
    const QString other = QStringLiteral("ＯＬＤ,X,24/04/01,前の大会,M21,0:20:00");
    const QString text = kHeader + "\n－Ｙ,@Club,24/05/12,=Cup,M21,0:16:00\n" + other + "\n";
    const struct {
        bool utf8;
        const char *bom, *lineEnd;
    } forms[] = {{false, "", "\n"},
                 {true, "\xEF\xBB\xBF", "\r\n"},
                 {true, "\xEF\xBB\xBF", "\n"},
                 {true, "", "\r"}};
    for (const auto& [utf8, bom, lineEnd] : forms) {
        const QString saved = QString::fromUtf8(bom) + QString(text).replace("\n", lineEnd);
        testsupport::writeBytes(csvPath(), utf8 ? saved.toUtf8() : TextCodec::toCp932(saved));
        ASSERT_TRUE(basExport::AppendAnalysisCsv(testRace(), tempDir()));
        const QByteArray bytes = testsupport::readBytes(csvPath());
        EXPECT_EQ(TextCodec::isValidUtf8(bytes), utf8) << lineEnd;
        QStringList lines =
            (utf8 ? QString::fromUtf8(bytes) : TextCodec::fromCp932(bytes)).split(lineEnd);
        EXPECT_EQ(lines.takeLast(), QString());
        ASSERT_EQ(lines.size(), 1 + 4 + 1);
        EXPECT_TRUE(lines[0].startsWith(saved.left(2)) &&
                    !lines.join("").contains(QRegularExpression("[\r\n]")));
        EXPECT_TRUE(lines[1].startsWith(QStringLiteral("－Ｙ,＠Club,24/05/12,＝Cup,M21,0:15:00,")));
        EXPECT_EQ(lines[5], other);
    }
    const QByteArray utf16 =
        QStringEncoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom)(text);
    testsupport::writeBytes(csvPath(), utf16);
    QString failure;
    EXPECT_FALSE(basExport::AppendAnalysisCsv(testRace(), tempDir(), &failure));
    EXPECT_TRUE(failure.contains(QStringLiteral("UTF-16")));
    EXPECT_EQ(testsupport::readBytes(csvPath()), utf16);
}

TEST_F(AnalysisCsv, FolderThatCannotBeWrittenFails)
{
    EXPECT_FALSE(
        basExport::AppendAnalysisCsv(testRace(), tempPath(QStringLiteral("no/such/folder"))));
    // A file in the way of the folder.
    testsupport::writeCp932(tempPath(QStringLiteral("plain")), QStringLiteral("x"));
    EXPECT_FALSE(basExport::AppendAnalysisCsv(testRace(), tempPath(QStringLiteral("plain"))));
}

TEST_F(AnalysisCsv, ReadOnlySeasonFileKeepsItsLines)
{
    testsupport::writeCp932(csvPath(), kHeader + QStringLiteral("\nold line\n"));
    QFile::setPermissions(csvPath(), QFileDevice::ReadOwner);
    if (QFile(csvPath()).open(QIODevice::Append)) GTEST_SKIP() << "running with rights to write";
    EXPECT_FALSE(basExport::AppendAnalysisCsv(testRace(), tempDir()));
    EXPECT_EQ(testsupport::readCp932(csvPath()), kHeader + QStringLiteral("\r\nold line\r\n"));
}

TEST_F(AnalysisCsv, WriteErrorIsReported)
{
    // A season file on a full disk: opening succeeds, writing does not.
    if (!QFile::exists(QStringLiteral("/dev/full"))) GTEST_SKIP() << "no /dev/full";
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), csvPath()));
    EXPECT_FALSE(basExport::AppendAnalysisCsv(testRace(), tempDir()));
}

TEST_F(AnalysisCsv, FailedFirstWriteLeavesNoFileWithoutHeader)
{
    // Files may not grow beyond a few bytes: the new season file is opened but not filled.
    EXPECT_FALSE(testsupport::underFileSizeLimit(
        8, [this] { return basExport::AppendAnalysisCsv(testRace(), tempDir()); }));

    // The next run creates the file afresh, header first.
    ASSERT_TRUE(basExport::AppendAnalysisCsv(testRace(), tempDir()));
    QStringList lines = fileLines();
    ASSERT_EQ(lines.size(), 1 + 4);
    EXPECT_EQ(lines[0], kHeader);
}

// Classes of many sizes are analysed side by side: the lines are those of one class at a time,
// in class order.
TEST_F(AnalysisCsv, ClassesAnalysedSideBySideGiveTheLinesOfOneAtATime)
{
    for (int c = 0; c < 24; ++c) {
        clsClassData& cls = addClass(QStringLiteral("C%1").arg(c), 2);
        for (int r = 0; r < 3 + (c * 11) % 40; ++r)
            addRunner(cls, QStringLiteral("走者%1").arg(r), QString(),
                      {lap(3 + (r + c) % 7, r % 60), lap(9, (r * 7) % 60), lap(1, r % 30)});
    }
    QStringList expected{kHeader};
    for (const QString& name : testRace().ClassList.names()) {
        const basAnalyze::AnalysisWorkspace ws = basAnalyze::AnalyzeClassDetail(testRace(), name);
        for (int r = 1; r <= ws.AnaRunnerCount; ++r)
            expected << basExport::AnalysisCsvLine(testRace().RaceInfo, ws, r);
    }
    ASSERT_TRUE(basExport::AppendAnalysisCsv(testRace(), tempDir()));
    EXPECT_EQ(fileLines(), expected);
}

// The season file's fields are never quoted: a quote is part of its field, so a line whose name
// is written in quotes is another runner's, and a line holding a comma in a field is nobody's.
TEST(SeasonLines, QuotesAndCommasArePartOfTheirFields)
{
    const QString kept[] = {QStringLiteral("\"C\",X,24/05/12,春の大会,M21,0:20:00"),
                            QStringLiteral("\"C,X\",24/05/12,春の大会,M21,0:20:00")};
    const QString file =
        kHeader + "\r\n" + kept[0] + "\r\nC,X,24/05/12,春の大会,M21,0:21:00\r\n" + kept[1] + "\r\n";
    const std::optional<QByteArray> merged = basExport::MergeSeasonLines(
        TextCodec::toCp932(file), QStringLiteral("C,Y,24/05/12,春の大会,M21,0:19:00\r\n"));
    ASSERT_TRUE(merged);
    EXPECT_EQ(TextCodec::fromCp932(*merged), kHeader + "\r\n" + kept[0] +
                                                 "\r\nC,Y,24/05/12,春の大会,M21,0:19:00\r\n" +
                                                 kept[1] + "\r\n");
}

}  // namespace
