// The runner-per-line exports of other timing programs, one small invented file for each way
// their writers write them (tests/data/results): the OE layouts with headers in German,
// Finnish, Swedish and English, a comma or a semicolon, ISO-8859-1 or UTF-8 with a byte order
// mark, LF or CR LF; exports without names, speaker exports with clock times, an OS relay,
// SOLV, OWare with its class lines and a Dutch header with a tab between fields.
#include "lapfixtures.h"

#include "lapfiles/racefile.h"
#include "race/prompts.h"
#include "race/race.h"

using namespace basDefinition;
using namespace lapfixtures;

namespace {

// A leg: whole seconds, "→" merged, "?" unknown.
QString legText(double lap)
{
    if (IsLapMerged(lap)) return QStringLiteral("→");
    if (lap <= 0) return QStringLiteral("?");
    return QString::number(std::llround(lap / kSecond));
}

// "class[controls] length/climb: name/club/total/legs; …" in class and rank order; a total
// above a day (an incomplete or non-competitive run: a day and its known legs, a day more for
// each unknown one) is written "+" and the seconds past the first day.
QString raceSummary()
{
    QStringList classes;
    for (const auto& cls : ClassList) {
        QStringList runners;
        for (int i = 1; i <= cls->ClassRunnerCount(); ++i) {
            const clsClassDataSub& r = cls->Item(i);
            const double total = r.Total > 1 ? r.Total - 1 : r.Total;
            QStringList legs;
            for (int k = 1; k <= cls->LegCount(); ++k) legs << legText(r.Lap(k));
            runners << QStringLiteral("%1/%2/%3%4/%5")
                           .arg(r.Namae, r.Shozoku, r.Total > 1 ? QStringLiteral("+") : QString())
                           .arg(std::llround(total / kSecond))
                           .arg(legs.join(QLatin1Char(' ')));
        }
        classes << QStringLiteral("%1[%2] %3/%4: %5")
                       .arg(cls->ClassName)
                       .arg(cls->ClassControlCount)
                       .arg(cls->ClassLength)
                       .arg(cls->ClassUpHeight)
                       .arg(runners.join(QStringLiteral("; ")));
    }
    return classes.join(QStringLiteral(" | "));
}

}  // namespace

