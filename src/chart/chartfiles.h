#pragma once
// The chart images of the commands CHART, CHART1 and CHART2 written into a folder: what scripts,
// the analysis view and the chart window write, failures told the same way by all of them.
#include "chart/chartimage.h"
#include "race/racevalue.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <functional>
#include <vector>

namespace basChart {

// Writes the images of the jobs (drawn side by side by SaveChartPngs); each one that cannot be
// written is told through the prompt service ("画像を保存できませんでした: FILE (理由)"), and
// saved(index) hears of each one written. Returns how many could not be written.
int SaveChartImages(const std::vector<ChartPngJob>& jobs,
                    const std::function<void(std::size_t index)>& saved = {});

// The images of the command for each of the classes of the race (RaceChartJobs), written into
// the folder: those current there are left alone, and the folder's keys (race/outputkeys.h) are
// brought up to date. Returns how many images could not be written, each told as SaveChartImages
// tells it.
int WriteRaceChartImages(const Race& race, const QString& action, const QString& folder,
                         const QString& label, const QStringList& classNames);

}  // namespace basChart
