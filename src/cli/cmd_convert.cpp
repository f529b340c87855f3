// splitduel-cli convert IN OUT [--layout lap|csv-rows|csv-columns|iof-xml]: reads any race
// file and saves it as a lap file, one of the two lap CSV layouts or an IOF XML 3.0 result list.
#include "cli/commands.h"
#include "lapfiles/formattable.h"
#include "lapfiles/racefile.h"
#include "race/race.h"

namespace cli {
namespace {

const QString kLayoutOption = QStringLiteral("--layout");

int run(const Arguments& args, Console& console)
{
    Race race;
    if (int status = LoadRace(args.positional[0], args, console, race); status != ExitDone)
        return status;
    // Without --layout the race is saved as a lap file; the option's choices are the table's.
    const basConvert::SaveType type =
        basConvert::SaveTypeOfLayout(args.value(kLayoutOption)).value_or(basConvert::SaveType::Lap);
    if (basConvert::SaveRaceFile(race, args.positional[1], type) != basConvert::SaveResult::Saved)
        return SaveFailure(args.positional[1], console);
    return ExitDone;
}

}  // namespace

const Command& ConvertCommand()
{
    static const Command command{
        "convert",
        {QStringLiteral("IN"), QStringLiteral("OUT")},
        {ChoiceOption(kLayoutOption, basConvert::SaveLayoutNames())},
        "ファイルを読み込み、LAP形式 (既定)、CSV形式[横型]・[縦型]かIOF XML 3.0で保存します",
        run};
    return command;
}

}  // namespace cli
