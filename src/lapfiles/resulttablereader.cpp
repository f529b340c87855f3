// Reading the result exports that list a runner per line, with the control codes and times in
// pairs at the end of the line: the CSV exports of the OE and OS event programs in all their
// layouts and languages, SOLV, OWare (its class lines between the runners), Helga and the like.
// Columns are found by the header's words in any language, or by the place the OE layouts give
// them; each line becomes one runner.
#include "lapfiles/coursevariants.h"
#include "lapfiles/interchangereaders.h"
#include "lapfiles/resultheader.h"

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
int pairsInRows(const std::vector<QStringList>& rows)
{
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
        if (long_ > 0 && fitting * 5 >= long_ * 4) return p;
    }
    return -1;
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
        const QStringList fields = SplitQuotedFields(header.left(HeaderChars), separator);
        if (fields.size() < 4) continue;
        int firstPair = PairsInHeader(fields);
        if (firstPair < 0) {
            std::vector<QStringList> rows;
            for (QStringView row : sample) rows.push_back(SplitQuotedFields(row, separator));
            firstPair = pairsInRows(rows);
        }
        if (firstPair < 0) continue;
        const ResultHeader columns = MapResultHeader(fields, firstPair);
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

struct Row {
    QString className;
    int length = 0;
    int climb = 0;
    int controls = 0;
    ImportedRunner runner;
};

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

// The punch times of the pairs and their control codes; "-----", "-", an empty time and "0:00"
// mark a missing punch.
void readPunches(const QStringList& fields, int firstPair, ImportedRunner& runner)
{
    int last = static_cast<int>(fields.size()) - 1;
    while (last >= firstPair && fields[last].trimmed().isEmpty()) --last;
    for (int p = firstPair; p <= last; p += 2) {
        // Some exports end the pairs with the finish itself: it is the run's time, no control.
        if (isFinishCode(field(fields, p))) break;
        std::optional<double> time = ParseSeconds(field(fields, p + 1));
        if (time && *time <= 0) time.reset();
        runner.elapsed.push_back(time);
        runner.codes.push_back(field(fields, p));
    }
}

// Speaker exports write the punches as clock times: elapsed = clock - start. They are known by
// punches that lie between the start and the finish while the last passes the run's own time.
void clockPunchesToElapsed(ImportedRunner& runner, std::optional<double> finish)
{
    if (!runner.startSeconds || *runner.startSeconds <= 0) return;
    const double start = *runner.startSeconds;
    double first = 1e18, last = 0;
    for (const auto& p : runner.elapsed)
        if (p) {
            first = std::min(first, *p);
            last = std::max(last, *p);
        }
    if (last == 0 || first < start) return;
    std::optional<double> run = runner.totalSeconds;
    if (!run && finish && *finish > start) run = *finish - start;
    if (!run || last <= *run + 1 || last - start > *run + 1) return;
    for (auto& p : runner.elapsed)
        if (p) p = *p - start;
}

// A punch after the finish (a control punched on the way home) is no split of the course.
void dropPunchesAfterFinish(ImportedRunner& runner)
{
    if (runner.status != RunStatus::Ok || !runner.totalSeconds) return;
    while (!runner.elapsed.empty() && runner.elapsed.back() &&
           *runner.elapsed.back() > *runner.totalSeconds + 0.5) {
        runner.elapsed.pop_back();
        runner.codes.pop_back();
    }
}

Row readRow(const QStringList& fields, const ResultHeader& h)
{
    Row row;
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
    std::optional<double> finish = ParseSeconds(field(fields, h[C::Finish]));
    if (!finish) finish = ParseSeconds(field(fields, h[C::FinishPunch]));
    if (!runner.totalSeconds && timeStatus == RunStatus::Ok && finish && runner.startSeconds &&
        *finish > *runner.startSeconds)
        runner.totalSeconds = *finish - *runner.startSeconds;

    readPunches(fields, h.firstPair, runner);
    clockPunchesToElapsed(runner, finish);
    dropPunchesAfterFinish(runner);
    return row;
}

// The control count of a class: the one its runners' course gives most often (the larger on a
// tie); without one, the pairs most complete runs have.
int controlCountOf(const std::vector<Row>& rows)
{
    std::map<int, int> course, pairs;
    size_t most = 0;
    for (const Row& row : rows) {
        if (row.controls > 0) ++course[row.controls];
        if (row.runner.status == RunStatus::Ok && !row.runner.elapsed.empty())
            ++pairs[static_cast<int>(row.runner.elapsed.size())];
        most = std::max(most, row.runner.elapsed.size());
    }
    int best = MostCommonControlCount(course);
    if (best < 0) best = MostCommonControlCount(pairs);
    return best >= 0 ? best : static_cast<int>(most);
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
    const QStringList fields = SplitQuotedFields(line.trimmed().mid(2), separator);
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

void addRows(const QString& name, std::vector<Row>& rows, ImportedRace& race)
{
    ImportedClass& target = race.classNamed(name);
    target.length = rows.front().length;
    target.climb = rows.front().climb;
    target.controlCount = controlCountOf(rows);
    for (Row& row : rows) target.runners.push_back(std::move(row.runner));
}

// A class, or a class per course when its runners visited different controls (butterfly loops
// in another order, the forked legs of a relay): each course's runners have their times at its
// controls.
void addClass(std::vector<Row>& rows, ImportedRace& race)
{
    std::vector<VisitedControls> visited;
    for (Row& row : rows) {
        // Pairs beyond the controls of the runner's course are punches besides the course.
        ImportedRunner& runner = row.runner;
        if (row.controls > 0 && static_cast<int>(runner.codes.size()) > row.controls) {
            runner.codes.resize(static_cast<size_t>(row.controls));
            runner.elapsed.resize(static_cast<size_t>(row.controls));
        }
        // Codes that are no control codes, or times that run backwards (pairs read from the
        // wrong columns, punches out of order), tell no course.
        const bool coded = std::all_of(runner.codes.begin(), runner.codes.end(), isControlCode) &&
                           timesRise(runner.elapsed);
        visited.push_back(VisitedControls{coded ? runner.codes : std::vector<QString>(), {}});
    }
    const std::vector<CourseVariant> variants = CourseVariants(visited, false);
    const QString name = rows.front().className;
    if (variants.size() == 1) {
        addRows(name, rows, race);
        return;
    }
    race.splitClasses.push_back(name);
    for (const CourseVariant& variant : variants) {
        std::vector<Row> members;
        for (size_t i : variant.members) {
            Row& row = rows[i];
            ImportedRunner& runner = row.runner;
            runner.elapsed = TimesAtControls(runner.codes, runner.elapsed, variant.codes);
            runner.codes = variant.codes;
            row.controls = static_cast<int>(variant.codes.size());
            members.push_back(std::move(row));
        }
        addRows(name + variant.suffix, members, race);
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
    std::map<QString, std::vector<Row>> rowsByClass;
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
        const QStringList fields = SplitQuotedFields(line, start.separator);
        if (auto cls = classLineOf(fields)) {
            classLine = cls;
            continue;
        }
        if (fields.size() <= h.firstPair) continue;  // not a result line
        Row row = readRow(fields, h);
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
