#include "reports/outputrun.h"

#include "analysis/analyze.h"
#include "race/filenameparts.h"
#include "race/outputkeys.h"
#include "race/pathutil.h"
#include "race/prompts.h"
#include "race/race.h"
#include "race/racekeys.h"
#include "race/sidebyside.h"
#include "race/textcodec.h"
#include "race/version.h"
#include "reports/cp932check.h"
#include "reports/csvexport.h"
#include "reports/htmlpages.h"
#include "reports/mailtext.h"
#include "reports/outputfolder.h"
#include "reports/viewerpage.h"

#include <QFileInfo>

#include <QHash>

namespace basExport {

namespace {

using basAnalyze::AnalysisWorkspace;
using basDefinition::ClassNameOfEntry;

const QString CannotWrite = QStringLiteral("ファイルを出力できません - ");

// The file name part of a path in lower case; the folder keeps its spelling.
QString lowerFileName(const QString& path)
{
    return CbasGeneral::GetFolderName(path) + CbasGeneral::GetFileName(path).toLower();
}

QString stopMessage(const QString& path, const CbasGeneral::FileError& error)
{
    return QStringLiteral("ファイルの書き込み中にエラーが発生したため、出力を中止しました - ") +
           CbasGeneral::PathWithReason(path, error);
}

// A file that could not be written, on a line of its own below a message: the path and why.
// Nothing when the writer gave no reason.
QString failureLine(const QString& path, const CbasGeneral::FileError& error)
{
    if (!error) return QString();
    return QLatin1Char('\n') + CbasGeneral::PathWithReason(path, error);
}

// Everything of the options that shapes a file.
void addOptions(OutputKeys::KeyBuilder& key, const OutputOptions& o)
{
    key.add(static_cast<int>(o.dataType))
        .add(static_cast<int>(o.fileType))
        .add(o.folder)
        .add(o.yearPrefix)
        .add(o.fileName)
        .add(o.wildcard)
        .add(o.extension)
        .add(o.lowerCase)
        .add(o.forExcel)
        .add(o.labelInterval())
        .add(o.index)
        .add(o.oneFile)
        .add(o.columns)
        .add(o.homePageUrl);
}

// The lines of a class's CSV table (class line, then the tables of the data type).
void csvClass(const OutputOptions& options, const AnalysisWorkspace& ws, TextLines& lines,
              bool firstClass)
{
    using Data = OutputDataType;
    const OutputDataType type = options.dataType;
    if (type == Data::SplitsBrowser) {
        // The unnamed class gets its class line too, or its runners would join the class before.
        if (!firstClass) lines << QString();
        lines << SplitsBrowserClassLine(ws);
    } else if (!ws.AnaClassName.isEmpty()) {
        lines << CsvClassTitleLine(ws) << QString();
    }
    const bool columnTypes =
        type == Data::Laps || type == Data::LapsAndSums || type == Data::Analysis;
    if (options.columns && columnTypes) {
        const QString nameLine = CsvNameLine(ws);
        lines << nameLine;
        const QString clubs = CsvAffiliationLine(ws);
        if (!clubs.isEmpty()) lines << clubs;
        lines << CsvResultLine(ws) << QString();
        WriteCsvColumns(lines, ws, nameLine, Section::Laps);
        if (type != Data::Laps) WriteCsvColumns(lines, ws, nameLine, Section::Sums);
        if (type == Data::Analysis)
            for (Section section : {Section::Ratios, Section::Cruise, Section::MissTimes,
                                    Section::MissRate, Section::NoMissTime})
                WriteCsvColumns(lines, ws, nameLine, section);
        return;
    }
    switch (type) {
        case Data::Laps:
            WriteCsvRows(lines, ws, CsvRowTable::Laps);
            break;
        case Data::LapsAndSums:
            WriteCsvRows(lines, ws, CsvRowTable::LapsOverSums);
            break;
        case Data::Analysis:
            for (CsvRowTable table :
                 {CsvRowTable::LapsOverSums, CsvRowTable::Ratios, CsvRowTable::MissTimes})
                WriteCsvRows(lines, ws, table);
            break;
        case Data::SplitsBrowser:
            WriteCsvRows(lines, ws, CsvRowTable::SplitsBrowser);
            break;
        case Data::Sums:
            WriteCsvRows(lines, ws, CsvRowTable::Sums);
            break;
        case Data::LegAnalysis:
        case Data::Mail:
        case Data::Viewer:
            break;
    }
}

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
void noteUnencodable(const AnalysisWorkspace& ws, QString& unencodable)
{
    if (unencodable.isEmpty()) unencodable = TextWithoutCp932(ws);
}

// One run's shared state: the options, the writer, the keys and what has happened so far.
class Run {
public:
    Run(const OutputOptions& options, const FileWriter& writer)
        : options_(options), writer_(writer), keys_(options.folder)
    {
        OutputKeys::KeyBuilder key;
        key.add(OutputKeys::ProgramKey());
        OutputKeys::AddRaceHeader(key, basDefinition::RaceInfo);
        addOptions(key, options);
        base_ = key.key();
    }
    OutputReport report;

