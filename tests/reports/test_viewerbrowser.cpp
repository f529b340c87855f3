// The race viewer opened in headless Chromium and used as a person would: addresses whose
// fragment chooses the class, runners and view, clicks, keys, the pointer and taps; read by
// what it shows (the text of the rendered page: elements by "|", table cells by "/"). Skipped
// where no browser is installed. SPLITDUEL_KEEP_SCREENSHOTS keeps a screenshot of the views.
#include "browsersession.h"
#include "common/scriptedprompts.h"
#include "headlessbrowser.h"
#include "htmlfixtures.h"
#include "lapfiles/racefile.h"
#include "race/prompts.h"
#include "race/racetime.h"
#include "reports/viewerpage.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <map>
#include <memory>

using namespace analysistest;

namespace {

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
        browserPath = headless::FindBrowser();
    }

    void writePage()
    {
        page = tempPath(QStringLiteral("race_viewer.html"));
        ASSERT_TRUE(basExport::WriteViewerPage(testRace(), page, testRace().ClassList.names()));
    }

    // Opens the page at that fragment in a window of that size (a phone: touch, narrow).
    bool open(const QString& fragment, int width = 1200, int height = 800, bool phone = false)
    {
        if (page.isEmpty()) writePage();
        if (!browser)
            browser = std::make_unique<headless::BrowserSession>(
                browserPath, tempPath(QStringLiteral("profile")));
        browser->setViewport(width, height, phone);
        const bool ready = browser->isOpen() &&
                           browser->open("file://" + page + fragment,
                                         QStringLiteral("document.documentElement.dataset.ready"));
        EXPECT_TRUE(ready) << browser->error().toStdString();
        return ready;
    }

    QJsonValue js(const QString& expression)
    {
        const QJsonValue value = browser->evaluate(expression);
        EXPECT_FALSE(value.isUndefined())
            << expression.toStdString() << ": " << browser->error().toStdString();
        return value;
    }

    // What the elements of the selector show: table cells by "/", blanks folded.
    std::string see(const char* selector)
    {
        return js(QStringLiteral("[...document.querySelectorAll(%1)].map((e) => (e.innerText ?? "
                                 "e.textContent).split('\\t').map((c) => c.replace(/\\s+/g, ' ')"
                                 ".trim()).join('/')).join('|')")
                      .arg(quoted(QString::fromUtf8(selector))))
            .toString()
            .toStdString();
    }

    // An attribute of the elements of the selector.
    std::string attr(const char* selector, const char* name)
    {
        return js(QStringLiteral("[...document.querySelectorAll(%1)].map((e) => "
                                 "e.getAttribute('%2')).join('|')")
                      .arg(quoted(QString::fromUtf8(selector)), QLatin1String(name)))
            .toString()
            .toStdString();
    }

    std::string keys() { return attr("table.splits tr[data-key]", "data-key"); }
    std::string lines() { return attr("svg.chart path.runner-line", "data-key"); }
    std::string link() { return attr(".permalink", "href"); }

    void click(const char* selector)
    {
        js(QStringLiteral("document.querySelector(%1).click(), true")
               .arg(quoted(QString::fromUtf8(selector))));
    }

    // Sets an input's value and lets the page hear of it as a person's typing.
    void type(const char* selector, const QString& value, const char* event = "change")
    {
        js(QStringLiteral("{ const e = document.querySelector(%1); e.value = %2; "
                          "e.dispatchEvent(new Event('%3', {bubbles: true})); true }")
               .arg(quoted(QString::fromUtf8(selector)), quoted(value), QLatin1String(event)));
    }

    // A key pressed on the graph, which chooses a control.
    void key(const char* name, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            js(QStringLiteral("document.querySelector('svg.chart').dispatchEvent("
                              "new KeyboardEvent('keydown', {key: '%1'})), true")
                   .arg(QLatin1String(name)));
    }

    static QString quoted(const QString& text)
    {
        return QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact))
            .mid(1)
            .chopped(1);
    }

    // Loads a real file of the shared test data; false when it is not there.
    bool loadReal(const char* name)
    {
        const QString path = testsupport::realDataPath(QString::fromLatin1(name));
        if (path.isEmpty()) return false;
        testDocument().resetRace();
        Prompts::ScopedPrompts scoped{std::make_unique<Prompts::ScriptedPrompts>()};
        EXPECT_TRUE(basConvert::LoadRaceFile(testDocument(), path).loaded());
        writePage();
        return true;
    }

    QString page;
    QString browserPath;
    std::unique_ptr<headless::BrowserSession> browser;
};

