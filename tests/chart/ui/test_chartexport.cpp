// The exported chart image against the picture it cuts: the image painted only as wide as it is
// kept, written with a palette, must decode to exactly the pixels of a 4000-pixel picture whose
// plot ends at the cut after the last finisher (so that no name runs past it), cut there and
// closed with a frame line.
#include "chart/chartimage.h"
#include "chart/charttest.h"
#include "chart/drawchart.h"
#include "chart/pngencode.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSet>

using namespace basChart;
using namespace viewtest;

namespace {

// The picture as first made: the whole export width painted with the plot ending at the cut,
// then the kept part copied onto a white image and the frame closed at the cut.
QImage cutFromFullPicture(const basAnalyze::AnalysisWorkspace& ws, ChartRequest request)
{
    if (request.mode == ChartMode::RaceTime) request.scrollValue = 0;
    const int edge = ExportRightEdge(ws, request.mode, request.scrollValue);
    QImage full(ExportWidth, ExportHeight, QImage::Format_RGB32);
    full.fill(Qt::white);
    {
        QPainter painter(&full);
        DrawChart(painter, QSize(edge + 20 + PlotRightMargin, ExportHeight), ws, request);
    }
    QImage image(edge + 30, ExportHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawImage(QPoint(0, 0), full, QRect(0, 0, edge + 20, ExportHeight));
    painter.setPen(QPen(Qt::black, 1));
    const int top = request.mode == ChartMode::RaceTime ? 16 : 52;
    painter.drawLine(edge + 20, top, edge + 20, ExportHeight - 48);
    return image;
}

QByteArray plainPng(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

int countColours(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

// A class whose lines reach past the cut: a runner without a valid total runs on for hours,
// long names end near the cut, and the starts spread over two hours for the clock-time picture.
void addWideClass()
{
    std::vector<Runner> runners;
    for (int i = 0; i < 40; ++i) {
        const QString leg = QStringLiteral("%1:%2").arg(8 + i % 13).arg(10 + (i * 7) % 50);
        const QString start = QStringLiteral("10:%1:00").arg(i % 60, 2, 10, QLatin1Char('0'));
        runners.push_back(
            {QStringLiteral("選手%1長い名前の人").arg(i), {leg, leg, leg, leg}, "", start});
    }
    runners.push_back({"Lost", {"n/a", "3:00:00", "2:00:00", "1:00:00"}, "", "10:05:00"});
    addClass(QStringLiteral("W"), 3, true, runners);
}

TEST_F(ChartTest, ExportedImageKeepsThePixelsOfTheCutPicture)
{
    addWideClass();
    spreadClass();
    struct Case {
        const char* name;
        const char* className;
        ChartMode mode;
        std::array<int, 3> chosen;
        std::array<int, 3> clicked;
        bool smoothText = true;
    };
    const Case cases[] = {
        {"race time, nobody chosen", "W", ChartMode::RaceTime, {}, {}},
        {"race time, chosen and clicked", "W", ChartMode::RaceTime, {41, 3, 0}, {2, 0, 40}},
        {"clock time", "W", ChartMode::ClockTime, {1, 0, 0}, {0, 41, 0}},
        {"few runners far apart", "H", ChartMode::ClockTime, {4, 0, 0}, {}},
        {"few runners, race time", "H", ChartMode::RaceTime, {}, {1, 2, 3}},
        {"text without smoothing", "W", ChartMode::RaceTime, {41, 3, 0}, {2, 0, 0}, false},
        {"clock time, text without smoothing", "W", ChartMode::ClockTime, {}, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto& ws = analyse(QString::fromLatin1(c.className));
        ChartRequest request;
        request.mode = c.mode;
        request.chosen = c.chosen;
        request.clicked = c.clicked;
        if (!c.smoothText) request.font.setStyleStrategy(QFont::NoAntialias);
        int scroll = 0;
        const QString file = tempPath(QStringLiteral("%1.png").arg(c.name));
        ASSERT_TRUE(SaveChartPng(file, ws, request, &scroll));
        if (c.mode == ChartMode::ClockTime) request.scrollValue = scroll;

        const QImage expected = cutFromFullPicture(ws, request);
        EXPECT_EQ(RenderChartImage(ws, request), expected);
        const QImage written(file);
        ASSERT_FALSE(written.isNull());
        EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), expected);
        // Smoothed text blends every runner colour with white, which gives more colours than a
        // palette holds; the file then is a plain PNG. Otherwise the palette makes it smaller.
        const qint64 bytes = QFileInfo(file).size();
        if (countColours(expected) <= 256) {
            EXPECT_EQ(written.format(), QImage::Format_Indexed8);
            EXPECT_LT(bytes, plainPng(expected).size());
        } else {
            EXPECT_LE(bytes, plainPng(expected).size());
        }
    }
}

TEST_F(ChartTest, PaletteOnlyWhenEveryColourFits)
{
    QImage few(300, 2, QImage::Format_RGB32);
    for (int x = 0; x < 300; ++x) {
        few.setPixel(x, 0, qRgb(x % 256, 0, 0));
        few.setPixel(x, 1, qRgb(0, 0, x % 256));
    }
    // 256 reds and 256 blues share black: 511 colours, too many for a palette.
    const QImage unchanged = WithPalette(few);
    EXPECT_EQ(unchanged.format(), QImage::Format_RGB32);
    EXPECT_EQ(unchanged, few);

    QImage exact(256, 3, QImage::Format_RGB32);
    for (int x = 0; x < 256; ++x)
        for (int y = 0; y < 3; ++y) exact.setPixel(x, y, qRgb(x, 255 - x, (x * 7) % 256));
    const QImage indexed = WithPalette(exact);
    ASSERT_EQ(indexed.format(), QImage::Format_Indexed8);
    EXPECT_EQ(indexed.colorCount(), 256);
    EXPECT_EQ(indexed.convertToFormat(QImage::Format_RGB32), exact);
}

// The encoder on pictures of every kind it handles itself, and at the edges of its band of trial
// rows: the file must decode to the same pixels and keep the resolution.
TEST(PngEncoder, DecodesToTheSamePixels)
{
    const auto picture = [](int width, int height, int step) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < width; i += step) {
            painter.setPen(QColor::fromHsv((i * 7) % 360, 255, 200));
            painter.drawLine(i, 0, width - i / 2, height);
        }
        painter.drawText(QRect(0, 0, width, height), Qt::AlignCenter, QStringLiteral("走者 1:23"));
        return image;
    };
    QImage noisy(37, 23, QImage::Format_RGB32);
    for (int y = 0; y < noisy.height(); ++y)
        for (int x = 0; x < noisy.width(); ++x)
            noisy.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (x * y) % 256, (x ^ y) * 5 % 256));
    QImage oneColour(5, 1, QImage::Format_RGB32);
    oneColour.fill(qRgb(1, 2, 3));
    QImage resolution = picture(90, 70, 9);
    resolution.setDotsPerMeterX(5000);
    resolution.setDotsPerMeterY(2000);
    const struct {
        const char* name;
        QImage image;
    } cases[] = {
        {"dense lines", picture(700, 120, 3)},
        {"sparse lines", picture(700, 120, 150)},
        {"noise", noisy},
        {"a single row", oneColour},
        {"a single column", picture(1, 40, 1)},
        {"palette", WithPalette(picture(200, 50, 500).convertToFormat(QImage::Format_Indexed8))},
        {"own resolution", resolution},
        {"with alpha, through Qt", picture(30, 30, 4).convertToFormat(QImage::Format_ARGB32)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray png = EncodePng(c.image);
        ASSERT_FALSE(png.isEmpty());
        const QImage decoded = QImage::fromData(png, "PNG");
        ASSERT_EQ(decoded.size(), c.image.size());
        EXPECT_EQ(decoded.convertToFormat(QImage::Format_ARGB32),
                  c.image.convertToFormat(QImage::Format_ARGB32));
        EXPECT_EQ(decoded.dotsPerMeterX(), c.image.dotsPerMeterX());
        EXPECT_EQ(decoded.dotsPerMeterY(), c.image.dotsPerMeterY());
    }
    EXPECT_TRUE(EncodePng(QImage()).isEmpty());
}

}  // namespace
