// The main window's display: caption, buttons, the two panels, the class label and the
// recent-file list.
#include "dueltest.h"

#include "lapfiles/racefile.h"
#include "shell/history.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace basDefinition;

TEST_F(DuelTest, CaptionButtonsAndDescriptions)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("SplitDuel Ver.1.00"));
    const QStringList captions{"新規", "開く", "編集",   "保存", "表示",
                               "出力", "終了", "閉じる", "終了"};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(window->cmbFunc[i]->text(), captions[i]) << i;
        EXPECT_FALSE(window->cmbFunc[i]->icon().isNull()) << i;
    }
    EXPECT_EQ(window->lblText[4]->text(), QStringLiteral("解析結果を表示します"));
    EXPECT_EQ(window->lblText[6]->text(), window->lblText[8]->text());
    EXPECT_EQ(window->Label1->text(), QStringLiteral("履歴"));
    EXPECT_EQ(window->Label3->text(),
              QStringLiteral("Special Thanks to Mr.Elmsworth and Mr.Pennick."));
    // New, open and exit sit on the start panel, the others on the race panel.
    for (int i : {0, 1, 8}) EXPECT_TRUE(window->picStart->isAncestorOf(window->cmbFunc[i])) << i;
    for (int i : {2, 3, 4, 5, 6, 7}) {
        EXPECT_TRUE(window->PicRaceInfo->isAncestorOf(window->cmbFunc[i])) << i;
    }
}

TEST_F(DuelTest, EmptyRaceShowsTheStartPanelAndForgetsTheFile)
{
    testDocument().setCurrentFilePath(QStringLiteral("/r/x.lap"));
    testDocument().setDataModified(true);
    window->ShowRaceInfo();
    EXPECT_FALSE(window->picStart->isHidden());
    EXPECT_TRUE(window->PicRaceInfo->isHidden());
    EXPECT_FALSE(testDocument().DataModified());
    EXPECT_TRUE(testDocument().CurrentFilePath().isEmpty());
}

TEST_F(DuelTest, ADateAloneShowsTheRacePanelWithUndefinedClasses)
{
    testRace().RaceInfo.RaceDate = QDate(2002, 5, 12);
    window->ShowRaceInfo();
    EXPECT_TRUE(window->picStart->isHidden());
    EXPECT_FALSE(window->PicRaceInfo->isHidden());
    EXPECT_EQ(window->lblRaceDate->text(), QStringLiteral("2002年05月12日"));
    EXPECT_EQ(window->lblRaceClass->text(), QStringLiteral("未定義"));
    testRace().RaceInfo.RaceDate = QDate();
    testRace().RaceInfo.RaceRemarks = QStringLiteral("memo");
    window->ShowRaceInfo();
    EXPECT_FALSE(window->PicRaceInfo->isHidden());
    EXPECT_TRUE(window->lblRaceDate->text().isEmpty());
}

TEST_F(DuelTest, RaceHeaderLabels)
{
    testRace().RaceInfo.RaceName = QStringLiteral("春の大会");
    testRace().RaceInfo.RacePlace = QStringLiteral("北の森");
    testRace().ClassList.add(QStringLiteral("M21"));
    testRace().ClassList.add(QString());
    testRace().ClassList.add(QStringLiteral("W21"));
    window->ShowRaceInfo();
    EXPECT_EQ(window->lblRaceName->text(), QStringLiteral("春の大会"));
    EXPECT_EQ(window->lblRaceName->toolTip(), QStringLiteral("春の大会"));
    EXPECT_EQ(window->lblRaceTerrain->text(), QStringLiteral("北の森"));
    EXPECT_EQ(window->lblRaceClass->text(), QStringLiteral("M21 名称未入力 W21"));
    EXPECT_EQ(window->lblRaceClass->toolTip(), QStringLiteral("M21 名称未入力 W21"));
}

