#pragma once
// The HTML pages of a race: the results and lap-analysis page and the leg-difficulty page of
// the analysis of one class, and the index page of the whole race. The writers append lines
// (without line ends) to a page held in memory; the output run writes the page in CP932 with
// CR LF through a temporary file, so a failed write never leaves half a page.
#include "analysis/workspace.h"
#include "race/racevalue.h"
#include "reports/analysissections.h"
#include "reports/outputoptions.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace basExport {

// The lines of one page, without line ends.
using HtmlPage = QStringList;

void WriteHtmlHead(HtmlPage& page);
void WriteTableStart(HtmlPage& page);
// The race's name, date and place and the class's name and course. labelInterval: 0 one label
// column at the left only, k > 0 a label column before every k runners.
void WriteTitleRow(HtmlPage& page, const RaceHeader& race, const basAnalyze::AnalysisWorkspace& ws,
                   int labelInterval);
// The rows that head the runners' columns: the names only, or the names, clubs and results.
enum class RunnerRows { Names, All };
void WriteRunnerHeaderRows(HtmlPage& page, const basAnalyze::AnalysisWorkspace& ws, RunnerRows rows,
                           bool forExcel, int labelInterval);
// A section of the analysis: its title row, then its leg rows, its total row or both.
void WriteSection(HtmlPage& page, const basAnalyze::AnalysisWorkspace& ws, Section section,
                  bool forExcel, int labelInterval);
// " bgcolor=#…" for ranks 1 to 3, empty otherwise.
QString RankColour(int rank, bool forExcel);
void WriteLegDifficultyTable(HtmlPage& page, const basAnalyze::AnalysisWorkspace& ws);

// The whole results page of the analysis (a class of the race) for the data type: Laps,
// LapsAndSums (laps and cumulative times) or Analysis (the full analysis, with the footer, a link
// to homePageUrl unless it is empty). The analysis is one of PrepareClass for Laps, AnalyzeClass
// for the others.
void WriteResultsPage(HtmlPage& page, const RaceHeader& race,
                      const basAnalyze::AnalysisWorkspace& ws, OutputDataType type, bool forExcel,
                      int labelInterval, const QString& homePageUrl = QString());
// The whole leg-difficulty page of the analysis (one of AnalyzeClass).
void WriteLegPage(HtmlPage& page, const basAnalyze::AnalysisWorkspace& ws);

// The index page for the path template of the class pages (a folder plus, say,
// "02_race_*.htm"; a class's files named by basDefinition::ClassFileNamePart) of the race, in
// three steps:
// the files it links as the folder holds them now, its path, and its lines. The links of each
// class, in class order, are the names on disk of its results page ("res_"), lap-analysis page,
// two chart images and leg page ("leg_"), empty where the folder has none; the race viewer and
// the race's lap file are linked too.
constexpr int IndexLinkCount = 5;
struct IndexLinks {
    std::vector<std::array<QString, IndexLinkCount>> classes;
    QString viewerFile;
    QString lapFile;
};
IndexLinks FindIndexLinks(const ClassCollection& classes, const QString& pathTemplate);
QString IndexPagePath(const QString& pathTemplate);
// Each class's row is made from its PrepareClass.
HtmlPage IndexPageLines(const Race& race, const IndexLinks& links);
// All three: creates or overwrites the index page; false when it could not be written.
bool WriteIndexPage(const Race& race, const QString& pathTemplate);

}  // namespace basExport
