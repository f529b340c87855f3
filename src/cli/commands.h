#pragma once
// The commands of splitduel-cli. Each command is a function taking its own arguments (the words
// after the command name) and returning the exit status; main.cpp lists them in its table.
#include <QString>
#include <QStringList>
#include <QTextStream>

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

using CommandFunction = int (*)(const QStringList& args, Console& console);

struct Command {
    const char* name;
    const char* arguments;  // shown in the usage line
    const char* summary;    // shown by --help
    CommandFunction run;
};

// The command table of main.cpp.
const Command* FindCommand(const QString& name);
// Prints "使い方: splitduel-cli <name> <arguments>" on standard error; returns ExitUsage.
int UsageError(const Command& command, Console& console);

// Loads the race with LoadRaceFile. On failure prints the program's message on standard error
// and returns the exit status (ExitFailed or ExitRefused); ExitDone when the race is loaded.
// The label questions of a table without a header are answered, in order, from the answers
// given with --answers; without enough answers such a table fails and the unanswered question
// is named on standard error.
int LoadRace(const QString& path, Console& console);

// Takes "--answers A1,A2,..." (or "--answers=A1,...") out of the arguments of a command that
// loads a race and keeps the answers for LoadRace. False when the option has no value.
bool TakeAnswersOption(QStringList& args);

int RunInfo(const QStringList& args, Console& console);
int RunConvert(const QStringList& args, Console& console);
int RunAnalyse(const QStringList& args, Console& console);
int RunXcsv(const QStringList& args, Console& console);
int RunStartList(const QStringList& args, Console& console);
int RunPrint(const QStringList& args, Console& console);
int RunOutput(const QStringList& args, Console& console);
int RunViewer(const QStringList& args, Console& console);

}  // namespace cli
