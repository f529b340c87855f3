// The race viewer opened in headless Chromium and used as a person would: addresses whose
// fragment chooses the class, runners and view, clicks, keys, the pointer and taps; read by
// what it shows (the text and marks of the rendered page). Skipped where no browser is
// installed. SPLITDUEL_KEEP_SCREENSHOTS keeps a screenshot of each view looked at.
#include "browsersession.h"
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

// JSON as it reads in a failure's message.
void PrintTo(const QJsonArray& array, std::ostream* os)
{
    *os << QJsonDocument(array).toJson(QJsonDocument::Compact).toStdString();
}

namespace {

struct Row {
    QString key;
    QStringList cells;    // the text of every cell, blanks folded
    QStringList classes;  // the class attribute of every cell
    QList<int> spans;     // the colspan of every cell
};

// The rows of the split table, in the order shown.
const char* const RowsScript = R"(
  [...document.querySelectorAll('table.splits tbody tr[data-key]')].map((tr) => ({
    key: tr.dataset.key,
    cells: [...tr.cells].map((td) => td.innerText.replace(/\s+/g, ' ').trim()),
    classes: [...tr.cells].map((td) => td.className),
    spans: [...tr.cells].map((td) => td.colSpan) })))";

// The runner lines of the graph shown: key, dash pattern, colour, end label, and whether the
// marker at the chosen control (the finish unless chosen otherwise) is on the line.
const char* const LinesScript = R"(
  [...document.querySelectorAll('svg.chart path.runner-line')].map((p) => ({
    key: p.dataset.key, dash: p.getAttribute('stroke-dasharray') || '', colour: p.getAttribute('stroke'),
    label: [...document.querySelectorAll('svg.chart text.line-name')].filter((t) => t.dataset.key === p.dataset.key).map((t) => t.textContent).join('') })))";

// The rows of the read-out under the graph: the name and the cells.
const char* const ReadoutScript = R"(
  ({ title: document.querySelector('.readout .readout-title:last-of-type') ?
       [...document.querySelectorAll('.readout .readout-title')].map((t) => t.textContent) : [],
     rows: [...document.querySelectorAll('.readout-table tbody tr')].map((tr) =>
       [...tr.cells].map((c) => c.innerText.trim())) }))";

QString ids(const QStringList& list)
{
    return list.join(QLatin1Char('|'));
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
        browserPath = headless::FindBrowser();
    }

    // Writes the page of the race as it is now.
    void writePage()
    {
        page = tempPath(QStringLiteral("race_viewer.html"));
        ASSERT_TRUE(basExport::WriteViewerPage(page, basDefinition::ClassList.names()));
    }

    // Opens the page at that fragment in a window of that size (a phone: touch, narrow).
    bool open(const QString& fragment, int width = 1200, int height = 800, bool phone = false)
    {
        if (page.isEmpty()) writePage();
        if (!browser)
            browser = std::make_unique<headless::BrowserSession>(
                browserPath, tempPath(QStringLiteral("profile")));
        if (!browser->isOpen()) {
            ADD_FAILURE() << "the browser did not start: " << browser->error().toStdString();
            return false;
        }
        browser->setViewport(width, height, phone);
        const bool ready = browser->open("file://" + page + fragment,
                                         QStringLiteral("document.documentElement.dataset.ready"));
        EXPECT_TRUE(ready) << "the page did not show its first class: "
                           << browser->error().toStdString();
        return ready;
    }

    QJsonValue js(const QString& expression)
    {
        const QJsonValue value = browser->evaluate(expression);
        EXPECT_FALSE(value.isUndefined())
            << expression.toStdString() << ": " << browser->error().toStdString();
        return value;
    }

    QString text(const QString& selector)
    {
        return js(QStringLiteral("(document.querySelector(%1) || {innerText: ''}).innerText"
                                 ".replace(/\\s+/g, ' ').trim()")
                      .arg(quoted(selector)))
            .toString();
    }

    QStringList texts(const QString& selector)
    {
        QStringList list;
        for (const QJsonValue& v :
             js(QStringLiteral("[...document.querySelectorAll(%1)].map((e) => "
                               "e.innerText.replace(/\\s+/g, ' ').trim())")
                    .arg(quoted(selector)))
                 .toArray())
            list << v.toString();
        return list;
    }

    void click(const QString& selector)
    {
        js(QStringLiteral("document.querySelector(%1).click(), true").arg(quoted(selector)));
    }

    // Sets an input's value and lets the page hear of it as a person's typing.
    void type(const QString& selector, const QString& value, const char* event = "change")
    {
        js(QStringLiteral("{ const e = document.querySelector(%1); e.value = %2; "
                          "e.dispatchEvent(new Event('%3', {bubbles: true})); true }")
               .arg(quoted(selector), quoted(value), QLatin1String(event)));
    }

    QList<Row> rows()
    {
        QList<Row> list;
        for (const QJsonValue& v : js(QString::fromLatin1(RowsScript)).toArray()) {
            const QJsonObject o = v.toObject();
            Row row{o["key"].toString(), {}, {}, {}};
            for (const QJsonValue& c : o["cells"].toArray()) row.cells << c.toString();
            for (const QJsonValue& c : o["classes"].toArray()) row.classes << c.toString();
            for (const QJsonValue& c : o["spans"].toArray()) row.spans << c.toInt();
            list << row;
        }
        return list;
    }

    QStringList keys()
    {
        QStringList list;
        for (const Row& r : rows()) list << r.key;
        return list;
    }

    QList<QJsonObject> lines()
    {
        QList<QJsonObject> list;
        for (const QJsonValue& v : js(QString::fromLatin1(LinesScript)).toArray())
            list << v.toObject();
        return list;
    }

    QStringList lineKeys()
    {
        QStringList list;
        for (const QJsonObject& line : lines()) list << line["key"].toString();
        return list;
    }

    QString permalink()
    {
        return js("document.querySelector('.permalink').getAttribute('href')").toString();
    }

    static QString quoted(const QString& text)
    {
        return QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact))
            .mid(1)
            .chopped(1);
    }

    QString page;
    QString browserPath;
    std::unique_ptr<headless::BrowserSession> browser;
};

