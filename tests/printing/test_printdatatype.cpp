#include "printing/printdatatype.h"

#include <gtest/gtest.h>

using namespace CbasPrinter;

namespace {

// Each data type has its name at its own index, and is the type at that index; other indexes and
// print types have none.
TEST(PrintDataType, NamesByPrintTypeAndIndex)
{
    const int analysis = static_cast<int>(PrintDataType::Analysis);
    const struct {
        int printType;
        int dataType;
        const char* name;
    } cases[] = {
        {0, 0, "ラップタイム"},
        {0, 1, "積算タイム"},
        {0, 2, "ラップタイム + 積算タイム"},
        {0, analysis, "解析データ"},
        {0, analysis + 1, ""},
        {0, -1, ""},
        {1, 0, ""},
        {-1, 0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PrintDataTypeName(c.printType, c.dataType), QString::fromUtf8(c.name))
            << c.printType << "/" << c.dataType;
    EXPECT_EQ(PrintDataTypeNames().size(), analysis + 1);
    const PrintDataType types[] = {PrintDataType::Laps, PrintDataType::Sums,
                                   PrintDataType::LapsAndSums, PrintDataType::Analysis};
    for (int index = 0; index < 4; ++index) EXPECT_EQ(PrintDataTypeAt(index), types[index]);
    EXPECT_FALSE(PrintDataTypeAt(-1) || PrintDataTypeAt(analysis + 1));
}

}  // namespace
