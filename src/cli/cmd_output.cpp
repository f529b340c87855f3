// splitduel-cli output RACE FOLDER NAME [options]: the output dialog's file output without the
// dialog. The options start as a freshly loaded dialog has them; the file type, then the data
// type are chosen as in the dialog (each changing the others the same way), then the flags.
#include "cli/commands.h"
#include "race/race.h"
#include "race/textutil.h"
#include "reports/outputrun.h"

#include <optional>

namespace cli {
namespace {

struct OutputArguments {
    QStringList positional;
    std::optional<int> dataType;
    std::optional<int> fileType;
    bool oneFile = false;
    std::optional<bool> columns;
    bool noLowerCase = false;
    bool noIndex = false;
    bool forExcel = false;
    std::optional<QString> labelInterval;
    QStringList classes;
};

std::optional<int> fileTypeOf(const QString& word)
{
    if (word == QLatin1String("html")) return basExport::FileHtml;
    if (word == QLatin1String("csv")) return basExport::FileCsv;
    if (word == QLatin1String("text")) return basExport::FileText;
    return std::nullopt;
}

std::optional<int> dataTypeOf(const QString& word)
{
    bool ok = false;
    const int value = word.toInt(&ok);
    if (!ok || value < 0 || value > basExport::DataViewer) return std::nullopt;
    return value;
}

// Reads "--name VALUE" and "--name=VALUE"; false on a missing value.
bool takeValue(const QStringList& args, int& i, const QString& name, QString& value, bool& matched)
{
    const QString& word = args[i];
    matched = false;
    if (word == name) {
        matched = true;
        if (i + 1 >= args.size()) return false;
        value = args[++i];
        return true;
    }
    if (word.startsWith(name + QLatin1Char('='))) {
        matched = true;
        value = word.mid(name.size() + 1);
    }
    return true;
}

bool parseOption(const QStringList& args, int& i, OutputArguments& parsed)
{
    const QString& word = args[i];
    if (word == QLatin1String("--one-file")) return parsed.oneFile = true;
    if (word == QLatin1String("--no-lower-case")) return parsed.noLowerCase = true;
    if (word == QLatin1String("--no-index")) return parsed.noIndex = true;
    if (word == QLatin1String("--for-excel")) return parsed.forExcel = true;
    QString value;
    bool matched = false;
    if (!takeValue(args, i, QStringLiteral("--data-type"), value, matched)) return false;
    if (matched) return (parsed.dataType = dataTypeOf(value)).has_value();
    if (!takeValue(args, i, QStringLiteral("--file-type"), value, matched)) return false;
    if (matched) return (parsed.fileType = fileTypeOf(value)).has_value();
    if (!takeValue(args, i, QStringLiteral("--layout"), value, matched)) return false;
    if (matched) {
        if (value != QLatin1String("rows") && value != QLatin1String("columns")) return false;
        parsed.columns = value == QLatin1String("columns");
        return true;
    }
    if (!takeValue(args, i, QStringLiteral("--label-interval"), value, matched)) return false;
    if (matched) {
        if (!CbasGeneral::IsNumeric(value)) return false;
        parsed.labelInterval = value;
        return true;
    }
    if (!takeValue(args, i, QStringLiteral("--class"), value, matched)) return false;
    if (matched) parsed.classes << value;
    return matched;
}

bool parseArguments(const QStringList& args, OutputArguments& parsed)
{
    for (int i = 0; i < args.size(); ++i) {
        if (args[i].startsWith(QLatin1String("--"))) {
            if (!parseOption(args, i, parsed)) return false;
        } else {
            parsed.positional << args[i];
        }
    }
    return parsed.positional.size() == 3;
}

// The data types each file type writes; any other pair the dialog would not keep.
bool consistent(const basExport::OutputOptions& options)
{
    switch (options.fileType) {
        case basExport::FileHtml:
            return options.dataType <= 2 || options.dataType == basExport::DataLegAnalysis ||
                   options.dataType == basExport::DataViewer;
        case basExport::FileCsv:
            return options.dataType <= 3 || options.dataType == basExport::DataSums;
        default:
            return options.dataType == basExport::DataMail;
    }
}

// The options as the dialog would hold them after these choices; no value for a combination
// the dialog would change.
std::optional<basExport::OutputOptions> chosenOptions(const OutputArguments& parsed)
{
    basExport::OutputOptions options = basExport::InitialOutputOptions(parsed.positional[1]);
    options.fileName = parsed.positional[2];
    if (parsed.fileType) options.chooseFileType(*parsed.fileType);
    if (parsed.dataType) options.chooseDataType(*parsed.dataType);
    if (parsed.fileType && options.fileType != *parsed.fileType) return std::nullopt;
    if (parsed.dataType && options.dataType != *parsed.dataType) return std::nullopt;
    if (!consistent(options)) return std::nullopt;
    if (parsed.oneFile) options.chooseOneFile(true);
    if (parsed.columns) options.columns = *parsed.columns;
    if (parsed.noLowerCase) options.lowerCase = false;
    if (parsed.noIndex) options.index = false;
    if (parsed.forExcel) options.chooseForExcel(true, basExport::LabelSpinInitial);
    if (parsed.labelInterval) options.labelText = *parsed.labelInterval;
    return options;
}

}  // namespace

int RunOutput(const QStringList& args, Console& console)
{
    const Command& command = *FindCommand(QStringLiteral("output"));
    OutputArguments parsed;
    if (!parseArguments(args, parsed)) return UsageError(command, console);
    if (!chosenOptions(parsed)) {
        console.err << "出力内容と出力形式の組み合わせが正しくありません\n";
        return UsageError(command, console);
    }
    if (int status = LoadRace(parsed.positional[0], console); status != ExitDone) return status;
    // Chosen again with the race loaded: the year prefix comes from its date.
    const std::optional<basExport::OutputOptions> options = chosenOptions(parsed);

    // --class takes a class name or its list entry ("名称未設定" for the unnamed class).
    const QStringList entries = basExport::ClassListEntries();
    const QStringList names = basDefinition::ClassList.names();
    for (const QString& wanted : parsed.classes) {
        if (!entries.contains(wanted) && !names.contains(wanted)) {
            console.err << "クラスがありません: " << wanted << "\n";
            return ExitUsage;
        }
    }
    QStringList selected;
    for (int i = 0; i < entries.size(); ++i)
        if (parsed.classes.isEmpty() || parsed.classes.contains(entries[i]) ||
            parsed.classes.contains(names[i]))
            selected << entries[i];
    const basExport::OutputReport report = basExport::OutputFiles(*options, selected);
    for (const QString& path : report.written) console.out << path << "\n";
    return report.failed ? ExitFailed : ExitDone;
}

}  // namespace cli
