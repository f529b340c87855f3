// splitduel-cli convert IN OUT [--layout lap|csv-rows|csv-columns|iof-xml]: reads any race
// file and saves it as a lap file, one of the two lap CSV layouts or an IOF XML 3.0 result list.
#include "cli/commands.h"
#include "lapfiles/racefile.h"
#include "race/race.h"

namespace cli {
namespace {

// The save filter index of a layout name; 0 for an unknown name.
int filterIndexOf(const QString& layout)
{
    if (layout == QLatin1String("lap")) return 1;
    if (layout == QLatin1String("csv-rows")) return 2;
    if (layout == QLatin1String("csv-columns")) return 3;
    if (layout == QLatin1String("iof-xml")) return 4;
    return 0;
}

struct ConvertArguments {
    QStringList paths;
    int filterIndex = 1;
};

bool parseArguments(const QStringList& args, ConvertArguments& parsed)
{
    const QString option = QStringLiteral("--layout");
    for (int i = 0; i < args.size(); ++i) {
        const QString& word = args[i];
        QString layout;
        if (word == option) {
            if (++i >= args.size()) return false;
            layout = args[i];
        } else if (word.startsWith(option + QLatin1Char('='))) {
            layout = word.mid(option.size() + 1);
        } else if (word.startsWith(QLatin1String("--"))) {
            return false;
        } else {
            parsed.paths << word;
            continue;
        }
        parsed.filterIndex = filterIndexOf(layout);
        if (parsed.filterIndex == 0) return false;
    }
    return parsed.paths.size() == 2;
}

}  // namespace

int RunConvert(const QStringList& args, Console& console)
{
    ConvertArguments parsed;
    if (!parseArguments(args, parsed))
        return UsageError(*FindCommand(QStringLiteral("convert")), console);
    if (int status = LoadRace(parsed.paths[0], console); status != ExitDone) return status;

    using namespace basDefinition;
    basConvert::SaveRaceFile(parsed.paths[1], parsed.filterIndex);
    int16_t result = FileResult;
    FileResult = FileOk;
    if (result != FileOk) {
        console.err << "ファイルを保存できませんでした: " << parsed.paths[1] << "\n";
        return ExitFailed;
    }
    return ExitDone;
}

}  // namespace cli
