#include "cli/commands.h"
#include "lapfiles/labelquestions.h"
#include "lapfiles/racefile.h"
#include "race/prompts.h"
#include "race/race.h"

#include <memory>

namespace cli {
namespace {

QStringList answers;

}  // namespace

bool TakeAnswersOption(QStringList& args)
{
    const QString option = QStringLiteral("--answers");
    for (int i = 0; i < args.size(); ++i) {
        QString value;
        if (args[i] == option) {
            if (i + 1 >= args.size()) return false;
            value = args.takeAt(i + 1);
        } else if (args[i].startsWith(option + QLatin1Char('='))) {
            value = args[i].mid(option.size() + 1);
        } else {
            continue;
        }
        args.removeAt(i);
        answers = value.split(QLatin1Char(','));
        return true;
    }
    return true;
}

int LoadRace(const QString& path, Console& console)
{
    using namespace basDefinition;
    {
        // The label questions reach the prompt service's input box; here it answers them from
        // the list given and cancels once the list is used up.
        auto scripted = std::make_unique<Prompts::ScriptedPrompts>();
        for (const QString& answer : answers) scripted->inputs.push_back(answer);
        Prompts::ScopedPrompts scope(std::move(scripted));
        basConvert::LoadRaceFile(path);
    }
    int16_t result = FileResult;
    FileResult = FileOk;
    if (result == FileOk) return ExitDone;
    if (result == FileRefused) {
        console.err << "この形式のファイルは読み込めません: " << path << "\n";
        return ExitRefused;
    }
    console.err << "ファイルを読み込めませんでした: " << path << "\n";
    const QString question = basConvert::UnansweredLabelQuestion();
    if (!question.isEmpty())
        console.err << "答えのない質問 (--answers で答えてください): " << question << "\n";
    return ExitFailed;
}

}  // namespace cli
