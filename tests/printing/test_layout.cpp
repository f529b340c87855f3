// The layout read from the settings keys and scaled by zoom and shrink; the timer's count.
#include "printing/autoprint.h"
#include "printing/printlayout.h"

#include <QHash>

#include <gtest/gtest.h>

using namespace CbasPrinter;

namespace {

SettingsLookup lookup(const QHash<QString, QString>& values)
{
    return [values](const QString& key) { return values.value(key); };
}

}  // namespace

TEST(LoadPrintLayout, DefaultsScaledByZoomAndShrink)
{
    // Zoom 2, shrink 0.5: the class band and the class gap follow the zoom only.
    const auto l = LoadPrintLayout(lookup({}), 0, PrintDataType::Laps, 2, 0.5);
    ASSERT_TRUE(l.has_value());
    const struct {
        const char* what;
        double value, expected;
    } cases[] = {
        {"ClassInterval", l->ClassInterval, 20},
        {"ClassLabel", l->ClassLabel, 50},
        {"LapLabel", l->LapLabel, 22},
        {"Data", l->Data, 21},
        {"Rank", l->Rank, 5.5},
        {"Analyze", l->Analyze, 0},
        {"DataInterval", l->DataInterval, 2},
        {"RowInterval", l->RowInterval, 10},
        {"NameDataInterval", l->NameDataInterval, 5},
        {"SecondDataInterval", l->SecondDataInterval, 1},
        {"class font", l->Class.size, 120},
        {"name font", l->Namae.size, 12},
        {"second-line font", l->SecondData.size, 8},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(c.value, c.expected) << c.what;
    EXPECT_EQ(l->Class.name, QStringLiteral("ＭＳ ゴシック"));
    EXPECT_TRUE(l->SecondDataLabel.italic);
    EXPECT_FALSE(l->MissTime.italic);
}

TEST(LoadPrintLayout, AnalysisModeAndStoredValues)
{
    const auto stored = lookup({{"WidthSkhData", "30"},
                                {"WidthSkhDataAnaMode", "17.5"},
                                {"WidthSkhAnalyze", "9"},
                                {"WidthSkhRank", "abc"},  // not a number: default
                                {"FontSkhRank", "Noto Serif,10,True,True"}});
    const auto lap = LoadPrintLayout(stored, 0, PrintDataType::LapsAndSums, 1, 1);
    const auto ana = LoadPrintLayout(stored, 0, PrintDataType::Analysis, 1, 1);
    ASSERT_TRUE(lap && ana);
    EXPECT_DOUBLE_EQ(lap->Data, 30);
    EXPECT_DOUBLE_EQ(lap->Analyze, 0);
    EXPECT_DOUBLE_EQ(ana->Data, 17.5);
    EXPECT_DOUBLE_EQ(ana->Analyze, 9);
    EXPECT_DOUBLE_EQ(ana->Rank, 5.5);
    EXPECT_EQ(ana->RankFont.ToText(), QStringLiteral("Noto Serif,10,True,True"));
    EXPECT_FALSE(LoadPrintLayout(stored, 1, PrintDataType::Laps, 1, 1).has_value());
}

TEST(ZoomFromText, LeadingNumberOverHundred)
{
    const struct {
        const char* text;
        double zoom;
    } cases[] = {{"100", 1}, {"141", 1.41}, {"50", 0.5}, {"86%", 0.86},
                 {"abc", 1}, {"", 1},       {"0", 1},    {"-50", 1}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(ZoomFromText(QString::fromUtf8(c.text)), c.zoom) << c.text;
}

namespace {

class FakeClock : public MinuteClock {
public:
    void Start(int ms, std::function<void()> tick) override
    {
        intervalMs = ms;
        tick_ = std::move(tick);
        running = true;
    }
    void Stop() override { running = false; }
    bool Running() const override { return running; }
    void minute()
    {
        if (running) tick_();
    }
    int intervalMs = 0;
    bool running = false;

private:
    std::function<void()> tick_;
};

struct TimerFixture {
    FakeClock clock;
    bool visible = true, printTab = true, ticked = true;
    int prints = 0, keptOpen = 0;
    QString status;
    AutoPrintTimer timer{
        clock,
        {[this] { return visible; }, [this] { return printTab; }, [this] { return ticked; },
         [this] { ++keptOpen; }, [this] { ++prints; }, [this](const QString& s) { status = s; }}};
};

}  // namespace

TEST(AutoPrintTimer, CountsDownAndPrintsAtTheInterval)
{
    TimerFixture f;
    f.timer.ChooseInterval(QStringLiteral("3"));
    EXPECT_TRUE(f.clock.running);
    EXPECT_EQ(f.clock.intervalMs, 60000);
    EXPECT_EQ(f.keptOpen, 1);
    const char* expected[] = {"3分後自動印刷", "2分後自動印刷", "1分後自動印刷", "出力しました",
                              "2分後自動印刷"};
    EXPECT_EQ(f.status, QString::fromUtf8(expected[0]));
    for (int minute = 1; minute <= 4; ++minute) {
        f.clock.minute();
        EXPECT_EQ(f.status, QString::fromUtf8(expected[minute])) << minute;
        EXPECT_EQ(f.prints, minute >= 3 ? 1 : 0) << minute;
    }
}

TEST(AutoPrintTimer, ShorterIntervalPastTheCountPrintsAtOnce)
{
    TimerFixture f;
    f.timer.ChooseInterval(QStringLiteral("30"));
    for (int i = 0; i < 7; ++i) f.clock.minute();
    EXPECT_EQ(f.prints, 0);
    f.timer.ChooseInterval(QStringLiteral("5"));
    EXPECT_EQ(f.prints, 1);
    EXPECT_EQ(f.timer.CountedMinutes(), 0);
    // Choosing 10 with a count of 0 does not print.
    f.timer.ChooseInterval(QStringLiteral("10"));
    EXPECT_EQ(f.prints, 1);
}

TEST(AutoPrintTimer, PausesHiddenWaitsForTheTabAndStops)
{
    TimerFixture f;
    f.timer.ChooseInterval(QStringLiteral("3"));
    f.clock.minute();
    f.visible = false;
    f.clock.minute();
    f.clock.minute();
    EXPECT_EQ(f.timer.CountedMinutes(), 1);  // paused, not reset
    f.visible = true;
    f.printTab = false;
    f.clock.minute();
    f.clock.minute();
    EXPECT_EQ(f.prints, 0);  // off the print tab: no run, the count grows
    EXPECT_EQ(f.timer.CountedMinutes(), 3);
    EXPECT_EQ(f.status, QString());
    f.printTab = true;
    f.clock.minute();
    EXPECT_EQ(f.prints, 1);
    EXPECT_EQ(f.timer.CountedMinutes(), 0);

    f.timer.ChooseInterval(QStringLiteral("なし"));
    EXPECT_FALSE(f.clock.running);
    EXPECT_EQ(f.timer.Interval(), 0);
    EXPECT_EQ(f.status, QString());
}
