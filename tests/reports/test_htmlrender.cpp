// One page of each kind opened in a headless browser: the screenshot must show the table, in
// the colours of the page, with text on it. Skipped where no browser is installed. Setting
// SPLITDUEL_KEEP_SCREENSHOTS to a folder keeps the screenshots there for a look by eye.
#include "headlessbrowser.h"
#include "htmlfixtures.h"
#include "race/pathutil.h"

#include <QFile>
#include <QImage>
#include <QProcess>

#include <algorithm>
#include <vector>

namespace {

// The page as the output run writes it: CP932 with CR LF.
void writePage(const QString& path, const basExport::HtmlPage& page)
{
    QString text;
    for (const QString& line : page) text += line + QStringLiteral("\r\n");
    ASSERT_TRUE(CbasGeneral::WriteTextFileAtomic(path, text));
}

struct Ink {
    int colourPixels = 0;  // pixels of the colour looked for
    int darkPixels = 0;    // text
};

Ink countInk(const QImage& image, QRgb colour)
{
    Ink ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y) & 0xffffff;
            if (p == (colour & 0xffffff)) ++ink.colourPixels;
            if (qGray(p) < 80) ++ink.darkPixels;
        }
    return ink;
}

class HtmlRendering : public HtmlWorkedExample {
protected:
    // A screenshot of the page file, or a null image when the browser failed.
    QImage screenshot(const QString& browser, const QString& page)
    {
        const QString png = page + QStringLiteral(".png");
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(browser, headless::QuietFlags(tempPath(QStringLiteral("profile")))
                                   << "--screenshot=" + png << "--window-size=1000,700"
                                   << "file://" + page);
        if (!process.waitForFinished(120000)) {
            process.kill();
            process.waitForFinished();
            ADD_FAILURE() << "the browser did not finish";
            return QImage();
        }
        const QString keep = qEnvironmentVariable("SPLITDUEL_KEEP_SCREENSHOTS");
        if (!keep.isEmpty()) {
            const QString copy =
                CbasGeneral::AddPathSeparator(keep) + CbasGeneral::GetFileName(png);
            QFile::remove(copy);
            QFile::copy(png, copy);
        }
        return QImage(png);
    }
};

TEST_F(HtmlRendering, EveryKindOfPageShowsItsTable)
{
    const QString browser = headless::FindBrowser();
    if (browser.isEmpty()) GTEST_SKIP() << "no headless browser installed";

    basExport::HtmlPage results, leg;
    basExport::WriteResultsPage(results, testRace().RaceInfo, ws(),
                                basExport::OutputDataType::Analysis, false, 0);
    basExport::WriteLegPage(leg, ws());
    writePage(tempPath("02_race_m21.htm"), results);
    writePage(tempPath("02_race_leg_m21.htm"), leg);
    ASSERT_TRUE(
        basExport::WriteIndexPage(testRace(), tempDir() + QStringLiteral("/02_race_*.htm")));

    const struct {
        const char* file;
        QRgb colour;  // a background only that page's table has
    } cases[] = {{"02_race_m21.htm", qRgb(0x30, 0x50, 0xc0)},
                 {"02_race_leg_m21.htm", qRgb(0xff, 0xaa, 0x99)},
                 {"02_race_index.htm", qRgb(0xc0, 0x40, 0x40)}};
    for (const auto& c : cases) {
        const QImage image = screenshot(browser, tempPath(QString::fromLatin1(c.file)));
        ASSERT_FALSE(image.isNull()) << c.file;
        const Ink ink = countInk(image, c.colour);
        EXPECT_GT(ink.colourPixels, 1000) << c.file;
        EXPECT_GT(ink.darkPixels, 500) << c.file;
    }
}

// The heights of the runs of the colour down the column of the page where it is most frequent
// within the first 200 pixels: one run per label cell of that colour.
std::vector<int> cellHeights(const QImage& image, QRgb colour)
{
    int bestX = 0, bestCount = 0;
    for (int x = 0; x < std::min(200, image.width()); ++x) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            count += (image.pixel(x, y) & 0xffffff) == (colour & 0xffffff);
        if (count > bestCount) {
            bestCount = count;
            bestX = x;
        }
    }
    std::vector<int> heights;
    int run = 0;
    for (int y = 0; y <= image.height(); ++y) {
        if (y < image.height() && (image.pixel(bestX, y) & 0xffffff) == (colour & 0xffffff)) {
            ++run;
        } else if (run > 0) {
            heights.push_back(run);
            run = 0;
        }
    }
    return heights;
}

// A class wider than the window: the browser narrows every column as far as its cells let it.
// The cumulative times must stay on one line beside their ranks, as the lap times do, so every
// leg row of both sections has the height of one line.
TEST_F(HtmlRendering, CumulativeTimesStayOnOneLine)
{
    const QString browser = headless::FindBrowser();
    if (browser.isEmpty()) GTEST_SKIP() << "no headless browser installed";
    clsClassData& wide = analysistest::addClass(QStringLiteral("M40"), 3, true, {});
    for (int r = 0; r < 24; ++r)
        analysistest::addRunner(wide,
                                {QStringLiteral("Runner %1").arg(r),
                                 {QStringLiteral("4:%1").arg(10 + r), QStringLiteral("12:00"),
                                  QStringLiteral("9:%1").arg(30 + r), QStringLiteral("1:05")}});
    ASSERT_TRUE(analyze(QStringLiteral("M40")));
    basExport::HtmlPage page;
    basExport::WriteResultsPage(page, testRace().RaceInfo, ws(),
                                basExport::OutputDataType::LapsAndSums, false, 0);
    writePage(tempPath("02_race_m40.htm"), page);

    const QImage image = screenshot(browser, tempPath(QStringLiteral("02_race_m40.htm")));
    ASSERT_FALSE(image.isNull());
    const std::vector<int> heights = cellHeights(image, qRgb(0xbb, 0xdd, 0xff));
    ASSERT_EQ(heights.size(), 8u);  // four legs in each section
    const auto [low, high] = std::minmax_element(heights.begin(), heights.end());
    EXPECT_LE(*high, *low + 2) << "lap row " << heights.front() << " px, cumulative row "
                               << heights.back() << " px";
}

}  // namespace
