#pragma once
// The settings of one output run, as the output dialog's file tab holds them, and the rules by
// which a choice of data type, file type or one-file mode changes the other settings. The
// dialog and the command line share them, so both reach the same state from the same choices.
#include "race/racevalue.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace basExport {

// The data types in the order of the dialog's list; the number of each is its place there, as
// the command line's --data-type gives it.
enum class OutputDataType {
    Laps = 0,           // "ラップタイム"
    LapsAndSums = 1,    // "ラップタイム + 積算タイム"
    Analysis = 2,       // "解析データ"
    SplitsBrowser = 3,  // "SplitsBrowser用"
    LegAnalysis = 4,    // "レッグ分析"
    Sums = 5,           // "積算タイム"
    Mail = 6,           // "電子メール用"
    Viewer = 7,         // "分析ビューア (HTML)": the whole race in one interactive page
};
constexpr int DataTypeCount = 8;
// The file types in the order of the dialog's list.
enum class OutputFileType { Html = 0, Csv = 1, Text = 2 };
constexpr int FileTypeCount = 3;

// The data type or file type at a place of its list; none for a number outside the list.
std::optional<OutputDataType> DataTypeAt(int index);
std::optional<OutputFileType> FileTypeAt(int index);

// The first value of the label interval spin button.
constexpr int LabelSpinInitial = 5;

// The captions of the data types and file types, in list order.
QStringList DataTypeCaptions();
QStringList FileTypeCaptions();

struct OutputOptions {
    OutputDataType dataType = OutputDataType::Analysis;
    OutputFileType fileType = OutputFileType::Html;
    QString folder;
    QString yearPrefix;  // "yy_" of the race date, or empty
    QString fileName;    // middle part of the file names
    QString wildcard = QStringLiteral("_*");
    QString extension = QStringLiteral(".htm");
    bool lowerCase = true;
    bool forExcel = false;
    QString labelText;  // the label interval box; its leading number counts
    bool index = true;
    bool oneFile = false;
    bool columns = true;  // runners as columns ("縦"); false: as rows ("横")
    // The address the footer of the results pages links to (settings key "HomePageUrl");
    // empty: the footer shows its text without a link.
    QString homePageUrl;
    // What the dialog shows and enables.
    bool htmlPanelVisible = true;
    bool csvPanelVisible = false;
    bool forExcelEnabled = true;
    bool labelEnabled = false;

    // The data type the user chose last. A file type that cannot write the data type shown
    // changes it, but a later file type that can write the chosen one brings it back.
    OutputDataType chosenDataType = OutputDataType::Analysis;

    // The choices and what each changes.
    void chooseDataType(OutputDataType type);
    void chooseFileType(OutputFileType type);
    void chooseOneFile(bool on);
    void chooseForExcel(bool on, int spinValue);

    // Whether the file type can write the data type: HTML the lap tables, leg analysis and viewer,
    // CSV the lap tables, SplitsBrowser and elapsed times, TEXT the e-mail text only.
    static bool Offers(OutputFileType fileType, OutputDataType dataType);

    // The label interval of the results pages: the interval box's number with for-Excel, else 0.
    int labelInterval() const;
    // The file-name template: year prefix, file name, wildcard and extension. Its one "*" is
    // the wildcard's; a "*" of the other parts becomes "_".
    QString nameTemplate() const;

private:
    // The reactions to a data type, whether chosen or set by a file type.
    void applyDataType(OutputDataType type);
    // The data type a change to the file type leaves: the chosen one, the one shown, or the
    // file type's first.
    OutputDataType dataTypeFor(OutputFileType fileType) const;
};

// A freshly loaded dialog for the race: the analysis data type as HTML, the year prefix and the
// race name as it enters a file name (CbasGeneral::NameForFileName); the folder is the caller's.
OutputOptions InitialOutputOptions(const RaceHeader& race, const QString& folder);
// The data type of a script's command in any letter case: "HTML" the results pages (Analysis),
// "LEG" the leg pages (LegAnalysis); none for any other command.
std::optional<OutputDataType> ScriptPageDataType(const QString& keyword);
// The options a freshly loaded dialog (fresh) holds once a script's HTML or LEG command has set
// it: HTML as the file type, then the command's data type, ".htm", and the command's folder and
// file name.
OutputOptions ScriptPageOptions(OutputOptions fresh, OutputDataType dataType, const QString& folder,
                                const QString& fileName);
// The entries of the class lists: basDefinition::ClassListEntry of every class name.
QStringList ClassListEntries(const ClassCollection& classes);

}  // namespace basExport
