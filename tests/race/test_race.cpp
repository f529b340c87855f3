#include "race/race.h"

#include <gtest/gtest.h>

namespace {

// Every class name comes back from its list entry; only the empty name has an entry of its own
// (the class editor's "名称未入力" is an ordinary name here).
TEST(ClassListEntry, RoundTripsEveryClassName)
{
    const struct {
        const char* name;
        const char* entry;
    } cases[] = {
        {"", "名称未設定"},
        {"M21", "M21"},
        {"w21e", "w21e"},
        {" ", " "},
        {"名称未入力", "名称未入力"},
        {"名称未設定 ", "名称未設定 "},
    };
    for (const auto& c : cases) {
        const QString name = QString::fromUtf8(c.name);
        const QString entry = basDefinition::ClassListEntry(name);
        EXPECT_EQ(entry, QString::fromUtf8(c.entry)) << c.name;
        EXPECT_EQ(basDefinition::ClassNameOfEntry(entry), name) << c.entry;
    }
}

}  // namespace
