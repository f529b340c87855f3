// Chart images of a batch into a folder that holds an earlier batch's images: only the images of
// what changed are drawn again, and the folder ends as a batch into an empty folder leaves it.
#include "chart/chartcommands.h"
#include "chart/charttest.h"
#include "race/outputkeys.h"
#include "race/race.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>

using namespace viewtest;

namespace {

class ChartKeys : public ChartTest {
protected:
    void SetUp() override
    {
        ChartTest::SetUp();
        buildRace();
    }
    static void buildRace()
    {
        testDocument().resetRace();
        testRace().RaceInfo.RaceName = QStringLiteral("Live");
        testRace().RaceInfo.RaceDate = QDate(2004, 5, 16);
        addClass(
            QStringLiteral("M21"), 1, true,
            {{"A", {"10:00", "5:00"}, "", "10:00:00"}, {"B", {"11:00", "6:00"}, "", "10:02:00"}});
        addClass(QStringLiteral("W21"), 1, true, {{"C", {"12:00", "5:00"}, "", "10:30:00"}});
    }
    // Draws and writes the images the folder's keys leave; the names of those drawn.
    static QStringList batch(const QString& folder, bool keyed = true)
    {
        OutputKeys::KeyFolder keys(folder);
        const std::vector<basChart::ChartPngJob> jobs =
            basChart::RaceChartJobs(testRace(), "CHART", folder, "Live",
                                    testRace().ClassList.names(), keyed ? &keys : nullptr);
        QStringList drawn;
        basChart::SaveChartPngs(jobs, [&](size_t i, bool ok) {
            EXPECT_TRUE(ok);
            keys.record(jobs[i].fileName, jobs[i].key);
            drawn << QFileInfo(jobs[i].fileName).fileName();
        });
        keys.save();
        return drawn;
    }
};

TEST_F(ChartKeys, OnlyTheImagesOfWhatChangedAreDrawnAgain)
{
    const QString m1 = "04_live_m21_1.png", m2 = "04_live_m21_2.png", w1 = "04_live_w21_1.png",
                  w2 = "04_live_w21_2.png";
    const struct {
        const char* change;
        std::function<void(const QString& folder)> apply;
        QStringList drawn;
    } rows[] = {
        {"nothing", [](const QString&) {}, {}},
        {"a leg of a runner",
         [](const QString&) {
             clsClassData& m21 = testRace().ClassList["M21"];
             clsClassDataSub runner = m21.RunnersAsAdded().front();
             const clsClassDataSub other = m21.RunnersAsAdded().back();
             runner.setLap(1, runner.Lap(1) + 30 / 86400.0);
             runner.Total = 0;
             m21.ClearItem();
             m21.Add(runner);
             m21.Add(other);
         },
         {m1, m2}},
        {"the race header",
         [](const QString&) { testRace().RaceInfo.RacePlace = "Forest"; },
         {m1, m2, w1, w2}},
        {"an image removed", [&](const QString& f) { QFile::remove(f + "/" + w2); }, {w2}},
    };
    int n = 0;
    for (const auto& row : rows) {
        buildRace();
        const QString folder = tempPath(QStringLiteral("web%1").arg(++n));
        ASSERT_TRUE(QDir().mkpath(folder));
        EXPECT_EQ(batch(folder).size(), 4) << row.change;
        row.apply(folder);
        EXPECT_EQ(batch(folder).join(' ').toStdString(), row.drawn.join(' ').toStdString())
            << row.change;

        const QString fresh = folder + "-fresh";
        ASSERT_TRUE(QDir().mkpath(fresh));
        batch(fresh, false);
        const QStringList images = QDir(fresh).entryList(QDir::Files);
        EXPECT_EQ(QDir(folder).entryList(QDir::Files), images) << row.change;
        for (const QString& image : images) {
            EXPECT_EQ(testsupport::readBytes(folder + "/" + image),
                      testsupport::readBytes(fresh + "/" + image))
                << row.change << " " << image.toStdString();
        }
    }
}

}  // namespace
