// Runners of one class who visited different controls become a class per course: forked relay
// legs, butterfly loops in another order, courses named per runner; a runner with fewer punches
// joins the course its punches are part of.
#include "lapfixtures.h"

#include "lapfiles/coursevariants.h"
#include "race/prompts.h"

using namespace basDefinition;
using namespace lapfixtures;

TEST(CourseVariants, RunnersArePartedByTheControlsTheyVisited)
{
    struct Case {
        QStringList runners;  // "codes/course"
        bool namedCourses;
        QStringList expected;  // per variant "suffix:runner,runner"
    };
    const Case cases[] = {
        // Fewer punches, none, one more: one course.
        {{"31-32-33/", "31-33/", "/", "31-32-99-33/"}, true, {":0,1,2,3"}},
        // A forked relay leg.
        {{"1-2-3-4-5-6-7-9/", "1-2-3-4-5-6-8-9/", "10-11-12-4-5-6-7-9/", "1-2-3-4-5-6-8-9/"},
         false,
         {" 1-2-3…7:0", " 1-2-3…8:1,3", " 10-11-12:2"}},
        // Butterfly loops, named from where they part.
        {{"31-40-41-31-42-43-31-50/", "31-42-43-31-40-41-31-50/", "/"},
         true,
         {" 40-41-31:0,2", " 42-43-31:1"}},
        // Courses named per runner, but not a relay's team courses.
        {{"/c1", "/c2", "/c1", "/"}, true, {" A:0,2,3", " B:1"}},
        {{"/c1", "/c2"}, false, {":0,1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.runners.join(QLatin1Char(' ')).toStdString());
        std::vector<basConvert::VisitedControls> runners;
        for (const QString& r : c.runners) {
            basConvert::VisitedControls v{{}, r.section(QLatin1Char('/'), 1)};
            for (const QString& code :
                 r.section(QLatin1Char('/'), 0, 0).split(QLatin1Char('-'), Qt::SkipEmptyParts))
                v.codes.push_back(code);
            runners.push_back(v);
        }
        QStringList found;
        for (const auto& v : basConvert::CourseVariants(runners, c.namedCourses)) {
            QStringList members;
            for (size_t i : v.members) members << QString::number(i);
            found << v.suffix + QLatin1Char(':') + members.join(QLatin1Char(','));
        }
        EXPECT_EQ(found, c.expected);
    }
}

// A relay whose first leg is forked: the team that ran a control more keeps it, each class has
// its own controls, and the load says how many classes were split.
TEST_F(LapFileTest, AForkedRelayLegBecomesAClassPerSequence)
{
    Prompts::ScopedPrompts scoped{std::make_unique<Prompts::ScriptedPrompts>()};
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\"?><ResultList><ClassResult><ClassShortName>H21"
        "</ClassShortName>\n");
    for (const char* team : {"Ann 260 31 60 32 120 33 200", "Bea 300 31 70 34 150 35 180 33 230",
                             "Cat 270 31 65 32 130 33 210"}) {
        const QStringList f = QString::fromUtf8(team).split(QLatin1Char(' '));
        xml += QStringLiteral(
                   "<TeamResult><Name>%1</Name><TeamMemberResult><Person><Name><Family>"
                   "%1</Family></Name></Person><Result><Leg>1</Leg><Time>%2</Time>")
                   .arg(f[0], f[1]);
        for (int i = 2; i < f.size(); i += 2)
            xml += QStringLiteral(
                       "<SplitTime><ControlCode>%1</ControlCode><Time>%2</Time>"
                       "</SplitTime>")
                       .arg(f[i], f[i + 1]);
        xml += QStringLiteral("</Result></TeamMemberResult></TeamResult>\n");
    }
    load(xml + QStringLiteral("</ClassResult></ResultList>\n"), QStringLiteral("relay.xml"));
    ASSERT_EQ(ClassList.names(), QStringList({"H21-1 32-33", "H21-1 34-35-33"}));
    const clsClassData& longer = ClassList[QStringLiteral("H21-1 34-35-33")];
    EXPECT_EQ(longer.ClassControlCount, 4);
    const double legs[] = {70, 80, 30, 50, 70};
    for (int k = 1; k <= 5; ++k) EXPECT_NEAR(longer.Item(1).Lap(k), legs[k - 1] * kSecond, 1e-9);
    EXPECT_EQ(basConvert::LoadNotice(),
              QStringLiteral("走ったコントロールが走者によって異なる 1 "
                             "クラスを、コースごとのクラスに分けました: H21-1"));
}
