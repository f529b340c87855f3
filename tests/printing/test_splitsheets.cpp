// The split sheets drawn onto the PDF printer: positions and sizes as recorded in mm, and the
// PDF itself read back with the poppler tools.
#include "printing/splitsheets.h"
#include "printtest.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace CbasPrinter;
using printtest::Drawn;

namespace {

const QColor kBandGrey(221, 221, 221);

class SplitSheetTest : public RaceTest {
protected:
    SplitSheetJob job(std::initializer_list<QString> classes, int dataType = 0)
    {
        SplitSheetJob j;
        j.DataType = CbasPrinter::PrintDataTypeAt(dataType).value();
        j.Classes = classes;
        j.Settings = [](const QString&) { return QString(); };
        return j;
    }
    // Prints into a PDF, keeping the recorder for the checks.
    bool print(const SplitSheetJob& j)
    {
        pdfPath = tempPath(QStringLiteral("sheets%1.pdf").arg(++runs));
        device = std::make_unique<printtest::RecordingPdfDevice>(pdfPath);
        return PrintSplitSheets(testRace(), j, *device);
    }
    const printtest::RecordingCanvas& rec() const { return device->recorder; }
    // Horizontal centre of the first text with that content.
    double centreOf(const QString& text, int nth = 0) const
    {
        const auto found = rec().texts(text);
        EXPECT_GT(int(found.size()), nth) << text.toStdString();
        return int(found.size()) > nth ? found[nth].box.center().x() : -1;
    }
    std::vector<Drawn> bands() const
    {
        std::vector<Drawn> found;
        for (const Drawn& d : rec().of(Drawn::Fill))
            if (d.color == kBandGrey && d.box.height() > 100) found.push_back(d);
        return found;
    }

    int runs = 0;
    QString pdfPath;
    std::unique_ptr<printtest::RecordingPdfDevice> device;
};

// Three runners over three legs (two controls and the finish).
void smallClass(const QString& name, const QString& prefix)
{
    printtest::addClass(name,
                        {{prefix + QStringLiteral("一郎"), QStringLiteral("赤"), {60, 70, 80}},
                         {prefix + QStringLiteral("次郎"), QStringLiteral("青"), {65, 75, 85}},
                         {prefix + QStringLiteral("三郎"), QStringLiteral("緑"), {70, 80, 90}}});
}

}  // namespace

TEST_F(SplitSheetTest, DefaultColumnsAtFullSize)
{
    smallClass(QStringLiteral("M21"), QStringLiteral("山田"));
    ASSERT_TRUE(print(job({QStringLiteral("M21")})));
    // Left margin 10: the band 25 mm, the label column 22 mm, runner columns 21 + 2 mm apart.
    const auto band = bands();
    ASSERT_EQ(band.size(), 1u);
    EXPECT_NEAR(band[0].box.left(), 10, 1e-6);
    EXPECT_NEAR(band[0].box.width(), 1.02 * 25, 1e-6);
    EXPECT_NEAR(centreOf(QStringLiteral("名前")), 10 + 25 + 11, 0.01);
    // Names are centred over the data column plus 1 mm.
    EXPECT_NEAR(centreOf(QStringLiteral("山田一郎")), 10 + 25 + 22 + 11, 0.01);
    EXPECT_NEAR(centreOf(QStringLiteral("山田次郎")), 10 + 25 + 22 + 23 + 11, 0.01);
    EXPECT_NEAR(centreOf(QStringLiteral("山田三郎")), 10 + 25 + 22 + 46 + 11, 0.01);
    // Ranks end at the right edge of the data column; the class name is written vertically
    // (full-width, one character at a time, white shadow then black).
    const auto rank = rec().texts(QStringLiteral("1"));
    ASSERT_FALSE(rank.empty());
    EXPECT_NEAR(rank[0].box.right(), 10 + 25 + 22 + 21, 0.01);
    EXPECT_EQ(rec().texts(QStringLiteral("Ｍ")).size(), 2u);
    EXPECT_EQ(rec().texts(QStringLiteral("Ｍ"))[1].color, QColor(Qt::black));
    // Leg labels of lap times: from-to form.
    EXPECT_EQ(rec().texts(QStringLiteral("△→１")).size(), 1u);
    EXPECT_EQ(rec().texts(QStringLiteral("２→◎")).size(), 1u);

    if (!printtest::popplerAvailable()) GTEST_SKIP() << "poppler-utils missing";
    const auto info = printtest::pdfInfo(pdfPath);
    EXPECT_EQ(info.pages, 1);
    EXPECT_NEAR(info.widthPt, 595.3, 1);
    EXPECT_NEAR(info.heightPt, 841.9, 1);
    const QString text = printtest::pdfText(pdfPath);
    for (const char* t : {"山田一郎", "山田三郎", "名前", "所属", "記録", "1:00", "3:30"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(t))) << t;
}

