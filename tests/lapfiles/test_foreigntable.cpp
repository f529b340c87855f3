// Tables of other programs: header rewriting, orientation, space-aligned text, the label
// questions and the round trip through the program's own two CSV layouts.
#include "lapfixtures.h"

#include "common/scriptedprompts.h"
#include "lapfiles/foreigntable.h"
#include "lapfiles/headerlabels.h"
#include "lapfiles/labelquestions.h"
#include "lapfiles/racefile.h"
#include "lapfiles/readcontext.h"
#include "race/prompts.h"
#include "race/race.h"
#include "race/racetime.h"

#include <QFile>

using namespace basDefinition;
using namespace lapfixtures;

namespace {

QString legsOf(const clsClassDataSub& r, int legs)
{
    QStringList texts;
    for (int k = 1; k <= legs; ++k) texts << CbasGeneral::FormatLapTime(r.Lap(k)).trimmed();
    return texts.join(QLatin1Char(' '));
}

// "class: name/club/total/legs; …" of the race in memory, in class and rank order.
QString raceSummary()
{
    QStringList classes;
    for (const auto& cls : testRace().ClassList) {
        QStringList runners;
        for (int i = 1; i <= cls->ClassRunnerCount(); ++i) {
            const clsClassDataSub& r = cls->Item(i);
            runners << r.Namae + QLatin1Char('/') + r.Shozoku + QLatin1Char('/') +
                           CbasGeneral::FormatLapTime(r.Total).trimmed() + QLatin1Char('/') +
                           legsOf(r, cls->LegCount());
        }
        classes << QStringLiteral("%1[%2%3]: %4")
                       .arg(cls->ClassName)
                       .arg(cls->ClassControlCount)
                       .arg(cls->ClassLastGoalExist ? QStringLiteral("+G") : QString())
                       .arg(runners.join(QStringLiteral("; ")));
    }
    return classes.join(QStringLiteral(" | "));
}

}  // namespace

