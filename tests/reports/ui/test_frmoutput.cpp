// The output dialog's file tab: its first state, its reactions to the user, the output button
// and the script commands it answers.
#include "classbuilder.h"
#include "common/scriptedprompts.h"
#include "config/settings.h"
#include "config/ui/elidedlabel.h"
#include "config/ui/modal.h"
#include "lapfiles/racefile.h"
#include "race/prompts.h"
#include "reports/ui/frmoutput.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>

using namespace analysistest;

namespace {

class OutputDialog : public AnalysisTest {
protected:
    void SetUp() override
    {
        AnalysisTest::SetUp();
        basSettings::OverrideProgramPath(tempPath(QStringLiteral("program/SplitDuel")));
        QDir().mkpath(tempPath(QStringLiteral("program")));
        basSettings::ResetSettings(tempPath(QStringLiteral("program")));
        testRace().RaceInfo.RaceName = QStringLiteral("Race");
        testRace().RaceInfo.RaceDate = QDate(2002, 5, 1);
        addClass(QString(), 1, true, {{"U", {"3:00", "1:00"}}});
        addClass(QStringLiteral("W21"), 1, true, {{"B", {"4:00", "1:00"}}});
        out = tempPath(QStringLiteral("out"));
        QDir().mkpath(out);
    }
    void TearDown() override
    {
        basSettings::ResetSettings(QString());
        basSettings::OverrideProgramPath(QString());
        frmOutput::setPrintPageBuilder({});
    }
    QStringList written() const { return QDir(out).entryList(QDir::Files); }
    QString out;
};

TEST_F(OutputDialog, FreshDialogShowsTheRaceAndEveryClass)
{
    frmOutput form(testDocument());
    EXPECT_EQ(form.tabMain->tabText(0), "ファイル");
    EXPECT_EQ(form.tabMain->tabText(1), "印刷");
    EXPECT_EQ(form.cbofDataType->currentText(), "解析データ");
    EXPECT_EQ(form.cbofFileType->currentText(), "HTML形式");
    EXPECT_EQ(form.cbofKakuchoshi->currentText(), ".htm");
    EXPECT_EQ(form.lblfYear->text(), "02_");
    EXPECT_EQ(form.txtfFileName->text(), "Race");
    EXPECT_EQ(form.lblfWild->text(), "_*");
    EXPECT_TRUE(form.chkfLowCase->isChecked());
    EXPECT_TRUE(form.chkfIndex->isChecked());
    EXPECT_FALSE(form.chkfForExcel->isChecked());
    EXPECT_TRUE(form.chkClose->isChecked());
    EXPECT_FALSE(form.picfOption[0]->isHidden());
    EXPECT_TRUE(form.picfOption[1]->isHidden());
    for (QListWidget* list : form.lstClass) {
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->item(0)->text(), "名称未設定");
        EXPECT_EQ(list->selectedItems().size(), 2);
    }
    form.cmdUncheck[1]->click();
    EXPECT_TRUE(form.lstClass[1]->selectedItems().isEmpty());
    EXPECT_EQ(form.lstClass[0]->selectedItems().size(), 2) << "each button acts on its own list";
    form.cmdCheck[1]->click();
    EXPECT_EQ(form.lstClass[1]->selectedItems().size(), 2);
    EXPECT_EQ(frmOutput::GetDataType(0, 2), "ラップタイム + 積算タイム");
    EXPECT_EQ(frmOutput::GetDataType(1, 2), "");
}

TEST_F(OutputDialog, ChoicesReactAndTheTabsSwapPages)
{
    frmOutput form(testDocument());
    emit form.cbofFileType->activated(2);
    EXPECT_EQ(form.cbofDataType->currentText(), "電子メール用");
    EXPECT_EQ(form.cbofKakuchoshi->currentText(), ".txt");
    EXPECT_TRUE(form.picfOption[0]->isHidden());
    emit form.cbofDataType->activated(4);
    EXPECT_EQ(form.cbofFileType->currentIndex(), 0);
    EXPECT_EQ(form.lblfWild->text(), "_leg_*");
    EXPECT_FALSE(form.chkfForExcel->isEnabled());
    emit form.cbofFileType->activated(1);
    form.chkfOneFile->click();
    EXPECT_EQ(form.lblfWild->text(), "");
    form.tabMain->setCurrentIndex(1);
    EXPECT_TRUE(form.picTray[0]->isHidden());
    EXPECT_FALSE(form.picTray[1]->isHidden());
}

