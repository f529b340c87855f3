// Reading the result exports that list a runner per line, with the control codes and times in
// pairs at the end of the line: the CSV exports of the OE and OS event programs in all their
// layouts and languages, SOLV, OWare (its class lines between the runners), Helga and the like.
// Columns are found by the header's words in any language, or by the place the OE layouts give
// them; each line becomes one runner.
#include "lapfiles/coursevariants.h"
#include "lapfiles/interchangereaders.h"
#include "lapfiles/resultpunches.h"
#include "lapfiles/resultrow.h"
#include "lapfiles/resulttablestart.h"
#include "race/csvfields.h"

#include <QDate>
#include <QStringList>

#include <algorithm>
#include <map>
#include <optional>

namespace basConvert {

using CbasGeneral::CsvQuotes;
using CbasGeneral::SplitCsvFields;
using CbasGeneral::TextLines;

namespace {

// An OWare class line: "K;4100;170;16", the class, its length and climb in metres and its
// control count; the runner lines below it belong to it.
struct ClassLine {
    QString name;
    int length = 0;
    int climb = 0;
    int controls = 0;
};

std::optional<ClassLine> classLineOf(QStringList fields)
{
    while (!fields.isEmpty() && fields.last().trimmed().isEmpty()) fields.removeLast();
    if (fields.size() != 4 || fields[0].trimmed().isEmpty()) return std::nullopt;
    int numbers[3];
    for (int i = 1; i <= 3; ++i) {
        bool ok = false;
        numbers[i - 1] = fields[i].trimmed().toInt(&ok);
        if (!ok || numbers[i - 1] < 0) return std::nullopt;
    }
    return ClassLine{fields[0].trimmed(), numbers[0], numbers[1], numbers[2]};
}

// "//Dark Night Run;Wicked Forest;2018-11-16;18:00;": the event's name, then its date.
void readEventComment(QStringView line, QChar separator, ImportedRace& race)
{
    const QStringList fields =
        SplitCsvFields(line.trimmed().mid(2), CsvQuotes::Honoured, separator);
    if (fields.isEmpty()) return;
    race.eventName = fields[0].trimmed();
    for (const QString& f : fields) {
        const QDate date = QDate::fromString(f.trimmed(), Qt::ISODate);
        if (date.isValid()) {
            race.eventDate = date;
            break;
        }
    }
}

bool timesRise(const std::vector<std::optional<double>>& times)
{
    double last = 0;
    for (const auto& t : times) {
        if (!t) continue;
        if (*t < last) return false;
        last = *t;
    }
    return true;
}

void addRows(const QString& name, std::vector<ResultRow>& rows, int controls, ImportedRace& race)
{
    ImportedClass& target = race.classNamed(name);
    target.length = rows.front().length;
    target.climb = rows.front().climb;
    target.controlCount = controls;
    LegsFromClockTimes(rows, controls);
    for (ResultRow& row : rows) target.runners.push_back(std::move(row.runner));
}

// A class, or a class per course when its runners visited different controls (butterfly loops
// in another order, the forked legs of a relay): each course's runners have their times at its
// controls.
void addClass(std::vector<ResultRow>& rows, ImportedRace& race)
{
    const int controls = PlaceClassPunches(rows);
    std::vector<VisitedControls> visited;
    for (const ResultRow& row : rows) {
        // Codes that are no control codes, or times that run backwards (pairs read from the
        // wrong columns, punches out of order), tell no course.
        const ImportedRunner& runner = row.runner;
        const bool coded = std::all_of(runner.codes.begin(), runner.codes.end(), IsControlCode) &&
                           timesRise(runner.elapsed);
        visited.push_back(VisitedControls{coded ? runner.codes : std::vector<QString>(), {}});
    }
    const std::vector<CourseVariant> variants = CourseVariants(visited, false);
    const QString name = rows.front().className;
    if (variants.size() == 1) {
        addRows(name, rows, controls, race);
        return;
    }
    race.splitClasses.push_back(name);
    for (const CourseVariant& variant : variants) {
        std::vector<ResultRow> members;
        for (size_t i : variant.members) {
            ResultRow& row = rows[i];
            ImportedRunner& runner = row.runner;
            runner.elapsed = TimesAtControls(runner.codes, runner.elapsed, variant.codes);
            runner.codes = variant.codes;
            members.push_back(std::move(row));
        }
        addRows(name + variant.suffix, members, static_cast<int>(variant.codes.size()), race);
    }
}

}  // namespace

bool MayBeResultTable(QStringView head)
{
    TextLines lines(head);
    const TableStart start = FindTableStart(lines, false);
    return !start.decided || start.found;
}

ReadOutcome ReadResultTable(const QString& text, ImportedRace& race)
{
    TextLines startLines(text);
    const TableStart start = FindTableStart(startLines, true);
    if (!start.found) return ReadOutcome::NotThisFormat;
    const ResultHeader& h = start.columns;

    // Rows are gathered per class first: the control count is decided over the whole class.
    std::vector<QString> order;
    std::map<QString, std::vector<ResultRow>> rowsByClass;
    std::optional<ClassLine> classLine;
    TextLines lines(text);
    bool header = true;
    int comments = 0;
    while (!lines.atEnd()) {
        const QStringView line = lines.next();
        if (line.size() > MaxRowChars) continue;
        if (IsCommentLine(line)) {
            // OWare: the columns, then the event's name and date.
            if (FormatComment(line)) header = false;
            if (++comments == 2 && !FormatComment(line))
                readEventComment(line, start.separator, race);
            continue;
        }
        if (line.trimmed().isEmpty()) continue;
        if (header) {
            header = false;
            continue;
        }
        const QStringList fields = SplitCsvFields(line, CsvQuotes::Honoured, start.separator);
        if (auto cls = classLineOf(fields)) {
            classLine = cls;
            continue;
        }
        if (!IsResultLine(fields, h)) continue;
        ResultRow row = ReadResultRow(fields, h);
        if (row.className.isEmpty() && classLine) {
            row.className = classLine->name;
            row.length = classLine->length;
            row.climb = classLine->climb;
            row.controls = classLine->controls;
        }
        const QString key = row.className.toCaseFolded();
        if (!rowsByClass.count(key)) order.push_back(key);
        rowsByClass[key].push_back(std::move(row));
    }
    for (const QString& key : order) addClass(rowsByClass[key], race);
    return ReadOutcome::Read;
}

}  // namespace basConvert
