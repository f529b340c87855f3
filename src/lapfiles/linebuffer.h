#pragma once
// Reading a file into the reader's line buffer.
#include "lapfiles/readcontext.h"

#include <QString>

namespace basConvert {

enum class LineReadResult {
    Ok,
    Unreadable,   // the file could not be opened or read
    LineTooLong,  // a line runs past MaxLineBytes
};

// No line of a lap file, a table or SPORTident results comes near this length. Reading stops at
// such a line before it is decoded and stored: a file of one huge line (a result list written
// without line ends, or no text at all) is left to the readers that take the file whole.
constexpr qsizetype MaxLineBytes = qsizetype(1) << 20;

// Reads the file into the context's lines. CR LF, a lone CR and a lone LF all end a line, so files
// with Unix line ends split like the others, in memory. A line is stored when it holds more
// than spaces and commas, or always once the file has been recognised as SPORTident results
// (the third stored line says so). A file that begins with a UTF-8 byte-order mark is UTF-8,
// any other CP932; bytes that are not valid in the encoding become U+FFFD.
LineReadResult FillLineBuffer(const QString& path, ReadContext& context);

}  // namespace basConvert
