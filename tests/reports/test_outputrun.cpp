// One output run: the file names it chooses, what a file holds, and how failures end the run.
#include "classbuilder.h"
#include "common/scriptedprompts.h"
#include "htmlfixtures.h"
#include "outputtypenames.h"
#include "race/prompts.h"
#include "reports/outputrun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace analysistest;
using basExport::OutputOptions;
using basExport::WriteOutcome;

using namespace outputtypes;

namespace {

class OutputRun : public AnalysisTest {
protected:
    // A race of 2002 with the unnamed class, a class whose name holds "/" and a plain class.
    void SetUp() override
    {
        AnalysisTest::SetUp();
        AddOutputRunRace();
        folder = tempPath(QStringLiteral("Out"));
        QDir().mkpath(folder);
    }

    OutputOptions options(basExport::OutputFileType fileType,
                          basExport::OutputDataType dataType) const
    {
        OutputOptions o = basExport::InitialOutputOptions(testRace().RaceInfo, folder);
        o.chooseFileType(fileType);
        o.chooseDataType(dataType);
        return o;
    }

    // The names of the files written, without the folder.
    QStringList run(const OutputOptions& o, const basExport::FileWriter& writer = {})
    {
        report = basExport::OutputFiles(testRace(), o,
                                        basExport::ClassListEntries(testRace().ClassList), writer);
        QStringList names;
        for (const QString& path : report.written) {
            EXPECT_TRUE(QFileInfo::exists(path)) << path.toStdString();
            EXPECT_TRUE(path.startsWith(folder + "/")) << path.toStdString();
            names << QFileInfo(path).fileName();
        }
        return names;
    }

