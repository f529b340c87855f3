// splitduel-cli: reads, shows and converts race files without the desktop program.
#include "cli/commands.h"

#include <QCoreApplication>

#include <cstdio>
#include <iterator>

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
};

void printHelp(QTextStream& out)
{
    out << "使い方: splitduel-cli <コマンド> [引数...]\n\nコマンド:\n";
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

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
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