TEST_F(LapFileTest, ResultExportsOfOtherProgramsLoadWithoutQuestions)
{
    struct Case {
        const char* file;
        const char* summary;
    };
    const Case cases[] = {
        // Non-competitive by the "AK" column, a missing punch merged, a runner who did not start.
        {"oe0014_german.csv",
         "H21[3] 6200/180: Hans Müller/OLG Süd/1865/430 490 800 145; "
         "Anna Weiß/OLG Süd/+1980/480 480 870 150; Jörg Schmidt/TV Nord/+2100/480 → 1320 300"},
        // Minutes past 59, tenths, "0:00" and "-" as missing punches.
        {"oe46_finnish.csv",
         "N21[2] 12500/420: Liisa Virtanen/Kalevan Rasti/4512/755 2845 912; "
         "Matti Korhonen/Kalevan Rasti/4800/→ 3930 870; Aino Mäkinen/Espoon Suunta/+5410/→ → 5410"},
        // The name in one field, its "n/c" mark dropped; the club's short name when the long
        // one is empty.
        {"oe44_swedish.csv",
         "D21[2] 4500/95: Åsa Ström/Örebro OK/1540/600 600 340; Kärin Lund/LOK/1800/660 660 480; "
         "Björn Ek/Luleå OK/+1440/540 600 300"},
        // No names and no time: the card number names the runner, the punches give the time.
        {"oe0014_nameless.csv",
         "Class 1[2] 4100/35: 200184//734/108 266 360; 200191//+812/181 243 388"},
        {"oe46_speaker_clock.csv",
         "W35[3] 5000/150: Jane Smith/Bristol OC/2100/370 710 810 210; "
         "Lucy Brown/Bristol OC/2400/420 780 → 1200"},
        // One class per class and leg, the team's name as the club.
        {"os_relay.csv",
         "H21-1[2] 5500/200: Pekka Nieminen/Team Alpha/2040/600 900 540; "
         "Ola Berg/Team Beta/2130/660 900 570 | "
         "H21-2[2] 5500/200: Jussi Lahti/Team Alpha/2160/720 1080 360; "
         "Nils Holm/Team Beta/+2370/→ 1860 510"},
        // A control that did not work ("0.00"), a missing punch, marks in the time column.
        {"solv.csv",
         "HE[3] 8400/310: Urs Keller/OL Bern/3130/605 625 1770 130; "
         "Beat Frei/OLG Thun/3480/660 → 2730 90; Reto Graf/OLG Biel/+3300/720 → 2580 ?; "
         "Marco Huber/OLG Chur/+173580/780 ? ? ?"},
        // Butterfly courses repeat codes; "ak-35:00" is a non-competitive time.
        {"oware.csv",
         "K[4] 4100/170: Lea Gerber/OL Aare/1800/420 300 480 480 120; "
         "Tim Moser/OL Thun/1920/480 360 420 540 120; Ida Rohr/OLG Biel/+2100/540 360 540 540 120 "
         "| "
         "L[2] 6400/325: Max Brunner/OL Aare/2400/900 900 600"},
        // The finish exported as a last pair, and a punch after the finish, are no controls.
        {"dutch_tab.csv",
         "H21[2] 0/0: Jan Peeters/Hermathenae/1800/480 720 600; Els Janssens/Trol/2100/540 780 "
         "780"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ResetRace();
        auto* prompts = new Prompts::ScriptedPrompts;
        Prompts::ScopedPrompts scope{std::unique_ptr<Prompts::PromptService>(prompts)};
        basConvert::LoadRaceFile(
            testsupport::dataPath(QStringLiteral("results/") + QString::fromUtf8(c.file)));
        ASSERT_EQ(FileResult, FileOk);
        EXPECT_EQ(raceSummary().toStdString(), c.summary);
        EXPECT_TRUE(prompts->log.empty());
        EXPECT_FALSE(DataModified);
    }
}

// The event's name and date from an OWare file's second line; a lap file saved from an export
// keeps every runner with every leg.
TEST_F(LapFileTest, ResultExportsSurviveALapFile)
{
    for (const char* file : {"oware.csv", "os_relay.csv", "solv.csv"}) {
        SCOPED_TRACE(file);
        ResetRace();
        basConvert::LoadRaceFile(
            testsupport::dataPath(QStringLiteral("results/") + QString::fromUtf8(file)));
        ASSERT_EQ(FileResult, FileOk);
        if (QString::fromUtf8(file) == QLatin1String("oware.csv")) {
            EXPECT_EQ(RaceInfo.RaceName, QStringLiteral("Nachtlauf Waldegg"));
            EXPECT_EQ(RaceInfo.RaceDate, QDate(2024, 11, 16));
        }
        auto legsOfRunners = [] {
            QStringList runners;
            for (const auto& cls : ClassList)
                for (int i = 1; i <= cls->ClassRunnerCount(); ++i) {
                    QStringList legs{cls->ClassName, cls->Item(i).Namae};
                    for (int k = 1; k <= cls->LegCount(); ++k) legs << legText(cls->Item(i).Lap(k));
                    runners << legs.join(QLatin1Char(' '));
                }
            runners.sort();
            return runners;
        };
        const QStringList legsBefore = legsOfRunners();
        save(1, QStringLiteral("saved.lap"));
        ResetRace();
        basConvert::LoadRaceFile(tempPath(QStringLiteral("saved.lap")));
        ASSERT_EQ(FileResult, FileOk);
        const QStringList legsAfter = legsOfRunners();
        EXPECT_EQ(legsAfter, legsBefore);
    }
}
