// The lap editor driven offscreen: filling, typed entries and cursor paths, applying and
// cancelling, the window's limits; and a class typed into both editors that survives a lap
// file unchanged.
#include "editing/ui/frmclassedit.h"
#include "editing/ui/frmlapedit.h"
#include "editortest.h"
#include "lapfiles/racefile.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace basDefinition;

namespace {

// Types the text into the value box and presses Enter.
void Type(frmLapEdit& window, const QString& text)
{
    window.txtValue->setText(text);
    window.cmdEnter_Click();
}

QStringList Column(const frmLapEdit& window, int col)
{
    QStringList cells;
    for (int row = 0; row < window.grdEditor->rowCount(); ++row) cells << window.CellText(row, col);
    return cells;
}

}  // namespace

class LapEditTest : public EditorTest {};

TEST_F(LapEditTest, EmptyClassOpensWithOneColumn)
{
    addClass(QStringLiteral("M21"), 3);
    frmLapEdit window(testDocument());
    window.setClassName(QStringLiteral("M21"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("ラップ編集 - M21"));
    ASSERT_EQ(window.grdEditor->rowCount(), 9);
    EXPECT_EQ(window.grdEditor->columnCount(), 2);
    EXPECT_EQ(Column(window, 0), QStringList({"名前", "所属", "スタート時刻", "△→１", "１→２",
                                              "２→３", "３→◎", "総タイム", "ラップ計"}));
    EXPECT_EQ(window.grdEditor->currentRow(), 0);
    EXPECT_EQ(window.grdEditor->currentColumn(), 1);
    // The row headers stay in view: the vertical header shows them, column 0 is hidden.
    EXPECT_TRUE(window.grdEditor->isColumnHidden(0));
    EXPECT_EQ(window.grdEditor->verticalHeaderItem(3)->text(), QStringLiteral("△→１"));
    EXPECT_EQ(window.CellText(8, 1), QStringLiteral("0:00:00"));
    const QTableWidgetItem* sum = window.grdEditor->item(8, 1);
    EXPECT_EQ(sum->foreground().color(), QColor(80, 160, 80));
    EXPECT_EQ(sum->background().color(), QColor(224, 224, 224));
    EXPECT_TRUE(window.chkTotalTime->isChecked());
    EXPECT_FALSE(window.chkShozoku->isChecked());
    EXPECT_FALSE(window.chkStartTime->isChecked());
    EXPECT_FALSE(window.Edited());
    // Nothing typed: applying leaves the class alone.
    window.cmdSave_Click();
    EXPECT_FALSE(testDocument().DataModified());
    EXPECT_TRUE(testRace().ClassList[QStringLiteral("M21")].ClassLastGoalExist);
}

TEST_F(LapEditTest, FillsFromTheRunnersInTotalOrder)
{
    clsClassData& c = addClass(QStringLiteral("M21"), 2);
    clsClassDataSub slow;
    slow.Namae = QStringLiteral("Slow");
    slow.Shozoku = QStringLiteral("Club");
    slow.setLap(1, secs(300));
    slow.setLap(2, LapMissing);
    slow.setLap(3, secs(200));
    clsClassDataSub fast;
    fast.Namae = QStringLiteral("Fast");
    fast.StartTime = secs(10 * 3600);
    fast.setLap(1, LapMerged);
    fast.setLap(2, secs(400));
    fast.setLap(3, LapAbsent);
    c.Add(slow);
    c.Add(fast);

    frmLapEdit window(testDocument());
    window.setClassName(QStringLiteral("M21"));
    ASSERT_EQ(window.grdEditor->columnCount(), 4);  // two runners and the empty column
    EXPECT_EQ(Column(window, 1),
              QStringList({"Fast", "", "10:00:00", "↓", "0:06:40", "", "0:06:40", "0:06:40"}));
    EXPECT_EQ(Column(window, 2),
              QStringList({"Slow", "Club", "", "0:05:00", "n/a", "0:03:20", "n/a", "0:08:20"}));
    EXPECT_EQ(window.grdEditor->currentColumn(), 3);
    EXPECT_EQ(window.grdEditor->currentRow(), 0);
    EXPECT_TRUE(window.chkShozoku->isChecked());
    EXPECT_TRUE(window.chkStartTime->isChecked());
    EXPECT_TRUE(window.Edited());
}

TEST_F(LapEditTest, EntriesAndCursorPaths)
{
    addClass(QStringLiteral("M21"), 2);  // legs on rows 3..5, total 6, sum 7
    frmLapEdit window(testDocument());
    window.setClassName(QStringLiteral("M21"));
    window.chkTotalTime->setChecked(false);

    Type(window, QStringLiteral("Ann"));  // name → first leg (club and start unchecked)
    EXPECT_EQ(window.grdEditor->currentRow(), 3);
    Type(window, QStringLiteral("1234"));
    // No time: refused with a word in the status line, the cell and the cursor stay.
    window.grdEditor->setCurrentCell(3, 1);
    Type(window, QStringLiteral("abc"));
    EXPECT_EQ(window.CellText(3, 1), QStringLiteral("0:12:34"));
    EXPECT_EQ(window.grdEditor->currentRow(), 3);
    EXPECT_EQ(window.lblStatus->text(), QStringLiteral("時間として読めません: abc"));
    EXPECT_EQ(window.txtValue->text(), QStringLiteral("abc"));
    // A time read otherwise than written says how it was read.
    Type(window, QStringLiteral("99:99"));
    EXPECT_EQ(window.CellText(3, 1), QStringLiteral("1:40:39"));
    EXPECT_TRUE(window.lblStatus->text().contains(QStringLiteral("1:40:39")));
    window.grdEditor->setCurrentCell(3, 1);
    Type(window, QStringLiteral("1234"));
    EXPECT_EQ(window.lblStatus->text(), QString());
    window.grdEditor->setCurrentCell(2, 1);
    window.txtValue->setText(QStringLiteral("10:05:00"));
    window.cmdEnter_Click();
    Type(window, QStringLiteral("x"));
    EXPECT_EQ(window.CellText(2, 1), QStringLiteral("10:05:00")) << "a bad start keeps the old";
    window.grdEditor->setCurrentCell(4, 1);
    Type(window, QString());  // an empty entry empties the cell and moves on
    EXPECT_EQ(window.CellText(4, 1), QString());
    EXPECT_EQ(window.grdEditor->currentRow(), 5);
    EXPECT_EQ(window.CellText(7, 1), QStringLiteral("0:12:34"));

    // Up from the value box, then the buttons for n/a and ↓.
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(window.txtValue, &up);
    EXPECT_EQ(window.grdEditor->currentRow(), 4);
    window.cmdNA_Click();
    EXPECT_EQ(window.CellText(4, 1), QStringLiteral("n/a"));
    window.cmdAR_Click();  // the last leg without the total: a new runner column
    EXPECT_EQ(window.CellText(5, 1), QStringLiteral("↓"));
    EXPECT_EQ(window.grdEditor->columnCount(), 3);
    EXPECT_EQ(window.grdEditor->currentRow(), 0);
    EXPECT_EQ(window.grdEditor->currentColumn(), 2);
    EXPECT_EQ(window.txtValue->inputMethodHints(), Qt::ImhNone);

    // With club and start checked the path goes through both; the total ends the runner.
    window.chkTotalTime->setChecked(true);
    window.chkShozoku->setChecked(true);
    window.chkStartTime->setChecked(true);
    const std::pair<const char*, int> path[] = {
        {"Bob", 1}, {"OK", 2}, {"1005", 3}, {"5", 4}, {"12:34", 5}, {"1:02:03", 6}, {"n/a", 0},
    };
    for (const auto& [typed, nextRow] : path) {
        Type(window, QString::fromUtf8(typed));
        EXPECT_EQ(window.grdEditor->currentRow(), nextRow) << typed;
    }
    EXPECT_EQ(Column(window, 2), QStringList({"Bob", "OK", "10:05:00", "0:00:05", "0:12:34",
                                              "1:02:03", "n/a", "1:14:42"}));
    EXPECT_EQ(window.grdEditor->columnCount(), 4);
    EXPECT_TRUE(asked().isEmpty());

    // An early start asks to check it and is kept; the sum row takes no entry.
    window.grdEditor->setCurrentCell(2, 1);
    EXPECT_NE(window.txtValue->inputMethodHints(), Qt::ImhNone);
    Type(window, QStringLiteral("745"));
    EXPECT_EQ(asked(), QStringList({"時間を確認してください"}));
    EXPECT_EQ(window.CellText(2, 1), QStringLiteral("07:45:00"));
    window.grdEditor->setCurrentCell(7, 1);
    Type(window, QStringLiteral("1:00:00"));
    EXPECT_EQ(window.CellText(7, 1), QStringLiteral("0:12:34"));
    EXPECT_EQ(window.grdEditor->currentRow(), 7);
}

TEST_F(LapEditTest, ApplyingReplacesTheRunners)
{
    clsClassData& c = addClass(QStringLiteral("M21"), 1);
    clsClassDataSub old;
    old.Namae = QStringLiteral("Old");
    old.setLap(1, secs(60));
    old.setLap(2, secs(60));
    c.Add(old);

    frmLapEdit window(testDocument());
    window.setClassName(QStringLiteral("M21"));
    const auto setColumn = [&](int col, const QStringList& cells) {
        for (int row = 0; row < cells.size(); ++row) {
            window.grdEditor->setCurrentCell(row, col);
            Type(window, cells[row]);
        }
    };
    // Column 1 (Old) loses its name; column 2 gets a runner whose total is "n/a".
    window.grdEditor->setCurrentCell(0, 1);
    Type(window, QString());
    setColumn(2, {"New", "", "", "500", "n/a"});
    window.cmdAdd_Click();
    setColumn(3, {"Named only"});
    window.cmdCancel_Click();
    EXPECT_EQ(c.Item(1).Namae, QStringLiteral("Old"));  // cancelling writes nothing
    EXPECT_FALSE(testDocument().DataModified());

    // A column without a name is pointed out (いいえ goes back); a name alone is kept.
    window.show();
    prompts().answers = {Prompts::Answer::No, Prompts::Answer::Yes};
    EXPECT_FALSE(window.cmdSave_Click());
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(testDocument().DataModified());
    EXPECT_TRUE(window.cmdSave_Click());
    EXPECT_EQ(asked().last(),
              QStringLiteral("適用すると次のようになります。\n\n"
                             "1列目: 名前がないため消えます\n\n"
                             "このまま適用しますか？（「いいえ」で編集に戻ります）"));
    EXPECT_TRUE(testDocument().DataModified());
    ASSERT_EQ(c.ClassRunnerCount(), 2);
    EXPECT_EQ(c.Item(2).Namae, QStringLiteral("Named only"));
    EXPECT_EQ(c.Item(1).Namae, QStringLiteral("New"));
    EXPECT_DOUBLE_EQ(c.Item(1).Lap(1), secs(300));
    EXPECT_DOUBLE_EQ(c.Item(1).Lap(2), LapMissing);
    EXPECT_NEAR(c.Item(1).Total, 1 + secs(300), 1e-9);  // from the laps: the "n/a" leg adds a day
    // The finish leg is decided from every column's last leg, the dropped one's included.
    EXPECT_TRUE(c.ClassLastGoalExist);
}

TEST_F(LapEditTest, WindowLimits)
{
    addClass(QStringLiteral("Long"), MaxLegs, false);
    frmLapEdit window(testDocument());
    window.setClassName(QStringLiteral("Long"));
    EXPECT_EQ(window.grdEditor->rowCount(), MaxLegs + 5);  // as many leg rows as a runner holds
    window.resize(200, 100);
    EXPECT_GE(window.width(), 560);
    EXPECT_GE(window.height(), 400);
    window.grdEditor->setCurrentCell(0, 1);
    Type(window, QStringLiteral("Ann"));
    window.grdEditor->setCurrentCell(MaxLegs + 2, 1);
    Type(window, QStringLiteral("61"));
    prompts().answers = {Prompts::Answer::Yes};  // the legs left blank before it count as n/a
    ASSERT_NO_THROW(window.cmdSave_Click());
    EXPECT_DOUBLE_EQ(testRace().ClassList[QStringLiteral("Long")].Item(1).Lap(MaxLegs), secs(61));
}

// Esc, "キャンセル" and the close box ask before entries not yet applied are dropped: はい applies
// and closes, いいえ closes, キャンセル stays. Nothing entered, nothing is asked.
TEST_F(LapEditTest, UnappliedEntriesAreNotDroppedWithoutAsking)
{
    using A = Prompts::Answer;
    const struct {
        const char* how;
        A answer;
        bool applied;
        bool open;
    } cases[] = {
        {"escape", A::Yes, true, false},
        {"button", A::No, false, false},
        {"close box", A::Cancel, false, true},
        {"escape", A::Cancel, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.how) + " " + std::to_string(int(c.answer)));
        testDocument().resetRace();
        addClass(QStringLiteral("M21"), 1);
        prompts().log.clear();
        frmLapEdit window(testDocument());
        window.setClassName(QStringLiteral("M21"));
        window.show();
        for (const char* cell : {"Ann", "300", "200"}) Type(window, QString::fromUtf8(cell));
        prompts().answers.push_back(c.answer);
        const std::string how = c.how;
        if (how == "escape") {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(&window, &escape);
        } else if (how == "button") {
            window.cmdCancel->click();
        } else {
            window.close();
        }
        EXPECT_EQ(asked(), QStringList({"変更を適用しますか？"}));
        EXPECT_EQ(prompts().log.back().buttons, Prompts::Buttons::YesNoCancel);
        EXPECT_EQ(window.isVisible(), c.open);
        EXPECT_EQ(testRace().ClassList[QStringLiteral("M21")].ClassRunnerCount(),
                  c.applied ? 1 : 0);
        EXPECT_EQ(testDocument().DataModified(), c.applied);
    }

    // A class with runners opens with a new empty column, but nothing is typed yet.
    frmLapEdit window(testDocument());
    window.setClassName(QStringLiteral("M21"));
    window.show();
    prompts().log.clear();
    window.cmdCancel->click();
    EXPECT_TRUE(asked().isEmpty());
    EXPECT_FALSE(window.isVisible());
}

