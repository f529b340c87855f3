// splitduel-cli viewer RACE OUT.html: the race viewer of every class in one HTML file, as the
// automation command VIEWER writes it.
#include "cli/commands.h"
#include "race/race.h"
#include "reports/viewerpage.h"

namespace cli {

int RunViewer(const QStringList& args, Console& console)
{
    bool optionGiven = false;
    for (const QString& word : args) optionGiven |= word.startsWith(QLatin1String("--"));
    if (args.size() != 2 || optionGiven)
        return UsageError(*FindCommand(QStringLiteral("viewer")), console);
    if (int status = LoadRace(args[0], console); status != ExitDone) return status;

    if (!basExport::WriteViewerPage(args[1], basDefinition::ClassList.names())) {
        console.err << "ファイルを保存できませんでした: " << args[1] << "\n";
        return ExitFailed;
    }
    return ExitDone;
}

}  // namespace cli
