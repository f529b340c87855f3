// The class editor driven offscreen: opening, adding, renaming, deleting, the class fields and
// the spinner, closing, and the start-list import.
#include "editing/ui/countspinner.h"
#include "editing/ui/frmclassedit.h"
#include "editortest.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>

using namespace basDefinition;

namespace {

QStringList ListTexts(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
    return texts;
}

}  // namespace

class ClassEditTest : public EditorTest {};

TEST_F(ClassEditTest, OpensFromTheRaceWithoutCountingAsAnEdit)
{
    testRace().RaceInfo.RaceName = QStringLiteral("春の大会");
    testRace().RaceInfo.RaceDate = QDate(2002, 5, 12);
    testRace().RaceInfo.RacePlace = QStringLiteral("北の森");
    clsClassData& m21 = addClass(QStringLiteral("M21"), 12);
    m21.ClassLength = 5400;
    addClass(QString(), 0);

    frmClassEdit window(testDocument());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("編集"));
    EXPECT_EQ(window.txtName->text(), QStringLiteral("春の大会"));
    EXPECT_EQ(window.txtDate->text(), QStringLiteral("2002/05/12"));
    EXPECT_EQ(window.txtTerrain->text(), QStringLiteral("北の森"));
    EXPECT_EQ(ListTexts(window.lstClass), QStringList({"M21", "名称未入力"}));
    EXPECT_EQ(window.lstClass->currentRow(), 0);
    EXPECT_EQ(window.fraClass->title(), QStringLiteral("クラス名 ： M21"));
    EXPECT_TRUE(window.fraClass->isEnabled());
    EXPECT_TRUE(window.cmdDelClass->isEnabled());
    EXPECT_EQ(window.txtLength->text(), QStringLiteral("5400"));
    EXPECT_EQ(window.txtUpHeight->text(), QString());
    EXPECT_EQ(window.txtControlCount->text(), QStringLiteral("12"));
    EXPECT_EQ(window.vscControl->count(), 12);
    EXPECT_TRUE(window.cmdAddClass->font().bold());
    EXPECT_EQ(window.cmdAddClass->palette().color(QPalette::Button), QColor(255, 255, 192));
    EXPECT_FALSE(testDocument().DataModified());

    // The class without a name: an empty control field the spinner cannot change.
    window.lstClass->setCurrentRow(1);
    EXPECT_EQ(window.fraClass->title(), QStringLiteral("クラス名 ： 名称未入力"));
    EXPECT_EQ(window.txtControlCount->text(), QString());
    window.vscControl->setCount(5);
    EXPECT_EQ(window.txtControlCount->text(), QString());
    EXPECT_EQ(testRace().ClassList.find(QString())->ClassControlCount, 0);
    EXPECT_FALSE(testDocument().DataModified());
}

TEST_F(ClassEditTest, EmptyRaceHasNothingToChoose)
{
    frmClassEdit window(testDocument());
    EXPECT_EQ(window.lstClass->count(), 0);
    EXPECT_FALSE(window.fraClass->isEnabled());
    EXPECT_FALSE(window.cmdDelClass->isEnabled());
    EXPECT_FALSE(window.cmdChangeName->isEnabled());
    EXPECT_FALSE(window.cmdLapEdit->isEnabled());
    window.vscControl->setCount(4);
    window.cmdDelClass_Click();
    window.cmdChangeName_Click();
    EXPECT_FALSE(window.cmdLapEdit_Click());
    EXPECT_TRUE(prompts().log.empty());
    EXPECT_FALSE(testDocument().DataModified());
}

