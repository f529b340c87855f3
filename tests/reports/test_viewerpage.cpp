// The race viewer's page: the analysis it carries, what it may contain, and how it is written.
#include "common/scriptedprompts.h"
#include "htmlfixtures.h"
#include "lapfiles/racefile.h"
#include "race/prompts.h"
#include "race/racetime.h"
#include "reports/analysisjson.h"
#include "reports/viewerdata.h"
#include "reports/viewerpage.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include <cmath>
#include <cstring>
#include <map>

using namespace analysistest;

namespace {

QByteArray between(const QByteArray& text, const QByteArray& open, const QByteArray& close)
{
    const int start = text.indexOf(open);
    if (start < 0) return QByteArray();
    const int from = start + open.size();
    return text.mid(from, text.indexOf(close, from) - from);
}

QByteArray dataOf(const QByteArray& page)
{
    return between(page, "<script type=\"application/json\" id=\"race-data\">", "</script>");
}

class ViewerPage : public HtmlWorkedExample {
protected:
    // The worked example class, a class whose runners are named like markup and line breaks,
    // and a class without runners.
    void SetUp() override
    {
        HtmlWorkedExample::SetUp();
        testRace().RaceInfo.RaceName = QStringLiteral("春の大会 </script>");
        addClass(QStringLiteral("W<21>"), 1, true,
                 {{QString::fromUtf8("</script><!--"), {"3:00", "2:00"}},
                  {QString::fromUtf8("行\u2028分け\u2029"), {"3:10", ""}}});
        addClass(QStringLiteral("Empty"), 4, false, {});
    }
};

// A packed column read back: its values, width digits each.
std::vector<int> unpacked(const QJsonValue& column)
{
    const QJsonObject o = column.toObject();
    const int width = o["width"].toInt();
    const QString text = o["text"].toString();
    std::vector<int> values;
    for (qsizetype at = 0; at + width <= text.size(); at += width) {
        int v = 0;
        for (int k = 0; k < width; ++k)
            v = v * 90 +
                static_cast<int>(std::strchr(basExport::PackedDigits, text[at + k].toLatin1()) -
                                 basExport::PackedDigits);
        values.push_back(v);
    }
    return values;
}

// Every leg value of a runner as the page reads it from the data, by key.
std::map<QString, std::vector<double>> viewerLegs(const QJsonObject& c, int r)
{
    const size_t legs = static_cast<size_t>(c["AnaLegCount"].toInt());
    const auto slice = [&](const QJsonValue& column, size_t at, int plus) {
        const std::vector<int> all = unpacked(column);
        std::vector<double> out(legs, 0);
        for (size_t l = 0; l < legs && at + l < all.size(); ++l) out[l] = all[at + l] + plus;
        return out;
    };
    // States: packed plus 2 for the runners that have any but 0.
    const auto states = [&](const char* key) {
        const QJsonObject column = c[key].toObject();
        const QJsonValue text = column["runners"].toObject()[QString::number(r)];
        return slice(QJsonObject{{"width", column["width"]}, {"text", text.toString()}}, 0,
                     -2 * text.isString());
    };
    std::vector<double> lap = slice(c["LapTime"], r * legs, 0);
    for (double& t : lap) t = t == 0 ? -172800 : (t - 1) / c["LapScale"].toDouble();
    const std::vector<double> state = states("LapState");
    // Elapsed times unless the data gives them: the running sum of the positive legs, a merged
    // time (legs k..l) spread by the top averages of its legs.
    std::vector<double> elapsed;
    double sum = 0;
    for (size_t l = 0; l < legs; ++l) elapsed.push_back(sum += std::max(0.0, lap[l]));
    const QJsonArray top = c["TopAverage"].toArray();
    for (size_t l = 0; l < legs; ++l) {
        double weight = 0, covered = 0;
        for (int m = int(state[l]) - 1; state[l] > 0 && m <= int(l); ++m)
            weight += top[m].toDouble();
        for (int m = int(state[l]) - 1; weight > 0 && m <= int(l); ++m) {
            covered += top[m].toDouble();
            elapsed[m] = elapsed[l] - (1 - covered / weight) * lap[l];
        }
    }
    const QJsonValue given = c["EstSumTime"].toObject()[QString::number(r)];
    for (size_t l = 0; given.isArray() && l < legs; ++l)
        elapsed[l] = given.toArray()[int(l)].toDouble();
    return {{"LapTime", lap},
            {"LapState", state},
            {"LapRank", slice(c["LapRank"], r * legs, 0)},
            {"SumState", states("SumState")},
            {"EstSumTime", elapsed},
            {"EstSumRank", slice(c["EstSumRank"], r * legs, 0)}};
}

// Every value the viewer carries is the analysis' own, by column instead of by runner, in the
// precision the page shows it.
TEST_F(ViewerPage, DataIsTheAnalysisByColumn)
{
    const QStringList names = testRace().ClassList.names();
    const QJsonObject rows = basExport::AnalysisJson(testRace(), names, false);
    QJsonParseError error;
    const QJsonObject columns =
        QJsonDocument::fromJson(dataOf(basExport::ViewerPage(testRace(), names)), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_EQ(columns["RaceName"], rows["RaceName"]);
    EXPECT_EQ(columns["RaceDate"].toString(), "2024-05-12");

    const QJsonArray classes = columns["classes"].toArray();
    ASSERT_EQ(classes.size(), 3);
    const char* const runnerKeys[] = {"RunnerName", "RunnerShozoku", "RunnerStartTime", "TotalTime",
                                      "CruiseSpeed"};
    // Values kept as the page shows them: the analysis value times the factor, whole.
    const std::pair<const char*, double> shownKeys[] = {
        {"RelativeValue", 100}, {"MissRate", 1000}, {"MissTimeTotal", 1}, {"NoMissTime", 1}};
    const char* const legKeys[] = {"LapTime",  "LapState",   "LapRank",
                                   "SumState", "EstSumTime", "EstSumRank"};
    int compared = 0;
    for (int c = 0; c < classes.size(); ++c) {
        const QJsonObject viewer = classes[c].toObject();
        const QJsonObject analysis = rows["classes"].toArray()[c].toObject();
        for (const char* key : {"AnaClassName", "AnaControlCount", "AnaLegCount", "AnaRunnerCount",
                                "TopTotal", "TopAverage"})
            EXPECT_EQ(viewer[key], analysis[key]) << key;
        const int legs = analysis["AnaLegCount"].toInt();
        for (int l = 0; l < legs; ++l)
            EXPECT_EQ(viewer["Difficulty2"].toArray()[l].toDouble(),
                      std::round(analysis["Difficulty2"].toArray()[l].toDouble() * 100));
        const QJsonArray runners = analysis["runners"].toArray();
        for (int r = 0; r < runners.size(); ++r) {
            const QJsonObject runner = runners[r].toObject();
            for (const char* key : runnerKeys) {
                const QJsonValue v = viewer[key].toArray()[r];
                if (v.isString())
                    EXPECT_EQ(v, runner[key]) << key;
                else
                    EXPECT_NEAR(v.toDouble(), runner[key].toDouble(), 5e-4) << key;
                ++compared;
            }
            for (const auto& [key, factor] : shownKeys) {
                EXPECT_EQ(viewer[key].toArray()[r].toDouble(),
                          std::round(runner[key].toDouble() * factor))
                    << key << " runner " << r;
                ++compared;
            }
            const auto shown = viewerLegs(viewer, r);
            for (const char* key : legKeys) {
                for (int l = 0; l < legs; ++l) {
                    EXPECT_NEAR(shown.at(key)[l], runner[key].toArray()[l].toDouble(), 5e-4)
                        << key << " runner " << r << " leg " << l;
                    ++compared;
                }
            }
        }
    }
    EXPECT_EQ(compared, 4 * (9 + 6 * 3) + 2 * (9 + 6 * 2));
    // Only D has states besides 0 (its merged leg); the page spreads its merged time itself.
    EXPECT_EQ(classes[0].toObject()["LapState"].toObject()["runners"].toObject().keys(),
              QStringList{"1"});
    EXPECT_TRUE(classes[0].toObject()["EstSumTime"].toObject().isEmpty());
    EXPECT_EQ(classes[0].toObject()["Status"], QJsonValue(0));
}

// Whole numbers packed as digits of 90 characters read back as they were, in as few digits as
// the largest needs.
TEST(ViewerPacking, ValuesComeBackInTheFewestDigits)
{
    const struct {
        std::vector<int> values;
        int width;
    } cases[] = {
        {{0, 1, 89}, 1}, {{90, 0}, 2}, {{8099, 7}, 2}, {{8100}, 3}, {{172801, 0, 3600}, 3}, {{}, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(basExport::PackedWidth(c.values), c.width);
        const QString text = basExport::PackedText(c.values, c.width);
        ASSERT_EQ(text.size(), static_cast<qsizetype>(c.values.size()) * c.width);
        EXPECT_FALSE(text.contains(QLatin1Char('<')) || text.contains(QLatin1Char('\\')) ||
                     text.contains(QLatin1Char('"')));
        EXPECT_EQ(unpacked(QJsonObject{{"width", c.width}, {"text", text}}), c.values);
    }
}

// The page of a real OE export is no larger than the file it was read from.
TEST(ViewerPageSize, NoLargerThanTheExportItShows)
{
    const QString path =
        testsupport::realDataPath(QStringLiteral("LukeWoodward-SplitsBrowser/eventdata6478"));
    if (path.isEmpty()) GTEST_SKIP() << "the real result files are not here";
    testDocument().resetRace();
    Prompts::ScopedPrompts scoped{std::make_unique<Prompts::ScriptedPrompts>()};
    ASSERT_TRUE(basConvert::LoadRaceFile(testDocument(), path).loaded());
    const QByteArray page = basExport::ViewerPage(testRace(), testRace().ClassList.names());
    EXPECT_LE(page.size(), QFileInfo(path).size());
    testDocument().resetRace();
}

// No data can end its element or start markup, the one script is the one the policy allows,
// nothing is fetched, and the same race gives the same page.
TEST_F(ViewerPage, PageIsSelfContainedAndItsDataCannotBreakOut)
{
    const QStringList names = testRace().ClassList.names();
    const QByteArray page = basExport::ViewerPage(testRace(), names);
    const QByteArray data = dataOf(page);
    ASSERT_FALSE(data.isEmpty());
    EXPECT_FALSE(data.contains('<'));
    EXPECT_FALSE(data.contains("\xE2\x80\xA8"));
    EXPECT_FALSE(data.contains("\xE2\x80\xA9"));
    QStringList w21;
    for (const QJsonValue& name : QJsonDocument::fromJson(data)
                                      .object()["classes"]
                                      .toArray()[1]
                                      .toObject()["RunnerName"]
                                      .toArray())
        w21 << name.toString();
    w21.sort();
    EXPECT_EQ(w21, (QStringList{QString::fromUtf8("</script><!--"),
                                QString::fromUtf8("行\u2028分け\u2029")}));

    EXPECT_EQ(page.count("<script"), 2);  // the data and the viewer's own script
    const QByteArray script = between(page, "<script>", "</script>");
    const QByteArray hash = QCryptographicHash::hash(script, QCryptographicHash::Sha256).toBase64();
    EXPECT_TRUE(page.contains("script-src 'sha256-" + hash + "'"));
    EXPECT_TRUE(page.contains("default-src 'none'"));
    // The only address in the page is the SVG namespace, which is never fetched.
    const QRegularExpression address(QStringLiteral("(https?:)?//[a-z0-9.-]+\\.[a-z]{2,}"));
    for (auto m = address.globalMatch(QString::fromUtf8(page)); m.hasNext();)
        EXPECT_EQ(m.next().captured(0), QStringLiteral("http://www.w3.org"));

    EXPECT_EQ(basExport::ViewerPage(testRace(), names), page);
}

TEST_F(ViewerPage, WrittenWholeOrNotAtAll)
{
    const QStringList names = testRace().ClassList.names();
    const QString path = tempPath(QStringLiteral("race_viewer.html"));
    ASSERT_TRUE(basExport::WriteViewerPage(testRace(), path, names));
    EXPECT_EQ(testsupport::readBytes(path), basExport::ViewerPage(testRace(), names));
    // The same race again leaves the file as it was; a changed one replaces it.
    const QDateTime past = QDateTime::currentDateTime().addDays(-1);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    ASSERT_TRUE(file.setFileTime(past, QFileDevice::FileModificationTime));
    file.close();
    ASSERT_TRUE(basExport::WriteViewerPage(testRace(), path, names));
    EXPECT_EQ(QFileInfo(path).lastModified().toSecsSinceEpoch(), past.toSecsSinceEpoch());
    testRace().RaceInfo.RaceName = QStringLiteral("夏の大会");
    ASSERT_TRUE(basExport::WriteViewerPage(testRace(), path, names));
    EXPECT_GT(QFileInfo(path).lastModified(), past);
    EXPECT_TRUE(testsupport::readBytes(path).contains("夏の大会"));
    EXPECT_FALSE(
        basExport::WriteViewerPage(testRace(), tempPath(QStringLiteral("missing/v.html")), names));
    EXPECT_FALSE(
        basExport::WriteViewerPage(testRace(), tempDir(), names));  // a folder is never written
    EXPECT_EQ(basExport::ViewerFileName(QStringLiteral("24_cup")), "24_cup_viewer.html");
}

}  // namespace

// The analysis written a runner at a time is the indented document byte for byte: for the
// whole race (an empty class included), one class, or none.
TEST_F(ViewerPage, AnalysisWrittenPieceByPieceIsTheWholeDocument)
{
    const QStringList names = testRace().ClassList.names();
    for (const QStringList& chosen : {names, names.mid(1, 1), QStringList()}) {
        QByteArray written;
        basExport::WriteAnalysisJson(testRace(), chosen, true,
                                     [&written](const QByteArray& t) { written += t; });
        EXPECT_EQ(written,
                  QJsonDocument(basExport::AnalysisJson(testRace(), chosen, true)).toJson());
    }
}
