#include "printing/printlayout.h"

#include "printing/printdatatype.h"
#include "race/textutil.h"

namespace CbasPrinter {
namespace {

PrintFont defaultFont(const char* name, double size, bool italic = false)
{
    PrintFont f;
    f.name = QString::fromUtf8(name);
    f.size = size;
    f.italic = italic;
    return f;
}

double number(const SettingsLookup& settings, const char* key, double fallback)
{
    const QString text = settings ? settings(QString::fromLatin1(key)) : QString();
    return CbasGeneral::IsNumeric(text) ? CbasGeneral::Val(text) : fallback;
}

PrintFont font(const SettingsLookup& settings, const char* key, const PrintFont& fallback,
               double scale)
{
    const QString text = settings ? settings(QString::fromLatin1(key)) : QString();
    return PrintFont::Parse(text, fallback, scale);
}

}  // namespace

std::optional<PrintLayout> LoadPrintLayout(const SettingsLookup& settings, int printType,
                                           PrintDataType dataType, double zoom, double shrink)
{
    if (printType != 0) return std::nullopt;
    const double zs = zoom * shrink;
    const bool analysisMode = dataType == PrintDataType::Analysis;
    PrintLayout l;
    l.ClassInterval = number(settings, "WidthSkhClassInterval", 10) * zoom;
    l.ClassLabel = number(settings, "WidthSkhClassLabel", 25) * zoom;
    l.LapLabel = number(settings, "WidthSkhLapLabel", 22) * zs;
    l.Data = analysisMode ? number(settings, "WidthSkhDataAnaMode", 19) * zs
                          : number(settings, "WidthSkhData", 21) * zs;
    l.Rank = number(settings, "WidthSkhRank", 5.5) * zs;
    l.Analyze = analysisMode ? number(settings, "WidthSkhAnalyze", 8) * zs : 0;
    l.DataInterval = number(settings, "WidthSkhDataInterval", 2) * zs;
    l.RowInterval = number(settings, "WidthSkhRowInterval", 10) * zs;
    l.NameDataInterval = number(settings, "HeightSkhNameDataInterval", 5) * zs;
    l.SecondDataInterval = number(settings, "HeightSkhSecondDataInterval", 1) * zs;

    const char* gothic = "ＭＳ ゴシック";
    const char* pMincho = "ＭＳ Ｐ明朝";
    l.Class = font(settings, "FontSkhClass", defaultFont(gothic, 60), zoom);
    l.Namae = font(settings, "FontSkhNamae", defaultFont(pMincho, 12), zs);
    l.NamaeLabel = font(settings, "FontSkhNamaeLabel", defaultFont(gothic, 12), zs);
    l.Shozoku = font(settings, "FontSkhShozoku", defaultFont(pMincho, 9), zs);
    l.ShozokuLabel = font(settings, "FontSkhShozokuLabel", defaultFont(gothic, 9), zs);
    l.DataFont = font(settings, "FontSkhData", defaultFont(pMincho, 12), zs);
    l.DataLabel = font(settings, "FontSkhDataLabel", defaultFont(gothic, 12), zs);
    l.RankFont = font(settings, "FontSkhRank", defaultFont("ＭＳ 明朝", 9), zs);
    l.SecondData = font(settings, "FontSkhSecondData", defaultFont(pMincho, 8, true), zs);
    l.Relative = font(settings, "FontSkhRelative", defaultFont(pMincho, 8, true), zs);
    l.MissTime = font(settings, "FontSkhMissTime", defaultFont(pMincho, 8), zs);
    l.SecondDataLabel = font(settings, "FontSkhSecondDataLabel", defaultFont(gothic, 8, true), zs);
    return l;
}

double ZoomFromText(const QString& text)
{
    const double zoom = CbasGeneral::Val(text) / 100;
    // A negative ratio would mirror every size; it prints at 100 % like a missing one.
    return zoom <= 0 ? 1 : zoom;
}

}  // namespace CbasPrinter
