// The print tab, the layout options dialog and the timer details dialog, offscreen.
#include "common/scriptedprompts.h"
#include "config/inifile.h"
#include "config/settings.h"
#include "config/ui/modal.h"
#include "printing/pdfdevice.h"
#include "printing/ui/frmfontskhsetting.h"
#include "printing/ui/frmtimerprint.h"
#include "printing/ui/printtab.h"
#include "printing/ui/printwindows.h"
#include "printtest.h"
#include "race/prompts.h"
#include "reports/ui/frmoutput.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabBar>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QStringList itemsOf(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    return items;
}

class PrintTabTest : public RaceTest {
protected:
    void SetUp() override
    {
        RaceTest::SetUp();
        basSettings::ResetSettings(tempDir());
        auto scripted = std::make_unique<Prompts::ScriptedPrompts>();
        prompts = scripted.get();
        scope = std::make_unique<Prompts::ScopedPrompts>(std::move(scripted));
        printtest::addClass(QStringLiteral("M21"),
                            {{QStringLiteral("山田一郎"), QStringLiteral("赤"), {60, 70}},
                             {QStringLiteral("山田次郎"), QStringLiteral("青"), {65, 75}}});
        printtest::addClass(QStringLiteral("W21"),
                            {{QStringLiteral("川上花子"), QStringLiteral("緑"), {80, 90}}});
    }
    void TearDown() override { basSettings::ResetSettings(QString()); }

    // A tab over its own class list, filled from the race with every class checked.
    std::unique_ptr<PrintTab> makeTab(PrintTabHost host = {})
    {
        list = std::make_unique<QListWidget>();
        auto tab = std::make_unique<PrintTab>(testDocument(), list.get(), std::move(host));
        tab->RefreshClassList();
        return tab;
    }
    QStringList checkedNames() const
    {
        QStringList names;
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->checkState() == Qt::Checked) names << list->item(i)->text();
        return names;
    }

    Prompts::ScriptedPrompts* prompts = nullptr;
    std::unique_ptr<Prompts::ScopedPrompts> scope;
    std::unique_ptr<QListWidget> list;
};

}  // namespace

TEST_F(PrintTabTest, ControlsAtLoad)
{
    auto tab = makeTab();
    EXPECT_EQ(itemsOf(tab->cbopPrintType), QStringList{QStringLiteral("速報向け")});
    EXPECT_EQ(
        itemsOf(tab->cbopDataType),
        (QStringList{QStringLiteral("ラップタイム"), QStringLiteral("積算タイム"),
                     QStringLiteral("ラップタイム + 積算タイム"), QStringLiteral("解析データ")}));
    EXPECT_EQ(tab->cbopZoomRatio->currentText(), QStringLiteral("100"));
    EXPECT_EQ(tab->txtpMarginTop->text(), QStringLiteral("10"));
    EXPECT_EQ(tab->txtpMarginLeft->text(), QStringLiteral("10"));
    EXPECT_TRUE(tab->chkpEachClass->isChecked());
    EXPECT_FALSE(tab->lblpOption->isVisibleTo(tab.get()));
    EXPECT_FALSE(tab->cbopAutoPrint->isEnabled());
    EXPECT_FALSE(tab->cmdpAutoPrint->isEnabled());
    EXPECT_EQ(tab->cbopAutoPrint->currentText(), QStringLiteral("なし"));
    // The built-in PDF printer is always offered, last; the first printer is chosen.
    ASSERT_GE(tab->cbopPrinter->count(), 1);
    EXPECT_EQ(tab->cbopPrinter->itemText(tab->cbopPrinter->count() - 1), QStringLiteral("PDF"));
    EXPECT_EQ(tab->cbopPrinter->currentIndex(), 0);

    // The PDF printer: its A4 first, then the other A and B sizes, Letter left out.
    tab->FillPrinters({QStringLiteral("PDF")});
    EXPECT_EQ(itemsOf(tab->cbopPaperSize),
              (QStringList{QStringLiteral("A4 210 x 297 mm"), QStringLiteral("A3 297 x 420 mm"),
                           QStringLiteral("A5 148 x 210 mm"), QStringLiteral("B4 257 x 364 mm"),
                           QStringLiteral("B5 182 x 257 mm")}));
    EXPECT_EQ(itemsOf(tab->cbopOrientation),
              (QStringList{QStringLiteral("縦"), QStringLiteral("横")}));
    EXPECT_EQ(tab->cbopOrientation->currentText(), QStringLiteral("縦"));
    // No printers at all: empty paper and orientation lists.
    tab->FillPrinters({});
    EXPECT_EQ(tab->cbopPaperSize->count(), 0);
    EXPECT_EQ(tab->cbopOrientation->count(), 0);
    EXPECT_FALSE(tab->PrintSplitSheets());
}

