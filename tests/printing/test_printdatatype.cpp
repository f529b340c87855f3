#include "printing/printdatatype.h"

#include <gtest/gtest.h>

using namespace CbasPrinter;

namespace {

// Each data type has its name at its own index; other indexes and print types have none.
TEST(PrintDataType, NamesByPrintTypeAndIndex)
{
    const struct {
        int printType;
        int dataType;
        const char* name;
    } cases[] = {
        {0, PrintLaps, "ラップタイム"},
        {0, PrintSums, "積算タイム"},
        {0, PrintLapsAndSums, "ラップタイム + 積算タイム"},
        {0, PrintAnalysis, "解析データ"},
        {0, PrintAnalysis + 1, ""},
        {0, -1, ""},
        {1, PrintLaps, ""},
        {-1, PrintLaps, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PrintDataTypeName(c.printType, c.dataType), QString::fromUtf8(c.name))
            << c.printType << "/" << c.dataType;
    EXPECT_EQ(PrintDataTypeNames().size(), PrintAnalysis + 1);
}

}  // namespace
