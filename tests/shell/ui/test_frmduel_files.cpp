// The main window's open, save and exit functions and their save questions.
#include "dueltest.h"

#include "config/ui/modal.h"
#include "editing/ui/frmclassedit.h"
#include "lapfiles/racefile.h"
#include "shell/history.h"

#include <QFile>
#include <QFrame>
#include <QLabel>

using namespace basDefinition;
using Prompts::Answer;

namespace {
const QString kOpenFilter = QStringLiteral(
    "LAP形式 (*.lap)|*.lap|CSV形式 (*.csv)|*.csv|テキスト形式 (*.txt)|*.txt|IOF XML "
    "(*.xml)|*.xml|Eskdat形式 (*.dat)|*.dat|全てのファイル (*.*)|*.*");
const QString kSaveFilter = QStringLiteral(
    "LAP形式 (*.lap)|*.lap|CSV形式[横型] (*.csv)|*.csv|CSV形式[縦型] (*.csv)|*.csv|IOF XML 3.0 "
    "(*.xml)|*.xml");
}  // namespace

class DuelFileTest : public DuelTest {
protected:
    // A saved race, loaded through the open button.
    void openSavedRace(const QString& file)
    {
        makeRace(QStringLiteral("Saved Cup"));
        basConvert::SaveRaceFile(testDocument(), tempPath(file), basConvert::SaveType::Lap);
        testDocument().resetRace();
        prompts().files.push_back({tempPath(file), 1});
        window->cmbFunc_Click(1);
        ASSERT_EQ(testDocument().CurrentFilePath(), tempPath(file));
    }
    QStringList dialogs()
    {
        QStringList kinds;
        for (const auto& request : prompts().fileRequests) {
            kinds << (request.mode == Prompts::FileDialogRequest::Mode::Open ? "open" : "save");
        }
        return kinds;
    }
};

TEST_F(DuelFileTest, OpenUsesTheLapFileDialogAndPutsTheFileInTheHistory)
{
    openSavedRace("race.lap");
    const auto& request = prompts().fileRequests.front();
    EXPECT_EQ(request.title, QStringLiteral("ラップファイル"));
    EXPECT_EQ(request.filter, kOpenFilter);
    EXPECT_EQ(testRace().RaceInfo.RaceName, QStringLiteral("Saved Cup"));
    EXPECT_FALSE(window->PicRaceInfo->isHidden());
    EXPECT_EQ(basHistory::ReadHistorySlot(1).path, tempPath("race.lap"));
    EXPECT_EQ(basHistory::ReadHistorySlot(1).name, QStringLiteral("Saved Cup"));
}

TEST_F(DuelFileTest, OpenWarnsWhenTheFileCannotBeRead)
{
    testsupport::writeCp932(tempPath("junk.lap"), "");
    prompts().files.push_back({tempPath("junk.lap"), 1});
    window->cmbFunc_Click(1);
    EXPECT_EQ(asked(), QStringList({"ファイルを読み込めませんでした"}));
    EXPECT_EQ(prompts().log.back().icon, Prompts::Icon::Exclamation);
    EXPECT_TRUE(testDocument().CurrentFilePath().isEmpty());
    EXPECT_TRUE(basHistory::ReadHistorySlot(1).path.isEmpty());
}

TEST_F(DuelFileTest, SaveQuestionBeforeLoading)
{
    makeRace(QStringLiteral("Typed"));
    testDocument().setDataModified(true);

    prompts().answers = {Answer::Cancel};
    window->cmbFunc_Click(1);
    EXPECT_TRUE(dialogs().isEmpty());
    EXPECT_EQ(asked(), QStringList({"読み込み前にデータを保存しますか？"}));
    EXPECT_EQ(prompts().log.back().buttons, Prompts::Buttons::YesNoCancel);
    EXPECT_EQ(prompts().log.back().icon, Prompts::Icon::Information);

    prompts().answers = {Answer::No};
    window->cmbFunc_Click(1);  // the open dialog, cancelled
    EXPECT_EQ(dialogs(), QStringList({"open"}));
    EXPECT_TRUE(testDocument().DataModified());

    prompts().answers = {Answer::Yes};
    window->cmbFunc_Click(1);  // the save dialog, cancelled: nothing is opened
    EXPECT_EQ(dialogs(), QStringList({"open", "save"}));

    prompts().answers = {Answer::Yes};
    prompts().files = {{tempPath("typed.lap"), 1}};
    window->cmbFunc_Click(1);  // saved, then the open dialog
    EXPECT_EQ(dialogs(), QStringList({"open", "save", "save", "open"}));
    EXPECT_TRUE(QFile::exists(tempPath("typed.lap")));
    EXPECT_FALSE(testDocument().DataModified());
}

