// Reading the CSV exports of the OE event programs. Their headers are written in the language
// of the program (English, French, Swedish, ...), so columns are found by position: the
// control codes and elapsed times come in pairs from a fixed field on, and every other column
// sits at a known distance from it in each of the three layouts in use.
#include "lapfiles/interchangereaders.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <map>

namespace basConvert {
namespace {

// 1-based field positions of one layout; 0 = absent.
struct OeLayout {
    int firstCode;  // the code of control 1; its elapsed time follows
    int name;       // the whole name in one field
    int surname;
    int firstName;
    int start;
    int time;
    int status;
    int clubShort;
    int clubName;
    int classShort;
};

// The name in one field, the name split, and the later layout with more columns in front.
constexpr OeLayout Layouts[] = {
    {45, 4, 0, 0, 8, 10, 11, 13, 14, 17},
    {47, 0, 4, 5, 10, 12, 13, 15, 16, 19},
    {61, 0, 6, 7, 12, 14, 15, 20, 21, 26},
};

// Offsets before the first code: course name, length (km), climb (m), control count, place;
// the start and finish punches after them are not read.
constexpr int CourseOffset = 7;
constexpr int LengthOffset = 6;
constexpr int ClimbOffset = 5;
constexpr int ControlsOffset = 4;
constexpr int PlaceOffset = 3;

// The header is judged by this much of its line; an export's header holds a few hundred
// characters. A row longer than four times this is no result line.
constexpr qsizetype HeaderChars = 16384;
constexpr qsizetype MaxRowChars = 4 * HeaderChars;

QString field(const QStringList& fields, int position)
{
    if (position < 1 || position > fields.size()) return QString();
    return fields[position - 1].trimmed();
}

// "Control1" -> ("Control", 1); a header without a trailing number gives 0.
std::pair<QString, int> numberedHeader(const QString& text)
{
    qsizetype digits = text.size();
    while (digits > 0 && text[digits - 1].isDigit()) --digits;
    return {text.left(digits), text.mid(digits).toInt()};
}

// The header fields at the first code hold "<code>1", "<time>1", "<code>2", "<time>2".
bool pairsStartAt(const QStringList& header, int position)
{
    if (header.size() < position + 3) return false;
    auto code1 = numberedHeader(field(header, position));
    auto time1 = numberedHeader(field(header, position + 1));
    auto code2 = numberedHeader(field(header, position + 2));
    auto time2 = numberedHeader(field(header, position + 3));
    return !code1.first.isEmpty() && !time1.first.isEmpty() && code1.first != time1.first &&
           code1.first == code2.first && time1.first == time2.first && code1.second == 1 &&
           time1.second == 1 && code2.second == 2 && time2.second == 2;
}

const OeLayout* layoutOf(const QStringList& header)
{
    for (const OeLayout& layout : Layouts)
        if (pairsStartAt(header, layout.firstCode)) return &layout;
    return nullptr;
}

int wholeNumber(const QString& text)
{
    QString t = text;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    return static_cast<int>(std::lround(t.toDouble()));
}

// The status code; some exports leave it empty and write "mp" or "dnf" as the place instead.
ImportedStatus statusOf(const QString& code, const QString& place)
{
    if (code.isEmpty())
        return place.isEmpty() || place[0].isDigit() ? ImportedStatus::Ok
                                                     : ImportedStatus::Incomplete;
    if (code == QLatin1String("0")) return ImportedStatus::Ok;
    if (code == QLatin1String("1")) return ImportedStatus::Absent;  // did not start
    return ImportedStatus::Incomplete;  // 2 not finished, 3 mispunched, 4 disqualified, 5 over time
}

struct OeRow {
    QString className;
    int length = 0;
    int climb = 0;
    int controls = 0;
    ImportedRunner runner;
};

OeRow readRow(const QStringList& fields, const OeLayout& layout)
{
    OeRow row;
    const int first = layout.firstCode;
    row.className = field(fields, layout.classShort);
    if (row.className.isEmpty()) row.className = field(fields, first - CourseOffset);
    QString km = field(fields, first - LengthOffset);
    km.replace(QLatin1Char(','), QLatin1Char('.'));
    row.length = static_cast<int>(std::lround(km.toDouble() * 1000));
    row.climb = wholeNumber(field(fields, first - ClimbOffset));
    row.controls = wholeNumber(field(fields, first - ControlsOffset));

    ImportedRunner& runner = row.runner;
    if (layout.name) {
        runner.family = field(fields, layout.name);
    } else {
        runner.family = field(fields, layout.surname);
        runner.given = field(fields, layout.firstName);
    }
    runner.club = field(fields, layout.clubName);
    if (runner.club.isEmpty()) runner.club = field(fields, layout.clubShort);
    runner.startSeconds = ParseSeconds(field(fields, layout.start));
    runner.totalSeconds = ParseSeconds(field(fields, layout.time));
    runner.status = statusOf(field(fields, layout.status), field(fields, first - PlaceOffset));
    // Pairs run to the end of the line; "-----" or an empty time marks a control without one.
    for (int position = first; position <= fields.size(); position += 2) {
        const QString code = field(fields, position);
        const QString time = field(fields, position + 1);
        if (code.isEmpty() && time.isEmpty()) {
            bool anyLater = false;
            for (int p = position + 2; p <= fields.size() && !anyLater; ++p)
                anyLater = !field(fields, p).isEmpty();
            if (!anyLater) break;
        }
        runner.elapsed.push_back(ParseSeconds(time));
    }
    return row;
}

// The control count of a class: the one its runners' course gives most often (the larger on a
// tie), or the most pairs a runner has when the course gives none.
int controlCountOf(const std::vector<OeRow>& rows)
{
    std::map<int, int> frequency;
    size_t pairs = 0;
    for (const OeRow& row : rows) {
        if (row.controls > 0) ++frequency[row.controls];
        pairs = std::max(pairs, row.runner.elapsed.size());
    }
    const int best = MostCommonControlCount(frequency);
    return best >= 0 ? best : static_cast<int>(pairs);
}

struct OeHeader {
    bool decided = false;  // false: the text was cut before the header could be judged
    const OeLayout* layout = nullptr;
    QChar separator;
};

// The header is the first line that holds more than blanks. Of a cut text (whole false) only
// lines whose end or first HeaderChars characters lie before the cut are judged.
OeHeader findHeader(TextLines& lines, bool whole)
{
    OeHeader header;
    while (!lines.atEnd()) {
        const QStringView line = lines.next();
        const bool complete = lines.ended() || whole;
        if (line.trimmed().isEmpty()) {
            if (!complete) return header;
            continue;
        }
        // The last character before a cut may be half a character.
        if (!complete && line.size() <= HeaderChars) return header;
        header.decided = true;
        for (QChar candidate : {QLatin1Char(';'), QLatin1Char(',')}) {
            header.layout = layoutOf(SplitQuotedFields(line.left(HeaderChars), candidate));
            if (header.layout) {
                header.separator = candidate;
                break;
            }
        }
        return header;
    }
    header.decided = whole;
    return header;
}

}  // namespace

QStringView TextLines::next()
{
    const qsizetype start = pos_;
    qsizetype i = start;
    while (i < text_.size() && text_[i] != QLatin1Char('\r') && text_[i] != QLatin1Char('\n')) ++i;
    ended_ = i < text_.size();
    pos_ = i + 1;
    if (ended_ && text_[i] == QLatin1Char('\r') && pos_ < text_.size() &&
        text_[pos_] == QLatin1Char('\n'))
        ++pos_;
    return text_.sliced(start, i - start);
}

QStringList SplitQuotedFields(QStringView line, QChar separator)
{
    QStringList fields;
    QString current;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        QChar c = line[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
                    current += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                current += c;
            }
        } else if (c == separator) {
            fields << current;
            current.clear();
        } else if (c == QLatin1Char('"') && current.trimmed().isEmpty()) {
            current.clear();
            quoted = true;
        } else {
            current += c;
        }
    }
    fields << current;
    return fields;
}