TEST_F(OutputDialog, FolderBrowserAndEmptyFileName)
{
    auto prompts = std::make_unique<Prompts::ScriptedPrompts>();
    Prompts::ScriptedPrompts& answers = *prompts;
    Prompts::ScopedPrompts scope(std::move(prompts));
    frmOutput form(testDocument());
    form.txtfFolder->setText(out);
    form.cmdfRefer->click();
    EXPECT_EQ(form.txtfFolder->text(), out) << "a cancelled browser leaves the folder";
    answers.folders.push_back(tempDir());
    form.cmdfRefer->click();
    EXPECT_EQ(form.txtfFolder->text(), tempDir());

    form.txtfFolder->setText(out);
    form.txtfFileName->clear();
    form.cmdOutput->click();
    EXPECT_TRUE(written().isEmpty());
    EXPECT_TRUE(form.LastRunFailed());
    EXPECT_EQ(basSettings::SettingsFile().Item("HtmlFolder"), "");
}

// A folder that cannot take files refuses the run with one message naming it; nothing is
// written and the dialog stays open to put it right, whatever "出力後閉じる" says.
TEST_F(OutputDialog, AFolderThatCannotTakeFilesRefusesTheRunWithOneMessage)
{
    auto prompts = std::make_unique<Prompts::ScriptedPrompts>();
    Prompts::ScriptedPrompts& answers = *prompts;
    Prompts::ScopedPrompts scope(std::move(prompts));
    const QString file = tempPath(QStringLiteral("a-file"));
    testsupport::writeCp932(file, QStringLiteral("x"));
    const struct {
        QString folder;
        QString message;
    } cases[] = {
        {QString(), QStringLiteral("出力フォルダがありません: (指定されていません)")},
        {QStringLiteral("   "), QStringLiteral("出力フォルダがありません: (指定されていません)")},
        {tempPath(QStringLiteral("missing/deeper")),
         QStringLiteral("出力フォルダがありません: ") + tempPath(QStringLiteral("missing/deeper"))},
        {file, QStringLiteral("出力フォルダがありません: ") + file +
                   QStringLiteral(" (フォルダではありません)")},
    };
    frmOutput form(testDocument());
    form.show();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder.toStdString());
        answers.log.clear();
        form.txtfFolder->setText(c.folder);
        form.cmdOutput->click();
        ASSERT_EQ(answers.log.size(), 1u);
        EXPECT_EQ(answers.log[0].text, c.message);
        EXPECT_TRUE(form.LastRunFailed());
        EXPECT_TRUE(form.isVisible());
        EXPECT_TRUE(form.chkClose->isChecked());
        EXPECT_EQ(basSettings::SettingsFile().Item("HtmlFolder"), "");
    }
    EXPECT_TRUE(QDir(tempDir()).entryList({QStringLiteral("*.htm")}, QDir::Files).isEmpty());
    answers.log.clear();
    form.txtfFolder->setText(out);
    form.cmdOutput->click();
    ASSERT_EQ(answers.log.size(), 1u);  // only the summary of the run
    EXPECT_EQ(answers.log[0].icon, Prompts::Icon::Information);
    EXPECT_EQ(written().size(), 3);
    EXPECT_FALSE(form.isVisible());
}

// With no folder stored the dialog starts in the desktop folder, or where there is none in the
// documents folder, or at last in the home folder.
TEST_F(OutputDialog, TheFirstFolderIsOneThatExists)
{
    const QByteArray home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME");
    const QString fakeHome = tempPath(QStringLiteral("home"));
    QDir().mkpath(fakeHome);
    qputenv("HOME", fakeHome.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (fakeHome + QStringLiteral("/.config")).toLocal8Bit());
    const auto folderShown = [] {
        frmOutput form(testDocument());
        return form.txtfFolder->text();
    };
    EXPECT_EQ(folderShown(), fakeHome);
    QDir().mkpath(fakeHome + QStringLiteral("/Documents"));
    EXPECT_EQ(folderShown(), fakeHome + QStringLiteral("/Documents"));
    QDir().mkpath(fakeHome + QStringLiteral("/Desktop"));
    EXPECT_EQ(folderShown(), fakeHome + QStringLiteral("/Desktop"));
    qputenv("HOME", home);
    if (config.isEmpty())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", config);
}

