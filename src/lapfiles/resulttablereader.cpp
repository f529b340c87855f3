// Reading the result exports that list a runner per line, with the control codes and times in
// pairs at the end of the line: the CSV exports of the OE and OS event programs in all their
// layouts and languages, SOLV, OWare (its class lines between the runners), Helga and the like.
// Columns are found by the header's words in any language, or by the place the OE layouts give
// them; each line becomes one runner.
#include "lapfiles/coursevariants.h"
#include "lapfiles/interchangereaders.h"
#include "lapfiles/resultheader.h"
#include "lapfiles/resultpunches.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

namespace basConvert {
namespace {

using C = ResultColumn;

// The header is judged by this much of its line; an export's header holds a few hundred
// characters. A row longer than four times this is no result line.
constexpr qsizetype HeaderChars = 16384;
constexpr qsizetype MaxRowChars = 4 * HeaderChars;
// Rows looked at to find the pairs when the header does not show them.
constexpr int SampleRows = 20;

const QChar Separators[] = {QLatin1Char(';'), QLatin1Char(','), QLatin1Char('\t')};

bool isCommentLine(QStringView line)
{
    return line.trimmed().startsWith(QLatin1String("//"));
}

// The columns an OWare export names in its first line, "//Format: Rank;Name;…".
std::optional<QStringView> formatComment(QStringView line)
{
    const QStringView trimmed = line.trimmed();
    const QLatin1String prefix("//format:");
    if (!trimmed.startsWith(prefix, Qt::CaseInsensitive)) return std::nullopt;
    return trimmed.mid(prefix.size());
}

bool isControlCode(const QString& text)
{
    if (text.isEmpty() || text.size() > 6) return false;
    for (QChar c : text)
        if (!c.isLetterOrNumber()) return false;
    return text[0].isDigit() || text.compare(QLatin1String("F"), Qt::CaseInsensitive) == 0;
}

bool isPunchText(const QString& text)
{
    return text.isEmpty() || text.startsWith(QLatin1Char('-')) || ParseSeconds(text).has_value();
}

// The OE position of the first pair that the rows bear out: a control code and a time at it
// and after it in most rows long enough to hold them.
PunchGroups pairsInRows(const std::vector<QStringList>& rows)
{
    PunchGroups groups;
    for (int p : OeFirstPairs) {
        int fitting = 0, long_ = 0;
        for (const QStringList& fields : rows) {
            if (fields.size() < p + 2) continue;
            ++long_;
            const QString code = fields[p].trimmed();
            if (isControlCode(code) && isPunchText(fields[p + 1].trimmed()) &&
                ParseSeconds(fields[p + 1].trimmed()))
                ++fitting;
        }
        if (long_ > 0 && fitting * 5 >= long_ * 4) {
            groups.first = p;
            return groups;
        }
    }
    return groups;
}

struct TableStart {
    bool decided = false;  // false: the text was cut before the header could be judged
    QChar separator;
    ResultHeader columns;
    bool found = false;
};

bool knowsRunners(const ResultHeader& h)
{
    return h.firstPair >= 0 && (h[C::Name] >= 0 || h[C::Chip] >= 0 || h[C::StartNumber] >= 0);
}

// The header is the first line that holds more than blanks and is no comment. Of a cut text
// (whole false) only lines whose end or first HeaderChars characters lie before the cut are
// judged.
TableStart findStart(TextLines& lines, bool whole)
{
    TableStart start;
    QStringView header;
    while (!lines.atEnd()) {
        header = lines.next();
        const bool complete = lines.ended() || whole;
        if (!complete && header.size() <= HeaderChars) return start;
        // An OWare export names its columns in a comment.
        if (formatComment(header)) {
            header = *formatComment(header);
            break;
        }
        if (header.trimmed().isEmpty() || isCommentLine(header)) continue;
        break;
    }
    if (header.trimmed().isEmpty()) {
        start.decided = whole;
        return start;
    }
    start.decided = true;
    // The rows after the header, for a header that does not show where the pairs begin.
    std::vector<QStringView> sample;
    while (!lines.atEnd() && static_cast<int>(sample.size()) < SampleRows) {
        QStringView row = lines.next();
        if (!lines.ended() && !whole) break;
        if (!row.trimmed().isEmpty() && row.size() <= MaxRowChars) sample.push_back(row);
    }
    for (QChar separator : Separators) {
        const QStringList fields =
            SplitCsvFields(header.left(HeaderChars), CsvQuotes::Honoured, separator);
        if (fields.size() < 4) continue;
        PunchGroups groups = GroupsInHeader(fields);
        if (groups.first < 0) {
            std::vector<QStringList> rows;
            for (QStringView row : sample)
                rows.push_back(SplitCsvFields(row, CsvQuotes::Honoured, separator));
            groups = pairsInRows(rows);
        }
        // An export of results without punches: its groups would begin after its last column.
        if (groups.first < 0 && IsResultHeaderWithoutPunches(fields))
            groups.first = static_cast<int>(fields.size());
        if (groups.first < 0) continue;
        const ResultHeader columns = MapResultHeader(fields, groups);
        if (!knowsRunners(columns)) continue;
        start.separator = separator;
        start.columns = columns;
        start.found = true;
        break;
    }
    return start;
}

// ---- one row ----

QString field(const QStringList& fields, int position)
{
    if (position < 0 || position >= fields.size()) return QString();
    return fields[position].trimmed();
}

int wholeNumber(QString text)
{
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    const double value = text.toDouble();
    return std::isfinite(value) && std::fabs(value) < 1e9 ? static_cast<int>(std::lround(value))
                                                          : 0;
}

// A length in kilometres ("6.2", "18,400") or, written as a larger number, in metres.
int metres(QString text)
{
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    const double value = text.toDouble();
    if (!std::isfinite(value) || value <= 0 || value > 1e6) return 0;
    return static_cast<int>(std::lround(value < 100 ? value * 1000 : value));
}

// The OE classifier: 0 OK, 1 did not start, 2 did not finish, 3 mispunched, 4 disqualified,
// 5 over time; other programs write a word. A number of no known meaning is no valid run.
RunStatus statusOfClassifier(const QString& text)
{
    if (text.isEmpty() || text.compare(QLatin1String("ok"), Qt::CaseInsensitive) == 0)
        return RunStatus::Ok;
    bool number = false;
    const int code = text.toInt(&number);
    if (number) {
        static const RunStatus byCode[] = {RunStatus::Ok,           RunStatus::DidNotStart,
                                           RunStatus::DidNotFinish, RunStatus::MissingPunch,
                                           RunStatus::Disqualified, RunStatus::OverTime};
        return code >= 0 && code < 6 ? byCode[code] : RunStatus::MissingPunch;
    }
    return StatusOfMark(text).value_or(RunStatus::Ok);
}

// A time field that may hold a mark instead of, or in front of, the time: "aufgeg.",
// "P.fehl.", "ak-132:04". The time is read when there is one; the mark gives the status.
std::optional<double> readTimeField(const QString& text, RunStatus& status)
{
    if (text.isEmpty()) return std::nullopt;
    if (auto seconds = ParseSeconds(text)) return seconds;
    static const QRegularExpression trailingTime(
        QStringLiteral("([0-9]+(:[0-9]+){1,2}([.,][0-9]+)?)$"));
    const QRegularExpressionMatch match = trailingTime.match(text);
    QString mark = match.hasMatch() ? text.left(match.capturedStart(0)) : text;
    while (mark.endsWith(QLatin1Char('-')) || mark.endsWith(QLatin1Char(' '))) mark.chop(1);
    status = WorseStatus(status, StatusOfMark(mark).value_or(RunStatus::MissingPunch));
    return match.hasMatch() ? ParseSeconds(match.captured(1)) : std::nullopt;
}

QString classNameOf(const QStringList& fields, const ResultHeader& h)
{
    QString name;
    for (C column : {C::ClassName, C::ClassShort, C::ClassLong, C::Course}) {
        name = field(fields, h[column]);
        if (!name.isEmpty()) break;
    }
    // A relay export: one class per class and leg.
    const QString leg = field(fields, h[C::Leg]);
    bool number = false;
    const int legNo = leg.toInt(&number);
    if (number && legNo > 0) name += QLatin1Char('-') + QString::number(legNo);
    return name;
}

QString clubOf(const QStringList& fields, const ResultHeader& h)
{
    const QString team = h[C::Leg] >= 0 ? field(fields, h[C::Team]) : QString();
    if (!team.isEmpty()) return team;
    QString club = field(fields, h[C::Club]);
    const int city = h[C::City] >= 0         ? h[C::City]
                     : h[C::ClubNumber] >= 0 ? h[C::ClubNumber] + 2
                                             : -1;
    if (club.isEmpty()) club = field(fields, city);
    // The club's short name, in front of its long one.
    if (club.isEmpty() && h[C::ClubNumber] >= 0) club = field(fields, h[C::ClubNumber] + 1);
    return club;
}

RunStatus statusOf(const QStringList& fields, const ResultHeader& h)
{
    RunStatus status = statusOfClassifier(field(fields, h[C::Status]));
    if (auto mark = StatusOfMark(field(fields, h[C::Place]))) status = WorseStatus(status, *mark);
    const QString nc = field(fields, h[C::NonCompetitive]).toLower();
    if (!nc.isEmpty() && nc != QLatin1String("0") && nc != QLatin1String("no") &&
        nc != QLatin1String("n") && nc != QLatin1String("nein") && nc != QLatin1String("false"))
        status = WorseStatus(status, RunStatus::NotCompeting);
    return status;
}

bool isFinishCode(const QString& code)
{
    static const QStringList finish{QStringLiteral("f"),    QStringLiteral("z"),
                                    QStringLiteral("ziel"), QStringLiteral("finish"),
                                    QStringLiteral("mål"),  QStringLiteral("maali"),
                                    QStringLiteral("◎"),    QStringLiteral("arrivée")};
    return finish.contains(code.toLower());
}

// The punches of the groups; "-----", "-", an empty time and "0:00" mark a missing punch.
std::vector<ResultPunch> punchesOf(const QStringList& fields, const PunchGroups& groups)
{
    std::vector<ResultPunch> punches;
    if (groups.first < 0) return punches;
    int last = static_cast<int>(fields.size()) - 1;
    while (last >= groups.first && fields[last].trimmed().isEmpty()) --last;
    for (int p = groups.first; p <= last; p += groups.width) {
        ResultPunch punch;
        punch.code = field(fields, p + groups.code);
        // Some exports end the pairs with the finish itself: it is the run's time, no control.
        if (isFinishCode(punch.code)) break;
        punch.time = ParseSeconds(field(fields, p + groups.time));
        if (punch.time && *punch.time <= 0) punch.time.reset();
        if (groups.number >= 0) {
            bool ok = false;
            punch.number = field(fields, p + groups.number).toInt(&ok);
            if (!ok || punch.number < 0) punch.number = 0;
        }
        punches.push_back(punch);
    }
    return punches;
}

ResultRow readRow(const QStringList& fields, const ResultHeader& h)
{
    ResultRow row;
    row.className = classNameOf(fields, h);
    row.length = metres(field(fields, h[C::Length]));
    row.climb = wholeNumber(field(fields, h[C::Climb]));
    row.controls = wholeNumber(field(fields, h[C::Controls]));

    ImportedRunner& runner = row.runner;
    runner.status = statusOf(fields, h);
    const QString mark = !field(fields, h[C::Place]).isEmpty() ? field(fields, h[C::Place])
                                                               : field(fields, h[C::Status]);
    runner.family = WithoutResultMark(field(fields, h[C::Name]), mark);
    runner.given = WithoutResultMark(field(fields, h[C::GivenName]), mark);
    // Exports without names know a runner by the card or the start number only.
    if (runner.family.isEmpty() && runner.given.isEmpty()) {
        runner.family = field(fields, h[C::Chip]);
        if (runner.family.isEmpty()) runner.family = field(fields, h[C::StartNumber]);
    }
    runner.club = clubOf(fields, h);

    RunStatus timeStatus = RunStatus::Ok;
    runner.startSeconds = ParseSeconds(field(fields, h[C::Start]));
    if (!runner.startSeconds) runner.startSeconds = ParseSeconds(field(fields, h[C::StartPunch]));
    runner.totalSeconds = readTimeField(field(fields, h[C::Time]), timeStatus);
    runner.status = WorseStatus(runner.status, timeStatus);
    std::optional<double>& finish = row.finish;
    finish = ParseSeconds(field(fields, h[C::Finish]));
    if (!finish) finish = ParseSeconds(field(fields, h[C::FinishPunch]));
    if (!runner.totalSeconds && timeStatus == RunStatus::Ok && finish && runner.startSeconds &&
        *finish > *runner.startSeconds)
        runner.totalSeconds = *finish - *runner.startSeconds;
    row.overall = ParseSeconds(field(fields, h[C::OverallTime]));
    row.punches = punchesOf(fields, h.groups);
    return row;
}

// A line that holds a runner: a name, card or start number, and a field for its time. An
// export leaves the punch groups of a runner without punches out, and some every empty field
// at the end; a line of separators only holds nobody.
bool isResultLine(const QStringList& fields, const ResultHeader& h)
{
    if (h[C::Time] >= 0 && fields.size() <= h[C::Time]) return false;
    for (C column : {C::Name, C::GivenName, C::Chip, C::StartNumber})
        if (!field(fields, h[column]).isEmpty()) return true;
    return false;
}

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
        const bool coded = std::all_of(runner.codes.begin(), runner.codes.end(), isControlCode) &&
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
    const TableStart start = findStart(lines, false);
    return !start.decided || start.found;
}

ReadOutcome ReadResultTable(const QString& text, ImportedRace& race)
{
    TextLines startLines(text);
    const TableStart start = findStart(startLines, true);
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
        if (isCommentLine(line)) {
            // OWare: the columns, then the event's name and date.
            if (formatComment(line)) header = false;
            if (++comments == 2 && !formatComment(line))
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
        if (!isResultLine(fields, h)) continue;
        ResultRow row = readRow(fields, h);
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
