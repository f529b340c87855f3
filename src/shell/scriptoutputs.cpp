#include "shell/scriptoutputs.h"

#include "chart/chartfiles.h"
#include "race/basicformat.h"
#include "race/fileproblem.h"
#include "race/pathutil.h"
#include "race/race.h"
#include "race/textutil.h"
#include "reports/analysiscsv.h"
#include "reports/outputfolder.h"
#include "reports/outputrun.h"
#include "reports/viewerpage.h"
#include "shell/scriptarguments.h"

#include <QFile>

#include <cerrno>

#include <sys/stat.h>

namespace basAutomation {

namespace {

// Whether both paths name one existing file (the same device and inode, links followed):
// names that differ only in letter case are two files here.
bool SameFile(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty()) return false;
    struct stat sa {
    }, sb{};
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0) return false;
    if (::stat(QFile::encodeName(b).constData(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// Copies the file through a temporary file that replaces the target only when complete, so a
// failed copy leaves an existing target as it was.
void CopyFileSafely(const QString& from, const QString& to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        const auto error = CbasGeneral::FileErrorFromErrno(errno, CbasGeneral::FileAccess::Read);
        throw ScriptError("copy failed", QStringLiteral("ファイルを読み込めませんでした: ") +
                                             CbasGeneral::PathWithReason(from, error));
    }
    RequireSaved(CbasGeneral::WriteFileBytes(to, source.readAll()), to);
}

// The folder and the name of HTML, LEG and the chart commands; the files named after the name
// must stay inside the folder.
struct FolderAndName {
    QString folder;
    QString name;
};
FolderAndName OutputPlace(const ScriptContext& context, const QStringList& fields)
{
    FolderAndName place{ScriptFolder(context, Argument(fields, 1)), Argument(fields, 2)};
    RequireInside(place.folder, place.name);
    return place;
}

}  // namespace

CommandResult LapCopy(ScriptContext& context, const QStringList& fields)
{
    const QString folder =
        CbasGeneral::AddPathSeparator(ScriptFolder(context, Argument(fields, 1)));
    const QString& name = Argument(fields, 2);
    RequireInside(folder, name);
    QString target = folder;
    if (context.host.Document().RaceInfo().hasDate()) {
        target += CbasGeneral::FormatDate(context.host.Document().RaceInfo().RaceDate,
                                          QStringLiteral("yy")) +
                  QLatin1Char('_');
    }
    target += name + QStringLiteral(".lap");
    if (SameFile(target, context.host.Document().CurrentFilePath())) return CommandResult::Continue;
    if (context.host.Document().CurrentFilePath().isEmpty())
        throw ScriptError(
            "no file",
            QStringLiteral("コピーするファイルがありません (ファイルが読み込まれていません)"));
    CopyFileSafely(context.host.Document().CurrentFilePath(), target);
    return CommandResult::Continue;
}

CommandResult SeasonCsv(ScriptContext& context, const QStringList& fields)
{
    const QString folder = ScriptFolder(context, Argument(fields, 1));
    QString failure;
    CbasGeneral::SetLastWriteError({});
    if (basExport::AppendAnalysisCsv(context.host.Document().race(), folder, &failure))
        return CommandResult::Continue;
    throw ScriptError("season file failed", basExport::AnalysisCsvFailureMessage(folder, failure));
}

CommandResult Viewer(ScriptContext& context, const QStringList& fields)
{
    const QString path = ScriptPath(context, CbasGeneral::RemoveQuotes(Argument(fields, 1)));
    Require(!CbasGeneral::Trim(path).isEmpty());
    RequireSaved(basExport::WriteViewerPage(context.host.Document().race(), path,
                                            context.host.Document().ClassList().names()),
                 path);
    return CommandResult::Continue;
}

CommandResult Pages(ScriptContext& context, const QStringList& fields)
{
    const FolderAndName place = OutputPlace(context, fields);
    const basExport::OutputDataType dataType = *basExport::ScriptPageDataType(fields[0]);
    // The dialog as freshly loaded for the race, the address of its pages from the settings.
    basExport::OutputOptions fresh =
        basExport::InitialOutputOptions(context.host.Document().RaceInfo(), QString());
    fresh.homePageUrl = context.host.Setting(QStringLiteral("HomePageUrl"));
    const basExport::OutputOptions options =
        basExport::ScriptPageOptions(fresh, dataType, place.folder, place.name);
    // The dialog refuses a run without a file name, and one into a folder that cannot take files.
    Require(!options.fileName.isEmpty());
    const QString problem = basExport::OutputFolderProblem(options.folder);
    if (!problem.isEmpty()) throw ScriptError("output folder", problem);
    context.host.OutputFolderUsed(options.folder);
    Require(
        !basExport::OutputFiles(context.host.Document().race(), options,
                                basExport::ClassListEntries(context.host.Document().ClassList()))
             .failed);
    return CommandResult::Continue;
}

CommandResult Charts(ScriptContext& context, const QStringList& fields)
{
    const FolderAndName place = OutputPlace(context, fields);
    if (basChart::WriteRaceChartImages(context.host.Document().race(), fields[0].toUpper(),
                                       place.folder, place.name,
                                       context.host.Document().ClassList().names()) > 0)
        context.writeFailed = true;
    return CommandResult::Continue;
}

}  // namespace basAutomation
