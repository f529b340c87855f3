// The controls of the output dialog's pages: the file page with its HTML and CSV options, and
// the print page's class list, laid out as the dialog shows them.
#include "reports/ui/frmoutput.h"

#include "config/ui/elidedlabel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

// The row of class-list buttons of one tab.
QWidget* ListButtons(QPushButton* check, QPushButton* uncheck, QPushButton* refresh)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(check);
    layout->addWidget(uncheck);
    layout->addStretch();
    layout->addWidget(refresh);
    return row;
}

}  // namespace

QWidget* frmOutput::buildFilePage()
{
    auto* page = new QWidget;
    cbofDataType = new QComboBox;
    cbofDataType->addItems(basExport::DataTypeCaptions());
    cbofFileType = new QComboBox;
    cbofFileType->addItems(basExport::FileTypeCaptions());
    txtfFolder = new QLineEdit;
    cmdfRefer = new QPushButton(QStringLiteral("参照"));
    lblfYear = new QLabel;
    txtfFileName = new QLineEdit;
    txtfFileName->installEventFilter(this);
    lblfWild = new QLabel;
    cbofKakuchoshi = new QComboBox;
    cbofKakuchoshi->setEditable(true);
    cbofKakuchoshi->addItems({QStringLiteral(".htm"), QStringLiteral(".html"),
                              QStringLiteral(".csv"), QStringLiteral(".txt")});
    chkfLowCase = new QCheckBox(QStringLiteral("全て小文字にする"));
    lblfNote = new ElidedLabel;

    auto* grid = new QGridLayout(page);
    grid->addWidget(new QLabel(QStringLiteral("出力内容")), 0, 0);
    grid->addWidget(cbofDataType, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("出力形式")), 1, 0);
    grid->addWidget(cbofFileType, 1, 1);
    grid->addWidget(lblfNote, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("出力フォルダ")), 3, 0);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(txtfFolder);
    folderRow->addWidget(cmdfRefer);
    grid->addLayout(folderRow, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("ファイル名")), 4, 0);
    // The extension box sits right after the class part, 60 twips (4 pixels) away.
    auto* nameRow = new QHBoxLayout;
    nameRow->setSpacing(0);
    nameRow->addWidget(lblfYear);
    nameRow->addWidget(txtfFileName);
    nameRow->addWidget(lblfWild);
    nameRow->addSpacing(4);
    nameRow->addWidget(cbofKakuchoshi);
    grid->addLayout(nameRow, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("* の部分にクラス名が入ります")), 5, 1);
    grid->addWidget(chkfLowCase, 6, 1);
    grid->addWidget(new QLabel(QStringLiteral("出力クラス")), 7, 0);
    grid->addWidget(lstClass[0], 8, 0, 1, 2);
    grid->setRowStretch(8, 1);
    grid->addWidget(ListButtons(cmdCheck[0], cmdUncheck[0], cmdRefresh[0]), 9, 0, 1, 2);
    // The option panels share one place as large as the larger, with an empty page for the
    // types without options: a choice never moves the controls below or resizes the dialog.
    optionPanels_ = new QStackedWidget;
    optionPanels_->addWidget(buildHtmlOptions());
    optionPanels_->addWidget(buildCsvOptions());
    optionPanels_->addWidget(new QWidget);
    grid->addWidget(optionPanels_, 10, 0, 1, 2);

    connect(cbofDataType, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        if (const auto type = basExport::DataTypeAt(index))
            react([type](basExport::OutputOptions& o) { o.chooseDataType(*type); });
    });
    connect(cbofFileType, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        if (const auto type = basExport::FileTypeAt(index))
            react([type](basExport::OutputOptions& o) { o.chooseFileType(*type); });
    });
    connect(cmdfRefer, &QPushButton::clicked, this, &frmOutput::cmdfRefer_Click);
    return page;
}

QWidget* frmOutput::buildHtmlOptions()
{
    picfOption[0] = new QGroupBox(QStringLiteral("オプション"));
    chkfForExcel = new QCheckBox(QStringLiteral("Excelで印刷しやすい形に出力する"));
    Label11 = new QLabel(QStringLiteral("人ごとにラベル列を挿入"));
    txtfLabel = new QLineEdit;
    vscfLabel = new QSpinBox;
    vscfLabel->setRange(1, 99);
    vscfLabel->setValue(basExport::LabelSpinInitial);
    chkfIndex = new QCheckBox(QStringLiteral("Indexファイルを作成する"));
    chkfIndex->setChecked(true);
    auto* layout = new QGridLayout(picfOption[0]);
    layout->addWidget(chkfForExcel, 0, 0, 1, 3);
    layout->addWidget(txtfLabel, 1, 0);
    layout->addWidget(vscfLabel, 1, 1);
    layout->addWidget(Label11, 1, 2);
    layout->addWidget(chkfIndex, 2, 0, 1, 3);
    connect(chkfForExcel, &QCheckBox::clicked, this, [this](bool on) {
        react(
            [this, on](basExport::OutputOptions& o) { o.chooseForExcel(on, vscfLabel->value()); });
    });
    connect(vscfLabel, qOverload<int>(&QSpinBox::valueChanged), this,
            [this](int value) { txtfLabel->setText(QString::number(value)); });
    return picfOption[0];
}

QWidget* frmOutput::buildCsvOptions()
{
    picfOption[1] = new QGroupBox(QStringLiteral("オプション"));
    chkfOneFile = new QCheckBox(QStringLiteral("一つのファイルに全て出力する"));
    optfYoko = new QRadioButton(QStringLiteral("横"));
    optfTate = new QRadioButton(QStringLiteral("縦"));
    optfTate->setChecked(true);
    auto* layout = new QGridLayout(picfOption[1]);
    layout->addWidget(chkfOneFile, 0, 0, 1, 3);
    layout->addWidget(new QLabel(QStringLiteral("ラップを並べる方向")), 1, 0);
    layout->addWidget(optfYoko, 1, 1);
    layout->addWidget(optfTate, 1, 2);
    connect(chkfOneFile, &QCheckBox::clicked, this,
            [this](bool on) { react([on](basExport::OutputOptions& o) { o.chooseOneFile(on); }); });
    return picfOption[1];
}

// The print page holds the print tab's class list and its buttons; the printing windows add
// their controls through the page builder.
void frmOutput::buildPrintPage()
{
    auto* layout = new QVBoxLayout(picTray[1]);
    layout->addWidget(new QLabel(QStringLiteral("出力クラス")));
    layout->addWidget(lstClass[1]);
    layout->addWidget(ListButtons(cmdCheck[1], cmdUncheck[1], cmdRefresh[1]));
}