    void html(const QStringList& entries);
    void viewer(const QStringList& entries);
    void csv(const QStringList& entries);
    void text(const QStringList& entries);
    void saveKeys() const { keys_.save(); }

private:
    // The key of a class, worked out once a run.
    QByteArray classKey(const clsClassData& cls)
    {
        auto found = classKeys_.constFind(&cls);
        if (found == classKeys_.constEnd())
            found = classKeys_.insert(&cls, OutputKeys::ClassKey(cls));
        return *found;
    }
    // The class of an entry as it enters a key: its key, or a mark that there is no such class.
    void addEntry(OutputKeys::KeyBuilder& key, const QString& entry)
    {
        key.add(entry);
        const clsClassData* cls = basDefinition::ClassList.find(ClassNameOfEntry(entry));
        key.add(cls ? classKey(*cls) : QByteArray("no such class"));
    }
    // A key builder holding what every file of the run depends on, the kind of file and its path.
    OutputKeys::KeyBuilder keyFor(const char* kind, const QString& path) const
    {
        OutputKeys::KeyBuilder key;
        key.add(base_).add(QString::fromLatin1(kind)).add(path);
        return key;
    }
    // A job for the file of one entry, whose lines come from the analysis of the entry's class;
    // a CP932 file notes the text it cannot hold.
    FileJob entryJob(const char* kind, const QString& entry,
                     std::function<TextLines(const AnalysisWorkspace&)> lines, bool cp932)
    {
        const QString path = OutputPath(options_, entry);
        OutputKeys::KeyBuilder key = keyFor(kind, path);
        addEntry(key, entry);
        const QString className = ClassNameOfEntry(entry);
        return {entry, path, key.key(), [className, lines, cp932](QString& unencodable) {
                    const AnalysisWorkspace ws = basAnalyze::AnalyzeClass(className);
                    if (cp932) noteUnencodable(ws, unencodable);
                    return lines(ws);
                }};
    }
    // Tells once, at the end of the run, the first text that its CP932 files cannot hold.
    void tellUnencodable() const
    {
        if (!unencodable_.isEmpty()) Prompts::message(Cp932Warning(unencodable_));
    }
    // Makes the files of the jobs side by side, leaving out those whose file is current, and
    // hands each to done on this thread in the order of the jobs; done returns false to stop. What
    // done tells is shown once every job has ended: a message box runs events, and an event
    // (the print tab's timer) may read the race file again while the jobs read the race.
    void make(const std::vector<FileJob>& jobs,
              const std::function<bool(const FileJob&, const MadeFile&)>& done);
    // Writes the job's file unless it is current; records its key once it holds the output.
    WriteOutcome write(const FileJob& job, const MadeFile& made);
    // write, with the stop of a broken write: the message, and false.
    bool writeOrStop(const FileJob& job, const MadeFile& made, WriteOutcome* outcome = nullptr)
    {
        const WriteOutcome result = write(job, made);
        if (outcome) *outcome = result;
        if (result != WriteOutcome::Broken) return true;
        report.stopped = true;
        tell(stopMessage(job.path, lastError_), Prompts::Icon::Exclamation);
        return false;
    }
    void index(const QString& pathTemplate);
    void tell(const QString& text, Prompts::Icon icon) { told_.push_back({text, icon}); }

