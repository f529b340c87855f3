// The CSV, SplitsBrowser and e-mail writers on small classes of the race model.
#include "htmlfixtures.h"
#include "reports/csvexport.h"
#include "reports/mailtext.h"

#include <QRegularExpression>

using namespace analysistest;
using basExport::TextLines;

namespace {

// The table of the rows layout by its number (1 laps … 6 cumulative times).
TextLines rows(const basAnalyze::AnalysisWorkspace& ws, int type)
{
    TextLines out;
    basExport::WriteCsvRows(out, ws, static_cast<basExport::CsvRowTable>(type));
    return out;
}

TEST_F(HtmlWorkedExample, LapRowsMarkLegWinnersAndCarriedLegs)
{
    const TextLines out = rows(ws(), 1);
    ASSERT_EQ(out.size(), 9);
    EXPECT_EQ(out[0], "◆ ラップタイム");
    EXPECT_EQ(out[2], "名前,所属,成績,△→１,１→２,２→◎");
    EXPECT_EQ(out[4], "A,Aクラブ,0:15:00( 1),0:04:00(*1),0:10:00(*1),0:01:00(*1)");
    EXPECT_TRUE(out[5].startsWith("D,Dクラブ,0:18:22( 2),→,")) << out[5].toStdString();
    EXPECT_EQ(out[6], "B,Bクラブ,0:18:30( 3),0:05:00( 3),0:12:00( 2),0:01:30( 4)");
    EXPECT_EQ(out[8], "");
}

TEST_F(HtmlWorkedExample, LapAndCumulativeRowsPairEveryRunner)
{
    const TextLines out = rows(ws(), 2);
    EXPECT_EQ(out[2], "名前,成績,△→１,１→２,２→◎");
    EXPECT_EQ(out[3], ",所属,→１,→２,→◎");
    // The leader on cumulative time is "1", not the "*1" of a leg winner.
    EXPECT_EQ(out[6], ",Aクラブ,0:04:00( 1),0:14:00( 1),0:15:00( 1)");
    EXPECT_TRUE(out[8].startsWith(",Dクラブ,→,")) << out[8].toStdString();
    EXPECT_EQ(out.size(), 2 * 4 + 6);
}

TEST_F(HtmlWorkedExample, ColumnSectionsHaveOneLinePerLegAndATotal)
{
    const QString names = basExport::CsvNameLine(ws());
    EXPECT_EQ(names, "名前,A,D,B,C");
    EXPECT_EQ(basExport::CsvResultLine(ws()), "記録,0:15:00(1),0:18:22(2),0:18:30(3),0:20:44(4)");
    TextLines laps, ratios, cruise;
    basExport::WriteCsvColumns(laps, ws(), names, basExport::Section::Laps);
    basExport::WriteCsvColumns(ratios, ws(), names, basExport::Section::Ratios);
    basExport::WriteCsvColumns(cruise, ws(), names, basExport::Section::Cruise);
    ASSERT_EQ(laps.size(), 2 + 3 + 1);
    EXPECT_EQ(laps[2].section(',', 0, 2), "△→１,0:04:00(*1),↓");
    ASSERT_EQ(ratios.size(), 2 + 3 + 1 + 1);
    EXPECT_EQ(ratios[0], "◆ 上位３人に対する相対値(%)");
    EXPECT_TRUE(ratios[5].startsWith("Total,")) << ratios[5].toStdString();
    ASSERT_EQ(cruise.size(), 4);
    EXPECT_EQ(cruise[2].count(','), 4);
    EXPECT_TRUE(cruise[2].startsWith(","));
}

TEST_F(HtmlWorkedExample, RaceTitleShowsDateAndPlaceOnlyWhenSet)
{
    EXPECT_EQ(basExport::CsvRaceTitle(testRace().RaceInfo), "春の大会 (2024/05/12) [東京]");
    testRace().RaceInfo.RaceDate = QDate();
    testRace().RaceInfo.RacePlace.clear();
    EXPECT_EQ(basExport::CsvRaceTitle(testRace().RaceInfo), "春の大会");
}

// The rank width grows with the class: "( -)" up to 99 runners, "(  -)" from 100 on.
TEST_F(AnalysisTest, RankWidthFollowsTheRunnerCount)
{
    for (int count : {99, 100}) {
        RaceTest::SetUp();
        clsClassData& cls = addClass(QStringLiteral("M"), 1, true, {});
        for (int i = 0; i < count - 1; ++i)
            addRunner(cls, {QStringLiteral("R%1").arg(i),
                            {QStringLiteral("5:00"), QStringLiteral("1:00")}});
        addRunner(cls, {QStringLiteral("Z"), {QStringLiteral("n/a"), QStringLiteral("1:00")}});
        ASSERT_TRUE(analyze(QStringLiteral("M")));
        const QString dash = count < 100 ? QStringLiteral("( -)") : QStringLiteral("(  -)");
        const TextLines out = rows(ws(), 1);
        EXPECT_TRUE(out[4 + count - 1].startsWith("Z,Zクラブ,-:--:--" + dash)) << count;
        EXPECT_TRUE(basExport::CsvResultLine(ws()).endsWith("-:--:--" + dash)) << count;
    }
}

TEST_F(AnalysisTest, ClassWithoutClubsLeavesOutTheClubColumn)
{
    clsClassData& cls =
        addClass(QStringLiteral("M"), 1, true, {{"A", {"5:00", "1:00"}}, {"B", {"6:00", "1:10"}}});
    for (int r = 1; r <= 2; ++r) cls.Item(r).Shozoku.clear();
    ASSERT_TRUE(analyze(QStringLiteral("M")));
    EXPECT_EQ(basExport::CsvAffiliationLine(ws()), "");
    EXPECT_EQ(rows(ws(), 1)[2], "名前,成績,△→１,１→◎");
    EXPECT_EQ(rows(ws(), 2)[3], ",,→１,→◎");
}

// The viewer reads an empty forename, the name, club, start and one leg time per leg; the
// class line announces the leg count less one.
TEST_F(AnalysisTest, SplitsBrowserLinesAreReadableByTheViewer)
{
    clsClassData& cls = addClass(QStringLiteral("m21"), 2, false,
                                 {{"A", {"5:00", "1:05:12"}}, {"B", {"6:00", "1:10:00"}}});
    cls.Item(2).StartTime = seconds(10 * 3600 + 5 * 60);
    cls.Item(2).Shozoku.clear();
    ASSERT_TRUE(analyze(QStringLiteral("m21")));
    EXPECT_EQ(basExport::SplitsBrowserClassLine(ws()), "M21,1");
    const TextLines out = rows(ws(), 5);
    ASSERT_EQ(out.size(), 2);
    EXPECT_EQ(out[0], ",A,Aクラブ,9:00:00,5:00,65:12");
    EXPECT_EQ(out[1], ",B, ,10:05:00,6:00,70:00");
}

// A leg without a time is the viewer's missing time "0:00", never the two days of the mark
// of an empty leg; every runner keeps one time per leg.
TEST_F(AnalysisTest, SplitsBrowserLegsWithoutATimeAreWrittenAsMissing)
{
    addClass(QStringLiteral("M21"), 3, true,
             {{"A", {"5:00", "6:00", "", ""}},
              {"B", {"5:00", "", "→", ""}},
              {"C", {"5:00", "", "", "7:00"}},
              {"D", {"→", "6:00", "", "n/a"}}});
    ASSERT_TRUE(analyze(QStringLiteral("M21")));
    const TextLines out = rows(ws(), 5);
    ASSERT_EQ(out.size(), 4);
    for (const QString& line : out) {
        SCOPED_TRACE(line.toStdString());
        const QStringList fields = line.split(QLatin1Char(','));
        ASSERT_EQ(fields.size(), 4 + 4);
        for (const QString& leg : fields.mid(4))
            EXPECT_LT(leg.section(QLatin1Char(':'), 0, 0).toInt(), 60);
    }
    EXPECT_EQ(out[runnerIndex(QStringLiteral("A")) - 1], ",A,Aクラブ,9:00:00,5:00,6:00,0:00,0:00");
    EXPECT_EQ(out[runnerIndex(QStringLiteral("C")) - 1], ",C,Cクラブ,9:00:00,5:00,0:00,0:00,7:00");
}

// Fields are never quoted: a "," inside a name or club becomes "，" in every table, and a name
// keeps one space between Latin words.
TEST_F(AnalysisTest, CommasInNamesAndClubsStayInTheirField)
{
    testRace().RaceInfo.RaceName = QStringLiteral("Cup, Day 1");
    clsClassData& cls =
        addClass(QStringLiteral("M21"), 1, true,
                 {{"Hall, F", {"5:00", "1:00"}}, {"Alessio  Tenani", {"6:00", "1:10"}}});
    cls.Item(1).Shozoku = QStringLiteral("Club, Inc.");
    ASSERT_TRUE(analyze(QStringLiteral("M21")));
    EXPECT_EQ(basExport::CsvNameLine(ws()), "名前,Hall，F,Alessio Tenani");
    EXPECT_EQ(basExport::CsvAffiliationLine(ws()).section(QLatin1Char(','), 1, 1), "Club， Inc.");
    EXPECT_EQ(basExport::CsvRaceTitle(testRace().RaceInfo), "Cup， Day 1");
    for (int type : {1, 2, 3, 4, 5, 6}) {
        SCOPED_TRACE(type);
        for (const QString& line : rows(ws(), type)) {
            if (!line.contains(QStringLiteral("Hall"))) continue;
            EXPECT_EQ(line.section(QLatin1Char(','), type == 5 ? 1 : 0, type == 5 ? 1 : 0),
                      "Hall， F");
        }
    }
}

// No field of any CSV table begins, after spaces, with a sign that makes a spreadsheet take it
// for a formula: names, clubs and class names get its full-width form; a "-" stays only where a
// time or a missing time begins.
TEST_F(AnalysisTest, NoFieldOfACsvTableStartsAFormula)
{
    clsClassData& cls = addClass(QStringLiteral("@M"), 1, true, {});
    for (const char* name : {"=HYPERLINK(\"x\")", "+1", "-2", "@SUM(A1)", "\t=1", " \r=2"})
        addRunner(cls, {QString::fromUtf8(name), {"5:00", "1:00"}});
    cls.Item(1).Shozoku = QStringLiteral("-");
    ASSERT_TRUE(analyze(QStringLiteral("@M")));
    QStringList lines{basExport::CsvNameLine(ws()), basExport::SplitsBrowserClassLine(ws())};
    for (int type = 1; type <= 6; ++type)
        basExport::WriteCsvRows(lines, ws(), static_cast<basExport::CsvRowTable>(type));
    for (int type = 1; type <= 7; ++type)
        basExport::WriteCsvColumns(lines, ws(), basExport::CsvNameLine(ws()),
                                   static_cast<basExport::Section>(type));
    static const QRegularExpression formula(QStringLiteral("(^|,) *([=+@\\t\\r]|-([^-0-9:]|,|$))"));
    for (const QString& line : lines)
        EXPECT_FALSE(formula.match(line).hasMatch()) << line.toStdString();
    EXPECT_TRUE(lines.join(QLatin1Char(',')).contains(QStringLiteral("＝HYPERLINK(\"x\")")));
}

TEST(SplitsBrowserTime, KeepsWholeMinutes)
{
    const struct {
        int seconds;
        const char* text;
    } cases[] = {{0, "0:00"},
                 {59, "0:59"},
                 {3599, "59:59"},
                 {3600 + 5 * 60 + 12, "65:12"},
                 {2 * 3600, "120:00"}};
    for (const auto& c : cases)
        EXPECT_EQ(basExport::SplitsBrowserLegTime(seconds(c.seconds)), c.text) << c.seconds;
}

TEST(MailTimeForm, SwitchesToMinutesAtItsThreshold)
{
    const struct {
        int seconds;
        bool lap;
        const char* text;
    } cases[] = {{45, true, "45"},  {59, true, "59"},         {60, true, "100"},
                 {60, false, "60"}, {61, false, "101"},       {83 * 60 + 5, false, "8305"},
                 {0, false, "0"},   {125 * 60, true, "12500"}};
    for (const auto& c : cases)
        EXPECT_EQ(basExport::MailTime(seconds(c.seconds), c.lap), c.text) << c.seconds;
}

TextLines mailText(const basAnalyze::AnalysisWorkspace& ws)
{
    TextLines out;
    basExport::WriteMailText(out, testRace().RaceInfo, ws);
    return out;
}

// Leg rows run to the leg count: " F" only for a class that has its finish leg.
TEST_F(AnalysisTest, MailTextRowsFollowTheLegsOfTheClass)
{
    for (bool finish : {false, true}) {
        RaceTest::SetUp();
        addClass(QStringLiteral("M"), 2, finish,
                 {{"A", {"5:00", "1:00", "0:30"}}, {"B", {"6:00", "1:10", "0:40"}}});
        ASSERT_TRUE(analyze(QStringLiteral("M")));
        const TextLines out = mailText(ws());
        const int title = out.indexOf("■ ラップタイム (mmmss)");
        ASSERT_GE(title, 0);
        QStringList labels;
        for (int i = title + 3; !out[i].isEmpty(); ++i) labels << out[i].left(2);
        const QStringList expected =
            finish ? QStringList{" 1", " 2", " F", "TT"} : QStringList{" 1", " 2", "TT"};
        EXPECT_EQ(labels, expected) << finish;
    }
}

TEST_F(HtmlWorkedExample, MailTextCellsAreSixColumnsWide)
{
    const TextLines out = mailText(ws());
    EXPECT_EQ(out[0], "◎ Ｍ２１ 3500m ↑120m");
    EXPECT_EQ(out[1], "    - 春の大会 2024/05/12 (東京)");
    const int title = out.indexOf("■ ラップタイム (mmmss)");
    EXPECT_EQ(out[title + 2], "       A     D     B     C  Ave3");
    // "↓" is two bytes wide, so four blanks pad it to six columns.
    EXPECT_EQ(out[title + 3], " 1   400    ↓   500   430   430");
    const int cruise = out.indexOf("■巡航速度 (%)");
    EXPECT_EQ(out[cruise + 3].left(2), "  ");
    EXPECT_EQ(out[cruise + 4], "");
}

// 23 runners: blocks of 12 and 11 runners, and Ave3 joins the second block.
TEST_F(AnalysisTest, MailTextSplitsWideClassesIntoBlocks)
{
    clsClassData& cls = addClass(QStringLiteral("M"), 1, true, {});
    for (int i = 0; i < 23; ++i)
        addRunner(cls, {QStringLiteral("R%1").arg(i, 2, 10, QLatin1Char('0')),
                        {QStringLiteral("5:%1").arg(i + 10), QStringLiteral("1:00")}});
    ASSERT_TRUE(analyze(QStringLiteral("M")));
    const TextLines out = mailText(ws());
    const auto headsAfter = [&](const char* title) {
        QList<int> widths;
        for (int i = out.indexOf(QString::fromUtf8(title)) + 2; i < out.size(); ++i) {
            if (out[i].startsWith("■")) break;
            if (i > 0 && out[i - 1].isEmpty() && !out[i].isEmpty())
                widths << (out[i].size() - 2) / 6;
        }
        return widths;
    };
    EXPECT_EQ(headsAfter("■ ラップタイム (mmmss)"), (QList<int>{12, 12}));
    EXPECT_EQ(headsAfter("■積算タイム (mmmss)"), (QList<int>{12, 12}));
    EXPECT_EQ(headsAfter("■相対値 (%)"), (QList<int>{12, 11}));
    EXPECT_EQ(headsAfter("■ミスタイム (mmmss)"), (QList<int>{12, 11}));
    EXPECT_TRUE(out[out.indexOf("■ ラップタイム (mmmss)") + 2 + 5].endsWith("  Ave3"));
}

}  // namespace

// Ranks of any size come whole, right-aligned in as many columns as the class size has digits.
TEST_F(AnalysisTest, LapRowsKeepRanksOfFourDigits)
{
    clsClassData& cls = addClass(QStringLiteral("M"), 1, true, {});
    for (int i = 1; i <= 1001; ++i) {
        const int s = 600 + i;  // every runner slower than the one before
        addRunner(cls, {QStringLiteral("R%1").arg(i),
                        {QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0')),
                         QStringLiteral("1:00")}});
    }
    ASSERT_TRUE(analyze(QStringLiteral("M")));
    const TextLines out = rows(ws(), 1);
    EXPECT_TRUE(out[4].startsWith(QStringLiteral("R1,R1クラブ,0:11:01(   1),")))
        << out[4].toStdString();
    EXPECT_TRUE(
        out[4 + 1000].startsWith(QStringLiteral("R1001,R1001クラブ,0:27:41(1001),0:26:41(1001)")))
        << out[4 + 1000].toStdString();
}
