#pragma once
// The HTML pages of a race: the results and lap-analysis page and the leg-difficulty page of
// the class last analysed, and the index page of the whole race. The writers append lines
// (without line ends) to a page held in memory; the output run writes the page in CP932 with
// CR LF through a temporary file, so a failed write never leaves half a page.
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
// labelInterval: 0 one label column at the left only, k > 0 a label column before every k runners.
void WriteTitleRow(HtmlPage& page, int labelInterval);
// The rows that head the runners' columns: the names only, or the names, clubs and results.
enum class RunnerRows { Names, All };
void WriteRunnerHeaderRows(HtmlPage& page, RunnerRows rows, bool forExcel, int labelInterval);
// A section of the analysis: its title row, then its leg rows, its total row or both.
void WriteSection(HtmlPage& page, Section section, bool forExcel, int labelInterval);
// " bgcolor=#…" for ranks 1 to 3, empty otherwise.
QString RankColour(int rank, bool forExcel);
void WriteLegDifficultyTable(HtmlPage& page);

// The whole results page of the class last analysed for the data type: Laps, LapsAndSums (laps
// and cumulative times) or Analysis (the full analysis, with the footer, a link to homePageUrl
// unless it is empty).
void WriteResultsPage(HtmlPage& page, OutputDataType type, bool forExcel, int labelInterval,
                      const QString& homePageUrl = QString());
// The whole leg-difficulty page of the class last analysed.
void WriteLegPage(HtmlPage& page);

// The index page for the path template of the class pages (a folder plus, say,
// "02_race_*.htm"; a class's files named by basDefinition::ClassFileNamePart), in three steps:
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
IndexLinks FindIndexLinks(const QString& pathTemplate);
QString IndexPagePath(const QString& pathTemplate);
// Leaves the analysis workspace holding the last class of the race.
HtmlPage IndexPageLines(const IndexLinks& links);
// All three: creates or overwrites the index page; false when it could not be written.
bool WriteIndexPage(const QString& pathTemplate);

}  // namespace basExport
