// The leg-difficulty page and the index page of a race.
#include "common/testsupport.h"
#include "htmlfixtures.h"
#include "race/filenameparts.h"
#include "race/textcodec.h"

#include <QDir>
#include <QFile>

using namespace analysistest;
using basExport::HtmlPage;

namespace {

QString spaces(int count)
{
    return QStringLiteral("&nbsp;").repeated(count);
}

HtmlPage legPage(const basAnalyze::AnalysisWorkspace& ws)
{
    HtmlPage page;
    basExport::WriteLegPage(page, ws);
    return page;
}

TEST_F(HtmlWorkedExample, LegPageRanksEachLegAndTheWholeCourse)
{
    const HtmlPage page = legPage(ws());
    ASSERT_EQ(page.size(), 19);
    EXPECT_EQ(page[0], "<html>");
    EXPECT_EQ(page[11], "<table cellpadding=2 cellspacing=0 border=1>");
    EXPECT_EQ(page[12],
              "<tr align=right nowrap bgcolor=#ffaa99><td>&nbsp;</td><td nowrap>レッグ長</td>"
              "<td nowrap>上位平均</td><td nowrap>難易度</td><td nowrap>１位</td>"
              "<td nowrap>２位</td><td nowrap>３位</td><td nowrap>４位</td><td nowrap>５位</td>"
              "<td nowrap>６位</td></tr>");
    // Leg 1: D has no split there, so three runners are placed and three places stay empty.
    const QString empty = QStringLiteral("<td>&nbsp;</td>");
    EXPECT_EQ(page[13],
              "<tr align=right nowrap><td bgcolor=#ffaa99 nowrap>△→１</td>"
              "<td bgcolor=#ffeeee>25.0%</td><td bgcolor=#ffeeee>4:30</td>"
              "<td bgcolor=#ffffcc>161</td>"
              "<td nowrap bgcolor=#ddddff><font color=#000080>A" +
                  spaces(8) +
                  "4:00</font></td>"
                  "<td nowrap>C" +
                  spaces(8) +
                  "4:30</td>"
                  "<td nowrap bgcolor=#ddffdd><font color=#008000>B" +
                  spaces(8) + "5:00</font></td>" + empty + empty + empty + "</tr>");
    EXPECT_TRUE(page[14].contains("<td bgcolor=#ffffcc>103</td>"));
    EXPECT_TRUE(page[15].contains("<td bgcolor=#ffffcc>35</td>"));
    EXPECT_EQ(page[15].count(empty), 2);  // leg 3: all four placed
    EXPECT_EQ(page[16],
              "<tr align=right nowrap bgcolor=#e0e0e0><td bgcolor=#ffaa99>&nbsp;</td>"
              "<td>100.0%</td><td>0:18:02</td><td>100</td>"
              "<td nowrap bgcolor=#ddddff><font color=#000080>A" +
                  spaces(5) +
                  "0:15:00</font></td>"
                  "<td nowrap bgcolor=#ffdddd><font color=#800000>D" +
                  spaces(5) +
                  "0:18:22</font></td>"
                  "<td nowrap bgcolor=#ddffdd><font color=#008000>B" +
                  spaces(5) + "0:18:30</font></td><td nowrap>C" + spaces(5) + "0:20:44</td>" +
                  empty + empty + "</tr></table>");
    EXPECT_EQ(page.mid(17), QStringList({"</body>", "</html>"}));
}

TEST_F(AnalysisTest, LegPageKeepsTheHourOfLongLegs)
{
    addClass(QStringLiteral("Ultra"), 1, true,
             {{"Kenji", {"65:12", "1:00"}}, {"Saburo", {"70:00", "1:05"}}});
    ASSERT_TRUE(analyze(QStringLiteral("Ultra")));
    const HtmlPage page = legPage(ws());
    EXPECT_TRUE(page[13].contains("<td bgcolor=#ffeeee>67:36</td>")) << page[13].toStdString();
    EXPECT_TRUE(page[13].contains("Ken" + spaces(5) + "65:12")) << page[13].toStdString();
    EXPECT_TRUE(page[15].contains("Ken" + spaces(3) + "1:06:12")) << page[15].toStdString();
}

// A race in a folder of pages and images, some written in upper case. The folder's own name
// has capitals too: only the file names are matched without regard to case, and each link
// names its file as it is spelt on disk (a web server here tells the cases apart).
class HtmlIndex : public HtmlWorkedExample {
protected:
    void SetUp() override
    {
        HtmlWorkedExample::SetUp();
        ASSERT_TRUE(QDir(tempDir()).mkdir(QStringLiteral("Pages")));
        addClass(QStringLiteral("W21"), 2, true, {});
        addClass(QStringLiteral("ME"), 2, true, {{"Z", {"5:00", "6:00", "1:00"}}});
        for (const char* name : {"02_race_M21.htm", "02_RACE_LEG_M21.HTM", "02_race_m21_2.png",
                                 "02_race_w21.htm", "02_race.lap", "02_race_me.html"})
            touch(QString::fromUtf8(name));
    }
    void touch(const QString& name) const
    {
        QFile file(pagePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QString pagePath(const QString& name) const { return tempPath("Pages/" + name); }
    // Writes the index page for the template and returns its lines.
    QStringList writeIndex()
    {
        EXPECT_TRUE(basExport::WriteIndexPage(testRace(), pagePath("02_Race_*.HTM")));
        const QString text = testsupport::readCp932(pagePath("02_race_index.htm"));
        EXPECT_TRUE(text.endsWith("</html>\r\n"));
        QStringList lines = text.split(QStringLiteral("\r\n"));
        lines.removeLast();
        return lines;
    }
};

TEST_F(HtmlIndex, LinksOnlyFilesThatExistByTheNamesTheyHave)
{
    testRace().RaceInfo.RaceDate = QDate();  // no date
    const QStringList lines = writeIndex();
    const QString winnerCell = QStringLiteral("<td nowrap align=center bgcolor=#ffffcc width=110>");
    const QString lengthCell = QStringLiteral("<td nowrap bgcolor=#ddffdd align=right width=100>");
    const QString classCell =
        QStringLiteral("<tr><td nowrap bgcolor=#405080 width=125><font color=white><b>&nbsp;");
    const QString linkCell = QStringLiteral("<td nowrap bgcolor=#ffffff width=300>");
    const QStringList expected = {
        "<head>",
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=x-sjis\">",
        "<meta name=\"generator\" content=\"SplitDuel Ver.1.00\">",
        "<style type=\"text/css\">",
        "<!--",
        "td { border-width: 1px 1px 0px 0px ; border-color: black }",
        "table { border-width: 0px 0px 1px 1px ; border-color: black }",
        "-->",
        "</style>",
        "</head>",
        "<body bgcolor=white>",
        "",
        "<table cellpadding=2 cellspacing=0 border=1>",
        "<!-- START -->",
        "<!-- 1899/12/30 -->",
        "",
        "<tr><td colspan=4 bgcolor=#c04040><font size=+1 color=white><b>&nbsp;春の大会&nbsp;</b>"
        "</font></td></tr>",
        "<tr><td colspan=4 bgcolor=#ffdddd>&nbsp;[東京]&nbsp;</td></tr>",
        classCell + "Ｍ２１&nbsp;</b></font></td>",
        linkCell,
        "&nbsp;<a href=\"02_race_M21.htm\"target=\"_blank\">ラップ解析</a>&nbsp;",
        "<a href=\"02_race_m21_2.png\"target=\"_blank\">チャート２</a>&nbsp;",
        "<a href=\"02_RACE_LEG_M21.HTM\"target=\"_blank\">難易度</a>&nbsp;",
        "</td>",
        lengthCell + "&nbsp;3500m&nbsp;↑120m</td>",
        winnerCell + "A" + spaces(8) + "15:00</td>",
        "</tr>",
        classCell + "Ｗ２１&nbsp;</b></font></td>",
        linkCell,
        "&nbsp;<a href=\"02_race_w21.htm\"target=\"_blank\">ラップ解析</a>&nbsp;",
        "</td>",
        lengthCell + "&nbsp;</td>",
        winnerCell + "&nbsp;</td>",  // a class without runners
        "</tr>",
        classCell + "ＭＥ&nbsp;</b></font></td>",
        linkCell,
        "&nbsp;</td>",  // "02_race_me.html" is not a page of this template
        lengthCell + "&nbsp;</td>",
        winnerCell + "Z" + spaces(8) + "12:00</td>",
        "</tr>",
        "<tr><td colspan=4 bgcolor=#f0f0f0 align=right>&nbsp;[<a href=\"02_race.lap\">"
        "SplitDuel用データ</a>]</td></tr>",
        "",
        "<!-- END -->",
        "</table><br>",
        "",
        "</body>",
        "</html>",
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(HtmlIndex, DateAndPlaceLinesAndFailedWrite)
{
    const struct {
        QDate date;
        QString place;
        QString comment, dateLine;
    } cases[] = {
        {QDate(2024, 5, 12), "東京", "<!-- 2024/05/12 -->",
         "<tr><td colspan=4 bgcolor=#ffdddd>&nbsp;2024年05月12日&nbsp;[東京]&nbsp;</td></tr>"},
        {QDate(2024, 5, 12), "", "<!-- 2024/05/12 -->",
         "<tr><td colspan=4 bgcolor=#ffdddd>&nbsp;2024年05月12日&nbsp;&nbsp;</td></tr>"},
        {QDate(), "", "<!-- 1899/12/30 -->",
         "<tr><td colspan=4 bgcolor=#ffdddd>&nbsp;&nbsp;</td></tr>"},
    };
    for (const auto& c : cases) {
        testRace().RaceInfo.RaceDate = c.date;
        testRace().RaceInfo.RacePlace = c.place;
        const QStringList lines = writeIndex();
        ASSERT_GE(lines.size(), 18);
        EXPECT_EQ(lines[14], c.comment);
        EXPECT_EQ(lines[17], c.dateLine);
    }
    // A class whose name holds path separators is linked under its file name.
    addClass(QStringLiteral("H/21\\A"), 1, true, {});
    touch("02_race_h_21_a.htm");
    EXPECT_TRUE(writeIndex().contains(
        "&nbsp;<a href=\"02_race_h_21_a.htm\"target=\"_blank\">ラップ解析</a>&nbsp;"));
    // Characters with a meaning in an address are percent-encoded in the link ("#" would begin
    // a fragment, "?" a query, "%" an escape); other letters stay.
    // ("?" never reaches a file name: the class part makes it "_".)
    const char* const named[][2] = {{"M21#1", "m21%231"}, {"A?B", "a_b"}, {"C 5%", "c%205%25"},
                                    {"D&E", "d%26e"},     {"東1", "東1"}, {"Ö1", "&#246;1"}};
    for (const auto& n : named) {
        addClass(QString::fromUtf8(n[0]), 1, true, {});
        touch("02_race_" +
              basDefinition::ClassFileNamePart(testRace().ClassList, QString::fromUtf8(n[0]))
                  .toLower() +
              ".htm");
    }
    const QString index = writeIndex().join('\n');
    for (const auto& n : named)
        EXPECT_TRUE(index.contains(QStringLiteral("<a href=\"02_race_%1.htm\"").arg(n[1]))) << n[1];
    // A folder that does not exist: nothing is written and the caller is told.
    EXPECT_FALSE(
        basExport::WriteIndexPage(testRace(), tempDir() + QStringLiteral("/missing/02_*.htm")));
    EXPECT_FALSE(QDir(tempPath("missing")).exists());
}

TEST_F(AnalysisTest, RaceDataIsEscapedInEveryPage)
{
    testRace().RaceInfo.RaceName = QStringLiteral("A&B <Cup>");
    testRace().RaceInfo.RacePlace = QStringLiteral("\"Hill\"");
    clsClassData& cls = addClass(QStringLiteral("M<21>"), 1, true, {});
    clsClassDataSub runner;
    runner.Namae = QStringLiteral("<b>Bo");
    runner.Shozoku = QStringLiteral("R&D \"1\"");
    runner.setLap(1, seconds(300));
    runner.setLap(2, seconds(60));
    cls.Add(runner);
    runner.Namae = QStringLiteral("😀太郎");
    runner.Shozoku = QString();
    runner.setLap(1, seconds(310));
    cls.Add(runner);
    ASSERT_TRUE(analyze(QStringLiteral("M<21>")));

    HtmlPage results;
    basExport::WriteResultsPage(results, testRace().RaceInfo, ws(),
                                basExport::OutputDataType::Analysis, true, 0);
    const QString all = results.join('\n');
    for (const char* raw : {"<b>Bo", "<Cup>", "A&B", "\"Hill\"", "R&D", "?"})
        EXPECT_FALSE(all.contains(QString::fromUtf8(raw))) << raw;
    for (const char* escaped : {"&lt;b&gt;Bo", "A&amp;B &lt;Cup&gt;", "[&quot;Hill&quot;]",
                                "&#128512;太郎", "Ｍ＜２１＞"})
        EXPECT_TRUE(all.contains(QString::fromUtf8(escaped))) << escaped;
    // The Excel form cuts the club to five characters before escaping it.
    EXPECT_TRUE(all.contains("<td colspan=2>R&amp;D &quot;</td>"));
    EXPECT_EQ(htmltest::CheckTable(results).fault, QString());

    const QString leg = legPage(ws()).join('\n');
    EXPECT_TRUE(leg.contains("&lt;b&gt;" + spaces(3))) << leg.toStdString();
    EXPECT_TRUE(leg.contains("&#128512;太郎" + spaces(1)));

    ASSERT_TRUE(basExport::WriteIndexPage(testRace(), tempDir() + QStringLiteral("/p_*.htm")));
    const QString index = testsupport::readCp932(tempPath("p_index.htm"));
    EXPECT_TRUE(index.contains("<b>&nbsp;A&amp;B &lt;Cup&gt;&nbsp;</b>"));
    EXPECT_TRUE(index.contains("&nbsp;[&quot;Hill&quot;]&nbsp;"));
    EXPECT_TRUE(index.contains(">&lt;b&gt;Bo" + spaces(5)));
}

}  // namespace
