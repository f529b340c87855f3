#include "shell/scriptcommands.h"

#include "config/control.h"
#include "lapfiles/racefile.h"
#include "race/basicformat.h"
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

#include <functional>
#include <map>
#include <stdexcept>

#include <sys/stat.h>

namespace basAutomation {

namespace {

using basDefinition::CurrentFilePath;
using basDefinition::FileResult;

struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

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
bool CopyFileSafely(const QString& from, const QString& to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) return false;
    return CbasGeneral::WriteFileBytes(to, source.readAll());
}

CommandResult Open(ScriptContext& context, const QStringList& fields)
{
    const QString path = ScriptPath(context, CbasGeneral::RemoveQuotes(Argument(fields, 1)));
    basConvert::LoadRaceFile(path, context.host.LoadProgress());
    const int result = FileResult;
    FileResult = basDefinition::FileOk;
    if (result != basDefinition::FileOk) {
        // A refused kind of file is as much a failure as an unreadable one: going on would
        // publish whatever race was in memory before.
        CurrentFilePath.clear();
        context.host.Automation(QStringLiteral("OBJECTCONTROL"));
        Warn(context, basConvert::LoadFailureMessage(result));
        return CommandResult::Stop;
    }
    Require(context.host.Automation(QStringLiteral("OBJECTCONTROL")));
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
    QString target = folder;
    if (basDefinition::RaceInfo.hasDate()) {
        target += CbasGeneral::FormatDate(basDefinition::RaceInfo.RaceDate, QStringLiteral("yy")) +
                  QLatin1Char('_');
    }
    target += name + QStringLiteral(".lap");
    if (SameFile(target, CurrentFilePath)) return CommandResult::Continue;
    Require(!CurrentFilePath.isEmpty() && CopyFileSafely(CurrentFilePath, target));
    return CommandResult::Continue;
}

CommandResult SeasonCsv(ScriptContext& context, const QStringList& fields)
{
    Require(basExport::AppendAnalysisCsv(ScriptFolder(context, Argument(fields, 1))));
    return CommandResult::Continue;
}

// VIEWER,file: the race viewer of every class in one page.
CommandResult Viewer(ScriptContext& context, const QStringList& fields)
{
    const QString path = ScriptPath(context, CbasGeneral::RemoveQuotes(Argument(fields, 1)));
    Require(!CbasGeneral::Trim(path).isEmpty() &&
            basExport::WriteViewerPage(path, basDefinition::ClassList.names()));
    return CommandResult::Continue;
}

// HTML, LEG, CHART, CHART1, CHART2: the keyword, the folder and the file name go to the window
// that writes those files.
CommandResult PassOn(ScriptContext& context, const QStringList& fields,
                     const std::function<bool(const QString&)>& window)
{
    const QString command = fields[0].toUpper() + QLatin1Char(',') +
                            ScriptFolder(context, Argument(fields, 1)) + QLatin1Char(',') +
                            Argument(fields, 2);
    Require(window(command));
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
         [](ScriptContext& c, const QStringList& f) {
             return PassOn(c, f, AutomationTargets::RunOutputAutomation);
         }},
        {QStringLiteral("LEG"),
         [](ScriptContext& c, const QStringList& f) {
             return PassOn(c, f, AutomationTargets::RunOutputAutomation);
         }},
        {QStringLiteral("CHART"),
         [](ScriptContext& c, const QStringList& f) {
             return PassOn(c, f, AutomationTargets::RunAnalyzerAutomation);
         }},
        {QStringLiteral("CHART1"),
         [](ScriptContext& c, const QStringList& f) {
             return PassOn(c, f, AutomationTargets::RunAnalyzerAutomation);
         }},
        {QStringLiteral("CHART2"),
         [](ScriptContext& c, const QStringList& f) {
             return PassOn(c, f, AutomationTargets::RunAnalyzerAutomation);
         }},
        {QStringLiteral("INPUT"), Input},
        {QStringLiteral("INPUTFOLDER"), InputFolder},
    };
    return commands;
}

}  // namespace

QString ReplaceVariables(const ScriptContext& context, const QString& line)
{
    QString text = line;
    text.replace(QStringLiteral("%desktop%"), context.desktopFolder, Qt::CaseInsensitive);
    text.replace(QStringLiteral("%documents%"), context.documentsFolder, Qt::CaseInsensitive);
    text.replace(QStringLiteral("%eventname%"), basDefinition::RaceInfo.RaceName,
                 Qt::CaseInsensitive);
    for (int n = 1; n <= 9; ++n) {
        const QString name = QLatin1Char('%') + QString::number(n) + QLatin1Char('%');
        text.replace(name, context.variables[n], Qt::CaseInsensitive);
    }
    return text;
}

CommandResult ExecuteCommand(ScriptContext& context, const QStringList& fields)
{
    const auto command = Commands().find(fields.value(0).toUpper());
    if (command == Commands().end()) return CommandResult::Continue;
    return command->second(context, fields);
}

}  // namespace basAutomation
