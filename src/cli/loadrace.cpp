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
    if (result == FileRefused) {
        console.err << "この形式のファイルは読み込めません: " << path << "\n";
        return ExitRefused;
    }
    console.err << "ファイルを読み込めませんでした: " << path << "\n";
    return ExitFailed;
}

}  // namespace cli
