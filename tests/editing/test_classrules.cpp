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
    // With its finish leg a class of MaxLegs - 1 controls fills the legs a runner holds; every
    // count beyond is refused with the message, however large.
    const int most = MaxLegs - 1;
    const struct {
        QString answer;
        C check;
        int count;
    } cases[] = {
        {"0", C::OutOfRange, 0},
        {"abc", C::NotWhole, 0},
        {"", C::Empty, 0},
        {"0.6", C::NotWhole, 0},
        {"1", C::Accepted, 1},
        {"2.5", C::NotWhole, 0},
        {"12 controls", C::NotWhole, 0},
        {" 12 ", C::Accepted, 12},
        {"１２", C::Accepted, 12},
        {QString::number(most), C::Accepted, most},
        {QString::number(most + 1), C::TooManyLegs, 0},
        {QString::number(most + 2), C::TooManyLegs, 0},
        {"99999999999999999999", C::TooManyLegs, 0},
    };
    for (const auto& c : cases) {
        const ControlCountAnswer answer = CheckNewClassControls(c.answer);
        EXPECT_EQ(answer.check, c.check) << c.answer.toStdString();
        EXPECT_EQ(answer.count, c.count) << c.answer.toStdString();
    }
    EXPECT_EQ(MaxControls(true), most);
    EXPECT_EQ(MaxControls(false), MaxLegs);
    EXPECT_TRUE(TooManyControlsMessage(true).contains(QString::number(most)));
    // Every refusal but an empty answer says why, naming what was typed.
    EXPECT_EQ(ControlCountMessage(CheckNewClassControls("abc"), "abc"),
              QStringLiteral("コントロール数は1から%1までの整数で入力してください: abc").arg(most));
}

TEST(ClassRules, MetresOfTypedTexts)
{
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"1200", 1200},          {" 1200 m ", 1200},     {"１２００ｍ", 1200}, {"", 0},
        {"3.2km", std::nullopt}, {"72.5", std::nullopt}, {"-5", std::nullopt}, {"m", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(MetresOfText(QString::fromUtf8(text)), expected) << text;
}

TEST(ClassRules, DatesOfTypedTexts)
{
    EXPECT_EQ(DateOfText(QStringLiteral("2005/04/03")), QDate(2005, 4, 3));
    EXPECT_EQ(DateOfText(QStringLiteral("2005/4/3")), QDate(2005, 4, 3));
    EXPECT_TRUE(DateOfText(QStringLiteral("2005/13/40")).isNull());
    EXPECT_TRUE(DateOfText(QStringLiteral("2005/02/29")).isNull());
    EXPECT_TRUE(DateOfText(QString()).isNull());
}