    QString unencodable_;
    CbasGeneral::FileError lastError_;  // why the last write failed, when the writer told
    const OutputOptions& options_;
    FileWriter writer_;
    OutputKeys::KeyFolder keys_;
    QByteArray base_;
    QHash<const clsClassData*, QByteArray> classKeys_;
    std::vector<std::pair<QString, Prompts::Icon>> told_;
};

void Run::make(const std::vector<FileJob>& jobs,
               const std::function<bool(const FileJob&, const MadeFile&)>& done)
{
    CbasGeneral::MakeSideBySide<MadeFile>(
        jobs.size(),
        [&](size_t i) {
            const FileJob& job = jobs[i];
            MadeFile made;
            made.current = keys_.current(job.path, job.key);
            if (!made.current) made.bytes = LinesBytes(job.lines(made.unencodable));
            return made;
        },
        [&](size_t i, const MadeFile& made) {
            if (unencodable_.isEmpty()) unencodable_ = made.unencodable;
            return done(jobs[i], made);
        });
    for (const auto& [text, icon] : told_) Prompts::message(text, icon);
    told_.clear();
}

WriteOutcome Run::write(const FileJob& job, const MadeFile& made)
{
    WriteOutcome outcome = WriteOutcome::Unchanged;
    CbasGeneral::SetLastWriteError({});
    if (!made.current) outcome = writer_(job.path, made.bytes);
    lastError_ = CbasGeneral::LastWriteError();
    if (outcome == WriteOutcome::Written || outcome == WriteOutcome::Unchanged) {
        report.written << job.path;
        if (outcome == WriteOutcome::Unchanged) report.untouched << job.path;
        if (!made.current) keys_.record(job.path, job.key);
    } else {
        report.failed = true;
    }
    return outcome;
}

void Run::html(const QStringList& entries)
{
    if (options_.dataType == OutputDataType::Viewer) {
        viewer(entries);
        return;
    }
    const OutputDataType dataType = options_.dataType;
    const bool forExcel = options_.forExcel;
    const int labelInterval = options_.labelInterval();
    const QString homePageUrl = options_.homePageUrl;
    std::vector<FileJob> jobs;
    for (const QString& entry : entries) {
        jobs.push_back(entryJob(
            "html", entry,
            [dataType, forExcel, labelInterval, homePageUrl](const AnalysisWorkspace& ws) {
                HtmlPage page;
                if (dataType == OutputDataType::LegAnalysis)
                    WriteLegPage(page, ws);
                else
                    WriteResultsPage(page, ws, dataType, forExcel, labelInterval, homePageUrl);
                return page;
            },
            false));
    }
    bool broken = false;
    make(jobs, [&](const FileJob& job, const MadeFile& made) {
        WriteOutcome outcome;
        if (!writeOrStop(job, made, &outcome)) {
            broken = true;
            return false;
        }
        if (outcome == WriteOutcome::NotCreated)
            tell(CannotWrite + job.entry + failureLine(job.path, lastError_),
                 Prompts::Icon::Exclamation);
        return true;
    });
    if (broken || !options_.index) return;
    QString pathTemplate = CbasGeneral::AddPathSeparator(options_.folder) + options_.nameTemplate();
    if (options_.dataType == OutputDataType::LegAnalysis)
        pathTemplate.remove(QStringLiteral("leg_"));
    index(pathTemplate);
}

// The index page links what the folder holds once the class pages are written; its key holds
// those links, the race header and every class in order.
void Run::index(const QString& pathTemplate)
{
    const IndexLinks links = FindIndexLinks(pathTemplate);
    const QString path = IndexPagePath(pathTemplate);
    // Not the options: results and leg runs write the same index page for the same template.
    OutputKeys::KeyBuilder key;
    key.add(OutputKeys::ProgramKey()).add(QStringLiteral("index")).add(path).add(pathTemplate);
    OutputKeys::AddRaceHeader(key, basDefinition::RaceInfo);
    for (const auto& cls : basDefinition::ClassList) key.add(classKey(*cls));
    for (const auto& found : links.classes)
        for (const QString& name : found) key.add(name);
    key.add(links.viewerFile).add(links.lapFile);

    FileJob job{QString(), path, key.key(), {}};
    MadeFile made;
    made.current = keys_.current(path, job.key);
    if (!made.current) made.bytes = LinesBytes(IndexPageLines(links));
    const WriteOutcome outcome = write(job, made);
    if (outcome == WriteOutcome::Written || outcome == WriteOutcome::Unchanged) return;
    Prompts::message(CannotWrite + CbasGeneral::GetFileName(path) + failureLine(path, lastError_),
                     Prompts::Icon::Exclamation);
}

// One page of every chosen class. The index pages of the same name that are there already
// (the results pages as ".htm" or ".html") are written again, so that they link the viewer;
// no index is made where there was none.
void Run::viewer(const QStringList& entries)
{
    QStringList classNames;
    for (const QString& entry : entries) classNames << ClassNameOfEntry(entry);
    const QString path = OutputPath(options_, QString());
    if (!WriteViewerPage(path, classNames)) {
        report.failed = true;
        Prompts::message(CannotWrite + CbasGeneral::GetFileName(path) +
                             failureLine(path, CbasGeneral::LastWriteError()),
                         Prompts::Icon::Exclamation);
        return;
    }
    report.written << path;
    if (!options_.index) return;
    const QString stem =
        CbasGeneral::AddPathSeparator(options_.folder) + options_.yearPrefix + options_.fileName;
    for (const char* extension : {".htm", ".html"}) {
        const QString pathTemplate = stem + QStringLiteral("_*") + QLatin1String(extension);
        if (QFileInfo::exists(IndexPagePath(pathTemplate))) index(pathTemplate);
    }
}

void Run::csv(const QStringList& entries)
{
    const OutputOptions options = options_;
    const bool splitsBrowser = options.dataType == OutputDataType::SplitsBrowser;
    const bool oneFile = options.oneFile || splitsBrowser;
    const QString title = CsvRaceTitle();
    const auto titleLines = [splitsBrowser, title](TextLines& lines) {
        if (!splitsBrowser && !title.isEmpty()) lines << QStringLiteral("◎ ") + title << QString();
    };
    QStringList failed;
    QString failures;  // the files not created, with their reasons
    bool broken = false;
    if (oneFile) {
        QString path = CbasGeneral::AddPathSeparator(options.folder) + options.nameTemplate();
        if (options.lowerCase) path = lowerFileName(path);
        OutputKeys::KeyBuilder key = keyFor("csv", path);
        for (const QString& entry : entries) addEntry(key, entry);
        const FileJob job{QString(), path, key.key(), [=](QString& unencodable) {
                              TextLines lines;
                              titleLines(lines);
                              bool first = true;
                              for (const QString& entry : entries) {
                                  const AnalysisWorkspace ws =
                                      basAnalyze::AnalyzeClass(ClassNameOfEntry(entry));
                                  noteUnencodable(ws, unencodable);
                                  csvClass(options, ws, lines, first);
                                  first = false;
                                  if (!splitsBrowser) lines << QString();
                              }
                              if (!splitsBrowser) lines << CreditLines();
                              return lines;
                          }};
        make({job}, [&](const FileJob& file, const MadeFile& made) {
            WriteOutcome outcome;
            broken = !writeOrStop(file, made, &outcome);
            if (outcome == WriteOutcome::NotCreated) {
                failed = entries;
                failures = failureLine(file.path, lastError_);
            }
            return true;
        });
    } else {
        std::vector<FileJob> jobs;
        for (const QString& entry : entries) {
            jobs.push_back(entryJob(
                "csv", entry,
                [=](const AnalysisWorkspace& ws) {
                    TextLines lines;
                    titleLines(lines);
                    csvClass(options, ws, lines, true);
                    lines << CreditLines();
                    return lines;
                },
                true));
        }
        make(jobs, [&](const FileJob& job, const MadeFile& made) {
            WriteOutcome outcome;
            broken = !writeOrStop(job, made, &outcome);
            if (outcome == WriteOutcome::NotCreated) {
                failed << job.entry;
                failures += failureLine(job.path, lastError_);
            }
            return !broken;
        });
    }
    if (!broken && !failed.isEmpty())
        Prompts::message(CannotWrite + failed.join(QLatin1Char(',')) + failures,
                         Prompts::Icon::Exclamation);
    tellUnencodable();
}

void Run::text(const QStringList& entries)
{
    std::vector<FileJob> jobs;
    for (const QString& entry : entries) {
        jobs.push_back(entryJob(
            "text", entry,
            [](const AnalysisWorkspace& ws) {
                TextLines lines;
                WriteMailText(lines, ws);
                lines << CreditLines();
                return lines;
            },
            true));
    }
    bool error = false;
    QString failures;  // the files not written, with their reasons
    // Every file is tried, whatever became of those before it.
    make(jobs, [&](const FileJob& job, const MadeFile& made) {
        const WriteOutcome outcome = write(job, made);
        if (outcome == WriteOutcome::Written || outcome == WriteOutcome::Unchanged) return true;
        error = true;
        failures += failureLine(job.path, lastError_);
        return true;
    });
    if (error) {
        report.failed = true;
        Prompts::message(QStringLiteral("ファイル出力中にエラーが発生しました") + failures,
                         Prompts::Icon::None);
    }
    tellUnencodable();
}

// Whether the run writes a file for each class, named after it.
bool writesClassFiles(const OutputOptions& options)
{
    switch (options.fileType) {
        case OutputFileType::Html:
            return options.dataType != OutputDataType::Viewer;
        case OutputFileType::Csv:
            return !options.oneFile && options.dataType != OutputDataType::SplitsBrowser;
        case OutputFileType::Text:
            break;
    }
    return true;
}

}  // namespace

QByteArray LinesBytes(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines) text += line + QStringLiteral("\r\n");
    return TextCodec::toCp932(text);
}

