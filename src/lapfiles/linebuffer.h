#pragma once
// The stored lines of a file already in memory: how the lap file, SPORTident results and the
// tables are split into lines, and the few of them that tell those kinds apart.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace basConvert {

// No line of a lap file, a table or SPORTident results comes near this length. A file with
// such a line (a result list written without line ends, or no text at all) is left to the
// readers that take the file whole.
constexpr qsizetype MaxLineBytes = qsizetype(1) << 20;

// The lines of bytes: CR LF, a lone CR and a lone LF all end a line, so files with Unix line
// ends split like the others. Bytes that end with a line end have no empty line after it.
class ByteLines {
public:
    explicit ByteLines(QByteArrayView bytes) : bytes_(bytes) {}
    // The next line without its line end; false after the last.
    bool next(QByteArrayView& line);

private:
    // The position of the next byte c from the current one, found again only once passed (the
    // end when there is none), so that every byte is searched once.
    qsizetype nextByte(char c, qsizetype& found) const;

    QByteArrayView bytes_;
    qsizetype pos_ = 0;
    qsizetype cr_ = -1;
    qsizetype lf_ = -1;
};

// The lines the readers keep. A file that begins with a UTF-8 byte-order mark is UTF-8, any
// other CP932; bytes that are not valid in the encoding become U+FFFD. A line is stored when
// it holds more than spaces and commas, or always once the file has been recognised as
// SPORTident results (the third stored line says so).
struct StoredLines {
    QStringList lines;
    bool anyComma = false;  // some stored line contains ","
};
StoredLines SplitStoredLines(const QByteArray& bytes);

// What the kinds of file are told apart by, found without storing every line.
struct LineProbe {
    bool tooLong = false;  // some line runs past MaxLineBytes
    QStringList first;     // the first stored lines, three at most
    QString last;          // the last stored line
    bool sportident = false;
};
LineProbe ProbeStoredLines(const QByteArray& bytes);

}  // namespace basConvert
