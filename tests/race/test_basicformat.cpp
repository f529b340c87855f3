#include "race/basicformat.h"
#include "race/racetime.h"

#include <gtest/gtest.h>

using namespace CbasGeneral;

TEST(FormatNumber, HashPrintsNoInsignificantZeros)
{
    EXPECT_EQ(FormatNumber(2, "##.#"), "2.");
    EXPECT_EQ(FormatNumber(0, "##.#"), ".");
    EXPECT_EQ(FormatNumber(2.25, "##.#"), "2.3");
    EXPECT_EQ(FormatNumber(0.4, "###"), "");
    EXPECT_EQ(FormatNumber(0.5, "###"), "1");
    EXPECT_EQ(FormatNumber(1234.5, "####"), "1235");
    EXPECT_EQ(FormatNumber(12345, "###"), "12345");  // digits are never cut
}

TEST(FormatNumber, ZeroAlwaysPrintsADigit)
{
    EXPECT_EQ(FormatNumber(0, "#0.0"), "0.0");
    EXPECT_EQ(FormatNumber(0, "##0"), "0");
    EXPECT_EQ(FormatNumber(5, "00"), "05");
    EXPECT_EQ(FormatNumber(123, "00"), "123");
    EXPECT_EQ(FormatNumber(12.345, "##0.0"), "12.3");
    EXPECT_EQ(FormatNumber(0.05, "#0.0"), "0.1");
    EXPECT_EQ(FormatNumber(9.96, "#0.0"), "10.0");
    EXPECT_EQ(FormatNumber(1.5, "0.00"), "1.50");
    EXPECT_EQ(FormatNumber(1.5, "0.0#"), "1.5");
}

TEST(FormatNumber, HalvesRoundAwayFromZeroInDecimal)
{
    EXPECT_EQ(FormatNumber(2.5, "0"), "3");
    EXPECT_EQ(FormatNumber(3.5, "0"), "4");
    EXPECT_EQ(FormatNumber(-2.5, "0"), "-3");
    // 2.675 and 1.005 are stored a little below the half; BASIC still rounds them up.
    EXPECT_EQ(FormatNumber(2.675, "0.00"), "2.68");
    EXPECT_EQ(FormatNumber(1.005, "0.00"), "1.01");
    EXPECT_EQ(FormatNumber(0.045, "#0.0#"), "0.05");
}

TEST(FormatNumber, SignsGroupsAndLiterals)
{
    EXPECT_EQ(FormatNumber(-1.25, "#0.0"), "-1.3");
    EXPECT_EQ(FormatNumber(-12, "###"), "-12");
    EXPECT_EQ(FormatNumber(-0.04, "#0.0"), "0.0");  // rounds to zero: no sign
    EXPECT_EQ(FormatNumber(1234567, "#,##0"), "1,234,567");
    EXPECT_EQ(FormatNumber(12.5, "#0.0%"), "12.5%");
    EXPECT_EQ(FormatNumber(1e20, "0"), "100000000000000000000");
}

TEST(FormatDate, Pictures)
{
    const QDate d(2024, 5, 6);
    EXPECT_EQ(FormatDate(d, "yyyy/mm/dd"), "2024/05/06");
    EXPECT_EQ(FormatDate(d, QStringLiteral("yyyy年mm月dd日")), QStringLiteral("2024年05月06日"));
    EXPECT_EQ(FormatDate(d, "yy/mm/dd"), "24/05/06");
    EXPECT_EQ(FormatDate(d, "yy"), "24");
    EXPECT_EQ(FormatDate(d, "yyyy"), "2024");
    EXPECT_EQ(FormatDate(QDate(2009, 12, 31), "yymmdd"), "091231");
    EXPECT_EQ(FormatDate(d, "m/d"), "5/6");
    EXPECT_EQ(FormatDate(QDate(), "yyyy/mm/dd"), "");
    EXPECT_EQ(FormatShortDate(d), "2024/05/06");
}

TEST(FormatTime, TimeOfDayRoundedToTheSecond)
{
    const double t = (3600 + 2 * 60 + 3) * OneSecond;
    EXPECT_EQ(FormatTime(t, "hh:nn:ss"), "01:02:03");
    EXPECT_EQ(FormatTime(t, "h:nn:ss"), "1:02:03");
    EXPECT_EQ(FormatTime(t, "nn:ss"), "02:03");
    EXPECT_EQ(FormatTime(t, "n:ss"), "2:03");
    EXPECT_EQ(FormatTime(t, "nn"), "02");
    EXPECT_EQ(FormatTime(2.0 + t, "hh:nn:ss"), "01:02:03");  // whole days dropped
    EXPECT_EQ(FormatTime(59.5 * OneSecond, "hh:nn:ss"), "00:01:00");
    EXPECT_EQ(FormatTime(86399.6 * OneSecond, "hh:nn:ss"), "00:00:00");
    EXPECT_EQ(FormatTime(-t, "hh:nn:ss"), "01:02:03");
    EXPECT_EQ(FormatTimeSeconds(13 * 3600 + 5, "h:nn:ss"), "13:00:05");
}

TEST(FormatTextAsTime, NumbersAreDaysTimesAreTimesTheRestIsKept)
{
    EXPECT_EQ(FormatTextAsTime("0.5", "hh:nn:ss"), "12:00:00");
    EXPECT_EQ(FormatTextAsTime("5", "hh:nn:ss"), "00:00:00");
    EXPECT_EQ(FormatTextAsTime("9:30", "hh:nn:ss"), "09:30:00");
    EXPECT_EQ(FormatTextAsTime("2024/05/06", "hh:nn:ss"), "00:00:00");
    EXPECT_EQ(FormatTextAsTime("n/a", "hh:nn:ss"), "n/a");
    EXPECT_FALSE(TryFormatTextAsTime(u"75:30", QStringLiteral("hh:nn:ss")));
}
