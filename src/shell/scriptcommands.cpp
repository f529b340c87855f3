#include "shell/scriptcommands.h"

#include "config/control.h"
#include "lapfiles/racefile.h"
#include "race/csvfields.h"
#include "race/filenameparts.h"
#include "race/prompts.h"
#include "race/race.h"
#include "race/textutil.h"
#include "shell/loadedrace.h"
#include "shell/scriptarguments.h"
#include "shell/scriptoutputs.h"

#include <functional>
#include <map>

namespace basAutomation {

namespace {

// The number of a user variable, 1 … 9.
int VariableNumber(const QString& text)
{
    const int n = CbasGeneral::RoundHalfEven(CbasGeneral::Val(text));
    if (n < 1 || n > 9) throw ScriptError("variable number outside 1 to 9");
    return n;
}

// The race in memory was replaced or a load failed: a race of nothing keeps no file, and the
// windows show what there is.
void RaceChanged(ScriptContext& context)
{
    basLoadedRace::ForgetEmptyRace(context.host.Document());
    context.host.RaceChanged();
}

CommandResult Open(ScriptContext& context, const QStringList& fields)
{
    const QString path = ScriptPath(context, CbasGeneral::RemoveQuotes(Argument(fields, 1)));
    const basConvert::LoadResult load =
        basConvert::LoadRaceFile(context.host.Document(), path, context.host.LoadProgress());
    if (!load.loaded()) {
        // A refused kind of file is as much a failure as an unreadable one: going on would
        // publish whatever race was in memory before.
        context.host.Document().setCurrentFilePath(QString());
        RaceChanged(context);
        Warn(context, load.failureMessage());
        return CommandResult::Stop;
    }
    RaceChanged(context);
    // A damaged file (told by the reader) loads as far as it goes; publishing it would put half
    // a race on the web.
    if (load.damaged) return CommandResult::Stop;
    return CommandResult::Continue;
}

CommandResult ClickShow(ScriptContext& context, const QStringList&)
{
    if (context.host.Document().CurrentFilePath().isEmpty()) {
        Warn(context, QStringLiteral("表示できません"));
        return CommandResult::Stop;
    }
    context.host.ShowAnalysis();
    return CommandResult::Continue;
}

CommandResult ClickOpen(ScriptContext& context, const QStringList&)
{
    context.host.SetBusy(false);
    context.host.OpenFile();
    return context.host.Document().CurrentFilePath().isEmpty() ? CommandResult::Stop
                                                               : CommandResult::Continue;
}

CommandResult ClickExit(ScriptContext& context, const QStringList&)
{
    context.host.SetBusy(false);
    // Unsaved data whose save question was cancelled keeps the program open; a window closed
    // without saving ends it like a clean exit.
    const bool ended = context.host.Exit();
    return ended || !context.host.Document().DataModified() ? CommandResult::Exit
                                                            : CommandResult::Continue;
}

CommandResult Input(ScriptContext& context, const QStringList& fields)
{
    const int n = VariableNumber(Argument(fields, 1));
    const QString& prompt = Argument(fields, 2);
    const QString& defaultText = Argument(fields, 3);
    context.host.SetBusy(false);
    context.variables[n] = Prompts::current()
                               .input(prompt, QStringLiteral("SplitDuel"), defaultText)
                               .value_or(QString());
    return CommandResult::Continue;
}

CommandResult InputFolder(ScriptContext& context, const QStringList& fields)
{
    const int n = VariableNumber(Argument(fields, 1));
    const QString& title = Argument(fields, 2);
    context.host.SetBusy(false);
    DiskTree tree;
    tree.Show(title);
    if (tree.Value().isEmpty()) return CommandResult::Stop;
    context.variables[n] = tree.Value();
    return CommandResult::Continue;
}

using Command = std::function<CommandResult(ScriptContext&, const QStringList&)>;

const std::map<QString, Command>& Commands()
{
    static const std::map<QString, Command> commands{
        {QStringLiteral("OPEN"), Open},
        {QStringLiteral("CLICKSHOW"), ClickShow},
        {QStringLiteral("CLICKOPEN"), ClickOpen},
        {QStringLiteral("CLICKEXIT"), ClickExit},
        {QStringLiteral("EXIT"),
         [](ScriptContext&, const QStringList&) { return CommandResult::Exit; }},
        {QStringLiteral("LAPCOPY"), LapCopy},
        {QStringLiteral("XCSV"), SeasonCsv},
        {QStringLiteral("VIEWER"), Viewer},
        {QStringLiteral("HTML"), Pages},
        {QStringLiteral("LEG"), Pages},
        {QStringLiteral("CHART"), Charts},
        {QStringLiteral("CHART1"), Charts},
        {QStringLiteral("CHART2"), Charts},
        {QStringLiteral("INPUT"), Input},
        {QStringLiteral("INPUTFOLDER"), InputFolder},
    };
    return commands;
}

// A comment line: "REM" on its own or followed by a space or a ",", as scripts written for
// Windows note what they do.
bool IsComment(const QString& keyword)
{
    return keyword == QLatin1String("REM") || keyword.startsWith(QLatin1String("REM "));
}

}  // namespace

QString ReplaceVariables(const ScriptContext& context, const QString& field)
{
    QString text = field;
    text.replace(QStringLiteral("%desktop%"), context.desktopFolder, Qt::CaseInsensitive);
    text.replace(QStringLiteral("%documents%"), context.documentsFolder, Qt::CaseInsensitive);
    text.replace(QStringLiteral("%eventname%"),
                 CbasGeneral::NameForFileName(context.host.Document().RaceInfo().RaceName),
                 Qt::CaseInsensitive);
    for (int n = 1; n <= 9; ++n) {
        const QString name = QLatin1Char('%') + QString::number(n) + QLatin1Char('%');
        text.replace(name, context.variables[n], Qt::CaseInsensitive);
    }
    return text;
}

QStringList LineFields(const ScriptContext& context, const QString& line)
{
    QStringList fields = CbasGeneral::SplitCsvFields(line, CbasGeneral::CsvQuotes::Literal);
    for (QString& field : fields) field = ReplaceVariables(context, field);
    return fields;
}

CommandResult ExecuteCommand(ScriptContext& context, const QStringList& fields)
{
    if (fields.join(QString()).trimmed().isEmpty()) return CommandResult::Continue;
    const QString keyword = fields.value(0).toUpper();
    if (keyword == QLatin1String("VERSION") || IsComment(keyword)) return CommandResult::Continue;
    const auto command = Commands().find(keyword);
    if (command == Commands().end())
        throw ScriptError("unknown command",
                          QStringLiteral("不明なコマンドです: 「%1」").arg(fields.value(0)));
    return command->second(context, fields);
}

}  // namespace basAutomation
