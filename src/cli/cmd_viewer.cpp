// splitduel-cli viewer RACE OUT.html: the race viewer of every class in one HTML file, as the
// automation command VIEWER writes it.
#include "cli/commands.h"
#include "race/race.h"
#include "race/racedocument.h"
#include "reports/viewerpage.h"

namespace cli {
namespace {

int run(const Arguments& args, Console& console)
{
    const QString& out = args.positional[1];
    if (int status = LoadRace(args.positional[0], args, console); status != ExitDone) return status;
    if (!basExport::WriteViewerPage(basDefinition::SharedDocument().race(), out,
                                    basDefinition::ClassList.names()))
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
