#include "race/racetime.h"

#include <gtest/gtest.h>

using namespace CbasGeneral;

namespace {

double hms(int h, int m, int s)
{
    return (h * 3600 + m * 60 + s) * OneSecond;
}

}  // namespace

TEST(FormatLapTime, PicksThePictureBySizeAndRightAligns)
{
    EXPECT_EQ(FormatLapTime(hms(1, 2, 3)), "1:02:03");
    EXPECT_EQ(FormatLapTime(hms(0, 12, 34)), "  12:34");
    EXPECT_EQ(FormatLapTime(hms(0, 5, 7)), "   5:07");
    EXPECT_EQ(FormatLapTime(hms(0, 0, 59)), "   0:59");
    EXPECT_EQ(FormatLapTime(hms(0, 10, 0)), "  10:00");
    EXPECT_EQ(FormatLapTime(hms(1, 0, 0)), "1:00:00");
    EXPECT_EQ(FormatLapTime(-hms(0, 0, 42)), "  -0:42");
    EXPECT_EQ(FormatLapTime(0.0), "   0:00");
}

TEST(FormatLapTime, DayOrMoreIsBlank)
{
    EXPECT_EQ(FormatLapTime(1.0), "       ");
    EXPECT_EQ(FormatLapTime(1.0 + hms(0, 30, 0)), "       ");
}

TEST(FormatLapTime, RoundsBeforeChoosingThePicture)
{
    // 59:59.6 is an hour, not "00:00"; 9:59.5 is ten minutes.
    EXPECT_EQ(FormatLapTime(3599.6 * OneSecond), "1:00:00");
    EXPECT_EQ(FormatLapTime(599.5 * OneSecond), "  10:00");
    EXPECT_EQ(FormatLapTime(0.4 * OneSecond), "   0:00");
}

TEST(FormatLapTime, LongTimesKeepAllTheirDigits)
{
    EXPECT_EQ(FormatLapTime(hms(12, 3, 4)), "12:03:04");
    EXPECT_EQ(FormatLapTime(-hms(1, 2, 3)), "-1:02:03");
}

TEST(LegLabel, FullWidthBelowTenAndTheStartAndFinishSymbols)
{
    EXPECT_EQ(LegLabel(12, true, 1), QStringLiteral("△→１"));
    EXPECT_EQ(LegLabel(12, true, 9), QStringLiteral("８→９"));
    EXPECT_EQ(LegLabel(12, true, 10), QStringLiteral("９→10"));
    EXPECT_EQ(LegLabel(12, true, 11), QStringLiteral("10→11"));
    EXPECT_EQ(LegLabel(12, true, 13), QStringLiteral("12→◎"));
    EXPECT_EQ(LegLabel(12, false, 5), QStringLiteral("→５"));
    EXPECT_EQ(LegLabel(3, false, 4), QStringLiteral("→◎"));
    EXPECT_EQ(LegLabel(0, true, 1), QStringLiteral("△→◎"));
}

TEST(ParseTime, AcceptsClockForms)
{
    EXPECT_DOUBLE_EQ(*ParseTime("1:02"), hms(1, 2, 0));
    EXPECT_DOUBLE_EQ(*ParseTime("12:34"), hms(12, 34, 0));
    EXPECT_DOUBLE_EQ(*ParseTime("1:02:03"), hms(1, 2, 3));
    EXPECT_DOUBLE_EQ(*ParseTime("23:59:59"), hms(23, 59, 59));
    EXPECT_DOUBLE_EQ(*ParseTime("0:5:12"), hms(0, 5, 12));
    EXPECT_DOUBLE_EQ(*ParseTime(" 00:00:00 "), 0.0);
}

TEST(ParseTime, RejectsEverythingElse)
{
    for (const char* text : {"", "12", "24:00", "12:60", "1:02:60", "123:45", "1:2:3:4",
                             "1:", ":30", "1::2", "1:02:03x", "-1:02", "1:2.5", "a:bc", "1 :02"})
        EXPECT_FALSE(ParseTime(QString::fromLatin1(text))) << text;
}

TEST(ParseDate, AcceptsSlashAndDashForms)
{
    EXPECT_EQ(*ParseDate("2024/05/06"), QDate(2024, 5, 6));
    EXPECT_EQ(*ParseDate("2024/5/6"), QDate(2024, 5, 6));
    EXPECT_EQ(*ParseDate("2024-05-06"), QDate(2024, 5, 6));
    EXPECT_EQ(*ParseDate("2024/02/29"), QDate(2024, 2, 29));
    for (const char* text : {"2023/02/29", "2024/13/01", "24/05/06", "2024/05-06", "2024/05",
                             "2024/05/06/", "2024.05.06", "12:34"})
        EXPECT_FALSE(ParseDate(QString::fromLatin1(text))) << text;
    EXPECT_TRUE(IsDateOrTime("2024/5/6"));
    EXPECT_TRUE(IsDateOrTime("9:30"));
    EXPECT_FALSE(IsDateOrTime("n/a"));
}

TEST(ParseRaceDate, ShortDateFormsOfDifferentMachines)
{
    const struct {
        const char* text;
        QDate date;
    } accepted[] = {
        {"2024/05/06", QDate(2024, 5, 6)},     {"2024-5-6", QDate(2024, 5, 6)},
        {"2024.05.06", QDate(2024, 5, 6)},     {" 24/05/06 ", QDate(2024, 5, 6)},
        {"00-1-2", QDate(2000, 1, 2)},         {"29.12.31", QDate(2029, 12, 31)},
        {"30/01/01", QDate(1930, 1, 1)},       {"99-12-31", QDate(1999, 12, 31)},
        {"2002年5月12日", QDate(2002, 5, 12)}, {"2024年02月29日", QDate(2024, 2, 29)},
    };
    for (const auto& c : accepted) {
        const std::optional<QDate> date = ParseRaceDate(QString::fromUtf8(c.text));
        ASSERT_TRUE(date) << c.text;
        EXPECT_EQ(*date, c.date) << c.text;
    }
    for (const char* text : {"2023/02/29", "23/02/29", "2024/05-06", "24.05/06", "024/05/06",
                             "2024年5月6", "24年5月6日", "2024年5/6日", "2024/5/6日", "5/6/2024",
                             "06.05.24x", "2024/05", "", "平成14年5月12日"})
        EXPECT_FALSE(ParseRaceDate(QString::fromUtf8(text))) << text;
}

TEST(TimeValues, SecondsAndMinutesOfTheDay)
{
    EXPECT_EQ(TimeToSeconds(hms(1, 2, 3)), 3723);
    EXPECT_EQ(TimeToSeconds(1.0 + hms(0, 0, 5)), 5);  // whole days ignored
    EXPECT_EQ(TimeToMinutes(hms(10, 15, 59)), 615);
    EXPECT_EQ(RoundToSeconds(5 * OneSecond), 5);
    EXPECT_EQ(RoundToSeconds(2.5 * OneSecond), 3);
    EXPECT_EQ(RoundToSeconds(2.49 * OneSecond), 2);
    EXPECT_DOUBLE_EQ(SecondsToTime(61.6), 62 * OneSecond);
}
