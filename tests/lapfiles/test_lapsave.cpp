// Writing lap files, the save-load cycle, and saves that fail.
#include "lapfixtures.h"

#include "common/scriptedprompts.h"
#include "lapfiles/formattable.h"
#include "lapfiles/racefile.h"
#include "race/prompts.h"
#include "race/race.h"
#include "race/textcodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

using namespace basDefinition;
using namespace lapfixtures;

namespace {

// A lap file as the writer puts it: Japanese text, a missing split, a leg without split, empty
// legs, an incomplete run and a start of 0; no two runners of a class share a total.
const QString kCanonical = QStringLiteral(
    "$LAPFILE Ver=2\n$LAPFILE Rev=2\n$名称=第５回　春の森大会\n$日時=2024/04/14\n"
    "$場所=朝霧高原 北区画\n$備考=雨天・一部不通\n"
    "$距離:男子Ａ=4500\n$登距離:男子Ａ=180\n$コントロール数:男子Ａ=3\n"
    "$距離:Ｗ21=3200\n$登距離:Ｗ21=120\n$コントロール数:Ｗ21=2\n"
    "$距離:初心者=1500\n$登距離:初心者=20\n$コントロール数:初心者=6\n"
    "\n"
    "クラス,名前,所属,スタート時刻,総タイム,△→１,１→２,２→３,３→◎\n"
    "男子Ａ,山田 太郎,朝霧ＯＬＣ,10:00:00,00:35:10,00:08:12,00:10:03,00:12:40,00:04:15\n"
    "男子Ａ,鈴木 次郎,,10:02:00,00:36:00,→,00:18:30,00:13:01,00:04:29\n"
    "男子Ａ,高橋 三郎,北大OLC,00:00:00,0,00:09:30,n/a,00:13:01,00:04:40\n"
    "\n"
    "クラス,名前,所属,スタート時刻,総タイム,△→１,１→２,２→◎\n"
    "Ｗ21,佐藤 花子,京都ＯＬクラブ,10:01:00,00:30:00,00:10:00,,00:20:00\n"
    "\n"
    // A class without runners keeps its control count but not a finish leg.
    "クラス,名前,所属,スタート時刻,総タイム,△→１,１→２,２→３,３→４,４→５,５→６\n");

QByteArray canonicalBytes()
{
    QString text = kCanonical;
    return TextCodec::toCp932(text.replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

}  // namespace

TEST_F(LapFileTest, WritesHeaderKeysThenOneBlockPerClass)
{
    testRace().RaceInfo.RaceName = QStringLiteral("Spring Cup");
    testRace().RaceInfo.RaceDate = QDate(2002, 5, 12);
    testRace().RaceInfo.RacePlace = QStringLiteral("North Forest");
    clsClassData& m21 = addClass(QStringLiteral("M21"), 2, true);
    m21.ClassLength = 4500;
    m21.ClassUpHeight = 180;
    // Added slowest first: the file lists runners by total time.
    m21.Add(runner(QStringLiteral("Two"), QStringLiteral("B"), hms(10, 2, 0),
                   {hms(0, 9, 30), LapMissing, hms(0, 4, 40)}));
    m21.Add(runner(QStringLiteral("One"), QStringLiteral("A"), 0,
                   {LapMerged, hms(0, 20, 3), LapAbsent}, hms(0, 25, 0)));
    addClass(QStringLiteral("W21"), 0, false);
    testDocument().setDataModified(true);
    testDocument().setCurrentFilePath(QStringLiteral("elsewhere.lap"));

    save(1);
    QString expected = QString::fromUtf8(
        "$LAPFILE Ver=2\n$LAPFILE Rev=2\n$名称=Spring Cup\n$日時=2002/05/12\n"
        "$場所=North Forest\n$備考=\n"
        "$距離:M21=4500\n$登距離:M21=180\n$コントロール数:M21=2\n"
        "$距離:W21=0\n$登距離:W21=0\n$コントロール数:W21=0\n\n"
        "クラス,名前,所属,スタート時刻,総タイム,△→１,１→２,２→◎\n"
        "M21,One,A,00:00:00,00:25:00,→,00:20:03,\n"
        "M21,Two,B,10:02:00,0,00:09:30,n/a,00:04:40\n\n"
        "クラス,名前,所属,スタート時刻,総タイム\n");
    expected.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    EXPECT_EQ(testsupport::readBytes(tempPath(QStringLiteral("out.lap"))),
              TextCodec::toCp932(expected));
    EXPECT_FALSE(testDocument().DataModified());
    EXPECT_EQ(testDocument().CurrentFilePath(),
              QStringLiteral("elsewhere.lap"));  // left to the caller

    testRace().RaceInfo.RaceDate = QDate();
    EXPECT_EQ(save(1).at(3), QStringLiteral("$日時="));
}

TEST_F(LapFileTest, SaveOfALoadedLapFileGivesTheSameBytes)
{
    QString path = tempPath(QStringLiteral("canonical.lap"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(canonicalBytes());
    f.close();

    lastLoad = basConvert::LoadRaceFile(testDocument(), path);
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    EXPECT_EQ(testRace().ClassList.names().last(), QStringLiteral("初心者"));
    save(1, QStringLiteral("again.lap"));
    EXPECT_EQ(testsupport::readBytes(tempPath(QStringLiteral("again.lap"))), canonicalBytes());
}

// What the fields cannot hold as they are: a "," inside a text (fields are never quoted) and
// an incomplete run whose legs are all known, whose total "0" would read back as a finish.
TEST_F(LapFileTest, CommasAndIncompleteRunsAreWrittenSoThatTheyReadBack)
{
    clsClassData& cls = addClass(QStringLiteral("M21,E"), 1, true);
    cls.Add(runner(QStringLiteral("Tenani, Alessio"), QStringLiteral("Club, Inc."), 0,
                   {hms(0, 20, 0), hms(0, 20, 0)}, 1 + hms(0, 40, 0)));
    cls.Add(runner(QStringLiteral("Two"), QString(), 0, {LapMissing, hms(0, 21, 0)}));
    cls.Add(runner(QStringLiteral("Three"), QString(), 0, {LapMissing, hms(0, 22, 0)},
                   3 + hms(0, 22, 0)));
    const QStringList lines = save(1);
    EXPECT_EQ(lines.at(6), QStringLiteral("$距離:M21，E=0"));
    EXPECT_EQ(lines.mid(lines.size() - 3),
              (QStringList{QStringLiteral("M21，E,Two,,00:00:00,0,n/a,00:21:00"),
                           QStringLiteral("M21，E,Tenani， Alessio,Club， Inc.,00:00:00,"
                                          "24:40:00,00:20:00,00:20:00"),
                           QStringLiteral("M21，E,Three,,00:00:00,72:22:00,n/a,00:22:00")}));

    testDocument().resetRace();
    basConvert::LoadRaceFile(testDocument(), tempPath(QStringLiteral("out.lap")));
    ASSERT_EQ(testRace().ClassList.names(), QStringList{QStringLiteral("M21，E")});
    const clsClassData& loaded = testRace().ClassList.at(1);
    ASSERT_EQ(loaded.ClassRunnerCount(), 3);
    EXPECT_EQ(loaded.Item(2).Shozoku, QStringLiteral("Club， Inc."));
    EXPECT_EQ(std::llround(loaded.Item(2).Total / kSecond), 86400 + 40 * 60);
    EXPECT_EQ(std::llround(loaded.Item(3).Total / kSecond), 3 * 86400 + 22 * 60);
}

// Letters without a CP932 form would be saved as "?": such a race is saved as UTF-8 with a
// byte-order mark, once told; a race that fits CP932 stays CP932.
TEST_F(LapFileTest, TextWithoutACp932FormIsSavedAsUtf8)
{
    auto* prompts = new Prompts::ScriptedPrompts;
    Prompts::ScopedPrompts scoped{std::unique_ptr<Prompts::PromptService>(prompts)};
    auto race = [](bool foreign) {
        testDocument().resetRace();
        clsClassData& cls = addClass(QStringLiteral("H21"), 1, false);
        cls.Add(
            runner(QStringLiteral("山田 太郎"), QStringLiteral("朝霧ＯＬＣ"), 0, {hms(0, 9, 0)}));
        if (foreign)
            cls.Add(runner(QStringLiteral("Erik Ögren"), QStringLiteral("Bergnäsets AIK"), 0,
                           {hms(0, 10, 0)}));
    };
    race(false);
    save(1, QStringLiteral("cp932.lap"));
    EXPECT_TRUE(prompts->log.empty());
    EXPECT_TRUE(
        testsupport::readBytes(tempPath(QStringLiteral("cp932.lap"))).startsWith("$LAPFILE"));

    for (int layout : {1, 2, 3}) {
        SCOPED_TRACE(layout);
        race(true);
        prompts->log.clear();
        const QString path = tempPath(layout == 1 ? QStringLiteral("utf8.lap")
                                                  : QStringLiteral("utf8-%1.csv").arg(layout));
        ASSERT_EQ(basConvert::SaveRaceFile(testDocument(), path, *basConvert::SaveTypeAt(layout)),
                  basConvert::SaveResult::Saved);
        const QByteArray bytes = testsupport::readBytes(path);
        EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
        ASSERT_EQ(prompts->log.size(), 1u);
        EXPECT_TRUE(prompts->log[0].text.contains(QStringLiteral("「Erik Ögren」")));
        testDocument().resetRace();
        lastLoad = basConvert::LoadRaceFile(testDocument(), path);
        ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
        ASSERT_EQ(testRace().ClassList.at(1).ClassRunnerCount(), 2);
        EXPECT_EQ(testRace().ClassList.at(1).Item(2).Namae, QStringLiteral("Erik Ögren"));
        EXPECT_EQ(testRace().ClassList.at(1).Item(2).Shozoku, QStringLiteral("Bergnäsets AIK"));
    }
}

// A class without runners keeps its place among the classes and its finish leg: the file
// written from it is the file read, and so it stays.
TEST_F(LapFileTest, ClassesWithoutRunnersKeepTheirPlaceAndFinishLeg)
{
    QString text = kCanonical;
    text.replace(QStringLiteral("$距離:初心者=1500\n$登距離:初心者=20\n$コントロール数:初心者=6\n"),
                 QString());
    text.replace(QStringLiteral("$距離:男子Ａ"),
                 QStringLiteral("$距離:初心者=1500\n$登距離:初心者=20\n$コントロール数:初心者=6\n"
                                "$フィニッシュ区間:初心者=1\n$距離:男子Ａ"));
    const QString emptyBlock = QStringLiteral(
        "\nクラス,名前,所属,スタート時刻,総タイム,△→１,１→２,２→３,３→４,４→５,５→６\n");
    text.chop(emptyBlock.size());
    text.replace(QStringLiteral("\n\nクラス,名前,所属,スタート時刻,総タイム,△→１,１→２,２→３,３→◎"),
                 QStringLiteral("\n\nクラス,名前,所属,スタート時刻,総タイム,△→１,１→２,２→３,"
                                "３→４,４→５,５→６,６→◎\n\n"
                                "クラス,名前,所属,スタート時刻,総タイム,△→１,１→２,２→３,３→◎"));
    load(text, QStringLiteral("first.lap"));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    EXPECT_EQ(
        testRace().ClassList.names(),
        (QStringList{QStringLiteral("初心者"), QStringLiteral("男子Ａ"), QStringLiteral("Ｗ21")}));
    EXPECT_EQ(testRace().ClassList.at(1).ClassControlCount, 6);
    EXPECT_TRUE(testRace().ClassList.at(1).ClassLastGoalExist);
    QString expected = text;
    expected.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    for (const char* name : {"second.lap", "third.lap"}) {
        save(1, QString::fromUtf8(name));
        EXPECT_EQ(testsupport::readBytes(tempPath(QString::fromUtf8(name))),
                  TextCodec::toCp932(expected))
            << name;
        lastLoad = basConvert::LoadRaceFile(testDocument(), tempPath(QString::fromUtf8(name)));
        ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    }
}

// Runners tied on their total keep the order they were read in, so the same race saves to
// the same bytes however often it is saved and loaded.
TEST_F(LapFileTest, RunnersTiedOnTotalKeepTheirOrderOnEveryCycle)
{
    load(lapHead() + QStringLiteral("クラス,名前,所属,スタート時刻,総タイム,△→１\n"
                                    "M,甲,C,10:00:00,00:30:00,00:30:00\n"
                                    "M,乙,C,10:01:00,00:30:00,00:30:00\n"
                                    "M,丙,C,10:02:00,00:29:00,00:29:00\n"
                                    "M,丁,C,10:03:00,00:30:00,00:30:00\n"));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    auto order = [] {
        QStringList names;
        for (int i = 1; i <= testRace().ClassList.at(1).ClassRunnerCount(); ++i)
            names << testRace().ClassList.at(1).Item(i).Namae;
        return names;
    };
    const QStringList read{QStringLiteral("丙"), QStringLiteral("甲"), QStringLiteral("乙"),
                           QStringLiteral("丁")};
    EXPECT_EQ(order(), read);
    QByteArray previous;
    for (int cycle = 1; cycle <= 3; ++cycle) {
        save(1, QStringLiteral("cycle.lap"));
        const QByteArray bytes = testsupport::readBytes(tempPath(QStringLiteral("cycle.lap")));
        if (cycle > 1) {
            EXPECT_EQ(bytes, previous) << cycle;
        }
        previous = bytes;
        basConvert::LoadRaceFile(testDocument(), tempPath(QStringLiteral("cycle.lap")));
        EXPECT_EQ(order(), read) << cycle;
    }
}

TEST_F(LapFileTest, FailedSaveKeepsTheExistingFile)
{
    loadPreviousRace();
    testDocument().setDataModified(true);

    // The path is a folder.
    EXPECT_EQ(basConvert::SaveRaceFile(testDocument(), tempDir(), basConvert::SaveType::Lap),
              basConvert::SaveResult::Failed);
    EXPECT_TRUE(QFileInfo(tempDir()).isDir());
    EXPECT_EQ(basConvert::SaveRaceFile(testDocument(),
                                       tempPath(QStringLiteral("no/such/folder/race.lap")),
                                       basConvert::SaveType::Lap),
              basConvert::SaveResult::Failed);
    // No temporary file is left behind.
    EXPECT_EQ(QDir(tempDir()).entryList(QDir::Files), QStringList{QStringLiteral("old.lap")});

    // A filter index outside the save dialog's list stands for no type to save as.
    EXPECT_FALSE(basConvert::SaveTypeAt(5));
    EXPECT_FALSE(basConvert::SaveTypeAt(0));
    EXPECT_TRUE(testDocument().DataModified());
}

TEST_F(LapFileTest, SaveIntoAReadOnlyFolderFailsAndKeepsTheFile)
{
    if (geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind the superuser";
    loadPreviousRace();
    QString folder = tempPath(QStringLiteral("readonly"));
    ASSERT_TRUE(QDir().mkpath(folder));
    QString existing = folder + QStringLiteral("/race.lap");
    testsupport::writeCp932(existing, QStringLiteral("元のファイル\n"));
    QFile::setPermissions(existing, QFile::ReadOwner | QFile::WriteOwner);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);

    EXPECT_EQ(basConvert::SaveRaceFile(testDocument(), existing, basConvert::SaveType::Lap),
              basConvert::SaveResult::Failed);
    EXPECT_EQ(testsupport::readCp932(existing), QStringLiteral("元のファイル\r\n"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("race.lap")});
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Class names may hold ":" and "=" (a table read from another program:
// "$コントロール数:W21A=11"); the header keys written for them must read back as the same
// class with the same course data, or the saved file does not load at all.
TEST_F(LapFileTest, ClassNamesWithColonsAndEqualsSignsSurviveTheCycle)
{
    const QStringList names = {QStringLiteral("$コントロール数:W21A=11"), QStringLiteral("A:B:C"),
                               QStringLiteral("x=y")};
    for (const QString& name : names) {
        clsClassData& cls = addClass(name, 2, true);
        cls.ClassLength = 3200;
        cls.ClassUpHeight = 45;
        cls.Add(runner(QStringLiteral("走者"), QString(), 0,
                       {60 / 86400.0, 70 / 86400.0, 20 / 86400.0}));
    }
    save(1, QStringLiteral("odd.lap"));
    testDocument().resetRace();
    lastLoad = basConvert::LoadRaceFile(testDocument(), tempPath(QStringLiteral("odd.lap")));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    ASSERT_EQ(testRace().ClassList.names(), names);
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const clsClassData& cls = *testRace().ClassList.find(name);
        EXPECT_EQ(cls.ClassLength, 3200);
        EXPECT_EQ(cls.ClassUpHeight, 45);
        EXPECT_EQ(cls.ClassControlCount, 2);
        EXPECT_EQ(cls.ClassRunnerCount(), 1);
    }
}

// A class field with outer blanks names the same class as its "$" keys, which are read trimmed:
// "M21A " stays one class through a save and load.
TEST_F(LapFileTest, OuterBlanksOfAClassFieldAreNoPartOfTheName)
{
    load(lapHead() +
         QStringLiteral("$距離:M21=4500\nクラス,名前,△→１,１→◎\n M21 ,走者,00:01:00,00:00:20\n"));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    EXPECT_EQ(testRace().ClassList.names(), QStringList{QStringLiteral("M21")});
    EXPECT_EQ(testRace().ClassList.at(1).ClassLength, 4500);
    EXPECT_EQ(testRace().ClassList.at(1).ClassRunnerCount(), 1);
}

// A column-header line is known by "クラス" and "名前" as whole fields (or the marker of a
// rewritten foreign header): class, runner and club names that merely hold "クラス" stay
// runner lines, and the runners of class "0クラス" survive a save.
TEST_F(LapFileTest, NamesHoldingTheHeaderWordsSurviveTheCycle)
{
    struct Entry {
        const char* className;
        const char* runnerName;
        const char* club;
    };
    const Entry entries[] = {{"Aクラス", "走者", ""},
                             {"M21", "クラス太郎", "クラスター"},
                             {"W21", "名前", "所属"},
                             {"クラス", "走者", "所属"}};
    for (const Entry& e : entries) {
        clsClassData& cls = addClass(QString::fromUtf8(e.className), 1, true);
        cls.Add(runner(QString::fromUtf8(e.runnerName), QString::fromUtf8(e.club), 0,
                       {60 / 86400.0, 20 / 86400.0}));
    }
    save(1, QStringLiteral("words.lap"));
    testDocument().resetRace();
    lastLoad = basConvert::LoadRaceFile(testDocument(), tempPath(QStringLiteral("words.lap")));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    for (const Entry& e : entries) {
        SCOPED_TRACE(e.className);
        const clsClassData* cls = testRace().ClassList.find(QString::fromUtf8(e.className));
        ASSERT_NE(cls, nullptr);
        ASSERT_EQ(cls->ClassRunnerCount(), 1);
        EXPECT_EQ(cls->Item(1).Namae, QString::fromUtf8(e.runnerName));
        EXPECT_EQ(cls->ClassControlCount, 1);
    }
}

// A file as the writer puts it loads and saves back to the very same bytes: classes of up to
// 30 legs as they always were, and classes of up to MaxLegs legs in the same line format.
TEST_F(LapFileTest, LongCoursesSaveBackByteForByte)
{
    for (const char* name : {"lap/thirty_legs.lap", "lap/ninety_nine_legs.lap"}) {
        SCOPED_TRACE(name);
        testDocument().resetRace();
        const QString path = testsupport::dataPath(QString::fromUtf8(name));
        lastLoad = basConvert::LoadRaceFile(testDocument(), path);
        ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
        int longest = 0;
        for (const auto& cls : testRace().ClassList) longest = std::max(longest, cls->LegCount());
        EXPECT_EQ(longest,
                  QString::fromUtf8(name).contains(QLatin1String("thirty")) ? 30 : MaxLegs);
        const QString saved = tempPath(QStringLiteral("saved.lap"));
        ASSERT_EQ(basConvert::SaveRaceFile(testDocument(), saved, basConvert::SaveType::Lap),
                  basConvert::SaveResult::Saved);
        EXPECT_EQ(testsupport::readBytes(saved), testsupport::readBytes(path));
    }
}
