#include "lapfiles/foreigntable.h"

#include "lapfiles/headerlabels.h"
#include "lapfiles/labelquestions.h"
#include "lapfiles/loadprogresswindow.h"
#include "lapfiles/readcontext.h"
#include "lapfiles/tablereader.h"
#include "lapfiles/transpose.h"
#include "race/csvfields.h"
#include "race/textutil.h"

#include <QRegularExpression>

namespace basConvert {

using CbasGeneral::CsvQuotes;
using CbasGeneral::FirstCsvField;
using CbasGeneral::SplitCsvFields;

bool IsEskdatPath(const QString& path)
{
    return CbasGeneral::Like(path, QStringLiteral("*Eskdat*.dat"));
}

void SpacesToCommas(QStringList& lines)
{
    static const QRegularExpression spaces(QStringLiteral(" +"));
    for (QString& line : lines) line = CbasGeneral::Trim(line).replace(spaces, QStringLiteral(","));
}

OrientationScores ScoreOrientation(const QStringList& lines)
{
    OrientationScores scores;
    if (lines.isEmpty()) return scores;
    QStringList firstFields;
    firstFields.reserve(lines.size());
    for (const QString& line : lines) firstFields << FirstCsvField(line, CsvQuotes::Literal);
    scores.down = DistinctLabelScore(firstFields);
    QStringList across = SplitCsvFields(lines.first(), CsvQuotes::Literal);
    across.removeLast();
    scores.across = DistinctLabelScore(across);
    return scores;
}

TablePreparation PrepareGenericTable(ReadContext& context)
{
    QStringList& lines = context.lines;
    context.askedLabels = false;
    if (!context.anyComma) SpacesToCommas(lines);
    const OrientationScores scores = ScoreOrientation(lines);
    bool ready = true;
    if (scores.down == 0 && scores.across == 0) {
        if (!MayBeSplitTable(lines)) return TablePreparation::NoTable;
        context.askedLabels = true;
        ListedLabelAnswers none({}, nullptr);
        LabelQuestions& questions = context.labels ? *context.labels : none;
        ready = AskColumnLabels(lines, questions, &context.unansweredQuestion);
    } else if (scores.down >= scores.across) {
        TransposeLines(lines);
    }
    return ready ? TablePreparation::Ready : TablePreparation::Cancelled;
}

void TidyTableLines(QStringList& lines)
{
    for (QString& line : lines) {
        line = CbasGeneral::Trim(line);
        while (line.endsWith(QLatin1Char(','))) {
            line.chop(1);
            line = CbasGeneral::Trim(line);
        }
        if (IsNameHeaderLine(line)) line = NormalizeHeaderLine(line);
    }
}

bool ReadForeignTable(ReadContext& context, ClassCollection& classes)
{
    QStringList& lines = context.lines;
    ProgressWindow window(context.progress);
    // The first line is the header even when it carries no marker; the passes then start
    // below it unless it is a header line they recognise themselves.
    if (lines.isEmpty()) return true;
    if (!IsColumnHeaderLine(lines.first())) {
        if (!AnalyzeHeaderLine(context.columns, lines.first())) return false;
        lines.first() += QLatin1Char(',') + HeaderMarker;
    }
    if (!ReadTableLines(context, 0, classes)) return false;
    return LegsWithinModel(classes);
}

}  // namespace basConvert
