// A race saved in the program's own layouts (the lap file and the two lap CSV layouts) and
// loaded again keeps its classes, runners, valid and incomplete runs, totals and ranks: every
// real result file that loads, and generated races.
#include "lapfixtures.h"

#include "analysis/analyze.h"
#include "common/scriptedprompts.h"
#include "lapfiles/formattable.h"
#include "race/prompts.h"
#include "race/textutil.h"

#include <QDirIterator>

#include <random>
#include <tuple>

using namespace basDefinition;
using namespace lapfixtures;

namespace {

long long secondsOf(double value)
{
    return std::llround(value / kSecond);
}

// One runner as the program shows it: its class, texts, times, whether the run is complete and
// its competition rank among the complete runs of the class (0 for an incomplete run).
struct Row {
    QString cls, name, club;
    long long start = 0, total = 0;
    bool complete = false;
    int rank = 0;
    std::vector<long long> legs;  // seconds; LapMissing 0, LapMerged -1, LapAbsent -2

    auto key() const { return std::tie(cls, name, club, start, total, complete, rank, legs); }
    bool operator<(const Row& o) const { return key() < o.key(); }
    bool operator==(const Row& o) const { return key() == o.key(); }
};

std::ostream& operator<<(std::ostream& out, const Row& r)
{
    out << r.cls.toStdString() << "/" << r.name.toStdString() << "/" << r.club.toStdString()
        << " start " << r.start << " total " << r.total << (r.complete ? " ok" : " incomplete")
        << " rank " << r.rank << " legs";
    for (long long leg : r.legs) out << " " << leg;
    return out;
}

long long legValue(double lap)
{
    if (lap > 0) return secondsOf(lap);
    if (lap == LapMissing) return 0;
    return IsLapMerged(lap) ? -1 : -2;
}

struct Snapshot {
    QStringList classes;  // classes with runners, in order, with their leg structure
    std::vector<Row> rows;
    bool operator==(const Snapshot& o) const { return classes == o.classes && rows == o.rows; }
};

// What the analysis of each class with runners shows of every runner: its rank and time, and
// per leg its time, state and rank, the elapsed time and its state, and the top average.
QStringList analysisDigest()
{
    QStringList digest;
    for (const auto& c : testRace().ClassList) {
        if (c->ClassRunnerCount() == 0) continue;
        const basAnalyze::AnalysisWorkspace ws = basAnalyze::AnalyzeClass(*c);
        QStringList tops;
        for (int l = 1; l <= ws.AnaLegCount; ++l)
            tops << QString::number(secondsOf(ws.TopAverage(l)));
        digest << CbasGeneral::CsvField(c->ClassName) + QLatin1Char(' ') +
                      tops.join(QLatin1Char(' '));
        for (int r = 1; r <= ws.AnaRunnerCount; ++r) {
            QStringList row{CbasGeneral::CsvField(ws.RunnerName(r)),
                            QString::number(ws.TotalRank(r)),
                            QString::number(secondsOf(ws.TotalTime(r)))};
            for (int l = 1; l <= ws.AnaLegCount; ++l)
                row << QStringLiteral("%1/%2/%3/%4/%5")
                           .arg(secondsOf(ws.LapTime(r, l)))
                           .arg(ws.LapState(r, l))
                           .arg(ws.LapRank(r, l))
                           .arg(secondsOf(ws.SumTime(r, l)))
                           .arg(ws.SumState(r, l));
            digest << row.join(QLatin1Char(' '));
        }
    }
    return digest;
}

// legCountOnly: the IOF XML result list knows a class by its legs, every one ending at the
// finish (a class without a finish leg comes back with its last control as the finish).
Snapshot snapshot(bool withStart, bool legCountOnly = false)
{
    Snapshot s;
    for (const auto& c : testRace().ClassList) {
        if (c->ClassRunnerCount() == 0) continue;
        s.classes << (legCountOnly ? QStringLiteral("%1 %2")
                                         .arg(CbasGeneral::CsvField(c->ClassName))
                                         .arg(c->LegCount())
                                   : QStringLiteral("%1 %2 %3")
                                         .arg(CbasGeneral::CsvField(c->ClassName))
                                         .arg(c->ClassControlCount)
                                         .arg(c->ClassLastGoalExist));
        std::vector<long long> validTotals;
        for (int n = 1; n <= c->ClassRunnerCount(); ++n)
            if (c->Item(n).Total > 0 && c->Item(n).Total <= 1)
                validTotals.push_back(secondsOf(c->Item(n).Total));
        for (int n = 1; n <= c->ClassRunnerCount(); ++n) {
            const clsClassDataSub& r = c->Item(n);
            Row row;
            // A "," inside a text is saved as "，", by design.
            row.cls = CbasGeneral::CsvField(c->ClassName);
            row.name = CbasGeneral::CsvField(r.Namae);
            row.club = CbasGeneral::CsvField(r.Shozoku);
            row.start = withStart ? secondsOf(r.StartTime) : 0;
            row.total = secondsOf(r.Total);
            row.complete = r.Total > 0 && r.Total <= 1;
            if (row.complete)
                row.rank =
                    1 + static_cast<int>(std::count_if(validTotals.begin(), validTotals.end(),
                                                       [&](long long t) { return t < row.total; }));
            for (int k = 1; k <= c->LegCount(); ++k) row.legs.push_back(legValue(r.Lap(k)));
            s.rows.push_back(row);
        }
    }
    std::sort(s.rows.begin(), s.rows.end());
    return s;
}

// The filter indexes of SaveRaceFile that the program reads back: the lap file and the CSV
// layouts with runners as rows and as columns (these keep no start times), and the IOF XML
// result list (which keeps start times only with the race's date).
const int kLayouts[] = {1, 2, 3};
const int kLayoutsOfRealFiles[] = {1, 2, 3, 4};

QString fileName(int layout)
{
    return layout == 1   ? QStringLiteral("round.lap")
           : layout == 4 ? QStringLiteral("round.xml")
                         : QStringLiteral("round%1.csv").arg(layout);
}

class RoundTripTest : public RaceTest {
protected:
    // Saves the race in memory in the layout, loads it again and compares; with analysis, the
    // analysis of every class too. The race loaded back saves to the very bytes saved before.
    void expectRoundTrip(int layout, bool analysis = false)
    {
        SCOPED_TRACE(testing::Message() << "layout " << layout);
        const bool lap = layout == 1;
        const bool iof = layout == 4;
        const Snapshot before = snapshot(lap, iof);
        const QStringList analysed = analysis ? analysisDigest() : QStringList();
        const bool everyClassRun =
            static_cast<int>(before.classes.size()) == testRace().ClassList.count();
        const QString path = tempPath(fileName(layout));
        ASSERT_EQ(basConvert::SaveRaceFile(testDocument(), path, *basConvert::SaveTypeAt(layout)),
                  basConvert::SaveResult::Saved);
        const QByteArray bytes = testsupport::readBytes(path);
        testDocument().resetRace();
        ASSERT_TRUE(basConvert::LoadRaceFile(testDocument(), path).loaded());
        const Snapshot after = snapshot(lap, iof);
        EXPECT_EQ(after.classes, before.classes);
        ASSERT_EQ(after.rows.size(), before.rows.size());
        for (size_t i = 0; i < before.rows.size(); ++i)
            ASSERT_EQ(after.rows[i], before.rows[i]) << "row " << i;
        if (analysis) {
            EXPECT_EQ(analysisDigest(), analysed);
        }
        // The result list records when it was written; the CSV layouts have no place for a
        // class without runners.
        if (iof || (!lap && !everyClassRun)) return;
        basConvert::SaveRaceFile(testDocument(), path, *basConvert::SaveTypeAt(layout));
        EXPECT_TRUE(testsupport::readBytes(path) == bytes) << "saved again";
    }
};

}  // namespace