TEST_F(PrintTabTest, JobFollowsTheControls)
{
    auto tab = makeTab();
    tab->FillPrinters({QStringLiteral("PDF")});
    tab->cbopDataType->setCurrentIndex(2);
    tab->cbopPaperSize->setCurrentIndex(2);  // A5
    tab->cbopOrientation->setCurrentIndex(1);
    tab->cbopZoomRatio->setEditText(QStringLiteral("zoom"));
    tab->txtpMarginTop->setText(QStringLiteral("15.5mm"));
    tab->txtpMarginLeft->setText(QStringLiteral("x"));
    tab->chkpEachClass->setChecked(false);
    list->item(0)->setCheckState(Qt::Unchecked);
    const SplitSheetJob job = tab->CurrentJob();
    EXPECT_EQ(job.DataType, CbasPrinter::PrintDataType::LapsAndSums);
    EXPECT_EQ(job.PaperCode, 11);
    EXPECT_EQ(job.Orientation, PaperOrientation::Landscape);
    EXPECT_DOUBLE_EQ(job.Zoom, 1);  // not a number: 100 %
    EXPECT_DOUBLE_EQ(job.MarginTop, 15.5);
    EXPECT_DOUBLE_EQ(job.MarginLeft, 0);
    EXPECT_FALSE(job.EachClass);
    EXPECT_EQ(job.Classes, QStringList{QStringLiteral("W21")});
    // Refilling the data types keeps the chosen index.
    tab->FillDataTypes(tab->cbopDataType, 0);
    EXPECT_EQ(tab->cbopDataType->currentIndex(), 2);
}

TEST_F(PrintTabTest, PrintsTheCheckedClassesToTheChosenPdf)
{
    auto tab = makeTab();
    tab->FillPrinters({QStringLiteral("PDF")});
    list->item(1)->setCheckState(Qt::Unchecked);
    const QString pdf = tempPath(QStringLiteral("tab.pdf"));
    prompts->files.push_back({pdf, 1});
    testDocument().setCurrentFilePath(tempPath(QStringLiteral("cup.lap")));
    ASSERT_TRUE(tab->PrintSplitSheets());
    ASSERT_EQ(prompts->fileRequests.size(), 1u);
    EXPECT_EQ(prompts->fileRequests[0].mode, Prompts::FileDialogRequest::Mode::Save);
    // The race's file name as a PDF, in the race's folder.
    EXPECT_EQ(prompts->fileRequests[0].fileName, tempPath(QStringLiteral("cup.pdf")));
    ASSERT_TRUE(QFile::exists(pdf));
    if (printtest::popplerAvailable()) {
        const QString text = printtest::pdfText(pdf);
        EXPECT_TRUE(text.contains(QStringLiteral("山田一郎")));
        EXPECT_FALSE(text.contains(QStringLiteral("川上花子")));
    }
    // The file dialog cancelled: nothing printed, no message.
    QFile::remove(pdf);
    EXPECT_FALSE(tab->PrintSplitSheets());
    EXPECT_FALSE(QFile::exists(pdf));
    // A folder that cannot be written: a message, not success.
    prompts->files.push_back({tempPath(QStringLiteral("none/x.pdf")), 1});
    EXPECT_FALSE(tab->PrintSplitSheets());
    ASSERT_FALSE(prompts->log.empty());
    EXPECT_TRUE(prompts->log.back().text.startsWith(QStringLiteral("印刷できませんでした")));
    // No class checked: nothing printed, nothing asked, and said so.
    PrintTab::CheckAll(list.get(), false);
    EXPECT_FALSE(tab->PrintSplitSheets());
    EXPECT_EQ(prompts->log.back().text,
              QStringLiteral("印刷するクラスが選ばれていません。何も印刷しませんでした。"));
}

