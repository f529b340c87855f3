// Merging a race's lines into a season file of any bytes: it never fails; a file it accepts
// keeps its encoding (UTF-8 by its byte-order mark or its text, else CP932) and its LF line ends,
// and merging the same lines again changes nothing.
#include "fuzzsupport.h"

#include "race/textcodec.h"
#include "reports/analysiscsv.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray file(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString race = QStringLiteral("春の大会");
    const QString lines =
        "Ａ,,24/05/12," + race + ",M21,0:15:00\r\nＢ,,24/05/12," + race + ",M\r\n";
    const std::optional<QByteArray> merged = basExport::MergeSeasonLines(file, lines);
    if (!merged) return 0;
    const bool valid = TextCodec::isValidUtf8(file);
    const bool utf8 =
        file.startsWith("\xEF\xBB\xBF") ||
        (valid && std::any_of(file.begin(), file.end(), [](char c) { return c & 0x80; }));
    fuzz::Check(merged->contains(utf8 ? race.toUtf8() : TextCodec::toCp932(race)),
                "the new lines come in the file's encoding");
    fuzz::Check(!utf8 || !valid || TextCodec::isValidUtf8(*merged), "UTF-8 stays UTF-8");
    fuzz::Check(file.contains('\r') || !file.contains('\n') || !merged->contains('\r'),
                "LF line ends get no CR");
    fuzz::Check(basExport::MergeSeasonLines(*merged, lines) == merged,
                "a second merge is no change");
    return 0;
}
