// The two CSV layouts of the lap data, TransposeLines and the buffer limits of the save.
#include "lapfixtures.h"

#include "lapfiles/racefile.h"
#include "lapfiles/readcontext.h"
#include "lapfiles/transpose.h"
#include "race/race.h"

using namespace basDefinition;
using namespace lapfixtures;

namespace {

void twoClassRace()
{
    clsClassData& a = addClass(QStringLiteral("A"), 1, true);
    a.Add(runner(QStringLiteral("乙"), QStringLiteral("C2"), hms(10, 1, 0),
                 {LapMissing, hms(0, 2, 0)}));
    a.Add(runner(QStringLiteral("甲"), QStringLiteral("C1"), hms(10, 0, 0),
                 {hms(0, 10, 0), hms(0, 1, 0)}));
    clsClassData& b = addClass(QStringLiteral("B"), 1, false);
    b.Add(runner(QStringLiteral("丙"), QString(), 0, {hms(0, 5, 0)}));
}

void manyRunners(int count)
{
    clsClassData& cls = addClass(QStringLiteral("M"), 1, false);
    for (int i = 0; i < count; ++i)
        cls.Add(
            runner(QStringLiteral("走者%1").arg(i), QString(), 0, {hms(0, 10, 0) + i * kSecond}));
}

QStringList lines(const char* text)
{
    return QString::fromUtf8(text).split(QLatin1Char('\n'));
}

}  // namespace

TEST_F(LapFileTest, HorizontalLayoutWithoutClassColumnForOneUnnamedClass)
{
    clsClassData& cls = addClass(QString(), 1, true);
    cls.Add(runner(QStringLiteral("山田"), QStringLiteral("朝霧"), hms(10, 0, 0),
                   {hms(0, 10, 0), LapMerged}));
    testDocument().setDataModified(true);
    EXPECT_EQ(save(2, QStringLiteral("one.csv")),
              lines("名前,所属,△→１,１→◎,総タイム\n山田,朝霧,00:10:00,→,00:10:00\n"));
    EXPECT_FALSE(testDocument().DataModified());

    // A named single class, or an unnamed one beside others, keeps the class column.
    addClass(QStringLiteral("B"), 0, false);
    EXPECT_EQ(save(2, QStringLiteral("two.csv")).first(),
              QStringLiteral("クラス,名前,所属,△→１,１→◎,総タイム"));
}

TEST_F(LapFileTest, HorizontalLayoutOfTwoClasses)
{
    twoClassRace();
    EXPECT_EQ(save(2, QStringLiteral("rows.csv")),
              lines("クラス,名前,所属,△→１,１→◎,総タイム\n"
                    "A,甲,C1,00:10:00,00:01:00,00:11:00\n"
                    "A,乙,C2,n/a,00:02:00,0\n"  // an incomplete run has the total 0
                    "\n"
                    "クラス,名前,所属,△→１,総タイム\n"
                    "B,丙,,00:05:00,00:05:00\n"));
}

TEST_F(LapFileTest, VerticalLayoutIsTheHorizontalOneTurned)
{
    twoClassRace();
    // The empty line between the classes becomes an empty column, the last one a trailing one.
    EXPECT_EQ(save(3, QStringLiteral("columns.csv")),
              lines("クラス,A,A,,クラス,B,\n"
                    "名前,甲,乙,,名前,丙,\n"
                    "所属,C1,C2,,所属,,\n"
                    "△→１,00:10:00,n/a,,△→１,00:05:00,\n"
                    "１→◎,00:01:00,00:02:00,,総タイム,00:05:00,\n"
                    "総タイム,00:11:00,0,,,,"));
}

TEST_F(LapFileTest, TwelveControlsWithFinishGiveSeventeenColumns)
{
    clsClassData& cls = addClass(QStringLiteral("M21"), 12, true);
    clsClassDataSub r = runner(QStringLiteral("走者"), QStringLiteral("C"), 0, {});
    for (int k = 1; k <= 13; ++k) r.setLap(k, hms(0, 3, k));
    cls.Add(r);
    QStringList written = save(2, QStringLiteral("wide.csv"));
    ASSERT_EQ(written.size(), 3);
    QStringList header = written[0].split(QLatin1Char(','));
    ASSERT_EQ(header.size(), 3 + 13 + 1);
    EXPECT_EQ(header[3], QStringLiteral("△→１"));
    EXPECT_EQ(header[12], QStringLiteral("９→10"));
    EXPECT_EQ(header[15], QStringLiteral("12→◎"));
    EXPECT_EQ(header[16], QStringLiteral("総タイム"));
    EXPECT_EQ(written[1].split(QLatin1Char(',')).size(), 17);
}

// However many runners a class has, both layouts are written and load back: a runner per row
// (5002 lines) and a runner per column (lines of 5002 fields).
TEST_F(LapFileTest, LargeClassesAreWrittenInBothLayoutsAndLoadBack)
{
    manyRunners(5000);
    for (int filter : {2, 3}) {
        SCOPED_TRACE(filter);
        const QString name = QStringLiteral("large%1.csv").arg(filter);
        const QStringList written = save(filter, name);
        if (filter == 2) {
            EXPECT_EQ(written.size(), 5002);  // header, runners, the empty line
        } else {
            ASSERT_EQ(written.size(), 5);  // class, name, club, leg 1, total
            EXPECT_EQ(written[0].count(QLatin1Char(',')), 5001);  // and the empty line
        }
        testDocument().resetRace();
        lastLoad = basConvert::LoadRaceFile(testDocument(), tempPath(name));
        ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
        ASSERT_EQ(testRace().ClassList.at(1).ClassRunnerCount(), 5000);
        EXPECT_EQ(testRace().ClassList.at(1).Item(5000).Namae, QStringLiteral("走者4999"));
    }
}