bool MayBeOeCsv(QStringView head)
{
    TextLines lines(head);
    const OeHeader header = findHeader(lines, false);
    return !header.decided || header.layout;
}

ReadOutcome ReadOeCsv(const QString& text, ImportedRace& race)
{
    TextLines lines(text);
    const OeHeader header = findHeader(lines, true);
    if (!header.layout) return ReadOutcome::NotThisFormat;
    const OeLayout* layout = header.layout;

    // Rows are gathered per class first: the control count is decided over the whole class.
    std::vector<QString> order;
    std::map<QString, std::vector<OeRow>> rowsByClass;
    while (!lines.atEnd()) {
        const QStringView line = lines.next();
        if (line.trimmed().isEmpty() || line.size() > MaxRowChars) continue;
        const QStringList fields = SplitQuotedFields(line, header.separator);
        if (fields.size() < layout->firstCode - 1) continue;  // not a result line
        OeRow row = readRow(fields, *layout);
        const QString key = row.className.toCaseFolded();
        if (!rowsByClass.count(key)) order.push_back(key);
        rowsByClass[key].push_back(std::move(row));
    }
    for (const QString& key : order) {
        std::vector<OeRow>& rows = rowsByClass[key];
        ImportedClass& target = race.classNamed(rows.front().className);
        target.length = rows.front().length;
        target.climb = rows.front().climb;
        target.controlCount = controlCountOf(rows);
        for (OeRow& row : rows) target.runners.push_back(std::move(row.runner));
    }
    return ReadOutcome::Read;
}

}  // namespace basConvert
