// The columns of a result export's header: by their words where the header names them, else
// by the places the OE layouts give them.
#include "lapfiles/resultheader.h"

#include "lapfiles/resultheaderwords.h"

#include <QRegularExpression>

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <utility>

namespace basConvert {
namespace {

using C = ResultColumn;

// A header field that the split tables use as a leg heading: a control number, "3→4", "S-1".
bool isLegHeading(const QString& word)
{
    static const QRegularExpression leg(
        QStringLiteral("^([0-9]+|.*→.*|(s|△|[0-9]+)-([0-9]+|f|g|◎))$"));
    return leg.match(word).hasMatch();
}

// Fields before the first pair by the place the OE layouts give them: the name in one field
// (44 fields before the controls), the name split (46) and the layout with more columns in
// front (60, its first field naming the layout).
struct OeLayout {
    int firstPair;
    int name, given, nonCompetitive, start, finish, time, status, clubNumber, classShort, classLong;
};

constexpr OeLayout Layouts[] = {
    {44, 3, -1, 6, 7, 8, 9, 10, 11, 16, 17},
    {46, 3, 4, 8, 9, 10, 11, 12, 13, 18, 19},
    {60, 5, 6, 10, 11, 12, 13, 14, 18, 25, 26},
};

// The layout whose fields, moved by a column or two (a layout name in front, or one left out),
// put the first pair at firstPair; the shift is set.
std::optional<OeLayout> layoutAt(int firstPair, int* shift)
{
    for (int s : {0, 1, -1, 2, -2})
        for (const OeLayout& layout : Layouts)
            if (layout.firstPair + s == firstPair) {
                *shift = s;
                return layout;
            }
    return std::nullopt;
}

void placeByLayout(ResultHeader& h, int firstPair)
{
    int s = 0;
    const std::optional<OeLayout> layout = layoutAt(firstPair, &s);
    if (!layout) return;
    auto set = [&](C column, int position) {
        if (h[column] < 0 && position >= 0) h[column] = position + s;
    };
    set(C::Name, layout->name);
    set(C::GivenName, layout->given);
    set(C::NonCompetitive, layout->nonCompetitive);
    set(C::Start, layout->start);
    set(C::Finish, layout->finish);
    set(C::Time, layout->time);
    set(C::Status, layout->status);
    set(C::ClubNumber, layout->clubNumber);
    set(C::ClassShort, layout->classShort);
    set(C::ClassLong, layout->classLong);
}

// The course columns that every OE layout puts right before the punches: course, length in
// km, climb, control count, place, and in some layouts the start and finish punch. A header
// that names them is read by its words, each the one nearest the punches (an export may have a
// ranking column "Rank" far in front of its place); one that does not is read by the layout.
void placeCourseColumns(ResultHeader& h, const QStringList& words, int firstPair)
{
    bool named = false;
    for (C column : {C::Course, C::Length, C::Climb, C::Controls, C::Place}) {
        for (int i = std::min(firstPair, static_cast<int>(words.size())) - 1;
             i >= std::max(0, firstPair - 10); --i)
            if (IsColumnWord(words[i], column)) {
                h[column] = i;
                named = true;
                break;
            }
    }
    if (named) return;
    int shift = 0;
    if (!layoutAt(firstPair, &shift)) return;
    const std::pair<C, int> course[] = {{C::Course, 7},     {C::Length, 6}, {C::Climb, 5},
                                        {C::Controls, 4},   {C::Place, 3},  {C::StartPunch, 2},
                                        {C::FinishPunch, 1}};
    for (const auto& [column, offset] : course) h[column] = firstPair - offset;
}

}  // namespace

QString HeaderWord(const QString& field)
{
    QString word = field.trimmed();
    if (word.size() >= 2 && word.startsWith(QLatin1Char('"')) && word.endsWith(QLatin1Char('"')))
        word = word.mid(1, word.size() - 2).trimmed();
    return word.toLower().simplified();
}

bool IsResultHeaderWithoutPunches(const QStringList& header)
{
    QStringList words;
    for (const QString& field : header) {
        words << HeaderWord(field);
        if (isLegHeading(words.last())) return false;
    }
    auto names = [&](std::initializer_list<C> columns) {
        for (const QString& word : words)
            for (C column : columns)
                if (IsColumnWord(word, column)) return true;
        return false;
    };
    return names({C::Name, C::GivenName}) && names({C::Time, C::Finish}) &&
           names({C::ClassName, C::ClassShort, C::ClassLong, C::Course}) &&
           names({C::StartNumber, C::Chip, C::Status, C::Place});
}

ResultHeader MapResultHeader(const QStringList& header, const PunchGroups& groups)
{
    ResultHeader h;
    const int firstPair = groups.first;
    h.firstPair = firstPair;
    h.groups = groups;
    QStringList words;
    for (const QString& field : header) words << HeaderWord(field);
    const int end = firstPair >= 0 ? std::min(firstPair, static_cast<int>(words.size()))
                                   : static_cast<int>(words.size());
    placeCourseColumns(h, words, firstPair);
    // Each column at the first field that names it; the given name, start, finish, time and
    // status of a runner follow the name, after the team's own in a relay export.
    auto first = [&](C column, int from) {
        for (int i = from; i < end; ++i)
            if (IsColumnWord(words[i], column)) return i;
        return -1;
    };
    auto set = [&](C column, int position) {
        if (h[column] < 0) h[column] = position;
    };
    set(C::Name, first(C::Name, 0));
    const int afterName = std::max(h[C::Name], 0);
    set(C::GivenName, first(C::GivenName, afterName));
    if (h[C::GivenName] < 0) set(C::GivenName, first(C::GivenName, 0));
    // A relay export names the member's own times by the leg: "Leg start", "Leg time".
    auto legWord = [&](C column) {
        for (int i = 0; i < end; ++i)
            for (const char* prefix : {"leg ", "strecke ", "sträcka ", "osuus ", "relais "}) {
                const QString p = QString::fromUtf8(prefix);
                if (words[i].startsWith(p) && IsColumnWord(words[i].mid(p.size()), column))
                    return i;
            }
        return -1;
    };
    for (C column : {C::Start, C::Finish, C::Time, C::Status, C::NonCompetitive}) {
        int at = legWord(column);
        if (at < 0) at = first(column, afterName);
        set(column, at >= 0 ? at : first(column, 0));
    }
    for (C column : {C::Club, C::City, C::ClassName, C::ClassShort, C::ClassLong, C::Course,
                     C::Place, C::Length, C::Climb, C::Controls, C::StartNumber, C::Chip, C::Leg,
                     C::Team, C::OverallTime, C::StartPunch, C::FinishPunch})
        set(column, first(column, 0));
    for (int i = 0; i < end && h[C::ClubNumber] < 0; ++i)
        if (IsClubNumberWord(words[i])) h[C::ClubNumber] = i;
    // The name column found only by the layout: nothing else of the header is known either.
    if (h[C::Name] < 0 && firstPair >= 0) placeByLayout(h, firstPair);
    return h;
}

}  // namespace basConvert
