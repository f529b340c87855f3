// The numbers and dates typed into the class editor.
#include "editing/classrules.h"

#include <gtest/gtest.h>

using namespace basClassEdit;

TEST(ClassRules, WholeNumbersFromTypedTexts)
{
    const std::pair<const char*, int> cases[] = {
        {"1200m", 1200}, {"abc", 0},  {"", 0},     {"2.5", 2}, {"3.5", 4},
        {"-1.5", -2},    {" 42", 42}, {"7.49", 7}, {"m12", 0},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(WholeNumber(QString::fromUtf8(text)), expected) << text;
}

TEST(ClassRules, ControlCountOfANewClass)
{
    using C = ControlCountCheck;
    const struct {
        const char* answer;
        C check;
        int count;
    } cases[] = {
        {"0", C::OutOfRange, 0},
        {"31", C::OutOfRange, 0},
        {"abc", C::OutOfRange, 0},
        {"", C::OutOfRange, 0},
        {"0.6", C::OutOfRange, 0},
        {"1", C::Accepted, 1},
        {"2.5", C::Accepted, 2},
        {"3.5", C::Accepted, 4},
        {"29", C::Accepted, 29},
        // With the finish leg 30 controls need 31 legs, one more than a runner holds.
        {"30", C::TooManyLegs, 0},
        {"29.5", C::TooManyLegs, 0},
        {"12 controls", C::Accepted, 12},
    };
    for (const auto& c : cases) {
        const ControlCountAnswer answer = CheckNewClassControls(QString::fromUtf8(c.answer));
        EXPECT_EQ(answer.check, c.check) << c.answer;
        EXPECT_EQ(answer.count, c.count) << c.answer;
    }
    EXPECT_EQ(MaxControls(true), 29);
    EXPECT_EQ(MaxControls(false), 30);
    EXPECT_TRUE(TooManyControlsMessage(true).contains(QStringLiteral("29")));
}

TEST(ClassRules, DatesOfTypedTexts)
{
    EXPECT_EQ(DateOfText(QStringLiteral("2005/04/03")), QDate(2005, 4, 3));
    EXPECT_EQ(DateOfText(QStringLiteral("2005/4/3")), QDate(2005, 4, 3));
    EXPECT_TRUE(DateOfText(QStringLiteral("2005/13/40")).isNull());
    EXPECT_TRUE(DateOfText(QStringLiteral("2005/02/29")).isNull());
    EXPECT_TRUE(DateOfText(QString()).isNull());
}
