#include "race/shortnames.h"

#include <gtest/gtest.h>

// The labels of one class in three characters (the chart) and in six columns (the leaders of the
// leg view); names, chart labels and leader labels each given apart by ",".
TEST(DistinctShortNames, FamilyNamesGrowUntilTheRunnersStandApart)
{
    const char* const cases[][3] = {
        {"中川 慎吾,中川 健一,岡本 修", "中川慎,中川健,岡本", "中川慎,中川健,岡本"},
        {"山田　太郎,山田花子,佐々木 健一", "山田太,山田花,佐々木", "山田太,山田花,佐々木"},
        {"佐々木 健一,佐々木 隆", "佐々木,佐々木", "佐々木,佐々木"},  // no room for more
        {"Anna Berg,Anna Lind,Bo Ek", "Ann,Ann,Bo", "Anna B,Anna L,Bo"},
        {"中川,中川 慎吾", "中川,中川慎", "中川,中川慎"},
        {"鈴木 一郎,鈴木 一郎,", "鈴木一,鈴木一,", "鈴木一,鈴木一,"},
    };
    const auto list = [](const char* text) { return QString::fromUtf8(text).split(u','); };
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        EXPECT_EQ(CbasGeneral::DistinctShortNames(list(c[0]), 3, 6), list(c[1]));
        EXPECT_EQ(CbasGeneral::DistinctShortNames(list(c[0]), 6, 6), list(c[2]));
    }
}
