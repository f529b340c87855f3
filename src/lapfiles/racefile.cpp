#include "lapfiles/racefile.h"

#include "lapfiles/csvlayout.h"
#include "lapfiles/interchange.h"
#include "lapfiles/lapformat.h"
#include "lapfiles/linebuffer.h"
#include "lapfiles/readerstate.h"
#include "race/pathutil.h"
#include "race/race.h"
#include "race/textcodec.h"
#include "race/textutil.h"

#include <QFileInfo>

#include <exception>

namespace basConvert {
namespace {

// Why the last load failed, when there is more to say than that it failed.
QString& failureReason()
{
    static QString reason;
    return reason;
}

using basDefinition::FileFailed;
using basDefinition::FileOk;
using basDefinition::FileRefused;

// Reads the file into a race of its own; the race in memory is not touched.
int16_t readRace(const QString& path, RaceHeader& header, ClassCollection& classes,
                 LoadProgress* progress)
{
    ResetReader();
    int16_t result = FileFailed;
    if (CbasGeneral::Like(path, QStringLiteral("*.xls"))) {
        Reader.formatCode = FormatExcel;  // a workbook is recognised but never read as text
    } else if (LineReadResult read = FillLineBuffer(path); read != LineReadResult::Ok) {
        // Result lists of other programs may be longer than the line buffer holds.
        if (read == LineReadResult::TooManyLines &&
            ReadInterchangeFile(path, header, classes, &result))
            return result;
        return FileFailed;
    }
    if (Reader.lines.isEmpty()) return FileFailed;
    // The program's own report output is not split data.
    if (CbasGeneral::Like(Reader.lines.last(), QStringLiteral("Made with SplitDuel*")))
        return FileRefused;
    if (IsLapFile(path, Reader.lines.first())) Reader.formatCode = FormatLap;
    if (Reader.formatCode != FormatLap && ReadInterchangeFile(path, header, classes, &result))
        return result;

    // Files of other programs are read by the import of foreign tables; until that import is
    // part of the program they cannot be read.
    if (Reader.formatCode != FormatLap) return FileFailed;
    return ReadLapFile(header, classes, progress) ? FileOk : FileFailed;
}

QString joinLines(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines) text += line + QStringLiteral("\r\n");
    return text;
}

bool buildLines(int filterIndex, QStringList& lines)
{
    using basDefinition::ClassList;
    switch (filterIndex) {
        case 1:
            lines = BuildLapLines(basDefinition::RaceInfo, ClassList);
            return true;
        case 2:
            return BuildHorizontalLines(ClassList, lines);
        case 3:
            return BuildVerticalLines(ClassList, lines);
        default:
            return false;
    }
}

// The bytes of the file the filter index writes: a lap file, a lap CSV layout or IOF XML.
bool buildFile(int filterIndex, QByteArray& bytes)
{
    if (filterIndex == 4) {
        bytes = BuildIofXml(basDefinition::RaceInfo, basDefinition::ClassList);
        return true;
    }
    QStringList lines;
    if (!buildLines(filterIndex, lines)) return false;
    bytes = TextCodec::toCp932(joinLines(lines));
    return true;
}

}  // namespace

void LoadRaceFile(const QString& path, LoadProgress* progress)
{
    using namespace basDefinition;
    FileResult = FileOk;
    failureReason().clear();
    if (!CbasGeneral::FileExists(path)) {
        FileResult = FileFailed;
        CurrentFilePath.clear();
        return;
    }
    // A file this large is no race the program could hold; reading it would only take time
    // and memory before it was refused.
    if (QFileInfo(path).size() > MaxRaceFileBytes) {
        FileResult = FileFailed;
        failureReason() = QStringLiteral("ファイルが大きすぎます (64MB まで読み込めます)");
        return;
    }
    // The new race is built aside and replaces the old one only when the whole file was read,
    // so a failed load leaves the race in memory (header, classes and path) as it was.
    RaceHeader header;
    ClassCollection classes;
    int16_t result = FileFailed;
    try {
        result = readRace(path, header, classes, progress);
    } catch (const std::exception&) {
        result = FileFailed;
    }
    FileResult = result;
    if (result != FileOk) return;
    RaceInfo = header;
    ClassList = std::move(classes);
    CurrentFilePath = path;
}

QString LoadFailureMessage(int result)
{
    if (result == basDefinition::FileRefused)
        return QStringLiteral("この形式のファイルは読み込めません");
    QString text = QStringLiteral("ファイルを読み込めませんでした");
    if (!failureReason().isEmpty()) text += QLatin1Char('\n') + failureReason();
    return text;
}

void SaveRaceFile(const QString& path, int filterIndex)
{
    using namespace basDefinition;
    FileResult = FileOk;
    QByteArray bytes;
    // The file is written whole through a temporary file, so a failed save keeps what was there.
    if (!buildFile(filterIndex, bytes) || !CbasGeneral::WriteFileAtomic(path, bytes)) {
        FileResult = FileFailed;
        return;
    }
    DataModified = false;
}

}  // namespace basConvert
