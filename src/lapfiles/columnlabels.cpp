// AskColumnLabels: a header line built with the user's answers for a table without labels.
#include "lapfiles/labelquestions.h"
#include "lapfiles/transpose.h"
#include "race/csvfields.h"
#include "race/racetime.h"
#include "race/textutil.h"

namespace basConvert {

using CbasGeneral::CsvQuotes;
using CbasGeneral::FirstCsvField;
using CbasGeneral::SplitCsvFields;

namespace {

bool isDateOrTimeField(const QString& field)
{
    return CbasGeneral::IsDateOrTime(CbasGeneral::Trim(field));
}

// Digits and nothing else, half-width or full-width: an age, a year, a start number or a card.
// Read as a duration it would pass for seconds, so it is asked about like any other column.
bool isPlainNumber(const QString& field)
{
    const QString text = CbasGeneral::ToNarrow(CbasGeneral::Trim(field));
    if (text.isEmpty()) return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

// The field as a time "hh:nn:ss", or empty when it holds none.
QString timeText(const QString& field)
{
    if (isPlainNumber(field)) return QString();
    QString text = CbasGeneral::NormalizeTimeText(field, true, QStringLiteral("hh:nn:ss"));
    return CbasGeneral::ParseTime(text) ? text : QString();
}

// Labels for a run of g + 1 times: "総" makes the last the total (g legs of g - 1 controls),
// "ラ" makes it the finish leg (g + 1 legs of g controls).
QStringList runLabels(const QString& answer, int values)
{
    const int g = values - 1;
    QStringList labels;
    if (answer == AnswerTotal) {
        for (int k = 1; k <= g; ++k) labels << CbasGeneral::LegLabel(g - 1, true, k);
        labels << QStringLiteral("Total");
    } else {
        for (int k = 1; k <= g + 1; ++k) labels << CbasGeneral::LegLabel(g, true, k);
    }
    return labels;
}

// Walks the first line and asks about each run of times and each other field in turn.
bool buildHeader(const QStringList& fields, LabelQuestions& questions, QStringList& header,
                 QString* unanswered)
{
    QStringList run;
    for (int i = 0; i < fields.size(); ++i) {
        const QString time = timeText(fields[i]);
        const bool last = i + 1 == fields.size();
        if (!time.isEmpty()) run << time;
        if (!run.isEmpty() && (time.isEmpty() || last)) {
            const QString answer = SplitAnswer(questions.askLapLabel(run));
            if (answer.isEmpty()) {
                *unanswered = LapLabelQuestion + QStringLiteral(" (") + run.join(QLatin1Char(',')) +
                              QLatin1Char(')');
                return false;
            }
            header << runLabels(answer, static_cast<int>(run.size()));
            run.clear();
        }
        if (time.isEmpty()) {
            // A comma typed into the answer would make a column of its own.
            const QString word =
                questions.askNameLabel(fields[i]).remove(QLatin1Char(',')).trimmed();
            if (word.isEmpty()) {
                *unanswered =
                    NameLabelQuestion + QStringLiteral(" (") + fields[i] + QLatin1Char(')');
                return false;
            }
            header << word;
        }
    }
    return true;
}

}  // namespace

bool MayBeSplitTable(const QStringList& lines)
{
    int filled = 0, timed = 0;
    for (const QString& line : lines) {
        if (CbasGeneral::Trim(line).isEmpty()) continue;
        ++filled;
        for (const QString& field : SplitCsvFields(line, CsvQuotes::Literal)) {
            if (timeText(field).isEmpty()) continue;
            ++timed;
            break;
        }
    }
    return filled > 0 && 2 * timed >= filled;
}

bool AskColumnLabels(QStringList& lines, LabelQuestions& questions, QString* unanswered)
{
    unanswered->clear();
    if (lines.isEmpty()) return false;
    // The times run down the columns when more first fields than first-line fields are times.
    int down = 0;
    for (const QString& line : lines)
        if (isDateOrTimeField(FirstCsvField(line, CsvQuotes::Literal))) ++down;
    int across = 0;
    for (const QString& field : SplitCsvFields(lines.first(), CsvQuotes::Literal))
        if (isDateOrTimeField(field)) ++across;
    if (down > across) TransposeLines(lines);

    QStringList header;
    if (!buildHeader(SplitCsvFields(lines.first(), CsvQuotes::Literal), questions, header,
                     unanswered))
        return false;
    lines.prepend(header.join(QLatin1Char(',')));
    return true;
}

}  // namespace basConvert
