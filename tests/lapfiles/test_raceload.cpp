// The one load: which entry of the format table takes each kind of file, what the result tells,
// and that reading a file changes nothing in memory and shows nothing.
#include "common/scriptedprompts.h"
#include "lapfiles/formattable.h"
#include "lapfiles/labelquestions.h"
#include "lapfiles/raceload.h"
#include "lapfixtures.h"
#include "race/textcodec.h"

#include <QFile>

using namespace basDefinition;
using basConvert::LoadStatus;
using basConvert::RaceFormat;

namespace {

QByteArray dataFile(const char* name)
{
    return testsupport::readBytes(testsupport::dataPath(QString::fromUtf8(name)));
}

QByteArray cp932(const char* text)
{
    return TextCodec::toCp932(QString::fromUtf8(text));
}

// Answers every question the same way and counts the questions.
class FixedLabels : public basConvert::LabelQuestions {
public:
    explicit FixedLabels(QString answer) : answer_(std::move(answer)) {}
    QString askLapLabel(const QStringList&) override { return ++asked, answer_; }
    QString askNameLabel(const QString&) override { return ++asked, answer_; }
    int asked = 0;

private:
    QString answer_;
};

}  // namespace

TEST_F(LapFileTest, EachKindOfFileIsTakenByItsEntry)
{
    const QByteArray rows =
        cp932("クラス,名前,所属,△→１,１→◎,総タイム\nM21,Aki,C,0:03:00,0:01:00,0:04:00\n");
    const struct {
        const char* name;
        QByteArray bytes;
        RaceFormat format;
        LoadStatus status;
    } cases[] = {
        {"thirty.lap", dataFile("lap/thirty_legs.lap"), RaceFormat::Lap, LoadStatus::Loaded},
        {"si.txt", dataFile("sportident_results.txt"), RaceFormat::Sportident, LoadStatus::Loaded},
        {"relay.xml", dataFile("iofxml/relay30.xml"), RaceFormat::IofXml, LoadStatus::Loaded},
        {"page.html", dataFile("splithtml/oe_html_english.html"), RaceFormat::SplitHtml,
         LoadStatus::Loaded},
        {"solv.csv", dataFile("results/solv.csv"), RaceFormat::ResultTable, LoadStatus::Loaded},
        {"legs.csv", dataFile("perleg/perleg_utf8.csv"), RaceFormat::PerLegCsv, LoadStatus::Loaded},
        {"sb.csv", cp932("M21,1\nEva,Lund,,10:00,3:00,0:40\n"), RaceFormat::SplitsBrowserCsv,
         LoadStatus::Loaded},
        // The same table is the Eskdat CSV under an Eskdat name, the program's own layout
        // under any other, and turned it is the layout with runners as columns.
        {"xEskdatx.dat", rows, RaceFormat::Eskdat, LoadStatus::Loaded},
        {"rows.csv", rows, RaceFormat::LapCsvRows, LoadStatus::Loaded},
        {"columns.csv",
         cp932("クラス,M21\n名前,Aki\n所属,C\n△→１,0:03:00\n１→◎,0:01:00\n総タイム,0:04:00\n"),
         RaceFormat::LapCsvColumns, LoadStatus::Loaded},
        {"named.csv", cp932("Name,1,G\nAki,0:03:00,0:01:00\n"), RaceFormat::Table,
         LoadStatus::Loaded},
        {"$LAPFILE.txt", cp932("$LAPFILE Ver=2\n$名称=x\n"), RaceFormat::Table,
         LoadStatus::Refused},  // a lap file's start under another name is no lap file
        {"page.txt", cp932("Hello\nnothing to see\n"), RaceFormat::Table, LoadStatus::Refused},
        {"book.xls", QByteArray("\xD0\xCF\x11\xE0"), RaceFormat::Excel, LoadStatus::Loaded},
        {"blank.lap", cp932(" \n,, ,\n\n"), RaceFormat::Blank, LoadStatus::Failed},
        {"report.csv", cp932("M21,Aki\nMade with SplitDuel 2.0\n"), RaceFormat::OwnReport,
         LoadStatus::Refused},
        {"long.csv", "M21," + QByteArray(2 << 20, 'x') + "\n", RaceFormat::Unknown,
         LoadStatus::Failed},
        {"wide.csv", "M21" + QByteArray(basConvert::MaxTableFields, ',') + "x\n",
         RaceFormat::Unknown, LoadStatus::Failed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = tempPath(QString::fromUtf8(c.name));
        testsupport::writeBytes(path, c.bytes);
        const basConvert::LoadResult result = basConvert::ReadRaceFile(path);
        EXPECT_EQ(result.format, c.format);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.path, path);
        // A race comes only with a load that succeeded; a workbook's race is empty.
        EXPECT_EQ(result.race.ClassList.isEmpty(),
                  c.status != LoadStatus::Loaded || c.format == RaceFormat::Excel);
    }
}

