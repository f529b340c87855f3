#include "reports/outputoptions.h"

#include "race/basicformat.h"
#include "race/filenameparts.h"
#include "race/race.h"
#include "race/textutil.h"

namespace basExport {

namespace {
using Data = OutputDataType;
using File = OutputFileType;
}  // namespace

std::optional<OutputDataType> DataTypeAt(int index)
{
    if (index < 0 || index >= DataTypeCount) return std::nullopt;
    return static_cast<OutputDataType>(index);
}

std::optional<OutputFileType> FileTypeAt(int index)
{
    if (index < 0 || index >= FileTypeCount) return std::nullopt;
    return static_cast<OutputFileType>(index);
}

QStringList DataTypeCaptions()
{
    return {QStringLiteral("ラップタイム"), QStringLiteral("ラップタイム + 積算タイム"),
            QStringLiteral("解析データ"),   QStringLiteral("SplitsBrowser用"),
            QStringLiteral("レッグ分析"),   QStringLiteral("積算タイム"),
            QStringLiteral("電子メール用"), QStringLiteral("分析ビューア (HTML)")};
}

QStringList FileTypeCaptions()
{
    return {QStringLiteral("HTML形式"), QStringLiteral("CSV形式"), QStringLiteral("TEXT形式")};
}

bool OutputOptions::Offers(OutputFileType fileType, OutputDataType dataType)
{
    switch (dataType) {
        case Data::Laps:
        case Data::LapsAndSums:
        case Data::Analysis:
            return fileType == File::Html || fileType == File::Csv;
        case Data::LegAnalysis:
        case Data::Viewer:
            return fileType == File::Html;
        case Data::SplitsBrowser:
        case Data::Sums:
            return fileType == File::Csv;
        case Data::Mail:
            return fileType == File::Text;
    }
    return false;
}

void OutputOptions::chooseDataType(OutputDataType type)
{
    chosenDataType = type;
    applyDataType(type);
}

// A choice made inside another choice's reaction counts only when it changes the value, as a
// list whose selection is set to the entry it already shows does not react.
void OutputOptions::applyDataType(OutputDataType type)
{
    dataType = type;
    switch (type) {
        case Data::SplitsBrowser:
            if (fileType != File::Csv) chooseFileType(File::Csv);
            csvPanelVisible = false;
            extension = QStringLiteral(".csv");
            wildcard.clear();
            break;
        case Data::Sums:
            if (fileType != File::Csv) chooseFileType(File::Csv);
            chooseOneFile(false);
            csvPanelVisible = false;
            extension = QStringLiteral(".csv");
            break;
        case Data::LegAnalysis:
            if (fileType != File::Html) chooseFileType(File::Html);
            extension = QStringLiteral(".htm");
            wildcard = QStringLiteral("_leg_*");
            forExcel = false;
            forExcelEnabled = false;
            labelEnabled = false;
            break;
        case Data::Viewer:
            // One page of every chosen class, named after the race: "<name>_viewer.html".
            if (fileType != File::Html) chooseFileType(File::Html);
            extension = QStringLiteral(".html");
            wildcard = QStringLiteral("_viewer");
            forExcel = false;
            forExcelEnabled = false;
            labelEnabled = false;
            break;
        case Data::Mail:
            if (fileType != File::Text) chooseFileType(File::Text);
            htmlPanelVisible = false;
            csvPanelVisible = false;
            extension = QStringLiteral(".txt");
            chooseOneFile(false);
            break;
        case Data::Laps:
        case Data::LapsAndSums:
        case Data::Analysis:
            htmlPanelVisible = fileType == File::Html;
            csvPanelVisible = fileType == File::Csv;
            wildcard = QStringLiteral("_*");
            forExcelEnabled = true;
            labelEnabled = true;
            break;
    }
}

// The data type the user chose comes back when the new file type can write it; otherwise the
// data type shown stays when it can, and falls back to the type's first one when it cannot.
OutputDataType OutputOptions::dataTypeFor(OutputFileType type) const
{
    if (Offers(type, chosenDataType)) return chosenDataType;
    if (Offers(type, dataType)) return dataType;
    return type == File::Text ? Data::Mail : Data::Laps;
}

void OutputOptions::chooseFileType(OutputFileType type)
{
    fileType = type;
    const OutputDataType wanted = dataTypeFor(type);
    switch (type) {
        case File::Html:
            extension = QStringLiteral(".htm");
            wildcard = QStringLiteral("_*");
            if (wanted != dataType) applyDataType(wanted);
            htmlPanelVisible = true;
            csvPanelVisible = false;
            lowerCase = true;
            if (dataType == Data::Viewer) applyDataType(Data::Viewer);  // keeps the viewer's name
            break;
        case File::Csv: {
            extension = QStringLiteral(".csv");
            wildcard = dataType == Data::SplitsBrowser ? QString() : QStringLiteral("_*");
            if (wanted != dataType) applyDataType(wanted);
            const bool noPanel = dataType == Data::SplitsBrowser || dataType == Data::Sums;
            htmlPanelVisible = false;
            csvPanelVisible = !noPanel;
            lowerCase = false;
            break;
        }
        case File::Text:
            extension = QStringLiteral(".txt");
            wildcard = QStringLiteral("_*");
            if (wanted != dataType) applyDataType(wanted);
            htmlPanelVisible = false;
            csvPanelVisible = false;
            lowerCase = false;
            break;
    }
}

void OutputOptions::chooseOneFile(bool on)
{
    if (oneFile == on) return;
    oneFile = on;
    wildcard = on ? QString() : QStringLiteral("_*");
}

void OutputOptions::chooseForExcel(bool on, int spinValue)
{
    forExcel = on;
    labelEnabled = on;
    if (on && labelText.isEmpty()) labelText = QString::number(spinValue);
}

int OutputOptions::labelInterval() const
{
    if (!forExcel) return 0;
    const double value = CbasGeneral::Val(labelText);
    return value > 0 && value < 1000 ? static_cast<int>(value) : 0;
}

QString OutputOptions::nameTemplate() const
{
    // Only the wildcard's "*" stands for the class: one typed into the file name (or the
    // extension) is a character of the name, written "_" as no file name should hold it.
    QString name = yearPrefix + fileName;
    QString ext = extension;
    return name.replace(QLatin1Char('*'), QLatin1Char('_')) + wildcard +
           ext.replace(QLatin1Char('*'), QLatin1Char('_'));
}

OutputOptions InitialOutputOptions(const RaceHeader& race, const QString& folder)
{
    OutputOptions options;
    options.chooseDataType(Data::Analysis);
    options.chooseFileType(File::Html);
    options.extension = QStringLiteral(".htm");
    options.folder = folder;
    options.yearPrefix =
        race.hasDate()
            ? CbasGeneral::FormatDate(race.RaceDate, QStringLiteral("yy")) + QLatin1Char('_')
            : QString();
    // The race name enters the file names as every name from race data does.
    options.fileName = CbasGeneral::NameForFileName(race.RaceName);
    return options;
}

std::optional<OutputDataType> ScriptPageDataType(const QString& keyword)
{
    const QString upper = keyword.toUpper();
    if (upper == QLatin1String("HTML")) return Data::Analysis;
    if (upper == QLatin1String("LEG")) return Data::LegAnalysis;
    return std::nullopt;
}

OutputOptions ScriptPageOptions(OutputOptions fresh, OutputDataType dataType, const QString& folder,
                                const QString& fileName)
{
    fresh.chooseFileType(File::Html);
    fresh.chooseDataType(dataType);
    fresh.extension = QStringLiteral(".htm");
    fresh.folder = folder;
    fresh.fileName = fileName;
    return fresh;
}

QStringList ClassListEntries(const ClassCollection& classes)
{
    QStringList entries;
    for (const QString& name : classes.names()) entries << basDefinition::ClassListEntry(name);
    return entries;
}

}  // namespace basExport
