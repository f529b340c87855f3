#include "lapfiles/interchange.h"

#include "lapfiles/coursevariants.h"
#include "lapfiles/interchangereaders.h"
#include "race/textcodec.h"
#include "race/textutil.h"

#include <QFile>

namespace basConvert {
namespace {

// Enough of the start of a file for the CSV readers to tell whether it is their format.
constexpr qsizetype HeadBytes = qsizetype(256) << 10;

// The two CSV formats. Only the start of the file is decoded until one of them may be its
// format; then the bytes give way to the decoded text, so that the two are never held with
// the split lines besides.
ReadOutcome readCsv(QByteArray bytes, ImportedRace& race)
{
    const TextCodec::Encoding encoding = TextCodec::detectEncoding(bytes);
    if (bytes.size() > HeadBytes) {
        const QString head = TextCodec::decode(bytes.left(HeadBytes), encoding);
        if (!MayBeResultTable(head) && !MayBeSplitsBrowserCsv(head) && !MayBePerLegCsv(head))
            return ReadOutcome::NotThisFormat;
    }
    const QString text = TextCodec::decode(bytes, encoding);
    bytes = QByteArray();
    ReadOutcome outcome = ReadResultTable(text, race);
    if (outcome == ReadOutcome::NotThisFormat) outcome = ReadPerLegCsv(text, race);
    if (outcome == ReadOutcome::NotThisFormat) outcome = ReadSplitsBrowserCsv(text, race);
    return outcome;
}

}  // namespace

bool ReadInterchangeFile(const QString& path, RaceHeader& header, ClassCollection& classes,
                         ReadResult* result, int raceNumber)
{
    // The whole file is read here: a result list may be far longer than the line buffer holds.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return false;
    file.close();

    ImportedRace race;
    race.raceNumber = raceNumber;
    ReadOutcome outcome = ReadIofXml(bytes, race);
    // An Eskdat file is known by its name and read as a table of its own.
    const bool eskdat = CbasGeneral::Like(path, QStringLiteral("*Eskdat*.dat"));
    if (outcome == ReadOutcome::NotThisFormat && !eskdat) outcome = readCsv(std::move(bytes), race);
    bytes = QByteArray();
    if (outcome == ReadOutcome::NotThisFormat) return false;

    RaceHeader newHeader;
    ClassCollection newClasses;
    if (outcome == ReadOutcome::Read && BuildImportedRace(race, newHeader, newClasses)) {
        header = newHeader;
        classes = std::move(newClasses);
        result->code = basDefinition::FileOk;
        result->notice = SplitClassesNotice(race.splitClasses);
    } else {
        result->code = basDefinition::FileFailed;
        result->reason = race.failure;
    }
    return true;
}

}  // namespace basConvert
