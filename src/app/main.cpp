// The SplitDuel desktop program. With a display it shows the main window and runs until that
// window is closed (or a script given on the command line ends with EXIT). Without one
// (-platform offscreen) nobody can answer a window, so it does its start-up, handles the command
// line and ends: status 0 when a script ran to its end or EXIT or a file given was read, 1 when a
// script was stopped or could not be run, or the file could not be read.
#include "analysis/ui/analysiswindows.h"
#include "printing/ui/printwindows.h"
#include "race/prompts.h"
#include "reports/ui/outputwindows.h"
#include "shell/settings.h"
#include "shell/ui/fonts.h"
#include "shell/ui/frmduel.h"
#include "shell/ui/modal.h"
#include "shell/ui/qtprompts.h"

#include <QApplication>

#include <memory>

namespace {

int OffscreenStatus(const CommandLineOutcome& outcome)
{
    using basAutomation::ScriptResult;
    switch (outcome.kind) {
        case CommandLineOutcome::Kind::None:
            return 0;
        case CommandLineOutcome::Kind::File:
            return outcome.fileLoaded ? 0 : 1;
        case CommandLineOutcome::Kind::Script:
            return outcome.script == ScriptResult::Completed ||
                           outcome.script == ScriptResult::Exited
                       ? 0
                       : 1;
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("SplitDuel"));
    InstallFontSubstitutions();
    if (!IsOffscreen()) Prompts::install(std::make_unique<QtPrompts>());
    // The windows opened from the main window's buttons and driven by scripts register their
    // openers (shell/ui/windowopeners.h) and script handlers (shell/automationtargets.h) here.
    RegisterAnalysisWindows();
    RegisterOutputWindows();
    RegisterPrintingWindows();

    int status = 0;
    {
        frmDuel window;
        window.StartUp();
        const CommandLineOutcome outcome = window.OpenCommandLine(app.arguments().mid(1));
        const bool ended = outcome.kind == CommandLineOutcome::Kind::Script &&
                           outcome.script == basAutomation::ScriptResult::Exited;
        if (IsOffscreen()) {
            status = OffscreenStatus(outcome);
        } else if (!ended && !window.IsClosed()) {
            window.show();
            status = app.exec();
        }
    }
    basSettings::SettingsFile().Save();
    Prompts::install(nullptr);  // the Qt prompts go while the application object still exists
    return status;
}
