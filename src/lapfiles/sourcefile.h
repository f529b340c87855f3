#pragma once
// The file being loaded, read whole into memory once: its name and bytes, and what the kinds of
// file in the format table look at, each made the first time one asks for it: the few stored
// lines that tell kinds apart, every stored line, and the text decoded as the result lists of
// other programs are.
#include "lapfiles/linebuffer.h"
#include "race/textcodec.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace basConvert {

class SourceFile {
public:
    explicit SourceFile(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }
    // Reads the file whole on the first call; false when it cannot be read.
    bool read();
    const QByteArray& bytes() const { return bytes_; }

    const LineProbe& probe();
    // Every stored line (linebuffer.h). The decoded text is let go then: no kind of file reads
    // both, and a large file need not be held three times.
    const QStringList& lines();
    bool anyComma();
    // The stored lines handed to the one reader that reads them. No kind of file is tried after
    // it, so the bytes go too: the lines and the bytes of a large file are not held together
    // while it is read.
    QStringList takeLines();

    // The whole text in the encoding its bytes show (TextCodec::detectEncoding).
    const QString& text();
    // Whether the file may be one of the text exports of other programs: always for a small
    // file, for a large one only when its start, decoded alone, may be one. Only then is the
    // whole text decoded.
    bool mayBeTextExport();

private:
    TextCodec::Encoding encoding();

    QString path_;
    std::optional<bool> read_;
    QByteArray bytes_;
    std::optional<LineProbe> probe_;
    std::optional<StoredLines> lines_;
    std::optional<TextCodec::Encoding> encoding_;
    std::optional<QString> text_;
    std::optional<bool> mayBeTextExport_;
};

}  // namespace basConvert
