#include "reports/outputoptions.h"

#include "race/basicformat.h"
#include "race/filenameparts.h"
#include "race/race.h"
#include "race/textutil.h"

namespace basExport {

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

bool OutputOptions::Offers(int fileType, int dataType)
{
    switch (fileType) {
        case FileHtml:
            return dataType == DataLaps || dataType == DataLapsAndSums ||
                   dataType == DataAnalysis || dataType == DataLegAnalysis ||
                   dataType == DataViewer;
        case FileCsv:
            return dataType == DataLaps || dataType == DataLapsAndSums ||
                   dataType == DataAnalysis || dataType == DataSplitsBrowser ||
                   dataType == DataSums;
        default:
            return dataType == DataMail;
    }
}

void OutputOptions::chooseDataType(int type)
{
    chosenDataType = type;
    applyDataType(type);
}

// A choice made inside another choice's reaction counts only when it changes the value, as a
// list whose selection is set to the entry it already shows does not react.
void OutputOptions::applyDataType(int type)
{
    dataType = type;
    switch (type) {
        case DataSplitsBrowser:
            if (fileType != FileCsv) chooseFileType(FileCsv);
            csvPanelVisible = false;
            extension = QStringLiteral(".csv");
            wildcard.clear();
            break;
        case DataSums:
            if (fileType != FileCsv) chooseFileType(FileCsv);
            chooseOneFile(false);
            csvPanelVisible = false;
            extension = QStringLiteral(".csv");
            break;
        case DataLegAnalysis:
            if (fileType != FileHtml) chooseFileType(FileHtml);
            extension = QStringLiteral(".htm");
            wildcard = QStringLiteral("_leg_*");
            forExcel = false;
            forExcelEnabled = false;
            labelEnabled = false;
            break;
        case DataViewer:
            // One page of every chosen class, named after the race: "<name>_viewer.html".
            if (fileType != FileHtml) chooseFileType(FileHtml);
            extension = QStringLiteral(".html");
            wildcard = QStringLiteral("_viewer");
            forExcel = false;
            forExcelEnabled = false;
            labelEnabled = false;
            break;
        case DataMail:
            if (fileType != FileText) chooseFileType(FileText);
            htmlPanelVisible = false;
            csvPanelVisible = false;
            extension = QStringLiteral(".txt");
            chooseOneFile(false);
            break;
        default:
            htmlPanelVisible = fileType == FileHtml;
            csvPanelVisible = fileType == FileCsv;
            wildcard = QStringLiteral("_*");
            forExcelEnabled = true;
            labelEnabled = true;
            break;
    }
}

// The data type the user chose comes back when the new file type can write it; otherwise the
// data type shown stays when it can, and falls back to the type's first one when it cannot.
int OutputOptions::dataTypeFor(int type) const
{
    if (Offers(type, chosenDataType)) return chosenDataType;
    if (Offers(type, dataType)) return dataType;
    return type == FileText ? DataMail : DataLaps;
}

void OutputOptions::chooseFileType(int type)
{
    fileType = type;
    const int wanted = dataTypeFor(type);
    switch (type) {
        case FileHtml:
            extension = QStringLiteral(".htm");
            wildcard = QStringLiteral("_*");
            if (wanted != dataType) applyDataType(wanted);
            htmlPanelVisible = true;
            csvPanelVisible = false;
            lowerCase = true;
            if (dataType == DataViewer) applyDataType(DataViewer);  // keeps the viewer's name
            break;
        case FileCsv: {
            extension = QStringLiteral(".csv");
            wildcard = dataType == DataSplitsBrowser ? QString() : QStringLiteral("_*");
            if (wanted != dataType) applyDataType(wanted);
            const bool noPanel = dataType == DataSplitsBrowser || dataType == DataSums;
            htmlPanelVisible = false;
            csvPanelVisible = !noPanel;
            lowerCase = false;
            break;
        }
        default:
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

OutputOptions InitialOutputOptions(const QString& folder)
{
    OutputOptions options;
    options.chooseDataType(DataAnalysis);
    options.chooseFileType(FileHtml);
    options.extension = QStringLiteral(".htm");
    options.folder = folder;
    const RaceHeader& race = basDefinition::RaceInfo;
    options.yearPrefix =
        race.hasDate()
            ? CbasGeneral::FormatDate(race.RaceDate, QStringLiteral("yy")) + QLatin1Char('_')
            : QString();
    // The race name enters the file names as every name from race data does.
    options.fileName = CbasGeneral::NameForFileName(race.RaceName);
    return options;
}

OutputOptions ScriptPageOptions(OutputOptions fresh, int dataType, const QString& folder,
                                const QString& fileName)
{
    fresh.chooseFileType(FileHtml);
    fresh.chooseDataType(dataType);
    fresh.extension = QStringLiteral(".htm");
    fresh.folder = folder;
    fresh.fileName = fileName;
    return fresh;
}

QStringList ClassListEntries()
{
    QStringList entries;
    for (const QString& name : basDefinition::ClassList.names())
        entries << basDefinition::ClassListEntry(name);
    return entries;
}

}  // namespace basExport