TEST_F(DuelFileTest, SaveQuestionBeforeExit)
{
    window->show();
    makeRace(QStringLiteral("Typed"));
    window->ShowRaceInfo();
    testDocument().setDataModified(true);

    prompts().answers = {Answer::Cancel};
    window->cmbFunc_Click(6);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(asked(), QStringList({"終了する前にデータを保存しますか？"}));

    prompts().answers = {Answer::Yes};  // the save dialog is cancelled: the window stays
    window->cmbFunc_Click(6);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(dialogs(), QStringList({"save"}));

    prompts().answers = {Answer::No};
    window->cmbFunc_Click(6);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->IsClosed());
}

TEST_F(DuelFileTest, ExitAndCloseWithSavedDataAskNothing)
{
    window->show();
    makeRace(QStringLiteral("Typed"));
    window->ShowRaceInfo();
    testDocument().setDataModified(false);
    window->cmbFunc_Click(7);
    EXPECT_TRUE(asked().isEmpty());
    EXPECT_TRUE(testRace().RaceInfo.RaceName.isEmpty());
    EXPECT_TRUE(testRace().ClassList.isEmpty());
    EXPECT_FALSE(window->picStart->isHidden());
    window->cmbFunc_Click(8);
    EXPECT_TRUE(asked().isEmpty());
    EXPECT_TRUE(window->IsClosed());
}

TEST_F(DuelFileTest, SaveProposesTheLoadedPathWithoutExtensionAndKeepsIt)
{
    openSavedRace("my.race.lap");
    prompts().files = {{tempPath("copy.csv"), 2}};
    prompts().answers = {Answer::Yes};  // to what the layout cannot keep
    testDocument().setDataModified(true);
    window->cmbFunc_Click(3);
    const auto& request = prompts().fileRequests.back();
    EXPECT_EQ(request.mode, Prompts::FileDialogRequest::Mode::Save);
    EXPECT_EQ(request.title, QStringLiteral("ラップファイル"));
    EXPECT_EQ(request.filter, kSaveFilter);
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_EQ(request.fileName, tempPath("my.race"));
    EXPECT_FALSE(testsupport::readCp932(tempPath("copy.csv")).startsWith("$LAPFILE"));
    EXPECT_FALSE(testDocument().DataModified());
    // A CSV copy does not change the current file.
    EXPECT_EQ(testDocument().CurrentFilePath(), tempPath("my.race.lap"));
    EXPECT_EQ(window->lblFileName->fullText(), QStringLiteral("ファイル: my.race.lap"));
    EXPECT_EQ(basHistory::ReadHistorySlot(1).path, tempPath("my.race.lap"));
    EXPECT_TRUE(basHistory::ReadHistorySlot(2).path.isEmpty());
}

TEST_F(DuelFileTest, TheFourthSaveTypeWritesAnIofXmlResultListThatOpensAgain)
{
    openSavedRace("cup.lap");
    prompts().files = {{tempPath("cup.xml"), 4}};
    window->cmbFunc_Click(3);
    const QByteArray written = testsupport::readBytes(tempPath("cup.xml"));
    EXPECT_TRUE(written.startsWith("<?xml")) << written.left(80).toStdString();
    EXPECT_TRUE(written.contains("<ResultList"));
    prompts().files = {{tempPath("cup.xml"), 4}};
    window->cmbFunc_Click(1);
    EXPECT_EQ(testDocument().CurrentFilePath(), tempPath("cup.xml"));
    EXPECT_EQ(testRace().RaceInfo.RaceName, QStringLiteral("Saved Cup"));
}

