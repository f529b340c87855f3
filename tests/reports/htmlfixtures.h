#pragma once
// Classes and races shared by the HTML page tests.
#include "classbuilder.h"
#include "htmltable.h"
#include "reports/htmlpages.h"

#include <QDate>

// The worked example class with its header values and a race header.
class HtmlWorkedExample : public AnalysisTest {
protected:
    void SetUp() override
    {
        AnalysisTest::SetUp();
        testRace().RaceInfo.RaceName = QStringLiteral("春の大会");
        testRace().RaceInfo.RaceDate = QDate(2024, 5, 12);
        testRace().RaceInfo.RacePlace = QStringLiteral("東京");
        clsClassData& m21 = analysistest::addClass(QStringLiteral("M21"), 2, true,
                                                   {{"A", {"4:00", "10:00", "1:00"}},
                                                    {"B", {"5:00", "12:00", "1:30"}},
                                                    {"C", {"4:30", "15:00", "1:14"}},
                                                    {"D", {"→", "17:00", "1:22"}}});
        m21.ClassLength = 3500;
        m21.ClassUpHeight = 120;
        ASSERT_TRUE(analyze(QStringLiteral("M21")));
    }
};

// The race of the output-run tests: 2002, with the unnamed class, a class whose name holds "/"
// and a plain class of two runners.
inline void AddOutputRunRace()
{
    testRace().RaceInfo.RaceName = QStringLiteral("Race");
    testRace().RaceInfo.RaceDate = QDate(2002, 5, 1);
    analysistest::addClass(QString(), 1, true, {{"U", {"3:00", "1:00"}}});
    analysistest::addClass(QStringLiteral("M/21"), 2, false, {{"A", {"5:00", "1:05:12"}}});
    analysistest::addClass(QStringLiteral("W21"), 1, true,
                           {{"B", {"4:00", "1:00"}}, {"C", {"4:30", "1:10"}}});
}