WriteOutcome WriteOutputFile(const QString& path, const QByteArray& bytes)
{
    switch (CbasGeneral::WriteFileIfChanged(path, bytes)) {
        case CbasGeneral::FileWrite::Written:
            return WriteOutcome::Written;
        case CbasGeneral::FileWrite::Unchanged:
            return WriteOutcome::Unchanged;
        case CbasGeneral::FileWrite::NotCreated:
            return WriteOutcome::NotCreated;
        default:
            return WriteOutcome::Broken;
    }
}

QString OutputPath(const OutputOptions& options, const QString& entry)
{
    const QString folder = CbasGeneral::AddPathSeparator(options.folder);
    QString name = options.nameTemplate();
    name.replace(QLatin1Char('*'), basDefinition::ClassFileNamePart(ClassNameOfEntry(entry)));
    if (options.fileType == OutputFileType::Text) return CbasGeneral::CleanFileName(folder + name);
    return folder + (options.lowerCase ? name.toLower() : name);
}

QStringList CreditLines()
{
    return {QStringLiteral("Special Thanks to Mr.Elmsworth and Mr.Pennick."),
            QStringLiteral("Made with SplitDuel Ver.") + ProgramVersion::Text()};
}

OutputReport OutputFiles(const OutputOptions& options, const QStringList& selectedEntries,
                         const FileWriter& writer)
{
    // A folder that cannot take files is told once, by its name, instead of once for each file.
    const QString folderProblem = OutputFolderProblem(options.folder);
    if (!folderProblem.isEmpty()) {
        Prompts::message(folderProblem, Prompts::Icon::Exclamation);
        OutputReport failed;
        failed.failed = true;
        return failed;
    }
    Run run(options, writer ? writer : FileWriter(WriteOutputFile));
    if (writesClassFiles(options)) {
        QStringList classNames;
        for (const QString& entry : selectedEntries) classNames << ClassNameOfEntry(entry);
        basDefinition::TellRenamedClassFileNames(classNames);
    }
    switch (options.fileType) {
        case OutputFileType::Html:
            run.html(selectedEntries);
            break;
        case OutputFileType::Csv:
            run.csv(selectedEntries);
            break;
        case OutputFileType::Text:
            run.text(selectedEntries);
            break;
    }
    run.saveKeys();
    return run.report;
}

}  // namespace basExport
