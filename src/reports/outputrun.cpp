#include "reports/outputrun.h"

#include "race/filenameparts.h"
#include "race/pathutil.h"
#include "race/prompts.h"
#include "race/textcodec.h"
#include "race/version.h"
#include "reports/outputfolder.h"
#include "reports/outputjobs.h"

namespace basExport {

namespace {

using basDefinition::ClassNameOfEntry;

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

QString OutputPath(const ClassCollection& classes, const OutputOptions& options,
                   const QString& entry)
{
    const QString folder = CbasGeneral::AddPathSeparator(options.folder);
    QString name = options.nameTemplate();
    name.replace(QLatin1Char('*'),
                 basDefinition::ClassFileNamePart(classes, ClassNameOfEntry(entry)));
    if (options.fileType == OutputFileType::Text) return CbasGeneral::CleanFileName(folder + name);
    return folder + (options.lowerCase ? name.toLower() : name);
}

QStringList CreditLines()
{
    return {QStringLiteral("Special Thanks to Mr.Elmsworth and Mr.Pennick."),
            QStringLiteral("Made with SplitDuel Ver.") + ProgramVersion::Text()};
}

OutputReport OutputFiles(const Race& race, const OutputOptions& options,
                         const QStringList& selectedEntries, const FileWriter& writer)
{
    // A folder that cannot take files is told once, by its name, instead of once for each file.
    const QString folderProblem = OutputFolderProblem(options.folder);
    if (!folderProblem.isEmpty()) {
        Prompts::message(folderProblem, Prompts::Icon::Exclamation);
        OutputReport failed;
        failed.failed = true;
        return failed;
    }
    OutputRun run(race, options, writer ? writer : FileWriter(WriteOutputFile));
    if (writesClassFiles(options)) {
        QStringList classNames;
        for (const QString& entry : selectedEntries) classNames << ClassNameOfEntry(entry);
        basDefinition::TellRenamedClassFileNames(race.ClassList, classNames);
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
