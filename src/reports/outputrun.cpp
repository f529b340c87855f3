#include "reports/outputrun.h"

#include "analysis/analyze.h"
#include "race/pathutil.h"
#include "race/prompts.h"
#include "race/textcodec.h"
#include "race/version.h"
#include "reports/csvexport.h"
#include "reports/htmlpages.h"
#include "reports/mailtext.h"
#include "reports/viewerpage.h"

#include <QFileInfo>
#include <QSaveFile>

namespace basExport {

namespace {

const QString CannotWrite = QStringLiteral("ファイルを出力できません - ");

QString classNameOf(const QString& entry)
{
    return entry == QString::fromUtf8(UnnamedClassEntry) ? QString() : entry;
}

// The file name part of a path in lower case; the folder keeps its spelling.
QString lowerFileName(const QString& path)
{
    return CbasGeneral::GetFolderName(path) + CbasGeneral::GetFileName(path).toLower();
}

// The index page's path for the template of the class pages.
QString indexPathOf(const QString& pathTemplate)
{
    QString path = lowerFileName(pathTemplate);
    return path.replace(QLatin1Char('*'), QStringLiteral("index"));
}

void stopMessage(const QString& path)
{
    Prompts::message(
        QStringLiteral("ファイルの書き込み中にエラーが発生したため、出力を中止しました - ") + path);
}

// One run's shared state: the options, the writer and what has happened so far.
class Run {
public:
    Run(const OutputOptions& options, const FileWriter& writer) : options_(options), writer_(writer)
    {
    }
    OutputReport report;

    WriteOutcome write(const QString& path, const QStringList& lines)
    {
        const WriteOutcome outcome = writer_(path, lines);
        if (outcome == WriteOutcome::Written) report.written << path;
        if (outcome != WriteOutcome::Written) report.failed = true;
        if (outcome == WriteOutcome::Broken) {
            report.stopped = true;
            stopMessage(path);
        }
        return outcome;
    }

    void html(const QStringList& entries);
    void viewer(const QStringList& entries);
    void csv(const QStringList& entries);
    void text(const QStringList& entries);

