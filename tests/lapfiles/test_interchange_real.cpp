// Real result lists of other programs' users: each loads with the classes and runners the file
// holds, and a few totals and legs agree with the file. Skipped when the files are absent.
#include "lapfixtures.h"

#include "lapfiles/interchange.h"
#include "race/prompts.h"

#include <functional>

using namespace basDefinition;
using namespace lapfixtures;

namespace {

const clsClassDataSub* findRunner(const QString& name)
{
    for (const auto& c : ClassList)
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
    for (const auto& c : ClassList) count += c->ClassRunnerCount();
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
         EXPECT_EQ(RaceInfo.RaceName, QStringLiteral("VeNotte 2020"));
         EXPECT_EQ(ClassList.at(1).ClassName, QStringLiteral("Nero"));
         EXPECT_EQ(ClassList.at(1).ClassLength, 7100);
         EXPECT_EQ(ClassList.at(1).ClassControlCount, 21);
         expectRunner("Alessio Tenani", 2486, {109, 156, 247});
         EXPECT_EQ(secondsOf(findRunner(QStringLiteral("Alessio Tenani"))->Lap(22)), 7);
         EXPECT_EQ(secondsOf(findRunner(QStringLiteral("Alessio Tenani"))->StartTime),
                   19 * 3600 + 16 * 60 + 3);
     }},
    // Forked legs: a class per sequence of controls, each with all its runners' controls.
    {"oreplay-oreplay-backend/relay.xml", 10, 12, nullptr,
     [] { EXPECT_EQ(ClassList[QStringLiteral("DH18-1 109-85-80")].ClassControlCount, 18); }},
    {"NicoRio42-splittimes/offline.xml", 1, 131, nullptr,
     [] {
         EXPECT_EQ(ClassList.at(1).ClassControlCount, 22);
         expectRunner("Jannis Bonek", 2224, {109, 116, 201});
         // Mispunched, with a control of no time: the next leg covers both.
         expectRunner("Angus Haines", kDaySeconds + 2986, {134, 172, 254, 129, 51, 66, -1, 381});
     }},
    {"orienteering-js-split-times/iof-xml-3.0-splittimes.xml", 4, 6, nullptr,
     [] {
         EXPECT_EQ(ClassList.at(1).ClassName, QStringLiteral("Catégorie-1"));
         EXPECT_EQ(ClassList.at(1).ClassControlCount, 29);  // from the course: no runner
         EXPECT_EQ(ClassList.at(1).ClassRunnerCount(), 0);
         expectRunner("Loic CAPBERN", 968, {32, 46, 29});
     }},
    {"daveryderoxford-splitsbrowserjava/iofxmlWinSplits.xml", 6, 64, nullptr,
     [] {
         EXPECT_EQ(RaceInfo.RaceName, QStringLiteral("Kort-DM/ Torvaldsblotet"));
         EXPECT_EQ(RaceInfo.RaceDate, QDate(2003, 6, 25));
         EXPECT_EQ(ClassList.at(1).ClassControlCount, 17);
         expectRunner("Per Magnusson", 27 * 60 + 35, {105, 59, 107});
         EXPECT_EQ(findRunner(QStringLiteral("Oskar Malmberg"))->Shozoku,
                   QStringLiteral("IFK Umeå"));
     }},
    {"daveryderoxford-splitsbrowserjava/siresults2.csv", 1, 54, nullptr,
     [] {
         const clsClassData& men = ClassList.at(1);
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
         EXPECT_EQ(ClassList.at(1).ClassName, QStringLiteral("M10B"));
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
         EXPECT_EQ(ClassList[QStringLiteral("M21E 164-210-230")].ClassRunnerCount(), 21);
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
         EXPECT_EQ(ClassList.at(1).ClassName, QStringLiteral("D-10"));
         EXPECT_EQ(ClassList.at(1).ClassLength, 2480);
         EXPECT_EQ(ClassList.at(1).ClassControlCount, 10);
         expectRunner("HENKES Julia", 2262, {131, 157, 143});
     }},
    {"LukeWoodward-SplitsBrowser/eventdata", 8, 160, nullptr,
     [] {
         EXPECT_EQ(ClassList.at(1).ClassControlCount, 21);
         expectRunner("Peter Bray", 2425, {170, 76});
         // A course of 32 controls, more than the old 30-leg runner held.
         EXPECT_EQ(ClassList[QStringLiteral("Brown")].ClassControlCount, 32);
         EXPECT_EQ(secondsOf(findRunner(QStringLiteral("William Gardner"))->Total), 3353);
         EXPECT_EQ(secondsOf(findRunner(QStringLiteral("William Gardner"))->Lap(33)), 23);
         EXPECT_EQ(secondsOf(findRunner(QStringLiteral("Peter Bray"))->StartTime), 10 * 3600);
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
        ResetRace();
        auto* prompts = new Prompts::ScriptedPrompts;
        Prompts::ScopedPrompts scoped{std::unique_ptr<Prompts::PromptService>(prompts)};
        basConvert::LoadRaceFile(path);
        ASSERT_EQ(FileResult, FileOk);
        EXPECT_EQ(CurrentFilePath, path);
        EXPECT_EQ(ClassList.count(), file.classes);
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
        ResetRace();
        Prompts::ScopedPrompts scoped{std::make_unique<Prompts::ScriptedPrompts>()};
        basConvert::LoadRaceFile(path);
        ASSERT_EQ(FileResult, FileOk);
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
        const bool dated = RaceInfo.hasDate();
        auto snapshot = [dated] {
            std::vector<Row> rows;
            for (const auto& c : ClassList)
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
        const QStringList names = ClassList.names();
        const QString saved = tempPath(QStringLiteral("round.xml"));
        basConvert::SaveRaceFile(saved, 4);
        ASSERT_EQ(FileResult, FileOk);
        ResetRace();
        basConvert::LoadRaceFile(saved);
        ASSERT_EQ(FileResult, FileOk);
        EXPECT_EQ(ClassList.names(), names);
        EXPECT_TRUE(snapshot() == before);
    }
    if (found == 0) GTEST_SKIP() << "the real result files are not here";
}

// The other real files (split tables inside HTML, a start list) are left to the other readers.
TEST_F(RealInterchangeTest, OtherRealFilesAreNotTakenForResultLists)
{
    int found = 0;
    for (const char* name :
         {"AtsushiYanaigsawa768-JOY2Mulka/Startlist_anonymous.csv",
          "daveryderoxford-splitsbrowserjava/46.html", "daveryderoxford-splitsbrowserjava/79.txt",
          "daveryderoxford-splitsbrowserjava/german.html",
          "daveryderoxford-splitsbrowserjava/missingclub.html"}) {
        SCOPED_TRACE(name);
        const QString path = testsupport::realDataPath(QString::fromUtf8(name));
        if (path.isEmpty()) continue;
        ++found;
        RaceHeader header;
        ClassCollection classes;
        basConvert::ReadResult result;
        result.code = 99;
        EXPECT_FALSE(basConvert::ReadInterchangeFile(path, header, classes, &result));
        EXPECT_EQ(result.code, 99);
    }
    if (found == 0) GTEST_SKIP() << "the real result files are not here";
}
