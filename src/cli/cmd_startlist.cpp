// splitduel-cli startlist RACE LIST OUT: sets the start times of a start-list CSV on the
// runners of the race (matched by name in whatever class) and saves the race as a lap file.
#include "cli/commands.h"
#include "editing/startlist.h"
#include "lapfiles/racefile.h"
#include "race/race.h"

namespace cli {
namespace {

int run(const Arguments& arguments, Console& console)
{
    const QStringList& args = arguments.positional;
    Race race;
    if (int status = LoadRace(args[0], arguments, console, race); status != ExitDone) return status;

    const std::optional<QStringList> lines = basStartList::ReadStartListLines(args[1]);
    if (!lines) {
        console.err << "ファイルを読み込めませんでした: " << args[1] << "\n";
        return ExitFailed;
    }
    const basStartList::StartListColumns columns =
        basStartList::FindStartListColumns(lines->value(0));
    if (!columns.found()) {
        console.err << "１行目に「名前,スタート時刻」などと記載してください\n";
        return ExitFailed;
    }
    const int changed = basStartList::ApplyStartTimes(basStartList::ReadStartTimes(*lines, columns),
                                                      race.ClassList);

    if (basConvert::SaveRaceFile(race, args[2], basConvert::SaveType::Lap) !=
        basConvert::SaveResult::Saved)
        return SaveFailure(args[2], console);
    console.out << changed << "人のスタート時刻を設定しました\n";
    return ExitDone;
}

}  // namespace

const Command& StartListCommand()
{
    static const Command command{
        "startlist",
        {QStringLiteral("RACE"), QStringLiteral("LIST"), QStringLiteral("OUT")},
        {},
        "スタートリストCSVのスタート時刻を選手に設定し、ラップファイルに保存します",
        run};
    return command;
}

}  // namespace cli