TEST_F(PrintTabTest, TimerRunUsesItsOwnSettingsAndRestoresTheTab)
{
    std::vector<SplitSheetJob> runs;
    PrintTab* tabPtr = nullptr;
    PrintTabHost host;
    host.PrintTabSelected = [] { return true; };
    host.DialogVisible = [] { return true; };
    host.RunOutput = [&] { runs.push_back(tabPtr->CurrentJob()); };
    auto tab = makeTab(host);
    tabPtr = tab.get();
    tab->TimerSpecial = true;
    tab->TimerSpecialSetting = true;
    tab->TimerDataType = 3;
    tab->TimerAllClass = false;
    tab->TimerSelectedClass = {QStringLiteral("W21"), QStringLiteral("gone")};
    list->item(1)->setCheckState(Qt::Unchecked);  // the tab prints M21 only

    tab->chkpAutoPrint->setChecked(true);
    EXPECT_TRUE(tab->cbopAutoPrint->isEnabled());
    tab->cbopAutoPrint->setCurrentIndex(1);  // "3"
    EXPECT_TRUE(tab->timpAutoPrint->isActive());
    EXPECT_EQ(tab->lblpAutoPrint->text(), QStringLiteral("3分後自動印刷"));
    tab->timpAutoPrint_Timer();
    tab->timpAutoPrint_Timer();
    EXPECT_TRUE(runs.empty());
    tab->timpAutoPrint_Timer();
    EXPECT_EQ(tab->lblpAutoPrint->text(), QStringLiteral("出力しました"));
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].DataType, CbasPrinter::PrintDataType::Analysis);
    EXPECT_EQ(runs[0].Classes, QStringList{QStringLiteral("W21")});
    // The tab shows its own choices again.
    EXPECT_EQ(tab->cbopDataType->currentIndex(), 0);
    EXPECT_EQ(checkedNames(), QStringList{QStringLiteral("M21")});
    EXPECT_EQ(tab->CurrentJob().DataType, CbasPrinter::PrintDataType::Laps);

    // Unticking stops the timer and empties the label.
    tab->chkpAutoPrint->setChecked(false);
    EXPECT_FALSE(tab->timpAutoPrint->isActive());
    EXPECT_EQ(tab->lblpAutoPrint->text(), QString());
    EXPECT_EQ(tab->cbopAutoPrint->currentText(), QStringLiteral("なし"));
    EXPECT_FALSE(tab->cbopAutoPrint->isEnabled());
}

