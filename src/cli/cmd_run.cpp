// splitduel-cli run SCRIPT [ARG...]: an automation script run to its end without a display, as
// the desktop program runs it offscreen: the same commands writing the same files, the same
// messages on standard error and the same exit status. Nothing to show or choose: CLICKSHOW
// shows nothing, CLICKOPEN loads nothing, questions are cancelled; the settings are read but
// never written.
#include "cli/commands.h"
#include "shell/automation.h"
#include "shell/commandline.h"

namespace cli {
namespace {

int run(const Arguments& args, Console&)
{
    // The path and the script's variables %1% … %9% as the desktop program takes them.
    const basCommandLine::CommandLine line =
        basCommandLine::ParseScriptCommandLine(args.positional);
    basAutomation::ScriptHost withoutWindows;
    return basAutomation::ExitStatus(
        basAutomation::RunScriptFile(line.path, withoutWindows, line.variables));
}

}  // namespace

const Command& RunCommand()
{
    static const Command command{
        "run", {QStringLiteral("SCRIPT.sda"), QStringLiteral("[ARG...]")},
        {},    "自動処理スクリプト (.sda) を画面なしで実行します。ARG は変数 %1% ～ %9% になります",
        run,   false};
    return command;
}

}  // namespace cli
