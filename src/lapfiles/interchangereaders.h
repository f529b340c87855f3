#pragma once
// The readers of the result lists of other programs. Each first decides whether the file is
// its format; ReadInterchangeFile tries them in turn.
#include "lapfiles/importedrace.h"

#include <QByteArray>
#include <QString>

namespace basConvert {

enum class ReadOutcome {
    NotThisFormat,  // the next reader may try
    Failed,         // the file is of this format but cannot be read
    Read,
};

// An XML document whose root is ResultList (IOF 3.0 or 2.0.3), decoded by its byte order mark
// or the encoding its declaration names.
ReadOutcome ReadIofXml(const QByteArray& bytes, ImportedRace& race);

// A ";"- or ","-separated OE export: control code and elapsed time in pairs from field 45, 47
// or 61 on, the other columns found by their position relative to that field.
ReadOutcome ReadOeCsv(const QString& text, ImportedRace& race);

// Blocks of "class,control count[,length]" followed by
// "forename,surname,club,start,leg 1,...,finish leg" lines, blocks apart by an empty line.
ReadOutcome ReadSplitsBrowserCsv(const QString& text, ImportedRace& race);

// The fields of one line split at the separator; a field in double quotes may hold the
// separator, and "" inside it stands for one quote.
QStringList SplitQuotedFields(const QString& line, QChar separator);

}  // namespace basConvert
