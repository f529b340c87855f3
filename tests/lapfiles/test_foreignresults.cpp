// The runner-per-line exports of other timing programs, one small invented file for each way
// their writers write them (tests/data/results): the OE layouts with headers in German,
// Finnish, Swedish and English, a comma or a semicolon, ISO-8859-1 or UTF-8 with a byte order
// mark, LF or CR LF; exports without names, speaker exports with clock times, an OS relay,
// SOLV, OWare with its class lines and a Dutch header with a tab between fields.
#include "lapfixtures.h"

#include "common/scriptedprompts.h"
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
    for (const auto& cls : testRace().ClassList) {
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
        // Butterfly loops run in either order make a class per order, named by the codes from
        // where the orders part; "ak-35:00" is a non-competitive time.
        {"oware.csv",
         "K 47-48-36[4] 4100/170: Lea Gerber/OL Aare/1800/420 300 480 480 120; "
         "Ida Rohr/OLG Biel/+2100/540 360 540 540 120 | "
         "K 36-48-47[4] 4100/170: Tim Moser/OL Thun/1920/480 360 420 540 120 | "
         "L[2] 6400/325: Max Brunner/OL Aare/2400/900 900 600"},
        // The finish exported as a last pair, and a punch after the finish, are no controls.
        {"dutch_tab.csv",
         "H21[2] 0/0: Jan Peeters/Hermathenae/1800/480 720 600; Els Janssens/Trol/2100/540 780 "
         "780"},
        // Relay teams: a class per leg, the team as the club; two members in one element.
        {"../iofxml/relay30.xml",
         "H21-1[2] 0/0: Per Lind/Alpha 1/1500/400 700 400; Kim Berg/Beta 1/1550/420 730 400 | "
         "H21-2[2] 0/0: Ola Ek/Alpha 1/1600/500 700 400; Ida Holm/Beta 1/+1700/→ 1300 400"},
        // IOF 2.0.3: the leg only in the bib, Clock elements; ISO-8859-1 declared, Windows-1252
        // written.
        {"../iofxml/relay203_cp1252.xml",
         "D21-1[2] 0/0: Eva Šimková/Žabiny/1800/600 600 600 | "
         "D21-2[2] 0/0: Jana Novák/Žabiny/1920/660 600 660"},
        // Tenths, a repeated code, "Additional" and missing splits, the finish exported as a
        // split, radio controls only; Windows-1257.
        {"../iofxml/splits1257.xml",
         "M21[5] 0/0: Jānis Kalniņš//601/100 100 100 100 100 101; "
         "Aija Liepa//650/105 105 100 110 100 130; Ivars Bērziņš//800/120 → → 380 150 150; "
         "Pēteris Ozols//+700/110 → 220 110 120 140"},
        // Japanese per-leg lines, CP932: a runner's lines apart in the file, an "X" lap worked
        // out from the elapsed times, "参" not competing, "DQ".
        {"../perleg/perleg_cp932.csv",
         "M21A[2] 0/0: 山田 太郎/朝霧OLC/515/190 260 65; 鈴木 次郎/京大OLC/600/220 320 60; "
         "佐藤 三郎/東大OLK/+490/180 240 70 | "
         "W21A[1] 0/0: 伊藤 桜/名大OLC/400/270 130; 高橋 花子/名大OLC/+420/300 120"},
        // UTF-8 with a byte order mark, quoted, leg labels, elapsed times only.
        {"../perleg/perleg_utf8.csv",
         "M40[2] 0/0: 中村 一/OLC ﾙｰﾌﾟ/4800/720 3792 288; 小林 二//4950/780 → 4170"},
        // The keys of data tools (the leg label under "name", a runner id telling apart two
        // runs of one name); no line for the finish leg: the result less the last elapsed time.
        {"../perleg/perleg_english_keys.csv",
         "0[3] 0/0: 佐藤陽一/北山OLC/630/190 260 100 80; 高橋海斗/湖畔OK/+660/200 250 120 90; "
         "高橋海斗/湖畔OK/+720/210 300 130 80; 田中美咲/港大OLC/+86780/230 ? 150 ?"},
        // Radio controls at the places the "No" fields give, quoted texts, m:ss, "6.4" km.
        {"oe0016_radio.csv",
         "D21E[5] 6400/0: Ilze Kalnina/Meža OK/1800/→ 480 → 720 → 600; "
         "Anna Bērziņa/Kalna OK/2100/→ → → 1440 → 660; Līga Ozoliņa/Upes SK/+1980/→ 540 → → → "
         "1440"},
        // Radio controls numbered in sequence, fewer than the course's: the class has those
        // controls; "Place;Total", "6,12" km, LF only; a course without any punch.
        {"oe0016_sequence.csv",
         "Rouge Long[2] 6120/140: Louise MARCHAND/CO Vallée/2670/1300 1110 260; "
         "Hugo FONTAINE/ASO Plateau/2945/1505 1215 225 | "
         "Vert Court[1] 2350/60: Emma ROUSSEL/CO Vallée/1092/? ?; Théo GARNIER/ASO Plateau/+1420/→ "
         "1420"},
        // Relay team times at radio controls listed in code order, English and Finnish headings:
        // a class per leg with the controls its members passed, in the order they passed them.
        {"os0016_relay_english.csv",
         "M21-1[2] 2400/0: Eero Koski/Rastiveikot 1/740/590 135 15; "
         "Juho Mäkelä/Metsäpolku 1/765/→ 750 15 | "
         "M21-2[3] 3100/0: Ville Laine/Rastiveikot 1/980/330 330 290 30; "
         "Aku Heino/Metsäpolku 1/+1110/360 420 → 330"},
        {"os0016_relay_finnish.csv",
         "M21-1[2] 2400/0: Eero Koski/Rastiveikot 1/740/590 135 15; "
         "Juho Mäkelä/Metsäpolku 1/765/→ 750 15 | "
         "M21-2[3] 3100/0: Ville Laine/Rastiveikot 1/980/330 330 290 30; "
         "Aku Heino/Metsäpolku 1/+1110/360 420 → 330"},
        // Clock times at the radio controls while the starts count from the relay's zero: only
        // the legs between two radio controls are known.
        {"os0016a_speaker_german.csv",
         "W12-1[2] 1600/80: Mia Vogel/LV Nord/970/? 150 ?; Lea Brandt/LV Süd/1120/? 210 ? | "
         "W12-2[2] 1600/80: Jana Keller/LV Nord/1130/? 325 ?"},
        // Results without punch columns: totals and unknown legs; a mispunch keeps its time.
        {"results_without_punches.csv",
         "W21[12] 5200/120: Ann Carter/Bristol OC/1860/? ? ? ? ? ? ? ? ? ? ? ? ?; "
         "Beth Gray/Avon Valley/2010/? ? ? ? ? ? ? ? ? ? ? ? ?; "
         "Cara Hill/Bristol OC/+1560/→ → → → → → → → → → → → 1560"},
        // The split pages of the OE programs: tags around the cells, controls that wrap onto
        // four-line entries, extra punches after the finish, an empty club line; German words,
        // no climb, "Aufg".
        {"../splithtml/oe_html_english.html",
         "Blue[4] 4200/150: Ann Carter/Avon & Wye/1860/300 450 450 540 120; "
         "Beth Gray//2000/360 480 490 530 140; Cara Hill/Avon & Wye/+1960/340 → 920 550 150"},
        {"../splithtml/oe_html_german.html",
         "D 21-[3] 3150/0: Huber Eva/OLC Wienerwald/1450/360 440 520 130; "
         "Gruber Lisa/ÖTK Baden/+173230/430 ? ? ?"},
        {"../iofxml/results_without_splits.xml",
         "M21[12] 4200/0: Ola Berg/OK Nord/1500/? ? ? ? ? ? ? ? ? ? ? ? ?; "
         "Eva Lund//+1600/→ → → → → → → → → → → → 1600"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        testDocument().resetRace();
        auto* prompts = new Prompts::ScriptedPrompts;
        Prompts::ScopedPrompts scope{std::unique_ptr<Prompts::PromptService>(prompts)};
        lastLoad = basConvert::LoadRaceFile(
            testDocument(),
            testsupport::dataPath(QStringLiteral("results/") + QString::fromUtf8(c.file)));
        ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
        EXPECT_EQ(raceSummary().toStdString(), c.summary);
        EXPECT_TRUE(prompts->log.empty());
        EXPECT_FALSE(testDocument().DataModified());
    }
}