TEST_F(ClassEditTest, AddingAskedTwice)
{
    addClass(QStringLiteral("M21"), 5);
    // With its finish leg a new class holds MaxLegs - 1 controls; beyond, one message says so.
    const int most = MaxLegs - 1;
    const QByteArray mostText = QByteArray::number(most), beyond = QByteArray::number(most + 1),
                     farBeyond = QByteArray::number(most + 2);
    const QByteArray tooMany = QStringLiteral("コントロール数は%1までです").arg(most).toUtf8();
    const struct {
        const char* name;
        const char* controls;  // nullptr: the second question is not reached
        int added;             // controls of the new class; 0 = nothing added
        const char* message;
    } cases[] = {
        {"m21", nullptr, 0, "クラス名が重複しています"},
        {"   ", nullptr, 0, nullptr},
        {"W21", "0", 0, "コントロール数は1から"},
        {"W21", farBeyond.constData(), 0, tooMany.constData()},
        {"W21", "abc", 0, "コントロール数は1から"},
        {"W21", beyond.constData(), 0, tooMany.constData()},
        {"W21", "2.5", 0, "コントロール数は1から"},
        {" W21 ", "2", 2, nullptr},
        {"M35", "４", 4, nullptr},
        {"M40", mostText.constData(), most, nullptr},
    };
    frmClassEdit window(testDocument());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testDocument().setDataModified(false);
        prompts().log.clear();
        prompts().inputs.push_back(QString::fromUtf8(c.name));
        if (c.controls) prompts().inputs.push_back(QString::fromUtf8(c.controls));
        const int before = testRace().ClassList.count();
        window.cmdAddClass_Click();
        EXPECT_TRUE(prompts().inputs.empty());
        const QStringList messages = asked();
        if (c.message) {
            ASSERT_EQ(messages.size(), 1);
            EXPECT_TRUE(messages.first().startsWith(QString::fromUtf8(c.message)));
        } else {
            EXPECT_TRUE(messages.isEmpty());
        }
        if (c.added == 0) {
            EXPECT_EQ(testRace().ClassList.count(), before);
            EXPECT_FALSE(testDocument().DataModified());
            continue;
        }
        ASSERT_EQ(testRace().ClassList.count(), before + 1);
        const clsClassData& added = testRace().ClassList.at(testRace().ClassList.count());
        EXPECT_EQ(added.ClassName, QString::fromUtf8(c.name).trimmed());
        EXPECT_EQ(added.ClassControlCount, c.added);
        EXPECT_TRUE(added.ClassLastGoalExist);
        EXPECT_EQ(window.lstClass->currentRow(), window.lstClass->count() - 1);
        EXPECT_EQ(window.txtControlCount->text(), QString::number(c.added));
        EXPECT_TRUE(testDocument().DataModified());
    }
    EXPECT_EQ(ListTexts(window.lstClass), QStringList({"M21", "W21", "M35", "M40"}));
    // A class with its finish leg stops the spinner where the legs a runner holds end.
    EXPECT_EQ(window.vscControl->maximum(), most);
}

TEST_F(ClassEditTest, RenamingKeepsThePlaceButMovesLast)
{
    for (const char* name : {"A", "B", "C"}) addClass(QString::fromLatin1(name), 3);
    auto window = std::make_unique<frmClassEdit>(testDocument());

    // The name of another class: refused, nothing changes.
    window->lstClass->setCurrentRow(0);
    answerInputs({"b"});
    window->cmdChangeName_Click();
    EXPECT_EQ(asked(), QStringList({"クラス名が重複しています"}));
    EXPECT_EQ(prompts().log.back().icon, Prompts::Icon::Critical);
    EXPECT_EQ(testRace().ClassList.names(), QStringList({"A", "B", "C"}));
    EXPECT_FALSE(testDocument().DataModified());

    answerInputs({"Z"});
    window->cmdChangeName_Click();
    EXPECT_EQ(ListTexts(window->lstClass), QStringList({"Z", "B", "C"}));
    EXPECT_EQ(window->fraClass->title(), QStringLiteral("クラス名 ： Z"));
    EXPECT_EQ(testRace().ClassList.names(), QStringList({"B", "C", "Z"}));
    EXPECT_TRUE(testDocument().DataModified());

    // Its own name moves it to the end as well; cancelling changes nothing.
    window->lstClass->setCurrentRow(1);
    answerInputs({"B"});
    window->cmdChangeName_Click();
    EXPECT_EQ(testRace().ClassList.names(), QStringList({"C", "Z", "B"}));
    prompts().inputs.push_back(std::nullopt);
    window->cmdChangeName_Click();
    EXPECT_EQ(testRace().ClassList.names(), QStringList({"C", "Z", "B"}));

    window = std::make_unique<frmClassEdit>(testDocument());
    EXPECT_EQ(ListTexts(window->lstClass), QStringList({"C", "Z", "B"}));
}