#define NEED_BROWSER()                                                    \
    do {                                                                  \
        if (browserPath.isEmpty()) GTEST_SKIP() << "no headless browser"; \
    } while (false)

const char* const Rows = "table.splits tr[data-key]";

// Leg times and ranks per runner in result order, a stretch without splits as one cell, the
// fastest three shaded; elapsed times; sorting by the keyboard both ways, by a leg, by name and
// by club; runs that are not OK show their status in words and are never ranked.
TEST_F(ViewerInBrowser, TableShowsOurTimesRanksAndStatusesAndSortsBothWays)
{
    NEED_BROWSER();
    clsClassData& m50 = addClass(QStringLiteral("M50"), 2, true,
                                 {{"OK1", {"4:00", "5:00", "1:00"}},
                                  {"OK2", {"4:10", "5:10", "1:00"}},
                                  {"MP", {"4:05", "n/a", "1:00"}, "12:00"},
                                  {"DNF", {"3:50", "n/a", "n/a"}},
                                  {"DNS", {"", "", ""}}});
    for (int r = 1; r <= m50.ClassRunnerCount(); ++r) {
        const QString name = m50.Item(r).Namae;
        if (name.startsWith(QLatin1String("D")) || name == QLatin1String("MP"))
            m50.Item(r).Status = name == QLatin1String("MP")    ? RunStatus::MissingPunch
                                 : name == QLatin1String("DNF") ? RunStatus::DidNotFinish
                                                                : RunStatus::DidNotStart;
    }
    ASSERT_TRUE(open(QString()));
    // D's merged time covers legs 1 and 2; its finish leg is the third fastest.
    EXPECT_EQ(see(Rows),
              "1/A Aクラブ/15:00/4:00 1/10:00 1/1:00 1|2/D Dクラブ/18:22/17:00 -/1:22 3|"
              "3/B Bクラブ/18:30/▼5:00 3/12:00 2/1:30 4|4/C Cクラブ/20:44/4:30 2/15:00 3/1:14 2");
    EXPECT_EQ(see("tr[data-key=A] td.rank1"), "4:00 1|10:00 1|1:00 1");
    EXPECT_EQ(attr("tr[data-key=D] td.merged", "colspan"), "2");
    EXPECT_EQ(see("thead th.leg"), "△→１|１→２|２→◎");

    // Elapsed times sorted at control 1: A 4:00, C 4:30, D (estimated) 4:33, B 5:00.
    ASSERT_TRUE(open(QStringLiteral("#c=M21&m=sum&s=1")));
    EXPECT_EQ(see(Rows),
              "1/A Aクラブ/15:00/4:00 1/14:00 1/15:00 1|4/C Cクラブ/20:44/4:30 2/19:30 4/20:44 4|"
              "2/D Dクラブ/18:22/n/a 3/17:00 2/18:22 2|3/B Bクラブ/18:30/5:00 4/17:00 2/18:30 3");

    // Headings are buttons: Enter sorts, Enter again turns it round. Leg 2 ranks A 1, B 2,
    // C 3; D has no rank there and stays last either way.
    ASSERT_TRUE(open(QString()));
    const struct {
        const char *button, *order, *sort, *ariaSort;
    } presses[] = {
        {"2", "A|B|C|D", "s=2&", "ascending"}, {"2", "C|B|A|D", "s=-2&", "descending"},
        {"name", "A|B|C|D", "s=name&", ""},    {"name", "D|C|B|A", "s=-name&", ""},
        {"club", "A|B|C|D", "s=club&", ""},    {"total", "A|D|B|C", "s=total&", ""},
    };
    for (const auto& p : presses) {
        js(QStringLiteral("document.querySelector('th button[data-sort=\"%1\"]').focus(), true")
               .arg(QLatin1String(p.button)));
        ASSERT_TRUE(browser->pressEnter());
        EXPECT_EQ(keys(), p.order) << p.button;
        EXPECT_NE(link().find(p.sort), std::string::npos) << link();
        EXPECT_EQ(attr("th.leg[data-sort=\"2\"]", "aria-sort"), p.ariaSort) << p.sort;
    }
    browser->screenshot(QStringLiteral("viewer_table_wide.png"));

    // The ranked runs first, then the others in class order, their known splits kept.
    ASSERT_TRUE(open(QStringLiteral("#c=M50"), 390, 844, true));
    EXPECT_EQ(
        see(Rows),
        "1/OK1 OK1クラブ/10:00/4:00 2/5:00 1/1:00 1|2/OK2 OK2クラブ/10:20/4:10 4/5:10 2/1:00 1|"
        "-/DNS DNSクラブ/欠場/n/a -/n/a -/n/a -|-/MP MPクラブ/ミスパンチ/4:05 3/n/a -/1:00 -|"
        "-/DNF DNFクラブ/途中棄権/3:50 1/n/a -/n/a -");
    browser->screenshot(QStringLiteral("viewer_table_phone.png"));
}

