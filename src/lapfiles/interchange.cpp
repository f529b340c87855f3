#include "lapfiles/interchange.h"

#include "lapfiles/interchangereaders.h"
#include "race/textcodec.h"
#include "race/textutil.h"

#include <QFile>

namespace basConvert {

bool ReadInterchangeFile(const QString& path, RaceHeader& header, ClassCollection& classes,
                         int16_t* result)
{
    // The whole file is read here: a result list may be far longer than the line buffer holds.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return false;

    ImportedRace race;
    ReadOutcome outcome = ReadIofXml(bytes, race);
    // An Eskdat file is known by its name and read as a table of its own.
    const bool eskdat = CbasGeneral::Like(path, QStringLiteral("*Eskdat*.dat"));
    if (outcome == ReadOutcome::NotThisFormat && !eskdat) {
        const QString text = TextCodec::decode(bytes, TextCodec::detectEncoding(bytes));
        outcome = ReadOeCsv(text, race);
        if (outcome == ReadOutcome::NotThisFormat) outcome = ReadSplitsBrowserCsv(text, race);
    }
    if (outcome == ReadOutcome::NotThisFormat) return false;

    RaceHeader newHeader;
    ClassCollection newClasses;
    if (outcome == ReadOutcome::Read && BuildImportedRace(race, newHeader, newClasses)) {
        header = newHeader;
        classes = std::move(newClasses);
        *result = basDefinition::FileOk;
    } else {
        *result = basDefinition::FileFailed;
    }
    return true;
}

}  // namespace basConvert