#define NEED_BROWSER()                                                    \
    do {                                                                  \
        if (browserPath.isEmpty()) GTEST_SKIP() << "no headless browser"; \
    } while (false)

// Leg times and ranks per runner in the class order, a stretch without splits as one cell,
// the fastest three shaded; elapsed times; sorting by the keyboard both ways, by a leg, by
// name and by club.
TEST_F(ViewerInBrowser, TableShowsOurTimesAndRanksAndSortsBothWays)
{
    NEED_BROWSER();
    ASSERT_TRUE(open(QString()));
    QList<Row> laps = rows();
    ASSERT_EQ(laps.size(), 4);
    EXPECT_EQ(laps[0].cells,
              (QStringList{"1", "A Aクラブ", "15:00", "4:00 1", "10:00 1", "1:00 1"}));
    EXPECT_EQ(laps[0].classes.mid(3), (QStringList{"leg rank1", "leg rank1", "leg rank1"}));
    // D's merged time covers legs 1 and 2; its finish leg is the third fastest.
    EXPECT_EQ(laps[1].cells, (QStringList{"2", "D Dクラブ", "18:22", "17:00 -", "1:22 3"}));
    EXPECT_EQ(laps[1].spans[3], 2);
    EXPECT_EQ(laps[1].classes[4], "leg rank3");
    EXPECT_EQ(laps[3].cells,
              (QStringList{"4", "C Cクラブ", "20:44", "4:30 2", "15:00 3", "1:14 2"}));
    // The leg labels of the header, as the program labels legs.
    EXPECT_EQ(texts("thead th.leg"), (QStringList{"△→１", "１→２", "２→◎"}));

    // Elapsed times sorted at control 1: A 4:00, C 4:30, D (estimated) 4:33, B 5:00.
    ASSERT_TRUE(open(QStringLiteral("#c=M21&m=sum&s=1")));
    const QList<Row> sums = rows();
    ASSERT_EQ(sums.size(), 4);
    EXPECT_EQ(ids({sums[0].key, sums[1].key, sums[2].key, sums[3].key}), "A|C|D|B");
    EXPECT_EQ(sums[0].cells.mid(3), (QStringList{"4:00 1", "14:00 1", "15:00 1"}));
    EXPECT_EQ(sums[2].cells.mid(3), (QStringList{"n/a 3", "17:00 2", "18:22 2"}));

    // Headings are buttons: reached by the keyboard, Enter sorts, Enter again turns it round.
    // Leg 2 ranks A 1, B 2, C 3; D has no rank there and stays last either way.
    ASSERT_TRUE(open(QString()));
    const struct {
        const char* button;
        const char* order;
        const char* sort;
        const char* ariaSort;
    } presses[] = {
        {"2", "A|B|C|D", "s=2", "ascending"},   {"2", "C|B|A|D", "s=-2", "descending"},
        {"name", "A|B|C|D", "s=name", nullptr}, {"name", "D|C|B|A", "s=-name", nullptr},
        {"club", "A|B|C|D", "s=club", nullptr}, {"total", "A|D|B|C", "s=total", nullptr},
    };
    for (const auto& p : presses) {
        SCOPED_TRACE(p.button);
        js(QStringLiteral("document.querySelector('th button[data-sort=\"%1\"]').focus(), true")
               .arg(QLatin1String(p.button)));
        ASSERT_TRUE(browser->pressKey(QStringLiteral("Enter")));
        EXPECT_EQ(ids(keys()), p.order);
        EXPECT_TRUE(permalink().contains(QLatin1String(p.sort))) << permalink().toStdString();
        if (p.ariaSort) {
            EXPECT_EQ(
                js("document.querySelector('th.leg[data-sort=\"2\"]').getAttribute('aria-sort')")
                    .toString(),
                p.ariaSort);
        }
    }
    browser->screenshot(QStringLiteral("viewer_table_wide.png"));
    ASSERT_TRUE(open(QString(), 390, 844, true));
    EXPECT_EQ(keys().size(), 4);
    browser->screenshot(QStringLiteral("viewer_table_phone.png"));
}

