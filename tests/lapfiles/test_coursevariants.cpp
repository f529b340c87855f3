// Runners of one class who visited different controls become a class per course: forked relay
// legs, butterfly loops in another order, courses named per runner; a runner with fewer punches
// joins the course its punches are part of.
#include "lapfixtures.h"

#include "lapfiles/coursevariants.h"
#include "race/prompts.h"

using namespace basDefinition;
using namespace lapfixtures;
using basConvert::CourseVariants;
using basConvert::VisitedControls;

namespace {

std::vector<QString> codes(const char* text)
{
    std::vector<QString> list;
    for (const QString& code : QString::fromUtf8(text).split(QLatin1Char('-'), Qt::SkipEmptyParts))
        list.push_back(code);
    return list;
}

}  // namespace

TEST(CourseVariants, RunnersArePartedByTheControlsTheyVisited)
{
    struct Case {
        const char* what;
        std::vector<std::pair<const char*, const char*>> runners;  // codes, course
        bool namedCourses;
        // Per variant: its suffix and its runners.
        std::vector<std::pair<const char*, std::vector<size_t>>> expected;
    };
    const Case cases[] = {
        {"one course", {{"31-32-33", ""}, {"31-32-33", ""}}, true, {{"", {0, 1}}}},
        {"a runner with fewer punches joins the course they are part of",
         {{"31-32-33", ""}, {"31-33", ""}, {"", ""}, {"31-32-33", ""}},
         true,
         {{"", {0, 1, 2, 3}}}},
        {"a forked relay leg: three sequences, two alike until the seventh control",
         {{"1-2-3-4-5-6-7-9", ""},
          {"1-2-3-4-5-6-8-9", ""},
          {"10-11-12-4-5-6-7-9", ""},
          {"1-2-3-4-5-6-8-9", ""}},
         false,
         {{" 1-2-3…7", {0}}, {" 1-2-3…8", {1, 3}}, {" 10-11-12", {2}}}},
        {"butterfly loops in either order, named from where they part",
         {{"31-40-41-31-42-43-31-50", ""}, {"31-42-43-31-40-41-31-50", ""}, {"", ""}},
         true,
         {{" 40-41-31", {0, 2}}, {" 42-43-31", {1}}}},
        {"a runner with a control more leads the course of the runners without it",
         {{"31-32-33", ""}, {"31-32-99-33", ""}, {"31-32-33", ""}},
         true,
         {{"", {0, 1, 2}}}},
        {"without codes the courses named per runner part them",
         {{"", "c1"}, {"", "c2"}, {"", "c1"}, {"", ""}},
         true,
         {{" A", {0, 2, 3}}, {" B", {1}}}},
        {"without codes a relay's team courses do not",
         {{"", "c1"}, {"", "c2"}},
         false,
         {{"", {0, 1}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<VisitedControls> runners;
        for (const auto& [sequence, course] : c.runners)
            runners.push_back({codes(sequence), QString::fromUtf8(course)});
        const auto variants = CourseVariants(runners, c.namedCourses);
        ASSERT_EQ(variants.size(), c.expected.size());
        for (size_t v = 0; v < variants.size(); ++v) {
            EXPECT_EQ(variants[v].suffix, QString::fromUtf8(c.expected[v].first));
            EXPECT_EQ(variants[v].members, c.expected[v].second);
        }
    }
}

TEST(CourseVariants, TimesArePlacedAtTheControlsOfTheCourse)
{
    using Times = std::vector<std::optional<double>>;
    EXPECT_EQ(basConvert::TimesAtControls(codes("31-33"), {10, 30}, codes("31-32-33")),
              (Times{10, std::nullopt, 30}));
    // A repeated code takes the first place it can.
    EXPECT_EQ(basConvert::TimesAtControls(codes("31-50"), {10, 50}, codes("31-40-31-50")),
              (Times{10, std::nullopt, std::nullopt, 50}));
    // Codes that are not part of the course keep their own order.
    EXPECT_EQ(basConvert::TimesAtControls(codes("31-99"), {10, 20}, codes("31-32-33")),
              (Times{10, 20}));
}

// A relay whose first leg is forked: the team that ran one control more keeps it, each class
// has its own controls, and the load says how many classes were split.
TEST_F(LapFileTest, AForkedRelayLegBecomesAClassPerSequence)
{
    Prompts::ScopedPrompts scoped{std::make_unique<Prompts::ScriptedPrompts>()};
    const auto member = [](const char* name, const char* splits, int time) {
        QString xml = QStringLiteral(
                          "<TeamMemberResult><Person><Name><Family>%1</Family></Name>"
                          "</Person><Result><Leg>1</Leg><Time>%2</Time>"
                          "<Status>OK</Status>")
                          .arg(QString::fromUtf8(name))
                          .arg(time);
        for (const QString& split : QString::fromUtf8(splits).split(QLatin1Char(' '))) {
            const QStringList pair = split.split(QLatin1Char('@'));
            xml += QStringLiteral(
                       "<SplitTime><ControlCode>%1</ControlCode><Time>%2</Time>"
                       "</SplitTime>")
                       .arg(pair[0], pair[1]);
        }
        return xml + QStringLiteral("</Result></TeamMemberResult>");
    };
    const auto team = [](const char* name, const QString& members) {
        return QStringLiteral("<TeamResult><Name>%1</Name>%2</TeamResult>\n")
            .arg(QString::fromUtf8(name), members);
    };
    const QString xml =
        QStringLiteral(
            "<?xml version=\"1.0\"?>\n<ResultList "
            "xmlns=\"http://www.orienteering.org/datastandard/3.0\" iofVersion=\"3.0\">"
            "<ClassResult><Class><Name>H21</Name></Class>\n") +
        team("Alpha", member("Ann", "31@60 32@120 33@200", 260)) +
        team("Beta", member("Bea", "31@70 34@150 35@180 33@230", 300)) +
        team("Gamma", member("Cat", "31@65 32@130 33@210", 270)) +
        QStringLiteral("</ClassResult></ResultList>\n");
    load(xml, QStringLiteral("relay.xml"));
    ASSERT_EQ(FileResult, FileOk);
    ASSERT_EQ(ClassList.names(), QStringList({"H21-1 32-33", "H21-1 34-35-33"}));
    const clsClassData& longer = ClassList[QStringLiteral("H21-1 34-35-33")];
    EXPECT_EQ(longer.ClassControlCount, 4);
    EXPECT_EQ(ClassList[QStringLiteral("H21-1 32-33")].ClassRunnerCount(), 2);
    const double legs[] = {70, 80, 30, 50, 70};
    for (int k = 1; k <= 5; ++k) EXPECT_NEAR(longer.Item(1).Lap(k), legs[k - 1] * kSecond, 1e-9);
    EXPECT_EQ(basConvert::LoadNotice(),
              QStringLiteral("走ったコントロールが走者によって異なる 1 クラスを、"
                             "コースごとのクラスに分けました: H21-1"));
    // A file without such classes tells nothing.
    load(lapHead() + QStringLiteral("クラス,名前,総タイム,△→◎\nM21,A,00:10:00,00:10:00\n"));
    ASSERT_EQ(FileResult, FileOk);
    EXPECT_TRUE(basConvert::LoadNotice().isEmpty());
}
