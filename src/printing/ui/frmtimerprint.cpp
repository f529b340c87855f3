#include "printing/ui/frmtimerprint.h"

#include "printing/ui/printtab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

frmTimerPrint::frmTimerPrint(PrintTab& tab, QWidget* parent) : QDialog(parent), tab_(tab)
{
    setWindowTitle(QStringLiteral("タイマー印刷 - 詳細"));
    chkSpecial = new QCheckBox(QStringLiteral("タイマー専用の設定を使用する"), this);
    Label1 = new QLabel(QStringLiteral("出力形式"), this);
    cbopPrintType = new QComboBox(this);
    Label12 = new QLabel(QStringLiteral("出力内容"), this);
    cbopDataType = new QComboBox(this);
    Label7 = new QLabel(QStringLiteral("出力クラス"), this);
    optAll = new QRadioButton(QStringLiteral("全てのクラスを印刷する"), this);
    optSel = new QRadioButton(QStringLiteral("選択したクラスのみ印刷する"), this);
    optAll->setChecked(true);
    lstClass = new QListWidget(this);
    cmdCheck = new QPushButton(QStringLiteral("全てチェック"), this);
    cmdUncheck = new QPushButton(QStringLiteral("全てはずす"), this);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("キャンセル"), this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(chkSpecial, 0, 0, 1, 3);
    grid->addWidget(Label1, 1, 0);
    grid->addWidget(cbopPrintType, 1, 1, 1, 2);
    grid->addWidget(Label12, 2, 0);
    grid->addWidget(cbopDataType, 2, 1, 1, 2);
    grid->addWidget(Label7, 3, 0);
    grid->addWidget(optAll, 3, 1, 1, 2);
    grid->addWidget(optSel, 4, 1, 1, 2);
    grid->addWidget(lstClass, 5, 0, 1, 3);
    grid->addWidget(cmdCheck, 6, 0);
    grid->addWidget(cmdUncheck, 6, 1);
    grid->addWidget(cmdOK, 7, 1);
    grid->addWidget(cmdCancel, 7, 2);

    // Everything below the check box starts disabled.
    for (QWidget* w : std::initializer_list<QWidget*>{cbopPrintType, cbopDataType, optAll, optSel,
                                                      lstClass, cmdCheck, cmdUncheck})
        w->setEnabled(false);

    connect(cbopPrintType, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int index) { tab_.FillDataTypes(cbopDataType, index); });
    connect(chkSpecial, &QCheckBox::toggled, this, [this] { chkSpecial_Click(); });
    connect(optAll, &QRadioButton::toggled, this, [this] { applyOptionRule(); });
    connect(cmdCheck, &QPushButton::clicked, this, [this] { PrintTab::CheckAll(lstClass, true); });
    connect(cmdUncheck, &QPushButton::clicked, this,
            [this] { PrintTab::CheckAll(lstClass, false); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load();
}

void frmTimerPrint::Form_Load()
{
    for (int i = 0; i < tab_.cbopPrintType->count(); ++i)
        cbopPrintType->addItem(tab_.cbopPrintType->itemText(i));
    cbopPrintType->setCurrentIndex(tab_.cbopPrintType->currentIndex());
    tab_.FillDataTypes(cbopDataType, cbopPrintType->currentIndex());
    for (int i = 0; i < tab_.lstClass->count(); ++i) {
        // Same texts and choices, always with check boxes.
        const QListWidgetItem* original = tab_.lstClass->item(i);
        auto* item = original->clone();
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(PrintTab::IsChecked(original) ? Qt::Checked : Qt::Unchecked);
        lstClass->addItem(item);
    }
    chkSpecial->setChecked(tab_.TimerSpecial);
    if (tab_.TimerSpecialSetting) {
        cbopPrintType->setCurrentIndex(tab_.TimerPrintType);
        tab_.FillDataTypes(cbopDataType, tab_.TimerPrintType);
        cbopDataType->setCurrentIndex(tab_.TimerDataType);
        (tab_.TimerAllClass ? optAll : optSel)->setChecked(true);
        for (int i = 0; i < lstClass->count(); ++i)
            if (tab_.TimerSelectedClass.contains(PrintTab::ClassNameOf(lstClass->item(i))))
                lstClass->item(i)->setCheckState(Qt::Checked);
    }
    chkSpecial_Click();
}

void frmTimerPrint::chkSpecial_Click()
{
    const bool on = chkSpecial->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{cbopDataType, cbopPrintType, optAll, optSel})
        w->setEnabled(on);
    if (on) {
        applyOptionRule();
    } else {
        for (QWidget* w : std::initializer_list<QWidget*>{lstClass, cmdUncheck, cmdCheck})
            w->setEnabled(false);
    }
}

void frmTimerPrint::applyOptionRule()
{
    if (!chkSpecial->isChecked()) return;
    const bool selected = optSel->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{lstClass, cmdCheck, cmdUncheck})
        w->setEnabled(selected);
}

void frmTimerPrint::cmdOK_Click()
{
    tab_.TimerSpecial = chkSpecial->isChecked();
    tab_.TimerPrintType = cbopPrintType->currentIndex();
    tab_.TimerDataType = cbopDataType->currentIndex();
    tab_.TimerAllClass = optAll->isChecked();
    tab_.TimerSelectedClass.clear();
    for (int i = 0; i < lstClass->count(); ++i)
        if (lstClass->item(i)->checkState() == Qt::Checked)
            tab_.TimerSelectedClass << PrintTab::ClassNameOf(lstClass->item(i));
    tab_.TimerSpecialSetting = true;
    accept();
}
