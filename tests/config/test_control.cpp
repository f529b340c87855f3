#include "common/scriptedprompts.h"
#include "common/testsupport.h"
#include "config/control.h"
#include "race/prompts.h"

using Prompts::FileDialogRequest;
using Prompts::FileDialogResult;
using Prompts::ScriptedPrompts;

class ControlTest : public RaceTest {
protected:
    ControlTest()
        : prompts_(new ScriptedPrompts), scope_(std::unique_ptr<ScriptedPrompts>(prompts_))
    {
    }
    ScriptedPrompts* prompts_;
    Prompts::ScopedPrompts scope_;
};

TEST_F(ControlTest, TheFileDialogGetsTheRequestAndGivesBackPathAndFilter)
{
    const QString filter = QStringLiteral(
        "LAP形式 (*.lap)|*.lap|CSV形式[横型] (*.csv)|*.csv|CSV形式[縦型] (*.csv)|*.csv");
    prompts_->files.push_back(FileDialogResult{QStringLiteral("/r/race.csv"), 3});
    int index = 1;
    EXPECT_EQ(CbasControl::ShowFileDialog(QString(), CbasControl::FileDialogMode::Save,
                                          QStringLiteral("ラップファイル"), filter, &index,
                                          QStringLiteral("/r/race")),
              QStringLiteral("/r/race.csv"));
    EXPECT_EQ(index, 3);
    ASSERT_EQ(prompts_->fileRequests.size(), 1u);
    const FileDialogRequest& request = prompts_->fileRequests[0];
    EXPECT_EQ(request.mode, FileDialogRequest::Mode::Save);
    EXPECT_EQ(request.title, QStringLiteral("ラップファイル"));
    EXPECT_EQ(request.filter, filter);
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_EQ(request.fileName, QStringLiteral("/r/race"));
}

TEST_F(ControlTest, ACancelledOpenDialogGivesAnEmptyTextAndKeepsTheFilter)
{
    int index = 2;
    EXPECT_EQ(CbasControl::ShowFileDialog(QString(), CbasControl::FileDialogMode::Open,
                                          QStringLiteral("ラップファイル"),
                                          QStringLiteral("全てのファイル (*.*)|*.*"), &index),
              QString());
    EXPECT_EQ(index, 2);
    EXPECT_EQ(prompts_->fileRequests.at(0).mode, FileDialogRequest::Mode::Open);
    EXPECT_EQ(prompts_->fileRequests.at(0).filterIndex, 2);
}

// A bare name starts in the folder of the race's file; a name with a folder, or a race without a
// file, leaves the name as it is.
TEST_F(ControlTest, ABareNameIsPlacedInTheFolderOfTheRaceFile)
{
    const struct {
        const char* raceFile;
        const char* fileName;
        const char* proposed;
    } cases[] = {
        {"/races/spring.lap", "chart.png", "/races/chart.png"},
        {"/races/spring.lap", "", "/races/"},
        {"/races/spring.lap", "/out/chart.png", "/out/chart.png"},
        {"", "chart.png", "chart.png"},
    };
    for (const auto& c : cases) {
        const QString raceFile = QString::fromUtf8(c.raceFile);
        EXPECT_EQ(CbasControl::InRaceFolder(raceFile, QString::fromUtf8(c.fileName)),
                  QString::fromUtf8(c.proposed))
            << c.raceFile << " " << c.fileName;
        CbasControl::ShowFileDialog(raceFile, CbasControl::FileDialogMode::Save,
                                    QStringLiteral("画像"), QStringLiteral("*.png"), nullptr,
                                    QString::fromUtf8(c.fileName));
        EXPECT_EQ(prompts_->fileRequests.back().fileName, QString::fromUtf8(c.proposed));
    }
}

TEST_F(ControlTest, TheFolderBrowserKeepsItsValueWhenCancelled)
{
    DiskTree tree;
    tree.Show(QStringLiteral("出力フォルダ"));
    EXPECT_EQ(tree.Value(), QString());
    prompts_->folders.push_back(QStringLiteral("/web/live"));
    tree.Show(QStringLiteral("出力フォルダ"));
    EXPECT_EQ(tree.Value(), QStringLiteral("/web/live"));
    tree.Show(QStringLiteral("出力フォルダ"));
    EXPECT_EQ(tree.Value(), QStringLiteral("/web/live"));
    ASSERT_EQ(prompts_->log.size(), 3u);
    EXPECT_EQ(prompts_->log[0].kind, QStringLiteral("folder"));
    EXPECT_EQ(prompts_->log[0].text, QStringLiteral("出力フォルダ"));
}
