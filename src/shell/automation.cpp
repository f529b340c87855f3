#include "shell/automation.h"

#include "config/registry.h"
#include "race/fileproblem.h"
#include "race/prompts.h"
#include "race/textcodec.h"
#include "shell/scriptcommands.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <exception>
#include <optional>

namespace basAutomation {

namespace {

// A script larger than this is no script (a lap file or an image given by mistake).
constexpr qint64 MaxScriptBytes = qint64(4) << 20;

// The text of a script: CP932, or UTF-8 when it begins with a byte-order mark (as editors save
// it), the mark left out.
QString DecodeScript(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return TextCodec::decode(bytes, TextCodec::Encoding::Utf8);
    return TextCodec::fromCp932(bytes);
}

// The lines of the script, each read up to CR LF, LF or a lone CR; a final line end does not
// start another line. No lines, and the reason, when the file cannot be read.
std::optional<QStringList> ReadScriptLines(const QString& path, QString* reason = nullptr)
{
    QFile file(path);
    const auto fail = [reason](const QString& why) {
        if (reason) *reason = why;
        return std::nullopt;
    };
    if (QFileInfo(path).isDir())
        return fail(CbasGeneral::FileProblemText({CbasGeneral::FileProblem::IsFolder, EISDIR}));
    if (!file.open(QIODevice::ReadOnly))
        return fail(CbasGeneral::FileProblemText(
            CbasGeneral::FileErrorFromErrno(errno, CbasGeneral::FileAccess::Read)));
    if (file.size() > MaxScriptBytes) return fail(QStringLiteral("ファイルが大きすぎます"));
    QString text = DecodeScript(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty()) lines.removeLast();
    return lines;
}

// Runs one line; any failure inside it counts as a stop, told first when it says why.
CommandResult RunLine(ScriptContext& context, const QString& line)
{
    try {
        return ExecuteCommand(context, LineFields(context, line));
    } catch (const ScriptError& error) {
        if (!error.message.isEmpty()) {
            context.host.SetBusy(false);
            Prompts::message(error.message, Prompts::Icon::Exclamation);
        }
        return CommandResult::Stop;
    } catch (const std::exception&) {
        return CommandResult::Stop;
    } catch (...) {
        return CommandResult::Stop;
    }
}

// Tells why the script at the path is not run.
ScriptOutcome NotRun(const QString& path, const QString& reason)
{
    Prompts::message(QStringLiteral("スクリプトを実行できません: ") + path + QStringLiteral(" (") +
                         reason + QLatin1Char(')'),
                     Prompts::Icon::Exclamation);
    return {};
}

}  // namespace

QString StopMessage(int line)
{
    return QStringLiteral("自動処理を中止します (line=%1)").arg(line);
}

int ExitStatus(const ScriptOutcome& outcome)
{
    const bool ranThrough =
        outcome.result == ScriptResult::Completed || outcome.result == ScriptResult::Exited;
    return ranThrough && !outcome.writeFailed ? 0 : 1;
}

ScriptOutcome RunScriptFile(const QString& path, ScriptHost& host, const QStringList& variables)
{
    QString reason;
    const std::optional<QStringList> lines = ReadScriptLines(path, &reason);
    if (!lines) return NotRun(path, reason);
    if (lines->isEmpty() || lines->first().toUpper() != QLatin1String("VERSION,1"))
        return NotRun(path, QStringLiteral("1行目が VERSION,1 ではありません"));
    return RunScript(path, host, variables);
}

ScriptOutcome RunScript(const QString& path, ScriptHost& host, const QStringList& variables)
{
    ScriptContext context{host,
                          QFileInfo(path).absolutePath(),
                          CbasWinAPI::SpecialFolderPath(CbasWinAPI::SpecialFolder::Desktop),
                          CbasWinAPI::SpecialFolderPath(CbasWinAPI::SpecialFolder::Documents),
                          {}};
    for (int i = 0; i < variables.size() && i < 9; ++i) context.variables[i + 1] = variables[i];

    const std::optional<QStringList> lines = ReadScriptLines(path);
    if (!lines) return {};

    const auto ended = [&](ScriptResult result) {
        host.SetBusy(false);
        return ScriptOutcome{result, context.writeFailed};
    };
    int lineNo = 0;
    for (const QString& line : *lines) {
        host.SetBusy(true);
        ++lineNo;
        const CommandResult result = RunLine(context, line);
        if (result == CommandResult::Exit) return ended(ScriptResult::Exited);
        if (result == CommandResult::Stop) {
            host.SetBusy(false);
            Prompts::current().ask(StopMessage(lineNo), Prompts::Buttons::Ok, Prompts::Icon::None);
            return ended(ScriptResult::Stopped);
        }
    }
    return ended(ScriptResult::Completed);
}

}  // namespace basAutomation