// A lap file keeps the whole race: saved as one, it is the race's file (shown, in the history,
// proposed by the next save). A copy of another type leaves the race with its file.
TEST_F(DuelFileTest, SavingInTheLapFormatMakesTheFileTheRacesFile)
{
    basSettings::SettingsFile().setItem("History1", "Old,/r/old.lap");
    makeRace(QStringLiteral("New"));
    window->ShowRaceInfo();
    EXPECT_EQ(window->lblFileName->fullText(), QStringLiteral("ファイル: （保存されていません）"));
    prompts().files = {{tempPath("new.lap"), 1}, {tempPath("copy.csv"), 3}};
    prompts().answers = {Answer::Yes};  // to what the CSV layout cannot keep
    window->cmbFunc_Click(3);
    EXPECT_EQ(window->lblFileName->fullText(), QStringLiteral("ファイル: new.lap"));
    window->cmbFunc_Click(3);
    EXPECT_EQ(prompts().fileRequests.back().fileName, tempPath("new"));
    EXPECT_EQ(testDocument().CurrentFilePath(), tempPath("new.lap"));
    EXPECT_EQ(basHistory::ReadHistorySlot(1).path, tempPath("new.lap"));
    EXPECT_EQ(basHistory::ReadHistorySlot(1).name, QStringLiteral("New"));
    EXPECT_EQ(basHistory::ReadHistorySlot(2).path, QStringLiteral("/r/old.lap"));
}