TEST_F(PrintTabTest, TimerDetailsDialog)
{
    auto tab = makeTab();
    {
        frmTimerPrint dialog(*tab);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("タイマー印刷 - 詳細"));
        EXPECT_FALSE(dialog.cbopDataType->isEnabled());
        EXPECT_EQ(dialog.lstClass->count(), 2);
        dialog.chkSpecial->setChecked(true);
        EXPECT_TRUE(dialog.cbopDataType->isEnabled());
        EXPECT_FALSE(dialog.lstClass->isEnabled());  // all classes
        dialog.optSel->setChecked(true);
        EXPECT_TRUE(dialog.lstClass->isEnabled());
        dialog.cmdUncheck->click();
        dialog.lstClass->item(1)->setCheckState(Qt::Checked);
        dialog.cbopDataType->setCurrentIndex(3);
        dialog.cmdOK->click();
    }
    EXPECT_TRUE(tab->TimerSpecial);
    EXPECT_EQ(tab->TimerDataType, 3);
    EXPECT_FALSE(tab->TimerAllClass);
    EXPECT_EQ(tab->TimerSelectedClass, QStringList{QStringLiteral("W21")});
    {
        // Opened again it shows them; cancel changes nothing.
        frmTimerPrint dialog(*tab);
        EXPECT_TRUE(dialog.chkSpecial->isChecked());
        EXPECT_EQ(dialog.cbopDataType->currentIndex(), 3);
        EXPECT_TRUE(dialog.optSel->isChecked());
        EXPECT_EQ(dialog.lstClass->item(1)->checkState(), Qt::Checked);
        dialog.chkSpecial->setChecked(false);
        EXPECT_FALSE(dialog.lstClass->isEnabled());
        dialog.cmdCancel->click();
    }
    EXPECT_TRUE(tab->TimerSpecial);
}

TEST_F(PrintTabTest, BandFontDialog)
{
    IniFile& settings = basSettings::SettingsFile();
    basSettings::WriteDefaultPrintSettings(basSettings::DefaultSettings::SplitSheetPrint);
    settings.setItem(QStringLiteral("WidthSkhClassLabel"), QStringLiteral("3"));
    settings.Save();
    const QByteArray before = testsupport::readBytes(settings.FileName());
    {
        frmFontSkhSetting dialog(settings);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("オプション - 速報向け"));
        EXPECT_EQ(dialog.Combo1->currentText(), QStringLiteral("ＭＳ ゴシック"));
        EXPECT_EQ(dialog.Text1->text(), QStringLiteral("60"));
        // One 60-point full-width letter is about 21 mm: the 3 mm band is raised to it.
        const double width = dialog.Text2->text().toDouble();
        EXPECT_NEAR(width, 21.2, 1.0);
        EXPECT_EQ(dialog.Label5->text(),
                  QStringLiteral("(") + dialog.Text2->text() + QStringLiteral("mm～)"));
        // The spinner's lower arrow makes the font larger; it stops at 5.
        dialog.VScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_EQ(dialog.Text1->text(), QStringLiteral("61"));
        dialog.VScroll1->setValue(1);
        EXPECT_EQ(dialog.Text1->text(), QStringLiteral("5"));
        dialog.cmdCancel->click();
    }
    EXPECT_EQ(testsupport::readBytes(settings.FileName()), before);
    {
        frmFontSkhSetting dialog(settings);
        dialog.Check2->setChecked(true);
        dialog.Text2->setText(QStringLiteral("30"));
        dialog.cmdOK->click();
    }
    EXPECT_EQ(settings.Item(QStringLiteral("FontSkhClass")),
              QStringLiteral("ＭＳ ゴシック,60,True,False"));
    EXPECT_EQ(settings.Item(QStringLiteral("WidthSkhClassLabel")), QStringLiteral("30"));
    EXPECT_NE(testsupport::readBytes(settings.FileName()), before);
    EXPECT_TRUE(prompts->log.empty());

    // Typed below the shown minimum (or no number): raised to it at OK, and said so.
    for (const char* typed : {"5", "abc"}) {
        SCOPED_TRACE(typed);
        prompts->log.clear();
        frmFontSkhSetting dialog(settings);
        dialog.Check2->setChecked(false);
        const QString minimum = dialog.Label5->text().mid(1).section(QStringLiteral("mm"), 0, 0);
        dialog.Text2->setText(QString::fromUtf8(typed));
        dialog.cmdOK->click();
        EXPECT_EQ(settings.Item(QStringLiteral("WidthSkhClassLabel")), minimum);
        ASSERT_EQ(prompts->log.size(), 1u);
        EXPECT_TRUE(prompts->log[0].text.contains(minimum + QStringLiteral("mm")));
    }
}