// The renamed class stays the chosen one, even under the name that stands for the class
// without a name: its fields go on editing it, never the unnamed class.
TEST_F(ClassEditTest, TheRenamedClassStaysChosen)
{
    addClass(QString(), 2);
    addClass(QStringLiteral("A"), 3);
    frmClassEdit window(testDocument());
    window.show();
    window.lstClass->setCurrentRow(1);
    answerInputs({"名称未入力"});
    window.cmdChangeName_Click();
    EXPECT_EQ(ListTexts(window.lstClass), QStringList({"名称未入力", "名称未入力"}));
    ASSERT_EQ(window.lstClass->currentRow(), 1);
    EXPECT_TRUE(window.lstClass->currentItem()->isSelected());
    EXPECT_TRUE(window.fraClass->isEnabled());
    EXPECT_EQ(window.txtControlCount->text(), QStringLiteral("3"));
    window.txtLength->setText(QStringLiteral("3100"));
    EXPECT_EQ(testRace().ClassList[QStringLiteral("名称未入力")].ClassLength, 3100);
    EXPECT_EQ(testRace().ClassList[QString()].ClassLength, 0);
    window.lstClass->setCurrentRow(0);
    EXPECT_EQ(window.txtControlCount->text(), QStringLiteral("2"));
}

TEST_F(ClassEditTest, DeletingAsksFirst)
{
    addClass(QStringLiteral("M21"), 3).ClassLength = 4000;
    addClass(QStringLiteral("W21"), 4);
    frmClassEdit window(testDocument());

    prompts().answers.push_back(Prompts::Answer::Cancel);
    window.cmdDelClass_Click();
    EXPECT_EQ(asked(), QStringList({"本当に削除しますか？"}));
    EXPECT_EQ(prompts().log.back().buttons, Prompts::Buttons::OkCancel);
    EXPECT_EQ(testRace().ClassList.count(), 2);
    EXPECT_FALSE(testDocument().DataModified());

    prompts().answers.push_back(Prompts::Answer::Ok);
    window.cmdDelClass_Click();
    EXPECT_EQ(testRace().ClassList.names(), QStringList({"W21"}));
    EXPECT_EQ(ListTexts(window.lstClass), QStringList({"W21"}));
    EXPECT_EQ(window.lstClass->currentItem(), nullptr);
    EXPECT_EQ(window.fraClass->title(), QStringLiteral("クラスデータ"));
    EXPECT_FALSE(window.fraClass->isEnabled());
    EXPECT_FALSE(window.cmdDelClass->isEnabled());
    EXPECT_EQ(window.txtLength->text(), QString());
    EXPECT_EQ(window.txtControlCount->text(), QString());
    EXPECT_TRUE(testDocument().DataModified());
    // Nothing chosen: the class fields store nowhere.
    window.txtLength->setText(QStringLiteral("999"));
    EXPECT_EQ(testRace().ClassList[QStringLiteral("W21")].ClassLength, 0);
}

TEST_F(ClassEditTest, ClassFieldsAndSpinner)
{
    addClass(QStringLiteral("M21"), 5);
    addClass(QStringLiteral("Long"), MaxLegs + 5, false);  // more than the spinner shows
    frmClassEdit window(testDocument());
    clsClassData& m21 = testRace().ClassList[QStringLiteral("M21")];

    window.txtLength->setText(QStringLiteral("1200m"));
    EXPECT_EQ(m21.ClassLength, 1200);
    EXPECT_TRUE(testDocument().DataModified());

    window.vscControl->setCount(6);
    EXPECT_EQ(window.txtControlCount->text(), QStringLiteral("6"));
    EXPECT_EQ(m21.ClassControlCount, 6);

    window.lstClass->setCurrentRow(1);
    EXPECT_EQ(window.txtControlCount->text(), QString::number(MaxLegs + 5));
    EXPECT_EQ(window.vscControl->count(), MaxLegs);
    EXPECT_EQ(window.vscControl->maximum(), MaxLegs);
    EXPECT_EQ(testRace().ClassList[QStringLiteral("Long")].ClassControlCount, MaxLegs + 5);
    // Beyond what a runner holds: the lap editor does not open, and says why.
    EXPECT_FALSE(window.cmdLapEdit_Click());
    ASSERT_EQ(asked().size(), 1);
    EXPECT_TRUE(asked().first().contains(QString::number(MaxLegs + 5)));

    window.lstClass->setCurrentRow(0);
    EXPECT_EQ(window.txtLength->text(), QStringLiteral("1200"));
    EXPECT_TRUE(window.cmdLapEdit_Click());
}

