#include "cli/commands.h"
#include "lapfiles/racefile.h"
#include "race/race.h"
#include "reports/outputoptions.h"

namespace cli {
namespace {

const QString kAnswersOption = QStringLiteral("--answers");
const QString kRaceOption = QStringLiteral("--race");

}  // namespace

std::vector<Option> LoadOptions()
{
    // The race of a result list of several, counted from 1.
    Option race = WholeNumberOption(kRaceOption, 1, 9999);
    race.valueName = QStringLiteral("N");
    return {TextOption(kAnswersOption, QStringLiteral("A1,A2,...")), race};
}

int LoadRace(const QString& path, const Arguments& args, Console& console, Race& race)
{
    // The label questions are answered from the list; one beyond it goes unanswered.
    basConvert::LoadOptions options;
    if (args.isSet(kAnswersOption))
        options.labelAnswers = args.value(kAnswersOption).split(QLatin1Char(','));
    options.raceNumber = static_cast<int>(args.number(kRaceOption));
    basConvert::LoadResult load = basConvert::ReadRaceFile(path, options);
    for (const QString& warning : load.warnings) console.err << warning << "\n";
    if (load.loaded()) {
        race = std::move(load.race);
        if (!load.notice.isEmpty()) console.err << load.notice << "\n";
        // A damaged lap file (told above) is not published, as a script stops at it.
        return load.damaged ? ExitFailed : ExitDone;
    }
    // The message's first line, the path, then the reason when there is one.
    const QString message = load.failureMessage();
    console.err << message.section(QLatin1Char('\n'), 0, 0) << ": " << path << "\n";
    const QString reason = message.section(QLatin1Char('\n'), 1);
    if (!reason.isEmpty()) console.err << reason << "\n";
    if (load.status == basConvert::LoadStatus::Failed && !load.unansweredQuestion.isEmpty())
        console.err << "答えのない質問 (--answers で答えてください): " << load.unansweredQuestion
                    << "\n";
    return load.status == basConvert::LoadStatus::Refused ? ExitRefused : ExitFailed;
}

std::optional<std::vector<const clsClassData*>> FindClasses(const ClassCollection& classes,
                                                            const QStringList& names,
                                                            Console& console)
{
    std::vector<const clsClassData*> found;
    for (const QString& name : names) {
        const clsClassData* cls = classes.find(name);
        if (!cls) cls = classes.find(basDefinition::ClassNameOfEntry(name));
        if (!cls) {
            console.err << "クラスがありません: " << name;
            if (!classes.isEmpty())
                console.err << " (このレースのクラス: "
                            << basExport::ClassListEntries(classes).join(QStringLiteral(", "))
                            << ")";
            console.err << "\n";
            return std::nullopt;
        }
        found.push_back(cls);
    }
    return found;
}

}  // namespace cli