// The event's name and date from an OWare file's second line; a lap file saved from an export
// keeps every runner with every leg.
TEST_F(LapFileTest, ResultExportsSurviveALapFile)
{
    for (const char* file : {"oware.csv", "os_relay.csv", "solv.csv", "os0016a_speaker_german.csv",
                             "results_without_punches.csv", "oe0016_radio.csv"}) {
        SCOPED_TRACE(file);
        testDocument().resetRace();
        lastLoad = basConvert::LoadRaceFile(
            testDocument(),
            testsupport::dataPath(QStringLiteral("results/") + QString::fromUtf8(file)));
        ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
        if (QString::fromUtf8(file) == QLatin1String("oware.csv")) {
            EXPECT_EQ(testRace().RaceInfo.RaceName, QStringLiteral("Nachtlauf Waldegg"));
            EXPECT_EQ(testRace().RaceInfo.RaceDate, QDate(2024, 11, 16));
        }
        auto legsOfRunners = [] {
            QStringList runners;
            for (const auto& cls : testRace().ClassList)
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
        testDocument().resetRace();
        lastLoad = basConvert::LoadRaceFile(testDocument(), tempPath(QStringLiteral("saved.lap")));
        ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
        const QStringList legsAfter = legsOfRunners();
        EXPECT_EQ(legsAfter, legsBefore);
    }
}

// Of a result list holding several races the first is read, or the one chosen; a race the
// file does not hold is refused with a reason, and the race in memory kept.
TEST_F(LapFileTest, OneRaceOfSeveralIsRead)
{
    const QString path = testsupport::dataPath(QStringLiteral("iofxml/tworaces.xml"));
    struct Case {
        int race;
        const char* name;
        QDate date;
        const char* summary;
    };
    const Case cases[] = {
        {0, "Two Days Day 1", QDate(2024, 6, 1), "W21[1] 4000/0: Eva Sand//1200/500 700"},
        {1, "Two Days Day 1", QDate(2024, 6, 1), "W21[1] 4000/0: Eva Sand//1200/500 700"},
        {2, "Two Days Day 2", QDate(2024, 6, 2),
         "W21[2] 6000/0: Eva Sand//2000/600 900 500; Mia Lund//2100/700 900 500"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.race);
        testDocument().resetRace();
        basConvert::LoadOptions options;
        options.raceNumber = c.race;
        lastLoad = basConvert::LoadRaceFile(testDocument(), path, nullptr, options);
        ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
        EXPECT_EQ(testRace().RaceInfo.RaceName, QString::fromUtf8(c.name));
        EXPECT_EQ(testRace().RaceInfo.RaceDate, c.date);
        EXPECT_EQ(raceSummary().toStdString(), c.summary);
    }
    loadPreviousRace();
    basConvert::LoadOptions thirdRace;
    thirdRace.raceNumber = 3;
    const basConvert::LoadResult third =
        basConvert::LoadRaceFile(testDocument(), path, nullptr, thirdRace);
    EXPECT_EQ(third.status, basConvert::LoadStatus::Failed);
    EXPECT_TRUE(third.failureMessage().contains(QStringLiteral("レース 3")));
    expectPreviousRace();
}

// A header shorter than its rows, whose pairs only the rows show at an OE position: the columns
// of that layout are read, and no field beyond the header is looked up in it.
TEST_F(LapFileTest, PairsBeyondAShortHeaderAreFoundInTheRows)
{
    QString text = QStringLiteral("Sp1;Sp2;Sp3;Sp4\n");
    for (const auto& [name, time] :
         {std::pair{"Ann Berg", "20:00"}, std::pair{"Eva Lund", "21:00"}}) {
        QStringList fields(44);
        fields[3] = QString::fromUtf8(name);
        fields[9] = QString::fromUtf8(time);
        fields[16] = QStringLiteral("D21");
        text += (fields + QStringList{"31", "8:00", "32", "15:00"}).join(QLatin1Char(';')) + "\n";
    }
    load(text, QStringLiteral("short.csv"));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    EXPECT_EQ(raceSummary().toStdString(),
              "D21[2] 0/0: Ann Berg//1200/480 420 300; Eva Lund//1260/480 420 360");
}
