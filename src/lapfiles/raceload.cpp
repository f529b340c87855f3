#include "lapfiles/raceload.h"

#include "lapfiles/formattable.h"
#include "lapfiles/labelquestions.h"
#include "lapfiles/readcontext.h"
#include "lapfiles/sourcefile.h"
#include "race/pathutil.h"

#include <QFileInfo>

#include <exception>
#include <new>

namespace basConvert {
namespace {

LoadStatus statusOf(ReadOutcome outcome)
{
    switch (outcome) {
        case ReadOutcome::Read:
            return LoadStatus::Loaded;
        case ReadOutcome::Refused:
            return LoadStatus::Refused;
        case ReadOutcome::NotThisFormat:
        case ReadOutcome::Failed:
            return LoadStatus::Failed;
    }
    return LoadStatus::Failed;
}

// Why no kind of file took a file with a line too long to store.
QString longLineReason()
{
    return QStringLiteral("長すぎる行があります (1 行 %1KB まで読み込めます)")
        .arg(MaxLineBytes >> 10);
}

// Walks the format table: the first kind that recognises the file and reads it decides. A kind
// known by its name is asked before the file is read; a kind known by its stored lines is passed
// over when a line is too long to store.
LoadStatus readByTable(SourceFile& file, ReadContext& context, Race& race, RaceFormat& format)
{
    for (const FormatEntry& entry : FormatTable()) {
        if (entry.evidence != Evidence::Name) {
            if (!file.read()) return LoadStatus::Failed;
            if (entry.evidence == Evidence::Lines && file.probe().tooLong) continue;
        }
        if (!entry.recognise(file)) continue;
        context.format = entry.format;
        const ReadOutcome outcome = entry.read(file, context, race);
        if (outcome == ReadOutcome::NotThisFormat) continue;
        format = entry.format;
        return statusOf(outcome);
    }
    if (file.probe().tooLong) context.reason = longLineReason();
    return LoadStatus::Failed;
}

}  // namespace

QString LoadResult::failureMessage() const
{
    if (status == LoadStatus::Refused) return QStringLiteral("この形式のファイルは読み込めません");
    QString text = QStringLiteral("ファイルを読み込めませんでした");
    if (!reason.isEmpty()) text += QLatin1Char('\n') + reason;
    return text;
}

LoadResult ReadRaceFile(const QString& path, const LoadOptions& options)
{
    LoadResult result;
    result.path = path;
    if (!CbasGeneral::FileExists(path)) {
        result.fileMissing = true;
        return result;
    }
    // A file this large is no race the program could hold; reading it would only take time
    // and memory before it was refused.
    if (QFileInfo(path).size() > MaxRaceFileBytes) {
        result.reason = QStringLiteral("ファイルが大きすぎます (64MB まで読み込めます)");
        return result;
    }
    ListedLabelAnswers answers(options.labelAnswers, options.labelQuestions);
    ReadContext context;
    context.progress = options.progress;
    context.labels = &answers;
    context.raceNumber = options.raceNumber;
    try {
        SourceFile file(path);
        result.status = readByTable(file, context, result.race, result.format);
    } catch (const std::bad_alloc&) {
        result.status = LoadStatus::Failed;
        context.reason = QStringLiteral("メモリが足りません");
    } catch (const std::exception&) {
        result.status = LoadStatus::Failed;
        context.reason.clear();
    }
    if (!result.loaded()) result.race = Race();
    result.reason = context.reason;
    result.unansweredQuestion = context.unansweredQuestion;
    result.warnings = context.warnings;
    if (result.loaded()) {
        result.askedLabels = context.askedLabels;
        result.damaged = context.damaged;
        result.notice = context.notice;
    }
    return result;
}

}  // namespace basConvert
