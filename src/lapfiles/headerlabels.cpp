#include "lapfiles/headerlabels.h"

#include "race/classdata.h"
#include "race/csvfields.h"
#include "race/racetime.h"
#include "race/textutil.h"

#include <QSet>

#include <algorithm>

namespace basConvert {
namespace {

using CbasGeneral::CsvFieldViews;
using CbasGeneral::CsvQuotes;
using CbasGeneral::IsNumeric;
using CbasGeneral::LegLabel;
using CbasGeneral::Like;
using CbasGeneral::SplitCsvFields;
using CbasGeneral::Val;

bool isOneOf(const QString& cell, std::initializer_list<const char*> words)
{
    for (const char* word : words)
        if (cell == QString::fromUtf8(word)) return true;
    return false;
}

bool isLabelWord(const QString& cell)
{
    if (isOneOf(cell, {"名前", "ｸﾗｽ", "氏名", "所属", "年齢", "NAME", "CLASS", "**", "記録",
                       "総ﾀｲﾑ", "成績", "TOTAL", "S", "G", "F", "◎", "AGE"}))
        return true;
    for (const char* pattern : {"ｽﾀｰﾄ*", "ｺﾞｰﾙ*", "*→#", "*-#"})
        if (Like(cell, QString::fromUtf8(pattern))) return true;
    return false;
}

bool isFinishWord(const QString& cell)
{
    return isOneOf(cell, {"G", "F", "GOAL", "FINISH", "ｺﾞｰﾙ", "◎"});
}

// The fixed words of the rewriting table; empty when the cell is none of them.
QString fixedWord(const QString& cell)
{
    if (isOneOf(cell, {"ｸﾗｽ", "CLASS", "**"})) return QStringLiteral("クラス");
    if (isOneOf(cell, {"名前", "NAMAE", "NAME", "氏名"})) return QStringLiteral("名前");
    if (isOneOf(cell, {"所属", "SYOZOKU", "SHOZOKU"})) return QStringLiteral("所属");
    if (isOneOf(cell, {"記録", "総ﾀｲﾑ", "ﾀｲﾑ", "成績", "時間", "TIME", "TOTAL"}))
        return QStringLiteral("総タイム");
    if (isOneOf(cell, {"START", "ｽﾀｰﾄ", "STARTTIME", "ｽﾀｰﾄ時間", "ｽﾀｰﾄ時刻"}))
        return QStringLiteral("スタート時刻");
    return QString();
}

// The highest number in the line when "-" and "→" separate fields as well as ",".
int highestNumber(const QString& line)
{
    QString text = LabelForm(line);
    text.replace(QStringLiteral("→"), QStringLiteral(","));
    text.replace(QLatin1Char('-'), QLatin1Char(','));
    double highest = 0;
    for (const QString& piece : text.split(QLatin1Char(',')))
        if (IsNumeric(piece)) highest = std::max(highest, Val(piece));
    return std::min(CbasGeneral::RoundHalfEven(std::min(highest, 1e6)), MaxLegs + 1);
}

// A leg cell "from-to" or "from→to" whose from-part is "△", "S", empty or a number; empty
// when the cell is no such leg. controls is the highest number of the line.
QString legCell(const QString& cell, int controls)
{
    const qsizetype dash = cell.indexOf(QLatin1Char('-'));
    const qsizetype arrow = cell.indexOf(QStringLiteral("→"));
    qsizetype at = dash < 0 ? arrow : arrow < 0 ? dash : std::min(dash, arrow);
    if (at < 0) return QString();
    const QString from = cell.left(at);
    const QString to = cell.mid(at + 1);
    if (!(from.isEmpty() || from == QStringLiteral("△") || from == QStringLiteral("S") ||
          IsNumeric(from)))
        return QString();
    if (isOneOf(to, {"◎", "F", "G"})) return LegLabel(controls, true, controls + 1);
    if (!IsNumeric(to) || Val(to) < 1) return QString();
    return LegLabel(controls, true, CbasGeneral::RoundHalfEven(std::min(Val(to), 1e6)));
}

QString rewriteCell(const QString& original, int controls)
{
    QString cell = LabelForm(original);
    QString word = fixedWord(cell);
    if (!word.isEmpty()) return word;
    if (isFinishWord(cell)) return LegLabel(controls, true, controls + 1);
    if (IsNumeric(cell)) cell = QStringLiteral("-") + CbasGeneral::Trim(cell);
    QString leg = legCell(cell, controls);
    return leg.isEmpty() ? original : leg;
}

}  // namespace

QString LabelForm(const QString& cell)
{
    return CbasGeneral::Trim(CbasGeneral::ToNarrow(CbasGeneral::ToUpper(cell)));
}

int ClassifyLabel(const QString& cell)
{
    const QString form = LabelForm(cell);
    if (isLabelWord(form)) return 4;
    if (IsNumeric(form)) return Val(form) <= 20 ? 1 : 0;
    return 0;
}

int DistinctLabelScore(const QStringList& cells)
{
    QSet<QString> seen;
    int score = 0;
    for (const QString& cell : cells) {
        const QString form = LabelForm(cell);
        if (seen.contains(form)) continue;
        seen.insert(form);
        score += ClassifyLabel(form);
    }
    return score;
}

bool IsNameHeaderLine(const QString& line)
{
    // Every name heading holds "名" or an N in some width and case; other fields need no
    // conversion, which keeps this cheap on the thousands of runner lines of a large table.
    static const QString initials = QStringLiteral("名NnＮｎ");
    auto mayBeHeading = [](QStringView field) {
        for (QChar c : field)
            if (initials.contains(c)) return true;
        return false;
    };
    for (QStringView field : CsvFieldViews(line))
        if (mayBeHeading(field) &&
            isOneOf(LabelForm(field.toString()), {"名前", "氏名", "NAMAE", "NAME"}))
            return true;
    return false;
}

QString NormalizeHeaderLine(const QString& line)
{
    const int controls = highestNumber(line);
    QStringList fields = SplitCsvFields(line, CsvQuotes::Literal);
    for (QString& field : fields) field = rewriteCell(field, controls);
    return fields.join(QLatin1Char(',')) + QLatin1Char(',') + HeaderMarker;
}

}  // namespace basConvert
