#include "reports/htmltext.h"

#include "analysis/workspace.h"
#include "race/basicformat.h"
#include "race/racetime.h"
#include "race/textcodec.h"
#include "race/textutil.h"
#include "race/version.h"

namespace basExport {

namespace {

// Whether the code page of the pages has a form for the character (ASCII always has).
bool FitsCodePage(char32_t c)
{
    if (c < 0x80) return true;
    const QString one = QString::fromUcs4(&c, 1);
    return TextCodec::toCp932(one) != QByteArrayLiteral("?");
}

}  // namespace

QString LinkTarget(const QString& fileName)
{
    QString target;
    for (QChar c : fileName) {
        const char16_t u = c.unicode();
        const bool plain = u >= 0x80 || (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') ||
                           (u >= u'0' && u <= u'9') || u == u'-' || u == u'.' || u == u'_' ||
                           u == u'~';
        if (plain)
            target += c;
        else
            target += QLatin1Char('%') +
                      QString::number(u, 16).rightJustified(2, QLatin1Char('0')).toUpper();
    }
    return HtmlEscape(target);
}

QString HtmlEscape(const QString& text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (char32_t c : text.toUcs4()) {
        switch (c) {
            case U'<':
                out += QStringLiteral("&lt;");
                break;
            case U'>':
                out += QStringLiteral("&gt;");
                break;
            case U'&':
                out += QStringLiteral("&amp;");
                break;
            case U'"':
                out += QStringLiteral("&quot;");
                break;
            default:
                if (FitsCodePage(c))
                    out += QString::fromUcs4(&c, 1);
                else
                    out += QStringLiteral("&#%1;").arg(static_cast<uint>(c));
        }
    }
    return out;
}

QString SpacesToNbsp(const QString& text)
{
    QString out = text;
    return out.replace(QLatin1Char(' '), QStringLiteral("&nbsp;"));
}

int DigitCount(int n)
{
    return static_cast<int>(QString::number(n < 0 ? -n : n).size());
}

QString RightNumber(int value, int width)
{
    return SpacesToNbsp(CbasGeneral::FitWidth(QString::number(value), width, true, false));
}

QString LegTimeText(double time, bool forExcel)
{
    const QString text = CbasGeneral::FormatLapTime(time);
    return forExcel ? SpacesToNbsp(text) : CbasGeneral::Trim(text);
}

QString PercentCell(float ratio)
{
    return CbasGeneral::FormatNumber(basAnalyze::Percent(ratio), QStringLiteral("0"));
}

QString PaddedTime(double time, int width)
{
    const QString text = CbasGeneral::Trim(CbasGeneral::FormatLapTime(time));
    const int pad = width - CbasGeneral::AnsiLength(text);
    return SpacesToNbsp(QString(pad > 0 ? pad : 0, QLatin1Char(' ')) + text);
}

QString MissText(double missTime)
{
    return PaddedTime(missTime, 5);
}

QString GeneratorText()
{
    return QStringLiteral("SplitDuel Ver.") + ProgramVersion::Text();
}

void AppendMetaLines(QStringList& page)
{
    page << QStringLiteral(
                "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=x-sjis\">")
         << QStringLiteral("<meta name=\"generator\" content=\"%1\">").arg(GeneratorText());
}

}  // namespace basExport