TEST_F(DuelTest, ClassNamesThatDoNotFitEndInDotsAndTheTooltipListsAll)
{
    QStringList names;
    for (int i = 1; i <= 8; ++i) {
        names << QStringLiteral("Class %1 with a long long name").arg(i);
        testRace().ClassList.add(names.last());
    }
    window->ShowRaceInfo();
    const QString caption = window->lblRaceClass->text();
    EXPECT_TRUE(caption.endsWith(QStringLiteral(" ..."))) << caption.toStdString();
    EXPECT_TRUE(caption.startsWith(names.first()));
    EXPECT_FALSE(caption.contains(names.last()));
    EXPECT_EQ(window->lblRaceClass->toolTip(), names.join(QLatin1Char(' ')));
    const QFontMetrics metrics(window->PicRaceInfo->font());
    EXPECT_LE(metrics.horizontalAdvance(caption), window->lblRaceClass->width());
    // The next name would not have fitted.
    const int shown = caption.count(QStringLiteral("long long name"));
    const QString longer = names.mid(0, shown + 1).join(QLatin1Char(' '));
    EXPECT_GT(metrics.horizontalAdvance(longer), window->lblRaceClass->width());
}

TEST_F(DuelTest, HistoryListShowsTheUsedSlotsWithTheirNumbers)
{
    IniFile& settings = basSettings::SettingsFile();
    settings.setItem("History1", "Spring Cup,/r/spring.lap");
    settings.setItem("History2", ",/r/nameless.lap");
    settings.setItem("History3", "");
    settings.setItem("History4", "Autumn,/r/autumn.lap");
    window->ShowRaceInfo();
    ASSERT_EQ(window->lstHistory->count(), 3);
    EXPECT_EQ(window->lstHistory->item(0)->text(), QStringLiteral("Spring Cup"));
    EXPECT_EQ(window->lstHistory->item(1)->text(), QStringLiteral("nameless.lap"));
    EXPECT_EQ(window->lstHistory->item(2)->text(), QStringLiteral("Autumn"));
    EXPECT_EQ(window->lstHistory->item(2)->data(Qt::UserRole).toInt(), 4);
}

TEST_F(DuelTest, DoubleClickOnAHistoryLineLoadsItAndMovesItUp)
{
    makeRace(QStringLiteral("Old Cup"));
    ASSERT_EQ(
        basConvert::SaveRaceFile(testDocument(), tempPath("old.lap"), basConvert::SaveType::Lap),
        basConvert::SaveResult::Saved);
    testDocument().resetRace();
    IniFile& settings = basSettings::SettingsFile();
    settings.setItem("History1", "Other,/r/other.lap");
    settings.setItem("History2", "Old Cup," + tempPath("old.lap"));
    settings.setItem("History3", "Gone," + tempPath("gone.lap"));
    window->ShowRaceInfo();

    QListWidget* list = window->lstHistory;
    emit list->itemDoubleClicked(list->item(1));
    EXPECT_EQ(testRace().RaceInfo.RaceName, QStringLiteral("Old Cup"));
    EXPECT_FALSE(window->PicRaceInfo->isHidden());
    EXPECT_EQ(basHistory::ReadHistorySlot(1).path, tempPath("old.lap"));
    EXPECT_EQ(basHistory::ReadHistorySlot(2).path, QStringLiteral("/r/other.lap"));

    window->cmbFunc_Click(7);  // close: back to the list
    emit list->itemDoubleClicked(list->item(2));
    EXPECT_EQ(asked(), QStringList({"ファイルを読み込めませんでした"}));
    EXPECT_TRUE(testDocument().CurrentFilePath().isEmpty());
}

TEST_F(DuelTest, AutomationRedrawsAndClicks)
{
    testRace().RaceInfo.RaceName = QStringLiteral("Cup");
    EXPECT_TRUE(window->Automation(QStringLiteral("objectcontrol")));
    EXPECT_FALSE(window->PicRaceInfo->isHidden());
    EXPECT_TRUE(window->Automation(QStringLiteral("CLICK,7")));
    EXPECT_TRUE(testRace().RaceInfo.RaceName.isEmpty());
    EXPECT_FALSE(window->picStart->isHidden());
    EXPECT_FALSE(window->Automation(QStringLiteral("CLICK,abc")));
    EXPECT_FALSE(window->Automation(QStringLiteral("CLICK")));
    EXPECT_TRUE(window->Automation(QStringLiteral("SOMETHING,1")));
}
