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
        basDefinition::RaceInfo.RaceName = QStringLiteral("春の大会");
        basDefinition::RaceInfo.RaceDate = QDate(2024, 5, 12);
        basDefinition::RaceInfo.RacePlace = QStringLiteral("東京");
        clsClassData& m21 = analysistest::addClass(QStringLiteral("M21"), 2, true,
                                                   {{"A", {"4:00", "10:00", "1:00"}},
                                                    {"B", {"5:00", "12:00", "1:30"}},
                                                    {"C", {"4:30", "15:00", "1:14"}},
                                                    {"D", {"→", "17:00", "1:22"}}});
        m21.ClassLength = 3500;
        m21.ClassUpHeight = 120;
        ASSERT_TRUE(basAnalyze::AnalyzeClass(QStringLiteral("M21")));
    }
};
