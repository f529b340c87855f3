#include "editing/ui/frmlapedit.h"

#include "editing/raceedits.h"
#include "race/prompts.h"
#include "race/race.h"

#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace basLapEdit;

namespace {

const QColor kSumText(80, 160, 80);
const QColor kSumBack(224, 224, 224);

// A key that writes a character, or text the input method commits.
bool IsTyping(QEvent* event)
{
    if (event->type() == QEvent::InputMethod)
        return !static_cast<QInputMethodEvent*>(event)->commitString().isEmpty();
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString text = key->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

// The question before applying: what would happen, at most a screenful of it.
QString ApplyQuestion(const QStringList& notes)
{
    constexpr int Shown = 12;
    QStringList lines = notes.mid(0, Shown);
    if (notes.size() > Shown) lines << QStringLiteral("ほか %1 件").arg(notes.size() - Shown);
    return QStringLiteral("適用すると次のようになります。\n\n") + lines.join(QLatin1Char('\n')) +
           QStringLiteral("\n\nこのまま適用しますか？（「いいえ」で編集に戻ります）");
}

}  // namespace

frmLapEdit::frmLapEdit(RaceDocument& document, QWidget* parent)
    : QDialog(parent), document_(document)
{
    setWindowTitle(QStringLiteral("ラップ編集"));
    BuildControls();
    setMinimumSize(560, 400);
}

void frmLapEdit::BuildControls()
{
    txtValue = new QLineEdit(this);
    cmdEnter = new QPushButton(QStringLiteral("入力"), this);
    cmdEnter->setDefault(true);
    cmdAdd = new QPushButton(QStringLiteral("追加"), this);
    cmdDelete = new QPushButton(QStringLiteral("走者削除"), this);
    cmdNA = new QPushButton(QStringLiteral("n/a (&N)"), this);
    cmdAR = new QPushButton(QStringLiteral("↓ (&S)"), this);
    for (QPushButton* button : {cmdAdd, cmdDelete, cmdNA, cmdAR}) button->setAutoDefault(false);
    auto* entry = new QHBoxLayout;
    entry->addWidget(txtValue, 1);
    entry->addWidget(cmdEnter);
    entry->addWidget(cmdAdd);
    entry->addWidget(cmdDelete);
    entry->addWidget(cmdNA);
    entry->addWidget(cmdAR);
    lblStatus = new QLabel(this);

    grdEditor = new QTableWidget(this);
    // The row headers stay in view however far the runner columns scroll: they are shown by
    // the vertical header, 80 pixels wide and centred; column 0 keeps the same texts hidden so
    // that runner i stays in column i.
    grdEditor->horizontalHeader()->hide();
    grdEditor->verticalHeader()->setFixedWidth(80);
    grdEditor->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    // Rows one text line high, so that a class of 20 controls fits without much scrolling.
    grdEditor->verticalHeader()->setMinimumSectionSize(1);
    grdEditor->verticalHeader()->setDefaultSectionSize(grdEditor->fontMetrics().height() + 6);
    grdEditor->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdEditor->setSelectionMode(QAbstractItemView::SingleSelection);
    grdEditor->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);

    chkTotalTime = new QCheckBox(QStringLiteral("総タイムを入力する"), this);
    chkTotalTime->setChecked(true);
    chkShozoku = new QCheckBox(QStringLiteral("所属を入力する"), this);
    chkStartTime = new QCheckBox(QStringLiteral("スタート時刻を入力する"), this);
    cmdSave = new QPushButton(QStringLiteral("適用"), this);
    cmdCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    for (QPushButton* button : {cmdSave, cmdCancel}) button->setAutoDefault(false);
    auto* checks = new QVBoxLayout;
    auto* firstChecks = new QHBoxLayout;
    firstChecks->addWidget(chkTotalTime);
    firstChecks->addWidget(chkShozoku);
    firstChecks->addStretch();
    checks->addLayout(firstChecks);
    checks->addWidget(chkStartTime);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(checks, 1);
    bottom->addWidget(cmdSave);
    bottom->addWidget(cmdCancel);

    auto* root = new QVBoxLayout(this);
    root->addLayout(entry);
    root->addWidget(lblStatus);
    root->addWidget(grdEditor, 1);
    root->addLayout(bottom);

