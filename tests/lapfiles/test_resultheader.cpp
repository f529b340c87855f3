// The header of the runner-per-line result exports: where the punch groups begin and what each
// field of a group holds, in the layouts and languages the exports write; and which headers
// announce results without punches.
#include "lapfiles/resultheader.h"

#include <gtest/gtest.h>

using basConvert::GroupsInHeader;
using basConvert::IsResultHeaderWithoutPunches;
using basConvert::PunchGroups;

namespace {

QStringList fields(const char* header)
{
    return QString::fromUtf8(header).split(QLatin1Char(';'));
}

}  // namespace

TEST(ResultHeader, PunchGroupsOfEachLayoutAndLanguage)
{
    struct Case {
        const char* header;
        int first, width, code, time, number;
    };
    const Case cases[] = {
        {"Name;Time;Control1;Punch1;Control2;Punch2", 2, 2, 0, 1, -1},
        {"Nachname;Zeit;Posten1;Stempel1", 2, 2, 0, 1, -1},  // one pair, then the end
        // Numbered fields that are no groups come first ("Num1;Num2", "Text1;Text2").
        {"OE0016;Surname;Num1;Num2;Text1;Text2;Place;Total;No1;Control1;Punch1;Pl1;No2;Control2;"
         "Punch2;Pl2;(may be more) ...",
         8, 4, 1, 2, 0},
        {"OS0016a;Nachname;Zeit;Platz;Nr1;Posten1;Stempel1;Pl1;Nr2;Posten2;Stempel2;Pl2", 4, 4, 1,
         2, 0},
        {"OS0016;Sukunimi;Aika;Sija;Nro1;Rasti1;Leima1;Sij1;(voi jatkua) ...", 4, 4, 1, 2, 0},
        // The time before the code, and a place after it.
        {"Name;Time1;Code1;Pl1;Time2;Code2;Pl2", 1, 3, 1, 0, -1},
        {"Name;Ctrlcode;Splittime", 1, 2, 0, 1, -1},
        {"Name;Class;Time;Place", -1, 2, 0, 1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header);
        const PunchGroups g = GroupsInHeader(fields(c.header));
        EXPECT_EQ(g.first, c.first);
        if (g.first < 0) continue;
        EXPECT_EQ(g.width, c.width);
        EXPECT_EQ(g.code, c.code);
        EXPECT_EQ(g.time, c.time);
        EXPECT_EQ(g.number, c.number);
    }
}

TEST(ResultHeader, ResultsWithoutPunchesAreKnownByTheirColumns)
{
    struct Case {
        const char* header;
        bool withoutPunches;
    };
    const Case cases[] = {
        {"Stno;Surname;First name;Start;Time;Classifier;Club;Short;Course controls;Pl", true},
        {"Startnr;Nachname;Vorname;Zeit;Wertung;Verein;Kurz;Platz", true},
        {"Name;Club;Class;Time;Place", true},
        // Leg columns make a split table for the table reader.
        {"Name;Class;Time;Place;1;2;3;G", false},
        {"Name;Class;Time;Place;S-1;1-2;2-F", false},
        {"氏名;クラス;記録;順位", false},
        {"Name;Club;Time;Place", false},   // no class or course
        {"Name;Class;Club;Place", false},  // no time
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header);
        EXPECT_EQ(IsResultHeaderWithoutPunches(fields(c.header)), c.withoutPunches);
    }
}
