// The data types and file types of the output dialog: one caption for each, the pairs that can be
// written by the numbers the command line and the settings use, and the script commands' types.
#include "reports/outputoptions.h"

#include <gtest/gtest.h>

using basExport::OutputDataType;
using basExport::OutputOptions;

namespace {

TEST(OutputTypes, EachFileTypeWritesItsDataTypes)
{
    ASSERT_EQ(basExport::DataTypeCaptions().size(), basExport::DataTypeCount);
    ASSERT_EQ(basExport::FileTypeCaptions().size(), basExport::FileTypeCount);
    EXPECT_FALSE(basExport::DataTypeAt(-1) || basExport::DataTypeAt(basExport::DataTypeCount));
    EXPECT_FALSE(basExport::FileTypeAt(-1) || basExport::FileTypeAt(basExport::FileTypeCount));
    const char* const offered[] = {"0 1 2 4 7", "0 1 2 3 5", "6"};
    for (int file = 0; file < basExport::FileTypeCount; ++file) {
        QStringList numbers;
        for (int data = 0; data < basExport::DataTypeCount; ++data)
            if (OutputOptions::Offers(*basExport::FileTypeAt(file), *basExport::DataTypeAt(data)))
                numbers << QString::number(data);
        EXPECT_EQ(numbers.join(' '), QString::fromLatin1(offered[file])) << file;
    }
}

// HTML and LEG in any letter case choose the results pages or the leg pages, written as HTML
// whatever the dialog showed before; any other command chooses nothing.
TEST(OutputTypes, ScriptPageCommandsChooseTheirPages)
{
    const struct {
        const char* keyword;
        std::optional<OutputDataType> type;
        const char* name;
    } cases[] = {{"Html", OutputDataType::Analysis, "live_*.htm"},
                 {"leg", OutputDataType::LegAnalysis, "live_leg_*.htm"},
                 {"CHART", std::nullopt, nullptr},
                 {"HTM", std::nullopt, nullptr}};
    for (const auto& c : cases) {
        const auto type = basExport::ScriptPageDataType(QString::fromLatin1(c.keyword));
        EXPECT_EQ(type, c.type) << c.keyword;
        if (!type) continue;
        OutputOptions left;  // one CSV file of cumulative times
        left.chooseDataType(OutputDataType::Sums);
        left.chooseOneFile(true);
        const OutputOptions o = basExport::ScriptPageOptions(left, *type, "/web", "live");
        EXPECT_EQ(o.fileType, basExport::OutputFileType::Html) << c.keyword;
        EXPECT_EQ(o.nameTemplate(), QString::fromLatin1(c.name)) << c.keyword;
    }
}

}  // namespace
