#include "cli/commands.h"
#include "lapfiles/labelquestions.h"
#include "lapfiles/racefile.h"
#include "race/prompts.h"
#include "race/race.h"
#include "reports/outputoptions.h"

#include <memory>

namespace cli {
namespace {

const QString kAnswersOption = QStringLiteral("--answers");
const QString kRaceOption = QStringLiteral("--race");

// Loads the file with the label questions answered from the list (and cancelled once it is
// used up); gives back every message the loader showed.
QStringList loadAnswering(const QString& path, const QStringList& answers,
                          const basConvert::LoadOptions& options)
{
    auto scripted = std::make_unique<Prompts::ScriptedPrompts>();
    for (const QString& answer : answers) scripted->inputs.push_back(answer);
    Prompts::ScriptedPrompts& prompts = *scripted;
    Prompts::ScopedPrompts scope(std::move(scripted));
    basConvert::LoadRaceFile(path, nullptr, options);
    QStringList messages;
    for (const Prompts::ScriptedPrompts::Record& record : prompts.log)
        if (record.kind == QLatin1String("ask")) messages << record.text;
    return messages;
}

}  // namespace

std::vector<Option> LoadOptions()
{
    // The race of a result list of several, counted from 1.
    Option race = WholeNumberOption(kRaceOption, 1, 9999);
    race.valueName = QStringLiteral("N");
    return {TextOption(kAnswersOption, QStringLiteral("A1,A2,...")), race};
}

int LoadRace(const QString& path, const Arguments& args, Console& console)
{
    using namespace basDefinition;
    const QStringList answers = args.isSet(kAnswersOption)
                                    ? args.value(kAnswersOption).split(QLatin1Char(','))
                                    : QStringList();
    basConvert::LoadOptions options;
    options.raceNumber = static_cast<int>(args.number(kRaceOption));
    for (const QString& message : loadAnswering(path, answers, options))
        console.err << message << "\n";
    int16_t result = FileResult;
    FileResult = FileOk;
    if (result == FileOk) {
        const QString notice = basConvert::LoadNotice();
        if (!notice.isEmpty()) console.err << notice << "\n";
        // A damaged lap file (told above) is not published, as a script stops at it.
        return basConvert::LoadWasDamaged() ? ExitFailed : ExitDone;
    }
    // The message's first line, the path, then the reason when there is one.
    const QString message = basConvert::LoadFailureMessage(result);
    console.err << message.section(QLatin1Char('\n'), 0, 0) << ": " << path << "\n";
    const QString reason = message.section(QLatin1Char('\n'), 1);
    if (!reason.isEmpty()) console.err << reason << "\n";
    const QString question = basConvert::UnansweredLabelQuestion();
    if (result == FileFailed && !question.isEmpty())
        console.err << "答えのない質問 (--answers で答えてください): " << question << "\n";
    return result == FileRefused ? ExitRefused : ExitFailed;
}

std::optional<std::vector<const clsClassData*>> FindClasses(const QStringList& names,
                                                            Console& console)
{
    const ClassCollection& classes = basDefinition::ClassList;
    std::vector<const clsClassData*> found;
    for (const QString& name : names) {
        const clsClassData* cls = classes.find(name);
        if (!cls) cls = classes.find(basDefinition::ClassNameOfEntry(name));
        if (!cls) {
            console.err << "クラスがありません: " << name;
            if (!classes.isEmpty())
                console.err << " (このレースのクラス: "
                            << basExport::ClassListEntries().join(QStringLiteral(", ")) << ")";
            console.err << "\n";
            return std::nullopt;
        }
        found.push_back(cls);
    }
    return found;
}

}  // namespace cli
