#pragma once
// The race as read from a result list of another program, before it becomes classes and
// runners: the readers of IOF XML, OE CSV and SplitsBrowser CSV fill it, BuildImportedRace
// turns it into the race model under the rules all three share.
#include "race/race.h"

#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

namespace basConvert {

// The status a result mark stands for, as exports write it for a place, in a status column or
// after a name: "mp", "dnf", "dsq", "ot", "dns", "n/c", "AK", "参" and the like in several
// languages, and the codes and Japanese words of the statuses. No value for anything else (a
// place number, an empty field).
std::optional<RunStatus> StatusOfMark(const QString& text);
// The graver of two statuses a file gives one run: did not start, disqualified, did not finish,
// mispunched, over time, not competing, OK.
RunStatus WorseStatus(RunStatus a, RunStatus b);
// The name without the result mark written after it ("Szarvas n/c" is "Szarvas"): the mark
// given (the runner's place or status, as its line writes it), and "n/c", which no name ends in.
QString WithoutResultMark(const QString& name, const QString& mark);

struct ImportedRunner {
    QString given;
    QString family;  // a name in one piece goes here, given left empty
    QString club;
    std::optional<double> startSeconds;  // time of day
    RunStatus status = RunStatus::Ok;
    // Entered but with no run in this class (the entry cancelled, moved to another class):
    // left out, as is a run that did not start and has no time.
    bool withdrawn = false;
    std::optional<double> totalSeconds;
    // Either the elapsed times at the controls (nullopt = no time there)...
    std::vector<std::optional<double>> elapsed;
    // ...with the code of each control when the file gives them...
    std::vector<QString> codes;
    // ...or, when the file gives leg times, the legs themselves (nullopt = unknown, -1 merged
    // into the next leg, -2 absent), the finish leg last. legsGiven tells which of the two the
    // reader filled.
    std::vector<std::optional<double>> legs;
    bool legsGiven = false;
};

struct ImportedClass {
    QString name;
    int length = 0;  // metres
    int climb = 0;
    int controlCount = 0;
    std::vector<ImportedRunner> runners;
};

struct ImportedRace {
    // Which race of a file of several races to read (1-based); 0 reads the first.
    int raceNumber = 0;
    QString eventName;
    QDate eventDate;
    std::vector<ImportedClass> classes;
    // The classes whose runners visited different controls, each read as a class per course.
    std::vector<QString> splitClasses;
    // Why a file of the format could not be read, when there is more to say than that.
    QString failure;

    // The class of that name (letter case ignored), created at the end when new.
    ImportedClass& classNamed(const QString& name);
};

// "given family", or "family given" when the family name is written in Japanese.
QString JoinName(const QString& given, const QString& family);
// True when the text holds kana or kanji.
bool HasJapanese(const QString& text);

// A duration or clock text in seconds: "h:mm:ss", "m:ss" (minutes may pass 59) or a plain
// number of seconds, fractions with "." or ","; no value for anything else.
std::optional<double> ParseSeconds(const QString& text);

// The control count most runners of a class have (the larger on a tie), from a count of runners
// per control count; -1 when the count is empty.
int MostCommonControlCount(const std::map<int, int>& runnersByCount);

// Fills header and classes. A class with more legs than a runner holds is skipped, and a
// message naming it is added to warnings (when given). False when no class remains.
bool BuildImportedRace(const ImportedRace& race, RaceHeader& header, ClassCollection& classes,
                       QStringList* warnings = nullptr);

}  // namespace basConvert
