#include "cli/commands.h"
#include "lapfiles/racefile.h"
#include "race/race.h"

namespace cli {

int LoadRace(const QString& path, Console& console)
{
    using namespace basDefinition;
    basConvert::LoadRaceFile(path);
    int16_t result = FileResult;
    FileResult = FileOk;
    if (result == FileOk) return ExitDone;
    // The message's first line, the path, then the reason when there is one.
    const QString message = basConvert::LoadFailureMessage(result);
    console.err << message.section(QLatin1Char('\n'), 0, 0) << ": " << path << "\n";
    const QString reason = message.section(QLatin1Char('\n'), 1);
    if (!reason.isEmpty()) console.err << reason << "\n";
    return result == FileRefused ? ExitRefused : ExitFailed;
}

}  // namespace cli
