// Loading lap files: the "$" keys, the class structure taken from the column headers, the
// runners, line ends and bytes that are not CP932, and the loading window's progress texts.
#include "lapfixtures.h"

#include "lapfiles/racefile.h"
#include "race/race.h"
#include "race/textcodec.h"

#include <QDir>
#include <QFile>

using namespace basDefinition;
using namespace lapfixtures;

namespace {

const QString kSpringCup =
    lapHead() + QStringLiteral(
                    "$名称=Spring Cup\n$日時=2002/05/12\n$場所=North Forest\n$備考=\n"
                    "$距離:M21=4500\n$登距離:M21=180\n$コントロール数:M21=3\n"
                    "$距離:W21=3200\n$登距離:W21=120\n$コントロール数:W21=2\n\n"
                    "クラス,名前,所属,スタート時刻,総タイム,△→１,１→２,２→３,３→◎\n"
                    "M21,Runner One,Club A,10:00:00,00:35:10,00:08:12,00:10:03,00:12:40,00:04:15\n"
                    "M21,Runner Two,Club B,10:02:00,0,00:09:30,n/a,00:13:01,00:04:40\n\n"
                    "クラス,名前,所属,スタート時刻,総タイム,△→１,１→２,２→◎\n"
                    "W21,Runner Three,Club C,10:01:00,00:30:00,→,00:20:00,00:10:00\n");

}  // namespace

TEST_F(LapFileTest, ReadsHeaderClassesAndRunners)
{
    QString path = load(kSpringCup);
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    EXPECT_EQ(testDocument().CurrentFilePath(), path);
    EXPECT_EQ(testRace().RaceInfo.RaceName, QStringLiteral("Spring Cup"));
    EXPECT_EQ(testRace().RaceInfo.RaceDate, QDate(2002, 5, 12));
    EXPECT_EQ(testRace().RaceInfo.RacePlace, QStringLiteral("North Forest"));
    ASSERT_EQ(testRace().ClassList.names(),
              (QStringList{QStringLiteral("M21"), QStringLiteral("W21")}));

    const clsClassData& m21 = testRace().ClassList.at(1);
    EXPECT_EQ(m21.ClassControlCount, 3);
    EXPECT_TRUE(m21.ClassLastGoalExist);
    EXPECT_EQ(m21.ClassLength, 4500);
    EXPECT_EQ(m21.ClassUpHeight, 180);
    ASSERT_EQ(m21.ClassRunnerCount(), 2);
    EXPECT_EQ(m21.Item(1).Namae, QStringLiteral("Runner One"));
    EXPECT_EQ(m21.Item(1).Shozoku, QStringLiteral("Club A"));
    EXPECT_DOUBLE_EQ(m21.Item(1).Total, hms(0, 35, 10));
    EXPECT_DOUBLE_EQ(m21.Item(1).StartTime, hms(10, 0, 0));
    EXPECT_DOUBLE_EQ(m21.Item(1).Lap(4), hms(0, 4, 15));
    // A total written "0" is computed again from the legs, a day added for the missing split.
    EXPECT_DOUBLE_EQ(m21.Item(2).Lap(2), LapMissing);
    EXPECT_NEAR(m21.Item(2).Total, 1 + hms(0, 27, 11), 1e-9);

    const clsClassData& w21 = testRace().ClassList.at(2);
    EXPECT_EQ(w21.ClassControlCount, 2);
    EXPECT_EQ(w21.ClassLength, 3200);
    ASSERT_EQ(w21.ClassRunnerCount(), 1);
    EXPECT_DOUBLE_EQ(w21.Item(1).Lap(1), LapMerged);
    EXPECT_DOUBLE_EQ(w21.Item(1).Lap(2), hms(0, 20, 0));
}

TEST_F(LapFileTest, RecognisesTheVersionLineWithAnySpacesAndLetterCase)
{
    const QString rest = QStringLiteral("$LAPFILE Rev=2\n$名称=版\n");
    for (QString first : {"$LAPFILE Ver=2", "$lapfile ver=2", "$LAPFILEVer=2", "$LAP FILE Ver = 2 ",
                          "$LAPFILE　Ver=2"}) {
        testDocument().resetRace();
        load(first + QLatin1Char('\n') + rest, QStringLiteral("version.LAP"));
        EXPECT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded) << first.toStdString();
        EXPECT_EQ(testRace().RaceInfo.RaceName, QStringLiteral("版")) << first.toStdString();
    }
}