TEST_F(SplitSheetTest, LongClassShrinksOnA5ButKeepsItsBand)
{
    std::vector<printtest::Runner> runners;
    for (int r = 0; r < 4; ++r) {
        printtest::Runner runner{QStringLiteral("選手%1").arg(r + 1), QStringLiteral("部"), {}};
        for (int k = 0; k < 30; ++k) runner.legs.push_back(60 + r * 5 + k);
        runners.push_back(runner);
    }
    printtest::addClass(QStringLiteral("W21"), runners);
    SplitSheetJob j = job({QStringLiteral("W21")}, 2);
    j.PaperCode = 11;
    ASSERT_TRUE(print(j));
    const auto band = bands();
    ASSERT_EQ(band.size(), 1u);
    EXPECT_NEAR(band[0].box.width(), 1.02 * 25, 1e-6);
    EXPECT_EQ(rec().texts(QStringLiteral("Ｗ"))[0].font.size, 60);
    // Everything else is smaller and the block stays above the bottom margin (210 - 10).
    const auto name = rec().texts(QStringLiteral("選手1"));
    ASSERT_EQ(name.size(), 1u);
    EXPECT_LT(name[0].font.size, 12);
    EXPECT_GT(name[0].font.size, 6);
    double bottom = 0;
    for (const Drawn& d : rec().of(Drawn::Text))
        if (d.font.size < 60) bottom = std::max(bottom, d.box.bottom());
    EXPECT_LT(bottom, 200.5);
    EXPECT_GT(bottom, 150);  // shrunk only as far as needed
    EXPECT_EQ(rec().page, 1);
    if (!printtest::popplerAvailable()) GTEST_SKIP() << "poppler-utils missing";
    const auto info = printtest::pdfInfo(pdfPath);
    EXPECT_NEAR(info.widthPt, 419.5, 1);
    EXPECT_NEAR(info.heightPt, 595.3, 1);
}

TEST_F(SplitSheetTest, SmallClassesShareAPageSideBySide)
{
    smallClass(QStringLiteral("M21"), QStringLiteral("山田"));
    smallClass(QStringLiteral("W21"), QStringLiteral("川上"));
    SplitSheetJob j = job({QStringLiteral("M21"), QStringLiteral("W21")});
    j.EachClass = false;
    ASSERT_TRUE(print(j));
    const auto band = bands();
    ASSERT_EQ(band.size(), 2u);
    // The first class balances its three runners into blocks of one column each, stacked down
    // the page; the second starts right of its widest block (25 band + 22 labels + 23) after
    // the 10 mm class gap.
    EXPECT_NEAR(band[1].box.left(), 10 + 25 + 22 + 23 + 10, 1e-6);
    EXPECT_EQ(band[1].page, 1);
    const Drawn first = rec().texts(QStringLiteral("山田一郎"))[0];
    const Drawn third = rec().texts(QStringLiteral("山田三郎"))[0];
    EXPECT_NEAR(third.box.center().x(), first.box.center().x(), 1e-6);
    EXPECT_GT(third.box.top(), first.box.bottom());
    // Zoom 50: the gap and every width halve.
    j.Zoom = 0.5;
    ASSERT_TRUE(print(j));
    ASSERT_EQ(bands().size(), 2u);
    EXPECT_NEAR(bands()[1].box.left(), 10 + (25 + 22 + 23 + 10) * 0.5, 1e-6);

    // With a page per class, the second class starts a page of its own.
    j.EachClass = true;
    ASSERT_TRUE(print(j));
    ASSERT_EQ(bands().size(), 2u);
    EXPECT_EQ(bands()[1].page, 2);
    EXPECT_NEAR(bands()[1].box.left(), 10, 1e-6);
    if (!printtest::popplerAvailable()) GTEST_SKIP() << "poppler-utils missing";
    EXPECT_EQ(printtest::pdfInfo(pdfPath).pages, 2);
}

