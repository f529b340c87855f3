// Building the main window and redrawing it from the race.
#include "shell/ui/frmduel.h"

#include "config/settings.h"
#include "config/ui/elidedlabel.h"
#include "race/basicformat.h"
#include "race/pathutil.h"
#include "race/race.h"
#include "race/textutil.h"
#include "shell/loadedrace.h"
#include "shell/ui/functionicons.h"

#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct FunctionText {
    const char* caption;
    const char* description;
};

const FunctionText kFunctions[9] = {
    {"新規", "ラップ解析を新規に行います"},
    {"開く", "ファイルを読み込みます"},
    {"編集", "ラップやテライン名などを編集します"},
    {"保存", "編集したデータを保存します"},
    {"表示", "解析結果を表示します"},
    {"出力", "印刷やHTML出力を行います"},
    {"終了", "SplitDuelを終了します"},
    {"閉じる", "新たなラップ解析を始めます"},
    {"終了", "SplitDuelを終了します"},
};

constexpr int ClassLabelWidth = 420;

QString Caption()
{
    return QStringLiteral("SplitDuel Ver.%1.%2")
        .arg(basSettings::MajorVersion)
        .arg(basSettings::MinorVersion, 2, 10, QLatin1Char('0'));
}

}  // namespace

frmDuel::frmDuel(RaceDocument& document, QWidget* parent)
    : QWidget(parent), document_(document), loadProgress_(this)
{
    setWindowTitle(Caption());
    setAttribute(Qt::WA_QuitOnClose, true);
    BuildStartPanel();
    BuildRacePanel();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picStart);
    layout->addWidget(PicRaceInfo);
    PicRaceInfo->hide();
    resize(520, 440);
}

frmDuel::~frmDuel()
{
    SetBusy(false);
}

QWidget* frmDuel::FunctionRow(int index, QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    cmbFunc[index] =
        new QPushButton(FunctionIcon(index), QString::fromUtf8(kFunctions[index].caption), row);
    cmbFunc[index]->setIconSize(QSize(32, 32));
    cmbFunc[index]->setFixedSize(110, 44);
    cmbFunc[index]->setAutoDefault(true);  // Enter presses a focused button, as Space does
    lblText[index] = new QLabel(QString::fromUtf8(kFunctions[index].description), row);
    layout->addWidget(cmbFunc[index]);
    layout->addWidget(lblText[index], 1);
    connect(cmbFunc[index], &QPushButton::clicked, this, [this, index] { cmbFunc_Click(index); });
    return row;
}

void frmDuel::BuildStartPanel()
{
    picStart = new QFrame(this);
    picStart->setFrameShape(QFrame::StyledPanel);
    Image1 = new QLabel(picStart);
    Image1->setPixmap(LapChartEmblem(160, 56));
    auto* title = new QLabel(QStringLiteral("SplitDuel"), picStart);
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() * 2);
    titleFont.setBold(true);
    title->setFont(titleFont);

    Label1 = new QLabel(QStringLiteral("履歴"), picStart);
    lstHistory = new QListWidget(picStart);
    connect(lstHistory, &QListWidget::itemDoubleClicked, this, &frmDuel::lstHistory_DblClick);
    Label3 = new QLabel(QStringLiteral("Special Thanks to Mr.Elmsworth and Mr.Pennick."), picStart);

    auto* layout = new QVBoxLayout(picStart);
    auto* head = new QHBoxLayout;
    head->addWidget(Image1);
    head->addWidget(title, 1);
    layout->addLayout(head);
    for (int index : {0, 1, 8}) layout->addWidget(FunctionRow(index, picStart));
    Image3 = new QLabel(picStart);
    Image3->setPixmap(ControlFlagEmblem(16));
    Image4 = new QLabel(picStart);
    Image4->setPixmap(ControlFlagEmblem(16));
    auto* historyHead = new QHBoxLayout;
    historyHead->addWidget(Image3);
    historyHead->addWidget(Label1, 1);
    layout->addLayout(historyHead);
    layout->addWidget(lstHistory, 1);
    auto* credits = new QHBoxLayout;
    credits->addStretch(1);
    credits->addWidget(Image4);
    credits->addWidget(Label3);
    layout->addLayout(credits);
}

