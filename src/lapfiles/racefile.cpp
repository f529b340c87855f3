#include "lapfiles/racefile.h"

#include "lapfiles/formattable.h"
#include "lapfiles/labelquestions.h"
#include "race/pathutil.h"
#include "race/prompts.h"
#include "race/race.h"
#include "race/racedocument.h"
#include "race/textcodec.h"

namespace basConvert {
namespace {

// The first text of the race (race header, class name, runner's name or club) with a character
// that has no CP932 form, for the message that names it.
QString firstTextWithoutCp932(const Race& race)
{
    const RaceHeader& header = race.RaceInfo;
    for (const QString& text : {header.RaceName, header.RacePlace, header.RaceRemarks})
        if (!TextCodec::fitsCp932(text)) return text;
    for (const auto& cls : race.ClassList) {
        if (!TextCodec::fitsCp932(cls->ClassName)) return cls->ClassName;
        for (int i = 1; i <= cls->ClassRunnerCount(); ++i) {
            const clsClassDataSub& runner = cls->Item(i);
            if (!TextCodec::fitsCp932(runner.Namae + runner.Shozoku)) return runner.Namae;
        }
    }
    return QString();
}

}  // namespace

void ApplyLoadedRace(RaceDocument& document, LoadResult& result)
{
    if (result.fileMissing) document.setCurrentFilePath(QString());
    if (!result.loaded()) return;
    document.replaceRace(std::move(result.race), result.path);
    result.race = Race();
    // A header built from the user's answers is not in the program's own format yet.
    if (result.askedLabels) document.setDataModified(true);
}

LoadResult LoadRaceFile(RaceDocument& document, const QString& path, LoadProgress* progress,
                        const LoadOptions& options)
{
    LoadOptions asked = options;
    if (progress) asked.progress = progress;
    if (!asked.labelQuestions) asked.labelQuestions = &CurrentLabelQuestions();
    LoadResult result = ReadRaceFile(path, asked);
    ApplyLoadedRace(document, result);
    for (const QString& warning : result.warnings)
        Prompts::message(warning, Prompts::Icon::Exclamation);
    return result;
}

SaveResult SaveRaceFile(const Race& race, const QString& path, SaveType type)
{
    const SavedBytes saved = WriterOf(type).write(race.RaceInfo, race.ClassList);
    // The file is written whole through a temporary file, so a failed save keeps what was there.
    if (!CbasGeneral::WriteFileBytes(path, saved.bytes, CbasGeneral::LinkRule::FollowAny))
        return SaveResult::Failed;
    if (saved.utf8)
        Prompts::message(QStringLiteral("シフトJISで表せない文字（「%1」など）があるため、"
                                        "UTF-8（BOM付き）で保存しました。")
                             .arg(firstTextWithoutCp932(race)),
                         Prompts::Icon::Information);
    return SaveResult::Saved;
}

SaveResult SaveRaceFile(RaceDocument& document, const QString& path, SaveType type)
{
    const SaveResult result = SaveRaceFile(document.race(), path, type);
    if (result == SaveResult::Saved) document.setDataModified(false);
    return result;
}

}  // namespace basConvert
