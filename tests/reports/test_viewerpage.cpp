// The race viewer's page: the analysis it carries, what it may contain, and how it is written.
#include "htmlfixtures.h"
#include "race/racetime.h"
#include "reports/analysisjson.h"
#include "reports/viewerpage.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

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
        basDefinition::RaceInfo.RaceName = QStringLiteral("春の大会 </script>");
        addClass(QStringLiteral("W<21>"), 1, true,
                 {{QString::fromUtf8("</script><!--"), {"3:00", "2:00"}},
                  {QString::fromUtf8("行\u2028分け\u2029"), {"3:10", ""}}});
        addClass(QStringLiteral("Empty"), 4, false, {});
    }
};

// Every value the viewer carries is the analysis' own, by column instead of by runner.
TEST_F(ViewerPage, DataIsTheAnalysisByColumn)
{
    const QStringList names = basDefinition::ClassList.names();
    const QJsonObject rows = basExport::AnalysisJson(names, false);
    QJsonParseError error;
    const QJsonObject columns =
        QJsonDocument::fromJson(dataOf(basExport::ViewerPage(names)), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_EQ(columns["RaceName"], rows["RaceName"]);
    EXPECT_EQ(columns["RaceDate"].toString(), "2024-05-12");

    const QJsonArray classes = columns["classes"].toArray();
    ASSERT_EQ(classes.size(), 3);
    const char* const runnerKeys[] = {
        "RunnerName", "RunnerShozoku", "RunnerStartTime", "TotalTime", "TotalRank", "RelativeValue",
        "CruiseTime", "CruiseSpeed",   "MissTimeTotal",   "MissRate",  "NoMissTime"};
    const char* const legKeys[] = {"LapTime",  "LapState",   "LapRank",
                                   "SumState", "EstSumTime", "EstSumRank"};
    int compared = 0;
    for (int c = 0; c < classes.size(); ++c) {
        const QJsonObject viewer = classes[c].toObject();
        const QJsonObject analysis = rows["classes"].toArray()[c].toObject();
        for (const char* key : {"AnaClassName", "AnaLegCount", "AnaRunnerCount", "TopTotal",
                                "TopAverage", "Difficulty2"})
            EXPECT_EQ(viewer[key], analysis[key]) << key;
        const int legs = analysis["AnaLegCount"].toInt();
        const QJsonArray labels = viewer["LegLabel"].toArray();
        ASSERT_EQ(labels.size(), legs);
        EXPECT_EQ(labels.last().toString(),
                  CbasGeneral::LegLabel(analysis["AnaControlCount"].toInt(), true, legs));
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
            for (const char* key : legKeys) {
                const QJsonValue legValues = viewer[key].toArray()[r];
                for (int l = 0; l < legs; ++l) {
                    // A state of 0 stands for a runner whose every leg is 0.
                    const double v = legValues.isArray() ? legValues.toArray()[l].toDouble() : 0;
                    EXPECT_NEAR(v, runner[key].toArray()[l].toDouble(), 5e-4)
                        << key << " runner " << r << " leg " << l;
                    ++compared;
                }
            }
        }
    }
    EXPECT_EQ(compared, 4 * (11 + 6 * 3) + 2 * (11 + 6 * 2));
    EXPECT_TRUE(classes[0].toObject()["LapState"].toArray()[1].isArray());  // D, merged
    EXPECT_EQ(classes[0].toObject()["LapState"].toArray()[0], QJsonValue(0));
}

// No data can end its element or start markup, the one script is the one the policy allows,
// nothing is fetched, and the same race gives the same page.
TEST_F(ViewerPage, PageIsSelfContainedAndItsDataCannotBreakOut)
{
    const QStringList names = basDefinition::ClassList.names();
    const QByteArray page = basExport::ViewerPage(names);
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

    EXPECT_EQ(basExport::ViewerPage(names), page);
}

TEST_F(ViewerPage, WrittenWholeOrNotAtAll)
{
    const QStringList names = basDefinition::ClassList.names();
    const QString path = tempPath(QStringLiteral("race_viewer.html"));
    ASSERT_TRUE(basExport::WriteViewerPage(path, names));
    EXPECT_EQ(testsupport::readBytes(path), basExport::ViewerPage(names));
    // The same race again leaves the file as it was; a changed one replaces it.
    const QDateTime past = QDateTime::currentDateTime().addDays(-1);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    ASSERT_TRUE(file.setFileTime(past, QFileDevice::FileModificationTime));
    file.close();
    ASSERT_TRUE(basExport::WriteViewerPage(path, names));
    EXPECT_EQ(QFileInfo(path).lastModified().toSecsSinceEpoch(), past.toSecsSinceEpoch());
    basDefinition::RaceInfo.RaceName = QStringLiteral("夏の大会");
    ASSERT_TRUE(basExport::WriteViewerPage(path, names));
    EXPECT_GT(QFileInfo(path).lastModified(), past);
    EXPECT_TRUE(testsupport::readBytes(path).contains("夏の大会"));
    EXPECT_FALSE(basExport::WriteViewerPage(tempPath(QStringLiteral("missing/v.html")), names));
    EXPECT_FALSE(basExport::WriteViewerPage(tempDir(), names));  // a folder is never written
    EXPECT_EQ(basExport::ViewerFileName(QStringLiteral("24_cup")), "24_cup_viewer.html");
}

}  // namespace

// The analysis written a runner at a time is the indented document byte for byte: for the
// whole race (an empty class included), one class, or none.
TEST_F(ViewerPage, AnalysisWrittenPieceByPieceIsTheWholeDocument)
{
    const QStringList names = basDefinition::ClassList.names();
    for (const QStringList& chosen : {names, names.mid(1, 1), QStringList()}) {
        QByteArray written;
        basExport::WriteAnalysisJson(chosen, true,
                                     [&written](const QByteArray& t) { written += t; });
        EXPECT_EQ(written, QJsonDocument(basExport::AnalysisJson(chosen, true)).toJson());
    }
}
