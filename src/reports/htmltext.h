#pragma once
// Text pieces shared by the HTML page writers: escaping of race data, the non-breaking spaces
// of the fixed-width cells, the times and percentages of the cells, and the head lines every
// page begins with.
#include <QString>
#include <QStringList>

namespace basExport {

// Race data (names, clubs, class, race and place names, file names) as page text: < > & " become
// entities, so a name can neither break the page nor add markup to it, and a character the
// page's code page cannot hold becomes a numeric character reference instead of "?".
QString HtmlEscape(const QString& text);

// A file name of the output folder as the target of a relative link: every ASCII character
// other than letters, digits and "-._~" percent-encoded ("M21#1" is no fragment, "A?B" no query,
// "x:y" no scheme), then escaped as page text. Other characters stay: the browser encodes them.
QString LinkTarget(const QString& fileName);

// Every half-width space as "&nbsp;", so the cell keeps its fixed-width alignment.
QString SpacesToNbsp(const QString& text);

// A number right-justified to width columns, the padding as "&nbsp;".
QString RightNumber(int value, int width);
// The number of decimal digits of n (1 for 0).
int DigitCount(int n);

// The 7-column time of a leg cell: trimmed, or with its blanks as "&nbsp;" for the Excel form.
QString LegTimeText(double time, bool forExcel);
// A ratio as a whole percentage.
QString PercentCell(float ratio);
// The trimmed time right-justified to width columns (never cut), blanks as "&nbsp;".
QString PaddedTime(double time, int width);
// A miss time as its cell shows it: PaddedTime to 5 columns.
QString MissText(double missTime);

// "SplitDuel Ver.1.00": the program's name and version as the pages show it.
QString GeneratorText();
// The Content-Type and generator meta lines of every page.
void AppendMetaLines(QStringList& page);

}  // namespace basExport