// A value typed into the box but not yet entered counts as unapplied too: はい enters it first,
// and a value that is no time keeps the window open with its reason.
TEST_F(LapEditTest, AValueTypedButNotEnteredIsNotDroppedWithoutAsking)
{
    using A = Prompts::Answer;
    const struct {
        A answer;
        bool open;
        int runners;
    } cases[] = {{A::Yes, false, 1}, {A::No, false, 0}, {A::Cancel, true, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.answer));
        testDocument().resetRace();
        addClass(QStringLiteral("M21"), 1);
        prompts().log.clear();
        frmLapEdit window(testDocument());
        window.setClassName(QStringLiteral("M21"));
        window.show();
        for (const char* cell : {"Ann", "300"}) Type(window, QString::fromUtf8(cell));
        window.txtValue->setText(QStringLiteral("200"));
        prompts().answers.push_back(c.answer);
        window.cmdCancel->click();
        EXPECT_EQ(asked().size(), 1);
        EXPECT_EQ(window.isVisible(), c.open);
        const clsClassData& cls = testRace().ClassList[QStringLiteral("M21")];
        ASSERT_EQ(cls.ClassRunnerCount(), c.runners);
        if (c.runners) {
            EXPECT_DOUBLE_EQ(cls.Item(1).Lap(2) * 86400, 120);
        }
    }

    testDocument().resetRace();
    addClass(QStringLiteral("M21"), 1);
    prompts().log.clear();
    frmLapEdit window(testDocument());
    window.setClassName(QStringLiteral("M21"));
    window.show();
    Type(window, QStringLiteral("Ann"));
    window.grdEditor->setCurrentCell(3, 1);
    window.txtValue->setText(QStringLiteral("abc"));
    prompts().answers.push_back(A::Yes);
    window.cmdCancel->click();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(testRace().ClassList[QStringLiteral("M21")].ClassRunnerCount(), 0);
    EXPECT_FALSE(window.lblStatus->text().isEmpty());
}

