// splitduel-cli xcsv FILE FOLDER: appends every class of the race to the season file
// "Analysis.csv" in the folder, as the automation command XCSV does.
#include "cli/commands.h"
#include "race/pathutil.h"
#include "reports/analysiscsv.h"

namespace cli {
namespace {

int run(const Arguments& arguments, Console& console)
{
    const QStringList& args = arguments.positional;
    Race race;
    if (int status = LoadRace(args[0], arguments, console, race); status != ExitDone) return status;

    QString failure;
    CbasGeneral::SetLastWriteError({});
    if (!basExport::AppendAnalysisCsv(race, args[1], &failure)) {
        console.err << basExport::AnalysisCsvFailureMessage(args[1], failure) << "\n";
        return ExitFailed;
    }
    return ExitDone;
}

}  // namespace

const Command& XcsvCommand()
{
    static const Command command{"xcsv",
                                 {QStringLiteral("FILE"), QStringLiteral("FOLDER")},
                                 {},
                                 "フォルダの Analysis.csv にレースの分析結果を追加します",
                                 run};
    return command;
}

}  // namespace cli