    QString folder;
    basExport::OutputReport report;
};

TEST_F(OutputRun, FileNamesOfEveryKindOfOutput)
{
    using namespace basExport;
    EXPECT_EQ(
        run(options(FileHtml, DataAnalysis)),
        (QStringList{"02_race_.htm", "02_race_m_21.htm", "02_race_w21.htm", "02_race_index.htm"}));
    EXPECT_EQ(run(options(FileHtml, DataLegAnalysis)),
              (QStringList{"02_race_leg_.htm", "02_race_leg_m_21.htm", "02_race_leg_w21.htm",
                           "02_race_index.htm"}));
    EXPECT_EQ(run(options(FileCsv, DataLaps)),
              (QStringList{"02_Race_.csv", "02_Race_M_21.csv", "02_Race_W21.csv"}));
    EXPECT_EQ(run(options(FileCsv, DataSplitsBrowser)), QStringList{"02_Race.csv"});
    EXPECT_EQ(run(options(FileText, DataMail)),
              (QStringList{"02_Race_.txt", "02_Race_M_21.txt", "02_Race_W21.txt"}));
    OutputOptions oneFile = options(FileCsv, DataAnalysis);
    oneFile.chooseOneFile(true);
    EXPECT_EQ(run(oneFile), QStringList{"02_Race.csv"});

    testRace().RaceInfo.RaceDate = QDate();
    EXPECT_EQ(run(options(FileHtml, DataLaps)).first(), "race_.htm");
    EXPECT_FALSE(report.failed);

    // A "*" typed into the file name is no second place for the class name.
    OutputOptions star = options(FileHtml, DataLaps);
    star.fileName = QStringLiteral("Cup*");
    EXPECT_EQ(run(star),
              (QStringList{"cup__.htm", "cup__m_21.htm", "cup__w21.htm", "cup__index.htm"}));
}

// The viewer holds the chosen classes in one page named after the race; an index page that is
// there already is written again and links it, none is made where there was none.
TEST_F(OutputRun, ViewerPageOfTheChosenClassesLinkedFromAnExistingIndex)
{
    using namespace basExport;
    const OutputOptions viewer = options(FileHtml, DataViewer);
    report = OutputFiles(testRace(), viewer, {"W21", "名称未設定"});
    ASSERT_EQ(report.written, QStringList{folder + "/02_race_viewer.html"});
    const QByteArray page = testsupport::readBytes(report.written.first());
    EXPECT_TRUE(page.contains("\"AnaClassName\":\"W21\"") &&
                page.contains("\"AnaClassName\":\"\""));
    EXPECT_FALSE(page.contains("M/21"));

    run(options(FileHtml, DataLegAnalysis));
    const QString index = folder + "/02_race_index.htm";
    EXPECT_TRUE(testsupport::readCp932(index).contains("href=\"02_race_viewer.html\""));
    QFile::remove(folder + "/02_race_viewer.html");
    run(options(FileHtml, DataAnalysis));
    EXPECT_FALSE(testsupport::readCp932(index).contains("viewer"));
    EXPECT_EQ(run(viewer), (QStringList{"02_race_viewer.html", "02_race_index.htm"}));
    EXPECT_TRUE(
        testsupport::readCp932(index).contains("[<a href=\"02_race_viewer.html\" "
                                               "target=\"_blank\">分析ビューア</a>]"));
    OutputOptions noIndex = viewer;
    noIndex.index = false;
    EXPECT_EQ(run(noIndex), QStringList{"02_race_viewer.html"});

    OutputOptions missing = viewer;
    missing.folder = tempPath("none");
    EXPECT_TRUE(run(missing).isEmpty());
    EXPECT_TRUE(report.failed);
}

TEST_F(OutputRun, LegIndexLinksTheLegPages)
{
    run(options(FileHtml, DataLegAnalysis));
    const QString index = testsupport::readCp932(folder + "/02_race_index.htm");
    EXPECT_TRUE(index.contains("02_race_leg_w21.htm")) << index.toStdString();
}

// Every class gets its class line in the one SplitsBrowser file, the unnamed one too, and the
// runner lines carry the empty forename field.
TEST_F(OutputRun, SplitsBrowserFileHoldsEveryClass)
{
    run(options(FileCsv, DataSplitsBrowser));
    const QString text = testsupport::readCp932(folder + "/02_Race.csv");
    EXPECT_EQ(text,
              ",1\r\n,U,Uクラブ,9:00:00,3:00,1:00\r\n\r\n"
              "M/21,1\r\n,A,Aクラブ,9:00:00,5:00,65:12\r\n\r\n"
              "W21,1\r\n,B,Bクラブ,9:00:00,4:00,1:00\r\n,C,Cクラブ,9:00:00,4:30,1:10\r\n");
}

TEST_F(OutputRun, CsvFileHasTitleClassLineAndCredits)
{
    testRace().ClassList.find(QStringLiteral("W21"))->ClassLength = 3500;
    OutputOptions o = options(FileCsv, DataLaps);
    o.columns = false;
    run(o);
    const QStringList lines =
        testsupport::readCp932(folder + "/02_Race_W21.csv").split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines[0], "◎ Race (2002/05/01) ");
    EXPECT_EQ(lines[2], "■■■《　Ｗ２１　》■■■  (3500m)");
    EXPECT_EQ(lines[4], "◆ ラップタイム");
    EXPECT_EQ(lines[lines.size() - 3], "Special Thanks to Mr.Elmsworth and Mr.Pennick.");
    EXPECT_EQ(lines[lines.size() - 2], "Made with SplitDuel Ver.1.00");
    // The unnamed class has no class line.
    const QString unnamed = testsupport::readCp932(folder + "/02_Race_.csv");
    EXPECT_FALSE(unnamed.contains("■■■"));
}

// Only the file name is lower-cased: the folder is found as it is spelt.
TEST_F(OutputRun, LowerCaseLeavesTheFolderAlone)
{
    OutputOptions o = options(FileHtml, DataLaps);
    o.fileName = QStringLiteral("MixedCase");
    o.index = false;
    EXPECT_EQ(basExport::OutputPath(testRace().ClassList, o, QStringLiteral("W21")),
              folder + "/02_mixedcase_w21.htm");
    o.lowerCase = false;
    EXPECT_EQ(basExport::OutputPath(testRace().ClassList, o, QStringLiteral("W21")),
              folder + "/02_MixedCase_W21.htm");
    // Neither separator in a class name may name a folder, in any kind of file.
    EXPECT_EQ(basExport::OutputPath(testRace().ClassList, o, QStringLiteral("A\\B")),
              folder + "/02_MixedCase_A_B.htm");
    o.chooseFileType(FileText);
    EXPECT_EQ(basExport::OutputPath(testRace().ClassList, o, QStringLiteral("A\\B/C")),
              folder + "/02_MixedCase_A_B_C.txt");
}