// A key typed while the grid has the focus goes into the value box, replacing what it showed,
// so that Enter enters what was typed.
TEST_F(LapEditTest, TypingOnTheGridGoesIntoTheValueBox)
{
    addClass(QStringLiteral("M21"), 1);
    frmLapEdit window(testDocument());
    window.setClassName(QStringLiteral("M21"));
    window.show();
    window.grdEditor->setCurrentCell(3, 1);
    window.txtValue->setText(QStringLiteral("0:01:00"));
    window.cmdEnter_Click();
    window.grdEditor->setCurrentCell(3, 1);
    window.grdEditor->setFocus();
    QKeyEvent seven(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
    QApplication::sendEvent(window.grdEditor, &seven);
    EXPECT_EQ(window.txtValue->text(), QStringLiteral("7"));
    EXPECT_EQ(window.grdEditor->currentRow(), 3);
    window.cmdEnter_Click();
    EXPECT_EQ(window.CellText(3, 1), QStringLiteral("0:00:07"));
}

TEST_F(LapEditTest, TypedClassSurvivesALapFile)
{
    frmClassEdit classes(testDocument());
    classes.txtName->setText(QStringLiteral("春の大会"));
    classes.txtDate->setText(QStringLiteral("2005/04/03"));
    classes.txtTerrain->setText(QStringLiteral("北の森"));
    answerInputs({"M21", "2"});
    classes.cmdAddClass_Click();
    classes.txtLength->setText(QStringLiteral("4200"));
    classes.txtUpHeight->setText(QStringLiteral("150"));

    frmLapEdit laps(testDocument());
    laps.setClassName(QStringLiteral("M21"));
    laps.chkShozoku->setChecked(true);
    laps.chkStartTime->setChecked(true);
    for (const char* cell : {"山田太郎", "東京OLC", "1005", "512", "n", "345", "1500"})
        Type(laps, QString::fromUtf8(cell));
    for (const char* cell : {"Bob", "", "", "s", "1020", "400", "n/a"})
        Type(laps, QString::fromUtf8(cell));
    Type(laps, QStringLiteral("Cy"));  // did not start
    EXPECT_TRUE(laps.cmdSave_Click());
    EXPECT_TRUE(asked().isEmpty());
    classes.cmdClose_Click();

    const RaceHeader header = testRace().RaceInfo;
    const clsClassData typed = testRace().ClassList[QStringLiteral("M21")];
    ASSERT_EQ(typed.ClassRunnerCount(), 3);
    const QString path = tempPath(QStringLiteral("typed.lap"));
    ASSERT_EQ(basConvert::SaveRaceFile(testDocument(), path, basConvert::SaveType::Lap),
              basConvert::SaveResult::Saved);

    testDocument().resetRace();
    ASSERT_TRUE(basConvert::LoadRaceFile(testDocument(), path).loaded());
    EXPECT_EQ(testRace().RaceInfo.RaceName, header.RaceName);
    EXPECT_EQ(testRace().RaceInfo.RaceDate, QDate(2005, 4, 3));
    EXPECT_EQ(testRace().RaceInfo.RacePlace, header.RacePlace);
    ASSERT_EQ(testRace().ClassList.names(), QStringList({"M21"}));
    const clsClassData& loaded = testRace().ClassList[QStringLiteral("M21")];
    EXPECT_EQ(loaded.ClassLength, 4200);
    EXPECT_EQ(loaded.ClassUpHeight, 150);
    EXPECT_EQ(loaded.ClassControlCount, 2);
    EXPECT_EQ(loaded.ClassLastGoalExist, typed.ClassLastGoalExist);
    ASSERT_EQ(loaded.ClassRunnerCount(), typed.ClassRunnerCount());
    for (int i = 1; i <= typed.ClassRunnerCount(); ++i) {
        SCOPED_TRACE(i);
        const clsClassDataSub& a = typed.Item(i);
        const clsClassDataSub& b = loaded.Item(i);
        EXPECT_EQ(b.Namae, a.Namae);
        EXPECT_EQ(b.Shozoku, a.Shozoku);
        EXPECT_NEAR(b.StartTime, a.StartTime, 1e-7);
        EXPECT_NEAR(b.Total, a.Total, 1e-7);
        for (int leg = 1; leg <= typed.LegCount(); ++leg) EXPECT_NEAR(b.Lap(leg), a.Lap(leg), 1e-7);
    }
}

// Applying what was opened without a change leaves the class as it was (times finer than the
// grid's whole seconds included) and the race unchanged; a removed runner is a change, asked
// about first.
TEST_F(LapEditTest, OnlyARealChangeIsAppliedAndTheDeleteButtonRemovesARunner)
{
    clsClassData& c = addClass(QStringLiteral("M21"), 1);
    for (const char* name : {"Fast", "Slow"}) {
        clsClassDataSub runner;
        runner.Namae = QString::fromUtf8(name);
        runner.setLap(1, secs(300) + 0.4 / 86400);
        runner.setLap(2, secs(name[0] == 'F' ? 60 : 90));
        c.Add(runner);
    }
    const double lap = c.Item(1).Lap(1);
    for (const Prompts::Answer answer : {Prompts::Answer::Cancel, Prompts::Answer::Ok}) {
        frmLapEdit window(testDocument());
        window.setClassName(QStringLiteral("M21"));
        window.grdEditor->setCurrentCell(0, 1);
        Type(window, window.CellText(0, 1));  // the same name again
        prompts().answers = {answer};
        window.cmdDelete->click();
        window.cmdSave_Click();
        EXPECT_EQ(testDocument().DataModified(), answer == Prompts::Answer::Ok);
        EXPECT_EQ(c.ClassRunnerCount(), answer == Prompts::Answer::Ok ? 1 : 2);
        if (answer == Prompts::Answer::Cancel) {
            EXPECT_EQ(c.Item(1).Lap(1), lap);
        }
    }
    EXPECT_EQ(asked(), QStringList({"「Fast」を削除しますか？", "「Fast」を削除しますか？"}));
    EXPECT_EQ(c.Item(1).Namae, QStringLiteral("Slow"));
}
