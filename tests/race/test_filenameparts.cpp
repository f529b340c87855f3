// The one rule for names from race data in file names, and class parts made unique.
#include "race/filenameparts.h"

#include "race/race.h"

#include "common/testsupport.h"

using namespace basDefinition;

TEST(FileNameParts, NamesFromRaceDataCannotNameOrLeaveAFolder)
{
    const char* const cases[][2] = {
        {"../../escaped/evil", "____escaped_evil"}, {"Bern 2018/ 2019", "Bern 2018_ 2019"},
        {"a\\b:c*d?e\"f<g>h|i", "a_b_c_d_e_f_g_h_i"}, {"tab\there\x1b", "tab_here_"},
        {"...", "_."}, {"Cup, Day 1 春", "Cup, Day 1 春"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CbasGeneral::NameForFileName(QString::fromUtf8(c[0])), QString::fromUtf8(c[1]));
}

TEST_F(RaceTest, ClassPartsAreUniqueAndKeepClearOfTheIndexAndLegPages)
{
    const char* const cases[][2] = {
        {"A/B", "A_B"},     {"a_b", "a_b_2"},       {"Index", "Index_2"}, {"M21", "M21"},
        {"W:21", "W_21"},   {"A_B_2", "A_B_2_2"},   {"", ""},
        {"leg_M21", "leg_M21_2"},  // the leg page of M21 is "leg_m21"
    };
    for (const auto& c : cases) testRace().ClassList.add(QString::fromUtf8(c[0]));
    for (const auto& c : cases)
        EXPECT_EQ(ClassFileNamePart(testRace().ClassList, QString::fromUtf8(c[0])),
                  QString::fromUtf8(c[1]))
            << c[0];
    EXPECT_EQ(ClassFileNamePart(testRace().ClassList, "INDEX"), "Index_2");
}
