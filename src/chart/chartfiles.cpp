#include "chart/chartfiles.h"

#include "chart/chartcommands.h"
#include "race/fileproblem.h"
#include "race/outputkeys.h"
#include "race/prompts.h"

namespace basChart {

int SaveChartImages(const std::vector<ChartPngJob>& jobs,
                    const std::function<void(std::size_t index)>& saved)
{
    int failed = 0;
    SaveChartPngs(jobs, [&](std::size_t index, bool ok) {
        if (ok) {
            if (saved) saved(index);
            return;
        }
        ++failed;
        Prompts::message(
            QStringLiteral("画像を保存できませんでした: ") +
                CbasGeneral::PathWithReason(jobs[index].fileName, CbasGeneral::LastWriteError()),
            Prompts::Icon::Exclamation);
    });
    return failed;
}

int WriteRaceChartImages(const Race& race, const QString& action, const QString& folder,
                         const QString& label, const QStringList& classNames)
{
    OutputKeys::KeyFolder keys(folder);
    const std::vector<ChartPngJob> jobs =
        RaceChartJobs(race, action, folder, label, classNames, &keys);
    const int failed = SaveChartImages(
        jobs, [&](std::size_t index) { keys.record(jobs[index].fileName, jobs[index].key); });
    keys.save();
    return failed;
}

}  // namespace basChart