// The print tab on the output dialog: its "出力" button prints the selected classes of the
// print list, and the timer counts only on the print tab.
TEST_F(PrintTabTest, OnTheOutputDialog)
{
    RegisterPrintingWindows();
    frmOutput form(testDocument());
    PrintTab* tab = PrintTabOf(form);
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->lstClass, form.lstClass[1]);
    EXPECT_EQ(tab->cbopDataType->count(), 4);
    tab->FillPrinters({QStringLiteral("PDF")});
    form.lstClass[1]->item(0)->setSelected(false);  // M21 left out
    form.chkClose->setChecked(false);
    form.tabMain->setCurrentIndex(1);
    const QString pdf = tempPath(QStringLiteral("dialog.pdf"));
    prompts->files.push_back({pdf, 1});
    form.cmdOutput_Click();
    EXPECT_EQ(tab->CurrentJob().Classes, QStringList{QStringLiteral("W21")});
    ASSERT_TRUE(QFile::exists(pdf));
    if (printtest::popplerAvailable()) {
        const QString text = printtest::pdfText(pdf);
        EXPECT_TRUE(text.contains(QStringLiteral("川上花子")));
        EXPECT_FALSE(text.contains(QStringLiteral("山田一郎")));
    }

    // Choosing an interval keeps the dialog open after a run; off the print tab the label is
    // empty and no run happens.
    form.show();
    form.chkClose->setChecked(true);
    tab->chkpAutoPrint->setChecked(true);
    tab->cbopAutoPrint->setCurrentIndex(1);
    EXPECT_FALSE(form.chkClose->isChecked());
    EXPECT_EQ(tab->lblpAutoPrint->text(), QStringLiteral("3分後自動印刷"));
    form.tabMain->setCurrentIndex(0);
    EXPECT_EQ(tab->lblpAutoPrint->text(), QString());
    for (int i = 0; i < 3; ++i) tab->timpAutoPrint_Timer();
    EXPECT_TRUE(prompts->fileRequests.size() == 1u);  // no run yet
    form.hide();
    frmOutput::setPrintPageBuilder({});
    frmOutput::setPrintRun({});
}

// A timer run on the "PDF" printer asks nothing: it writes a file named by the time into the
// output folder, and tells a folder that cannot take it in the status label, not in a box
// nobody may be there to answer. The dialog, kept by its owner, keeps the timer when closed.
TEST_F(PrintTabTest, TimerPrintToPdfRunsUnattended)
{
    RegisterPrintingWindows();
    QWidget owner;
    frmOutput& form = frmOutput::Of(&owner, testDocument());
    PrintTab* tab = PrintTabOf(form);
    ASSERT_NE(tab, nullptr);
    tab->FillPrinters({QStringLiteral("PDF")});
    const QString out = tempPath(QStringLiteral("live"));
    QDir().mkpath(out);
    form.txtfFolder->setText(out);
    form.tabMain->setCurrentIndex(1);
    form.show();
    tab->chkpAutoPrint->setChecked(true);
    tab->cbopAutoPrint->setCurrentIndex(1);  // "3"
    const auto minutes = [&](int n) {
        for (int i = 0; i < n; ++i) tab->timpAutoPrint_Timer();
    };
    minutes(3);
    QStringList pdfs = QDir(out).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    ASSERT_EQ(pdfs.size(), 1);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^splits_\\d{8}_\\d{6}\\.pdf$"))
                    .match(pdfs[0])
                    .hasMatch())
        << pdfs[0].toStdString();
    EXPECT_EQ(PrintTab::TimerPdfName(QDateTime(QDate(2024, 4, 21), QTime(10, 30, 5))),
              QStringLiteral("splits_20240421_103005.pdf"));
    EXPECT_TRUE(prompts->fileRequests.empty());
    EXPECT_TRUE(prompts->log.empty());
    EXPECT_TRUE(form.isVisible());

    // Closed, the dialog keeps its timer (paused while hidden) and its settings.
    form.hide();
    minutes(5);
    EXPECT_EQ(tab->AutoPrint().CountedMinutes(), 0);
    EXPECT_EQ(&frmOutput::Of(&owner, testDocument()), &form);
    EXPECT_TRUE(tab->timpAutoPrint->isActive());
    form.show();

    form.txtfFolder->setText(tempPath(QStringLiteral("gone")));
    minutes(3);
    EXPECT_TRUE(prompts->log.empty());
    EXPECT_TRUE(prompts->fileRequests.empty());
    EXPECT_TRUE(tab->lblpAutoPrint->text().startsWith(QStringLiteral("出力フォルダがありません")));
    EXPECT_TRUE(form.isVisible());
    form.hide();
    frmOutput::setPrintPageBuilder({});
    frmOutput::setPrintRun({});
}

