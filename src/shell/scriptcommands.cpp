#include "shell/scriptcommands.h"

#include "config/control.h"
#include "lapfiles/racefile.h"
#include "race/basicformat.h"
#include "race/filenameparts.h"
#include "race/pathutil.h"
#include "race/prompts.h"
#include "race/race.h"
#include "race/textutil.h"
#include "reports/analysiscsv.h"
#include "reports/viewerpage.h"
#include "shell/automationtargets.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <functional>
#include <map>

#include <sys/stat.h>

namespace basAutomation {

namespace {

using basDefinition::CurrentFilePath;
using basDefinition::FileResult;

// Argument n (1-based) of the command; a missing argument is an error of the line.
const QString& Argument(const QStringList& fields, int n)
{
    if (n >= fields.size()) throw ScriptError("missing argument");
    return fields[n];
}

// A path written in the script: "\" separators (scripts written for Windows) become "/", and a
// relative path is taken from the script's folder, so a script can sit beside its files.
QString ScriptPath(const ScriptContext& context, const QString& text)
{
    QString path = text;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.isEmpty() || QDir::isAbsolutePath(path)) return path;
    return QDir(context.scriptFolder).filePath(path);
}

// An output folder written in the script. An empty one (a variable the script was not given)
// is an error: it would turn into the root folder and scatter files there.
QString ScriptFolder(const ScriptContext& context, const QString& text)
{
    if (CbasGeneral::Trim(text).isEmpty()) throw ScriptError("empty folder");
    return ScriptPath(context, text);
}

// The number of a user variable, 1 … 9.
int VariableNumber(const QString& text)
{
    const int n = CbasGeneral::RoundHalfEven(CbasGeneral::Val(text));
    if (n < 1 || n > 9) throw ScriptError("variable number outside 1 to 9");
    return n;
}

void Require(bool ok)
{
    if (!ok) throw ScriptError("command failed");
}

// A file that could not be written stops the line, naming the file and the reason.
void RequireSaved(bool ok, const QString& path)
{
    if (!ok)
        throw ScriptError("write failed",
                          CbasGeneral::SaveFailureMessage(path, CbasGeneral::LastWriteError()));
}

// The files a command names after a name argument (name + class part + extension, or name +
// ".lap") must lie inside the folder it was given, links of the folders resolved.
void RequireInside(const QString& folder, const QString& name)
{
    const QString path = CbasGeneral::AddPathSeparator(folder) + name;
    if (!CbasGeneral::StaysInFolder(folder, path + QLatin1Char('_')))
        throw ScriptError(
            "outside the folder",
            CbasGeneral::SaveFailureMessage(path, {CbasGeneral::FileProblem::OutsideFolder, 0}));
}

void Warn(ScriptContext& context, const QString& text)
{
    context.host.SetBusy(false);
    Prompts::message(text, Prompts::Icon::Exclamation);
}

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

CommandResult Open(ScriptContext& context, const QStringList& fields)
{
    const QString path = ScriptPath(context, CbasGeneral::RemoveQuotes(Argument(fields, 1)));
    const basConvert::LoadResult load = basConvert::LoadRaceFile(path, context.host.LoadProgress());
    FileResult = basDefinition::FileOk;
    if (!load.loaded()) {
        // A refused kind of file is as much a failure as an unreadable one: going on would
        // publish whatever race was in memory before.
        CurrentFilePath.clear();
        context.host.Automation(QStringLiteral("OBJECTCONTROL"));
        Warn(context, load.failureMessage());
        return CommandResult::Stop;
    }
    Require(context.host.Automation(QStringLiteral("OBJECTCONTROL")));
    // A damaged file (told by the reader) loads as far as it goes; publishing it would put half
    // a race on the web.
    if (load.damaged) return CommandResult::Stop;
    return CommandResult::Continue;
}

CommandResult ClickShow(ScriptContext& context, const QStringList&)
{
    if (CurrentFilePath.isEmpty()) {
        Warn(context, QStringLiteral("表示できません"));
        return CommandResult::Stop;
    }
    Require(context.host.Automation(QStringLiteral("CLICK,4")));
    return CommandResult::Continue;
}

CommandResult ClickOpen(ScriptContext& context, const QStringList&)
{
    context.host.SetBusy(false);
    Require(context.host.Automation(QStringLiteral("CLICK,1")));
    return CurrentFilePath.isEmpty() ? CommandResult::Stop : CommandResult::Continue;
}

CommandResult ClickExit(ScriptContext& context, const QStringList&)
{
    context.host.SetBusy(false);
    Require(context.host.Automation(QStringLiteral("CLICK,6")));
    // Unsaved data whose save question was cancelled keeps the program open; a window closed
    // without saving ends it like a clean exit.
    if (!basDefinition::DataModified || context.host.IsClosed()) return CommandResult::Exit;
    return CommandResult::Continue;
}

CommandResult LapCopy(ScriptContext& context, const QStringList& fields)
{
    const QString folder =
        CbasGeneral::AddPathSeparator(ScriptFolder(context, Argument(fields, 1)));
    const QString& name = Argument(fields, 2);
    RequireInside(folder, name);
    QString target = folder;
    if (basDefinition::RaceInfo.hasDate()) {
        target += CbasGeneral::FormatDate(basDefinition::RaceInfo.RaceDate, QStringLiteral("yy")) +
                  QLatin1Char('_');
    }
    target += name + QStringLiteral(".lap");
    if (SameFile(target, CurrentFilePath)) return CommandResult::Continue;
    if (CurrentFilePath.isEmpty())
        throw ScriptError(
            "no file",
            QStringLiteral("コピーするファイルがありません (ファイルが読み込まれていません)"));
    CopyFileSafely(CurrentFilePath, target);
    return CommandResult::Continue;
}

CommandResult SeasonCsv(ScriptContext& context, const QStringList& fields)
{
    const QString folder = ScriptFolder(context, Argument(fields, 1));
    QString failure;
    CbasGeneral::SetLastWriteError({});
    if (basExport::AppendAnalysisCsv(folder, &failure)) return CommandResult::Continue;
    throw ScriptError("season file failed", basExport::AnalysisCsvFailureMessage(folder, failure));
}

// VIEWER,file: the race viewer of every class in one page.
CommandResult Viewer(ScriptContext& context, const QStringList& fields)
{
    const QString path = ScriptPath(context, CbasGeneral::RemoveQuotes(Argument(fields, 1)));
    Require(!CbasGeneral::Trim(path).isEmpty());
    RequireSaved(basExport::WriteViewerPage(path, basDefinition::ClassList.names()), path);
    return CommandResult::Continue;
}

// HTML, LEG, CHART, CHART1, CHART2: the keyword, the folder and the file name go to the window
// that writes those files.
CommandResult PassOn(ScriptContext& context, const QStringList& fields,
                     const std::function<bool(const QStringList&)>& window)
{
    const QString folder = ScriptFolder(context, Argument(fields, 1));
    const QString& name = Argument(fields, 2);
    RequireInside(folder, name);
    Require(window({fields[0].toUpper(), folder, name}));
    return CommandResult::Continue;
}

CommandResult Input(ScriptContext& context, const QStringList& fields)
{
    const int n = VariableNumber(Argument(fields, 1));
    const QString& prompt = Argument(fields, 2);
    const QString& defaultText = Argument(fields, 3);
    context.host.SetBusy(false);
    context.variables[n] = Prompts::current()
                               .input(prompt, QStringLiteral("SplitDuel"), defaultText)
                               .value_or(QString());
    return CommandResult::Continue;
}

CommandResult InputFolder(ScriptContext& context, const QStringList& fields)
{
    const int n = VariableNumber(Argument(fields, 1));
    const QString& title = Argument(fields, 2);
    context.host.SetBusy(false);
    DiskTree tree;
    tree.Show(title);
    if (tree.Value().isEmpty()) return CommandResult::Stop;
    context.variables[n] = tree.Value();
    return CommandResult::Continue;
}

bool RunOutput(const QStringList& fields)
{
    return AutomationTargets::RunOutputAutomation(fields);
}

bool RunAnalyzer(const QStringList& fields)
{
    return AutomationTargets::RunAnalyzerAutomation(fields);
}

using Command = std::function<CommandResult(ScriptContext&, const QStringList&)>;

const std::map<QString, Command>& Commands()
{
    static const std::map<QString, Command> commands{
        {QStringLiteral("OPEN"), Open},
        {QStringLiteral("CLICKSHOW"), ClickShow},
        {QStringLiteral("CLICKOPEN"), ClickOpen},
        {QStringLiteral("CLICKEXIT"), ClickExit},
        {QStringLiteral("EXIT"),
         [](ScriptContext&, const QStringList&) { return CommandResult::Exit; }},
        {QStringLiteral("LAPCOPY"), LapCopy},
        {QStringLiteral("XCSV"), SeasonCsv},
        {QStringLiteral("VIEWER"), Viewer},
        {QStringLiteral("HTML"),
         [](ScriptContext& c, const QStringList& f) { return PassOn(c, f, RunOutput); }},
        {QStringLiteral("LEG"),
         [](ScriptContext& c, const QStringList& f) { return PassOn(c, f, RunOutput); }},
        {QStringLiteral("CHART"),
         [](ScriptContext& c, const QStringList& f) { return PassOn(c, f, RunAnalyzer); }},
        {QStringLiteral("CHART1"),
         [](ScriptContext& c, const QStringList& f) { return PassOn(c, f, RunAnalyzer); }},
        {QStringLiteral("CHART2"),
         [](ScriptContext& c, const QStringList& f) { return PassOn(c, f, RunAnalyzer); }},
        {QStringLiteral("INPUT"), Input},
        {QStringLiteral("INPUTFOLDER"), InputFolder},
    };
    return commands;
}

// A comment line: "REM" on its own or followed by a space or a ",", as scripts written for
// Windows note what they do.
bool IsComment(const QString& keyword)
{
    return keyword == QLatin1String("REM") || keyword.startsWith(QLatin1String("REM "));
}

}  // namespace

