#pragma once
// LoadRaceFile and SaveRaceFile: the single entry points by which a race is read from any
// supported file and written as a lap file or one of the two lap CSV layouts.
#include <QString>

namespace basConvert {

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

// How a file is to be read where it leaves a choice.
struct LoadOptions {
    int raceNumber = 0;  // the race of an IOF XML file of several races (1-based); 0 = the first
};

// Reads the file and sets FileResult: 0, -1 could not read, -2 refused kind of file. Besides lap
// files and foreign tables it reads, by their content, IOF XML result lists (3.0, 2.0.3), the
// result exports of other timing programs and SplitsBrowser CSV files.
// On success the file's race replaces RaceInfo and ClassList as a whole, CurrentFilePath becomes
// path, and DataModified is set when the header was built from answers to label questions
// (otherwise it is left alone). A load that fails changes neither RaceInfo, ClassList nor
// DataModified; CurrentFilePath stays too, except that a path with no file clears it.
// A lap file that looks damaged (lapdamage.h) loads as far as it goes, and the load says so
// through the prompt service ("ファイルが壊れています: PATH (REASON)").
void LoadRaceFile(const QString& path, LoadProgress* progress = nullptr,
                  const LoadOptions& options = LoadOptions());

// True when the last load read a lap file that looks damaged.
bool LoadWasDamaged();

// The message to show for the FileResult of the last load: "この形式のファイルは読み込めません"
// for a refused kind of file, otherwise "ファイルを読み込めませんでした", followed on a second
// line by the reason when one is known (a file too large, say).
QString LoadFailureMessage(int result);

// What the last successful load has to tell besides its race, for the status of the window or the
// error stream of the command line: how many classes were split by the controls their runners
// visited, say. Empty when there is nothing.
QString LoadNotice();

// Filter index 1 lap file, 2 "CSV形式[横型]" (a runner per row), 3 "CSV形式[縦型]" (a runner
// per column), 4 an IOF XML 3.0 result list in UTF-8. Sets FileResult (0 or -1) and clears
// DataModified on success; CurrentFilePath is left to the caller. A failed save never destroys an
// existing file.
void SaveRaceFile(const QString& path, int filterIndex);

}  // namespace basConvert
