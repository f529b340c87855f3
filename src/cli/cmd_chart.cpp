// splitduel-cli chart RACE FOLDER NAME [--type both|race|clock] [--class NAME]...: the lap chart
// images of every class (or of those named) as the script commands CHART, CHART1 and CHART2
// write them: FOLDER/yy_name_class_1.png in race time, …_2.png in clock time.
#include "chart/chartcommands.h"
#include "cli/commands.h"
#include "race/fileproblem.h"
#include "race/race.h"

namespace cli {
namespace {

const QString kType = QStringLiteral("--type");
const QString kClass = QStringLiteral("--class");

// The script command of a chart type: both images, race time only, clock time only.
QString commandOf(const QString& type)
{
    if (type == QLatin1String("race")) return QStringLiteral("CHART1");
    if (type == QLatin1String("clock")) return QStringLiteral("CHART2");
    return QStringLiteral("CHART");
}

int run(const Arguments& args, Console& console)
{
    Race race;
    if (int status = LoadRace(args.positional[0], args, console, race); status != ExitDone)
        return status;
    const auto wanted = FindClasses(race.ClassList, args.values(kClass), console);
    if (!wanted) return ExitUsage;
    QStringList classNames;
    for (const clsClassData* cls : *wanted) classNames << cls->ClassName;
    if (wanted->empty()) classNames = race.ClassList.names();

    const std::vector<basChart::ChartPngJob> jobs = basChart::RaceChartJobs(
        race, commandOf(args.value(kType)), args.positional[1], args.positional[2], classNames);
    int status = ExitDone;
    basChart::SaveChartPngs(jobs, [&](size_t index, bool ok) {
        if (ok) {
            console.out << jobs[index].fileName << "\n";
        } else {
            console.err << "画像を保存できませんでした: "
                        << CbasGeneral::PathWithReason(jobs[index].fileName,
                                                       CbasGeneral::LastWriteError())
                        << "\n";
            status = ExitFailed;
        }
    });
    return status;
}

}  // namespace

const Command& ChartCommand()
{
    static const Command command{
        "chart",
        {QStringLiteral("RACE"), QStringLiteral("FOLDER"), QStringLiteral("NAME")},
        {ChoiceOption(kType,
                      {QStringLiteral("both"), QStringLiteral("race"), QStringLiteral("clock")}),
         TextOption(kClass, QStringLiteral("NAME"), true)},
        "スクリプトの CHART と同じラップチャートの画像 (PNG) をクラスごとに出力します",
        run};
    return command;
}

}  // namespace cli
