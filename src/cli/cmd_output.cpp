// splitduel-cli output RACE FOLDER NAME [options]: the output dialog's file output without the
// dialog. The options start as a freshly loaded dialog has them; the file type, then the data
// type are chosen as in the dialog (each changing the others the same way), then the flags.
#include "cli/commands.h"
#include "config/settings.h"
#include "race/race.h"
#include "reports/outputrun.h"

#include <algorithm>
#include <optional>

namespace cli {
namespace {

const QString kDataType = QStringLiteral("--data-type");
const QString kFileType = QStringLiteral("--file-type");
const QString kOneFile = QStringLiteral("--one-file");
const QString kLayout = QStringLiteral("--layout");
const QString kNoLowerCase = QStringLiteral("--no-lower-case");
const QString kNoIndex = QStringLiteral("--no-index");
const QString kForExcel = QStringLiteral("--for-excel");
const QString kLabelInterval = QStringLiteral("--label-interval");
const QString kClass = QStringLiteral("--class");

// The file types by their option words, in the dialog's order.
const QStringList kFileTypeWords{QStringLiteral("html"), QStringLiteral("csv"),
                                 QStringLiteral("text")};

using basExport::OutputDataType;
using basExport::OutputFileType;

// The options as the dialog would hold them after choosing these types (none for a type not
// chosen); no value for a combination the dialog would change or could not write.
std::optional<basExport::OutputOptions> chosenTypes(basExport::OutputOptions options,
                                                    std::optional<OutputFileType> fileType,
                                                    std::optional<OutputDataType> dataType)
{
    if (fileType) options.chooseFileType(*fileType);
    if (dataType) options.chooseDataType(*dataType);
    if (fileType && options.fileType != *fileType) return std::nullopt;
    if (dataType && options.dataType != *dataType) return std::nullopt;
    if (!basExport::OutputOptions::Offers(options.fileType, options.dataType)) return std::nullopt;
    return options;
}

// "html: 0, 1, 2, 4 / csv: …": the data types the dialog keeps with each file type.
QString keptPairs()
{
    QStringList kinds;
    for (int fileType = 0; fileType < basExport::FileTypeCount; ++fileType) {
        QStringList dataTypes;
        for (int dataType = 0; dataType < basExport::DataTypeCount; ++dataType)
            if (chosenTypes(basExport::OutputOptions(), basExport::FileTypeAt(fileType),
                            basExport::DataTypeAt(dataType)))
                dataTypes << QString::number(dataType);
        kinds << kFileTypeWords[fileType] + QStringLiteral(": ") +
                     dataTypes.join(QStringLiteral(", "));
    }
    return kinds.join(QStringLiteral(" / "));
}

// The options as the dialog would hold them after these choices; no value for a combination
// the dialog would change. The race header gives the year prefix.
std::optional<basExport::OutputOptions> chosenOptions(const Arguments& args, const RaceHeader& race)
{
    basExport::OutputOptions initial = basExport::InitialOutputOptions(race, args.positional[1]);
    initial.fileName = args.positional[2];
    initial.homePageUrl = basSettings::StoredSetting(QStringLiteral("HomePageUrl"));
    // Both checked by their options: a word of the list, a number of the data types.
    const std::optional<OutputFileType> fileType =
        args.isSet(kFileType)
            ? basExport::FileTypeAt(static_cast<int>(kFileTypeWords.indexOf(args.value(kFileType))))
            : std::nullopt;
    const std::optional<OutputDataType> dataType =
        args.isSet(kDataType) ? basExport::DataTypeAt(static_cast<int>(args.number(kDataType)))
                              : std::nullopt;
    std::optional<basExport::OutputOptions> options = chosenTypes(initial, fileType, dataType);
    if (!options) return std::nullopt;
    if (args.isSet(kOneFile)) options->chooseOneFile(true);
    if (args.isSet(kLayout)) options->columns = args.value(kLayout) == QLatin1String("columns");
    if (args.isSet(kNoLowerCase)) options->lowerCase = false;
    if (args.isSet(kNoIndex)) options->index = false;
    if (args.isSet(kForExcel)) options->chooseForExcel(true, basExport::LabelSpinInitial);
    if (args.isSet(kLabelInterval)) options->labelText = args.value(kLabelInterval);
    return options;
}

int run(const Arguments& args, Console& console)
{
    if (!chosenOptions(args, RaceHeader())) {
        QStringList given;
        for (const QString& option : {kDataType, kFileType})
            if (args.isSet(option)) given << option << args.value(option);
        return UsageError(OutputCommand(), console,
                          QStringLiteral("出力内容と出力形式の組み合わせが正しくありません: %1 "
                                         "(出力形式ごとの出力内容: %2)")
                              .arg(given.join(QLatin1Char(' ')), keptPairs()));
    }
    Race race;
    if (int status = LoadRace(args.positional[0], args, console, race); status != ExitDone)
        return status;
    // Chosen again with the race loaded: the year prefix comes from its date.
    const std::optional<basExport::OutputOptions> options = chosenOptions(args, race.RaceInfo);
    const auto wanted = FindClasses(race.ClassList, args.values(kClass), console);
    if (!wanted) return ExitUsage;

    // The list entries of the classes asked for, in class order.
    const QStringList entries = basExport::ClassListEntries(race.ClassList);
    QStringList selected;
    for (int i = 0; i < entries.size(); ++i) {
        const clsClassData* cls = &race.ClassList.at(i + 1);
        if (wanted->empty() || std::count(wanted->begin(), wanted->end(), cls))
            selected << entries[i];
    }
    const basExport::OutputReport report = basExport::OutputFiles(race, *options, selected);
    for (const QString& path : report.written) console.out << path << "\n";
    return report.failed ? ExitFailed : ExitDone;
}

}  // namespace

const Command& OutputCommand()
{
    static const Command command{
        "output",
        {QStringLiteral("RACE"), QStringLiteral("FOLDER"), QStringLiteral("NAME")},
        {WholeNumberOption(kDataType, 0, basExport::DataTypeCount - 1),
         ChoiceOption(kFileType, kFileTypeWords), Flag(kOneFile),
         ChoiceOption(kLayout, {QStringLiteral("rows"), QStringLiteral("columns")}),
         Flag(kNoLowerCase), Flag(kNoIndex), Flag(kForExcel),
         NumberOption(kLabelInterval, QStringLiteral("K")),
         TextOption(kClass, QStringLiteral("NAME"), true)},
        "出力ダイアログと同じ設定でHTML・CSV・TEXTファイルを出力します",
        run};
    return command;
}

}  // namespace cli
