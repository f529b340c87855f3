// The print tab's choices kept in the settings file across starts: printer, paper, orientation,
// zoom, margins, a page per class, the data type, the timer's interval and the timer's own
// print settings and classes.
#include "config/settings.h"
#include "printing/ui/printtab.h"
#include "race/race.h"
#include "race/textutil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

namespace {

const QString PrinterKey = QStringLiteral("PrintPrinter");
const QString PaperKey = QStringLiteral("PrintPaper");
const QString OrientationKey = QStringLiteral("PrintOrientation");
const QString ZoomKey = QStringLiteral("PrintZoom");
const QString MarginTopKey = QStringLiteral("PrintMarginTop");
const QString MarginLeftKey = QStringLiteral("PrintMarginLeft");
const QString EachClassKey = QStringLiteral("PrintEachClass");
const QString DataTypeKey = QStringLiteral("PrintDataType");
const QString IntervalKey = QStringLiteral("TimerInterval");
const QString SpecialKey = QStringLiteral("TimerSpecial");
const QString TimerPrintTypeKey = QStringLiteral("TimerPrintType");
const QString TimerDataTypeKey = QStringLiteral("TimerDataType");
const QString AllClassKey = QStringLiteral("TimerAllClass");
const QString TimerClassesKey = QStringLiteral("TimerSelectedClass");

// Classes are kept as their list entries ("名称未設定" for the unnamed class) on one line, apart
// by tabs, which no class name holds.
const QChar ClassSeparator = u'\t';

QString FlagText(bool on)
{
    return on ? QStringLiteral("True") : QStringLiteral("False");
}

// Chooses the entry whose item data is the value; an unknown value leaves the choice.
void SelectData(QComboBox* combo, const QString& stored)
{
    if (stored.isEmpty()) return;
    const int index = combo->findData(stored.toInt());
    if (index >= 0) combo->setCurrentIndex(index);
}

}  // namespace

int PrintTab::StoredTimerInterval()
{
    const double minutes = CbasGeneral::Val(basSettings::SettingsFile().Item(IntervalKey));
    return minutes >= 1 && minutes <= 24 * 60 ? static_cast<int>(minutes) : 0;
}

void PrintTab::restoreSettings()
{
    const IniFile& settings = basSettings::SettingsFile();
    const auto stored = [&settings](const QString& key) { return settings.Item(key); };
    const int printer = cbopPrinter->findText(stored(PrinterKey));
    if (printer >= 0 && printer != cbopPrinter->currentIndex()) {
        cbopPrinter->setCurrentIndex(printer);
        cbopPrinter_Click();
    }
    SelectData(cbopPaperSize, stored(PaperKey));
    SelectData(cbopOrientation, stored(OrientationKey));
    if (!stored(ZoomKey).isEmpty()) cbopZoomRatio->setCurrentText(stored(ZoomKey));
    if (!stored(MarginTopKey).isEmpty()) txtpMarginTop->setText(stored(MarginTopKey));
    if (!stored(MarginLeftKey).isEmpty()) txtpMarginLeft->setText(stored(MarginLeftKey));
    if (!stored(EachClassKey).isEmpty()) chkpEachClass->setChecked(stored(EachClassKey) == "True");
    const int dataType = stored(DataTypeKey).isEmpty() ? -1 : stored(DataTypeKey).toInt();
    if (dataType >= 0 && dataType < cbopDataType->count()) cbopDataType->setCurrentIndex(dataType);

    // The timer's own settings hold once they were confirmed in the details dialog.
    if (stored(SpecialKey).isEmpty()) return;
    TimerSpecialSetting = true;
    TimerSpecial = stored(SpecialKey) == "True";
    TimerPrintType = std::max(0, stored(TimerPrintTypeKey).toInt());
    TimerDataType = std::max(0, stored(TimerDataTypeKey).toInt());
    TimerAllClass = stored(AllClassKey) != "False";
    TimerSelectedClass.clear();
    for (const QString& entry : stored(TimerClassesKey).split(ClassSeparator, Qt::SkipEmptyParts))
        TimerSelectedClass << basDefinition::ClassNameOfEntry(entry);
}

void PrintTab::storeSettings()
{
    if (restoring_) return;
    IniFile& settings = basSettings::SettingsFile();
    if (cbopPrinter->currentIndex() >= 0) settings.setItem(PrinterKey, cbopPrinter->currentText());
    if (cbopPaperSize->currentIndex() >= 0)
        settings.setItem(PaperKey, cbopPaperSize->currentData().toString());
    if (cbopOrientation->currentIndex() >= 0)
        settings.setItem(OrientationKey, cbopOrientation->currentData().toString());
    settings.setItem(ZoomKey, cbopZoomRatio->currentText());
    settings.setItem(MarginTopKey, txtpMarginTop->text());
    settings.setItem(MarginLeftKey, txtpMarginLeft->text());
    settings.setItem(EachClassKey, FlagText(chkpEachClass->isChecked()));
    if (cbopDataType->currentIndex() >= 0)
        settings.setItem(DataTypeKey, QString::number(cbopDataType->currentIndex()));
    // "なし" is how the timer is stopped, not a choice of interval: the last interval stays.
    if (AutoPrint().Interval() > 0)
        settings.setItem(IntervalKey, QString::number(AutoPrint().Interval()));
    if (!TimerSpecialSetting) return;
    settings.setItem(SpecialKey, FlagText(TimerSpecial));
    settings.setItem(TimerPrintTypeKey, QString::number(TimerPrintType));
    settings.setItem(TimerDataTypeKey, QString::number(TimerDataType));
    settings.setItem(AllClassKey, FlagText(TimerAllClass));
    QStringList entries;
    for (const QString& name : TimerSelectedClass) entries << basDefinition::ClassListEntry(name);
    settings.setItem(TimerClassesKey, entries.join(ClassSeparator));
}
