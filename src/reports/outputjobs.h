#pragma once
// The machinery of one output run (outputrun.h): the files of a run as jobs, each with the key
// of what it is made from, made side by side and written in order, with what went wrong told
// once the jobs have ended. outputfiletypes.cpp says which jobs each file type makes.
#include "analysis/workspace.h"
#include "race/outputkeys.h"
#include "race/pathutil.h"
#include "race/prompts.h"
#include "race/racevalue.h"
#include "reports/csvexport.h"
#include "reports/outputrun.h"

#include <QHash>

#include <functional>
#include <utility>
#include <vector>

namespace basExport {

// "ファイルを出力できません - ", the start of the message of a file that could not be written.
extern const QString CannotWrite;

// A file that could not be written, on a line of its own below a message: the path and why.
// Nothing when the writer gave no reason.
QString FailureLine(const QString& path, const CbasGeneral::FileError& error);

// One file of a run: the entry it is for (empty for a file of all entries), where it goes, the
// key of what it is made from, and how its lines are made. lines runs on a pool thread: it
// analyses the classes it needs, and for a CP932 file notes the first text of them that the
// file cannot hold (TextWithoutCp932).
struct FileJob {
    QString entry;
    QString path;
    QByteArray key;
    std::function<TextLines(QString& unencodable)> lines;
};

// A job's file as made: nothing when the file in the folder is current, else its bytes.
struct MadeFile {
    bool current = false;
    QByteArray bytes;
    QString unencodable;
};

// Notes the first text of the analysis that CP932 cannot hold.
void NoteUnencodable(const basAnalyze::AnalysisWorkspace& ws, QString& unencodable);

// One run's shared state: the race, the options, the writer, the keys and what has happened so
// far. The race is only read, by the jobs side by side as well.
class OutputRun {
public:
    OutputRun(const Race& race, const OutputOptions& options, const FileWriter& writer);
    OutputReport report;

    // The files of each file type for the entries (outputfiletypes.cpp).
    void html(const QStringList& entries);
    void viewer(const QStringList& entries);
    void csv(const QStringList& entries);
    void text(const QStringList& entries);
    void saveKeys() const { keys_.save(); }

private:
    // The key of a class, worked out once a run.
    QByteArray classKey(const clsClassData& cls);
    // The class of an entry as it enters a key: its key, or a mark that there is no such class.
    void addEntry(OutputKeys::KeyBuilder& key, const QString& entry);
    // A key builder holding what every file of the run depends on, the kind of file and its path.
    OutputKeys::KeyBuilder keyFor(const char* kind, const QString& path) const;
    // A job for the file of one entry, whose lines come from the analysis of the entry's class;
    // a CP932 file notes the text it cannot hold.
    FileJob entryJob(const char* kind, const QString& entry,
                     std::function<TextLines(const basAnalyze::AnalysisWorkspace&)> lines,
                     bool cp932);
    // Tells once, at the end of the run, the first text that its CP932 files cannot hold.
    void tellUnencodable() const;
    // Makes the files of the jobs side by side, leaving out those whose file is current, and
    // hands each to done on this thread in the order of the jobs; done returns false to stop. What
    // done tells is shown once every job has ended: a message box runs events, and an event
    // (the print tab's timer) may read the race file again while the jobs read the race.
    void make(const std::vector<FileJob>& jobs,
              const std::function<bool(const FileJob&, const MadeFile&)>& done);
    // Writes the job's file unless it is current; records its key once it holds the output.
    WriteOutcome write(const FileJob& job, const MadeFile& made);
    // write, with the stop of a broken write: the message, and false.
    bool writeOrStop(const FileJob& job, const MadeFile& made, WriteOutcome* outcome = nullptr);
    // The index page of the class pages written by the path template.
    void index(const QString& pathTemplate);
    void tell(const QString& text, Prompts::Icon icon) { told_.push_back({text, icon}); }

    const Race& race_;
    QString unencodable_;
    CbasGeneral::FileError lastError_;  // why the last write failed, when the writer told
    const OutputOptions& options_;
    FileWriter writer_;
    OutputKeys::KeyFolder keys_;
    QByteArray base_;
    QHash<const clsClassData*, QByteArray> classKeys_;
    std::vector<std::pair<QString, Prompts::Icon>> told_;
};

}  // namespace basExport
