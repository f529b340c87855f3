// splitduel-cli info FILE: the race header, then every class with its runners by total time.
#include "cli/commands.h"
#include "race/basicformat.h"
#include "race/race.h"
#include "race/racetime.h"
#include "race/textutil.h"

namespace cli {
namespace {

// A text of the race as the terminal gets it: a control character (an escape sequence, a tab
// inside a name) or a line separator is shown as a space, never passed on to move or recolour
// the screen.
QString shown(QString text)
{
    for (QChar& c : text) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line ||
            category == QChar::Separator_Paragraph)
            c = QLatin1Char(' ');
    }
    return text;
}

void printHeader(const RaceHeader& header, QTextStream& out)
{
    out << "名称: " << shown(header.RaceName) << "\n"
        << "日時: "
        << (header.hasDate() ? CbasGeneral::FormatShortDate(header.RaceDate) : QString()) << "\n"
        << "場所: " << shown(header.RacePlace) << "\n"
        << "備考: " << shown(header.RaceRemarks) << "\n";
}

void printClass(const clsClassData& cls, QTextStream& out)
{
    using CbasGeneral::FitWidth;
    out << "\nクラス: " << shown(basDefinition::DisplayClassName(cls.ClassName))
        << "  コントロール数: " << cls.ClassControlCount
        << "  フィニッシュ区間: " << (cls.ClassLastGoalExist ? "あり" : "なし")
        << "  選手数: " << cls.ClassRunnerCount() << "\n";
    for (int i = 1; i <= cls.ClassRunnerCount(); ++i) {
        const clsClassDataSub& runner = cls.Item(i);
        // A run without a valid total shows its status instead.
        const RunStatus status = runner.ShownStatus();
        QString line = FitWidth(QString::number(i), 4, true, false) + QStringLiteral("  ") +
                       FitWidth(shown(runner.Namae), 20, false, false) + QStringLiteral("  ") +
                       FitWidth(shown(runner.Shozoku), 24, false, false) + QStringLiteral("  ") +
                       (status == RunStatus::Ok ? CbasGeneral::FormatLapTime(runner.Total)
                                                : RunStatusText(status));
        while (line.endsWith(QLatin1Char(' '))) line.chop(1);  // a total of 0 shows nothing
        out << line << "\n";
    }
}

int run(const Arguments& args, Console& console)
{
    Race race;
    if (int status = LoadRace(args.positional[0], args, console, race); status != ExitDone)
        return status;
    printHeader(race.RaceInfo, console.out);
    for (const auto& cls : race.ClassList) printClass(*cls, console.out);
    return ExitDone;
}

}  // namespace

const Command& InfoCommand()
{
    static const Command command{"info",
                                 {QStringLiteral("FILE")},
                                 {},
                                 "レースの見出し、クラスと選手を総タイム順に表示します",
                                 run};
    return command;
}

}  // namespace cli
