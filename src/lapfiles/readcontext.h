#pragma once
// What one load of a file keeps while it reads: the stored lines of the file, the column
// positions of the table header most recently analysed, who answers the label questions, and
// what the load has to tell when it is done. Every reader takes the context of its load;
// nothing of it outlives the load.
#include "lapfiles/raceformat.h"
#include "race/classdata.h"

#include <QString>
#include <QStringList>

#include <array>

namespace basConvert {

class LabelQuestions;
class LoadProgress;

// A table line with more fields than this is no split table: a horizontal table has a few
// dozen columns, a vertical one a column per runner of its largest class.
constexpr int MaxTableFields = 100000;

// 1-based field positions found by AnalyzeHeaderLine; 0 = absent.
struct TableColumns {
    int classColumn = 0;
    int nameColumn = 0;
    int affiliationColumn = 0;
    int totalColumn = 0;
    int startColumn = 0;
    int statusColumn = 0;  // "状態": the run's status, a code or its Japanese word
    std::array<int, MaxLegs + 1> LapColumns{};  // index = leg number; index 0 is unused
    int highestLeg = 0;
    bool finishLeg = false;  // the header has a finish column ("◎")

    void clear() { *this = TableColumns(); }
};

struct ReadContext {
    QStringList lines;  // the stored lines, 0-based
    RaceFormat format = RaceFormat::Unknown;
    bool anyComma = false;  // some stored line contains ","
    TableColumns columns;
    LoadProgress* progress = nullptr;
    // Who answers the label questions of a table without a header; none leaves the first
    // question unanswered.
    LabelQuestions* labels = nullptr;
    int raceNumber = 0;  // the race to read of a result list of several; 0 = the first

    // What the load has to tell.
    QString unansweredQuestion;  // the label question left without an answer, with its sample
    bool askedLabels = false;    // the label questions built the header
    QString reason;              // why the file could not be read, when there is more to say
    QString notice;              // what a load that succeeds tells besides (classes split)
    QStringList warnings;        // what the reader left out or found damaged, in order
    bool damaged = false;        // a lap file that loaded as far as it goes
};

}  // namespace basConvert
