#include "race/racetime.h"

#include <gtest/gtest.h>

using CbasGeneral::NormalizeTimeText;

namespace {

const QString kPicture = QStringLiteral("hh:nn:ss");

QString duration(const QString& text)
{
    return NormalizeTimeText(text, true, kPicture);
}

QString clock(const QString& text)
{
    return NormalizeTimeText(text, false, kPicture);
}

}  // namespace

TEST(NormalizeTimeText, DurationDigitsAreReadFromTheRight)
{
    EXPECT_EQ(duration("5"), "00:00:05");
    EXPECT_EQ(duration("83"), "00:01:23");  // seconds above 59 carry into the minutes
    EXPECT_EQ(duration("512"), "00:05:12");
    EXPECT_EQ(duration("1234"), "00:12:34");
    EXPECT_EQ(duration("12345"), "01:23:45");
    EXPECT_EQ(duration("123456"), "12:34:56");
    EXPECT_EQ(duration("9999"), "01:40:39");
    // Seven digits are no duration, nor a number of days that would pass for a time of day.
    EXPECT_EQ(duration("1234567"), "1234567");
}

TEST(NormalizeTimeText, DurationColonsMeanMinutesAndSeconds)
{
    EXPECT_EQ(duration("5:12"), "00:05:12");
    EXPECT_EQ(duration("12:34"), "00:12:34");
    EXPECT_EQ(duration("23:59"), "00:23:59");
    EXPECT_EQ(duration("1:02:03"), "01:02:03");
    EXPECT_EQ(duration("12:34:56"), "12:34:56");
}

TEST(NormalizeTimeText, DurationMinutesBeyondTheClockCarryIntoHours)
{
    EXPECT_EQ(duration("75:30"), "01:15:30");
    EXPECT_EQ(duration("25:30"), "00:25:30");  // not 25 hours: the parser refuses, minutes win
    EXPECT_EQ(duration("5:75"), "00:06:15");
    EXPECT_EQ(duration("123:45"), "02:03:45");
    EXPECT_EQ(duration("10:75:30"), "11:15:30");
}

TEST(NormalizeTimeText, DurationQuoteFormsAndRemarks)
{
    EXPECT_EQ(duration("1:23'45\""), "01:23:45");
    EXPECT_EQ(duration("12:23'45\""), "12:23:45");
    EXPECT_EQ(duration("12:34(3)"), "00:12:34");
    EXPECT_EQ(duration("  12:34 (3)"), "00:12:34");
    EXPECT_EQ(duration(" 512 "), "00:05:12");
}

TEST(NormalizeTimeText, FullWidthInputIsReadAsHalfWidth)
{
    EXPECT_EQ(duration(QStringLiteral("１２：３４")), "00:12:34");
    EXPECT_EQ(duration(QStringLiteral("　５１２")), "00:05:12");
    EXPECT_EQ(duration(QStringLiteral("1:23’45”")), "01:23:45");
    EXPECT_EQ(duration(QStringLiteral("12:34（３）")), "00:12:34");
}

TEST(NormalizeTimeText, TextsThatAreNoTimeComeBackTrimmedAndNarrow)
{
    EXPECT_EQ(duration("n/a"), "n/a");
    EXPECT_EQ(duration(QStringLiteral("→")), QStringLiteral("→"));
    EXPECT_EQ(duration(QStringLiteral(" ＤＮＦ ")), "DNF");
    EXPECT_EQ(duration("ab:cd:ef"), "ab:cd:ef");
    EXPECT_EQ(duration("1:2:3:4"), "1:2:3:4");
    EXPECT_EQ(duration(""), "");
    EXPECT_EQ(clock(QStringLiteral("山田")), QStringLiteral("山田"));
}

TEST(NormalizeTimeText, ClockDigitsAreReadFromTheLeft)
{
    EXPECT_EQ(clock("5"), "00:00:00");  // one digit is a number of days
    EXPECT_EQ(clock("10"), "10:00:00");
    EXPECT_EQ(clock("930"), "09:30:00");
    EXPECT_EQ(clock("1015"), "10:15:00");
    EXPECT_EQ(clock("10153"), "01:01:53");
    EXPECT_EQ(clock("101530"), "10:15:30");
    EXPECT_EQ(clock("9:30"), "09:30:00");  // a typed clock time keeps hours and minutes
    EXPECT_EQ(clock("10:15:30"), "10:15:30");
}

TEST(NormalizeTimeText, OtherPicturesShapeTheResult)
{
    EXPECT_EQ(NormalizeTimeText("512", true, "h:nn:ss"), "0:05:12");
    EXPECT_EQ(NormalizeTimeText("123:45", true, "h:nn:ss"), "2:03:45");
    EXPECT_EQ(NormalizeTimeText("930", false, "h:nn"), "9:30");
}

// Texts that look like numbers or times but are none come back as they were, for the caller
// to refuse, never as some plausible time.
TEST(NormalizeTimeText, MalformedTimesAreNoTimes)
{
    const char* const durations[] = {
        "00:-5:00", "00:+5:00", "-5", "86400", "246000", "12:-3", "12345678901234567890"};
    const char* const clocks[] = {"99", "1075", "2500", "12345678901234567890"};
    for (const char* text : durations) EXPECT_FALSE(CbasGeneral::ParseTime(duration(text))) << text;
    for (const char* text : clocks) EXPECT_FALSE(CbasGeneral::ParseTime(clock(text))) << text;
    // A fraction of a day (a spreadsheet's time cell written as a number) is still a time.
    EXPECT_EQ(duration("0.0034722222"), "00:05:00");
}
