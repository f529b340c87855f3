#include "chart/chartcommands.h"

#include "analysis/analyze.h"
#include "race/basicformat.h"
#include "race/pathutil.h"
#include "race/race.h"

#include <iterator>

namespace basChart {

QFont ChartFont()
{
    QFont font(QStringLiteral("IPAGothic"));
    font.setStyleHint(QFont::Monospace, QFont::PreferMatch);
    font.setFixedPitch(true);
    font.setKerning(false);
    font.setPixelSize(12);
    return font;
}

ChartRequest InitialRequest(const basAnalyze::AnalysisWorkspace& ws)
{
    ChartRequest request;
    request.mode = ChartMode::RaceTime;
    request.scrollValue = 0;
    for (int i = 0; i < 3; ++i) request.chosen[i] = ws.AnaRunnerCount > i ? i + 1 : 0;
    request.clicked = {0, 0, 0};
    request.font = ChartFont();
    return request;
}

bool IsChartCommand(const QString& action)
{
    const QString word = action.toUpper();
    return word == QLatin1String("CHART") || word == QLatin1String("CHART1") ||
           word == QLatin1String("CHART2");
}

std::vector<ChartPngJob> ClassChartJobs(const QString& action, const QString& prefix,
                                        const QString& className,
                                        const basAnalyze::AnalysisWorkspace& ws,
                                        const ChartRequest& request)
{
    const QString word = action.toUpper();
    const bool raceTime = word == QLatin1String("CHART") || word == QLatin1String("CHART1");
    const bool clockTime = word == QLatin1String("CHART") || word == QLatin1String("CHART2");
    const QString stem = prefix + className.toLower();
    std::vector<ChartPngJob> jobs;
    const auto add = [&](ChartMode mode, const QString& suffix) {
        ChartRequest wanted = request;
        wanted.mode = mode;
        const std::optional<ChartRequest> drawn = ExportRequest(ws, wanted);
        if (drawn) jobs.push_back({ws, *drawn, PngFileName(stem + suffix)});
    };
    if (raceTime) add(ChartMode::RaceTime, QStringLiteral("_1.png"));
    if (clockTime) add(ChartMode::ClockTime, QStringLiteral("_2.png"));
    return jobs;
}

QString ChartFilePrefix(const QString& folder, const QString& label)
{
    const RaceHeader& race = basDefinition::RaceInfo;
    QString prefix = CbasGeneral::AddPathSeparator(folder);
    if (race.hasDate())
        prefix += CbasGeneral::FormatDate(race.RaceDate, QStringLiteral("yy")) + QLatin1Char('_');
    return prefix + label.toLower() + QLatin1Char('_');
}

std::vector<ChartPngJob> RaceChartJobs(const QString& action, const QString& folder,
                                       const QString& label, const QStringList& classNames)
{
    const QString prefix = ChartFilePrefix(folder, label);
    std::vector<ChartPngJob> jobs;
    for (const QString& name : classNames) {
        basAnalyze::AnalyzeClass(name);
        const basAnalyze::AnalysisWorkspace& ws = basAnalyze::Workspace;
        std::vector<ChartPngJob> images =
            ClassChartJobs(action, prefix, name, ws, InitialRequest(ws));
        std::move(images.begin(), images.end(), std::back_inserter(jobs));
    }
    return jobs;
}

}  // namespace basChart
