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
    Leg,   // the leg of a relay
    Team,  // the relay team's name
    Count
};

struct ResultHeader {
    // 0-based field positions; -1 = absent.
    std::array<int, static_cast<size_t>(ResultColumn::Count)> at;
    int firstPair = -1;  // the first control code; its time follows, then the next pair
    ResultHeader() { at.fill(-1); }
    int operator[](ResultColumn c) const { return at[static_cast<size_t>(c)]; }
    int& operator[](ResultColumn c) { return at[static_cast<size_t>(c)]; }
};

// The header word in the form it is compared in: trimmed, lower case, blanks made single.
QString HeaderWord(const QString& field);

// The first of the control code and time pairs as the header shows them: numbered pairs such as
// "Control1;Punch1;Control2;Punch2" in any language, unnumbered ones ("CtrlCode;SplitTime"), or
// a column announcing the splits ("Zwischenzeiten"). -1 when the header shows none.
int PairsInHeader(const QStringList& header);

// The columns of the header whose pairs begin at firstPair: by their words where the header
// names them, then, for the positions of the OE layouts (44, 46 and 60 fields before the
// controls, or one or two more or fewer), by the places those layouts give them.
ResultHeader MapResultHeader(const QStringList& header, int firstPair);

// The field positions at which the OE layouts put the first control code (0-based).
inline constexpr int OeFirstPairs[] = {44, 46, 47, 60, 62};

}  // namespace basConvert
