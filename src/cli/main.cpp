// splitduel-cli: reads, shows and converts race files without the desktop program.
#include "cli/commands.h"
#include "race/version.h"
#include "shell/platformnotices.h"

#include <QGuiApplication>

#include <cstdio>
#include <memory>
#include <new>

namespace cli {
namespace {

// A new command adds its line here, its description and function in a file of its own.
using CommandEntry = const Command& (*)();
const CommandEntry kCommands[] = {
    InfoCommand,  ConvertCommand, AnalyseCommand, XcsvCommand,   StartListCommand,
    PrintCommand, OutputCommand,  ChartCommand,   ViewerCommand, RunCommand,
};

void printHelp(QTextStream& out)
{
    out << "使い方: splitduel-cli <コマンド> [引数...]\n"
           "       splitduel-cli <コマンド> --help\n"
           "       splitduel-cli --version | --help\n\nコマンド:\n";
    for (CommandEntry entry : kCommands) {
        const Command& c = entry();
        out << "  " << c.usage() << "\n      " << QString::fromUtf8(c.summary) << "\n";
    }
    out << "\n終了コード: 0 完了, 1 読み込み・保存の失敗, 2 読み込めない形式, 64 使い方の誤り\n";
}

bool isHelp(const QString& word)
{
    return word == QLatin1String("--help") || word == QLatin1String("-h");
}

const Command* findCommand(const QString& name)
{
    for (CommandEntry entry : kCommands)
        if (name == QLatin1String(entry().name)) return &entry();
    return nullptr;
}

// "--help" or "-h" among the options of a command (not after "--").
bool asksForHelp(const QStringList& args)
{
    for (const QString& word : args) {
        if (word == QLatin1String("--")) return false;
        if (isHelp(word)) return true;
    }
    return false;
}

int runCommand(const Command& command, const QStringList& args, Console& console)
{
    if (asksForHelp(args)) {
        console.out << "使い方: splitduel-cli " << command.usage() << "\n    "
                    << QString::fromUtf8(command.summary) << "\n";
        return ExitDone;
    }
    const ParseResult parsed = ParseArguments(args, command.allOptions(), command.positional);
    if (!parsed.arguments) return UsageError(command, console, parsed.error);
    return command.run(*parsed.arguments, console);
}

}  // namespace

std::vector<Option> Command::allOptions() const
{
    std::vector<Option> all = options;
    if (!loadsRace) return all;
    for (Option& option : LoadOptions()) all.push_back(std::move(option));
    return all;
}

QString Command::usage() const
{
    QStringList words{QString::fromUtf8(name)};
    words << positional;
    for (const Option& option : allOptions()) words << option.usage();
    return words.join(QLatin1Char(' '));
}

int UsageError(const Command& command, Console& console, const QString& problem)
{
    if (!problem.isEmpty()) console.err << problem << "\n";
    console.err << "使い方: splitduel-cli " << command.usage() << "\n";
    return ExitUsage;
}

int Run(const QStringList& words, Console& console)
{
    if (words.isEmpty()) {
        printHelp(console.err);
        return ExitUsage;
    }
    if (isHelp(words.first())) {
        printHelp(console.out);
        return ExitDone;
    }
    if (words.first() == QLatin1String("--version")) {
        console.out << "SplitDuel " << ProgramVersion::Text() << "\n";
        return ExitDone;
    }
    const Command* command = findCommand(words.first());
    if (!command) {
        console.err << "不明なコマンドです: " << words.first() << "\n";
        printHelp(console.err);
        return ExitUsage;
    }
    return runCommand(*command, words.mid(1), console);
}

}  // namespace cli

// Printing and charts (also those of a script) measure and draw text, which needs the GUI
// application; without a display they run on the offscreen platform. The other commands need
// only the core application.
static std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv)
{
    if (argc > 1 && (qstrcmp(argv[1], "print") == 0 || qstrcmp(argv[1], "chart") == 0 ||
                     qstrcmp(argv[1], "run") == 0)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

int main(int argc, char** argv)
{
    // A console tool: the notices of Qt's platform plugin are no message of the program.
    SilencePlatformNotices();
    const std::unique_ptr<QCoreApplication> application = makeApplication(argc, argv);
    QCoreApplication& app = *application;
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    cli::Console console{out, err};
    int status = cli::ExitFailed;
    // Memory that runs out anywhere ends the run with its reason, never with an abort.
    try {
        status = cli::Run(app.arguments().mid(1), console);
    } catch (const std::bad_alloc&) {
        out.flush();
        err << "\nメモリが足りないため中止しました\n";
    }
    out.flush();
    err.flush();
    return status;
}