// The print settings and the timer's interval and classes are kept in the settings file: a new
// start shows them again. The tick of "タイマー印刷" is not kept; ticked again, the timer takes
// up its last interval.
TEST_F(PrintTabTest, PrintSettingsAreKeptAcrossStarts)
{
    {
        auto tab = makeTab();
        const int pdf = tab->cbopPrinter->findText(QStringLiteral("PDF"));
        ASSERT_GE(pdf, 0);
        tab->cbopPrinter->setCurrentIndex(pdf);
        emit tab->cbopPrinter->activated(pdf);
        tab->cbopPaperSize->setCurrentIndex(2);  // A5
        tab->cbopOrientation->setCurrentIndex(1);
        tab->cbopZoomRatio->setEditText(QStringLiteral("141"));
        tab->txtpMarginTop->setText(QStringLiteral("15"));
        tab->txtpMarginLeft->setText(QStringLiteral("12.5"));
        tab->chkpEachClass->setChecked(false);
        tab->cbopDataType->setCurrentIndex(3);
        tab->chkpAutoPrint->setChecked(true);
        tab->cbopAutoPrint->setCurrentIndex(2);  // "5"
        tab->chkpAutoPrint->setChecked(false);   // stops the timer; "5" stays the last interval
        SetModalWatcher([](QDialog& dialog) {
            auto& details = dynamic_cast<frmTimerPrint&>(dialog);
            details.chkSpecial->setChecked(true);
            details.optSel->setChecked(true);
            details.cmdUncheck->click();
            details.lstClass->item(1)->setCheckState(Qt::Checked);
            details.cbopDataType->setCurrentIndex(1);
            details.cmdOK->click();
        });
        tab->chkpAutoPrint->setChecked(true);
        tab->cmdpAutoPrint->click();
        SetModalWatcher({});
        tab->chkpAutoPrint->setChecked(false);
    }
    basSettings::ResetSettings(tempDir());  // the next start reads the file again
    auto tab = makeTab();
    EXPECT_EQ(tab->cbopPrinter->currentText(), QStringLiteral("PDF"));
    EXPECT_EQ(tab->cbopPaperSize->currentData().toInt(), 11);
    EXPECT_EQ(tab->cbopOrientation->currentText(), QStringLiteral("横"));
    EXPECT_EQ(tab->cbopZoomRatio->currentText(), QStringLiteral("141"));
    EXPECT_EQ(tab->txtpMarginTop->text(), QStringLiteral("15"));
    EXPECT_EQ(tab->txtpMarginLeft->text(), QStringLiteral("12.5"));
    EXPECT_FALSE(tab->chkpEachClass->isChecked());
    EXPECT_EQ(tab->cbopDataType->currentIndex(), 3);
    EXPECT_TRUE(tab->TimerSpecial);
    EXPECT_EQ(tab->TimerDataType, 1);
    EXPECT_FALSE(tab->TimerAllClass);
    EXPECT_EQ(tab->TimerSelectedClass, QStringList{QStringLiteral("W21")});
    EXPECT_FALSE(tab->timpAutoPrint->isActive());
    tab->chkpAutoPrint->setChecked(true);
    EXPECT_EQ(tab->AutoPrint().Interval(), 5);
    EXPECT_TRUE(tab->timpAutoPrint->isActive());
}
