// The data types and file types of the output dialog: each at its place of the dialog's lists
// (the number the command line and the settings use), the pairs that can be written, and the
// types of the script commands HTML and LEG.
#include "reports/outputoptions.h"

#include <gtest/gtest.h>

using basExport::OutputDataType;
using basExport::OutputFileType;
using basExport::OutputOptions;

namespace {

// Every place of the lists stands for one type and back; there is a caption for each.
TEST(OutputTypes, EachTypeIsAtItsPlaceOfTheList)
{
    ASSERT_EQ(basExport::DataTypeCaptions().size(), basExport::DataTypeCount);
    ASSERT_EQ(basExport::FileTypeCaptions().size(), basExport::FileTypeCount);
    for (int index = 0; index < basExport::DataTypeCount; ++index)
        EXPECT_EQ(static_cast<int>(basExport::DataTypeAt(index).value()), index);
    for (int index = 0; index < basExport::FileTypeCount; ++index)
        EXPECT_EQ(static_cast<int>(basExport::FileTypeAt(index).value()), index);
    for (int outside : {-1, basExport::DataTypeCount}) EXPECT_FALSE(basExport::DataTypeAt(outside));
    for (int outside : {-1, basExport::FileTypeCount}) EXPECT_FALSE(basExport::FileTypeAt(outside));
    EXPECT_EQ(basExport::DataTypeCaptions()[static_cast<int>(OutputDataType::Viewer)],
              QStringLiteral("分析ビューア (HTML)"));
    EXPECT_EQ(basExport::FileTypeCaptions()[static_cast<int>(OutputFileType::Text)],
              QStringLiteral("TEXT形式"));
}

// What each file type writes, by the numbers of the data types.
TEST(OutputTypes, EachFileTypeWritesItsDataTypes)
{
    const char* const offered[] = {"0 1 2 4 7", "0 1 2 3 5", "6"};
    for (int file = 0; file < basExport::FileTypeCount; ++file) {
        QStringList numbers;
        for (int data = 0; data < basExport::DataTypeCount; ++data)
            if (OutputOptions::Offers(*basExport::FileTypeAt(file), *basExport::DataTypeAt(data)))
                numbers << QString::number(data);
        EXPECT_EQ(numbers.join(' '), QString::fromLatin1(offered[file])) << file;
    }
}

// HTML and LEG in any letter case choose the results pages or the leg pages as HTML files
// named ".htm" after the command's name; any other command chooses nothing.
TEST(OutputTypes, ScriptPageCommandsChooseTheirPages)
{
    const struct {
        const char* keyword;
        std::optional<OutputDataType> type;
        const char* wildcard;
    } cases[] = {
        {"HTML", OutputDataType::Analysis, "_*"}, {"leg", OutputDataType::LegAnalysis, "_leg_*"},
        {"Html", OutputDataType::Analysis, "_*"}, {"CHART", std::nullopt, nullptr},
        {"HTM", std::nullopt, nullptr},
    };
    for (const auto& c : cases) {
        const auto type = basExport::ScriptPageDataType(QString::fromLatin1(c.keyword));
        EXPECT_EQ(type, c.type) << c.keyword;
        if (!type) continue;
        // From the state a person left the dialog in: CSV of cumulative times, one file.
        OutputOptions left;
        left.chooseFileType(OutputFileType::Csv);
        left.chooseDataType(OutputDataType::Sums);
        left.chooseOneFile(true);
        const OutputOptions o = basExport::ScriptPageOptions(left, *type, "/web", "live");
        EXPECT_EQ(o.fileType, OutputFileType::Html) << c.keyword;
        EXPECT_EQ(o.dataType, *type) << c.keyword;
        EXPECT_EQ(o.nameTemplate(), QStringLiteral("live") + c.wildcard + ".htm") << c.keyword;
        EXPECT_EQ(o.folder, QStringLiteral("/web"));
    }
}

}  // namespace