TEST_F(SplitSheetTest, ManyRunnersWrapIntoBlocksAndPages)
{
    std::vector<printtest::Runner> runners;
    for (int r = 0; r < 40; ++r)
        runners.push_back({QStringLiteral("走者%1").arg(r + 1), QString(), {100.0 + r, 50}});
    printtest::addClass(QStringLiteral("M"), runners);
    ASSERT_TRUE(print(job({QStringLiteral("M")})));
    // A4 portrait: 190 mm usable width holds the band, the labels and 6 columns per block.
    const auto labels = rec().texts(QStringLiteral("名前"));
    ASSERT_GE(labels.size(), 7u);
    EXPECT_NEAR(rec().texts(QStringLiteral("走者7"))[0].box.center().x(), 10 + 25 + 22 + 11, 0.01);
    EXPECT_GT(rec().texts(QStringLiteral("走者7"))[0].box.top(),
              rec().texts(QStringLiteral("走者1"))[0].box.bottom());
    // Every runner is printed exactly once.
    for (int r = 1; r <= 40; ++r)
        EXPECT_EQ(rec().texts(QStringLiteral("走者%1").arg(r)).size(), 1u) << r;
}

TEST_F(SplitSheetTest, WhatEachDataTypeShows)
{
    printtest::addClass(QStringLiteral("M"), {{QStringLiteral("速い"), QString(), {60, 60, 60}},
                                              {QStringLiteral("普通"), QString(), {60, 60, 60}},
                                              {QStringLiteral("遅い"), QString(), {60, 60, 60}},
                                              {QStringLiteral("迷子"), QString(), {750, 60, 60}},
                                              {QStringLiteral("失格"), QString(), {60, 0, 60}}});
    const struct {
        int dataType;
        std::vector<const char*> present, absent;
    } cases[] = {
        {0, {"△→１", "12:30", "ミスパンチ", "-:--"}, {"巡航", "ミス計", "999%", "13:30"}},
        {1, {"１", "◎", "13:30", "ミスパンチ"}, {"△→１", "巡航"}},
        {2, {"△→１", "１", "12:30", "13:30"}, {"巡航", "999%"}},
        {3, {"△→１", "巡航", "ミス計", "ミス率", "999%", "100%"}, {}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(print(job({QStringLiteral("M")}, c.dataType))) << c.dataType;
        for (const char* t : c.present)
            EXPECT_FALSE(rec().texts(QString::fromUtf8(t)).empty()) << c.dataType << " " << t;
        for (const char* t : c.absent)
            EXPECT_TRUE(rec().texts(QString::fromUtf8(t)).empty()) << c.dataType << " " << t;
        // The runner without a valid total shows its status and no rank after it.
        const auto disq = rec().texts(QStringLiteral("ミスパンチ"));
        ASSERT_EQ(disq.size(), 1u);
        for (const Drawn& d : rec().of(Drawn::Text))
            if (d.box.top() == disq[0].box.top() && d.box.left() > disq[0].box.right())
                ADD_FAILURE() << "text beside the status: " << d.text.toStdString();
    }
}

// Long runs in the two-line layouts: totals above an hour, legs of an hour, miss totals of ten
// minutes. No text of a runner column crosses a column line or runs into the next field.
TEST_F(SplitSheetTest, TimesFitTheirFieldsBetweenTheColumnLines)
{
    std::vector<printtest::Runner> runners;
    for (int r = 0; r < 4; ++r)
        runners.push_back({QStringLiteral("走者%1").arg(r),
                           QStringLiteral("クラブ"),
                           {1200.0 + 100 * r, 3910.0 + 700 * r, 1300, 95}});
    printtest::addClass(QStringLiteral("M21"), runners);
    const QColor rule(96, 96, 96);
    for (int dataType : {2, 3}) {
        SCOPED_TRACE(dataType);
        ASSERT_TRUE(print(job({QStringLiteral("M21")}, dataType)));
        std::vector<double> rules;
        for (const Drawn& d : rec().of(Drawn::Line))
            if (d.color == rule && d.box.width() == 0) rules.push_back(d.box.left());
        ASSERT_FALSE(rules.empty());
        std::vector<Drawn> texts;
        for (const Drawn& d : rec().of(Drawn::Text))
            if (d.font.name != QStringLiteral("ＭＳ ゴシック") || d.font.size < 30)
                texts.push_back(d);  // all but the class name in the band
        for (size_t i = 0; i < texts.size(); ++i) {
            const QRectF& box = texts[i].box;
            for (double x : rules)
                EXPECT_FALSE(box.left() < x - 0.01 && box.right() > x + 0.01)
                    << texts[i].text.toStdString() << " crosses the line at " << x;
            for (size_t j = i + 1; j < texts.size(); ++j) {
                const QRectF both = box.intersected(texts[j].box);
                EXPECT_FALSE(both.width() > 0.2 &&
                             both.height() > 0.5 * std::min(box.height(), texts[j].box.height()))
                    << texts[i].text.toStdString() << " runs into " << texts[j].text.toStdString();
            }
        }
        EXPECT_FALSE(rec().texts(QStringLiteral("2:28:25")).empty());  // the slowest total
    }
}

// A class that goes on over several pages heads every page with its band, and its columns
// begin right of it.
TEST_F(SplitSheetTest, EveryPageOfAClassIsHeadedByItsBand)
{
    std::vector<printtest::Runner> runners;
    for (int r = 0; r < 30; ++r) {
        std::vector<double> legs(15, 100.0 + r);
        runners.push_back({QStringLiteral("走者%1").arg(r + 1), QString(), legs});
    }
    printtest::addClass(QStringLiteral("M21"), runners);
    for (int dataType : {0, 3}) {
        SCOPED_TRACE(dataType);
        ASSERT_TRUE(print(job({QStringLiteral("M21")}, dataType)));
        const int pages = rec().page;
        ASSERT_GE(pages, 2);
        const auto band = bands();
        ASSERT_EQ(int(band.size()), pages);
        for (int p = 1; p <= pages; ++p) EXPECT_EQ(band[p - 1].page, p);
        EXPECT_EQ(int(rec().texts(QStringLiteral("Ｍ")).size()), 2 * pages);  // shadow and ink
        for (int r = 1; r <= 30; ++r) {
            const auto name = rec().texts(QStringLiteral("走者%1").arg(r));
            ASSERT_EQ(name.size(), 1u) << r;
            EXPECT_GT(name[0].box.left(), band[name[0].page - 1].box.right()) << r;
        }
    }
}

TEST_F(SplitSheetTest, BestLegsHighlighted)
{
    smallClass(QStringLiteral("M21"), QStringLiteral("山田"));
    ASSERT_TRUE(print(job({QStringLiteral("M21")}, 0)));
    // One-line mode: a light fill for each leg winner, outlines for the first three.
    int fills = 0;
    for (const Drawn& d : rec().of(Drawn::Fill))
        if (d.color == QColor(238, 238, 238)) ++fills;
    EXPECT_EQ(fills, 3);
    EXPECT_EQ(rec().of(Drawn::Outline).size(), 1u + 9u);  // band outline and 3 x 3 legs
    // Elapsed times carry their ranks and the same marks.
    ASSERT_TRUE(print(job({QStringLiteral("M21")}, 1)));
    EXPECT_EQ(rec().of(Drawn::Outline).size(), 1u + 9u);
    EXPECT_EQ(rec().texts(QStringLiteral("3")).size(), 4u);  // total rank and three legs
    // Two-line mode: fills for the first three on both lines, column rules, no outlines.
    ASSERT_TRUE(print(job({QStringLiteral("M21")}, 2)));
    EXPECT_EQ(rec().of(Drawn::Outline).size(), 1u);
    int best = 0, others = 0;
    for (const Drawn& d : rec().of(Drawn::Fill)) {
        if (d.box.height() > 100) continue;
        if (d.color == kBandGrey) ++best;
        if (d.color == QColor(238, 238, 238)) ++others;
    }
    EXPECT_EQ(best, 6);
    EXPECT_EQ(others, 12);
    EXPECT_EQ(rec().of(Drawn::Line).size(), 4u + 9u);
}

TEST_F(SplitSheetTest, PagesWithoutRoomStillPrint)
{
    smallClass(QStringLiteral("M21"), QStringLiteral("山田"));
    const struct {
        const char* what;
        double top, left;
    } cases[] = {{"no height left", 200, 10}, {"no width left", 10, 100}};
    for (const auto& c : cases) {
        SplitSheetJob j = job({QStringLiteral("M21")});
        j.MarginTop = c.top;
        j.MarginLeft = c.left;
        ASSERT_TRUE(print(j)) << c.what;
        for (const char* name : {"山田一郎", "山田次郎", "山田三郎"})
            EXPECT_EQ(rec().texts(QString::fromUtf8(name)).size(), 1u) << c.what;
    }
}

TEST_F(SplitSheetTest, UnknownClassesAndNothingToPrint)
{
    smallClass(QStringLiteral("M21"), QStringLiteral("山田"));
    ASSERT_TRUE(print(job({QStringLiteral("X"), QStringLiteral("M21")})));
    EXPECT_EQ(bands().size(), 1u);
    ASSERT_TRUE(print(job({QStringLiteral("X")})));
    EXPECT_TRUE(rec().items.empty());
    EXPECT_FALSE(QFile::exists(pdfPath));
}

TEST_F(SplitSheetTest, UnwritablePdfFails)
{
    smallClass(QStringLiteral("M21"), QStringLiteral("山田"));
    SplitSheetJob j = job({QStringLiteral("M21")});
    printtest::RecordingPdfDevice dev(tempPath(QStringLiteral("missing/folder/x.pdf")));
    EXPECT_FALSE(PrintSplitSheets(testRace(), j, dev));
}

namespace {

// A printer with unprintable margins: A4 whose printable area starts 5 mm from the left and
// 6 mm from the top and is 200 x 280 mm (11 mm unprintable at the bottom).
class MarginPrinter : public printtest::RecordingPdfDevice {
public:
    using RecordingPdfDevice::RecordingPdfDevice;
    QRectF PrintableRectMm() const override { return QRectF(5, 6, 200, 280); }
};

}  // namespace

TEST_F(SplitSheetTest, MarginsOfAPrinterWithUnprintableEdges)
{
    smallClass(QStringLiteral("M21"), QStringLiteral("山田"));
    const struct {
        const char* what;
        double top, left;
        double bandX, bandY, bandH;
    } cases[] = {
        // Margins below the offsets are raised to them: drawing starts at the printable corner.
        // The bottom strip (11) is not below the top margin (6): H = 280 + 6 - 6.
        {"margins inside the unprintable edge", 3, 2, 0, 0, 280},
        // Top 10: H = 280 + 6 - 10, the band 5 mm right of and 4 mm below the printable corner.
        {"ordinary margins", 10, 10, 5, 4, 276},
        // Top 20 exceeds the bottom strip: H = 297 - 2 x 20.
        {"wide margins", 20, 10, 5, 14, 257},
    };
    for (const auto& c : cases) {
        MarginPrinter printer(tempPath(QStringLiteral("margins.pdf")));
        SplitSheetJob j = job({QStringLiteral("M21")});
        j.MarginTop = c.top;
        j.MarginLeft = c.left;
        ASSERT_TRUE(PrintSplitSheets(testRace(), j, printer)) << c.what;
        std::vector<Drawn> band;
        for (const Drawn& d : printer.recorder.of(Drawn::Fill))
            if (d.color == kBandGrey && d.box.height() > 100) band.push_back(d);
        ASSERT_EQ(band.size(), 1u) << c.what;
        EXPECT_NEAR(band[0].box.left(), c.bandX, 1e-6) << c.what;
        EXPECT_NEAR(band[0].box.top(), c.bandY, 1e-6) << c.what;
        EXPECT_NEAR(band[0].box.height(), c.bandH + 0.02 * 25, 1e-6) << c.what;
    }
}
