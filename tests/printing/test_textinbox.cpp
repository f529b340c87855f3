// Text in a box: alignment, fitting and vertical writing, on a canvas with simple metrics
// (every character 2 mm wide, every line 4 mm high).
#include "printing/textinbox.h"

#include <gtest/gtest.h>

#include <vector>

using namespace CbasPrinter;

namespace {

struct Placed {
    double x, y;
    QString text;
    QColor color;
};

class GridCanvas : public SheetCanvas {
public:
    double TextWidth(const QString& t, const PrintFont&) override { return 2.0 * t.size(); }
    double TextHeight(const QString&, const PrintFont&) override { return 4.0; }
    void DrawText(double x, double y, const QString& t, const PrintFont&, const QColor& c) override
    {
        placed.push_back({x, y, t, c});
    }
    void FillRect(const QRectF&, const QColor&) override {}
    void OutlineRect(const QRectF&, const QColor&) override {}
    void DrawLine(const QPointF&, const QPointF&, const QColor&) override {}
    std::vector<Placed> placed;
};

PrintFont font(const char* name = "ＭＳ ゴシック")
{
    PrintFont f;
    f.name = QString::fromUtf8(name);
    return f;
}

}  // namespace

TEST(PrintTextInBox, HorizontalAlignmentAndFit)
{
    // Box (10, 20) 20 x 10; text "abcd" is 8 x 4.
    const struct {
        const char* what;
        QString text;
        Align h, v;
        bool fit;
        double x, y;
        QString shown;
    } cases[] = {
        {"left top", "abcd", Align::Start, Align::Start, false, 10, 20, "abcd"},
        {"centre centre", "abcd", Align::Centre, Align::Centre, false, 16, 23, "abcd"},
        {"right bottom", "abcd", Align::End, Align::End, false, 22, 26, "abcd"},
        {"too wide, no fit: kept and overflowing", "abcdefghijkl", Align::End, Align::Start, false,
         6, 20, "abcdefghijkl"},
        // 20 mm holds 9 characters: a text exactly as wide as the box is cut too.
        {"too wide, fit", "abcdefghijkl", Align::Start, Align::Start, true, 10, 20, "abcdefghi"},
        {"exactly as wide, fit", "abcdefghij", Align::End, Align::Start, true, 12, 20, "abcdefghi"},
    };
    for (const auto& c : cases) {
        GridCanvas canvas;
        PrintTextInBox(canvas, c.text, font(), 10, 20, 20, 10, c.h, c.v, false, 1, Qt::red, c.fit);
        ASSERT_EQ(canvas.placed.size(), 1u) << c.what;
        EXPECT_DOUBLE_EQ(canvas.placed[0].x, c.x) << c.what;
        EXPECT_DOUBLE_EQ(canvas.placed[0].y, c.y) << c.what;
        EXPECT_EQ(canvas.placed[0].text, c.shown) << c.what;
        EXPECT_EQ(canvas.placed[0].color, QColor(Qt::red)) << c.what;
    }
}

TEST(PrintTextInBox, VerticalWritingPitchThenCharacters)
{
    // Box (0, 0) 10 wide; characters 2 x 4; pitch 1.5 makes a step of 6.
    const struct {
        const char* what;
        QString text;
        double height;
        Align v;
        bool fit;
        std::vector<double> ys;
        QString chars;
    } cases[] = {
        {"fits with its pitch, top", "ABC", 40, Align::Start, true, {0, 6, 12}, "ABC"},
        {"fits with its pitch, centred", "ABC", 40, Align::Centre, true, {12, 18, 24}, "ABC"},
        {"fits with its pitch, bottom", "ABC", 40, Align::End, true, {24, 30, 36}, "ABC"},
        // 3 characters at 1.5 need 16; at pitch 1 they need 12.
        {"fit drops the spacing first", "ABC", 12, Align::Start, true, {0, 4, 8}, "ABC"},
        {"fit then drops characters", "ABCDE", 12, Align::Start, true, {0, 4, 8}, "ABC"},
        {"no fit keeps every character at pitch 1",
         "ABCDE",
         12,
         Align::Start,
         false,
         {0, 4, 8, 12, 16},
         "ABCDE"},
    };
    for (const auto& c : cases) {
        GridCanvas canvas;
        PrintTextInBox(canvas, c.text, font(), 0, 0, 10, c.height, Align::Centre, c.v, true, 1.5,
                       Qt::black, c.fit);
        ASSERT_EQ(canvas.placed.size(), c.ys.size()) << c.what;
        QString chars;
        for (size_t i = 0; i < c.ys.size(); ++i) {
            EXPECT_DOUBLE_EQ(canvas.placed[i].y, c.ys[i]) << c.what << " #" << i;
            EXPECT_DOUBLE_EQ(canvas.placed[i].x, 4) << c.what;  // centred: (10 - 2) / 2
            chars += canvas.placed[i].text;
        }
        EXPECT_EQ(chars, c.chars) << c.what;
    }
}

TEST(PrintTextInBox, AtFontWritesVerticalTextReversed)
{
    GridCanvas canvas;
    PrintTextInBox(canvas, QStringLiteral("ABC"), font("@ＭＳ ゴシック"), 0, 0, 10, 40,
                   Align::Start, Align::Start, true, 1, Qt::black, false);
    ASSERT_EQ(canvas.placed.size(), 3u);
    EXPECT_EQ(canvas.placed[0].text + canvas.placed[1].text + canvas.placed[2].text,
              QStringLiteral("CBA"));
    EXPECT_DOUBLE_EQ(canvas.placed[2].y, 8);
}

TEST(PrintFont, DescriptionsAndFamilies)
{
    PrintFont fallback;
    fallback.name = QStringLiteral("X");
    fallback.size = 9;
    const PrintFont bold =
        PrintFont::Parse(QStringLiteral("ＭＳ Ｐ明朝, 12 ,True,False"), fallback, 2);
    EXPECT_EQ(bold.name, QStringLiteral("ＭＳ Ｐ明朝"));
    EXPECT_DOUBLE_EQ(bold.size, 24);
    EXPECT_TRUE(bold.bold);
    EXPECT_FALSE(bold.italic);
    EXPECT_EQ(bold.ToText(), QStringLiteral("ＭＳ Ｐ明朝,24,True,False"));
    // Flags other than exactly "True" are false; an unreadable size keeps the fallback.
    const PrintFont odd = PrintFont::Parse(QStringLiteral("Y,big,true,True"), fallback, 1);
    EXPECT_DOUBLE_EQ(odd.size, 9);
    EXPECT_FALSE(odd.bold);
    EXPECT_TRUE(odd.italic);
    EXPECT_EQ(PrintFont::Parse(QString(), fallback, 1).name, QStringLiteral("X"));

    EXPECT_EQ(PrintFontFamily(QStringLiteral("ＭＳ ゴシック")), QStringLiteral("IPAGothic"));
    EXPECT_EQ(PrintFontFamily(QStringLiteral("@ＭＳ Ｐ明朝")), QStringLiteral("IPAPMincho"));
    EXPECT_EQ(PrintFontFamily(QStringLiteral("ms mincho")), QStringLiteral("IPAMincho"));
    EXPECT_EQ(PrintFontFamily(QStringLiteral("Noto Sans")), QStringLiteral("Noto Sans"));
}