// The main window keeps one dialog: what was chosen stays from one opening to the next, and a
// race whose classes changed meanwhile gets its lists refilled.
TEST_F(OutputDialog, TheMainWindowKeepsOneDialog)
{
    QWidget owner;
    frmOutput& form = frmOutput::Of(&owner, testDocument());
    ExecModal(form);
    emit form.cbofFileType->activated(1);
    form.chkClose->setChecked(false);
    form.tabMain->setCurrentIndex(1);
    form.lstClass[0]->item(0)->setSelected(false);
    EXPECT_EQ(&frmOutput::Of(&owner, testDocument()), &form);
    EXPECT_EQ(owner.findChildren<frmOutput*>().size(), 1);
    EXPECT_EQ(form.cbofFileType->currentIndex(), 1);
    EXPECT_FALSE(form.chkClose->isChecked());
    EXPECT_EQ(form.tabMain->currentIndex(), 1);
    form.show();
    form.hide();
    EXPECT_EQ(form.lstClass[0]->selectedItems().size(), 1) << "the same classes, kept as chosen";

    addClass(QStringLiteral("M21"), 1, true, {{"C", {"2:00", "1:00"}}});
    form.show();
    EXPECT_EQ(form.lstClass[0]->count(), 3);
    EXPECT_EQ(form.lstClass[1]->item(2)->text(), "M21");
    form.hide();
}
// The output button stores the folder relative to the program and writes the selected
// classes; a new dialog finds the folder again.
TEST_F(OutputDialog, OutputWritesSelectedClassesAndRemembersTheFolder)
{
    frmOutput form(testDocument());
    form.txtfFolder->setText(out);
    form.lstClass[0]->item(0)->setSelected(false);
    form.cmdOutput->click();
    EXPECT_EQ(written(), (QStringList{"02_race_index.htm", "02_race_w21.htm"}));
    EXPECT_EQ(basSettings::SettingsFile().Item("HtmlFolder"), "../out/");
    frmOutput again(testDocument());
    EXPECT_EQ(QDir(again.txtfFolder->text()).canonicalPath(), QDir(out).canonicalPath());
}

// The last data type writes one viewer page of the chosen classes beside the other files.
TEST_F(OutputDialog, ViewerIsTheLastDataType)
{
    frmOutput form(testDocument());
    form.txtfFolder->setText(out);
    ASSERT_EQ(form.cbofDataType->count(), 8);
    EXPECT_EQ(form.cbofDataType->itemText(7), "分析ビューア (HTML)");
    emit form.cbofDataType->activated(7);
    EXPECT_EQ(form.cbofFileType->currentText(), "HTML形式");
    EXPECT_EQ(form.lblfWild->text(), "_viewer");
    EXPECT_EQ(form.cbofKakuchoshi->currentText(), ".html");
    EXPECT_FALSE(form.chkfForExcel->isEnabled());
    form.lstClass[0]->item(0)->setSelected(false);
    form.cmdOutput->click();
    EXPECT_FALSE(form.LastRunFailed());
    EXPECT_EQ(written(), QStringList{"02_race_viewer.html"});
    const QByteArray page = testsupport::readBytes(out + "/02_race_viewer.html");
    EXPECT_TRUE(page.contains("\"AnaClassName\":\"W21\""));
    EXPECT_FALSE(page.contains("\"AnaClassName\":\"\""));
}

TEST_F(OutputDialog, PrintPageBuilderFillsThePrintTab)
{
    frmOutput::setPrintPageBuilder(
        [](frmOutput& form) { form.picTray[1]->setObjectName(QStringLiteral("built")); });
    frmOutput form(testDocument());
    EXPECT_EQ(form.picTray[1]->objectName(), "built");
    EXPECT_EQ(form.lstClass[1]->parentWidget(), form.picTray[1]);
}

// Refresh reads the race file again but keeps the header as edited since.
TEST_F(OutputDialog, RefreshReloadsClassesAndKeepsHeaderEdits)
{
    const QString file = tempPath(QStringLiteral("race.lap"));
    ASSERT_EQ(basConvert::SaveRaceFile(testDocument(), file, basConvert::SaveType::Lap),
              basConvert::SaveResult::Saved);
    testDocument().setCurrentFilePath(file);
    frmOutput form(testDocument());
    testRace().ClassList.add(QStringLiteral("X"));
    testRace().RaceInfo.RaceName = QStringLiteral("Edited");
    form.lstClass[0]->clearSelection();
    form.cmdRefresh[1]->click();
    EXPECT_EQ(testRace().RaceInfo.RaceName, "Edited");
    EXPECT_FALSE(testRace().ClassList.contains(QStringLiteral("X")));
    for (QListWidget* list : form.lstClass) {
        EXPECT_EQ(list->count(), 2);
        EXPECT_EQ(list->selectedItems().size(), 2);
    }

    // The file gone: said so, and the race in memory stays.
    auto prompts = std::make_unique<Prompts::ScriptedPrompts>();
    Prompts::ScriptedPrompts& answers = *prompts;
    Prompts::ScopedPrompts scope(std::move(prompts));
    testRace().ClassList.add(QStringLiteral("Y"));
    ASSERT_TRUE(QFile::remove(file));
    form.cmdRefresh[0]->click();
    ASSERT_EQ(answers.log.size(), 1u);
    EXPECT_TRUE(answers.log[0].text.startsWith(QStringLiteral("ファイルを読み込めませんでした")));
    EXPECT_TRUE(testRace().ClassList.contains(QStringLiteral("Y")));
    EXPECT_EQ(form.lstClass[0]->count(), 3);
}

}  // namespace

