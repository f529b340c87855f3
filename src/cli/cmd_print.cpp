// splitduel-cli print RACE OUT.pdf [options]: the split sheets of the race, as the print tab
// prints them with the same settings and the layout keys of the settings file, into a PDF.
#include "cli/commands.h"
#include "printing/papers.h"
#include "printing/pdfdevice.h"
#include "printing/splitsheets.h"
#include "race/race.h"
#include "race/textutil.h"
#include "shell/inifile.h"
#include "shell/settings.h"

#include <QDir>
#include <QFile>

#include <memory>

namespace cli {
namespace {

struct PrintArguments {
    QString racePath, pdfPath;
    SplitSheetJob job;
    QStringList classes;
};

int paperCode(const QString& name)
{
    const struct {
        const char* name;
        int code;
    } papers[] = {{"A3", 8}, {"A4", 9}, {"A5", 11}, {"B4", 12}, {"B5", 13}};
    for (const auto& p : papers)
        if (name.compare(QLatin1String(p.name), Qt::CaseInsensitive) == 0) return p.code;
    return 0;
}

// A number option's value: the whole text must be a number.
bool numberValue(const QString& text, double& value)
{
    if (!CbasGeneral::IsNumeric(text)) return false;
    value = CbasGeneral::Val(text);
    return true;
}

bool parseArguments(const QStringList& args, PrintArguments& parsed)
{
    QStringList paths;
    for (int i = 0; i < args.size(); ++i) {
        const QString& word = args[i];
        auto value = [&](QString& out) {
            if (i + 1 >= args.size()) return false;
            out = args[++i];
            return true;
        };
        QString v;
        double number = 0;
        if (word == QLatin1String("--landscape")) {
            parsed.job.Orientation = 2;
        } else if (word == QLatin1String("--no-page-per-class")) {
            parsed.job.EachClass = false;
        } else if (word == QLatin1String("--data-type")) {
            if (!value(v) || !numberValue(v, number) || number < 0 || number > 3 ||
                number != int(number))
                return false;
            parsed.job.DataType = int(number);
        } else if (word == QLatin1String("--paper")) {
            if (!value(v) || (parsed.job.PaperCode = paperCode(v)) == 0) return false;
        } else if (word == QLatin1String("--zoom")) {
            if (!value(v) || !numberValue(v, number) || number <= 0) return false;
            parsed.job.Zoom = number / 100;
        } else if (word == QLatin1String("--margin-top")) {
            if (!value(v) || !numberValue(v, parsed.job.MarginTop)) return false;
        } else if (word == QLatin1String("--margin-left")) {
            if (!value(v) || !numberValue(v, parsed.job.MarginLeft)) return false;
        } else if (word == QLatin1String("--class")) {
            if (!value(v)) return false;
            parsed.classes << v;
        } else if (word.startsWith(QLatin1String("--"))) {
            return false;
        } else {
            paths << word;
        }
    }
    if (paths.size() != 2) return false;
    parsed.racePath = paths[0];
    parsed.pdfPath = paths[1];
    return true;
}

// The settings file of the program when there is one; it is only read.
std::unique_ptr<IniFile> openSettings()
{
    const QString path =
        QDir(basSettings::SettingsFolder()).filePath(QStringLiteral("SplitDuel.ini"));
    if (!QFile::exists(path)) return nullptr;
    auto file = std::make_unique<IniFile>();
    file->setFileName(path);
    return file;
}

}  // namespace

int RunPrint(const QStringList& args, Console& console)
{
    PrintArguments parsed;
    if (!parseArguments(args, parsed))
        return UsageError(*FindCommand(QStringLiteral("print")), console);
    if (int status = LoadRace(parsed.racePath, console); status != ExitDone) return status;

    const ClassCollection& classes = basDefinition::ClassList;
    for (const QString& name : parsed.classes) {
        if (!classes.contains(name)) {
            console.err << "クラスがありません: " << name << "\n";
            return ExitUsage;
        }
        parsed.job.Classes << classes.find(name)->ClassName;
    }
    if (parsed.classes.isEmpty()) parsed.job.Classes = classes.names();
    if (parsed.job.Classes.isEmpty()) {
        console.err << "印刷するクラスがありません\n";
        return ExitFailed;
    }

    const std::unique_ptr<IniFile> settings = openSettings();
    parsed.job.Settings = [&settings](const QString& key) {
        return settings ? settings->Item(key) : QString();
    };
    PdfPrintDevice pdf(parsed.pdfPath);
    if (!CbasPrinter::PrintSplitSheets(parsed.job, pdf) || !QFile::exists(parsed.pdfPath)) {
        console.err << "ファイルを保存できませんでした: " << parsed.pdfPath << "\n";
        return ExitFailed;
    }
    return ExitDone;
}

}  // namespace cli
