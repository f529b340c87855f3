#pragma once
// The chart images of the commands CHART (race time and clock time), CHART1 (race time) and
// CHART2 (clock time): what the script's analysis view and the command line both write, each
// class drawn as a newly opened chart window draws it.
#include "analysis/workspace.h"
#include "chart/chartimage.h"
#include "chart/drawchart.h"
#include "race/outputkeys.h"
#include "race/racevalue.h"

#include <QFont>
#include <QString>
#include <QStringList>

#include <vector>

namespace basChart {

// The font of the chart in the window and the images: IPAGothic, fixed pitch, 12 pixels.
QFont ChartFont();

// The chart as a newly opened window draws it: race time, the first three runners of the
// class chosen (as far as it has them), nobody clicked.
ChartRequest InitialRequest(const basAnalyze::AnalysisWorkspace& ws);
ChartRequest InitialRequest(int runnerCount);

// "CHART", "CHART1" or "CHART2", in any letter case.
bool IsChartCommand(const QString& action);

// The images the command asks of one class of the classes: race time as <prefix><class
// part>_1.png, clock time as <prefix><class part>_2.png, the class part being
// basDefinition::ClassFileNamePart in lower case.
struct ChartImageName {
    ChartMode mode;
    QString fileName;
};
std::vector<ChartImageName> ChartImageNames(const ClassCollection& classes, const QString& action,
                                            const QString& prefix, const QString& className);

// The images the command asks of one class of the classes, drawn as the request says, named as
// ChartImageNames names them. A class whose first start lies outside the clock chart's reach has
// no clock-time image by design.
std::vector<ChartPngJob> ClassChartJobs(const ClassCollection& classes, const QString& action,
                                        const QString& prefix, const QString& className,
                                        const basAnalyze::AnalysisWorkspace& ws,
                                        const ChartRequest& request);

// The file-name prefix of the images: the folder with its separator, "yy_" of the race date
// when the race has one, the label in lower case, "_".
QString ChartFilePrefix(const RaceHeader& race, const QString& folder, const QString& label);

// The images of the command for each of the classes of the race, in the order given: each
// class analysed in turn and drawn as InitialRequest draws it. Classes whose file names had to
// be made unique are told (basDefinition::TellRenamedClassFileNames). With the keys of the folder
// (race/outputkeys.h), the images that are current there are left out, a class none of whose
// images is wanted is not even analysed, and every job carries its key for keys->record.
std::vector<ChartPngJob> RaceChartJobs(const Race& race, const QString& action,
                                       const QString& folder, const QString& label,
                                       const QStringList& classNames,
                                       const OutputKeys::KeyFolder* keys = nullptr);

}  // namespace basChart
