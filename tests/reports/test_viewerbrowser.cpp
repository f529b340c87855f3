// The race viewer opened in headless Chromium, read by what it shows: the rendered DOM after
// its script ran, for addresses whose fragment chooses the class, runners and view. Skipped
// where no browser is installed.
#include "headlessbrowser.h"
#include "htmlfixtures.h"
#include "race/racetime.h"
#include "reports/viewerpage.h"

#include <QFile>
#include <QRegularExpression>

using namespace analysistest;

namespace {

struct Row {
    QString key;
    QStringList cells;    // the text of every cell
    QStringList classes;  // the class attribute of every cell
    QStringList spans;    // the colspan of every cell ("" when none)
};

// The rows of the split table, in the order shown.
QList<Row> tableRows(const QString& dom)
{
    static const QRegularExpression row(
        QStringLiteral("<tr data-key=\"([^\"]*)\"[^>]*>(.*?)</tr>"));
    static const QRegularExpression cell(QStringLiteral("<td([^>]*)>(.*?)</td>"));
    static const QRegularExpression cls(QStringLiteral("class=\"([^\"]*)\""));
    static const QRegularExpression span(QStringLiteral("colspan=\"([0-9]+)\""));
    const int body = dom.indexOf(QStringLiteral("<tbody>"));
    QList<Row> rows;
    for (auto r = row.globalMatch(dom, body < 0 ? 0 : body); r.hasNext();) {
        const QRegularExpressionMatch m = r.next();
        Row parsed{headless::TextOf(m.captured(1)), {}, {}, {}};
        for (auto c = cell.globalMatch(m.captured(2)); c.hasNext();) {
            const QRegularExpressionMatch td = c.next();
            parsed.cells << headless::TextOf(td.captured(2));
            parsed.classes << cls.match(td.captured(1)).captured(1);
            parsed.spans << span.match(td.captured(1)).captured(1);
        }
        rows << parsed;
    }
    return rows;
}

QStringList keysOf(const QList<Row>& rows)
{
    QStringList keys;
    for (const Row& r : rows) keys << r.key;
    return keys;
}

// The runner keys of the race graph's lines, in drawing order.
QStringList graphLines(const QString& dom)
{
    static const QRegularExpression line(
        QStringLiteral("<path class=\"runner-line\" data-key=\"([^\"]*)\""));
    QStringList keys;
    for (auto m = line.globalMatch(dom); m.hasNext();)
        keys << headless::TextOf(m.next().captured(1));
    return keys;
}

QString permalink(const QString& dom)
{
    static const QRegularExpression link(QStringLiteral("class=\"permalink\" href=\"([^\"]*)\""));
    return headless::TextOf(link.match(dom).captured(1));
}

// The text of the first element of that tag and class.
QString textOf(const QString& dom, const QString& tag, const QString& cls)
{
    const QRegularExpression element(QStringLiteral("<%1 class=\"%2\"[^>]*>(.*?)</%1>")
                                         .arg(tag, QRegularExpression::escape(cls)));
    return headless::TextOf(element.match(dom).captured(1));
}

// The markup with every attribute value and the embedded data taken out: what is left are the
// elements the page made.
QString markupOnly(const QString& dom)
{
    static const QRegularExpression values(QStringLiteral("\"[^\"]*\""));
    static const QRegularExpression data(QStringLiteral("<script[^>]*>.*?</script>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    QString markup = dom;
    return markup.remove(data).remove(values);
}

const char* const Script = "<img src=x onerror=alert(1)>";
const char* const Closing = "</script><b>bold</b>";

class ViewerInBrowser : public HtmlWorkedExample {
protected:
    // The worked example class M21 (A, D, B, C; D has no split at control 1) and a class W21
    // of seven runners, two of them named like markup.
    void SetUp() override
    {
        HtmlWorkedExample::SetUp();
        addClass(QStringLiteral("W21"), 1, true,
                 {{QString::fromUtf8(Script), {"3:00", "2:00"}},
                  {QString::fromUtf8(Closing), {"3:10", "2:00"}},
                  {"E", {"3:20", "2:00"}},
                  {"F", {"3:30", "2:00"}},
                  {"G", {"3:40", "2:00"}},
                  {"H", {"3:50", "2:00"}},
                  {"I", {"4:00", "2:00"}}});
        page = tempPath(QStringLiteral("race_viewer.html"));
        ASSERT_TRUE(basExport::WriteViewerPage(page, basDefinition::ClassList.names()));
        browser = headless::FindBrowser();
    }

    QString open(const QString& fragment)
    {
        const QString dom = headless::DumpDom(browser, "file://" + page + fragment,
                                              tempPath(QStringLiteral("profile")));
        EXPECT_TRUE(dom.contains(QStringLiteral("data-ready="))) << "the script did not run";
        return dom;
    }

    QString page;
    QString browser;
};

// Leg times and ranks per runner in the class order, a stretch without splits as one cell,
// the fastest three coloured; elapsed times and another order from the fragment.
TEST_F(ViewerInBrowser, TableShowsOurTimesAndRanksInOrder)
{
    if (browser.isEmpty()) GTEST_SKIP() << "no headless browser installed";

    const QList<Row> laps = tableRows(open(QString()));
    ASSERT_EQ(keysOf(laps), (QStringList{"A", "D", "B", "C"}));
    EXPECT_EQ(laps[0].cells,
              (QStringList{"1", "A Aクラブ", "15:00", "4:00 1", "10:00 1", "1:00 1"}));
    EXPECT_EQ(laps[0].classes.mid(3), (QStringList{"leg rank1", "leg rank1", "leg rank1"}));
    // D's merged time covers legs 1 and 2; its finish leg is the third fastest.
    EXPECT_EQ(laps[1].cells, (QStringList{"2", "D Dクラブ", "18:22", "17:00 -", "1:22 3"}));
    EXPECT_EQ(laps[1].spans[3], "2");
    EXPECT_EQ(laps[1].classes[4], "leg rank3");
    EXPECT_EQ(laps[3].cells,
              (QStringList{"4", "C Cクラブ", "20:44", "4:30 2", "15:00 3", "1:14 2"}));
    EXPECT_EQ(laps[3].classes.mid(3), (QStringList{"leg rank2", "leg rank3", "leg rank2"}));

    // Sorted by the elapsed times at control 1: A 4:00, C 4:30, D (estimated) 4:33, B 5:00.
    const QList<Row> sums = tableRows(open(QStringLiteral("#c=M21&m=sum&s=1")));
    ASSERT_EQ(keysOf(sums), (QStringList{"A", "C", "D", "B"}));
    EXPECT_EQ(sums[0].cells.mid(3), (QStringList{"4:00 1", "14:00 1", "15:00 1"}));
    // No elapsed time of its own at control 1, the estimated rank all the same.
    EXPECT_EQ(sums[2].cells.mid(3), (QStringList{"n/a 3", "17:00 2", "18:22 2"}));
}

// The fragment chooses class, runners, view and reference; without runners the first five are
// chosen; names written like markup stay text.
TEST_F(ViewerInBrowser, FragmentChoosesClassRunnersAndGraphLines)
{
    if (browser.isEmpty()) GTEST_SKIP() << "no headless browser installed";

    const QString first = open(QString());
    EXPECT_EQ(permalink(first), "#c=M21&r=A&r=D&r=B&r=C&v=table&ref=winner&m=lap&s=total");

    const QString defaults = open(QStringLiteral("#c=W21&v=graph"));
    const QStringList firstFive{Script, Closing, "E", "F", "G"};
    EXPECT_EQ(graphLines(defaults), firstFive);
    EXPECT_EQ(keysOf(tableRows(defaults)).size(), 7);
    for (const QString& name : {QString::fromUtf8(Script), QString::fromUtf8(Closing)})
        EXPECT_TRUE(headless::TextOf(defaults).contains(name)) << name.toStdString();
    const QString markup = markupOnly(defaults);
    EXPECT_FALSE(markup.contains(QStringLiteral("<img"))) << "a name became an element";
    EXPECT_FALSE(markup.contains(QStringLiteral("<b>"))) << "a name became an element";

    const QString chosen = open(QStringLiteral("#c=W21&r=F&r=E&r=nobody&v=graph&ref=top3"));
    EXPECT_EQ(graphLines(chosen), (QStringList{"F", "E"}));
    EXPECT_EQ(permalink(chosen), "#c=W21&r=F&r=E&v=graph&ref=top3&m=lap&s=total");

    const QString none = open(QStringLiteral("#c=W21&r=&v=graph"));
    EXPECT_TRUE(graphLines(none).isEmpty());
    EXPECT_TRUE(none.contains(QStringLiteral("比べる選手を選んでください")));
}

// Miss times and the runner card give the measures of our analysis.
TEST_F(ViewerInBrowser, MissBarsAndCardsShowTheAnalysis)
{
    if (browser.isEmpty()) GTEST_SKIP() << "no headless browser installed";

    ASSERT_TRUE(basAnalyze::AnalyzeClass(QStringLiteral("M21")));
    const int c = runnerIndex(QStringLiteral("C"));
    const QString bars = textOf(open(QStringLiteral("#c=M21&r=C&v=miss")), "svg", "miss-bars");
    QStringList expected;
    for (int l = 1; l <= 3; ++l)
        expected << CbasGeneral::FormatLapTime(ws().MissTime(c, l)).trimmed();
    EXPECT_EQ(expected, (QStringList{"-0:40", "0:49", "-0:09"}));
    for (const QString& text : expected) EXPECT_TRUE(bars.contains(text)) << bars.toStdString();
    EXPECT_TRUE(bars.contains(QStringLiteral("難易度 103"))) << bars.toStdString();

    const QString card = textOf(open(QStringLiteral("#c=M21&r=A&v=card")), "article", "card");
    for (const char* text :
         {"記録 15:00", "順位 1位 / 4人", "相対値 83%", "巡航速度 81%", "ミス率 2.5%",
          "ミスなしタイム 14:37", "ワーストレッグ △→１ 4:00 (89%) ミス +0:21"})
        EXPECT_TRUE(card.contains(QString::fromUtf8(text))) << text << " in " << card.toStdString();
}

}  // namespace