// Names, clubs and class names that a spreadsheet would take for formulas are written with
// their sign full-width in both layouts and read back as they were; a tab or CR, which no field
// holds, comes back as a space.
TEST_F(LapFileTest, FormulaLikeTextsAreDisarmedInBothLayoutsAndReadBack)
{
    const char* const texts[][3] = {{"=1+1", "＝1+1", "=1+1"}, {"+81", "＋81", "+81"},
                                    {"-", "－", "-"},          {"@A1", "＠A1", "@A1"},
                                    {"\t=X", " ＝X", " =X"},   {"A\rB", "A B", "A B"}};
    for (int filter : {2, 3}) {
        testDocument().resetRace();
        clsClassData& cls = addClass(QStringLiteral("=M"), 1, false);
        for (int i = 0; i < 6; ++i)
            cls.Add(runner(QString::fromUtf8(texts[i][0]), QString::fromUtf8(texts[i][0]), 0,
                           {hms(0, 10, i)}));
        const QString written = save(filter, QStringLiteral("f.csv")).join(QLatin1Char(','));
        testDocument().resetRace();
        basConvert::LoadRaceFile(testDocument(), tempPath(QStringLiteral("f.csv")));
        ASSERT_EQ(testRace().ClassList.names(), QStringList{QStringLiteral("=M")}) << filter;
        ASSERT_EQ(testRace().ClassList.at(1).ClassRunnerCount(), 6);
        for (int i = 0; i < 6; ++i) {
            EXPECT_TRUE(written.contains(QString::fromUtf8(texts[i][1]))) << filter << texts[i][1];
            EXPECT_EQ(testRace().ClassList.at(1).Item(i + 1).Shozoku,
                      QString::fromUtf8(texts[i][2]));
        }
    }
}

TEST(TransposeLines, TurnsRaggedTablesAndDropsEmptyColumns)
{
    QStringList table{QStringLiteral("a,b,,d"), QStringLiteral("1"), QString(),
                      QStringLiteral("x,y, ,,e")};
    basConvert::TransposeLines(table);
    // Column 3 holds nothing but empty fields and a space: dropped.
    EXPECT_EQ(table, (QStringList{QStringLiteral("a,1,,x"), QStringLiteral("b,,,y"),
                                  QStringLiteral("d,,,"), QStringLiteral(",,,e")}));
}

TEST(TransposeLines, LongTablesTurnWhole)
{
    QStringList table;
    for (int i = 0; i < 20000; ++i) table << QStringLiteral("%1,x").arg(i);
    basConvert::TransposeLines(table);
    ASSERT_EQ(table.size(), 2);
    EXPECT_EQ(table[0].count(QLatin1Char(',')), 19999);
    EXPECT_TRUE(table[0].endsWith(QLatin1String(",19999")));
}

// Class and runner names that read like leg labels or control numbers elsewhere (relay classes
// "M21-1", a class "2", runners "G" and "10") never turn the program's own layouts the wrong
// way: both load back with every class and runner.
TEST_F(LapFileTest, OwnLayoutsLoadBackWhateverTheirNamesLookLike)
{
    const QStringList classNames[] = {
        {QStringLiteral("M21-1"), QStringLiteral("M21-2"), QStringLiteral("M21-3"),
         QStringLiteral("W21-1"), QStringLiteral("W21-2"), QStringLiteral("W21-3"),
         QStringLiteral("M35-1"), QStringLiteral("M35-2")},
        {QStringLiteral("2"), QStringLiteral("S")},
        {QString()},
    };
    for (const QStringList& names : classNames) {
        for (int filter : {2, 3}) {
            SCOPED_TRACE(testing::Message()
                         << names.join(QLatin1Char('/')).toStdString() << " " << filter);
            testDocument().resetRace();
            for (const QString& name : names) {
                clsClassData& cls = addClass(name, 2, true);
                cls.Add(runner(QStringLiteral("G"), QStringLiteral("1-2"), 0,
                               {hms(0, 1, 0), hms(0, 2, 0), hms(0, 0, 30)}));
                cls.Add(runner(QStringLiteral("10"), QStringLiteral("S"), 0,
                               {hms(0, 1, 5), LapMissing, hms(0, 0, 31)}));
            }
            save(filter, QStringLiteral("own.csv"));
            testDocument().resetRace();
            lastLoad =
                basConvert::LoadRaceFile(testDocument(), tempPath(QStringLiteral("own.csv")));
            ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
            ASSERT_EQ(testRace().ClassList.names(), names);
            for (const auto& cls : testRace().ClassList) {
                ASSERT_EQ(cls->ClassRunnerCount(), 2);
                EXPECT_EQ(cls->LegCount(), 3);
                EXPECT_EQ(cls->Item(1).Namae, QStringLiteral("G"));
                EXPECT_EQ(cls->Item(1).Shozoku, QStringLiteral("1-2"));
                EXPECT_EQ(cls->Item(2).Lap(2), LapMissing);
            }
        }
    }
}
