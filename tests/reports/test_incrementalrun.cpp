// Output runs into a folder that holds an earlier run's files: only what depends on a change is
// made again and rewritten, and the folder always ends as a run into an empty folder leaves it.
// The files of several classes are made side by side, yet hold what a run of one class at a
// time writes.
#include "classbuilder.h"
#include "common/scriptedprompts.h"
#include "htmlfixtures.h"
#include "outputtypenames.h"
#include "race/outputkeys.h"
#include "race/prompts.h"
#include "reports/htmlpages.h"
#include "reports/outputrun.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>

#include <functional>

using namespace analysistest;
using basExport::OutputOptions;

using namespace outputtypes;

namespace {

class IncrementalRun : public AnalysisTest {
protected:
    void SetUp() override
    {
        AnalysisTest::SetUp();
        buildRace();
    }

    static void buildRace()
    {
        testDocument().resetRace();
        AddOutputRunRace();
    }

    // Sets a leg of a runner as the lap editor does: the class is built again from its runners.
    static void setLeg(const QString& className, const QString& runner, int leg,
                       const QString& text)
    {
        clsClassData& cls = testRace().ClassList[className];
        const std::deque<clsClassDataSub> runners = cls.RunnersAsAdded();
        cls.ClearItem();
        for (clsClassDataSub r : runners) {
            if (r.Namae == runner) {
                r.setLap(leg, lapValue(text));
                r.Total = 0;
            }
            cls.Add(r);
        }
    }

    static OutputOptions options(const QString& folder, basExport::OutputFileType fileType,
                                 basExport::OutputDataType dataType)
    {
        OutputOptions o = basExport::InitialOutputOptions(testRace().RaceInfo, folder);
        o.chooseFileType(fileType);
        o.chooseDataType(dataType);
        return o;
    }

    // Runs the output and returns the names of the files the writer was asked to write.
    QStringList run(const OutputOptions& o)
    {
        QStringList made;
        const basExport::FileWriter writer = [&made](const QString& path, const QByteArray& bytes) {
            made << QFileInfo(path).fileName();
            return basExport::WriteOutputFile(path, bytes);
        };
        report = basExport::OutputFiles(testRace(), o,
                                        basExport::ClassListEntries(testRace().ClassList), writer);
        return made;
    }

    // The files of a folder (the key file left out) with their stamps and bytes.
    static QMap<QString, OutputKeys::FileStamp> stamps(const QString& folder)
    {
        QMap<QString, OutputKeys::FileStamp> result;
        for (const QString& name : QDir(folder).entryList(QDir::Files))
            result.insert(name, OutputKeys::StampOf(folder + "/" + name));
        return result;
    }
    // The names of the files (the key file left out) that are not the same in both folders.
    static std::string differences(const QString& folder, const QString& other)
    {
        QStringList names = QDir(folder).entryList(QDir::Files);
        names << QDir(other).entryList(QDir::Files);
        names.removeDuplicates();
        QStringList different;
        for (const QString& name : names) {
            if (!QFileInfo::exists(folder + "/" + name) || !QFileInfo::exists(other + "/" + name) ||
                testsupport::readBytes(folder + "/" + name) !=
                    testsupport::readBytes(other + "/" + name))
                different << name;
        }
        return different.join(' ').toStdString();
    }

