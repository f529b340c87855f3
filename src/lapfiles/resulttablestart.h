#pragma once
// Where a result export's table begins: its header line (or the columns an OWare export names
// in its first comment), the separator that splits it, and the columns it holds. A header that
// does not show where the control code and time pairs begin is read together with the rows
// below it.
#include "lapfiles/resultheader.h"
#include "race/csvfields.h"

#include <QChar>
#include <QString>
#include <QStringView>

#include <optional>

namespace basConvert {

// The header is judged by this much of its line; an export's header holds a few hundred
// characters. A row longer than four times this is no result line.
constexpr qsizetype HeaderChars = 16384;
constexpr qsizetype MaxRowChars = 4 * HeaderChars;

// A line that begins with "//": OWare writes its columns and the event there.
bool IsCommentLine(QStringView line);

// The columns an OWare export names in its first line, "//Format: Rank;Name;…".
std::optional<QStringView> FormatComment(QStringView line);

// A control code as the exports write it: up to six letters and digits beginning with a digit,
// or "F".
bool IsControlCode(const QString& text);

struct TableStart {
    bool decided = false;  // false: the text was cut before the header could be judged
    QChar separator;
    ResultHeader columns;
    bool found = false;
};

// The header is the first line that holds more than blanks and is no comment. Of a cut text
// (whole false) only lines whose end or first HeaderChars characters lie before the cut are
// judged.
TableStart FindTableStart(CbasGeneral::TextLines& lines, bool whole);

}  // namespace basConvert
