// Merging a race's lines into a season file of any bytes: it never fails; a file it accepts
// keeps its encoding (UTF-8 stays valid UTF-8, the new lines come in it) and its line end, every
// new line is there, and merging the same lines again changes nothing.
#include "fuzzsupport.h"

#include "race/textcodec.h"
#include "reports/analysiscsv.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray file(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString lines = QStringLiteral(
        "Ａ,Club,24/05/12,春の大会,M21,0:15:00,1,2\r\nＢ,,24/05/12,春の大会,M21,0:16:00,2,2\r\n");
    const std::optional<QByteArray> merged = basExport::MergeSeasonLines(file, lines);
    if (!merged) return 0;
    // UTF-8 by its byte-order mark, or by UTF-8 text beyond ASCII; CP932 otherwise.
    const bool valid = TextCodec::isValidUtf8(file);
    const bool utf8 =
        file.startsWith("\xEF\xBB\xBF") ||
        (valid && std::any_of(file.begin(), file.end(), [](char c) { return c & 0x80; }));
    if (utf8) {
        fuzz::Check(!valid || TextCodec::isValidUtf8(*merged), "a UTF-8 season file stays UTF-8");
        fuzz::Check(merged->contains(QStringLiteral("春の大会").toUtf8()),
                    "the new lines of a UTF-8 file are in UTF-8");
    } else {
        fuzz::Check(merged->contains(TextCodec::toCp932(QStringLiteral("春の大会"))),
                    "the new lines of a CP932 file are in CP932");
    }
    if (!file.contains('\r'))
        fuzz::Check(!merged->contains('\r'), "a file of LF line ends gets no CR");
    fuzz::Check(basExport::MergeSeasonLines(*merged, lines) == merged,
                "merging the same lines again changes nothing");
    return 0;
}
