#include "shell/automation.h"

#include "config/registry.h"
#include "race/prompts.h"
#include "race/textcodec.h"
#include "shell/automationtargets.h"
#include "shell/scriptcommands.h"

#include <QFile>
#include <QFileInfo>

#include <exception>
#include <optional>

namespace basAutomation {

namespace {

// The lines of the script, each read up to CR LF or LF; a final line end does not start
// another line.
std::optional<QStringList> ReadScriptLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QString text = TextCodec::fromCp932(file.readAll());
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty()) lines.removeLast();
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    }
    return lines;
}

// Runs one line; any failure inside it counts as a stop.
CommandResult RunLine(ScriptContext& context, const QString& line)
{
    try {
        const QString replaced = ReplaceVariables(context, line);
        return ExecuteCommand(context, replaced.split(QLatin1Char(',')));
    } catch (const std::exception&) {
        return CommandResult::Stop;
    } catch (...) {
        return CommandResult::Stop;
    }
}

}  // namespace

QString StopMessage(int line)
{
    return QStringLiteral("自動処理を中止します (line=%1)").arg(line);
}

ScriptResult RunScriptFile(const QString& path, ScriptHost& host, const QStringList& variables)
{
    const std::optional<QStringList> lines = ReadScriptLines(path);
    if (!lines || lines->isEmpty()) return ScriptResult::NotRun;
    if (lines->first().toUpper() != QLatin1String("VERSION,1")) return ScriptResult::NotRun;
    return RunScript(path, host, variables);
}

ScriptResult RunScript(const QString& path, ScriptHost& host, const QStringList& variables)
{
    ScriptContext context{host,
                          QFileInfo(path).absolutePath(),
                          CbasWinAPI::SpecialFolderPath(CbasWinAPI::FolderDesktop),
                          CbasWinAPI::SpecialFolderPath(CbasWinAPI::FolderDocuments),
                          {}};
    for (int i = 0; i < variables.size() && i < 9; ++i) context.variables[i + 1] = variables[i];

    const std::optional<QStringList> lines = ReadScriptLines(path);
    if (!lines) return ScriptResult::NotRun;

    AutomationTargets::ClearWriteFailures();
    int lineNo = 0;
    for (const QString& line : *lines) {
        host.SetBusy(true);
        ++lineNo;
        const CommandResult result = RunLine(context, line);
        if (result == CommandResult::Exit) {
            host.SetBusy(false);
            return ScriptResult::Exited;
        }
        if (result == CommandResult::Stop) {
            host.SetBusy(false);
            Prompts::current().ask(StopMessage(lineNo), Prompts::Buttons::Ok, Prompts::Icon::None);
            return ScriptResult::Stopped;
        }
    }
    host.SetBusy(false);
    return ScriptResult::Completed;
}

}  // namespace basAutomation
