// splitduel-cli viewer RACE OUT.html: the race viewer of every class in one HTML file, as the
// automation command VIEWER writes it.
#include "cli/commands.h"
#include "race/race.h"
#include "reports/viewerpage.h"

namespace cli {
namespace {

int run(const Arguments& args, Console& console)
{
    const QString& out = args.positional[1];
    Race race;
    if (int status = LoadRace(args.positional[0], args, console, race); status != ExitDone)
        return status;
    if (!basExport::WriteViewerPage(race, out, race.ClassList.names()))
        return SaveFailure(out, console);
    return ExitDone;
}

}  // namespace

const Command& ViewerCommand()
{
    static const Command command{"viewer",
                                 {QStringLiteral("RACE"), QStringLiteral("OUT.html")},
                                 {},
                                 "全クラスの分析を一つのHTMLファイル (分析ビューア) に出力します",
                                 run};
    return command;
}

}  // namespace cli
