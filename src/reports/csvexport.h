#pragma once
// The CSV tables of the analysis of one class: runners as columns ("縦") or as rows ("横"), the
// cumulative-times table and the runner lines of the SplitsBrowser file. Every writer appends
// lines (without line ends) to a list the output run writes in CP932 with CR LF. Fields are
// joined by "," without quoting, as the readers of these files expect.
#include "analysis/workspace.h"
#include "race/race.h"
#include "reports/analysissections.h"

#include <QString>
#include <QStringList>

namespace basExport {

// The lines of one file, without line ends.
using TextLines = QStringList;

// "名前," and the names (spaces removed) of runners 1..N.
QString CsvNameLine(const basAnalyze::AnalysisWorkspace& ws);
// "所属," and the affiliations; empty when no runner has one.
QString CsvAffiliationLine(const basAnalyze::AnalysisWorkspace& ws);
// "記録," and one result per runner: "h:nn:ss(rank)" or "-:--:--(-)", the rank right-justified
// to the digit count of the runner count.
QString CsvResultLine(const basAnalyze::AnalysisWorkspace& ws);
// The race name, " (yyyy/mm/dd) " when the race has a date, "[place]" when it has a place.
QString CsvRaceTitle(const RaceHeader& race);

// One section of the runners-as-columns table: its title, the names, its leg rows and its total
// row as it has them.
void WriteCsvColumns(TextLines& out, const basAnalyze::AnalysisWorkspace& ws,
                     const QString& nameLine, Section section);

// The tables of the runners-as-rows layout.
enum class CsvRowTable {
    Laps = 1,           // leg times
    LapsOverSums = 2,   // leg times over cumulative times
    Ratios = 3,         // ratios to the top three
    MissTimes = 4,      // miss times
    SplitsBrowser = 5,  // the runner lines of the SplitsBrowser file
    Sums = 6,           // cumulative times
};
void WriteCsvRows(TextLines& out, const basAnalyze::AnalysisWorkspace& ws, CsvRowTable table);

// The class line of the SplitsBrowser file: the class name in upper case and the number of
// controls the viewer reads leg times for (one leg time more than it is told), i.e. the leg
// count less one, so that a class without a finish leg is read as well.
QString SplitsBrowserClassLine(const basAnalyze::AnalysisWorkspace& ws);
// A SplitsBrowser leg time: whole minutes and two-digit seconds ("65:12"); the viewer reads
// minutes beyond 59, so an hour or more keeps its hours.
QString SplitsBrowserLegTime(double value);

// "■■■《　CLASS　》■■■  (3500m up120m)" for a class with a name, else empty.
QString CsvClassTitleLine(const basAnalyze::AnalysisWorkspace& ws);

}  // namespace basExport
