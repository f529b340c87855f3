#pragma once
// The header line of the result exports that list a runner per line with control code and
// time pairs (the OE and OS event programs, SOLV, Helga and others): which column holds what.
// Headers are written in the language of the program, so each column is known by its word in
// any of the languages those programs write, and by its place where a known layout fixes it.
#include <QString>
#include <QStringList>

#include <array>

namespace basConvert {

enum class ResultColumn {
    Name,  // the whole name, or the family name when a given-name column follows
    GivenName,
    Club,        // a column that says it holds the club
    ClubNumber,  // the club's number: its short and long name follow it
    City,        // the club's long name in the OE exports
    ClassName,
    ClassShort,
    ClassLong,
    Course,
    Start,
    Finish,
    Time,
    Status,
    NonCompetitive,
    Place,
    Length,
    Climb,
    Controls,
    StartPunch,
    FinishPunch,
    StartNumber,
    Chip,
    Leg,          // the leg of a relay
    Team,         // the relay team's name
    OverallTime,  // a relay team's time from its start to the end of this member's leg
    Count
};

// Where the punches of a line stand: groups of width fields from first on, one group per
// control ("Control1;Punch1", or "No1;Control1;Punch1;Pl1" with the control's place in the
// course and the place of the runner there). Offsets are within a group; -1 = not in it.
struct PunchGroups {
    int first = -1;  // the field of the first group; -1 = none found
    int width = 2;
    int code = 0;
    int time = 1;
    int number = -1;  // the control's place in the course
};

struct ResultHeader {
    // 0-based field positions; -1 = absent.
    std::array<int, static_cast<size_t>(ResultColumn::Count)> at;
    int firstPair = -1;  // the first punch group's first field; the line's field count when the
                         // export has results but no punches
    PunchGroups groups;
    ResultHeader() { at.fill(-1); }
    int operator[](ResultColumn c) const { return at[static_cast<size_t>(c)]; }
    int& operator[](ResultColumn c) { return at[static_cast<size_t>(c)]; }
};

// The header word in the form it is compared in: trimmed, lower case, blanks made single.
QString HeaderWord(const QString& field);

// The punch groups as the header shows them: numbered groups such as
// "Control1;Punch1;Control2;Punch2" or "No1;Control1;Punch1;Pl1;No2;…" in any language,
// unnumbered pairs ("CtrlCode;SplitTime"), or a column announcing the splits ("Zwischenzeiten").
// first is -1 when the header shows none.
PunchGroups GroupsInHeader(const QStringList& header);

// True when the header names the columns of a result export that has no punch columns at all
// (it ends at the place, say): a name, a time, a class or course, and a start number, chip,
// status or place, with no field that reads as a leg label.
bool IsResultHeaderWithoutPunches(const QStringList& header);

// The columns of the header whose punch groups are those given (groups.first may be the
// header's field count when it has none): by their words where the header names them, then, for
// the positions of the OE layouts (44, 46 and 60 fields before the controls, or one or two more or
// fewer), by the places those layouts give them.
ResultHeader MapResultHeader(const QStringList& header, const PunchGroups& groups);

// The field positions at which the OE layouts put the first control code (0-based).
inline constexpr int OeFirstPairs[] = {44, 46, 47, 60, 62};

}  // namespace basConvert
