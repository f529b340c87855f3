// The SplitDuel desktop program. With a display it shows the main window and runs until that
// window is closed (or a script given on the command line ends with EXIT). Without one
// (-platform offscreen) nobody can answer a window, so it does its start-up, handles the command
// line and ends: status 0 when a script ran to its end or EXIT or a file given was read, 1 when a
// script was stopped or could not be run (the reason on stderr), or the file could not be read
// or looks damaged. A script that went on
// past a file it could not write (a chart image) also ends with status 1.
#include "config/settings.h"
#include "config/ui/fonts.h"
#include "config/ui/modal.h"
#include "config/ui/qtprompts.h"
#include "lapfiles/ui/labeldialogs.h"
#include "printing/ui/printwindows.h"
#include "race/prompts.h"
#include "race/racedocument.h"
#include "race/version.h"
#include "shell/platformnotices.h"
#include "shell/ui/frmduel.h"
#include "shell/ui/translations.h"

#include <QApplication>

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace {

int OffscreenStatus(const CommandLineOutcome& outcome)
{
    switch (outcome.kind) {
        case CommandLineOutcome::Kind::None:
            return 0;
        case CommandLineOutcome::Kind::File:
            return outcome.fileLoaded && !outcome.fileDamaged ? 0 : 1;
        case CommandLineOutcome::Kind::Script:
            return basAutomation::ExitStatus(outcome.script);
    }
    return 1;
}

const char kHelp[] =
    "使い方: SplitDuel [-platform offscreen] [ファイル]\n"
    "       SplitDuel [-platform offscreen] スクリプト.sda [値1 ... 値9]\n"
    "       SplitDuel --version | --help\n"
    "\n"
    "ラップファイル (.lap) や他のソフトの成績ファイルを読み込んで表示します。\n"
    "自動処理スクリプト (.sda) を渡すと、それを実行します。スクリプトの後の値は\n"
    "変数 %1% ～ %9% になります。\n"
    "\n"
    "-platform offscreen  画面なしで実行します。スクリプトを最後まで実行すると 0、\n"
    "                     中止すると 1 で終了します。\n";

// "--version" and "--help" are answered before the toolkit starts, so they work without a
// display.
bool AnswerInformationOption(int argc, char** argv)
{
    if (argc != 2) return false;
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("SplitDuel %s\n", ProgramVersion::Text().toUtf8().constData());
        return true;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kHelp, stdout);
        return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (AnswerInformationOption(argc, argv)) return 0;
    PreferJapaneseLocale();
    // Without a display, as from cron, only the program's own messages reach stderr.
    if (HeadlessPlatformRequested(argc, argv)) SilencePlatformNotices();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("SplitDuel"));
    InstallFontSubstitutions();
    InstallQtTranslations();
    if (!IsOffscreen()) Prompts::install(std::make_unique<QtPrompts>());
    // The label questions of tables without a header are asked in their two dialogs.
    InstallLabelDialogs();
    RegisterPrintingWindows();

    int status = 0;
    // Memory that runs out (a script publishing a huge race from cron) ends the program with
    // status 1 and its reason on stderr, never with an abort.
    try {
        RaceDocument document;
        frmDuel window(document);
        window.StartUp();
        const CommandLineOutcome outcome = window.OpenCommandLine(app.arguments().mid(1));
        const bool ended = outcome.kind == CommandLineOutcome::Kind::Script &&
                           outcome.script.result == basAutomation::ScriptResult::Exited;
        if (IsOffscreen()) {
            status = OffscreenStatus(outcome);
        } else if (!ended && !window.IsClosed()) {
            window.show();
            status = app.exec();
        } else if (ended && outcome.script.writeFailed) {
            status = 1;
        }
    } catch (const std::bad_alloc&) {
        std::fputs("メモリが足りないため中止しました\n", stderr);
        status = 1;
    }
    basSettings::SettingsFile().Save();
    Prompts::install(nullptr);  // the Qt prompts go while the application object still exists
    return status;
}
