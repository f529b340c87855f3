// splitduel-cli: reads, shows and converts race files without the desktop program.
#include "cli/commands.h"
#include "race/version.h"
#include "shell/platformnotices.h"

#include <QGuiApplication>

#include <cstdio>
#include <iterator>
#include <memory>

namespace cli {
namespace {

// One line per command; a new command adds its entry here and its function in a file of its own.
const Command kCommands[] = {
    {"info", "FILE [--answers A1,A2,...]", "レースの見出し、クラスと選手を総タイム順に表示します",
     RunInfo},
    {"convert", "IN OUT [--layout lap|csv-rows|csv-columns|iof-xml] [--answers A1,A2,...]",
     "ファイルを読み込み、LAP形式 (既定)、CSV形式[横型]・[縦型]かIOF XML 3.0で保存します",
     RunConvert},
    {"analyse", "FILE [--class NAME] [--detail] [--answers A1,A2,...]",
     "クラスごとの分析結果をJSONで出力します", RunAnalyse},
    {"xcsv", "FILE FOLDER", "フォルダの Analysis.csv にレースの分析結果を追加します", RunXcsv},
    {"startlist", "RACE LIST OUT",
     "スタートリストCSVのスタート時刻を選手に設定し、ラップファイルに保存します", RunStartList},
    {"print",
     "RACE OUT.pdf [--data-type 0..3] [--paper A4|A5|B5|A3|B4] [--landscape] [--zoom PERCENT] "
     "[--margin-top MM] [--margin-left MM] [--no-page-per-class] [--class NAME]...",
     "速報向けの成績表 (印刷タブと同じ配置) をPDFファイルに出力します", RunPrint},
    {"output",
     "RACE FOLDER NAME [--data-type 0..6] [--file-type html|csv|text] [--one-file] "
     "[--layout rows|columns] [--no-lower-case] [--no-index] [--for-excel] "
     "[--label-interval K] [--class NAME]...",
     "出力ダイアログと同じ設定でHTML・CSV・TEXTファイルを出力します", RunOutput},
};

void printHelp(QTextStream& out)
{
    out << "使い方: splitduel-cli <コマンド> [引数...]\n"
           "       splitduel-cli --version | --help\n\nコマンド:\n";
    for (const Command& c : kCommands)
        out << "  " << c.name << " " << c.arguments << "\n      " << QString::fromUtf8(c.summary)
            << "\n";
    out << "\n終了コード: 0 完了, 1 読み込み・保存の失敗, 2 読み込めない形式, 64 使い方の誤り\n";
}

bool isHelp(const QString& word)
{
    return word == QLatin1String("--help") || word == QLatin1String("-h");
}

}  // namespace

const Command* FindCommand(const QString& name)
{
    for (const Command& c : kCommands)
        if (name == QLatin1String(c.name)) return &c;
    return nullptr;
}

int UsageError(const Command& command, Console& console)
{
    console.err << "使い方: splitduel-cli " << command.name << " " << command.arguments << "\n";
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
    const Command* command = FindCommand(words.first());
    if (!command) {
        console.err << "不明なコマンドです: " << words.first() << "\n";
        printHelp(console.err);
        return ExitUsage;
    }
    QStringList args = words.mid(1);
    if (args.size() == 1 && isHelp(args.first())) {
        console.out << "使い方: splitduel-cli " << command->name << " " << command->arguments
                    << "\n    " << QString::fromUtf8(command->summary) << "\n";
        return ExitDone;
    }
    if (!TakeAnswersOption(args)) return UsageError(*command, console);
    return command->run(args, console);
}

}  // namespace cli

// Printing measures and draws text, which needs the GUI application; without a display it runs
// on the offscreen platform. The other commands need only the core application.
static std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv)
{
    if (argc > 1 && qstrcmp(argv[1], "print") == 0) {
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
    int status = cli::Run(app.arguments().mid(1), console);
    out.flush();
    err.flush();
    return status;
}
