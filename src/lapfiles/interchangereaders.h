#pragma once
// The readers of the result lists of other programs. Each first decides whether the file is
// its format; the loader tries them in the order of the format table.
#include "lapfiles/importedrace.h"
#include "lapfiles/raceformat.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace basConvert {

// An XML document whose root is ResultList (IOF 3.0 or 2.0.3), decoded by its byte order mark
// or the encoding its declaration names.
ReadOutcome ReadIofXml(const QByteArray& bytes, ImportedRace& race);

// Whether a file whose start, decoded and cut anywhere, is head may be a result table or a
// SplitsBrowser CSV file: false only when the start alone shows that it is not. The two readers
// below decide by the first lines, so the rest of a file that is neither need not be decoded.
bool MayBeResultTable(QStringView head);
bool MayBeSplitsBrowserCsv(QStringView head);
bool MayBePerLegCsv(QStringView head);

// A runner per line with control code and time pairs at its end (the OE and OS exports in every
// layout and language, SOLV, Helga), ";", "," or tab separated: the columns found by the
// header's words or by the place the OE layouts give them.
ReadOutcome ReadResultTable(const QString& text, ImportedRace& race);

// A line per runner and leg, as Japanese result services publish them: "クラス", "順位", "氏名",
// "所属", "区間" and "区間タイム" or "通過タイム" columns; a runner's lines make one runner.
ReadOutcome ReadPerLegCsv(const QString& text, ImportedRace& race);

// The split results the OE programs publish as an HTML page: a <pre> block with a column
// header ("Pl Stno Name Time" in any of their languages), class lines, and two lines per
// runner (elapsed times after the name, leg times after the club), four when the controls wrap.
bool MayBeSplitHtml(QStringView head);
ReadOutcome ReadSplitHtml(const QString& page, ImportedRace& race);

// Blocks of "class,control count[,length]" followed by
// "forename,surname,club,start,leg 1,...,finish leg" lines, blocks apart by an empty line.
ReadOutcome ReadSplitsBrowserCsv(const QString& text, ImportedRace& race);

}  // namespace basConvert
