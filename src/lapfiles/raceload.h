#pragma once
// The one way a race file is read. ReadRaceFile takes a path and what the load may need to know,
// reads the file once, asks the format table (formattable.h) which kind of file it is, and
// returns what happened as a value: the race, or why there is none, with what the load has to
// tell. It changes no race in memory and shows nothing; windows, scripts and the command line
// tell what the result holds.
#include "lapfiles/raceformat.h"
#include "race/racevalue.h"

#include <QString>
#include <QStringList>

namespace basConvert {

class LabelQuestions;

// Receives what the loading window shows while a file is parsed: begin() when the window would
// open, progress() with texts such as " 25%", end() when it closes. The core never touches
// widgets; the desktop program passes an observer that drives its loading window.
class LoadProgress {
public:
    virtual ~LoadProgress() = default;
    virtual void begin() {}
    virtual void progress(const QString& text) = 0;
    virtual void end() {}
};

// Files larger than this are refused at once, before anything is read.
constexpr qint64 MaxRaceFileBytes = qint64(64) << 20;

// What a load may need to know besides the path.
struct LoadOptions {
    int raceNumber = 0;  // the race of an IOF XML file of several races (1-based); 0 = the first
    // Answers to the label questions of a table without a header, in the order they are asked:
    // "総" or "ラ" (or the captions "総タイム", "ラスポ→◎のラップ") for a run of times, a
    // word such as "名前" or "所属" for a column of text.
    QStringList labelAnswers;
    // Who is asked once the answers are used up; without one, the question goes unanswered
    // and the load fails naming it.
    LabelQuestions* labelQuestions = nullptr;
    LoadProgress* progress = nullptr;
};

enum class LoadStatus {
    Loaded,
    Failed,   // the file could not be read
    Refused,  // a kind of file the program refuses
};

struct LoadResult {
    QString path;
    LoadStatus status = LoadStatus::Failed;
    Race race;                                // the race read; empty unless loaded
    RaceFormat format = RaceFormat::Unknown;  // the kind of file that decided the load
    bool fileMissing = false;                 // no file at the path
    bool askedLabels = false;    // the header was built from answers to the label questions
    bool damaged = false;        // a lap file that looks damaged loaded as far as it goes
    QString reason;              // why it failed, when there is more to say than that it did
    QString unansweredQuestion;  // the label question left unanswered, with its sample
    // What to show whatever became of the load, in order: classes left out, a damaged file
    // ("ファイルが壊れています: PATH (REASON)\n読み込めた部分だけを読み込みました").
    QStringList warnings;
    // What a load that succeeded tells besides (how many classes were split by the controls
    // their runners visited); windows and the command line show it, scripts pass it over.
    QString notice;

    bool loaded() const { return status == LoadStatus::Loaded; }
    // "この形式のファイルは読み込めません" for a refused kind of file, otherwise
    // "ファイルを読み込めませんでした" followed on a second line by the reason when there is one.
    QString failureMessage() const;
};

// Reads the file. Besides lap files and the tables of other programs it reads, by their
// content, IOF XML result lists (3.0, 2.0.3), the result exports of other timing programs and
// SplitsBrowser CSV files.
LoadResult ReadRaceFile(const QString& path, const LoadOptions& options = LoadOptions());

}  // namespace basConvert