// Every file of the real data that loads as a race, through every layout the program reads
// back: mispunched and unfinished runs stay incomplete, with their legs, totals and ranks, and
// so do the runs that finished; the analysis of each class is the same.
TEST_F(RoundTripTest, EveryRealFileKeepsItsRunsThroughEachLayout)
{
    const QString root = testsupport::realDataPath(QStringLiteral("."));
    if (root.isEmpty()) GTEST_SKIP() << "the real result files are not here";
    Prompts::ScopedPrompts quiet{std::make_unique<Prompts::ScriptedPrompts>()};
    int races = 0;
    QDirIterator files(root, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        if (path.endsWith(QStringLiteral(".md"))) continue;
        for (int layout : kLayoutsOfRealFiles) {
            SCOPED_TRACE(path.toStdString());
            testDocument().resetRace();
            if (!basConvert::LoadRaceFile(testDocument(), path).loaded() ||
                snapshot(false).rows.empty())
                break;
            if (layout == 1) ++races;
            expectRoundTrip(layout, true);
        }
    }
    EXPECT_GE(races, 10);
}

// M21L of the OE file: Robert Palmer mispunched, with times up to control 9 and at the finish.
TEST_F(RoundTripTest, MispunchedRunnerOfARealListStaysBehindTheFinishers)
{
    const QString path =
        testsupport::realDataPath(QStringLiteral("daveryderoxford-splitsbrowserjava/cc.csv"));
    if (path.isEmpty()) GTEST_SKIP() << "the real result files are not here";
    auto finishersAndPalmer = [] {
        const clsClassData* m21 = testRace().ClassList.find(QStringLiteral("M21L"));
        int finishers = 0, palmer = 0;
        for (int n = 1; m21 && n <= m21->ClassRunnerCount(); ++n) {
            if (m21->Item(n).Total <= 1) ++finishers;
            if (m21->Item(n).Namae == QStringLiteral("Robert Palmer")) palmer = n;
        }
        return std::pair{finishers, palmer};
    };
    ASSERT_TRUE(basConvert::LoadRaceFile(testDocument(), path).loaded());
    const auto [finishers, palmer] = finishersAndPalmer();
    ASSERT_GT(palmer, finishers);
    const QString saved = tempPath(QStringLiteral("cc.lap"));
    basConvert::SaveRaceFile(testDocument(), saved, basConvert::SaveType::Lap);
    testDocument().resetRace();
    basConvert::LoadRaceFile(testDocument(), saved);
    EXPECT_EQ(finishersAndPalmer(), std::pair(finishers, palmer));
    const clsClassDataSub& run = testRace().ClassList.find(QStringLiteral("M21L"))->Item(palmer);
    EXPECT_EQ(secondsOf(run.Total), 86400 + 35 * 60 + 7);
    EXPECT_TRUE(IsLapMerged(run.Lap(10)));  // the controls he missed show as before
}

