// Real result lists of other programs' users: each loads with the classes and runners the file
// holds, and a few totals and legs agree with the file. Skipped when the files are absent.
#include "lapfixtures.h"

#include "common/scriptedprompts.h"
#include "lapfiles/interchange.h"
#include "race/prompts.h"

#include <functional>

using namespace basDefinition;
using namespace lapfixtures;

namespace {

const clsClassDataSub* findRunner(const QString& name)
{
    for (const auto& c : testRace().ClassList)
        for (int n = 1; n <= c->ClassRunnerCount(); ++n)
            if (c->Item(n).Namae == name) return &c->Item(n);
    return nullptr;
}

long long secondsOf(double value)
{
    return std::llround(value / kSecond);
}

// Whole seconds of legs 1..count; LapMerged as -1, LapMissing as 0.
std::vector<long long> legs(const clsClassDataSub& r, int count)
{
    std::vector<long long> out;
    for (int k = 1; k <= count; ++k)
        out.push_back(r.Lap(k) > 0 ? secondsOf(r.Lap(k)) : IsLapMerged(r.Lap(k)) ? -1 : 0);
    return out;
}

int runnerCount()
{
    int count = 0;
    for (const auto& c : testRace().ClassList) count += c->ClassRunnerCount();
    return count;
}

struct RealFile {
    const char* path;
    int classes;
    int runners;
    const char* skippedClass;  // named by the one message, or nullptr
    std::function<void()> check;
};

void expectRunner(const char* name, long long total, std::vector<long long> firstLegs)
{
    SCOPED_TRACE(name);
    const clsClassDataSub* r = findRunner(QString::fromUtf8(name));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(secondsOf(r->Total), total);
    EXPECT_EQ(legs(*r, static_cast<int>(firstLegs.size())), firstLegs);
}

constexpr long long kDaySeconds = 86400;

const RealFile kFiles[] = {
    {"LukeWoodward-SplitsBrowser/venezia.xml", 8, 416, nullptr,
     [] {
         EXPECT_EQ(testRace().RaceInfo.RaceName, QStringLiteral("VeNotte 2020"));
         EXPECT_EQ(testRace().ClassList.at(1).ClassName, QStringLiteral("Nero"));
         EXPECT_EQ(testRace().ClassList.at(1).ClassLength, 7100);
         EXPECT_EQ(testRace().ClassList.at(1).ClassControlCount, 21);
         expectRunner("Alessio Tenani", 2486, {109, 156, 247});
         EXPECT_EQ(secondsOf(findRunner(QStringLiteral("Alessio Tenani"))->Lap(22)), 7);
         EXPECT_EQ(secondsOf(findRunner(QStringLiteral("Alessio Tenani"))->StartTime),
                   19 * 3600 + 16 * 60 + 3);
     }},
    // Forked legs: a class per sequence of controls, each with all its runners' controls.
    {"oreplay-oreplay-backend/relay.xml", 10, 12, nullptr,
     [] {
         EXPECT_EQ(testRace().ClassList[QStringLiteral("DH18-1 109-85-80")].ClassControlCount, 18);
     }},
    {"NicoRio42-splittimes/offline.xml", 1, 131, nullptr,
     [] {
         EXPECT_EQ(testRace().ClassList.at(1).ClassControlCount, 22);
         expectRunner("Jannis Bonek", 2224, {109, 116, 201});
         // Mispunched, with a control of no time: the next leg covers both.
         expectRunner("Angus Haines", kDaySeconds + 2986, {134, 172, 254, 129, 51, 66, -1, 381});
     }},
    {"orienteering-js-split-times/iof-xml-3.0-splittimes.xml", 4, 6, nullptr,
     [] {
         EXPECT_EQ(testRace().ClassList.at(1).ClassName, QStringLiteral("Catégorie-1"));
         EXPECT_EQ(testRace().ClassList.at(1).ClassControlCount, 29);  // from the course: no runner
         EXPECT_EQ(testRace().ClassList.at(1).ClassRunnerCount(), 0);
         expectRunner("Loic CAPBERN", 968, {32, 46, 29});
     }},
    {"daveryderoxford-splitsbrowserjava/iofxmlWinSplits.xml", 6, 64, nullptr,
     [] {
         EXPECT_EQ(testRace().RaceInfo.RaceName, QStringLiteral("Kort-DM/ Torvaldsblotet"));
         EXPECT_EQ(testRace().RaceInfo.RaceDate, QDate(2003, 6, 25));
         EXPECT_EQ(testRace().ClassList.at(1).ClassControlCount, 17);
         expectRunner("Per Magnusson", 27 * 60 + 35, {105, 59, 107});
         EXPECT_EQ(findRunner(QStringLiteral("Oskar Malmberg"))->Shozoku,
                   QStringLiteral("IFK Umeå"));
     }},
    {"daveryderoxford-splitsbrowserjava/siresults2.csv", 1, 54, nullptr,
     [] {
         const clsClassData& men = testRace().ClassList.at(1);
         EXPECT_EQ(men.ClassName, QStringLiteral("M"));
         EXPECT_EQ(men.ClassLength, 18400);
         EXPECT_EQ(men.ClassUpHeight, 535);
         EXPECT_EQ(men.ClassControlCount, 15);
         expectRunner("Lanki Jukka", 84 * 60 + 55, {319, 211});
         EXPECT_EQ(secondsOf(findRunner(QStringLiteral("Lanki Jukka"))->Lap(16)), 17);
         EXPECT_EQ(secondsOf(findRunner(QStringLiteral("Lanki Jukka"))->StartTime), 119 * 60);
     }},
    {"daveryderoxford-splitsbrowserjava/cc.csv", 64, 710, nullptr,
     [] {
         EXPECT_EQ(testRace().ClassList.at(1).ClassName, QStringLiteral("M10B"));
         expectRunner("Matthew Jones", 18 * 60 + 45, {106, 87, 68});
         EXPECT_EQ(findRunner(QStringLiteral("Matthew Jones"))->Shozoku, QStringLiteral("SLOW"));
     }},
    {"daveryderoxford-splitsbrowserjava/comma.csv", 2, 44, nullptr,
     [] {
         expectRunner("Janine Hensman", 47 * 60 + 33, {218, 369});
         EXPECT_EQ(secondsOf(findRunner(QStringLiteral("Janine Hensman"))->StartTime),
                   10 * 3600 + 25 * 60 + 39);
     }},
    {"daveryderoxford-splitsbrowserjava/swedish.txt", 11, 105, nullptr,
     [] {
         expectRunner("Erik Ögren", 13 * 60 + 59, {33, 107});
         EXPECT_EQ(findRunner(QStringLiteral("Erik Ögren"))->Shozoku,
                   QStringLiteral("Bergnäsets AIK"));
     }},
    {"daveryderoxford-splitsbrowserjava/french.csv", 1, 29, nullptr,
     [] {
         expectRunner("BORNARD Patrice", 4 * 3600 + 28 * 60 + 49, {22 * 60 + 13});
         // Mispunched: four controls without time, the next leg covers them.
         const clsClassDataSub* buchon = findRunner(QStringLiteral("BUCHON Gilles"));
         ASSERT_NE(buchon, nullptr);
         EXPECT_GT(buchon->Total, 1.0);
         std::vector<long long> all = legs(*buchon, 21);
         EXPECT_EQ(std::vector<long long>(all.begin() + 13, all.end()),
                   (std::vector<long long>{-1, -1, -1, -1, 6656, 1032, 721, 95}));
     }},
    {"LukeWoodward-SplitsBrowser/eventdata6478", 80, 1522, nullptr,
     [] {
         // Butterfly loops run in either order: a class per order.
         EXPECT_EQ(testRace().ClassList[QStringLiteral("M21E 164-210-230")].ClassRunnerCount(), 21);
         expectRunner("Peter Warland", 3600 + 2 * 60 + 34, {110, 110});
         // No status, but "mp" as the place, and after the name, where it is not kept.
         const clsClassDataSub* funnell = findRunner(QStringLiteral("David Funnell"));
         ASSERT_NE(funnell, nullptr);
         EXPECT_GT(funnell->Total, 1.0);
         EXPECT_TRUE(IsLapMerged(funnell->Lap(12)));
         // "n/c" as the place and after the name: kept with the legs, listed after the ranked.
         const clsClassDataSub* szarvas = findRunner(QStringLiteral("Edward Szarvas"));
         ASSERT_NE(szarvas, nullptr);
         EXPECT_EQ(secondsOf(szarvas->Total), kDaySeconds + 43 * 60 + 40);
         EXPECT_EQ(legs(*szarvas, 3), (std::vector<long long>{565, 388, 268}));
     }},
    {"LukeWoodward-SplitsBrowser/eventdata6577", 29, 252, nullptr,
     [] {
         expectRunner("Juste RAIMBAULT", 51 * 60 + 41, {207, 101});
         EXPECT_EQ(findRunner(QStringLiteral("Juste RAIMBAULT"))->Shozoku,
                   QStringLiteral("CSLG MELUN"));
     }},
    {"daveryderoxford-splitsbrowserjava/National8.csv", 37, 330, nullptr,
     [] {
         EXPECT_EQ(testRace().ClassList.at(1).ClassName, QStringLiteral("D-10"));
         EXPECT_EQ(testRace().ClassList.at(1).ClassLength, 2480);
         EXPECT_EQ(testRace().ClassList.at(1).ClassControlCount, 10);
         expectRunner("HENKES Julia", 2262, {131, 157, 143});
     }},
    {"LukeWoodward-SplitsBrowser/eventdata", 8, 160, nullptr,
     [] {
         EXPECT_EQ(testRace().ClassList.at(1).ClassControlCount, 21);
         expectRunner("Peter Bray", 2425, {170, 76});
         // A course of 32 controls, more than the old 30-leg runner held.
         EXPECT_EQ(testRace().ClassList[QStringLiteral("Brown")].ClassControlCount, 32);
         EXPECT_EQ(secondsOf(findRunner(QStringLiteral("William Gardner"))->Total), 3353);
         EXPECT_EQ(secondsOf(findRunner(QStringLiteral("William Gardner"))->Lap(33)), 23);
         EXPECT_EQ(secondsOf(findRunner(QStringLiteral("Peter Bray"))->StartTime), 10 * 3600);
     }},
    // The OE layout as another program writes it: radio controls numbered in sequence, most
    // courses without any punch (totals, unknown legs), LF only.
    {"petlof-liveresults/helga_CN2015_LD.csv", 13, 932, nullptr,
     [] {
         EXPECT_EQ(testRace().ClassList[QStringLiteral("Noir Court")].ClassControlCount, 2);
         EXPECT_EQ(testRace().ClassList[QStringLiteral("Noir Court")].ClassLength, 5060);
         expectRunner("Helena JANSSON", 2738, {1498, 1087, 153});
         EXPECT_EQ(findRunner(QStringLiteral("Helena JANSSON"))->Shozoku,
                   QStringLiteral("OK Ravinen"));
         expectRunner("Mael HERITIER", 1237, {0, 0});
     }},
    // Quoted fields, m:ss, a radio control at the place its "No" field gives.
    {"petlof-liveresults/madonas.csv", 2, 60, nullptr,
     [] {
         EXPECT_EQ(testRace().ClassList[QStringLiteral("W21E")].ClassControlCount, 18);
         EXPECT_EQ(testRace().ClassList[QStringLiteral("W21E")].ClassLength, 7700);
         expectRunner("Daisy Kudre", 48 * 60 + 41, {-1, -1, 262, -1});
         EXPECT_EQ(findRunner(QStringLiteral("Daisy Kudre"))->Shozoku, QStringLiteral("Peko OK"));
     }},
    // A relay: a class per leg, team times at the radio controls, English and Finnish headings.
    {"petlof-liveresults/os2010_splits_eng.csv", 22, 992, nullptr,
     [] {
         EXPECT_EQ(testRace().ClassList.at(1).ClassName, QStringLiteral("H21-1"));
         expectRunner("Daniel Stenlund", 647, {512, 125, 10});
         EXPECT_EQ(findRunner(QStringLiteral("Daniel Stenlund"))->Shozoku,
                   QStringLiteral("Paimion Rasti 1"));
         // Leg 4 of class A: the member started 1:26:46 after the team.
         expectRunner("Aleksi Vihelä", 2136, {791, 1280, 55, 10});
     }},
    {"petlof-liveresults/os2010_splits_fin.csv", 22, 992, nullptr,
     [] {
         EXPECT_EQ(testRace().ClassList.at(1).ClassName, QStringLiteral("H21-1"));
         expectRunner("Daniel Stenlund", 647, {512, 125, 10});
         expectRunner("Aleksi Vihelä", 2136, {791, 1280, 55, 10});
     }},
    // Clock times at the radio controls, starts from the relay's zero time; two members
    // classified as not started have punches and are kept with their status.
    {"petlof-liveresults/OS2010_GER_speaker_intermediate_results.csv", 27, 349, nullptr,
     [] {
         EXPECT_EQ(testRace().ClassList.at(1).ClassName, QStringLiteral("D12T-1"));
         expectRunner("Luise Steinert", 883, {0, 137, 0});
         EXPECT_EQ(findRunner(QStringLiteral("Luise Steinert"))->Shozoku,
                   QStringLiteral("LTV Sachsen"));
     }},
    // A line per runner and leg under the keys of a data tool; two runs of one name.
    {"NodaShotaro-lapcenter/lap.csv", 11, 130, nullptr,
     [] {
         EXPECT_EQ(testRace().RaceInfo.RaceName,
                   QStringLiteral("第24回根の上高原つつじまつりオリエンテーリング大会"));
         EXPECT_EQ(testRace().ClassList.at(1).ClassControlCount, 15);
         expectRunner("松下睦生", 1526, {70, 169, 77, 67});
         EXPECT_EQ(secondsOf(findRunner(QStringLiteral("松下睦生"))->Lap(16)), 20);
         EXPECT_EQ(findRunner(QStringLiteral("松下睦生"))->Shozoku, QStringLiteral("京都OLC"));
         int notCompeting = 0;
         for (int n = 1; n <= testRace().ClassList.at(1).ClassRunnerCount(); ++n)
             if (testRace().ClassList.at(1).Item(n).Namae == QStringLiteral("谷川友太")) {
                 EXPECT_GT(testRace().ClassList.at(1).Item(n).Total, 1.0);
                 ++notCompeting;
             }
         EXPECT_EQ(notCompeting, 2);
     }},
    // Split pages: controls that wrap onto four-line entries, mispunches with "-----".
    {"daveryderoxford-splitsbrowserjava/79.txt", 10, 157, nullptr,
     [] {
         EXPECT_EQ(testRace().RaceInfo.RaceName, QStringLiteral("SS1 Mt Tarrengower"));
         EXPECT_EQ(testRace().ClassList.at(1).ClassLength, 11925);
         EXPECT_EQ(testRace().ClassList.at(1).ClassUpHeight, 610);
         EXPECT_EQ(testRace().ClassList.at(1).ClassControlCount, 19);
         expectRunner("ARTHUR BRUCE", 83 * 60 + 46, {142, 98, 526});
         EXPECT_EQ(secondsOf(findRunner(QStringLiteral("ARTHUR BRUCE"))->Lap(15)), 230);
         const clsClassDataSub* warren = findRunner(QStringLiteral("KEY WARREN"));
         ASSERT_NE(warren, nullptr);
         EXPECT_GT(warren->Total, 1.0);
         EXPECT_TRUE(IsLapMerged(warren->Lap(10)));
     }},
    {"daveryderoxford-splitsbrowserjava/46.html", 1, 25, nullptr,
     [] {
         expectRunner("David Seward", 32 * 60 + 1, {218, 139, 53});
     }},
    // German words, no climb, controls as "P".
    {"daveryderoxford-splitsbrowserjava/german.html", 12, 110, nullptr,
     [] {
         EXPECT_EQ(testRace().ClassList.at(1).ClassName, QStringLiteral("H 19-"));
         expectRunner("Kaltenbacher Pierre", 59 * 60 + 56, {488, 435, 175});
         EXPECT_EQ(findRunner(QStringLiteral("Kaltenbacher Pierre"))->Shozoku,
                   QStringLiteral("HSV WR. NEUSTADT"));
     }},
    // No start number column; a class name with brackets.
    {"daveryderoxford-splitsbrowserjava/YorkParkRace.html", 4, 134, nullptr,
     [] {
         EXPECT_EQ(testRace().ClassList.at(1).ClassName, QStringLiteral("Men (long)"));
         expectRunner("Oli Johnson", 28 * 60 + 27, {52, 42, 25});
     }},
    // Punches after the finish are no controls.
    {"daveryderoxford-splitsbrowserjava/rendlesham.html", 54, 257, nullptr,
     [] {
         expectRunner("Alex Bibby", 630, {59, 55, 91, 69, 55, 52, 79, 63, 67, 40});
     }},
    {"daveryderoxford-splitsbrowserjava/missingclub.html", 6, 171, nullptr,
     [] {
         expectRunner("Poly Byron", 28 * 60 + 8, {124, 165});
         EXPECT_EQ(findRunner(QStringLiteral("Poly Byron"))->Shozoku, QString());
     }},
    // Results without splits: totals, and legs unknown.
    {"sheptron-OrienteeringSeriesScoreCalculator/2015-10-21RSTS_3_CampbellPark.xml", 3, 155,
     nullptr,
     [] {
         expectRunner("Theo Fleurent", 1684, {0, 0, 0});
     }},
};

}  // namespace

