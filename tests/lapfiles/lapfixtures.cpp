#include "lapfixtures.h"

#include "lapfiles/formattable.h"
#include "race/textcodec.h"

namespace lapfixtures {

clsClassDataSub runner(const QString& name, const QString& club, double start,
                       std::initializer_list<double> laps, double total)
{
    clsClassDataSub r;
    r.Namae = name;
    r.Shozoku = club;
    r.StartTime = start;
    r.Total = total;
    int k = 1;
    for (double lap : laps) r.setLap(k++, lap);
    return r;
}

clsClassData& addClass(const QString& name, int controls, bool finish)
{
    clsClassData& cls = testRace().ClassList.add(name);
    cls.ClassControlCount = controls;
    cls.ClassLastGoalExist = finish;
    return cls;
}

QStringList readLines(const QString& path)
{
    QStringList lines = testsupport::readCp932(path).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

}  // namespace lapfixtures

QString LapFileTest::load(const QString& text, const QString& name,
                          basConvert::LoadProgress* progress)
{
    QString path = tempPath(name);
    testsupport::writeCp932(path, text);
    lastLoad = basConvert::LoadRaceFile(testDocument(), path, progress);
    return path;
}

QStringList LapFileTest::save(int filterIndex, const QString& name)
{
    QString path = tempPath(name);
    EXPECT_EQ(basConvert::SaveRaceFile(testDocument(), path, *basConvert::SaveTypeAt(filterIndex)),
              basConvert::SaveResult::Saved);
    return lapfixtures::readLines(path);
}

void LapFileTest::loadPreviousRace()
{
    load(lapfixtures::lapHead() +
             QStringLiteral("$名称=前の大会\n$日時=2001/09/30\n$場所=旧コース\n"
                            "$備考=前回\n$距離:旧M=3000\n\n"
                            "クラス,名前,所属,スタート時刻,総タイム,△→１,１→◎\n"
                            "旧M,前田 一,旧クラブ,10:00:00,,00:10:00,00:02:00\n"
                            "旧W,前川 二,旧クラブ,10:01:00,,00:11:00,00:03:00\n"),
         QStringLiteral("old.lap"));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
}

void LapFileTest::expectPreviousRace() const
{
    using namespace basDefinition;
    EXPECT_EQ(testRace().RaceInfo.RaceName, QStringLiteral("前の大会"));
    EXPECT_EQ(testRace().RaceInfo.RaceDate, QDate(2001, 9, 30));
    EXPECT_EQ(testRace().RaceInfo.RacePlace, QStringLiteral("旧コース"));
    EXPECT_EQ(testRace().RaceInfo.RaceRemarks, QStringLiteral("前回"));
    ASSERT_EQ(testRace().ClassList.names(),
              (QStringList{QStringLiteral("旧M"), QStringLiteral("旧W")}));
    EXPECT_EQ(testRace().ClassList.at(1).ClassLength, 3000);
    ASSERT_EQ(testRace().ClassList.at(1).ClassRunnerCount(), 1);
    EXPECT_EQ(testRace().ClassList.at(1).Item(1).Namae, QStringLiteral("前田 一"));
    EXPECT_EQ(testRace().ClassList.at(2).ClassRunnerCount(), 1);
    EXPECT_EQ(testDocument().CurrentFilePath(), tempPath(QStringLiteral("old.lap")));
}