    connect(cmdEnter, &QPushButton::clicked, this, [this] { cmdEnter_Click(); });
    connect(cmdAdd, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    connect(cmdNA, &QPushButton::clicked, this, [this] { cmdNA_Click(); });
    connect(cmdAR, &QPushButton::clicked, this, [this] { cmdAR_Click(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(grdEditor, &QTableWidget::currentCellChanged, this,
            [this](int row, int col, int, int) { grdEditor_RowColChange(row, col); });
    txtValue->installEventFilter(this);
    grdEditor->installEventFilter(this);
}

QString frmLapEdit::CellText(int row, int col) const
{
    const QTableWidgetItem* item = grdEditor->item(row, col);
    return item ? item->text() : QString();
}

void frmLapEdit::SetCellText(int row, int col, const QString& text)
{
    QTableWidgetItem* item = grdEditor->item(row, col);
    if (!item) {
        item = new QTableWidgetItem;
        grdEditor->setItem(row, col, item);
    }
    item->setText(text);
}

// Items for every cell of a runner column: left-aligned, the sum cell in its colours.
void frmLapEdit::PrepareColumn(int col)
{
    for (int row = 0; row < rows_.rowCount(); ++row) {
        SetCellText(row, col, CellText(row, col));
        grdEditor->item(row, col)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    QTableWidgetItem* sum = grdEditor->item(rows_.sumRow(), col);
    sum->setForeground(kSumText);
    sum->setBackground(kSumBack);
}

void frmLapEdit::setClassName(const QString& ClassName)
{
    className_ = ClassName;
    edited_ = false;
    pending_ = false;
    lblStatus->clear();
    setWindowTitle(ClassName.isEmpty() ? QStringLiteral("ラップ編集")
                                       : QStringLiteral("ラップ編集 - ") + ClassName);
    const clsClassData* cls = document_.ClassList().find(ClassName);
    rows_ = LapRows(cls ? cls->ClassControlCount : 0);
    const int runners = cls ? cls->ClassRunnerCount() : 0;

    grdEditor->hide();
    const QSignalBlocker blocker(grdEditor);
    grdEditor->clear();
    grdEditor->setRowCount(rows_.rowCount());
    grdEditor->setColumnCount(runners == 0 ? 2 : runners + 1);
    QStringList headers;
    for (int row = 0; row < rows_.rowCount(); ++row) {
        headers << rows_.header(row);
        auto* header = new QTableWidgetItem(headers.last());
        header->setFlags(Qt::ItemIsEnabled);
        grdEditor->setItem(row, 0, header);
    }
    grdEditor->setVerticalHeaderLabels(headers);
    grdEditor->setColumnHidden(0, true);
    bool anyClub = false;
    bool anyStart = false;
    for (int i = 1; i <= runners; ++i) {
        const clsClassDataSub& runner = cls->Item(i);
        for (int leg = 1; leg <= rows_.legs; ++leg)
            SetCellText(FirstLegRow + leg - 1, i, LegCellText(runner.Lap(leg)));
        SetCellText(NameRow, i, runner.Namae);
        SetCellText(ClubRow, i, runner.Shozoku);
        SetCellText(rows_.totalRow(), i, TotalCellText(runner.Total));
        SetCellText(StartRow, i, StartCellText(runner.StartTime));
        anyClub = anyClub || !runner.Shozoku.isEmpty();
        anyStart = anyStart || runner.StartTime != 0;
    }
    for (int col = 1; col < grdEditor->columnCount(); ++col) {
        PrepareColumn(col);
        UpdateLapSum(col);
    }
    grdEditor->setCurrentCell(NameRow, 1);
    txtValue->setText(CellText(NameRow, 1));
    chkShozoku->setChecked(anyClub);
    if (anyStart) chkStartTime->setChecked(true);
    grdEditor->show();
    if (runners > 0) cmdAdd_Click();
    grdEditor_RowColChange(grdEditor->currentRow(), grdEditor->currentColumn());
}

void frmLapEdit::cmdAdd_Click()
{
    const int col = grdEditor->columnCount();
    grdEditor->setColumnCount(col + 1);
    PrepareColumn(col);
    UpdateLapSum(col);
    grdEditor->setCurrentCell(NameRow, col);
    grdEditor->horizontalScrollBar()->setValue(grdEditor->horizontalScrollBar()->maximum());
    edited_ = true;
    if (isVisible()) txtValue->setFocus();
}

void frmLapEdit::grdEditor_RowColChange(int row, int col)
{
    if (row < 0 || col < 0) return;
    if (col == 0 && grdEditor->columnCount() > 1) {
        // Column 0 holds the row headers; the cursor stays in the runner columns.
        grdEditor->setCurrentCell(row, 1);
        return;
    }
    txtValue->setText(CellText(row, col));
    // Names and clubs are typed in Japanese, everything else in plain digits and letters.
    const bool japanese = row == NameRow || row == ClubRow;
    txtValue->setInputMethodHints(japanese ? Qt::ImhNone
                                           : Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
    if (txtValue->hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImHints);
    FocusValue();
}

void frmLapEdit::FocusValue()
{
    if (!isVisible()) return;
    txtValue->setFocus();
    txtValue->selectAll();
}

bool frmLapEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Up) {
        const int row = grdEditor->currentRow();
        if (row > 0) grdEditor->setCurrentCell(row - 1, grdEditor->currentColumn());
        return true;
    }
    // Whatever is typed on the grid goes into the value box, replacing its text as typing in
    // the focused box does; so Enter then enters what was typed.
    if (watched == grdEditor && IsTyping(event)) {
        txtValue->setFocus();
        txtValue->selectAll();
        QCoreApplication::sendEvent(txtValue, event);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

std::vector<LapColumn> frmLapEdit::GridColumns() const
{
    std::vector<LapColumn> columns;
    for (int col = 1; col < grdEditor->columnCount(); ++col) {
        LapColumn column;
        column.name = CellText(NameRow, col);
        column.club = CellText(ClubRow, col);
        column.start = CellText(StartRow, col);
        column.total = CellText(rows_.totalRow(), col);
        for (int row = FirstLegRow; row <= rows_.lastLegRow(); ++row)
            column.legs << CellText(row, col);
        columns.push_back(column);
    }
    return columns;
}

// Only a real change is written: the grid shows times in whole seconds, so writing an
// unchanged grid back could still change the class (and would mark the race as changed).
void frmLapEdit::StoreGridToClass()
{
    if (!pending_) return;
    basRaceEdit::SetRunners(document_, className_, rows_, GridColumns());
    pending_ = false;
}

bool frmLapEdit::cmdSave_Click()
{
    if (pending_) {
        const QStringList notes = ApplyNotes(rows_, GridColumns());
        if (!notes.isEmpty() && Prompts::question(ApplyQuestion(notes), Prompts::Buttons::YesNo,
                                                  Prompts::Icon::Question) != Prompts::Answer::Yes)
            return false;
    }
    StoreGridToClass();
    accept();
    return true;
}

void frmLapEdit::cmdDelete_Click()
{
    const int col = grdEditor->currentColumn();
    if (col < 1) return;
    const QString name = CellText(NameRow, col);
    bool filled = false;
    for (int row = 0; row < rows_.sumRow(); ++row) filled = filled || !CellText(row, col).isEmpty();
    if (filled && Prompts::question((name.isEmpty() ? QStringLiteral("%1列目").arg(col)
                                                    : QStringLiteral("「%1」").arg(name)) +
                                        QStringLiteral("を削除しますか？"),
                                    Prompts::Buttons::OkCancel,
                                    Prompts::Icon::Question) != Prompts::Answer::Ok)
        return;
    const int row = std::max(grdEditor->currentRow(), 0);
    grdEditor->removeColumn(col);
    if (filled) pending_ = true;
    edited_ = true;
    // The grid always keeps a runner column to type into.
    if (grdEditor->columnCount() < 2) {
        cmdAdd_Click();
        return;
    }
    grdEditor->setCurrentCell(row, std::min(col, grdEditor->columnCount() - 1));
}

void frmLapEdit::cmdCancel_Click()
{
    reject();
}

// Esc, "キャンセル" and the close box all come here: entries not yet applied are not dropped
// without asking.
void frmLapEdit::reject()
{
    const bool typed = ValueNotEntered();
    if (pending_ || typed) {
        switch (Prompts::question(QStringLiteral("変更を適用しますか？"),
                                  Prompts::Buttons::YesNoCancel, Prompts::Icon::Question)) {
            case Prompts::Answer::Yes:
                // A typed value that is no time keeps the window open with its reason.
                if (typed && !EnterValue()) return;
                cmdSave_Click();
                return;
            case Prompts::Answer::No:
                pending_ = false;
                break;
            default:
                return;
        }
    }
    QDialog::reject();
}