// The fragment chooses class, runners, view and reference; without runners the first five are
// chosen; names written like markup stay text; the search box narrows the rows.
TEST_F(ViewerInBrowser, FragmentChoosesClassRunnersAndGraphLines)
{
    NEED_BROWSER();
    ASSERT_TRUE(open(QString()));
    EXPECT_EQ(link(), "#c=M21&r=A&r=D&r=B&r=C&v=table&ref=winner&m=lap&s=total&mt=20&mp=10");
    ASSERT_TRUE(open(QStringLiteral("#c=W21&v=graph")));
    EXPECT_EQ(lines(), std::string(Script) + "|" + Closing + "|E|F|G");
    EXPECT_EQ(js("document.querySelectorAll('img, b').length").toInt(), 0)
        << "a name became markup";
    ASSERT_TRUE(open(QStringLiteral("#c=W21&r=F&r=E&r=nobody&v=graph&ref=top3")));
    EXPECT_EQ(lines(), "F|E");
    EXPECT_EQ(link(), "#c=W21&r=F&r=E&v=graph&ref=top3&m=lap&s=total&mt=20&mp=10");
    ASSERT_TRUE(open(QStringLiteral("#c=W21&r=&v=graph")));
    EXPECT_EQ(lines(), "");
    EXPECT_EQ(see(".view-slot .empty"), "比べる選手を選んでください");
    ASSERT_TRUE(open(QStringLiteral("#c=W21")));
    type("input[type=search]", QStringLiteral("ｆ"), "input");  // width and case ignored
    EXPECT_EQ(keys(), "F");
    type("input[type=search]", QString(), "input");
    EXPECT_EQ(keys(), std::string(Script) + "|" + Closing + "|E|F|G|H|I");
}

// The chooser's buttons choose nobody and the first five again; a threshold that is no number
// of 0 or more puts back the one in force, which a valid one then replaces; a club chooses its
// runners.
TEST_F(ViewerInBrowser, ChooserButtonsAndThresholdFields)
{
    NEED_BROWSER();
    ASSERT_TRUE(open(QStringLiteral("#c=W21&r=G&v=graph")));
    EXPECT_EQ(see(".choose button"), "上位5人|選択解除");
    click(".choose button:nth-of-type(2)");
    EXPECT_EQ(lines(), "");
    EXPECT_EQ(see(".count"), "0人を選択中");
    click(".choose button:nth-of-type(1)");
    EXPECT_EQ(lines(), std::string(Script) + "|" + Closing + "|E|F|G");
    EXPECT_EQ(see(".count"), "5人を選択中");
    for (const char* wrong : {"-3", ""}) {
        type(".threshold-seconds", QString::fromLatin1(wrong));
        EXPECT_EQ(js("document.querySelector('.threshold-seconds').value").toString(), "20")
            << wrong;
    }
    type(".threshold-percent", QStringLiteral("7"));
    EXPECT_EQ(link().substr(link().size() - 11), "&mt=20&mp=7");
    // A club chooses its runners, and the list goes back to its caption.
    ASSERT_TRUE(open(QStringLiteral("#c=M21&v=graph")));
    type(".choose select", QString::fromUtf8("Bクラブ"));
    EXPECT_EQ(lines(), "B");
    EXPECT_EQ(js("document.querySelector('.choose select').value").toString(), "");
}