// The fragment chooses class, runners, view and reference; without runners the first five are
// chosen; names written like markup stay text; a big class puts only the rows around the
// scrolled place in the page, and the search box narrows them.
TEST_F(ViewerInBrowser, FragmentChoosesClassRunnersAndGraphLines)
{
    NEED_BROWSER();
    ASSERT_TRUE(open(QString()));
    EXPECT_EQ(permalink(), "#c=M21&r=A&r=D&r=B&r=C&v=table&ref=winner&m=lap&s=total&mt=20&mp=10");

    ASSERT_TRUE(open(QStringLiteral("#c=W21&v=graph")));
    const QStringList firstFive{Script, Closing, "E", "F", "G"};
    EXPECT_EQ(lineKeys(), firstFive);
    EXPECT_EQ(keys().size(), 7);
    EXPECT_EQ(js("document.querySelectorAll('img, b').length").toInt(), 0)
        << "a name became an element";
    EXPECT_TRUE(texts(".picker li").join(' ').contains(QString::fromUtf8(Closing)));

    ASSERT_TRUE(open(QStringLiteral("#c=W21&r=F&r=E&r=nobody&v=graph&ref=top3")));
    EXPECT_EQ(lineKeys(), (QStringList{"F", "E"}));
    EXPECT_EQ(permalink(), "#c=W21&r=F&r=E&v=graph&ref=top3&m=lap&s=total&mt=20&mp=10");

    ASSERT_TRUE(open(QStringLiteral("#c=W21&r=&v=graph")));
    EXPECT_TRUE(lineKeys().isEmpty());
    EXPECT_EQ(text(".view-slot .empty"), "比べる選手を選んでください");

    ASSERT_TRUE(open(QStringLiteral("#c=W21")));
    type(QStringLiteral("input[type=search]"), QStringLiteral("ｆ"), "input");  // width ignored
    EXPECT_EQ(keys(), QStringList{"F"});
    type(QStringLiteral("input[type=search]"), QString(), "input");
    EXPECT_EQ(keys().size(), 7);
}

// Miss times and the runner card give the measures of our analysis; the worst legs are those
// that lost the most time, and a merged leg is named by its whole stretch.
TEST_F(ViewerInBrowser, MissBarsAndCardsShowTheAnalysis)
{
    NEED_BROWSER();
    // A long leg a little slow and a run-in of seven seconds run in fourteen: the run-in has the
    // far worse ratio, the long leg lost far more time.
    addClass(QStringLiteral("M40"), 2, true,
             {{"X", {"11:00", "10:00", "0:14"}},
              {"Y", {"10:00", "10:30", "0:07"}},
              {"Z", {"10:10", "10:40", "0:08"}}});
    ASSERT_TRUE(basAnalyze::AnalyzeClass(QStringLiteral("M21")));
    const int c = runnerIndex(QStringLiteral("C"));
    QStringList expected;
    for (int l = 1; l <= 3; ++l) {
        const double miss = ws().MissTime(c, l);
        expected << (miss > 0 ? "+" : "") + CbasGeneral::FormatLapTime(miss).trimmed();
    }
    EXPECT_EQ(expected, (QStringList{"-0:40", "+0:49", "-0:09"}));
    ASSERT_TRUE(open(QStringLiteral("#c=M21&r=C&v=miss")));
    const QString bars = js("document.querySelector('svg.miss-bars').textContent").toString();
    for (const QString& t : expected) EXPECT_TRUE(bars.contains(t)) << bars.toStdString();
    EXPECT_TRUE(bars.contains(QStringLiteral("難易度 103"))) << bars.toStdString();
    // A leg run faster than the cruise pace is never drawn as a loss.
    EXPECT_EQ(js("[...document.querySelectorAll('rect.miss-bar')].map((r) => "
                 "Number(r.getAttribute('width')) > 0)")
                  .toArray(),
              (QJsonArray{false, true, false}));
    browser->screenshot(QStringLiteral("viewer_miss_wide.png"));

    ASSERT_TRUE(open(QStringLiteral("#c=M21&r=A&r=D&v=card")));
    const QStringList cards = texts("article.card");
    ASSERT_EQ(cards.size(), 2);
    for (const char* t :
         {"記録 15:00", "順位 1位 / 4人", "相対値 83%", "巡航速度 81%", "ミス率 2.5%",
          "ミスなしタイム 14:37", "ワーストレッグ (失った時間) △→１ 4:00 (89%) ミス +0:21 ２→◎"})
        EXPECT_TRUE(cards[0].contains(QString::fromUtf8(t)))
            << t << " in " << cards[0].toStdString();
    EXPECT_TRUE(cards[1].contains(QStringLiteral("△→２ 17:00 (101%)"))) << cards[1].toStdString();
    EXPECT_TRUE(text(".glossary").contains(QStringLiteral("巡航速度:")));

    ASSERT_TRUE(open(QStringLiteral("#c=M40&r=X&v=card")));
    EXPECT_TRUE(text("article.card ol.worst li").startsWith(QStringLiteral("△→１ 11:00")))
        << text("article.card ol.worst").toStdString();
    browser->screenshot(QStringLiteral("viewer_card_wide.png"));
}