// A race of random classes and runners: every kind of leg, totals given, computed and
// incomplete (with and without a missing split, as result lists give mispunched runs), classes
// with and without a finish leg.
static void generateRace(unsigned seed)
{
    std::mt19937 random(seed);
    auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int c = 0, classes = 1 + pick(4); c < classes; ++c) {
        const int controls = pick(MaxLegs);
        const bool finish = controls < MaxLegs - 1 && pick(3) != 0;
        clsClassData& cls = addClass(QStringLiteral("K%1").arg(c), controls, finish);
        for (int n = 0, runners = pick(12); n < runners && cls.LegCount() > 0; ++n) {
            clsClassDataSub r;
            r.Namae = QStringLiteral("選手 %1-%2").arg(c).arg(n);
            r.Shozoku = pick(3) ? QStringLiteral("クラブ%1").arg(pick(5)) : QString();
            r.StartTime = pick(2) ? hms(9 + pick(5), pick(60), pick(60)) : 0;
            double sum = 0;
            for (int k = 1; k <= cls.LegCount(); ++k) {
                const int kind = pick(10);
                double lap = kind == 0   ? LapMissing
                             : kind == 1 ? LapMerged
                             : kind == 2 ? LapAbsent
                                         : hms(0, pick(20), 1 + pick(59));
                if (k == 1 && lap <= 0) lap = hms(0, 3, 7);  // a time that keeps the runner
                r.setLap(k, lap);
                if (lap > 0) sum += lap;
            }
            const int total = pick(4);
            if (total == 0) r.Total = sum + 1 + pick(3);         // incomplete, whatever its legs
            if (total == 1) r.Total = sum + hms(0, pick(3), 1);  // a total read from a file
            cls.Add(r);                                          // otherwise from the legs
        }
    }
}

TEST_F(RoundTripTest, GeneratedRacesKeepTheirRunsThroughEachLayout)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        for (int layout : kLayouts) {
            testDocument().resetRace();
            generateRace(seed);
            expectRoundTrip(layout);
        }
    }
}