// Before a type that keeps less than the race holds is written, the user is told what it cannot
// keep: はい writes, いいえ writes nothing and keeps the race unsaved.
TEST_F(DuelFileTest, SavingAsCsvOrIofXmlSaysWhatTheTypeCannotKeep)
{
    const QString csv = QStringLiteral(
        "では次のデータを保存できません。\n・大会の名称・日程・テライン\n・クラスの登距離\n"
        "・スタート時刻\n・走者のいないクラス (W21)");
    const QString end =
        QStringLiteral("\n\nすべてを残すには LAP形式で保存してください。このまま保存しますか？");
    const struct {
        int type;
        Answer answer;
        QString question;  // empty: nothing to say
    } cases[] = {
        {2, Answer::Yes, "CSV形式[横型]" + csv + end},
        {3, Answer::No, "CSV形式[縦型]" + csv + end},
        {4, Answer::Yes, "IOF XMLでは次のデータを保存できません。\n・大会のテライン" + end},
        {1, Answer::No, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        testDocument().resetRace();
        prompts().log.clear();
        makeRace(QStringLiteral("Cup"));
        testRace().RaceInfo.RacePlace = QStringLiteral("森");
        testRace().ClassList[QStringLiteral("M21")].ClassUpHeight = 120;
        testRace().ClassList[QStringLiteral("M21")].Item(1).StartTime = 0.5;
        testRace().ClassList.add(QStringLiteral("W21"));
        testDocument().setDataModified(true);
        prompts().files = {{tempPath("out" + QString::number(c.type)), c.type}};
        prompts().answers = {c.answer};
        window->cmbFunc_Click(3);
        const bool written = c.question.isEmpty() || c.answer == Answer::Yes;
        EXPECT_EQ(asked(), c.question.isEmpty() ? QStringList() : QStringList{c.question});
        EXPECT_EQ(QFile::exists(tempPath("out" + QString::number(c.type))), written);
        EXPECT_EQ(testDocument().DataModified(), !written);
    }
}

TEST_F(DuelFileTest, FailedSaveWarnsAndKeepsTheChanges)
{
    makeRace(QStringLiteral("New"));
    window->ShowRaceInfo();
    testDocument().setDataModified(true);
    prompts().files = {{tempPath("no-such-folder/new.lap"), 1}};
    window->cmbFunc_Click(3);
    EXPECT_EQ(asked(),
              QStringList({"ファイルを保存できませんでした\n" + tempPath("no-such-folder/new.lap") +
                           " (フォルダがありません)"}));
    EXPECT_TRUE(testDocument().DataModified());
}

TEST_F(DuelFileTest, NewClearsTheRaceBeforeTheEditorOpens)
{
    makeRace(QStringLiteral("Old"));
    testDocument().setCurrentFilePath(tempPath("old.lap"));
    window->ShowRaceInfo();
    QStringList seen;
    SetModalWatcher([&](QDialog& dialog) {
        seen << QString::number(testRace().ClassList.count()) +
                    (qobject_cast<frmClassEdit*>(&dialog) && dialog.parentWidget() == window.get()
                         ? " editor owned"
                         : "");
        testRace().RaceInfo.RaceName = QStringLiteral("Typed in the editor");
    });
    window->cmbFunc_Click(0);
    SetModalWatcher({});
    EXPECT_EQ(seen, QStringList({"0 editor owned"}));
    EXPECT_TRUE(testDocument().CurrentFilePath().isEmpty());
    EXPECT_FALSE(window->PicRaceInfo->isHidden());  // redrawn after the editor
    EXPECT_TRUE(asked().isEmpty());
}

TEST_F(DuelFileTest, NewAsksToSaveAChangedRaceFirst)
{
    makeRace(QStringLiteral("Typed"));
    testDocument().setDataModified(true);
    window->ShowRaceInfo();
    int opened = 0;
    SetModalWatcher([&](QDialog&) { ++opened; });

    prompts().answers = {Answer::Cancel};
    window->cmbFunc_Click(0);
    EXPECT_EQ(asked(), QStringList({"新規作成の前にデータを保存しますか？"}));
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(testRace().ClassList.count(), 1);  // the race is kept
    EXPECT_TRUE(testDocument().DataModified());

    prompts().answers = {Answer::Yes};  // the save dialog, cancelled: the race is kept
    window->cmbFunc_Click(0);
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(testRace().ClassList.count(), 1);

    prompts().answers = {Answer::No};
    window->cmbFunc_Click(0);
    SetModalWatcher({});
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(testRace().ClassList.count(), 0);
    EXPECT_FALSE(testDocument().DataModified());
}

TEST_F(DuelFileTest, EditRedrawsAndRenamesTheHistoryEntry)
{
    openSavedRace("saved.lap");
    SetModalWatcher([&](QDialog&) {
        testRace().RaceInfo.RaceName = QStringLiteral("Renamed Cup");
        testRace().ClassList.add(QStringLiteral("W21"));
        testDocument().setDataModified(true);
    });
    window->cmbFunc_Click(2);
    SetModalWatcher({});
    EXPECT_EQ(window->lblRaceName->text(), QStringLiteral("Renamed Cup"));
    EXPECT_TRUE(window->lblRaceClass->text().contains(QStringLiteral("W21")));
    EXPECT_EQ(basHistory::ReadHistorySlot(1).name, QStringLiteral("Renamed Cup"));
    EXPECT_EQ(basHistory::ReadHistorySlot(1).path, tempPath("saved.lap"));
    EXPECT_TRUE(testDocument().DataModified());
}

// 閉じる asks as 終了 does: Cancel keeps the race, はい saves first (a cancelled save keeps the
// race), いいえ drops it. The next open dialog starts in the folder of the race closed.
TEST_F(DuelFileTest, CloseAsksToSaveAChangedRaceFirst)
{
    const struct {
        Answer answer;
        QString saveAs;  // the save dialog's answer
        bool closed;
    } cases[] = {{Answer::Cancel, {}, false},
                 {Answer::Yes, {}, false},
                 {Answer::Yes, tempPath("saved.lap"), true},
                 {Answer::No, {}, true}};
    for (const auto& c : cases) {
        makeRace(QStringLiteral("Typed"));
        testDocument().setCurrentFilePath(tempPath("typed.lap"));
        window->ShowRaceInfo();
        testDocument().setDataModified(true);
        prompts().log.clear();
        prompts().answers = {c.answer};
        prompts().files = {{c.saveAs, 1}};
        window->cmbFunc_Click(7);
        EXPECT_EQ(asked(), QStringList({"閉じる前にデータを保存しますか？"}));
        EXPECT_EQ(window->picStart->isHidden(), !c.closed) << int(c.answer);
        testDocument().resetRace();
    }
    window->cmbFunc_Click(1);
    EXPECT_EQ(prompts().fileRequests.back().fileName, tempDir() + QLatin1Char('/'));
}