class RealInterchangeTest : public RaceTest {};

TEST_F(RealInterchangeTest, EachFileLoadsWithItsClassesRunnersAndTimes)
{
    int found = 0;
    for (const RealFile& file : kFiles) {
        SCOPED_TRACE(file.path);
        const QString path = testsupport::realDataPath(QString::fromUtf8(file.path));
        if (path.isEmpty()) continue;
        ++found;
        testDocument().resetRace();
        auto* prompts = new Prompts::ScriptedPrompts;
        Prompts::ScopedPrompts scoped{std::unique_ptr<Prompts::PromptService>(prompts)};
        ASSERT_TRUE(basConvert::LoadRaceFile(testDocument(), path).loaded());
        EXPECT_EQ(testDocument().CurrentFilePath(), path);
        EXPECT_EQ(testRace().ClassList.count(), file.classes);
        EXPECT_EQ(runnerCount(), file.runners);
        if (file.skippedClass) {
            ASSERT_EQ(prompts->log.size(), 1u);
            EXPECT_TRUE(prompts->log.front().text.contains(
                QStringLiteral("「%1」").arg(QString::fromUtf8(file.skippedClass))));
        } else {
            EXPECT_TRUE(prompts->log.empty());
        }
        file.check();
    }
    if (found == 0) GTEST_SKIP() << "the real result files are not here";
}

