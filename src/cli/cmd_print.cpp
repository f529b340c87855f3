// splitduel-cli print RACE OUT.pdf [options]: the split sheets of the race, as the print tab
// prints them with the same settings and the layout keys of the settings file, into a PDF.
#include "cli/commands.h"
#include "config/inifile.h"
#include "config/settings.h"
#include "printing/papers.h"
#include "printing/pdfdevice.h"
#include "printing/printdatatype.h"
#include "printing/splitsheets.h"
#include "race/race.h"

#include <QFile>

#include <memory>

namespace cli {
namespace {

const QString kDataType = QStringLiteral("--data-type");
const QString kPaper = QStringLiteral("--paper");
const QString kLandscape = QStringLiteral("--landscape");
const QString kZoom = QStringLiteral("--zoom");
const QString kMarginTop = QStringLiteral("--margin-top");
const QString kMarginLeft = QStringLiteral("--margin-left");
const QString kNoPagePerClass = QStringLiteral("--no-page-per-class");
const QString kClass = QStringLiteral("--class");

// The print job of the options, the classes left to the caller.
SplitSheetJob jobOf(const Arguments& args)
{
    SplitSheetJob job;
    // The option takes only the numbers of the list.
    if (args.isSet(kDataType))
        job.DataType = CbasPrinter::PrintDataTypeAt(static_cast<int>(args.number(kDataType)))
                           .value_or(CbasPrinter::PrintDataType::Laps);
    if (args.isSet(kPaper)) job.PaperCode = CbasPrinter::ListedPaperCode(args.value(kPaper));
    if (args.isSet(kLandscape)) job.Orientation = PaperOrientation::Landscape;
    if (args.isSet(kZoom)) job.Zoom = args.number(kZoom) / 100;
    if (args.isSet(kMarginTop)) job.MarginTop = args.number(kMarginTop);
    if (args.isSet(kMarginLeft)) job.MarginLeft = args.number(kMarginLeft);
    if (args.isSet(kNoPagePerClass)) job.EachClass = false;
    return job;
}

// The settings file of the program when there is one; it is only read.
std::unique_ptr<IniFile> openSettings()
{
    const QString path = basSettings::SettingsFilePath();
    if (!QFile::exists(path)) return nullptr;
    auto file = std::make_unique<IniFile>();
    file->setFileName(path);
    return file;
}

int run(const Arguments& args, Console& console)
{
    const QString& pdfPath = args.positional[1];
    Race race;
    if (int status = LoadRace(args.positional[0], args, console, race); status != ExitDone)
        return status;
    const auto classes = FindClasses(race.ClassList, args.values(kClass), console);
    if (!classes) return ExitUsage;

    SplitSheetJob job = jobOf(args);
    for (const clsClassData* cls : *classes) job.Classes << cls->ClassName;
    if (classes->empty()) job.Classes = race.ClassList.names();
    if (job.Classes.isEmpty()) {
        console.err << "印刷するクラスがありません\n";
        return ExitFailed;
    }
    const std::unique_ptr<IniFile> settings = openSettings();
    job.Settings = [&settings](const QString& key) {
        return settings ? settings->Item(key) : QString();
    };
    PdfPrintDevice pdf(pdfPath);
    if (!CbasPrinter::PrintSplitSheets(race, job, pdf) || !QFile::exists(pdfPath)) {
        console.err << "ファイルを保存できませんでした: " << pdfPath << "\n";
        return ExitFailed;
    }
    return ExitDone;
}

}  // namespace

const Command& PrintCommand()
{
    static const Command command{
        "print",
        {QStringLiteral("RACE"), QStringLiteral("OUT.pdf")},
        {WholeNumberOption(kDataType, 0, int(CbasPrinter::PrintDataTypeNames().size()) - 1),
         ChoiceOption(kPaper, CbasPrinter::ListedPaperNames(), Qt::CaseInsensitive),
         Flag(kLandscape),
         NumberOption(kZoom, QStringLiteral("PERCENT"), QStringLiteral("0 より大きい数"),
                      [](double zoom) { return zoom > 0; }),
         NumberOption(kMarginTop, QStringLiteral("MM")),
         NumberOption(kMarginLeft, QStringLiteral("MM")), Flag(kNoPagePerClass),
         TextOption(kClass, QStringLiteral("NAME"), true)},
        "速報向けの成績表 (印刷タブと同じ配置) をPDFファイルに出力します",
        run};
    return command;
}

}  // namespace cli