void frmDuel::BuildRacePanel()
{
    PicRaceInfo = new QFrame(this);
    PicRaceInfo->setFrameShape(QFrame::StyledPanel);
    // The race's own texts are cut to the panel's width: a long name never widens the window.
    lblRaceName = new ElidedLabel(PicRaceInfo);
    QFont nameFont = lblRaceName->font();
    nameFont.setPointSize(nameFont.pointSize() * 3 / 2);
    nameFont.setBold(true);
    lblRaceName->setFont(nameFont);
    lblRaceDate = new QLabel(PicRaceInfo);
    lblRaceTerrain = new ElidedLabel(PicRaceInfo);
    lblFileName = new ElidedLabel(PicRaceInfo);
    lblRaceClass = new QLabel(PicRaceInfo);
    lblRaceClass->setFixedWidth(ClassLabelWidth);
    Image2 = new QLabel(PicRaceInfo);
    Image2->setPixmap(LapChartEmblem(110, 40));

    auto* layout = new QVBoxLayout(PicRaceInfo);
    auto* head = new QHBoxLayout;
    auto* texts = new QVBoxLayout;
    texts->addWidget(lblRaceName);
    texts->addWidget(lblRaceDate);
    texts->addWidget(lblRaceTerrain);
    texts->addWidget(lblFileName);
    // Aligned, so its fixed width does not hold the texts above it to that width.
    texts->addWidget(lblRaceClass, 0, Qt::AlignLeft);
    head->addLayout(texts, 1);
    head->addWidget(Image2, 0, Qt::AlignTop);
    layout->addLayout(head);
    for (int index : {2, 3, 4, 5, 7, 6}) layout->addWidget(FunctionRow(index, PicRaceInfo));
    layout->addStretch(1);
    Image5 = new QLabel(PicRaceInfo);
    Image5->setPixmap(ControlFlagEmblem(16));
    Image6 = new QLabel(PicRaceInfo);
    Image6->setPixmap(ControlFlagEmblem(16));
    auto* foot = new QHBoxLayout;
    foot->addStretch(1);
    foot->addWidget(Image6);
    foot->addWidget(Image5);
    layout->addLayout(foot);
}

void frmDuel::ShowRaceInfo()
{
    if (basLoadedRace::RaceIsLoaded(document_.race())) {
        ShowRaceHeader();
        ShowClassNames();
        picStart->hide();
        PicRaceInfo->show();
        return;
    }
    ShowHistory();
    PicRaceInfo->hide();
    picStart->show();
    basLoadedRace::ForgetEmptyRace(document_);
}

void frmDuel::ShowRaceHeader()
{
    const RaceHeader& race = document_.RaceInfo();
    lblRaceName->setFullText(race.RaceName);
    lblRaceDate->setText(CbasGeneral::FormatDate(race.RaceDate, QStringLiteral("yyyy年mm月dd日")));
    lblRaceTerrain->setFullText(race.RacePlace);
    const QString& path = document_.CurrentFilePath();
    lblFileName->setFullText(QStringLiteral("ファイル: ") +
                             (path.isEmpty() ? QStringLiteral("（保存されていません）")
                                             : CbasGeneral::GetFileName(path)));
    lblFileName->setToolTip(path);
}

// As many class names as fit the label, then " ..." when one did not fit; the tooltip lists all.
void frmDuel::ShowClassNames()
{
    if (document_.ClassList().isEmpty()) {
        lblRaceClass->setText(QStringLiteral("未定義"));
        lblRaceClass->setToolTip(QString());
        return;
    }
    const QFontMetrics metrics(PicRaceInfo->font());
    const int width = lblRaceClass->width();
    QString caption;
    QString tip;
    bool full = false;
    for (const QString& className : document_.ClassList().names()) {
        const QString name = basDefinition::DisplayClassName(className);
        tip += QLatin1Char(' ') + name;
        if (full) continue;
        const QString longer = caption + QLatin1Char(' ') + name;
        if (metrics.horizontalAdvance(longer) <= width) {
            caption = longer;
            continue;
        }
        const QString ellipsis = caption + QStringLiteral(" ...");
        if (metrics.horizontalAdvance(ellipsis) <= width) caption = ellipsis;
        full = true;
    }
    lblRaceClass->setText(CbasGeneral::Trim(caption));
    lblRaceClass->setToolTip(CbasGeneral::Trim(tip));
}

void frmDuel::ShowHistory()
{
    lstHistory->clear();
    for (int slot = 1; slot <= basHistory::HistorySlots; ++slot) {
        basHistory::HistorySlot entry = basHistory::ReadHistorySlot(slot);
        if (entry.path.isEmpty()) {
            history_[slot] = {};
            continue;
        }
        if (entry.name.isEmpty()) entry.name = CbasGeneral::GetFileName(entry.path);
        history_[slot] = entry;
        auto* item = new QListWidgetItem(entry.name, lstHistory);
        item->setData(Qt::UserRole, slot);
        item->setToolTip(entry.path);
    }
}