// A leg is a mistake when it lost both the seconds and the share of its cruise time that the
// reader sets: marked in the table, counted per runner; miss bars never draw a gain as a loss;
// the runner card names the worst legs by time lost and a merged leg by its whole stretch.
TEST_F(ViewerInBrowser, MistakesMissBarsAndCardsFollowTheAnalysis)
{
    NEED_BROWSER();
    // Misses of the example: A +21.1 s (9.6 % of its cruise time) on leg 1 and +1.6 s on leg 3,
    // B +37.3 s (14 %) on leg 1 and +19.9 s (28 %) on leg 3, C +49.2 s (5.8 %) on leg 2, D
    // +9.3 s on leg 3; A on leg 2 loses no time shown.
    const struct {
        const char *fragment, *seconds, *percent, *marks;
    } cases[] = {
        {"", nullptr, nullptr, "▼5:00 3"},
        {"", "15", "5", "▼4:00 1|▼5:00 3|▼1:30 4|▼15:00 3"},
        {"#c=M21&mt=30&mp=5", nullptr, nullptr, "▼5:00 3|▼15:00 3"},
        {"#c=M21&mt=0&mp=0", nullptr, nullptr, "▼4:00 1|▼1:00 1|▼1:22 3|▼5:00 3|▼1:30 4|▼15:00 3"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(open(QString::fromLatin1(c.fragment)));
        if (c.seconds) {
            type(".threshold-seconds", QString::fromLatin1(c.seconds));
            type(".threshold-percent", QString::fromLatin1(c.percent));
            EXPECT_EQ(link().substr(link().size() - 11), "&mt=15&mp=5");
        }
        EXPECT_EQ(see("td.mistake"), c.marks) << c.fragment;
    }
    EXPECT_NE(see(".legend-table").find("▼4:05 ミス (0秒以上かつ0%以上のロス)"), std::string::npos);

    ASSERT_TRUE(open(QStringLiteral("#c=M21&r=B&r=C&v=miss")));
    EXPECT_EQ(see(".miss-summary tbody tr"), "B/1回/0:37/17:53|C/0回/0:00/20:44");
    EXPECT_EQ(see("svg.miss-bars text.mistake"), "▼+0:37");
    // C's legs: faster, slower, faster than its cruise pace: only the loss has a bar.
    EXPECT_EQ(js("[...document.querySelectorAll('rect.miss-bar[data-key=C]')].map((r) => "
                 "Number(r.getAttribute('width') > 0)).join('')")
                  .toString(),
              "010");
    browser->screenshot(QStringLiteral("viewer_miss_wide.png"));

    // A run-in of seven seconds run in fourteen has the worse ratio; the long leg lost more.
    addClass(QStringLiteral("M40"), 2, true,
             {{"X", {"11:00", "10:00", "0:14"}},
              {"Y", {"10:00", "10:30", "0:07"}},
              {"Z", {"10:10", "10:40", "0:08"}}});
    writePage();
    ASSERT_TRUE(open(QStringLiteral("#c=M40&r=X&v=card")));
    EXPECT_EQ(see("article.card ol.worst li").rfind("△→１ 11:00 ", 0), 0u);
    ASSERT_TRUE(open(QStringLiteral("#c=M21&r=A&r=D&v=card")));
    EXPECT_EQ(see("article.card dl"),
              "記録 15:00 順位 1位 / 4人 相対値 83% 巡航速度 81% ミス率 2.5% ミスタイム 0:23 "
              "ミスなしタイム 14:37 基準以上のミス 0回 0:00 ミスがなければ 15:00|"
              "記録 18:22 順位 2位 / 4人 相対値 102% 巡航速度 101% ミス率 0.8% ミスタイム 0:09 "
              "ミスなしタイム 18:13 基準以上のミス 0回 0:00 ミスがなければ 18:22");
    EXPECT_EQ(see("article.card ol.worst"),
              "△→１ 4:00 (89%) ミス +0:21 ２→◎ 1:00 (83%) ミス +0:02|"
              "２→◎ 1:22 (114%) ミス +0:09");
    EXPECT_NE(see("article.card ol.best").find("△→２ 17:00 (101%)"), std::string::npos);
    EXPECT_NE(see(".glossary").find("巡航速度:"), std::string::npos);
    browser->screenshot(QStringLiteral("viewer_card_wide.png"));
}

// Every graph draws one line per chosen runner ending in its name, the first twenty in twenty
// dash patterns; pointing at a control (or tapping it on a phone) reads out the split, rank,
// time behind and miss there; the clock graph lists who passed within two minutes.
TEST_F(ViewerInBrowser, GraphsDrawEveryChosenRunnerAndReadOutAControl)
{
    NEED_BROWSER();
    clsClassData& big = addClass(QStringLiteral("M35"), 1, true, {});
    for (int i = 1; i <= 22; ++i)
        addRunner(big,
                  {QStringLiteral("R%1").arg(i), {QStringLiteral("3:%1").arg(10 + i), "2:00"}});
    // Start times for the clock graph: A 10:00, B 10:02, C 10:03:30, D 10:20.
    clsClassData& m21 = testRace().ClassList[QStringLiteral("M21")];
    const std::map<QString, double> starts{{"A", 36000}, {"B", 36120}, {"C", 36210}, {"D", 37200}};
    for (int r = 1; r <= m21.ClassRunnerCount(); ++r)
        m21.Item(r).StartTime = seconds(starts.at(m21.Item(r).Namae));

    QString twenty = QStringLiteral("#c=M35&v=graph");
    for (int i = 1; i <= 20; ++i) twenty += QStringLiteral("&r=R%1").arg(i);
    ASSERT_TRUE(open(twenty));
    EXPECT_EQ(js("new Set([...document.querySelectorAll('path.runner-line')].map((p) => "
                 "p.getAttribute('stroke-dasharray'))).size")
                  .toInt(),
              20);
    EXPECT_EQ(see("text.line-name"), lines());  // every line ends in its name

    for (const char* view : {"graph", "clock", "position", "percent"}) {
        ASSERT_TRUE(open(QStringLiteral("#c=M21&v=%1").arg(QLatin1String(view))));
        EXPECT_EQ(lines(), "A|D|B|C") << view;
        browser->screenshot(QStringLiteral("viewer_%1_wide.png").arg(QLatin1String(view)));
    }

    // Control 2 against the winner: the pointer over its line of the chart.
    const QString pointAt = QStringLiteral(
        "(() => { const svg = document.querySelector('svg.chart'); svg.scrollIntoView();"
        " const r = svg.getBoundingClientRect(); const line = [...svg.querySelectorAll("
        "'line.grid')].filter((l) => l.getAttribute('x1') === l.getAttribute('x2'))[%1];"
        " return [r.left + line.getAttribute('x1') * r.width / svg.viewBox.baseVal.width,"
        " r.top + r.height / 2]; })()");
    ASSERT_TRUE(open(QStringLiteral("#c=M21&v=graph")));
    QJsonArray at = js(pointAt.arg(1)).toArray();
    ASSERT_TRUE(browser->moveMouse(at[0].toDouble(), at[1].toDouble()));
    const char* const readout = ".readout-title, .readout-table tbody tr";
    EXPECT_EQ(see(readout),
              "１→２|A/10:00/1/0:00/0:00|D/17:00 (△→２)/-/+3:00/0:00|"
              "B/12:00/2/+3:00/0:00|C/15:00/3/+5:30/+0:49");

    // A at control 2 (14:00) against each reference; the arrow keys choose the control.
    const std::pair<const char*, const char*> references[] = {
        {"winner", "0:00"},       {"fastest", "0:00"}, {"fastest25", "-3:30"},
        {"fastest100", "-14:00"}, {"top3", "-2:50"},   {"r:C", "-5:30"}};
    for (const auto& [ref, behind] : references) {
        ASSERT_TRUE(open(QStringLiteral("#c=M21&v=graph&r=A&r=C&ref=%1").arg(QLatin1String(ref))));
        key("ArrowLeft");
        EXPECT_EQ(see(".readout-table tbody tr:first-child td:nth-of-type(3)"), behind) << ref;
    }

    // On a phone a tap chooses the control: the first.
    ASSERT_TRUE(open(QStringLiteral("#c=M21&v=graph"), 390, 844, true));
    at = js(pointAt.arg(0)).toArray();
    ASSERT_TRUE(browser->tap(at[0].toDouble(), at[1].toDouble()));
    EXPECT_EQ(see(".readout-title"), "△→１");
    browser->screenshot(QStringLiteral("viewer_graph_phone.png"));

    // B passed control 1 at 10:07:00; within two minutes: C at 10:08:00, not A at 10:04:00.
    ASSERT_TRUE(open(QStringLiteral("#c=M21&v=clock&ref=r:B&r=A&r=B&r=C")));
    key("ArrowUp", 5);
    key("ArrowDown");
    EXPECT_EQ(see(".near .readout-title, .near li"),
              "B の前後2分以内に１ を通過 (2人)|10:07:00 B|10:08:00 C +1:00");
}

// A leg of zero seconds and merged legs never cut a runner's line or the reference's: every line
// of the default graph reaches the finish.
TEST_F(ViewerInBrowser, ZeroSecondAndMergedLegsNeverCutALine)
{
    NEED_BROWSER();
    // Control 2 stands where control 1 does: everyone's leg 2 takes no time at all.
    addClass(QStringLiteral("M60"), 3, true,
             {{"P", {"4:00", "n/a", "3:00", "1:00"}, "8:00"},
              {"Q", {"4:20", "n/a", "→", "4:30"}, "8:50"},
              {"R", {"4:10", "n/a", "3:30", "1:10"}, "8:50"}});
    ASSERT_TRUE(open(QStringLiteral("#c=M60&v=graph")));
    EXPECT_EQ(lines(), "P|Q|R");  // Q and R tie: in the order they were read
    // The marker of the finish sits on every line; Q's merged time covers legs 2 to 4.
    EXPECT_EQ(js("document.querySelectorAll('svg.chart .marker circle').length").toInt(), 3);
    EXPECT_EQ(see(".readout-table tbody tr td:nth-of-type(-n+3)"),
              "1:00|1|0:00|4:30 (１→◎)|-|+0:50|1:10|2|+0:50");
    browser->screenshot(QStringLiteral("viewer_zero_leg.png"));

    if (!loadReal("LukeWoodward-SplitsBrowser/venezia.xml")) GTEST_SKIP() << "no real files";
    ASSERT_TRUE(open(QStringLiteral("#c=SCUOLA 3&v=graph")));
    EXPECT_EQ(js("document.querySelectorAll('svg.chart path.runner-line').length").toInt(), 5);
    EXPECT_EQ(js("document.querySelectorAll('svg.chart .marker circle').length").toInt(), 5);
}

// The classes of a relay ("<class>-<leg>", variants of a leg after a blank) open as one relay
// with a leg to choose and a team view; classes that only look alike ("D-10", "D-12") stay
// classes, and the variants of a leg are never compared as one course.
TEST_F(ViewerInBrowser, RelayOpensAsOneRelayWithItsTeams)
{
    NEED_BROWSER();
    const struct {
        const char *cls, *name, *team;
        double start;
        std::vector<QString> laps;
    } members[] = {
        {"R-1", "Ann", "T1", 36000, {"4:00", "2:00"}},
        {"R-1", "Ben", "T2", 36000, {"4:20", "2:10"}},
        {"R-1", "Cat", "T3", 36000, {"4:40", "2:20"}},
        {"R-2 A", "Dan", "T1", 36360, {"3:00", "2:00"}},
        {"R-2 A", "Eve", "T3", 36420, {"3:20", "2:00"}},
        {"R-2 B", "Fay", "T2", 36390, {"2:50", "2:00"}},
        {"R-3", "Gus", "T1", 36660, {"4:00", "2:00"}},
        {"R-3", "Hal", "T2", 36680, {"4:20", "2:10"}},
        {"R-3", "Ivy", "T3", 37160, {"4:00", "n/a"}},
        {"D-10", "Jo", "T1", 0, {"4:00", "1:00"}},
        {"D-12", "Kim", "T1", 0, {"4:00", "1:00"}},
    };
    for (const auto& m : members) {
        clsClassData* cls = testRace().ClassList.find(QString::fromLatin1(m.cls));
        if (!cls) {
            cls = &addClass(QString::fromLatin1(m.cls), 1, true, {});
            cls->ClassLength = 2000;
            cls->ClassUpHeight = 50;
        }
        clsClassDataSub runner;
        runner.Namae = QString::fromLatin1(m.name);
        runner.Shozoku = QString::fromLatin1(m.team);
        runner.StartTime = seconds(m.start);
        runner.Status =
            runner.Namae == QLatin1String("Ivy") ? RunStatus::MissingPunch : RunStatus::Ok;
        for (size_t l = 0; l < m.laps.size(); ++l) runner.setLap(int(l) + 1, lapValue(m.laps[l]));
        cls->Add(runner);
    }
    ASSERT_TRUE(open(QStringLiteral("#c=R-2 A")));
    EXPECT_EQ(see("#class-select option"),
              "M21 (4人)|W21 (7人)|R (リレー 3走)|D-10 (1人)|D-12 (1人)");
    EXPECT_EQ(see("#class-select option:checked"), "R (リレー 3走)");
    EXPECT_EQ(see(".leg-select option"), "第1走|第2走 A|第2走 B|第3走");
    EXPECT_EQ(keys(), "Dan|Eve");
    EXPECT_EQ(see(".course-choice"), "") << "variants of a leg offered as one course";
    type(".leg-select", js("document.querySelector('.leg-select').options[3].value").toString());
    EXPECT_EQ(link().substr(0, 8), "#c=R-3&r");

    // Each team: place, name, total; then per leg the member, the leg time (its rank on the
    // leg, variants together), the team's time and place after the leg, the changeover.
    click("[data-view=team]");
    EXPECT_EQ(
        see("table.teams tbody tr"),
        "1/T1 17:00/Ann 6:00 (1) 6:00 1位 10:06:00/Dan 5:00 (2) 11:00 1位 10:11:00/"
        "Gus 6:00 (1) 17:00 1位 10:17:00|"
        "2/T2 17:50/Ben 6:30 (2) 6:30 2位 10:06:30/Fay 4:50 (1) 11:20 2位 10:11:20/"
        "Hal 6:30 (2) 17:50 2位 10:17:50|"
        "-/T3/Cat 7:00 (3) 7:00 3位 10:07:00/Eve 5:20 (3) 12:20 3位 10:12:20/Ivy ミスパンチ -");
    browser->screenshot(QStringLiteral("viewer_team_wide.png"));
    ASSERT_TRUE(open(QStringLiteral("#c=R-1&v=team"), 390, 844, true));
    browser->screenshot(QStringLiteral("viewer_team_phone.png"));
}

// Classes on one course (same controls, length and climb) are compared in one field: every
// runner marked with its class, the ranks taken over the whole field, in the table and graphs.
TEST_F(ViewerInBrowser, ClassesOfOneCourseCompareTogether)
{
    NEED_BROWSER();
    for (const char* name : {"W35", "W40"}) {
        clsClassData& cls = addClass(QString::fromLatin1(name), 2, true,
                                     {{name[1] == '3' ? "S" : "T", {"3:50", "9:00", "1:05"}}});
        cls.ClassLength = name[1] == '3' ? 3500 : 3600;  // W40 runs another course
        cls.ClassUpHeight = 120;
    }
    ASSERT_TRUE(open(QStringLiteral("#c=M21")));
    EXPECT_EQ(see(".course-choice"), "同じコース: W35");
    click(".course-choice input");
    EXPECT_EQ(link().substr(0, 14), "#c=M21&w=W35&r");
    EXPECT_EQ(see(Rows).rfind("1/S W35 Sクラブ/13:55/3:50 1/9:00 1/1:05 2|2/A M21 "
                              "Aクラブ/15:00/4:00 2/10:00 2/1:00 1|",
                              0),
              0u);
    ASSERT_TRUE(open(QStringLiteral("#c=M21&w=W35&v=graph")));
    EXPECT_EQ(lines(), "S@W35|A|D|B|C");
    EXPECT_EQ(see("svg.chart text.line-name:first-of-type"), "S");
}

// Choosing a class or a view is a step Back returns from; the link copies the address and says
// so; printing every class prints each class's table, fitted to the page.
TEST_F(ViewerInBrowser, BackLinkAndPrint)
{
    NEED_BROWSER();
    ASSERT_TRUE(open(QStringLiteral("#c=M21")));
    click("[data-view=graph]");
    type("#class-select", QStringLiteral("1"));
    const char* const shown = "#class-select option:checked, .tabs [aria-pressed=true]";
    EXPECT_EQ(see(shown), "W21 (7人)|レースグラフ");
    for (const char* back : {"M21 (4人)|レースグラフ", "M21 (4人)|成績表"}) {
        js("history.back(), true");
        ASSERT_TRUE(browser->waitFor(QStringLiteral("!location.hash.includes('c=W21') && "
                                                    "document.querySelector('.tabs [aria-pressed="
                                                    "true]').textContent === '%1'")
                                         .arg(QString::fromUtf8(back).section('|', 1))));
        EXPECT_EQ(see(shown), back);
    }

    browser->command(QStringLiteral("Browser.grantPermissions"),
                     {{"permissions", QJsonArray{"clipboardReadWrite", "clipboardSanitizedWrite"}}},
                     false);
    click(".permalink");
    ASSERT_TRUE(
        browser->waitFor(QStringLiteral("document.querySelector('.link-status').textContent")));
    EXPECT_EQ(see(".link-status"), "リンクをコピーしました");
    EXPECT_EQ(js("navigator.clipboard.readText()"), js("location.href"));

    // A class of thirty legs of an hour printed on a page a thousand pixels wide.
    clsClassData& wide = addClass(QStringLiteral("Long"), 29, true, {});
    for (const char* name : {"U", "V"}) {
        clsClassDataSub runner;
        runner.Namae = QString::fromLatin1(name);
        for (int l = 1; l <= 30; ++l) runner.setLap(l, seconds(3599 + l));
        wide.Add(runner);
    }
    writePage();
    ASSERT_TRUE(open(QStringLiteral("#c=Long"), 1000, 700));
    js("window.print = () => {}, true");
    browser->command(QStringLiteral("Emulation.setEmulatedMedia"), {{"media", "print"}});
    const char* const fits =
        "[...document.querySelectorAll('table.splits')].every((t) => "
        "t.getBoundingClientRect().width <= innerWidth && [...t."
        "querySelectorAll('td .t')].every((s) => s.scrollWidth <= s.clientWidth + 1))";
    EXPECT_TRUE(js(fits).toBool());
    click(".print-every");
    EXPECT_EQ(see("#print-all h2"), "M21 4人|W21 7人|Long 2人");
    EXPECT_EQ(js("document.querySelectorAll('#print-all tr[data-key]').length").toInt(), 13);
    EXPECT_EQ(js("getComputedStyle(document.getElementById('app')).display").toString(), "none");
    EXPECT_TRUE(js(fits).toBool());
    browser->screenshot(QStringLiteral("viewer_print_all.png"));
    js("dispatchEvent(new Event('afterprint')), true");
    EXPECT_FALSE(js("!!document.getElementById('print-all')").toBool());
}

// The numbers of a real OE export as the table shows them are those of the analysis: every leg
// time and its rank, every elapsed time and its rank, in every class.
TEST_F(ViewerInBrowser, RealExportShowsTheNumbersOfTheAnalysis)
{
    NEED_BROWSER();
    if (!loadReal("LukeWoodward-SplitsBrowser/eventdata6478")) GTEST_SKIP() << "no real files";
    // Per row: key, place, total and the text of each leg's cell, found by the columns spanned.
    const char* const legTexts = R"(
      [...document.querySelectorAll('table.splits tbody tr[data-key]')].map((tr) => {
        const legs = []; let at = 0;
        for (const td of [...tr.cells].slice(3)) { at += td.colSpan; legs[at - 1] = td.innerText.replace(/\s+/g, ' ').replace('▼', '').trim(); }
        return [tr.dataset.key, tr.cells[0].innerText.trim(), tr.cells[2].innerText.trim(), legs]; }))";
    const auto time = [](double days) { return CbasGeneral::FormatLapTime(days).trimmed(); };
    const auto rank = [](int r) { return r > 0 ? QString::number(r) : QStringLiteral("-"); };
    int compared = 0;
    ASSERT_TRUE(open(QString(), 1400, 6000));  // tall enough for every row of the largest class
    const QStringList names = testRace().ClassList.names();
    for (int c = 0; c < names.size(); ++c) {
        type("#class-select", QString::number(c));
        const QJsonArray lap = js(QString::fromUtf8(legTexts)).toArray();
        click(".table-tools .mode button:last-child");
        const QJsonArray sum = js(QString::fromUtf8(legTexts)).toArray();
        click(".table-tools .mode button:first-child");
        ASSERT_TRUE(analyze(names[c]));
        ASSERT_EQ(lap.size(), ws().AnaRunnerCount) << names[c].toStdString();
        std::map<QString, int> index;
        for (int r = 1; r <= ws().AnaRunnerCount; ++r) {
            QString key = ws().RunnerName(r);
            for (int n = 2; index.count(key); ++n)
                key = ws().RunnerName(r) + QStringLiteral("~%1").arg(n);
            index[key] = r;
        }
        for (int row = 0; row < lap.size(); ++row) {
            const QJsonArray l = lap[row].toArray(), s = sum[row].toArray();
            ASSERT_EQ(s[0], l[0]);  // the same order in both modes
            const int r = index[l[0].toString()];
            ASSERT_GT(r, 0);
            const bool ranked = ws().TotalTime(r) > 0;
            EXPECT_EQ(l[1].toString(), ranked ? QString::number(ws().TotalRank(r)) : "-");
            EXPECT_TRUE(!ranked || l[2].toString() == time(ws().TotalTime(r)));
            for (int g = 1; g <= ws().AnaLegCount; ++g, compared += 2) {
                const std::string where = names[c].toStdString() + " " +
                                          l[0].toString().toStdString() + " leg " +
                                          std::to_string(g);
                const QString lapShown = time(ws().LapTime(r, g)) + ' ' + rank(ws().LapRank(r, g));
                const QString sumShown =
                    time(ws().EstSumTime(r, g)) + ' ' + rank(ws().EstSumRank(r, g));
                EXPECT_TRUE(ws().LapState(r, g) != 0 || l[3].toArray()[g - 1] == lapShown) << where;
                EXPECT_TRUE(ws().LapState(r, g) < 0 || ws().SumState(r, g) == -2 ||
                            s[3].toArray()[g - 1] == sumShown)
                    << where;
            }
        }
    }
    EXPECT_GT(compared, 40000);
}

}  // namespace