TEST_F(LapFileTest, DollarKeys)
{
    load(lapHead() +
         QStringLiteral("$名称=春の大会 A=B 第2回\n"  // a value may hold "="
                        "$場所 =  北の森  \n"
                        "$日時=いつか\n"
                        "$未知=何か\n"
                        "$距離:m21=4500.5\n"  // the class of the table, letter case aside
                        "$登距離:M21=181.5\n"
                        "$コントロール数:M21=9\n"  // the count from the legs wins
                        "$距離:W35=2800\n"
                        "$コントロール数:W35=7\n"
                        "$コントロール数:Open=5\n"
                        "$登距離:Open=60\n\n"
                        "クラス,名前,所属,スタート時刻,総タイム,△→１,１→２,２→◎\n"
                        "M21,山田 太郎,朝霧OLC,10:00:00,,00:05:00,00:06:00,00:01:00\n"));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    EXPECT_EQ(testRace().RaceInfo.RaceName, QStringLiteral("春の大会 A=B 第2回"));
    EXPECT_EQ(testRace().RaceInfo.RacePlace, QStringLiteral("北の森"));
    EXPECT_FALSE(testRace().RaceInfo.hasDate());
    // The classes in the order of their keys.
    ASSERT_EQ(testRace().ClassList.names(),
              (QStringList{QStringLiteral("M21"), QStringLiteral("W35"), QStringLiteral("Open")}));
    EXPECT_EQ(testRace().ClassList.at(1).ClassLength, 4500);  // halves round to the even neighbour
    EXPECT_EQ(testRace().ClassList.at(1).ClassUpHeight, 182);
    EXPECT_EQ(testRace().ClassList.at(1).ClassControlCount, 2);
    EXPECT_EQ(testRace().ClassList.at(2).ClassControlCount, 7);
    EXPECT_EQ(testRace().ClassList.at(2).ClassLength, 2800);
    EXPECT_FALSE(testRace().ClassList.at(2).ClassLastGoalExist);
    EXPECT_EQ(testRace().ClassList.at(2).ClassRunnerCount(), 0);
    EXPECT_EQ(testRace().ClassList.at(3).ClassControlCount, 5);
    EXPECT_EQ(testRace().ClassList.at(3).ClassUpHeight, 60);
}

TEST_F(LapFileTest, RaceDateInTheShortFormsOfOtherMachines)
{
    for (const auto& [text, date] :
         {std::pair{"02.05.12", QDate(2002, 5, 12)}, std::pair{"2002年5月12日", QDate(2002, 5, 12)},
          std::pair{"98-10-04", QDate(1998, 10, 4)}, std::pair{"12/05/2002", QDate()}}) {
        load(lapHead() + QStringLiteral("$日時=") + QString::fromUtf8(text) +
             QStringLiteral("\nクラス,名前,△→１\nM21,山田,00:05:00\n"));
        ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded) << text;
        EXPECT_EQ(testRace().RaceInfo.RaceDate, date) << text;
    }
}

TEST_F(LapFileTest, LegStructureComesFromTheHeaderAboveTheFirstRunner)
{
    load(lapHead() +
         QStringLiteral(
             "$名称=構造\n"
             "名前,クラス,総タイム,△→1,1→2,2→◎\n"  // half-width digits, columns in any order
             "山田,A,,00:05:00,00:06:00,00:01:00\n"
             "クラス,名前,△→１,１→２\n"  // no finish column
             "B,田中,00:04:00,00:03:00\n"
             "A,佐藤,00:05:30\n"  // A keeps the structure of its first header
             "クラス,名前,不明な列,△→１,１→２,２→３,３→４,４→５,５→６,６→７,７→８,８→９,"
             "９→10,10→11,11→◎\n"
             "C,鈴木,x,00:01:00,00:01:00,00:01:00,00:01:00,00:01:00,00:01:00,00:01:00,00:01:00,"
             "00:01:00,00:01:00,00:01:00,00:02:00\n"));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    ASSERT_EQ(testRace().ClassList.count(), 3);
    const clsClassData& a = testRace().ClassList.at(1);
    EXPECT_EQ(a.ClassControlCount, 2);
    EXPECT_TRUE(a.ClassLastGoalExist);
    EXPECT_EQ(testRace().ClassList.at(2).ClassControlCount, 2);
    EXPECT_FALSE(testRace().ClassList.at(2).ClassLastGoalExist);
    EXPECT_EQ(testRace().ClassList.at(3).ClassControlCount, 11);
    EXPECT_TRUE(testRace().ClassList.at(3).ClassLastGoalExist);
    EXPECT_DOUBLE_EQ(testRace().ClassList.at(3).Item(1).Total, hms(0, 13, 0));

    // 佐藤 is read under the second header: leg 1 at its column, leg 2 at a column beyond the
    // end of the line (empty), and the finish leg has no column there and stays missing.
    ASSERT_EQ(a.ClassRunnerCount(), 2);
    const clsClassDataSub& sato = a.Item(2);
    EXPECT_EQ(sato.Namae, QStringLiteral("佐藤"));
    EXPECT_DOUBLE_EQ(sato.Lap(1), hms(0, 5, 30));
    EXPECT_DOUBLE_EQ(sato.Lap(2), LapAbsent);
    EXPECT_DOUBLE_EQ(sato.Lap(3), LapMissing);
    EXPECT_NEAR(sato.Total, 1 + hms(0, 5, 30), 1e-9);
}

