// Runners of one class who visited different controls become a class per course: forked relay
// legs, butterfly loops in another order, courses named per runner; a runner with fewer punches
// joins the course its punches are part of.
#include "lapfixtures.h"

#include "common/scriptedprompts.h"
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
    ASSERT_EQ(testRace().ClassList.names(), QStringList({"H21-1 32-33", "H21-1 34-35-33"}));
    const clsClassData& longer = testRace().ClassList[QStringLiteral("H21-1 34-35-33")];
    EXPECT_EQ(longer.ClassControlCount, 4);
    const double legs[] = {70, 80, 30, 50, 70};
    for (int k = 1; k <= 5; ++k) EXPECT_NEAR(longer.Item(1).Lap(k), legs[k - 1] * kSecond, 1e-9);
    EXPECT_EQ(lastLoad.notice, QStringLiteral("走ったコントロールが走者によって異なる 1 "
                                              "クラスを、コースごとのクラスに分けました: H21-1"));
}

// Runner-per-line exports part a class by the codes their punch groups give: pairs in the
// course's order by each runner's codes (a stray pair beyond the runner's course is no control),
// numbered groups by the code at each place (a group left out takes the class's code there),
// radio controls listed without their place never. Clock times counted from an unknown zero
// lie beyond the run's time, yet are no punches after the finish.
TEST_F(LapFileTest, ResultExportsPartAClassByTheCodesOfTheirGroups)
{
    struct Case {
        const char* what;
        const char* header;
        QStringList lines;     // "name;start;time;controls;groups…"
        const char* expected;  // "class[controls] legs, legs | …"
    };
    const char* pairs = "Control1;Punch1;Control2;Punch2;Control3;Punch3;Control4;Punch4";
    const char* groups = "No1;Control1;Punch1;Pl1;No2;Control2;Punch2;Pl2;No3;Control3;Punch3;Pl3";
    const Case cases[] = {
        {"butterfly loops in either order",
         pairs,
         {"Ann;10:00:00;6:00;3;31;1:00;40;2:00;42;4:00",
          "Bea;10:05:00;6:10;3;31;1:10;42;3:00;40;4:10",
          "Cat;10:10:00;6:20;3;31;1:05;40;2:10;42;4:20;99;5:00"},
         "H21 40-42[3] 60 60 120 120, 65 65 130 120 | H21 42-40[3] 70 110 70 120"},
        {"a place left out",
         groups,
         {"Ann;10:00:00;4:00;3;1;31;1:00;;2;41;2:00;;3;33;3:00",
          "Bea;10:05:00;4:10;3;1;31;1:05;;2;51;2:10;;3;33;3:10",
          "Dan;10:07:00;4:20;3;1;31;1:10;;2;51;2:15;;3;33;3:20",
          "Cat;10:10:00;4:05;3;2;41;2:05;;3;33;3:05"},
         "H21 41-33[3] 60 60 60 60, → 125 60 60 | H21 51-33[3] 65 65 60 60, 70 65 65 60"},
        {"radio controls in another order",
         groups,
         {"Ann;10:00:00;9:00;10;;131;3:00;;;135;7:00", "Bea;10:05:00;9:30;10;;135;7:10;;;131;3:20"},
         "H21[2] 180 240 120, 200 230 140"},
        {"clock times from a zero the file does not give",
         pairs,
         {"Ann;0:00:00;4:00;3;31;9:01:00;32;9:02:00;33;9:03:00",
          "Bea;0:00:00;4:30;3;31;9:11:00;34;9:12:30;33;9:13:00"},
         "H21 32-33[3] 0 60 60 0 | H21 34-33[3] 0 90 30 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Prompts::ScopedPrompts scoped{std::make_unique<Prompts::ScriptedPrompts>()};
        QString text = QStringLiteral("Surname;Start;Time;Short;Course controls;") +
                       QString::fromUtf8(c.header) + QLatin1Char('\n');
        for (const QString& line : c.lines)
            text += line.section(QLatin1Char(';'), 0, 2) + QStringLiteral(";H21;") +
                    line.section(QLatin1Char(';'), 3) + QLatin1Char('\n');
        load(text, QStringLiteral("results.csv"));
        ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
        QStringList classes;
        for (const auto& cls : testRace().ClassList) {
            QStringList runners;
            for (int i = 1; i <= cls->ClassRunnerCount(); ++i) {
                QStringList legs;
                for (int k = 1; k <= cls->LegCount(); ++k) {
                    const double lap = cls->Item(i).Lap(k);
                    legs << (IsLapMerged(lap) ? QStringLiteral("→")
                                              : QString::number(std::llround(lap / kSecond)));
                }
                runners << legs.join(QLatin1Char(' '));
            }
            classes << QStringLiteral("%1[%2] %3")
                           .arg(cls->ClassName)
                           .arg(cls->ClassControlCount)
                           .arg(runners.join(QStringLiteral(", ")));
        }
        EXPECT_EQ(classes.join(QStringLiteral(" | ")).toStdString(), c.expected);
    }
}
