// The files each file type of an output run makes: HTML pages (or the race viewer) with their
// index, CSV tables one a class or all in one file, and the e-mail text.
#include "analysis/analyze.h"
#include "reports/htmlpages.h"
#include "reports/mailtext.h"
#include "reports/outputjobs.h"
#include "reports/viewerpage.h"

#include <QFileInfo>

namespace basExport {

namespace {

using basAnalyze::AnalysisWorkspace;
using basDefinition::ClassNameOfEntry;

// The file name part of a path in lower case; the folder keeps its spelling.
QString lowerFileName(const QString& path)
{
    return CbasGeneral::GetFolderName(path) + CbasGeneral::GetFileName(path).toLower();
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

}  // namespace

void OutputRun::html(const QStringList& entries)
{
    if (options_.dataType == OutputDataType::Viewer) {
        viewer(entries);
        return;
    }
    const RaceHeader& race = race_.RaceInfo;
    const OutputDataType dataType = options_.dataType;
    const bool forExcel = options_.forExcel;
    const int labelInterval = options_.labelInterval();
    const QString homePageUrl = options_.homePageUrl;
    std::vector<FileJob> jobs;
    for (const QString& entry : entries) {
        jobs.push_back(entryJob(
            "html", entry,
            [&race, dataType, forExcel, labelInterval, homePageUrl](const AnalysisWorkspace& ws) {
                HtmlPage page;
                if (dataType == OutputDataType::LegAnalysis)
                    WriteLegPage(page, ws);
                else
                    WriteResultsPage(page, race, ws, dataType, forExcel, labelInterval,
                                     homePageUrl);
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
            tell(CannotWrite + job.entry + FailureLine(job.path, lastError_),
                 Prompts::Icon::Exclamation);
        return true;
    });
    if (broken || !options_.index) return;
    QString pathTemplate = CbasGeneral::AddPathSeparator(options_.folder) + options_.nameTemplate();
    if (options_.dataType == OutputDataType::LegAnalysis)
        pathTemplate.remove(QStringLiteral("leg_"));
    index(pathTemplate);
}

// One page of every chosen class. The index pages of the same name that are there already
// (the results pages as ".htm" or ".html") are written again, so that they link the viewer;
// no index is made where there was none.
void OutputRun::viewer(const QStringList& entries)
{
    QStringList classNames;
    for (const QString& entry : entries) classNames << ClassNameOfEntry(entry);
    const QString path = OutputPath(race_.ClassList, options_, QString());
    if (!WriteViewerPage(race_, path, classNames)) {
        report.failed = true;
        Prompts::message(CannotWrite + CbasGeneral::GetFileName(path) +
                             FailureLine(path, CbasGeneral::LastWriteError()),
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

void OutputRun::csv(const QStringList& entries)
{
    const OutputOptions options = options_;
    const bool splitsBrowser = options.dataType == OutputDataType::SplitsBrowser;
    const bool oneFile = options.oneFile || splitsBrowser;
    const QString title = CsvRaceTitle(race_.RaceInfo);
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
        const Race& race = race_;
        const FileJob job{QString(), path, key.key(), [=, &race](QString& unencodable) {
                              TextLines lines;
                              titleLines(lines);
                              bool first = true;
                              for (const QString& entry : entries) {
                                  const AnalysisWorkspace ws =
                                      basAnalyze::AnalyzeClass(race, ClassNameOfEntry(entry));
                                  NoteUnencodable(ws, unencodable);
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
                failures = FailureLine(file.path, lastError_);
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
                failures += FailureLine(job.path, lastError_);
            }
            return !broken;
        });
    }
    if (!broken && !failed.isEmpty())
        Prompts::message(CannotWrite + failed.join(QLatin1Char(',')) + failures,
                         Prompts::Icon::Exclamation);
    tellUnencodable();
}

void OutputRun::text(const QStringList& entries)
{
    const RaceHeader& race = race_.RaceInfo;
    std::vector<FileJob> jobs;
    for (const QString& entry : entries) {
        jobs.push_back(entryJob(
            "text", entry,
            [&race](const AnalysisWorkspace& ws) {
                TextLines lines;
                WriteMailText(lines, race, ws);
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
        failures += FailureLine(job.path, lastError_);
        return true;
    });
    if (error) {
        report.failed = true;
        Prompts::message(QStringLiteral("ファイル出力中にエラーが発生しました") + failures,
                         Prompts::Icon::None);
    }
    tellUnencodable();
}

}  // namespace basExport