    basExport::OutputReport report;
};

// Each row changes one kind of input after a first run and names the files the second run must
// make again (the writer is asked for them) and those whose bytes change (rewritten). Every
// other file is left exactly as it was, and the folder then holds what a run of the changed
// race into an empty folder writes.
TEST_F(IncrementalRun, ExactlyTheFilesThatDependOnAChangeAreMadeAndRewritten)
{
    const QString page = "02_race_.htm", m21 = "02_race_m_21.htm", w21 = "02_race_w21.htm",
                  index = "02_race_index.htm";
    const struct {
        const char* change;
        std::function<void(OutputOptions&, const QString& folder)> apply;
        QStringList made, rewritten;
    } rows[] = {
        {"nothing", [](OutputOptions&, const QString&) {}, {}, {}},
        // The index shows the winner, who stays the same: its bytes do not change.
        {"a leg of a runner",
         [](OutputOptions&, const QString&) { setLeg("W21", "C", 2, "1:20"); },
         {w21, index},
         {w21}},
        {"a class setting",
         [](OutputOptions&, const QString&) { testRace().ClassList["M/21"].ClassLength = 4200; },
         {m21, index},
         {m21, index}},
        {"a setting of the class pages only",
         [](OutputOptions& o, const QString&) { o.chooseForExcel(true, 2); },
         {page, m21, w21},
         {page, m21, w21}},
        {"the race name",
         [](OutputOptions&, const QString&) { testRace().RaceInfo.RaceName = "Final"; },
         {page, m21, w21, index},
         {page, m21, w21, index}},
        {"a page edited by hand",
         [&](OutputOptions&, const QString& folder) {
             testsupport::writeCp932(folder + "/" + m21, "<html>");
         },
         {m21},
         {m21}},
        {"a page removed",
         [&](OutputOptions&, const QString& folder) { QFile::remove(folder + "/" + w21); },
         {w21},
         {w21}},
        // The index links the files it finds in the folder.
        {"a chart image written",
         [&](OutputOptions&, const QString& folder) {
             testsupport::writeCp932(folder + "/02_race_w21_1.png", "png");
         },
         {index},
         {index}},
        {"the race viewer written",
         [&](OutputOptions&, const QString& folder) {
             testsupport::writeCp932(folder + "/02_race_viewer.html", "viewer");
         },
         {index},
         {index}},
        // Without its keys the run makes every file again, but what comes out is the same.
        {"the key file removed",
         [](OutputOptions&, const QString& folder) {
             QFile::remove(folder + "/" + OutputKeys::KeyFileName);
         },
         {page, m21, w21, index},
         {}},
    };
    int n = 0;
    for (const auto& row : rows) {
        buildRace();
        const QString folder = tempPath(QStringLiteral("live%1").arg(++n));
        ASSERT_TRUE(QDir().mkpath(folder));
        OutputOptions o = options(folder, FileHtml, DataAnalysis);
        EXPECT_EQ(run(o), (QStringList{page, m21, w21, index})) << row.change;

        row.apply(o, folder);
        const auto before = stamps(folder);
        EXPECT_EQ(run(o).join(' ').toStdString(), row.made.join(' ').toStdString()) << row.change;
        EXPECT_FALSE(report.failed) << row.change;
        EXPECT_EQ(report.written.size(), 4) << row.change;
        QStringList rewritten;
        const auto after = stamps(folder);
        for (auto it = after.cbegin(); it != after.cend(); ++it)
            if (!(before.value(it.key()) == it.value())) rewritten << it.key();
        QStringList expected = row.rewritten;
        expected.sort();
        EXPECT_EQ(rewritten.join(' ').toStdString(), expected.join(' ').toStdString())
            << row.change;

        // The same change made before a run into an empty folder.
        const QString fresh = folder + "-fresh";
        ASSERT_TRUE(QDir().mkpath(fresh));
        o.folder = fresh;
        row.apply(o, fresh);
        run(o);
        EXPECT_EQ(differences(folder, fresh), "") << row.change;
    }
}

// The same for every other kind of file: a second run makes nothing, a changed runner makes
// its class's file again (or the one file of all classes), and the folder ends as a fresh run
// leaves it.
TEST_F(IncrementalRun, EveryKindOfFileIsKeyedByItsClass)
{
    using namespace basExport;
    const struct {
        basExport::OutputFileType fileType;
        basExport::OutputDataType dataType;
        bool oneFile;
        QStringList madeAfterChange;
    } kinds[] = {
        {FileHtml, DataLegAnalysis, false, {"02_race_leg_w21.htm", "02_race_index.htm"}},
        {FileCsv, DataLaps, false, {"02_Race_W21.csv"}},
        {FileCsv, DataAnalysis, true, {"02_Race.csv"}},
        {FileCsv, DataSplitsBrowser, true, {"02_Race.csv"}},
        {FileText, DataMail, false, {"02_Race_W21.txt"}},
    };
    int n = 0;
    for (const auto& kind : kinds) {
        buildRace();
        const QString folder = tempPath(QStringLiteral("kind%1").arg(++n));
        ASSERT_TRUE(QDir().mkpath(folder));
        OutputOptions o = options(folder, kind.fileType, kind.dataType);
        if (kind.oneFile) o.chooseOneFile(true);
        EXPECT_FALSE(run(o).isEmpty()) << n;
        EXPECT_EQ(run(o), QStringList()) << n;
        setLeg("W21", "B", 1, "3:50");
        EXPECT_EQ(run(o), kind.madeAfterChange) << n;

        const QString fresh = folder + "-fresh";
        ASSERT_TRUE(QDir().mkpath(fresh));
        OutputOptions f = o;
        f.folder = fresh;
        run(f);
        EXPECT_EQ(differences(folder, fresh), "") << n;
    }
}

// A message box runs events, and an event may change the race (the print tab's timer reads the
// race file again): here every message empties the race.
class RaceEmptyingPrompts : public Prompts::ScriptedPrompts {
public:
    Prompts::Answer ask(const QString& text, Prompts::Buttons buttons, Prompts::Icon icon) override
    {
        testDocument().resetRace();
        return ScriptedPrompts::ask(text, buttons, icon);
    }
};

// Classes of many sizes, made side by side: every file holds the bytes of its class's page made
// alone, the files that cannot be written are told in the order of the classes, and nothing is
// told while pages are still being made from the race.
TEST_F(IncrementalRun, PagesMadeSideBySideAreThoseOfOneClassAtATime)
{
    testDocument().resetRace();
    for (int c = 0; c < 30; ++c) {
        clsClassData& cls = addClass(QStringLiteral("C%1").arg(c), 3, true, {});
        for (int r = 0; r < 10 + (c * 7) % 50; ++r) {
            const QString leg = QStringLiteral("%1:%2").arg(3 + (r + c) % 9).arg(10 + r % 50);
            addRunner(cls, {QStringLiteral("走者%1").arg(r), {leg, "2:10", leg, "0:40"}});
        }
    }
    const QString folder = tempPath("side");
    ASSERT_TRUE(QDir().mkpath(folder));
    const OutputOptions o = options(folder, FileHtml, DataAnalysis);
    QMap<QString, QByteArray> alone;  // by path
    for (const QString& entry : basExport::ClassListEntries(testRace().ClassList)) {
        basExport::HtmlPage page;
        basExport::WriteResultsPage(page, testRace().RaceInfo,
                                    basAnalyze::AnalyzeClass(testRace(), entry), DataAnalysis,
                                    false, 0);
        alone.insert(basExport::OutputPath(testRace().ClassList, o, entry),
                     basExport::LinesBytes(page));
    }

    auto prompts = std::make_unique<RaceEmptyingPrompts>();
    Prompts::ScriptedPrompts* log = prompts.get();
    Prompts::ScopedPrompts scope(std::move(prompts));
    const auto refuses = [](const QString& path) {
        return path.endsWith("_c1.htm") || path.endsWith("_c20.htm");
    };
    report = basExport::OutputFiles(
        testRace(), o, basExport::ClassListEntries(testRace().ClassList),
        [&](const QString& path, const QByteArray& bytes) {
            return refuses(path) ? basExport::WriteOutcome::NotCreated
                                 : basExport::WriteOutputFile(path, bytes);
        });
    ASSERT_EQ(log->log.size(), 2u);
    EXPECT_EQ(log->log[0].text, "ファイルを出力できません - C1");
    EXPECT_EQ(log->log[1].text, "ファイルを出力できません - C20");
    for (auto page = alone.cbegin(); page != alone.cend(); ++page) {
        if (refuses(page.key())) continue;
        EXPECT_EQ(testsupport::readBytes(page.key()), page.value()) << page.key().toStdString();
    }
}

}  // namespace
