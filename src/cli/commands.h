#pragma once
// The commands of splitduel-cli. Each command lives in a file of its own with its description
// (name, positional arguments, options, summary) and its function, which receives the words of
// its command line already sorted out by the one parser; main.cpp lists them in its table.
#include "cli/arguments.h"
#include "race/racevalue.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>
#include <vector>

namespace cli {

enum ExitStatus {
    ExitDone = 0,
    ExitFailed = 1,   // a file could not be read or written
    ExitRefused = 2,  // a kind of file the program refuses
    ExitUsage = 64,   // wrong usage
};

// Standard output and standard error, both UTF-8.
struct Console {
    QTextStream& out;
    QTextStream& err;
};

using CommandFunction = int (*)(const Arguments& args, Console& console);

struct Command {
    const char* name;
    QStringList positional;       // the names of the positional arguments, in order
    std::vector<Option> options;  // its own options; the load options are added to them
    const char* summary;          // shown by --help
    CommandFunction run;
    bool loadsRace = true;  // takes the load options (the race file is one of its arguments)

    // Every option the command takes: its own, then the load options when it loads a race.
    std::vector<Option> allOptions() const;
    // "print RACE OUT.pdf [--data-type 0..3] ..." as the usage line shows it.
    QString usage() const;
};

// Prints the problem (when there is one), then "使い方: splitduel-cli <usage>" on standard
// error; returns ExitUsage.
int UsageError(const Command& command, Console& console, const QString& problem = QString());

// The options of every command that loads a race: "--answers A1,A2,..." answers, in order,
// the label questions of a table without a header; "--race N" reads race N of a result list
// of several races (the first without it).
std::vector<Option> LoadOptions();

// Loads the race with ReadRaceFile into race (left as it was when the load fails). On failure
// prints the program's message on standard error and returns the exit status (ExitFailed or
// ExitRefused); ExitDone when the race is loaded. The label questions of a table without a header
// are answered, in order, from the answers of --answers; without enough answers such a table fails
// and the unanswered question is named on standard error. Every message of the loader (a class it
// left out, say) goes to standard error, also when the race is loaded. A lap file that looks
// damaged is loaded but gives ExitFailed, so that nothing is made of half a race.
int LoadRace(const QString& path, const Arguments& args, Console& console, Race& race);

// Prints "ファイルを保存できませんでした: PATH (REASON)" on standard error, the reason being
// that of the last failed write (race/fileproblem.h), and returns ExitFailed.
int SaveFailure(const QString& path, Console& console);

// The classes of the race that the names stand for, in the order given: a class name
// (letter case ignored) or its list entry ("名称未設定" for the unnamed class). For a name that
// stands for none, prints "クラスがありません: <name>" with the classes there are on standard
// error and gives no value.
std::optional<std::vector<const clsClassData*>> FindClasses(const ClassCollection& classes,
                                                            const QStringList& names,
                                                            Console& console);

const Command& InfoCommand();
const Command& ConvertCommand();
const Command& AnalyseCommand();
const Command& XcsvCommand();
const Command& StartListCommand();
const Command& PrintCommand();
const Command& OutputCommand();
const Command& ChartCommand();
const Command& ViewerCommand();
const Command& RunCommand();

}  // namespace cli