// Reading touches neither the race in memory nor the prompt service: the damage a lap file
// shows is a warning of the result, which LoadRaceFile then shows and applies.
TEST_F(LapFileTest, ReadingChangesNothingAndShowsNothing)
{
    loadPreviousRace();
    testDocument().setDataModified(false);
    auto scripted = std::make_unique<Prompts::ScriptedPrompts>();
    Prompts::ScriptedPrompts& prompts = *scripted;
    Prompts::ScopedPrompts scope(std::move(scripted));
    const QString cut = tempPath(QStringLiteral("cut.lap"));
    testsupport::writeBytes(cut, cp932("$LAPFILE Ver=2\n\nクラス,名前,所属,スタート時刻,総タイム,"
                                       "△→１,１→◎\nM21,Aki,C,10:00:00,0,00:03:00,00:0"));

    const basConvert::LoadResult read = basConvert::ReadRaceFile(cut);
    ASSERT_TRUE(read.loaded());
    EXPECT_TRUE(read.damaged);
    ASSERT_EQ(read.warnings.size(), 1);
    EXPECT_TRUE(read.warnings[0].startsWith(QStringLiteral("ファイルが壊れています: ") + cut));
    EXPECT_EQ(read.race.ClassList.names(), QStringList{QStringLiteral("M21")});
    EXPECT_TRUE(prompts.log.empty());
    expectPreviousRace();
    EXPECT_FALSE(testDocument().DataModified());

    const basConvert::LoadResult loaded = basConvert::LoadRaceFile(testDocument(), cut);
    ASSERT_EQ(prompts.log.size(), 1u);
    EXPECT_EQ(prompts.log[0].text, read.warnings[0]);
    EXPECT_EQ(testRace().ClassList.names(), QStringList{QStringLiteral("M21")});
    EXPECT_EQ(testDocument().CurrentFilePath(), cut);
    EXPECT_TRUE(loaded.race.ClassList.isEmpty()) << "the race went into memory";

    // A path with no file says so; applied, it clears the race's path, and nothing else.
    basConvert::LoadResult missing = basConvert::ReadRaceFile(tempPath(QStringLiteral("no.lap")));
    EXPECT_TRUE(missing.fileMissing);
    EXPECT_EQ(missing.status, LoadStatus::Failed);
    basConvert::ApplyLoadedRace(testDocument(), missing);
    EXPECT_TRUE(testDocument().CurrentFilePath().isEmpty());
    EXPECT_EQ(testRace().ClassList.names(), QStringList{QStringLiteral("M21")});
}

// The label questions take the answers of the options in order, then ask the service the
// options name; without one the first question beyond the answers is left unanswered.
TEST_F(LapFileTest, LabelAnswersComeFromTheOptionsThenFromTheirService)
{
    const QString bare = tempPath(QStringLiteral("bare.csv"));
    testsupport::writeCp932(bare, QStringLiteral("Aki,0:03:00,0:08:00\n"));
    const struct {
        const char* what;
        QStringList answers;
        const char* service;  // the answer of the service; none when null
        LoadStatus status;
        const QString& unanswered;
        int asked;  // questions that reached the service
    } cases[] = {
        {"all answered", {"名前", " ラ "}, nullptr, LoadStatus::Loaded, QString(), 0},
        {"caption answered", {"名前", "総タイム"}, nullptr, LoadStatus::Loaded, QString(), 0},
        {"one too few", {"名前"}, nullptr, LoadStatus::Failed, basConvert::LapLabelQuestion, 0},
        {"service answers the rest", {"名前"}, "総", LoadStatus::Loaded, QString(), 1},
        {"service closes its dialog", {}, "", LoadStatus::Failed, basConvert::NameLabelQuestion, 1},
        {"empty answer", {""}, "名前", LoadStatus::Failed, basConvert::NameLabelQuestion, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FixedLabels service(QString::fromUtf8(c.service ? c.service : ""));
        basConvert::LoadOptions options;
        options.labelAnswers = c.answers;
        options.labelQuestions = c.service ? &service : nullptr;
        const basConvert::LoadResult result = basConvert::ReadRaceFile(bare, options);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(service.asked, c.asked);
        EXPECT_TRUE(result.unansweredQuestion.startsWith(c.unanswered));
        EXPECT_EQ(result.unansweredQuestion.isEmpty(), c.unanswered.isEmpty());
        if (result.loaded()) {
            EXPECT_TRUE(result.askedLabels);
            EXPECT_EQ(result.race.ClassList.at(1).Item(1).Namae, QStringLiteral("Aki"));
        }
    }
}
