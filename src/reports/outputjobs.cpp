#include "reports/outputjobs.h"

#include "analysis/analyze.h"
#include "race/racekeys.h"
#include "race/sidebyside.h"
#include "reports/cp932check.h"
#include "reports/htmlpages.h"

namespace basExport {

using basAnalyze::AnalysisWorkspace;
using basDefinition::ClassNameOfEntry;

const QString CannotWrite = QStringLiteral("ファイルを出力できません - ");

namespace {

QString stopMessage(const QString& path, const CbasGeneral::FileError& error)
{
    return QStringLiteral("ファイルの書き込み中にエラーが発生したため、出力を中止しました - ") +
           CbasGeneral::PathWithReason(path, error);
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

}  // namespace

QString FailureLine(const QString& path, const CbasGeneral::FileError& error)
{
    if (!error) return QString();
    return QLatin1Char('\n') + CbasGeneral::PathWithReason(path, error);
}

void NoteUnencodable(const AnalysisWorkspace& ws, QString& unencodable)
{
    if (unencodable.isEmpty()) unencodable = TextWithoutCp932(ws);
}

OutputRun::OutputRun(const Race& race, const OutputOptions& options, const FileWriter& writer)
    : race_(race), options_(options), writer_(writer), keys_(options.folder)
{
    OutputKeys::KeyBuilder key;
    key.add(OutputKeys::ProgramKey());
    OutputKeys::AddRaceHeader(key, race.RaceInfo);
    addOptions(key, options);
    base_ = key.key();
}

QByteArray OutputRun::classKey(const clsClassData& cls)
{
    auto found = classKeys_.constFind(&cls);
    if (found == classKeys_.constEnd()) found = classKeys_.insert(&cls, OutputKeys::ClassKey(cls));
    return *found;
}

void OutputRun::addEntry(OutputKeys::KeyBuilder& key, const QString& entry)
{
    key.add(entry);
    const clsClassData* cls = race_.ClassList.find(ClassNameOfEntry(entry));
    key.add(cls ? classKey(*cls) : QByteArray("no such class"));
}

OutputKeys::KeyBuilder OutputRun::keyFor(const char* kind, const QString& path) const
{
    OutputKeys::KeyBuilder key;
    key.add(base_).add(QString::fromLatin1(kind)).add(path);
    return key;
}

FileJob OutputRun::entryJob(const char* kind, const QString& entry,
                            std::function<TextLines(const AnalysisWorkspace&)> lines, bool cp932)
{
    const QString path = OutputPath(race_.ClassList, options_, entry);
    OutputKeys::KeyBuilder key = keyFor(kind, path);
    addEntry(key, entry);
    const QString className = ClassNameOfEntry(entry);
    const Race& race = race_;
    return {entry, path, key.key(), [&race, className, lines, cp932](QString& unencodable) {
                const AnalysisWorkspace ws = basAnalyze::AnalyzeClass(race, className);
                if (cp932) NoteUnencodable(ws, unencodable);
                return lines(ws);
            }};
}

void OutputRun::tellUnencodable() const
{
    if (!unencodable_.isEmpty()) Prompts::message(Cp932Warning(unencodable_));
}

void OutputRun::make(const std::vector<FileJob>& jobs,
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

WriteOutcome OutputRun::write(const FileJob& job, const MadeFile& made)
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

bool OutputRun::writeOrStop(const FileJob& job, const MadeFile& made, WriteOutcome* outcome)
{
    const WriteOutcome result = write(job, made);
    if (outcome) *outcome = result;
    if (result != WriteOutcome::Broken) return true;
    report.stopped = true;
    tell(stopMessage(job.path, lastError_), Prompts::Icon::Exclamation);
    return false;
}

// The index page links what the folder holds once the class pages are written; its key holds
// those links, the race header and every class in order.
void OutputRun::index(const QString& pathTemplate)
{
    const IndexLinks links = FindIndexLinks(race_.ClassList, pathTemplate);
    const QString path = IndexPagePath(pathTemplate);
    // Not the options: results and leg runs write the same index page for the same template.
    OutputKeys::KeyBuilder key;
    key.add(OutputKeys::ProgramKey()).add(QStringLiteral("index")).add(path).add(pathTemplate);
    OutputKeys::AddRaceHeader(key, race_.RaceInfo);
    for (const auto& cls : race_.ClassList) key.add(classKey(*cls));
    for (const auto& found : links.classes)
        for (const QString& name : found) key.add(name);
    key.add(links.viewerFile).add(links.lapFile);

    FileJob job{QString(), path, key.key(), {}};
    MadeFile made;
    made.current = keys_.current(path, job.key);
    if (!made.current) made.bytes = LinesBytes(IndexPageLines(race_, links));
    const WriteOutcome outcome = write(job, made);
    if (outcome == WriteOutcome::Written || outcome == WriteOutcome::Unchanged) return;
    Prompts::message(CannotWrite + CbasGeneral::GetFileName(path) + FailureLine(path, lastError_),
                     Prompts::Icon::Exclamation);
}

}  // namespace basExport