namespace {

// "出力" tells what it wrote and where: in the status line, and in a message when the dialog
// closes after the run. With every class unticked it writes nothing and says so.
TEST_F(OutputDialog, OutputTellsHowManyFilesWentWhere)
{
    auto prompts = std::make_unique<Prompts::ScriptedPrompts>();
    Prompts::ScriptedPrompts& answers = *prompts;
    Prompts::ScopedPrompts scope(std::move(prompts));
    const QString done = QStringLiteral("3 個のファイルを出力しました");
    const QString folder = QStringLiteral(": ") + QDir(out).absolutePath() + QLatin1Char('/');
    const struct {
        int ticked;
        bool closeAfter;
        QString status;
    } runs[] = {
        {0, true, QStringLiteral("出力するクラスが選ばれていません。何も出力しませんでした。")},
        {2, false, done + folder},
        {2, true, done + QStringLiteral("（3 個は内容が同じため書き換えていません）") + folder},
    };
    frmOutput form(testDocument());
    form.txtfFolder->setText(out);
    for (const auto& run : runs) {
        SCOPED_TRACE(run.status.toStdString());
        answers.log.clear();
        form.show();
        form.cmdUncheck[0]->click();
        for (int i = 0; i < run.ticked; ++i) form.lstClass[0]->item(i)->setSelected(true);
        form.chkClose->setChecked(run.closeAfter);
        form.cmdOutput->click();
        EXPECT_EQ(form.lblStatus->fullText(), run.status);
        EXPECT_EQ(answers.log.size(), run.closeAfter ? 1u : 0u);
        for (const auto& record : answers.log) EXPECT_EQ(record.text, run.status);
        EXPECT_EQ(form.isVisible(), run.ticked == 0 || !run.closeAfter);
        EXPECT_EQ(written().size(), run.ticked == 0 ? 0 : 3);
    }
    // A script's run tells nothing in a message: nobody is there to read it.
    answers.log.clear();
    EXPECT_TRUE(form.Automation(QStringLiteral("HTML,") + out + QStringLiteral(",race")));
    EXPECT_TRUE(answers.log.empty());
}

// Choosing a file type keeps the content chosen last wherever the type can write it, tells what
// it changed, and moves nothing: the dialog keeps its size and its buttons their places.
TEST_F(OutputDialog, FileTypeKeepsTheChosenContentAndTheDialogStaysStill)
{
    frmOutput form(testDocument());
    form.show();
    QCoreApplication::processEvents();
    const QSize size = form.size();
    const auto place = [&form](const QWidget* w) { return w->mapTo(&form, QPoint(0, 0)); };
    const QPoint output = place(form.cmdOutput), close = place(form.cmdCancel);
    const QString file = QStringLiteral("出力形式を「%1形式」にしました");
    const QString data = QStringLiteral("出力内容を「%1」にしました");
    const struct {
        char choice;  // 'f' file type, 'd' data type, 't' tab
        int value;
        const char* data;
        const char* file;
        QString note;
    } steps[] = {
        {'f', 2, "電子メール用", "TEXT形式", data.arg("電子メール用")},
        {'f', 0, "解析データ", "HTML形式", data.arg("解析データ")},
        {'f', 1, "解析データ", "CSV形式", ""},
        {'d', 3, "SplitsBrowser用", "CSV形式", ""},
        {'f', 0, "ラップタイム", "HTML形式", data.arg("ラップタイム")},
        {'f', 1, "SplitsBrowser用", "CSV形式", data.arg("SplitsBrowser用")},
        {'d', 4, "レッグ分析", "HTML形式", file.arg("HTML")},
        {'t', 1, "レッグ分析", "HTML形式", file.arg("HTML")},
        {'d', 6, "電子メール用", "TEXT形式", file.arg("TEXT")},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(std::string(1, step.choice) + std::to_string(step.value));
        if (step.choice == 'f') emit form.cbofFileType->activated(step.value);
        if (step.choice == 'd') emit form.cbofDataType->activated(step.value);
        if (step.choice == 't') form.tabMain->setCurrentIndex(step.value);
        QCoreApplication::processEvents();
        EXPECT_EQ(form.cbofDataType->currentText(), QString::fromUtf8(step.data));
        EXPECT_EQ(form.cbofFileType->currentText(), QString::fromUtf8(step.file));
        EXPECT_EQ(form.lblfNote->fullText(), step.note);
        EXPECT_EQ(form.size(), size);
        EXPECT_EQ(place(form.cmdOutput), output);
        EXPECT_EQ(place(form.cmdCancel), close);
    }
    form.hide();
}

}  // namespace
