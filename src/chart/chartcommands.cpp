#include "chart/chartcommands.h"

#include "analysis/analyze.h"
#include "chart/chartkeys.h"
#include "race/basicformat.h"
#include "race/filenameparts.h"
#include "race/pathutil.h"
#include "race/racekeys.h"

#include <QHash>

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
    return InitialRequest(ws.AnaRunnerCount);
}

ChartRequest InitialRequest(int runnerCount)
{
    ChartRequest request;
    request.mode = ChartMode::RaceTime;
    request.scrollValue = 0;
    for (int i = 0; i < 3; ++i) request.chosen[i] = runnerCount > i ? i + 1 : 0;
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

std::vector<ChartImageName> ChartImageNames(const ClassCollection& classes, const QString& action,
                                            const QString& prefix, const QString& className)
{
    const QString word = action.toUpper();
    const QString stem = prefix + basDefinition::ClassFileNamePart(classes, className).toLower();
    std::vector<ChartImageName> names;
    if (word == QLatin1String("CHART") || word == QLatin1String("CHART1"))
        names.push_back({ChartMode::RaceTime, PngFileName(stem + QStringLiteral("_1.png"))});
    if (word == QLatin1String("CHART") || word == QLatin1String("CHART2"))
        names.push_back({ChartMode::ClockTime, PngFileName(stem + QStringLiteral("_2.png"))});
    return names;
}

std::vector<ChartPngJob> ClassChartJobs(const ClassCollection& classes, const QString& action,
                                        const QString& prefix, const QString& className,
                                        const basAnalyze::AnalysisWorkspace& ws,
                                        const ChartRequest& request)
{
    std::vector<ChartPngJob> jobs;
    for (const ChartImageName& image : ChartImageNames(classes, action, prefix, className)) {
        ChartRequest wanted = request;
        wanted.mode = image.mode;
        const std::optional<ChartRequest> drawn = ExportRequest(ws, wanted);
        if (drawn) jobs.push_back({ws, *drawn, image.fileName, QByteArray()});
    }
    return jobs;
}

QString ChartFilePrefix(const RaceHeader& race, const QString& folder, const QString& label)
{
    QString prefix = CbasGeneral::AddPathSeparator(folder);
    if (race.hasDate())
        prefix += CbasGeneral::FormatDate(race.RaceDate, QStringLiteral("yy")) + QLatin1Char('_');
    return prefix + label.toLower() + QLatin1Char('_');
}

std::vector<ChartPngJob> RaceChartJobs(const Race& race, const QString& action,
                                       const QString& folder, const QString& label,
                                       const QStringList& classNames,
                                       const OutputKeys::KeyFolder* keys)
{
    const ClassCollection& classes = race.ClassList;
    const QString prefix = ChartFilePrefix(race.RaceInfo, folder, label);
    basDefinition::TellRenamedClassFileNames(classes, classNames);
    std::vector<ChartPngJob> jobs;
    for (const QString& name : classNames) {
        // The images not current in the folder, with their keys, by file name.
        QHash<QString, QByteArray> wanted;
        const clsClassData* cls = classes.find(name);
        if (keys && cls) {
            const QByteArray classKey = OutputKeys::ClassKey(*cls);
            ChartRequest request = InitialRequest(cls->ClassRunnerCount());
            for (const ChartImageName& image : ChartImageNames(classes, action, prefix, name)) {
                request.mode = image.mode;
                const QByteArray key =
                    ChartImageKey(race.RaceInfo, classKey, request, image.fileName);
                if (!keys->current(image.fileName, key)) wanted.insert(image.fileName, key);
            }
            if (wanted.isEmpty()) continue;
        }
        const basAnalyze::AnalysisWorkspace ws = basAnalyze::AnalyzeClass(race, name);
        for (ChartPngJob& job :
             ClassChartJobs(classes, action, prefix, name, ws, InitialRequest(ws))) {
            if (keys && cls) {
                if (!wanted.contains(job.fileName)) continue;
                job.key = wanted.value(job.fileName);
            }
            jobs.push_back(std::move(job));
        }
    }
    return jobs;
}

}  // namespace basChart