// A file that cannot be created is reported and skipped; a write that breaks part way stops
// the run, keeps the files already written and leaves nothing under the broken file's name.
TEST_F(OutputRun, FailuresAreReportedAndABrokenWriteStopsTheRun)
{
    auto prompts = std::make_unique<Prompts::ScriptedPrompts>();
    Prompts::ScriptedPrompts* log = prompts.get();
    Prompts::ScopedPrompts scope(std::move(prompts));

    int calls = 0;
    const basExport::FileWriter breaksSecond = [&](const QString& path, const QByteArray& bytes) {
        return ++calls == 2 ? WriteOutcome::Broken : basExport::WriteOutputFile(path, bytes);
    };
    for (auto fileType : {FileHtml, FileCsv}) {
        calls = 0;
        log->log.clear();
        const QStringList written = run(options(fileType, DataLaps), breaksSecond);
        EXPECT_EQ(written.size(), 1) << static_cast<int>(fileType);
        EXPECT_TRUE(report.stopped);
        EXPECT_EQ(calls, 2) << "no file is written after the broken one";
        ASSERT_EQ(log->log.size(), 1u);
        EXPECT_TRUE(log->log[0].text.contains("出力を中止しました"));
        const QString broken = basExport::OutputPath(
            testRace().ClassList, options(fileType, DataLaps), QStringLiteral("M/21"));
        EXPECT_FALSE(QFileInfo::exists(broken)) << broken.toStdString();
        EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), fileType == FileHtml ? 1 : 2);
    }

    // A folder under the name of every class file: each failure names the file and the reason;
    // HTML tells each class, CSV all classes at once, text files after a general line.
    const struct {
        basExport::OutputFileType fileType;
        basExport::OutputDataType dataType;
        QString first;
    } kinds[] = {
        {FileHtml, DataLaps, "ファイルを出力できません - 名称未設定"},
        {FileCsv, DataLaps, "ファイルを出力できません - 名称未設定,M/21,W21"},
        {FileText, DataMail, "ファイル出力中にエラーが発生しました"},
    };
    for (const auto& kind : kinds) {
        const OutputOptions o = options(kind.fileType, kind.dataType);
        QStringList lines{kind.first};
        for (const QString& entry : basExport::ClassListEntries(testRace().ClassList)) {
            const QString path = basExport::OutputPath(testRace().ClassList, o, entry);
            QFile::remove(path);
            EXPECT_TRUE(QDir().mkpath(path));
            lines << path + " (同じ名前のフォルダがあります)";
        }
        log->log.clear();
        run(o);
        EXPECT_TRUE(report.failed);
        ASSERT_EQ(log->log.size(), kind.fileType == FileHtml ? 3u : 1u);
        EXPECT_EQ(log->log[0].text,
                  kind.fileType == FileHtml ? lines.mid(0, 2).join('\n') : lines.join('\n'));
        EXPECT_EQ(log->log[0].icon,
                  kind.fileType == FileText ? Prompts::Icon::None : Prompts::Icon::Exclamation);
    }

    // A folder that is not there is told once, by its name, not once for each file.
    folder = tempPath(QStringLiteral("missing"));
    log->log.clear();
    EXPECT_TRUE(run(options(FileHtml, DataLaps)).isEmpty());
    ASSERT_EQ(log->log.size(), 1u);
    EXPECT_EQ(log->log[0].text, "出力フォルダがありません: " + folder);
}

