// Paper names and codes, and the paper list of the print tab.
#include "printing/papers.h"
#include "printing/pdfdevice.h"
#include "printtest.h"

#include <gtest/gtest.h>

using namespace CbasPrinter;

TEST(PaperSizeName, NamesOfTheStandardCodes)
{
    const struct {
        int code;
        const char* name;
    } cases[] = {
        {1, "レター、8 1/2 x 11 インチ"},
        {8, "A3、297 x 420 mm"},
        {9, "A4、210 x 297 mm"},
        {10, "A4 Small、210 x 297 mm"},
        {11, "A5、148 x 210 mm"},
        {12, "B4、257 x 364 mm"},
        {13, "B5、182 x 257 mm"},
        {24, "C サイズ シート"},
        {26, "E サイズ シート"},
        {41, "ドイツ リーガル ファンフォールド、8 1/2 x 13 インチ"},
        {256, "ユーザー定義のサイズ"},
        {0, "不明のサイズ"},
        {42, "不明のサイズ"},
        {-1, "不明のサイズ"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PaperSizeName(c.code), QString::fromUtf8(c.name)) << c.code;
    // Every code 1-41 has its own name; only the three sheet sizes have no dimensions.
    for (int code = 1; code <= 41; ++code) {
        const QString name = PaperSizeName(code);
        EXPECT_NE(name, QStringLiteral("不明のサイズ")) << code;
        EXPECT_EQ(name.contains(QStringLiteral("、")), code < 24 || code > 26) << code;
        if (code > 1) {
            EXPECT_NE(name, PaperSizeName(code - 1)) << code;
        }
    }
}

TEST(PaperSizeName, CodesGiveThePagesOfTheirNames)
{
    // The Japanese B sizes are the ones the codes 12 and 13 name (not the ISO B sizes).
    const struct {
        int code;
        double w, h;
    } cases[] = {{8, 297, 420}, {9, 210, 297}, {11, 148, 210}, {12, 257, 364}, {13, 182, 257}};
    for (const auto& c : cases) {
        const QSizeF mm = PageSizeOfCode(c.code).size(QPageSize::Millimeter);
        EXPECT_NEAR(mm.width(), c.w, 0.5) << c.code;
        EXPECT_NEAR(mm.height(), c.h, 0.5) << c.code;
        EXPECT_EQ(CodeOfPageSize(PageSizeOfCode(c.code)), c.code);
    }
    EXPECT_FALSE(PageSizeOfCode(0).isValid());
    EXPECT_EQ(CodeOfPageSize(QPageSize()), 0);
}

TEST(PaperList, CurrentPaperFirstOrAnOtherEntry)
{
    const struct {
        const char* what;
        int current;
        QList<int> supported;
        QStringList texts;
        QList<int> codes;
    } cases[] = {
        {"Letter printer",
         1,
         {1, 5, 9, 11, 13},
         {"その他 216 x 279 mm", "A4 210 x 297 mm", "A5 148 x 210 mm", "B5 182 x 257 mm"},
         {0, 9, 11, 13}},
        {"A4 and Letter only", 9, {1, 9}, {"A4 210 x 297 mm"}, {9}},
        {"B5 current among many",
         13,
         {8, 9, 13, 12},
         {"B5 182 x 257 mm", "A3 297 x 420 mm", "A4 210 x 297 mm", "B4 257 x 364 mm"},
         {13, 8, 9, 12}},
        {"driver without papers", 9, {}, {}, {}},
        {"driver without papers, odd paper", 256, {}, {"その他 216 x 279 mm"}, {0}},
    };
    for (const auto& c : cases) {
        const QList<PaperEntry> list = PaperList(c.current, c.supported, 216, 279);
        QStringList texts;
        QList<int> codes;
        for (const PaperEntry& e : list) {
            texts << e.text;
            codes << e.code;
        }
        EXPECT_EQ(texts, c.texts) << c.what;
        EXPECT_EQ(codes, c.codes) << c.what;
    }
}

TEST(PdfPrinter, PaperAndOrientationMeasures)
{
    QTemporaryDir dir;
    PdfPrintDevice pdf(dir.filePath(QStringLiteral("x.pdf")));
    EXPECT_EQ(pdf.DeviceName(), QStringLiteral("PDF"));
    EXPECT_EQ(pdf.PaperSize(), 9);
    const PaperOrientation portrait = PaperOrientation::Portrait,
                           landscape = PaperOrientation::Landscape;
    const struct {
        int code;
        PaperOrientation orientation;
        int w, h;
    } cases[] = {{9, portrait, 210, 297},
                 {9, landscape, 297, 210},
                 {11, portrait, 148, 210},
                 {12, landscape, 364, 257}};
    for (const auto& c : cases) {
        pdf.SetPaperSize(c.code);
        pdf.SetOrientation(c.orientation);
        EXPECT_EQ(pdf.PaperSize(), c.code);
        EXPECT_EQ(pdf.Orientation(), c.orientation);
        EXPECT_EQ(PaperWidthMm(pdf), c.w);
        EXPECT_EQ(PaperHeightMm(pdf), c.h);
        EXPECT_EQ(PrintOffsetXMm(pdf), 0);
        EXPECT_EQ(PrintOffsetYMm(pdf), 0);
    }
    // A code without a page keeps the paper.
    pdf.SetPaperSize(0);
    EXPECT_EQ(pdf.PaperSize(), 12);
    // Nothing drawn: no document and no file.
    EXPECT_TRUE(pdf.EndDocument());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("x.pdf"))));
}