QString ReplaceVariables(const ScriptContext& context, const QString& field)
{
    QString text = field;
    text.replace(QStringLiteral("%desktop%"), context.desktopFolder, Qt::CaseInsensitive);
    text.replace(QStringLiteral("%documents%"), context.documentsFolder, Qt::CaseInsensitive);
    text.replace(QStringLiteral("%eventname%"),
                 CbasGeneral::NameForFileName(basDefinition::RaceInfo.RaceName),
                 Qt::CaseInsensitive);
    for (int n = 1; n <= 9; ++n) {
        const QString name = QLatin1Char('%') + QString::number(n) + QLatin1Char('%');
        text.replace(name, context.variables[n], Qt::CaseInsensitive);
    }
    return text;
}

QStringList LineFields(const ScriptContext& context, const QString& line)
{
    QStringList fields = line.split(QLatin1Char(','));
    for (QString& field : fields) field = ReplaceVariables(context, field);
    return fields;
}

CommandResult ExecuteCommand(ScriptContext& context, const QStringList& fields)
{
    if (fields.join(QString()).trimmed().isEmpty()) return CommandResult::Continue;
    const QString keyword = fields.value(0).toUpper();
    if (keyword == QLatin1String("VERSION") || IsComment(keyword)) return CommandResult::Continue;
    const auto command = Commands().find(keyword);
    if (command == Commands().end())
        throw ScriptError("unknown command",
                          QStringLiteral("不明なコマンドです: 「%1」").arg(fields.value(0)));
    return command->second(context, fields);
}

}  // namespace basAutomation
