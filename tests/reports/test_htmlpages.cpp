// The results page, the leg-difficulty page and the index page, line by line where the layout
// is pinned down, and as a table of well-formed rows where it is not.
#include "htmlfixtures.h"

#include <QRegularExpression>
#include "race/textcodec.h"
#include "reports/htmlpages.h"
#include "reports/outputrun.h"

#include <QDir>
#include <QFile>

using namespace analysistest;
using basExport::HtmlPage;
using htmltest::CheckTable;
using htmltest::LinesWith;

namespace {

// The results page of a level: 0 laps, 1 laps and cumulative times, 2 the full analysis, as the
// data types of those numbers show it.
HtmlPage resultsPage(const basAnalyze::AnalysisWorkspace& ws, int level, bool forExcel = false,
                     int labelInterval = 0)
{
    HtmlPage page;
    basExport::WriteResultsPage(page, testRace().RaceInfo, ws, basExport::DataTypeAt(level).value(),
                                forExcel, labelInterval);
    return page;
}

// The row of the section with the given title whose label cell shows the leg label.
QString sectionRow(const HtmlPage& page, const QString& title, const QString& legLabel)
{
    bool inSection = false;
    for (const QString& line : page) {
        if (line.contains(QStringLiteral("bgcolor=#ffdd99>"))) inSection = line.contains(title);
        if (inSection && line.contains(QStringLiteral(">") + legLabel + QStringLiteral("</td>")))
            return line;
    }
    return QString();
}

TEST_F(HtmlWorkedExample, HeadTitleAndResultRowsAreWrittenExactly)
{
    const HtmlPage page = resultsPage(ws(), 0);
    ASSERT_GE(page.size(), 16);
    EXPECT_EQ(
        page.mid(0, 14),
        QStringList({"<html>", "<head>",
                     "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=x-sjis\">",
                     "<meta name=\"generator\" content=\"SplitDuel Ver.1.00\">",
                     "<style type=\"text/css\">", "<!--",
                     "td { font-family: 'ＭＳ ゴシック'; border-width: 1px 1px 0px 0px ; "
                     "border-color: black }",
                     "table { border-width: 0px 0px 1px 1px ; border-color: black }", "-->",
                     "</style>", "</head>", "<body>",
                     "<table border=1 cellspacing=0 cellpadding=1 bgcolor=white>",
                     "<tr height=32><td colspan=9 bgcolor=#3050c0>&nbsp;<font size=+1 "
                     "color=#ffffff><b>春の大会</b></font>&nbsp;<font color=#ffffff>"
                     "(2024/05/12)</font> <font color=#ffffff>[東京]</font>\u3000<font "
                     "size=+1 color=#ffffff><b>Ｍ２１</b></font> <font color=#ffffff>"
                     "3500m up120m</font></td></tr>"}));
    EXPECT_EQ(page[14],
              "<tr align=right bgcolor=#bbffbb><td>名前</td><td colspan=2>A</td>"
              "<td colspan=2>D</td><td colspan=2>B</td><td colspan=2>C</td></tr>");
    EXPECT_EQ(
        page[15],
        "<tr align=right bgcolor=#bbffbb><td>所属</td><td colspan=2>Aクラブ</td>"
        "<td colspan=2>Dクラブ</td><td colspan=2>Bクラブ</td><td colspan=2>Cクラブ</td></tr>");
    EXPECT_EQ(page[16],
              "<tr align=right bgcolor=#bbffbb><td>記録</td>"
              "<td nowrap width=56>&nbsp;&nbsp;15:00</td><td nowrap>1</td>"
              "<td nowrap width=56>&nbsp;&nbsp;18:22</td><td nowrap>2</td>"
              "<td nowrap width=56>&nbsp;&nbsp;18:30</td><td nowrap>3</td>"
              "<td nowrap width=56>&nbsp;&nbsp;20:44</td><td nowrap>4</td></tr>");
    EXPECT_EQ(page.mid(page.size() - 3),
              QStringList({"</table>", "</body>", "</html>"}));  // no footer below level 2
}

TEST_F(HtmlWorkedExample, SectionRowsShowEveryValueAsWritten)
{
    const HtmlPage page = resultsPage(ws(), 2);
    const QString laps = QStringLiteral("ラップタイム"), sums = QStringLiteral("積算タイム");
    const QString ratios = QStringLiteral("相対値(%)"), misses = QStringLiteral("◆ ミスタイム");
    const struct {
        QString title, label, row;
    } cases[] = {
        // D has no split at control 1: one cell over legs 1 and 2 with the merged time.
        {laps, "△→１",
         "<tr align=right><td nowrap bgcolor=#bbddff>△→１</td>"
         "<td bgcolor=#ffcccc>4:00</td><td bgcolor=#ffcccc>1</td>"
         "<td rowspan=2>17:00</td><td rowspan=2>-</td>"
         "<td bgcolor=#ffeeee>5:00</td><td bgcolor=#ffeeee>3</td>"
         "<td bgcolor=#ffdddd>4:30</td><td bgcolor=#ffdddd>2</td></tr>"},
        {laps, "１→２",
         "<tr align=right><td nowrap bgcolor=#bbddff>１→２</td>"
         "<td bgcolor=#ffcccc>10:00</td><td bgcolor=#ffcccc>1</td>"
         "<td bgcolor=#ffdddd>12:00</td><td bgcolor=#ffdddd>2</td>"
         "<td bgcolor=#ffeeee>15:00</td><td bgcolor=#ffeeee>3</td></tr>"},
        // The cumulative section shows only the "to" part and the estimated ranks.
        {sums, "→１",
         "<tr align=right><td nowrap bgcolor=#bbddff>→１</td>"
         "<td nowrap bgcolor=#ffcccc>\u3000 4:00</td><td nowrap bgcolor=#ffcccc>1</td>"
         "<td nowrap bgcolor=#ffeeee>n/a</td><td nowrap bgcolor=#ffeeee>3</td>"
         "<td nowrap>\u3000 5:00</td><td nowrap>4</td>"
         "<td nowrap bgcolor=#ffdddd>\u3000 4:30</td><td nowrap bgcolor=#ffdddd>2</td></tr>"},
        {sums, "→２",
         "<tr align=right><td nowrap bgcolor=#bbddff>→２</td>"
         "<td nowrap bgcolor=#ffcccc>\u300014:00</td><td nowrap bgcolor=#ffcccc>1</td>"
         "<td nowrap bgcolor=#ffdddd>\u300017:00</td><td nowrap bgcolor=#ffdddd>2</td>"
         "<td nowrap bgcolor=#ffdddd>\u300017:00</td><td nowrap bgcolor=#ffdddd>2</td>"
         "<td nowrap>\u300019:30</td><td nowrap>4</td></tr>"},
        {ratios, "△→１",
         "<tr align=right><td nowrap bgcolor=#bbddff>△→１</td><td colspan=2>89</td>"
         "<td colspan=2 rowspan=2>101</td><td colspan=2>111</td><td colspan=2>100</td></tr>"},
        {misses, "△→１",
         "<tr align=right><td nowrap bgcolor=#bbddff>△→１</td><td colspan=2>&nbsp;0:21</td>"
         "<td colspan=2 rowspan=2>&nbsp;0:00</td><td colspan=2>&nbsp;0:37</td>"
         "<td colspan=2>-0:40</td></tr>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sectionRow(page, c.title, c.label), c.row) << c.label.toStdString();

    const QStringList totals = {
        "<tr align=right bgcolor=#eeeeee><td bgcolor=#bbddff>Total</td><td colspan=2>83</td>"
        "<td colspan=2>102</td><td colspan=2>103</td><td colspan=2>115</td></tr>",
        "<tr align=right bgcolor=#eeeeee><td bgcolor=#bbddff>Total</td>"
        "<td colspan=2>&nbsp;&nbsp;0:23</td><td colspan=2>&nbsp;&nbsp;0:09</td>"
        "<td colspan=2>&nbsp;&nbsp;0:57</td><td colspan=2>&nbsp;&nbsp;0:49</td></tr>",
        "<tr align=right><td bgcolor=#bbddff>\u3000</td><td colspan=2>81</td>"
        "<td colspan=2>101</td><td colspan=2>97</td><td colspan=2>115</td></tr>",
        "<tr align=right><td bgcolor=#bbddff>\u3000</td><td colspan=2>2.5</td>"
        "<td colspan=2>0.8</td><td colspan=2>5.2</td><td colspan=2>4.0</td></tr>",
        "<tr align=right><td bgcolor=#bbddff>\u3000</td><td colspan=2>&nbsp;&nbsp;14:37</td>"
        "<td colspan=2>&nbsp;&nbsp;18:13</td><td colspan=2>&nbsp;&nbsp;17:33</td>"
        "<td colspan=2>&nbsp;&nbsp;19:55</td></tr>",
    };
    for (const QString& total : totals) EXPECT_EQ(page.count(total), 1) << total.toStdString();
}

TEST_F(HtmlWorkedExample, LevelsChooseSectionsAndFooter)
{
    const struct {
        int level;
        QStringList titles;
        int nameRows;
        bool footer;
    } cases[] = {
        {0, {"ラップタイム"}, 1, false},
        {1, {"ラップタイム", "積算タイム"}, 1, false},
        {2,
         {"ラップタイム", "積算タイム", "巡航速度", "ミス率", "相対値(%)", "◆ ミスタイム",
          "ミスしなかった"},
         4,
         true},
    };
    for (const auto& c : cases) {
        const HtmlPage page = resultsPage(ws(), c.level);
        const QStringList titleRows = LinesWith(page, QStringLiteral("bgcolor=#ffdd99"));
        ASSERT_EQ(titleRows.size(), c.titles.size()) << c.level;
        for (int i = 0; i < c.titles.size(); ++i)
            EXPECT_TRUE(titleRows[i].contains(c.titles[i])) << c.level << " " << i;
        EXPECT_EQ(LinesWith(page, QStringLiteral("<td>名前</td>")).size(), c.nameRows);
        const bool footer = page.contains(
            "<font size=2><i>Special Thanks to Mr.Elmsworth and Mr.Pennick.</i></font><br>");
        EXPECT_EQ(footer, c.footer) << c.level;
        if (c.footer) {
            const int at = page.indexOf("</table>");
            EXPECT_EQ(page.mid(at + 2, 3),
                      QStringList({"<i>Made with SplitDuel Ver.1.00</i>", "</body>", "</html>"}));
        }
        EXPECT_EQ(CheckTable(page).fault, QString()) << c.level;
    }
}

// The footer links to the address of the settings key "HomePageUrl" only when there is one.
TEST_F(HtmlWorkedExample, FooterLinksToTheHomePageOfTheSettings)
{
    HtmlPage page;
    basExport::WriteResultsPage(page, testRace().RaceInfo, ws(),
                                basExport::OutputDataType::Analysis, false, 0,
                                QStringLiteral("https://club.example/?a=1&b=\"2\""));
    EXPECT_EQ(page[page.size() - 3],
              "<a href=\"https://club.example/?a=1&amp;b=&quot;2&quot;\">"
              "<i>Made with SplitDuel Ver.1.00</i></a>");

    basExport::OutputOptions options =
        basExport::InitialOutputOptions(testRace().RaceInfo, tempDir());
    options.homePageUrl = QStringLiteral("https://club.example/");
    basExport::OutputFiles(testRace(), options, {QStringLiteral("M21")});
    const QStringList written = QDir(tempDir()).entryList({QStringLiteral("*m21.htm")});
    ASSERT_EQ(written.size(), 1);
    EXPECT_TRUE(testsupport::readCp932(tempPath(written[0]))
                    .contains(QStringLiteral("<a href=\"https://club.example/\"><i>Made with")));
}

TEST_F(HtmlWorkedExample, ExcelFormColoursAndSpaces)
{
    const HtmlPage page = resultsPage(ws(), 2, true);
    EXPECT_EQ(
        sectionRow(page, "積算タイム", "→１"),
        "<tr align=right><td nowrap bgcolor=#bbeeee>→１</td>"
        "<td nowrap bgcolor=#ff99cc>\u3000&nbsp;4:00</td><td nowrap bgcolor=#ff99cc>1</td>"
        "<td nowrap bgcolor=#ffcc99>n/a</td><td nowrap bgcolor=#ffcc99>3</td>"
        "<td nowrap>\u3000&nbsp;5:00</td><td nowrap>4</td>"
        "<td nowrap bgcolor=#ffcc99>\u3000&nbsp;4:30</td><td nowrap bgcolor=#ffcc99>2</td></tr>");
    EXPECT_PRED2([](const QString& row, const QString& start) { return row.startsWith(start); },
                 sectionRow(page, "ラップタイム", "１→２"),
                 "<tr align=right><td nowrap bgcolor=#bbeeee>１→２</td>"
                 "<td bgcolor=#ff99cc>&nbsp;&nbsp;10:00</td><td bgcolor=#ff99cc>1</td>");
    EXPECT_EQ(
        LinesWith(page, "<tr align=right bgcolor=#dddddd><td bgcolor=#bbeeee>Total</td>").size(),
        2);
}

// Classes whose runners miss splits in every way the engine knows.
class HtmlLapStates : public AnalysisTest {
protected:
    void build(const QString& name, std::initializer_list<RunnerRow> runners)
    {
        addClass(name, 5, true, runners);
        ASSERT_TRUE(analyze(name));
    }
    int runner(const char* name) { return runnerIndex(QString::fromUtf8(name)); }
};

TEST_F(HtmlLapStates, MissingControlsShareOneCellDownToTheMergedLeg)
{
    build("M35", {{"A", {"3:00", "4:00", "5:00", "6:00", "7:00", "1:00"}},
                  {"E", {"3:10", "4:10", "→", "→", "18:30", "1:10"}},
                  {"B", {"3:20", "4:20", "5:20", "6:20", "7:20", "1:20"}}});
    const HtmlPage page = resultsPage(ws(), 2);
    const QString laps = QStringLiteral("ラップタイム");
    EXPECT_TRUE(
        sectionRow(page, laps, "２→３").contains("<td rowspan=3>18:30</td><td rowspan=3>-</td>"));
    // Legs 4 and 5 have cells for A and B only.
    for (const char* label : {"３→４", "４→５"}) {
        const QString row = sectionRow(page, laps, QString::fromUtf8(label));
        EXPECT_EQ(row.count("<td"), 1 + 4) << label;
    }
    EXPECT_TRUE(sectionRow(page, "相対値(%)", "２→３").contains("<td colspan=2 rowspan=3>"));
    EXPECT_TRUE(sectionRow(page, "◆ ミスタイム", "２→３").contains("<td colspan=2 rowspan=3>"));
    EXPECT_EQ(CheckTable(page).fault, QString());
}

TEST_F(HtmlLapStates, LegsWithoutSplitAfterAnExcludedLegKeepTheirCell)
{
    // F: missing split at control 2, no split at control 3, time again at control 4.
    // G: an empty entry then no split: the whole stretch is excluded.
    // H: no split at control 2 but the next entry is missing: the time never arrives.
    build("W21", {{"A", {"3:00", "4:00", "5:00", "6:00", "7:00", "1:00"}},
                  {"F", {"3:10", "n/a", "→", "9:30", "7:10", "1:10"}},
                  {"G", {"3:15", "", "→", "9:40", "7:15", "1:15"}},
                  {"H", {"3:20", "→", "n/a", "6:20", "7:20", "1:20"}}});
    const int f = runner("F");
    ASSERT_EQ(ws().LapState(f, 2), basAnalyze::StateExcluded);
    ASSERT_EQ(ws().LapState(f, 3), basAnalyze::StateLater);
    const HtmlPage page = resultsPage(ws(), 2);
    const QString laps = QStringLiteral("ラップタイム");
    EXPECT_TRUE(
        sectionRow(page, laps, "２→３").contains("<td rowspan=2>9:30</td><td rowspan=2>-</td>"));
    EXPECT_TRUE(
        sectionRow(page, laps, "１→２").contains("<td rowspan=1>n/a</td><td rowspan=1>-</td>"));
    EXPECT_TRUE(sectionRow(page, "相対値(%)", "２→３").contains("<td colspan=2 rowspan=2>"));
    for (int level : {0, 1, 2})
        for (int interval : {0, 2, 3})
            for (bool excel : {false, true}) {
                const auto shape = CheckTable(resultsPage(ws(), level, excel, interval));
                EXPECT_EQ(shape.fault, QString()) << level << " " << interval << " " << excel;
            }
}

TEST_F(HtmlLapStates, ExcludedLegShowsNaAndCumulativeRankDashFromThen)
{
    build("M40", {{"A", {"3:00", "4:00", "5:00", "6:00", "7:00", "1:00"}},
                  {"X", {"3:10", "n/a", "5:10", "6:10", "7:10", "1:10"}}});
    const int x = runner("X");
    ASSERT_EQ(x, 2);
    const HtmlPage page = resultsPage(ws(), 1);
    const QString sums = QStringLiteral("積算タイム");
    // The excluded leg itself: "n/a"; later legs show the elapsed time but no rank.
    EXPECT_TRUE(
        sectionRow(page, sums, "→２").endsWith("<td nowrap>n/a</td><td nowrap>-</td></tr>"));
    EXPECT_TRUE(sectionRow(page, sums, "→３")
                    .endsWith("<td nowrap>\u3000 8:20</td><td nowrap>-</td></tr>"));
    EXPECT_TRUE(sectionRow(page, "ラップタイム", "１→２").endsWith("<td>n/a</td><td>-</td></tr>"));
}

// A run without a valid total shows its status where the total would be, and no rank.
TEST_F(HtmlLapStates, RunsWithoutAValidTotalShowTheirStatus)
{
    clsClassData& c = addClass(QStringLiteral("M50"), 1, true,
                               {{"A", {"3:00", "1:00"}}, {"Mp", {"n/a", "1:10"}}});
    clsClassDataSub nc;
    nc.setLap(1, seconds(170));
    nc.Status = RunStatus::NotCompeting;
    c.Add(nc);
    ASSERT_TRUE(analyze(QStringLiteral("M50")));
    EXPECT_TRUE(LinesWith(resultsPage(ws(), 0), QStringLiteral("<td>記録</td>"))[0].endsWith(
        "<td nowrap>1</td><td nowrap width=56>ミスパンチ</td><td nowrap>&nbsp;-</td>"
        "<td nowrap width=56>参考</td><td nowrap>&nbsp;-</td></tr>"));
}

TEST_F(HtmlLapStates, MissTimesOfAnHourAreNotCut)
{
    addClass(QStringLiteral("Lost"), 2, true,
             {{"A", {"5:00", "5:00", "1:00"}},
              {"B", {"5:10", "5:10", "1:05"}},
              {"C", {"5:20", "5:20", "1:10"}},
              {"D", {"5:05", "75:00", "1:02"}}});
    ASSERT_TRUE(analyze(QStringLiteral("Lost")));
    ASSERT_GT(inSeconds(ws().MissTimeTotal(runner("D"))), 3600);
    const HtmlPage page = resultsPage(ws(), 2);
    const QRegularExpression wholeTime(QStringLiteral("<td colspan=2>1:\\d\\d:\\d\\d</td></tr>$"));
    EXPECT_TRUE(wholeTime.match(sectionRow(page, "◆ ミスタイム", "１→２")).hasMatch());
    const QStringList totals = LinesWith(page, QStringLiteral("<td bgcolor=#bbddff>Total</td>"));
    ASSERT_EQ(totals.size(), 2);
    EXPECT_TRUE(wholeTime.match(totals[1]).hasMatch()) << totals[1].toStdString();
}

// N = 7 with a label column before every 3 runners: 9 slots, labels before 1, 4 and 7.
TEST_F(HtmlLapStates, LabelIntervalPadsSlotsAndRepeatsTitles)
{
    std::initializer_list<RunnerRow> seven = {
        {"R1", {"1:00", "1:00", "1:00", "1:00", "1:00", "1:00"}},
        {"R2", {"1:01", "1:00", "1:00", "1:00", "1:00", "1:00"}},
        {"R3", {"1:02", "1:00", "1:00", "1:00", "1:00", "1:00"}},
        {"R4", {"1:03", "1:00", "1:00", "1:00", "1:00", "1:00"}},
        {"R5", {"1:04", "1:00", "1:00", "1:00", "1:00", "1:00"}},
        {"R6", {"1:05", "1:00", "1:00", "1:00", "1:00", "1:00"}},
        {"R7", {"1:06", "1:00", "1:00", "1:00", "1:00", "1:00"}}};
    build("M7", seven);
    const HtmlPage page = resultsPage(ws(), 2, true, 3);
    const QString cell = QStringLiteral("<td colspan=7 bgcolor=#3050c0>&nbsp;");
    const QString classPart = QStringLiteral("<font size=+1 color=#ffffff><b>Ｍ７</b></font> ");
    EXPECT_EQ(page[13], "<tr height=32>" + cell + classPart + "</td>" + cell + classPart + "</td>" +
                            cell + classPart + "</td></tr>");
    const QString label = QStringLiteral("<td>名前</td>");
    auto name = [](int i) { return QStringLiteral("<td colspan=2>R%1</td>").arg(i); };
    const QString dash = QStringLiteral("<td colspan=2>-</td>");
    EXPECT_EQ(page[14], "<tr align=right bgcolor=#bbffbb>" + label + name(1) + name(2) + name(3) +
                            label + name(4) + name(5) + name(6) + label + name(7) + dash + dash +
                            "</tr>");
    EXPECT_TRUE(sectionRow(page, "ラップタイム", "△→１")
                    .endsWith("<td>&nbsp;&nbsp;--:--</td><td>&nbsp;-</td>"
                              "<td>&nbsp;&nbsp;--:--</td><td>&nbsp;-</td></tr>"));
    EXPECT_EQ(LinesWith(page, "<td colspan=7 bgcolor=#ffdd99>◆ ラップタイム</td>").size(), 1);
    EXPECT_EQ(page.filter("<td colspan=7 bgcolor=#ffdd99>◆ ラップタイム</td>").first().count("<td"),
              3);
    EXPECT_EQ(CheckTable(page).fault, QString());
}

}  // namespace