TEST(HeaderLabels, RewritesForeignHeaders)
{
    struct Case {
        const char* line;
        const char* expected;
    };
    const Case cases[] = {
        {"氏名,ｸﾗｽ,1,2,3,G,TOTAL", "名前,クラス,△→１,１→２,２→３,３→◎,総タイム,★ラベル★"},
        {"Name,Club,S-1,1-2,2-F,Time", "名前,Club,△→１,１→２,２→◎,総タイム,★ラベル★"},
        {"ＮＡＭＥ,所属,ｽﾀｰﾄ,１,２,ゴール", "名前,所属,スタート時刻,△→１,１→２,２→◎,★ラベル★"},
        // The program's own labels survive being rewritten again.
        {"クラス,名前,所属,△→１,１→◎,総タイム", "クラス,名前,所属,△→１,１→◎,総タイム,★ラベル★"},
        {"namae,shozoku,記録,年齢,x-y", "名前,所属,総タイム,年齢,x-y,★ラベル★"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(basConvert::NormalizeHeaderLine(QString::fromUtf8(c.line)),
                  QString::fromUtf8(c.expected))
            << c.line;
}

TEST(HeaderLabels, NameHeadingMustBeAWholeField)
{
    struct Case {
        const char* line;
        bool header;
    };
    const Case cases[] = {
        {"Kaname,Club A,00:10:00", false},
        {"Taro,Name OK,00:10:00", false},
        {" name ,Club,1", true},
        {"ＮＡＭＥ,x", true},
        {"x,氏名", true},
        {"名前太郎,x", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(basConvert::IsNameHeaderLine(QString::fromUtf8(c.line)), c.header) << c.line;
}

TEST(HeaderLabels, RepeatedLabelsScoreOnce)
{
    using basConvert::ClassifyLabel;
    EXPECT_EQ(ClassifyLabel(QStringLiteral("ｸﾗｽ")), 4);
    EXPECT_EQ(ClassifyLabel(QStringLiteral("スタート時刻")), 4);
    EXPECT_EQ(ClassifyLabel(QStringLiteral("３→◎")), 0);  // "◎" is no digit
    EXPECT_EQ(ClassifyLabel(QStringLiteral("２→３")), 4);
    EXPECT_EQ(ClassifyLabel(QStringLiteral("20")), 1);
    EXPECT_EQ(ClassifyLabel(QStringLiteral("21")), 0);
    EXPECT_EQ(ClassifyLabel(QStringLiteral("Taro")), 0);
    const QStringList repeated{QStringLiteral("クラス"), QStringLiteral("M1"),
                               QStringLiteral("クラス"), QStringLiteral("ｸﾗｽ"),
                               QStringLiteral("7")};
    EXPECT_EQ(basConvert::DistinctLabelScore(repeated), 5);
}

TEST_F(LapFileTest, ForeignTablesLoad)
{
    struct Case {
        const char* what;
        QString text;
        QString name;
        const char* summary;
    };
    const QString header = QStringLiteral("氏名,ｸﾗｽ,1,2,3,G,TOTAL\n");
    const Case cases[] = {
        {"labelled header with class",
         header + QStringLiteral("Aki,M21,0:05:00,0:06:00,0:07:00,0:01:00,0:19:00\n"
                                 "Ben,M21,0:05:30,n/a,0:07:30,0:01:30,0\n"),
         QStringLiteral("a.csv"),
         "M21[3+G]: Aki//19:00/5:00 6:00 7:00 1:00; Ben///5:30 0:00 7:30 1:30"},
        {"space-aligned text",
         QStringLiteral("氏名   ｸﾗｽ  1     2     3     G     TOTAL\n"
                        "Aki   M21  0:05:00 0:06:00  0:07:00 0:01:00 0:19:00\n"),
         QStringLiteral("a.txt"), "M21[3+G]: Aki//19:00/5:00 6:00 7:00 1:00"},
        {"no class column: one unnamed class",
         QStringLiteral("Name,Shozoku,1,2,F\nAki,Oak,0:03:00,0:04:00,0:01:00\n"),
         QStringLiteral("b.csv"), "[2+G]: Aki/Oak/8:00/3:00 4:00 1:00"},
        {"vertical table is turned",
         QStringLiteral("Name,Aki,Ben\nShozoku,Oak,Pine\n1,0:03:00,0:03:30\nG,0:01:00,0:01:10\n"),
         QStringLiteral("c.csv"), "[1+G]: Aki/Oak/4:00/3:00 1:00; Ben/Pine/4:40/3:30 1:10"},
        {"Eskdat file is not turned",
         QStringLiteral("Name,Syozoku,1,G,,,\nAki,Oak,0:03:00,0:01:00,,\n"),
         QStringLiteral("race-Eskdat-1.dat"), "[1+G]: Aki/Oak/4:00/3:00 1:00"},
        {"runner called Kaname stays a runner",
         QStringLiteral("Name,所属,1,G\nKaname,Name OK,0:03:00,0:01:00\nAki,Oak,0:02:00,0:01:00\n"),
         QStringLiteral("d.csv"), "[1+G]: Aki/Oak/3:00/2:00 1:00; Kaname/Name OK/4:00/3:00 1:00"},
    };
    for (const Case& c : cases) {
        testDocument().resetRace();
        load(c.text, c.name);
        EXPECT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded) << c.what;
        EXPECT_EQ(raceSummary().toStdString(), c.summary) << c.what;
        EXPECT_FALSE(testDocument().DataModified()) << c.what;
    }
}

TEST_F(LapFileTest, SpacesReadLikeCommas)
{
    load(
        QStringLiteral("ｸﾗｽ,氏名,所属,1,G\nW,Aki,Oak,0:03:00,0:01:00\nW,Ben,Elm,0:02:00,0:01:00\n"),
        QStringLiteral("c.csv"));
    const QString withCommas = raceSummary();
    testDocument().resetRace();
    load(QStringLiteral("  ｸﾗｽ   氏名  所属   1       G\nW  Aki   Oak   0:03:00   0:01:00  \n"
                        "W  Ben   Elm   0:02:00   0:01:00\n"),
         QStringLiteral("s.txt"));
    EXPECT_EQ(raceSummary(), withCommas);
    EXPECT_EQ(testRace().ClassList.count(), 1);
}

TEST_F(LapFileTest, ExcelWorkbookGivesEmptyRace)
{
    loadPreviousRace();
    const QString path = tempPath(QStringLiteral("book.XLS"));
    testsupport::writeCp932(path, QStringLiteral("anything,at,all\n"));
    lastLoad = basConvert::LoadRaceFile(testDocument(), path);
    EXPECT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    EXPECT_EQ(testRace().ClassList.count(), 0);
    EXPECT_TRUE(testRace().RaceInfo.RaceName.isEmpty());
    EXPECT_EQ(testDocument().CurrentFilePath(), path);
}

TEST_F(LapFileTest, Utf8WithByteOrderMarkIsRead)
{
    const QString path = tempPath(QStringLiteral("bom.csv"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBF");
    file.write(QStringLiteral("氏名,所属,1,G\n山田 花子,森の会,0:03:00,0:01:00\n").toUtf8());
    file.close();
    lastLoad = basConvert::LoadRaceFile(testDocument(), path);
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    EXPECT_EQ(raceSummary(), QStringLiteral("[1+G]: 山田 花子/森の会/4:00/3:00 1:00"));
}

// The program's own CSV layouts load back to the same race, also with enough classes that
// their repeated "クラス" cells outnumber the labels across the first line.
TEST_F(LapFileTest, OwnCsvLayoutsRoundTrip)
{
    for (int classCount : {1, 2, 12, 14}) {
        testDocument().resetRace();
        for (int c = 1; c <= classCount; ++c) {
            clsClassData& cls = addClass(QStringLiteral("C%1").arg(c), 2, true);
            cls.Add(runner(QStringLiteral("走者%1").arg(c), QStringLiteral("クラブ"), 0,
                           {hms(0, 3, c), LapMerged, hms(0, 1, 0)}));
            cls.Add(runner(QStringLiteral("Runner %1").arg(c), QStringLiteral("Club"), 0,
                           {hms(0, 4, 0), LapMissing, hms(0, 2, c)}));
        }
        const QString before = raceSummary();
        for (int filter : {2, 3}) {
            const QString name = QStringLiteral("out%1.csv").arg(filter);
            save(filter, name);
            testDocument().resetRace();
            lastLoad = basConvert::LoadRaceFile(testDocument(), tempPath(name));
            EXPECT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded)
                << classCount << " filter " << filter;
            EXPECT_EQ(raceSummary(), before) << classCount << " classes, filter " << filter;
        }
    }
}

TEST_F(LapFileTest, TablesOfAnyLengthLoadButOverlongLinesAreRefused)
{
    // 3000 runners down the columns (a vertical table), and 5000 runner lines.
    QString vertical = QStringLiteral("Name");
    QString times = QStringLiteral("1");
    for (int i = 0; i < 3000; ++i) {
        vertical += QStringLiteral(",R%1").arg(i);
        times += QStringLiteral(",0:0%1:00").arg(1 + i % 9);
    }
    vertical += QLatin1Char('\n') + times + QLatin1Char('\n');
    QString wide = QStringLiteral("Name,Club,1,G\n");
    for (int i = 0; i < 5000; ++i) wide += QStringLiteral("R%1,C,0:01:00,0:01:00\n").arg(i);
    for (const auto& [text, runners] : {std::pair{vertical, 3000}, std::pair{wide, 5000}}) {
        testDocument().resetRace();
        load(text, QStringLiteral("big.csv"));
        ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
        EXPECT_EQ(testRace().ClassList.at(1).ClassRunnerCount(), runners);
    }
    // One line of more fields than any table holds: refused before it is looked at.
    QString oneLine = QStringLiteral("Name");
    for (int i = 1; i <= basConvert::MaxTableFields; ++i) oneLine += QStringLiteral(",0:01:00");
    loadPreviousRace();
    load(oneLine, QStringLiteral("big.csv"));
    EXPECT_EQ(lastLoad.status, basConvert::LoadStatus::Failed);
    expectPreviousRace();
}

namespace {

// Answers the label questions like a person at the two dialogs.
struct LabelAnswers {
    std::unique_ptr<Prompts::ScriptedPrompts> prompts =
        std::make_unique<Prompts::ScriptedPrompts>();
    Prompts::ScriptedPrompts* log = prompts.get();
    explicit LabelAnswers(std::initializer_list<std::optional<QString>> answers)
    {
        for (const auto& a : answers) prompts->inputs.push_back(a);
    }
};

}  // namespace

TEST_F(LapFileTest, LabelQuestionsBuildTheHeader)
{
    struct Case {
        const char* what;
        QString text;
        std::initializer_list<std::optional<QString>> answers;
        const char* summary;
        int questions;
    };
    const QString bare = QStringLiteral(
        "Aki,Oak,0:03:00,0:04:00,0:08:00\n"
        "Ben,Elm,0:03:30,0:04:30,0:09:00\n");
    const Case cases[] = {
        {"last value is the total",
         bare,
         {QStringLiteral("名前"), QStringLiteral("所属"), QStringLiteral("総")},
         "[1+G]: Aki/Oak/8:00/3:00 4:00; Ben/Elm/9:00/3:30 4:30",
         3},
        {"last value is the finish leg",
         bare,
         {QStringLiteral("名前"), QStringLiteral("年齢"), QStringLiteral("ラスポ→◎のラップ")},
         "[2+G]: Aki//15:00/3:00 4:00 8:00; Ben//17:00/3:30 4:30 9:00",
         3},
        {"a column of plain numbers is asked about, not taken for a split",
         QStringLiteral("Aki,35,0:03:00,0:04:00,0:08:00\nBen,41,0:03:30,0:04:30,0:09:00\n"),
         {QStringLiteral("名前"), QStringLiteral("年齢"), QStringLiteral("総")},
         "[1+G]: Aki//8:00/3:00 4:00; Ben//9:00/3:30 4:30",
         3},
        {"times down the first column are turned first",
         QStringLiteral("0:03:00,0:03:30\n0:04:00,0:04:30\n0:08:00,0:09:00\nAki,Ben\n"),
         {QStringLiteral("総"), QStringLiteral("名前")},
         "[1+G]: Aki//8:00/3:00 4:00; Ben//9:00/3:30 4:30",
         2},
    };
    for (const Case& c : cases) {
        testDocument().resetRace();
        LabelAnswers answers(c.answers);
        Prompts::ScopedPrompts scope(std::move(answers.prompts));
        load(c.text, QStringLiteral("bare.csv"));
        EXPECT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded) << c.what;
        EXPECT_EQ(raceSummary().toStdString(), c.summary) << c.what;
        EXPECT_EQ(static_cast<int>(answers.log->log.size()), c.questions) << c.what;
        EXPECT_TRUE(testDocument().DataModified()) << c.what;
    }
}

TEST_F(LapFileTest, TableWithoutTimesIsNotTurned)
{
    // No first field and no field of the first line is a time: the table keeps its way.
    LabelAnswers answers({QStringLiteral("名前"), QStringLiteral("所属")});
    Prompts::ScopedPrompts scope(std::move(answers.prompts));
    load(QStringLiteral("Aki,Oak\nBen,Elm,0:04:00\n"), QStringLiteral("names.csv"));
    ASSERT_EQ(answers.log->log.size(), 2u);
    EXPECT_TRUE(answers.log->log[0].text.endsWith(QLatin1String("\nAki")));
    EXPECT_TRUE(answers.log->log[1].text.endsWith(QLatin1String("\nOak")));
}

// A text without labels in which too few lines hold a time is no split table: a web page or a
// system file is refused as a kind of file the program does not read, nobody is asked about
// it, and the race in memory stays. A bare table under a title line is still asked about.
TEST_F(LapFileTest, TextsThatAreNoTableAreRefusedWithoutAQuestion)
{
    const struct {
        const char* what;
        QString text;
        basConvert::LoadStatus result;
    } cases[] = {
        {"system file",
         QStringLiteral("root:x:0:0:root:/root:/bin/bash\n"
                        "list:x:38:38:Mailing List Manager:/var/list:/usr/sbin/nologin\n"),
         basConvert::LoadStatus::Refused},
        {"web page with a date",
         QStringLiteral("<html>\n<head><title>Cup</title></head>\n<body>\n<p>\n2024/04/21\n"
                        "</p>\n</body>\n</html>\n"),
         basConvert::LoadStatus::Refused},
        {"one word", QStringLiteral("vm\n"), basConvert::LoadStatus::Refused},
        {"names without times", QStringLiteral("Aki,Oak\nBen,Elm\n"),
         basConvert::LoadStatus::Refused},
        {"headed page without runners",
         QStringLiteral("Pl Name Time\n<pre>\n12:30\n13:45 start\n</pre>\n"),
         basConvert::LoadStatus::Refused},
        {"headed table without runners", QStringLiteral("Name,Time\n<b>12:30</b>,<i>x</i>\n"),
         basConvert::LoadStatus::Refused},
        {"runners under a title",
         QStringLiteral("Spring Cup\nAki,Oak,0:03:00,0:08:00\nBen,Elm,0:03:30,0:09:00\n"),
         basConvert::LoadStatus::Failed},
    };
    for (const auto& c : cases) {
        loadPreviousRace();
        LabelAnswers answers({});
        Prompts::ScopedPrompts scope(std::move(answers.prompts));
        load(c.text, QStringLiteral("page.txt"));
        EXPECT_EQ(lastLoad.status, c.result) << c.what;
        EXPECT_EQ(answers.log->log.empty(), c.result == basConvert::LoadStatus::Refused) << c.what;
        expectPreviousRace();
    }
}

TEST_F(LapFileTest, UnansweredLabelQuestionCancelsTheImport)
{
    const QString bare = QStringLiteral("Aki,0:03:00,0:08:00\n");
    struct Case {
        const char* what;
        std::initializer_list<std::optional<QString>> answers;
        const QString& question;
    };
    const Case cases[] = {
        {"category dialog closed", {std::nullopt}, basConvert::NameLabelQuestion},
        {"split dialog closed",
         {QStringLiteral("名前"), std::nullopt},
         basConvert::LapLabelQuestion},
        {"split answer neither choice",
         {QStringLiteral("名前"), QStringLiteral("x")},
         basConvert::LapLabelQuestion},
    };
    for (const Case& c : cases) {
        loadPreviousRace();
        testDocument().setDataModified(false);
        LabelAnswers answers(c.answers);
        Prompts::ScopedPrompts scope(std::move(answers.prompts));
        load(bare, QStringLiteral("bare.csv"));
        EXPECT_EQ(lastLoad.status, basConvert::LoadStatus::Failed) << c.what;
        expectPreviousRace();
        EXPECT_FALSE(testDocument().DataModified()) << c.what;
        EXPECT_TRUE(lastLoad.unansweredQuestion.startsWith(c.question)) << c.what;
    }
    // The next load, which needs no question, forgets the one left unanswered.
    load(QStringLiteral("Name,1,G\nAki,0:03:00,0:01:00\n"), QStringLiteral("named.csv"));
    EXPECT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    EXPECT_TRUE(lastLoad.unansweredQuestion.isEmpty());
}

// A real start list written as UTF-8 with a byte-order mark and LF line ends: its classes are
// read with their names intact (it has no exact name heading, so no runner is kept).
TEST_F(LapFileTest, RealUtf8StartListKeepsItsClassNames)
{
    const QString path = QStringLiteral(SPLITDUEL_REAL_DATA
                                        "/AtsushiYanaigsawa768-JOY2Mulka/Startlist_anonymous.csv");
    if (!QFile::exists(path)) GTEST_SKIP() << "real data not present";
    lastLoad = basConvert::LoadRaceFile(testDocument(), path);
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    EXPECT_EQ(testRace().ClassList.count(), 26);
    EXPECT_EQ(testRace().ClassList.at(1).ClassName, QStringLiteral("M21A1"));
    for (const QString& name : testRace().ClassList.names())
        EXPECT_FALSE(name.contains(QChar(0xFFFD))) << name.toStdString();
}