TEST_F(LapFileTest, FileWithoutTableGivesHeaderOnly)
{
    load(lapHead() + QStringLiteral("$名称=見出しだけ\n$コントロール数:M=4\n"));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    EXPECT_EQ(testRace().RaceInfo.RaceName, QStringLiteral("見出しだけ"));
    ASSERT_EQ(testRace().ClassList.count(), 1);
    EXPECT_EQ(testRace().ClassList.at(1).ClassControlCount, 4);
}

TEST_F(LapFileTest, UnixAndOldMacLineEndsSplitInMemory)
{
    load(kSpringCup, QStringLiteral("crlf.lap"));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    QStringList expected = save(1, QStringLiteral("crlf-saved.lap"));

    for (QString ending : {"\n", "\r"}) {
        testDocument().resetRace();
        QString path = tempPath(QStringLiteral("other.lap"));
        QString text = kSpringCup;
        text.replace(QLatin1Char('\n'), ending);
        testsupport::writeCp932(path, text, false);
        lastLoad = basConvert::LoadRaceFile(testDocument(), path);
        ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
        EXPECT_EQ(testDocument().CurrentFilePath(), path);
        EXPECT_EQ(save(1, QStringLiteral("other-saved.lap")), expected);
    }
    // Nothing was written beside the file or in the working folder.
    EXPECT_FALSE(QFile::exists(QDir::current().filePath(QStringLiteral("SplitDuel.tmp"))));
    EXPECT_FALSE(QFile::exists(tempPath(QStringLiteral("SplitDuel.tmp"))));
}

TEST_F(LapFileTest, BytesThatAreNotCp932LoadWhatTheyCan)
{
    QByteArray bytes = TextCodec::toCp932(lapHead() + QStringLiteral("$名称=壊れ"));
    bytes += "\xFF\xA0\r\n";  // invalid bytes
    bytes +=
        TextCodec::toCp932(QStringLiteral("\nクラス,名前,所属,スタート時刻,総タイム,△→１\r\n"));
    bytes += "M,\x82\xA0\x81,C,10:00:00,,00:05:00\r\n";  // a lead byte without its trail byte
    bytes += "M,\x88\x9F\x81\r\n";                       // a lead byte right before the line end
    bytes += TextCodec::toCp932(QStringLiteral("M,正常,C,10:01:00,,00:06:00\r\n"));
    QString path = tempPath(QStringLiteral("broken.lap"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();

    lastLoad = basConvert::LoadRaceFile(testDocument(), path);
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    EXPECT_TRUE(testRace().RaceInfo.RaceName.startsWith(QStringLiteral("壊れ")));
    EXPECT_TRUE(testRace().RaceInfo.RaceName.contains(QChar(0xFFFD)));
    const clsClassData& m = testRace().ClassList.at(1);
    ASSERT_EQ(m.ClassRunnerCount(), 2);  // the line without legs or total is dropped
    EXPECT_EQ(m.Item(1).Namae, QStringLiteral("あ\uFFFD"));
    EXPECT_EQ(m.Item(2).Namae, QStringLiteral("正常"));
}

TEST_F(LapFileTest, ProgressEveryTenthLineOfTheTable)
{
    // 25 stored lines; the table starts at line 9, so lines 11 and 21 report.
    QString text = lapHead() + QStringLiteral(
                                   "$名称=進捗\n$場所=\n$備考=\n$距離:M=1\n$登距離:M=1\n"
                                   "$コントロール数:M=1\n"
                                   "クラス,名前,所属,スタート時刻,総タイム,△→１\n");
    for (int i = 10; i <= 25; ++i)
        text += QStringLiteral("M,走者%1,C,10:00:00,,00:%2:00\n")
                    .arg(i)
                    .arg(i, 2, 10, QLatin1Char('0'));
    RecordingProgress progress;
    load(text, QStringLiteral("progress.lap"), &progress);
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    EXPECT_EQ(testRace().ClassList.at(1).ClassRunnerCount(), 16);
    EXPECT_EQ(progress.begins, 1);
    EXPECT_EQ(progress.ends, 1);
    EXPECT_EQ(progress.texts, (QStringList{QStringLiteral(" 44%"), QStringLiteral(" 84%")}));
}

TEST_F(LapFileTest, ProgressWindowClosesWhenTheTableIsRefused)
{
    RecordingProgress progress;
    load(lapHead() + QStringLiteral("クラス,名前,△→１\nM,走者,00:01:00\nクラス,名前,%1→%2\n")
                         .arg(MaxLegs)
                         .arg(MaxLegs + 1),
         QStringLiteral("late.lap"), &progress);
    EXPECT_EQ(lastLoad.status, basConvert::LoadStatus::Failed);
    EXPECT_EQ(progress.begins, 1);
    EXPECT_EQ(progress.ends, 1);
}