// The reactions of the dialog to a choice, as a table: each row is a chain of choices from a
// freshly loaded dialog and the state it ends in.
TEST_F(OutputRun, ChoicesChangeTheOtherSettingsAsTheDialogDoes)
{
    using namespace basExport;
    struct Case {
        const char* what;
        std::function<void(OutputOptions&)> choose;
        int dataType;
        OutputFileType fileType;
        const char *extension, *wildcard;
        bool lowerCase, htmlPanel, csvPanel;
    };
    const Case cases[] = {
        {"fresh", [](OutputOptions&) {}, 2, FileHtml, ".htm", "_*", true, true, false},
        {"SplitsBrowser", [](OutputOptions& o) { o.chooseDataType(DataSplitsBrowser); }, 3, FileCsv,
         ".csv", "", false, false, false},
        {"leg analysis after CSV",
         [](OutputOptions& o) { o.chooseFileType(FileCsv), o.chooseDataType(DataLegAnalysis); }, 4,
         FileHtml, ".htm", "_leg_*", true, true, false},
        {"text forces e-mail", [](OutputOptions& o) { o.chooseFileType(FileText); }, 6, FileText,
         ".txt", "_*", false, false, false},
        {"HTML after cumulative",
         [](OutputOptions& o) { o.chooseDataType(DataSums), o.chooseFileType(FileHtml); }, 0,
         FileHtml, ".htm", "_*", true, true, false},
        {"CSV after leg analysis",
         [](OutputOptions& o) { o.chooseDataType(DataLegAnalysis), o.chooseFileType(FileCsv); }, 0,
         FileCsv, ".csv", "_*", false, false, true},
        {"one file", [](OutputOptions& o) { o.chooseFileType(FileCsv), o.chooseOneFile(true); }, 2,
         FileCsv, ".csv", "", false, false, true},
        {"viewer",
         [](OutputOptions& o) { o.chooseFileType(FileCsv), o.chooseDataType(DataViewer); }, 7,
         FileHtml, ".html", "_viewer", true, true, false},
        {"HTML keeps the viewer",
         [](OutputOptions& o) { o.chooseDataType(DataViewer), o.chooseFileType(FileHtml); }, 7,
         FileHtml, ".html", "_viewer", true, true, false},
        {"CSV after the viewer",
         [](OutputOptions& o) { o.chooseDataType(DataViewer), o.chooseFileType(FileCsv); }, 0,
         FileCsv, ".csv", "_*", false, false, true},
        {"cumulative clears one file",
         [](OutputOptions& o) {
             o.chooseFileType(FileCsv), o.chooseOneFile(true), o.chooseDataType(DataSums);
         },
         5, FileCsv, ".csv", "_*", false, false, false},
    };
    for (const Case& c : cases) {
        OutputOptions o = InitialOutputOptions(testRace().RaceInfo, folder);
        c.choose(o);
        EXPECT_EQ(static_cast<int>(o.dataType), c.dataType) << c.what;
        EXPECT_EQ(o.fileType, c.fileType) << c.what;
        EXPECT_EQ(o.extension, c.extension) << c.what;
        EXPECT_EQ(o.wildcard, c.wildcard) << c.what;
        EXPECT_EQ(o.lowerCase, c.lowerCase) << c.what;
        EXPECT_EQ(o.htmlPanelVisible, c.htmlPanel) << c.what;
        EXPECT_EQ(o.csvPanelVisible, c.csvPanel) << c.what;
    }
    OutputOptions leg = InitialOutputOptions(testRace().RaceInfo, folder);
    leg.chooseForExcel(true, 4);
    EXPECT_EQ(leg.labelText, "4");
    EXPECT_EQ(leg.labelInterval(), 4);
    leg.labelText = QStringLiteral("abc");
    EXPECT_EQ(leg.labelInterval(), 0);
    leg.labelText = QStringLiteral("3");
    leg.chooseDataType(DataLegAnalysis);
    EXPECT_FALSE(leg.forExcel);
    EXPECT_FALSE(leg.forExcelEnabled);
    EXPECT_EQ(leg.labelInterval(), 0);
}

// CSV and text files are CP932: a runner whose name has no CP932 form is named once per run,
// whatever the number of files; the HTML pages write such letters as references and say nothing.
TEST_F(OutputRun, LettersWithoutCp932FormAreToldOncePerCsvOrTextRun)
{
    using namespace basExport;
    clsClassData& w21 = *testRace().ClassList.find(QStringLiteral("W21"));
    ASSERT_EQ(w21.Item(2).Namae, QStringLiteral("C"));
    w21.Item(2).Shozoku = QStringLiteral("Bergnäsets AIK");
    struct Case {
        OutputFileType fileType;
        OutputDataType dataType;
        bool oneFile;
        size_t messages;
    } cases[] = {{FileCsv, DataLaps, false, 1},
                 {FileCsv, DataAnalysis, true, 1},
                 {FileCsv, DataSplitsBrowser, true, 1},
                 {FileText, DataMail, false, 1},
                 {FileHtml, DataAnalysis, false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.dataType));
        auto* prompts = new Prompts::ScriptedPrompts;
        Prompts::ScopedPrompts scoped{std::unique_ptr<Prompts::PromptService>(prompts)};
        OutputOptions o = options(c.fileType, c.dataType);
        if (c.oneFile) o.chooseOneFile(true);
        run(o);
        ASSERT_EQ(prompts->log.size(), c.messages);
        if (c.messages > 0) {
            EXPECT_TRUE(prompts->log[0].text.contains(QStringLiteral("「C」")))
                << prompts->log[0].text.toStdString();
        }
    }
}

}  // namespace