// Closing copies the race fields; the race counts as changed only when they differ, and a date
// that is no date is refused with a message, the race keeping its date.
TEST_F(ClassEditTest, ClosingCopiesTheRaceFields)
{
    const struct {
        const char* date;
        QDate expected;
        bool refused;
    } cases[] = {
        {"2005/13/40", QDate(2002, 5, 12), true}, {"2005/02/29", QDate(2002, 5, 12), true},
        {"2005/4/3", QDate(2005, 4, 3), false},   {"", QDate(), false},
        {"2006-07-08", QDate(2006, 7, 8), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.date);
        testRace().RaceInfo.RaceDate = QDate(2002, 5, 12);
        prompts().log.clear();
        frmClassEdit window(testDocument());
        window.txtName->setText(QStringLiteral("大会"));
        window.txtTerrain->setText(QStringLiteral("森"));
        window.txtData->setText(QStringLiteral("備考"));
        window.txtDate->setText(QString::fromUtf8(c.date));
        window.cmdClose_Click();
        EXPECT_EQ(testRace().RaceInfo.RaceDate, c.expected);
        EXPECT_EQ(testRace().RaceInfo.RaceName, QStringLiteral("大会"));
        EXPECT_EQ(testRace().RaceInfo.RacePlace, QStringLiteral("森"));
        EXPECT_EQ(testRace().RaceInfo.RaceRemarks, QStringLiteral("備考"));
        const QStringList messages = asked();
        EXPECT_EQ(messages.size(), c.refused ? 1 : 0);
        if (c.refused) {
            EXPECT_TRUE(messages.first().contains(QString::fromUtf8(c.date)));
            EXPECT_EQ(window.txtDate->text(), QStringLiteral("2002/05/12"));
        }
    }

    // Leaving the date box refuses at once; the close box copies the fields as OK does.
    testDocument().setDataModified(false);
    frmClassEdit window(testDocument());
    window.show();
    window.txtDate->setText(QStringLiteral("2005/13/40"));
    emit window.txtDate->editingFinished();
    EXPECT_EQ(window.txtDate->text(), QStringLiteral("2006/07/08"));
    window.close();
    EXPECT_FALSE(testDocument().DataModified()) << "nothing differs from the race";
    window.show();
    window.txtName->setText(QStringLiteral("別の大会"));
    window.close();
    EXPECT_EQ(testRace().RaceInfo.RaceName, QStringLiteral("別の大会"));
    EXPECT_TRUE(testDocument().DataModified());
}

TEST_F(ClassEditTest, StartListImport)
{
    clsClassData& w21 = addClass(QStringLiteral("W21"), 1);
    clsClassDataSub runner;
    runner.setLap(1, secs(100));
    runner.Namae = QStringLiteral("山田太郎");
    w21.Add(runner);
    runner.Namae = QStringLiteral("佐藤");
    runner.StartTime = secs(9 * 3600);
    w21.Add(runner);
    frmClassEdit window(testDocument());

    const QString list = tempPath(QStringLiteral("start.csv"));
    testsupport::writeCp932(list, QStringLiteral("名前,クラス,スタート時刻\n"
                                                 "山田　太郎,M21,10:05:00\n"
                                                 "山田太郎,M21,11:00:00\n"
                                                 "佐藤,M21,0:00:00\n"
                                                 "鈴木,M21,10:10:00\n"));
    prompts().files.push_back({list, 1});
    testDocument().setCurrentFilePath(tempPath(QStringLiteral("race.lap")));
    window.cmdStartList_Click();
    ASSERT_EQ(prompts().fileRequests.size(), 1u);
    EXPECT_EQ(prompts().fileRequests[0].title,
              QStringLiteral("スタートリストＣＳＶファイル読み込み"));
    EXPECT_EQ(prompts().fileRequests[0].filter,
              QStringLiteral("CSV形式 (*.csv)|*.csv|全てのファイル|*.*"));
    // The dialog starts in the race's folder; the import says what it did.
    EXPECT_EQ(prompts().fileRequests[0].fileName, tempDir() + QLatin1Char('/'));
    EXPECT_EQ(asked(), QStringList({"スタート時刻を 1 人に設定しました。\nスタートリストの次の 1 "
                                    "人はレースに見つかりませんでした:\n鈴木"}));
    prompts().log.clear();
    QHash<QString, double> starts;
    for (const auto& r : w21.RunnersAsAdded()) starts.insert(r.Namae, r.StartTime);
    EXPECT_DOUBLE_EQ(starts.value(QStringLiteral("山田太郎")), secs(10 * 3600 + 300));
    EXPECT_DOUBLE_EQ(starts.value(QStringLiteral("佐藤")), secs(9 * 3600));
    EXPECT_TRUE(testDocument().DataModified());

    // A header without the words: the message, and nothing changes.
    testDocument().setDataModified(false);
    testsupport::writeCp932(list, QStringLiteral("name,start\n佐藤,12:00:00\n"));
    prompts().files.push_back({list, 1});
    window.cmdStartList_Click();
    EXPECT_EQ(asked(), QStringList({"１行目に「名前,スタート時刻」などと記載してください"}));
    EXPECT_EQ(prompts().log.back().icon, Prompts::Icon::None);
    EXPECT_FALSE(testDocument().DataModified());

    // Cancelled or missing: nothing at all.
    window.cmdStartList_Click();
    prompts().files.push_back({tempPath(QStringLiteral("none.csv")), 1});
    window.cmdStartList_Click();
    EXPECT_EQ(asked().size(), 1);
    EXPECT_FALSE(testDocument().DataModified());
}