// Saved as IOF XML 3.0 and read back, every real file keeps its classes, runners, totals and
// legs. Start times need the race date, so they are compared only when the file has one.
TEST_F(RealInterchangeTest, EachFileSurvivesARoundTripThroughIofXml)
{
    int found = 0;
    for (const RealFile& file : kFiles) {
        SCOPED_TRACE(file.path);
        const QString path = testsupport::realDataPath(QString::fromUtf8(file.path));
        if (path.isEmpty()) continue;
        ++found;
        testDocument().resetRace();
        Prompts::ScopedPrompts scoped{std::make_unique<Prompts::ScriptedPrompts>()};
        ASSERT_TRUE(basConvert::LoadRaceFile(testDocument(), path).loaded());
        struct Row {
            QString cls, name, club;
            long long start, total;
            std::vector<long long> laps;
            bool operator<(const Row& o) const
            {
                return std::tie(cls, name, total, laps) < std::tie(o.cls, o.name, o.total, o.laps);
            }
            bool operator==(const Row& o) const
            {
                return std::tie(cls, name, club, start, total, laps) ==
                       std::tie(o.cls, o.name, o.club, o.start, o.total, o.laps);
            }
        };
        const bool dated = testRace().RaceInfo.hasDate();
        auto snapshot = [dated] {
            std::vector<Row> rows;
            for (const auto& c : testRace().ClassList)
                for (int n = 1; n <= c->ClassRunnerCount(); ++n) {
                    const clsClassDataSub& r = c->Item(n);
                    // Blanks inside names are not kept: a name is split into its words.
                    rows.push_back({c->ClassName, r.Namae.simplified(), r.Shozoku,
                                    dated ? secondsOf(r.StartTime) : 0, secondsOf(r.Total),
                                    legs(r, c->LegCount())});
                }
            std::sort(rows.begin(), rows.end());
            return rows;
        };
        const std::vector<Row> before = snapshot();
        const QStringList names = testRace().ClassList.names();
        const QString saved = tempPath(QStringLiteral("round.xml"));
        ASSERT_EQ(basConvert::SaveRaceFile(testDocument(), saved, basConvert::SaveType::IofXml),
                  basConvert::SaveResult::Saved);
        testDocument().resetRace();
        ASSERT_TRUE(basConvert::LoadRaceFile(testDocument(), saved).loaded());
        EXPECT_EQ(testRace().ClassList.names(), names);
        EXPECT_TRUE(snapshot() == before);
    }
    if (found == 0) GTEST_SKIP() << "the real result files are not here";
}

// A start list is left to the other readers.
TEST_F(RealInterchangeTest, OtherRealFilesAreNotTakenForResultLists)
{
    int found = 0;
    for (const char* name : {"AtsushiYanaigsawa768-JOY2Mulka/Startlist_anonymous.csv"}) {
        SCOPED_TRACE(name);
        const QString path = testsupport::realDataPath(QString::fromUtf8(name));
        if (path.isEmpty()) continue;
        ++found;
        EXPECT_EQ(basConvert::ReadRaceFile(path).format, basConvert::RaceFormat::Table);
    }
    if (found == 0) GTEST_SKIP() << "the real result files are not here";
}
