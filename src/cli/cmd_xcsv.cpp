// splitduel-cli xcsv FILE FOLDER: appends every class of the race to the season file
// "Analysis.csv" in the folder, as the automation command XCSV does.
#include "cli/commands.h"
#include "race/pathutil.h"
#include "reports/analysiscsv.h"

namespace cli {

int RunXcsv(const QStringList& args, Console& console)
{
    bool optionGiven = false;
    for (const QString& word : args) optionGiven |= word.startsWith(QLatin1String("--"));
    if (args.size() != 2 || optionGiven)
        return UsageError(*FindCommand(QStringLiteral("xcsv")), console);
    if (int status = LoadRace(args[0], console); status != ExitDone) return status;

    if (!basExport::AppendAnalysisCsv(args[1])) {
        console.err << "ファイルを保存できませんでした: "
                    << CbasGeneral::AddPathSeparator(args[1]) + QStringLiteral("Analysis.csv")
                    << "\n";
        return ExitFailed;
    }
    return ExitDone;
}

}  // namespace cli
