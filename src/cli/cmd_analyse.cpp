// splitduel-cli analyse FILE [--class NAME] [--detail]: the analysis of every class (or of
// one) as JSON on standard output, keyed by the names of the analysis workspace. Times are in
// seconds, ratios as fractions, per-leg arrays start with leg 1.
#include "cli/commands.h"
#include "race/race.h"
#include "reports/analysisjson.h"

namespace cli {
namespace {

const QString kClassOption = QStringLiteral("--class");
const QString kDetailOption = QStringLiteral("--detail");

int run(const Arguments& args, Console& console)
{
    Race race;
    if (int status = LoadRace(args.positional[0], args, console, race); status != ExitDone)
        return status;
    QStringList classNames = race.ClassList.names();
    if (args.isSet(kClassOption)) {
        const auto found = FindClasses(race.ClassList, {args.value(kClassOption)}, console);
        if (!found) return ExitUsage;
        classNames = QStringList{found->front()->ClassName};
    }
    // Written a runner at a time: the text of a large race is many times the race's size.
    basExport::WriteAnalysisJson(race, classNames, args.isSet(kDetailOption),
                                 [&console](const QByteArray& text) { console.out << text; });
    return ExitDone;
}

}  // namespace

const Command& AnalyseCommand()
{
    static const Command command{
        "analyse",
        {QStringLiteral("FILE")},
        {TextOption(kClassOption, QStringLiteral("NAME")), Flag(kDetailOption)},
        "クラスごとの分析結果をJSONで出力します",
        run};
    return command;
}

}  // namespace cli