TEST_F(ClassEditTest, RealStartListStopsAtItsHeader)
{
    const QString path = testsupport::realDataPath(
        QStringLiteral("AtsushiYanaigsawa768-JOY2Mulka/Startlist_anonymous.csv"));
    if (path.isEmpty()) GTEST_SKIP() << "real start list not present";
    clsClassData& c = addClass(QStringLiteral("M21A1"), 1);
    clsClassDataSub runner;
    runner.Namae = QStringLiteral("山田 太郎");
    runner.setLap(1, secs(100));
    c.Add(runner);
    frmClassEdit window(testDocument());
    prompts().files.push_back({path, 1});
    window.cmdStartList_Click();
    EXPECT_EQ(asked(), QStringList({"１行目に「名前,スタート時刻」などと記載してください"}));
    EXPECT_DOUBLE_EQ(c.Item(1).StartTime, 0);
    EXPECT_FALSE(testDocument().DataModified());
}

// A length or climb that is not a whole number of metres is refused with a message when the
// box is left (or the window closed); the class keeps its value and the box shows it again.
TEST_F(ClassEditTest, LengthAndClimbTakeWholeMetresOnly)
{
    clsClassData& m21 = addClass(QStringLiteral("M21"), 5);
    m21.ClassLength = 4200;
    frmClassEdit window(testDocument());
    window.txtLength->setText(QStringLiteral("3.2km"));
    emit window.txtLength->editingFinished();
    EXPECT_EQ(asked(), QStringList({"距離はメートル単位の整数で入力してください: 3.2km\n"
                                    "距離は元のままです。"}));
    EXPECT_EQ(window.txtLength->text(), QStringLiteral("4200"));
    window.txtUpHeight->setText(QStringLiteral("１８０ｍ"));
    window.txtLength->setText(QStringLiteral("abc"));
    window.cmdClose_Click();
    EXPECT_EQ(asked().size(), 2);
    EXPECT_EQ(m21.ClassLength, 4200);
    EXPECT_EQ(m21.ClassUpHeight, 180);
}

// The spinner's up arrow raises the count, its down arrow lowers it.
TEST_F(ClassEditTest, TheSpinnersUpArrowRaisesTheCount)
{
    addClass(QStringLiteral("M21"), 5);
    frmClassEdit window(testDocument());
    window.show();
    auto* spinner = window.vscControl;
    const auto click = [spinner](int y) {
        const QPointF at(spinner->width() / 2.0, y);
        for (const auto& [type, buttons] : {std::pair{QEvent::MouseButtonPress, Qt::LeftButton},
                                            std::pair{QEvent::MouseButtonRelease, Qt::NoButton}}) {
            QMouseEvent event(type, at, spinner->mapToGlobal(at), Qt::LeftButton, buttons, {});
            QApplication::sendEvent(spinner, &event);
        }
    };
    click(2);
    click(2);
    click(spinner->height() - 3);
    EXPECT_EQ(window.txtControlCount->text(), QStringLiteral("6"));
    EXPECT_EQ(testRace().ClassList[QStringLiteral("M21")].ClassControlCount, 6);
}
