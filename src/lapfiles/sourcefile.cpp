#include "lapfiles/sourcefile.h"

#include "lapfiles/interchangereaders.h"

#include <QFile>

namespace basConvert {
namespace {

// Enough of the start of a file for the text readers to tell whether it is their format.
constexpr qsizetype HeadBytes = qsizetype(256) << 10;

bool mayBeAnyTextExport(QStringView head)
{
    return MayBeSplitHtml(head) || MayBeResultTable(head) || MayBePerLegCsv(head) ||
           MayBeSplitsBrowserCsv(head);
}

}  // namespace

bool SourceFile::read()
{
    if (!read_) {
        QFile file(path_);
        read_ = file.open(QIODevice::ReadOnly);
        if (*read_) {
            bytes_ = file.readAll();
            read_ = file.error() == QFileDevice::NoError;
        }
        if (!*read_) bytes_.clear();
    }
    return *read_;
}

const LineProbe& SourceFile::probe()
{
    if (!probe_) probe_ = ProbeStoredLines(bytes_);
    return *probe_;
}

const QStringList& SourceFile::lines()
{
    if (!lines_) {
        text_.reset();
        lines_ = SplitStoredLines(bytes_);
    }
    return lines_->lines;
}

bool SourceFile::anyComma()
{
    lines();
    return lines_->anyComma;
}

QStringList SourceFile::takeLines()
{
    lines();
    bytes_ = QByteArray();
    return std::exchange(lines_->lines, QStringList());
}

TextCodec::Encoding SourceFile::encoding()
{
    if (!encoding_) encoding_ = TextCodec::detectEncoding(bytes_);
    return *encoding_;
}

const QString& SourceFile::text()
{
    if (!text_) text_ = TextCodec::decode(bytes_, encoding());
    return *text_;
}

bool SourceFile::mayBeTextExport()
{
    if (!mayBeTextExport_) {
        mayBeTextExport_ = bytes_.size() <= HeadBytes || mayBeAnyTextExport(TextCodec::decode(
                                                             bytes_.left(HeadBytes), encoding()));
    }
    return *mayBeTextExport_;
}

}  // namespace basConvert