    // Remembers the first text of the class just analysed that its CP932 file cannot hold,
    // and tells it once at the end of the run.
    void noteUnencodable()
    {
        if (unencodable_.isEmpty()) unencodable_ = TextWithoutCp932();
    }
    void tellUnencodable()
    {
        if (!unencodable_.isEmpty()) Prompts::message(Cp932Warning(unencodable_));
    }

private:
    void csvClass(TextLines& lines, bool firstClass);
    void index(const QString& pathTemplate);
    QString unencodable_;
    const OutputOptions& options_;
    FileWriter writer_;
};

void Run::html(const QStringList& entries)
{
    if (options_.dataType == DataViewer) {
        viewer(entries);
        return;
    }
    for (const QString& entry : entries) {
        basAnalyze::AnalyzeClass(classNameOf(entry));
        HtmlPage page;
        if (options_.dataType == DataLegAnalysis)
            WriteLegPage(page);
        else
            WriteResultsPage(page, options_.dataType, options_.forExcel, options_.labelInterval(),
                             options_.homePageUrl);
        const WriteOutcome outcome = write(OutputPath(options_, entry), page);
        if (outcome == WriteOutcome::Broken) return;
        if (outcome == WriteOutcome::NotCreated)
            Prompts::message(CannotWrite + entry, Prompts::Icon::Exclamation);
    }
    if (!options_.index) return;
    QString pathTemplate = CbasGeneral::AddPathSeparator(options_.folder) + options_.nameTemplate();
    if (options_.dataType == DataLegAnalysis) pathTemplate.remove(QStringLiteral("leg_"));
    index(pathTemplate);
}

void Run::index(const QString& pathTemplate)
{
    const QString indexPath = indexPathOf(pathTemplate);
    if (WriteIndexPage(pathTemplate)) {
        report.written << indexPath;
    } else {
        report.failed = true;
        Prompts::message(CannotWrite + CbasGeneral::GetFileName(indexPath),
                         Prompts::Icon::Exclamation);
    }
}

// One page of every chosen class. The index pages of the same name that are there already
// (the results pages as ".htm" or ".html") are written again, so that they link the viewer;
// no index is made where there was none.
void Run::viewer(const QStringList& entries)
{
    QStringList classNames;
    for (const QString& entry : entries) classNames << classNameOf(entry);
    const QString path = OutputPath(options_, QString());
    if (!WriteViewerPage(path, classNames)) {
        report.failed = true;
        Prompts::message(CannotWrite + CbasGeneral::GetFileName(path), Prompts::Icon::Exclamation);
        return;
    }
    report.written << path;
    if (!options_.index) return;
    const QString stem =
        CbasGeneral::AddPathSeparator(options_.folder) + options_.yearPrefix + options_.fileName;
    for (const char* extension : {".htm", ".html"}) {
        const QString pathTemplate = stem + QStringLiteral("_*") + QLatin1String(extension);
        if (QFileInfo::exists(indexPathOf(pathTemplate))) index(pathTemplate);
    }
}

void Run::csvClass(TextLines& lines, bool firstClass)
{
    const int type = options_.dataType;
    const basAnalyze::AnalysisWorkspace& ws = basAnalyze::Workspace;
    if (type == DataSplitsBrowser) {
        // The unnamed class gets its class line too, or its runners would join the class before.
        if (!firstClass) lines << QString();
        lines << SplitsBrowserClassLine();
    } else if (!ws.AnaClassName.isEmpty()) {
        lines << CsvClassTitleLine() << QString();
    }
    const bool columnTypes = type == DataLaps || type == DataLapsAndSums || type == DataAnalysis;
    if (options_.columns && columnTypes) {
        const QString nameLine = CsvNameLine();
        lines << nameLine;
        const QString clubs = CsvAffiliationLine();
        if (!clubs.isEmpty()) lines << clubs;
        lines << CsvResultLine() << QString();
        WriteCsvColumns(lines, nameLine, 1);
        if (type != DataLaps) WriteCsvColumns(lines, nameLine, 2);
        if (type == DataAnalysis)
            for (int section : {3, 5, 4, 6, 7}) WriteCsvColumns(lines, nameLine, section);
        return;
    }
    switch (type) {
        case DataLaps:
            WriteCsvRows(lines, 1);
            break;
        case DataLapsAndSums:
            WriteCsvRows(lines, 2);
            break;
        case DataAnalysis:
            for (int table : {2, 3, 4}) WriteCsvRows(lines, table);
            break;
        case DataSplitsBrowser:
            WriteCsvRows(lines, 5);
            break;
        case DataSums:
            WriteCsvRows(lines, 6);
            break;
        default:
            break;
    }
}

void Run::csv(const QStringList& entries)
{
    const bool splitsBrowser = options_.dataType == DataSplitsBrowser;
    const bool oneFile = options_.oneFile || splitsBrowser;
    const QString title = CsvRaceTitle();
    const auto titleLines = [&](TextLines& lines) {
        if (!splitsBrowser && !title.isEmpty()) lines << QStringLiteral("◎ ") + title << QString();
    };
    QStringList failed;
    if (oneFile) {
        TextLines lines;
        titleLines(lines);
        bool first = true;
        for (const QString& entry : entries) {
            basAnalyze::AnalyzeClass(classNameOf(entry));
            noteUnencodable();
            csvClass(lines, first);
            first = false;
            if (!splitsBrowser) lines << QString();
        }
        if (!splitsBrowser) lines << CreditLines();
        QString path = CbasGeneral::AddPathSeparator(options_.folder) + options_.nameTemplate();
        if (options_.lowerCase) path = lowerFileName(path);
        const WriteOutcome outcome = write(path, lines);
        if (outcome == WriteOutcome::Broken) return;
        if (outcome == WriteOutcome::NotCreated) failed = entries;
    } else {
        for (const QString& entry : entries) {
            basAnalyze::AnalyzeClass(classNameOf(entry));
            noteUnencodable();
            TextLines lines;
            titleLines(lines);
            csvClass(lines, true);
            lines << CreditLines();
            const WriteOutcome outcome = write(OutputPath(options_, entry), lines);
            if (outcome == WriteOutcome::Broken) return;
            if (outcome == WriteOutcome::NotCreated) failed << entry;
        }
    }
    if (!failed.isEmpty())
        Prompts::message(CannotWrite + failed.join(QLatin1Char(',')), Prompts::Icon::Exclamation);
    tellUnencodable();
}

void Run::text(const QStringList& entries)
{
    bool error = false;
    for (const QString& entry : entries) {
        basAnalyze::AnalyzeClass(classNameOf(entry));
        noteUnencodable();
        TextLines lines;
        WriteMailText(lines);
        lines << CreditLines();
        const QString path = OutputPath(options_, entry);
        if (writer_(path, lines) == WriteOutcome::Written)
            report.written << path;
        else
            error = true;
    }
    if (error) {
        report.failed = true;
        Prompts::message(QStringLiteral("ファイル出力中にエラーが発生しました"),
                         Prompts::Icon::None);
    }
    tellUnencodable();
}

}  // namespace

WriteOutcome WriteLinesFile(const QString& path, const QStringList& lines)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return WriteOutcome::NotCreated;
    QString text;
    for (const QString& line : lines) text += line + QStringLiteral("\r\n");
    const QByteArray bytes = TextCodec::toCp932(text);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return WriteOutcome::Broken;
    }
    return file.commit() ? WriteOutcome::Written : WriteOutcome::Broken;
}

QString OutputPath(const OutputOptions& options, const QString& entry)
{
    const QString folder = CbasGeneral::AddPathSeparator(options.folder);
    QString name = options.nameTemplate();
    name.replace(QLatin1Char('*'), ClassFileNamePart(classNameOf(entry)));
    if (options.fileType == FileText) return CbasGeneral::CleanFileName(folder + name);
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
    Run run(options, writer ? writer : FileWriter(WriteLinesFile));
    switch (options.fileType) {
        case FileHtml:
            run.html(selectedEntries);
            break;
        case FileCsv:
            run.csv(selectedEntries);
            break;
        default:
            run.text(selectedEntries);
            break;
    }
    return run.report;
}

}  // namespace basExport