// A leg counts as a mistake when it lost both the seconds and the share of its cruise time that
// the reader sets; mistakes are marked in the table with a mark, and add up per runner.
TEST_F(ViewerInBrowser, MistakesFollowTheThresholdTheReaderSets)
{
    NEED_BROWSER();
    // Misses of the example: A +21.1 s (9.6 % of its cruise time), B +37.3 s (14 %) on leg 1
    // and +19.9 s (28 %) on leg 3, C +49.2 s (5.8 %) on leg 2, D +9.3 s.
    // The marked cells as runner and the last leg the cell holds.
    const auto marked = [this] {
        QStringList list;
        for (const Row& r : rows()) {
            int leg = 0;
            for (int i = 3; i < r.cells.size(); ++i) {
                leg += r.spans[i];
                if (r.classes[i].contains(QLatin1String("mistake")) &&
                    r.cells[i].startsWith(QStringLiteral("▼")))
                    list << r.key + QString::number(leg);
            }
        }
        list.sort();
        return ids(list);
    };
    const struct {
        const char* fragment;
        const char* seconds;
        const char* percent;
        const char* marks;
    } cases[] = {
        {"", nullptr, nullptr, "B1"},
        {"", "15", "5", "A1|B1|B3|C2"},
        {"#c=M21&mt=30&mp=5", nullptr, nullptr, "B1|C2"},
        {"#c=M21&mt=1&mp=0", nullptr, nullptr, "A1|A3|B1|B3|C2|D3"},
        // Nothing shown as lost is a mistake, whatever the threshold.
        {"#c=M21&mt=0&mp=0", nullptr, nullptr, "A1|A3|B1|B3|C2|D3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.marks);
        ASSERT_TRUE(open(QString::fromLatin1(c.fragment)));
        if (c.seconds) {
            type(QStringLiteral(".threshold-seconds"), QString::fromLatin1(c.seconds));
            type(QStringLiteral(".threshold-percent"), QString::fromLatin1(c.percent));
            EXPECT_TRUE(permalink().endsWith(QStringLiteral("&mt=15&mp=5")));
        }
        EXPECT_EQ(marked(), c.marks);
    }
    EXPECT_TRUE(text(".legend-table").contains(QStringLiteral("▼")));

    ASSERT_TRUE(open(QStringLiteral("#c=M21&r=B&r=C&v=miss")));
    EXPECT_EQ(texts(".miss-summary tbody tr"),
              (QStringList{"B 1回 0:37 17:53", "C 0回 0:00 20:44"}));
}

// Runs that are not OK show their status in words where a total would be, are never ranked,
// and keep the splits they have.
TEST_F(ViewerInBrowser, StatusesShowInWordsAndAreNeverRanked)
{
    NEED_BROWSER();
    clsClassData& cls = addClass(QStringLiteral("M50"), 2, true,
                                 {{"OK1", {"4:00", "5:00", "1:00"}},
                                  {"OK2", {"4:10", "5:10", "1:00"}},
                                  {"MP", {"4:05", "n/a", "1:00"}, "12:00"},
                                  {"DNF", {"3:50", "n/a", "n/a"}},
                                  {"DNS", {"", "", ""}}});
    const std::pair<const char*, RunStatus> statuses[] = {{"MP", RunStatus::MissingPunch},
                                                          {"DNF", RunStatus::DidNotFinish},
                                                          {"DNS", RunStatus::DidNotStart}};
    for (int r = 1; r <= cls.ClassRunnerCount(); ++r)
        for (const auto& [name, status] : statuses)
            if (cls.Item(r).Namae == QLatin1String(name)) cls.Item(r).Status = status;
    ASSERT_TRUE(open(QStringLiteral("#c=M50")));
    QStringList shown;
    for (const Row& r : rows())
        shown << r.key + ":" + r.cells[0] + ":" + r.cells[2] + ":" + r.cells[3];
    // The ranked runs first, then the others in class order.
    EXPECT_EQ(ids(shown).toStdString(),
              "OK1:1:10:00:4:00 2|OK2:2:10:20:4:10 4|DNS:-:欠場:n/a -|"
              "MP:-:ミスパンチ:4:05 3|DNF:-:途中棄権:3:50 1");
    ASSERT_TRUE(open(QStringLiteral("#c=M50&r=MP&v=card")));
    EXPECT_TRUE(text("article.card").contains(QStringLiteral("記録 ミスパンチ 順位 -")))
        << text("article.card").toStdString();
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
    const std::pair<const char*, double> starts[] = {
        {"A", 36000}, {"B", 36120}, {"C", 36210}, {"D", 37200}};
    clsClassData& m21 = basDefinition::ClassList[QStringLiteral("M21")];
    for (int r = 1; r <= m21.ClassRunnerCount(); ++r)
        for (const auto& [name, start] : starts)
            if (m21.Item(r).Namae == QLatin1String(name)) m21.Item(r).StartTime = seconds(start);

    QString twenty = QStringLiteral("#c=M35&v=graph");
    for (int i = 1; i <= 20; ++i) twenty += QStringLiteral("&r=R%1").arg(i);
    ASSERT_TRUE(open(twenty));
    QSet<QString> dashes, looks;
    const QList<QJsonObject> drawn = lines();
    ASSERT_EQ(drawn.size(), 20);
    for (const QJsonObject& line : drawn) {
        dashes << line["dash"].toString();
        looks << line["dash"].toString() + line["colour"].toString();
        EXPECT_EQ(line["label"].toString(), line["key"].toString());
    }
    EXPECT_EQ(dashes.size(), 20);
    EXPECT_EQ(looks.size(), 20);

    for (const char* view : {"graph", "clock", "position", "percent"}) {
        SCOPED_TRACE(view);
        ASSERT_TRUE(open(QStringLiteral("#c=M21&v=%1").arg(QLatin1String(view))));
        EXPECT_EQ(lineKeys(), (QStringList{"A", "D", "B", "C"}));
        browser->screenshot(QStringLiteral("viewer_%1_wide.png").arg(QLatin1String(view)));
    }

    // Control 2 against the winner: the pointer over its line of the chart.
    ASSERT_TRUE(open(QStringLiteral("#c=M21&v=graph")));
    const QString pointAt = QStringLiteral(
        "(() => { const svg = document.querySelector('svg.chart'); svg.scrollIntoView();"
        " const r = svg.getBoundingClientRect();"
        " const line = [...svg.querySelectorAll('line.grid')].filter((l) => l.getAttribute('x1') "
        "=== l.getAttribute('x2'))[%1];"
        " const x = r.left + Number(line.getAttribute('x1')) * r.width / svg.viewBox.baseVal.width;"
        " return [x, r.top + r.height / 2]; })()");
    QJsonArray at = js(pointAt.arg(1)).toArray();
    ASSERT_TRUE(browser->moveMouse(at[0].toDouble(), at[1].toDouble()));
    QJsonObject readout = js(QString::fromLatin1(ReadoutScript)).toObject();
    EXPECT_EQ(readout["title"].toArray().first().toString(), "１→２");
    const QJsonArray expected{QJsonArray{"A", "10:00", "1", "0:00", "0:00"},
                              QJsonArray{"D", "17:00 (△→２)", "-", "+3:00", "0:00"},
                              QJsonArray{"B", "12:00", "2", "+3:00", "0:00"},
                              QJsonArray{"C", "15:00", "3", "+5:30", "+0:49"}};
    EXPECT_EQ(readout["rows"].toArray(), expected);

    // A at control 2 (14:00) against each reference; the arrow keys choose the control.
    const struct {
        const char* ref;
        const char* behind;
    } references[] = {{"winner", "0:00"},     {"fastest", "0:00"},     {"fastest25", "-3:30"},
                      {"fastest100", "-14:00"}, {"top3", "-2:50"}, {"r:C", "-5:30"}};
    for (const auto& r : references) {
        ASSERT_TRUE(open(QStringLiteral("#c=M21&v=graph&r=A&r=C&ref=%1").arg(QLatin1String(r.ref))));
        js("document.querySelector('svg.chart').dispatchEvent(new KeyboardEvent('keydown', "
           "{key: 'ArrowLeft'})), true");
        EXPECT_EQ(js(QString::fromLatin1(ReadoutScript)).toObject()["rows"].toArray()[0].toArray()[3],
                  QJsonValue(QLatin1String(r.behind)))
            << r.ref;
    }

    // On a phone a tap chooses the control: the first.
    ASSERT_TRUE(open(QStringLiteral("#c=M21&v=graph"), 390, 844, true));
    at = js(pointAt.arg(0)).toArray();
    ASSERT_TRUE(browser->tap(at[0].toDouble(), at[1].toDouble()));
    readout = js(QString::fromLatin1(ReadoutScript)).toObject();
    EXPECT_EQ(readout["title"].toArray().first().toString(), "△→１");
    browser->screenshot(QStringLiteral("viewer_graph_phone.png"));

    // B passed control 1 at 10:07:00; within two minutes: C at 10:08:00, not A at 10:04:00.
    ASSERT_TRUE(open(QStringLiteral("#c=M21&v=clock&ref=r:B&r=A&r=B&r=C")));
    js("(() => { const svg = document.querySelector('svg.chart'); svg.focus();"
       " for (let i = 0; i < 5; i++) svg.dispatchEvent(new KeyboardEvent('keydown', {key: "
       "'ArrowUp'}));"
       " svg.dispatchEvent(new KeyboardEvent('keydown', {key: 'ArrowDown'})); return true; })()");
    EXPECT_EQ(texts(".near li"), (QStringList{"10:07:00 B", "10:08:00 C +1:00"}));
    EXPECT_TRUE(
        text(".near .readout-title").startsWith(QStringLiteral("B の前後2分以内に１ を通過")));
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
    EXPECT_EQ(lineKeys(), (QStringList{"P", "R", "Q"}));
    // The marker of the finish sits on every line.
    EXPECT_EQ(js("document.querySelectorAll('svg.chart .marker circle').length").toInt(), 3);
    ASSERT_TRUE(basAnalyze::AnalyzeClass(QStringLiteral("M60")));
    const auto miss = [this](const char* name) {
        const double v = ws().MissTime(runnerIndex(QLatin1String(name)), 4);
        return (v * 86400 >= 0.5 ? "+" : "") + CbasGeneral::FormatLapTime(v).trimmed();
    };
    // Q's merged time covers legs 2 to 4, the leg of no time included.
    EXPECT_EQ(js(QString::fromLatin1(ReadoutScript)).toObject()["rows"].toArray(),
              (QJsonArray{QJsonArray{"P", "1:00", "1", "0:00", miss("P")},
                          QJsonArray{"R", "1:10", "2", "+0:50", miss("R")},
                          QJsonArray{"Q", "4:30 (１→◎)", "-", "+0:50", miss("Q")}}));
    browser->screenshot(QStringLiteral("viewer_zero_leg.png"));

    const QString venezia =
        testsupport::realDataPath(QStringLiteral("LukeWoodward-SplitsBrowser/venezia.xml"));
    if (venezia.isEmpty()) GTEST_SKIP() << "the real result files are not here";
    basDefinition::ResetRace();
    Prompts::ScopedPrompts scoped{std::make_unique<Prompts::ScriptedPrompts>()};
    basConvert::LoadRaceFile(venezia);
    ASSERT_EQ(basDefinition::FileResult, basDefinition::FileOk);
    writePage();
    ASSERT_TRUE(open(QStringLiteral("#c=SCUOLA 3&v=graph")));
    const int count = lineKeys().size();
    EXPECT_EQ(count, 5);
    EXPECT_EQ(js("document.querySelectorAll('svg.chart .marker circle').length").toInt(), count);
}

// The classes of a relay ("<class>-<leg>", variants of a leg after a blank) open as one relay
// with a leg to choose and a team view; classes that only look alike ("D-10", "D-12") stay
// classes, and the variants of a leg are never compared as one course.
TEST_F(ViewerInBrowser, RelayOpensAsOneRelayWithItsTeams)
{
    NEED_BROWSER();
    struct Member {
        const char* cls;
        const char* name;
        const char* team;
        double start;
        std::vector<QString> laps;
        RunStatus status = RunStatus::Ok;
    };
    const Member members[] = {
        {"R-1", "Ann", "T1", 36000, {"4:00", "2:00"}},
        {"R-1", "Ben", "T2", 36000, {"4:20", "2:10"}},
        {"R-1", "Cat", "T3", 36000, {"4:40", "2:20"}},
        {"R-2 A", "Dan", "T1", 36360, {"3:00", "2:00"}},
        {"R-2 A", "Eve", "T3", 36420, {"3:20", "2:00"}},
        {"R-2 B", "Fay", "T2", 36390, {"2:50", "2:00"}},
        {"R-3", "Gus", "T1", 36660, {"4:00", "2:00"}},
        {"R-3", "Hal", "T2", 36680, {"4:20", "2:10"}},
        {"R-3", "Ivy", "T3", 37160, {"4:00", "n/a"}, RunStatus::MissingPunch},
        {"D-10", "Jo", "T1", 0, {"4:00", "1:00"}},
        {"D-12", "Kim", "T1", 0, {"4:00", "1:00"}},
    };
    for (const Member& m : members) {
        const QString name = QString::fromLatin1(m.cls);
        clsClassData* cls = basDefinition::ClassList.find(name);
        if (!cls) {
            cls = &addClass(name, 1, true, {});
            cls->ClassLength = 2000;
            cls->ClassUpHeight = 50;
        }
        clsClassDataSub runner;
        runner.Namae = QString::fromLatin1(m.name);
        runner.Shozoku = QString::fromLatin1(m.team);
        runner.StartTime = seconds(m.start);
        runner.Status = m.status;
        for (size_t l = 0; l < m.laps.size(); ++l) runner.setLap(int(l) + 1, lapValue(m.laps[l]));
        cls->Add(runner);
    }
    ASSERT_TRUE(open(QStringLiteral("#c=R-2 A")));
    EXPECT_EQ(ids(texts("#class-select option")).toStdString(),
              "M21 (4人)|W21 (7人)|R (リレー 3走)|D-10 (1人)|D-12 (1人)");
    EXPECT_EQ(text("#class-select option:checked"), "R (リレー 3走)");
    EXPECT_EQ(ids(texts(".leg-select option")).toStdString(), "第1走|第2走 A|第2走 B|第3走");
    EXPECT_EQ(keys(), (QStringList{"Dan", "Eve"}));
    EXPECT_EQ(text(".course-choice"), QString()) << "variants of a leg offered as one course";
    type(QStringLiteral(".leg-select"),
         QString::number(
             js("document.querySelector('.leg-select').options[3].value").toString().toInt()));
    EXPECT_TRUE(permalink().startsWith(QStringLiteral("#c=R-3&"))) << permalink().toStdString();

    click(QStringLiteral("[data-view=team]"));
    // Each team: place, name, total; then per leg the member, the leg time (its rank on the
    // leg, variants together), the team's time and place after the leg, the changeover.
    EXPECT_EQ(
        ids(texts("table.teams tbody tr")).toStdString(),
        "1 T1 17:00 Ann 6:00 (1) 6:00 1位 10:06:00 Dan 5:00 (2) 11:00 1位 10:11:00 Gus 6:00 (1) "
        "17:00 1位 10:17:00|"
        "2 T2 17:50 Ben 6:30 (2) 6:30 2位 10:06:30 Fay 4:50 (1) 11:20 2位 10:11:20 Hal 6:30 (2) "
        "17:50 2位 10:17:50|"
        "- T3 Cat 7:00 (3) 7:00 3位 10:07:00 Eve 5:20 (3) 12:20 3位 10:12:20 Ivy ミスパンチ -");
    browser->screenshot(QStringLiteral("viewer_team_wide.png"));
    ASSERT_TRUE(open(QStringLiteral("#c=R-1&v=team"), 390, 844, true));
    EXPECT_EQ(texts("table.teams tbody tr").size(), 3);
    browser->screenshot(QStringLiteral("viewer_team_phone.png"));
}

// Classes on one course (same controls, length and climb) are compared in one field: every
// runner marked with its class, the ranks taken over the whole field, in the table and graphs.
TEST_F(ViewerInBrowser, ClassesOfOneCourseCompareTogether)
{
    NEED_BROWSER();
    clsClassData& w35 = addClass(QStringLiteral("W35"), 2, true, {{"S", {"3:50", "9:00", "1:05"}}});
    w35.ClassLength = 3500;
    w35.ClassUpHeight = 120;
    clsClassData& other =
        addClass(QStringLiteral("W40"), 2, true, {{"T", {"3:50", "9:00", "1:05"}}});
    other.ClassLength = 3600;  // another course
    other.ClassUpHeight = 120;
    ASSERT_TRUE(open(QStringLiteral("#c=M21")));
    EXPECT_EQ(text(".course-choice"), "同じコース: W35");
    click(QStringLiteral(".course-choice input"));
    EXPECT_TRUE(permalink().startsWith(QStringLiteral("#c=M21&w=W35&")))
        << permalink().toStdString();
    const QList<Row> both = rows();
    ASSERT_EQ(both.size(), 5);
    EXPECT_EQ(ids(both[0].cells).toStdString(), "1|S W35 Sクラブ|13:55|3:50 1|9:00 1|1:05 2");
    EXPECT_EQ(ids(both[1].cells).toStdString(), "2|A M21 Aクラブ|15:00|4:00 2|10:00 2|1:00 1");
    EXPECT_EQ(both[4].cells[5], "1:14 3");

    ASSERT_TRUE(open(QStringLiteral("#c=M21&w=W35&v=graph")));
    EXPECT_EQ(lineKeys(), (QStringList{"S@W35", "A", "D", "B", "C"}));
    EXPECT_EQ(js("document.querySelector('svg.chart text.line-name').textContent").toString(), "S");
    browser->screenshot(QStringLiteral("viewer_course_graph_wide.png"));
}

// Choosing a class or a view is a step Back returns from; the link button copies the address and
// says so; printing shows every row, and "every class" prints each class's table fitted to
// the page.
TEST_F(ViewerInBrowser, BackLinkAndPrint)
{
    NEED_BROWSER();
    ASSERT_TRUE(open(QStringLiteral("#c=M21")));
    click(QStringLiteral("[data-view=graph]"));
    type(QStringLiteral("#class-select"), QStringLiteral("1"));
    EXPECT_TRUE(permalink().startsWith(QStringLiteral("#c=W21&"))) << permalink().toStdString();
    const char* const shown =
        "document.querySelector('#class-select option:checked').textContent + ' ' + "
        "document.querySelector('.tabs [aria-pressed=true]').dataset.view";
    js("history.back(), true");
    ASSERT_TRUE(browser->waitFor(QStringLiteral("location.hash.startsWith('#c=M21&')")));
    EXPECT_EQ(js(shown).toString(), "M21 (4人) graph");
    js("history.back(), true");
    ASSERT_TRUE(browser->waitFor(QStringLiteral("location.hash.indexOf('v=table') > 0")));
    EXPECT_EQ(js(shown).toString(), "M21 (4人) table");

    browser->command(QStringLiteral("Browser.grantPermissions"),
                     {{"permissions", QJsonArray{"clipboardReadWrite", "clipboardSanitizedWrite"}}},
                     false);
    click(QStringLiteral(".permalink"));
    ASSERT_TRUE(
        browser->waitFor(QStringLiteral("document.querySelector('.link-status').textContent")));
    EXPECT_EQ(text(".link-status"), "リンクをコピーしました");
    EXPECT_EQ(js("navigator.clipboard.readText()").toString(), js("location.href").toString());

    // A class of thirty legs printed on a page a thousand pixels wide: no column cut off.
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
        "t.getBoundingClientRect().width <= innerWidth && "
        "[...t.querySelectorAll('td .t')].every((s) => s.scrollWidth <= s.clientWidth + 1))";
    EXPECT_TRUE(js(fits).toBool());
    click(QStringLiteral(".print-every"));
    EXPECT_EQ(ids(texts("#print-all h2")).toStdString(), "M21 4人|W21 7人|Long 2人");
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
    const QString path =
        testsupport::realDataPath(QStringLiteral("LukeWoodward-SplitsBrowser/eventdata6478"));
    if (path.isEmpty()) GTEST_SKIP() << "the real result files are not here";
    basDefinition::ResetRace();
    Prompts::ScopedPrompts scoped{std::make_unique<Prompts::ScriptedPrompts>()};
    basConvert::LoadRaceFile(path);
    ASSERT_EQ(basDefinition::FileResult, basDefinition::FileOk);
    writePage();
    // Per row: the text of each leg's cell, found by the columns the cells span.
    const char* const legTexts = R"(
      [...document.querySelectorAll('table.splits tbody tr[data-key]')].map((tr) => {
        const legs = []; let at = 0;
        for (const td of [...tr.cells].slice(3)) { at += td.colSpan; legs[at - 1] = td.innerText.replace(/\s+/g, ' ').replace('▼', '').trim(); }
        return [tr.dataset.key, tr.cells[0].innerText.trim(), tr.cells[2].innerText.trim(), legs]; }))";
    int compared = 0;
    // A window tall enough for every row of the largest class.
    ASSERT_TRUE(open(QString(), 1400, 6000));
    const QStringList names = basDefinition::ClassList.names();
    for (int c = 0; c < names.size(); ++c) {
        const QString& name = names[c];
        type(QStringLiteral("#class-select"), QString::number(c));
        const QJsonArray lap = js(QString::fromUtf8(legTexts)).toArray();
        click(QStringLiteral(".table-tools .mode button:last-child"));
        const QJsonArray sum = js(QString::fromUtf8(legTexts)).toArray();
        click(QStringLiteral(".table-tools .mode button:first-child"));
        ASSERT_TRUE(basAnalyze::AnalyzeClass(name));
        ASSERT_EQ(lap.size(), ws().AnaRunnerCount) << name.toStdString();
        std::map<QString, int> index;
        for (int r = 1; r <= ws().AnaRunnerCount; ++r) {
            QString key = ws().RunnerName(r);
            for (int n = 2; index.count(key); ++n)
                key = ws().RunnerName(r) + QStringLiteral("~%1").arg(n);
            index[key] = r;
        }
        const auto time = [](double days) { return CbasGeneral::FormatLapTime(days).trimmed(); };
        for (int row = 0; row < lap.size(); ++row) {
            const QJsonArray l = lap[row].toArray();
            const QJsonArray s = sum[row].toArray();
            ASSERT_EQ(s[0], l[0]);  // the same order in both modes
            const int r = index[l[0].toString()];
            ASSERT_GT(r, 0);
            const bool ranked = ws().TotalTime(r) > 0;
            EXPECT_EQ(l[1].toString(),
                      ranked ? QString::number(ws().TotalRank(r)) : QStringLiteral("-"));
            if (ranked) {
                EXPECT_EQ(l[2].toString(), time(ws().TotalTime(r)));
            }
            for (int g = 1; g <= ws().AnaLegCount; ++g) {
                const int rank = ws().LapRank(r, g);
                if (ws().LapState(r, g) == 0) {
                    EXPECT_EQ(
                        l[3].toArray()[g - 1].toString(),
                        time(ws().LapTime(r, g)) + ' ' + (rank > 0 ? QString::number(rank) : "-"))
                        << name.toStdString() << " " << l[0].toString().toStdString() << " leg "
                        << g;
                }
                if (ws().LapState(r, g) >= 0 && ws().SumState(r, g) != -2) {
                    EXPECT_EQ(
                        s[3].toArray()[g - 1].toString(),
                        time(ws().EstSumTime(r, g)) + ' ' + QString::number(ws().EstSumRank(r, g)))
                        << name.toStdString() << " " << l[0].toString().toStdString() << " leg "
                        << g;
                }
                compared += 2;
            }
        }
    }
    EXPECT_GT(compared, 40000);
}

}  // namespace
