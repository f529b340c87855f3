#include "editing/ui/frmclassedit.h"

#include "config/control.h"
#include "config/ui/modal.h"
#include "config/ui/scopedcursor.h"
#include "editing/classrules.h"
#include "editing/raceedits.h"
#include "editing/startlist.h"
#include "editing/ui/countspinner.h"
#include "editing/ui/frmlapedit.h"
#include "race/basicformat.h"
#include "race/pathutil.h"
#include "race/prompts.h"
#include "race/race.h"
#include "race/textutil.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace basDefinition;

namespace {

const QString kClassGroup = QStringLiteral("クラスデータ");
const QString kDuplicate = QStringLiteral("クラス名が重複しています");
const QString kNamePrompt = QStringLiteral("クラス名を入力して下さい");

// A list entry for a class: the name as listed, the name itself kept beside it, so that a
// class really named "名称未入力" is never taken for the class without a name.
QListWidgetItem* ClassItem(const QString& name)
{
    auto* item = new QListWidgetItem(basDefinition::DisplayClassName(name));
    item->setData(Qt::UserRole, name);
    return item;
}

// The bold light-yellow look of the two main buttons.
void Highlight(QPushButton* button)
{
    QFont font = button->font();
    font.setBold(true);
    button->setFont(font);
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, QColor(255, 255, 192));
    button->setPalette(palette);
    button->setAutoFillBackground(true);
}

}  // namespace

frmClassEdit::frmClassEdit(RaceDocument& document, QWidget* parent)
    : QDialog(parent), document_(document)
{
    setWindowTitle(QStringLiteral("編集"));
    BuildControls();
    Form_Load();
}

void frmClassEdit::BuildControls()
{
    auto* race = new QGridLayout;
    const auto addRow = [&](int row, const QString& caption, QLineEdit*& box) {
        box = new QLineEdit(this);
        race->addWidget(new QLabel(caption, this), row, 0);
        race->addWidget(box, row, 1);
    };
    addRow(0, QStringLiteral("名称"), txtName);
    addRow(1, QStringLiteral("日程"), txtDate);
    addRow(2, QStringLiteral("テライン"), txtTerrain);
    addRow(3, QStringLiteral("備考"), txtData);
    connect(txtDate, &QLineEdit::editingFinished, this, [this] { CheckDate(); });

    lstClass = new QListWidget(this);
    cmdAddClass = new QPushButton(QStringLiteral("クラス追加"), this);
    Highlight(cmdAddClass);
    cmdDelClass = new QPushButton(QStringLiteral("クラス削除"), this);
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(new QLabel(QStringLiteral("クラス"), this));
    listColumn->addWidget(lstClass);
    listColumn->addWidget(cmdAddClass);
    listColumn->addWidget(cmdDelClass);

    fraClass = new QGroupBox(kClassGroup, this);
    txtLength = new QLineEdit(fraClass);
    txtUpHeight = new QLineEdit(fraClass);
    txtControlCount = new QLineEdit(fraClass);
    txtControlCount->setReadOnly(true);
    vscControl = new CountSpinner(fraClass);
    vscControl->setCountRange(1, MaxLegs);
    vscControl->setCount(1);
    vscControl->setFixedHeight(txtControlCount->sizeHint().height());
    cmdLapEdit = new QPushButton(QStringLiteral("ラップ編集"), fraClass);
    Highlight(cmdLapEdit);
    cmdChangeName = new QPushButton(QStringLiteral("クラス名変更"), fraClass);
    auto* fields = new QGridLayout(fraClass);
    fields->addWidget(new QLabel(QStringLiteral("距離"), fraClass), 0, 0);
    fields->addWidget(txtLength, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("m"), fraClass), 0, 2);
    fields->addWidget(new QLabel(QStringLiteral("登距離"), fraClass), 1, 0);
    fields->addWidget(txtUpHeight, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("m"), fraClass), 1, 2);
    fields->addWidget(new QLabel(QStringLiteral("コントロール"), fraClass), 2, 0);
    fields->addWidget(txtControlCount, 2, 1);
    fields->addWidget(vscControl, 2, 2);
    fields->addWidget(cmdLapEdit, 3, 0, 1, 3);
    fields->addWidget(cmdChangeName, 4, 0, 1, 3);

    cmdStartList = new QPushButton(QStringLiteral("スタートリスト読込"), this);
    cmdClose = new QPushButton(QStringLiteral("OK"), this);
    cmdClose->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdStartList);
    buttons->addStretch();
    buttons->addWidget(cmdClose);

    auto* classes = new QHBoxLayout;
    classes->addLayout(listColumn);
    classes->addWidget(fraClass);
    auto* root = new QVBoxLayout(this);
    root->addLayout(race);
    root->addLayout(classes);
    root->addLayout(buttons);

    connect(lstClass, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) lstClass_Click();
    });
    connect(cmdAddClass, &QPushButton::clicked, this, [this] { cmdAddClass_Click(); });
    connect(cmdDelClass, &QPushButton::clicked, this, [this] { cmdDelClass_Click(); });
    connect(cmdChangeName, &QPushButton::clicked, this, [this] { cmdChangeName_Click(); });
    connect(cmdLapEdit, &QPushButton::clicked, this, [this] { cmdLapEdit_Click(); });
    connect(cmdStartList, &QPushButton::clicked, this, [this] { cmdStartList_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    using basRaceEdit::ClassField;
    connect(txtLength, &QLineEdit::textChanged, this,
            [this](const QString& text) { StoreClassField(ClassField::Length, text); });
    connect(txtUpHeight, &QLineEdit::textChanged, this,
            [this](const QString& text) { StoreClassField(ClassField::UpHeight, text); });
    connect(txtControlCount, &QLineEdit::textChanged, this,
            [this](const QString& text) { StoreClassField(ClassField::ControlCount, text); });
    connect(vscControl, &CountSpinner::countChanged, this,
            [this](int count) { vscControl_Change(count); });
    connect(txtLength, &QLineEdit::editingFinished, this,
            [this] { CheckMetres(ClassField::Length); });
    connect(txtUpHeight, &QLineEdit::editingFinished, this,
            [this] { CheckMetres(ClassField::UpHeight); });
}

void frmClassEdit::Form_Load()
{
    fillGuard_ = true;
    txtName->setText(document_.RaceInfo().RaceName);
    txtTerrain->setText(document_.RaceInfo().RacePlace);
    txtDate->setText(
        CbasGeneral::FormatDate(document_.RaceInfo().RaceDate, QStringLiteral("yyyy/mm/dd")));
    txtData->setText(document_.RaceInfo().RaceRemarks);
    {
        const QSignalBlocker blocker(lstClass);
        lstClass->clear();
        for (const QString& name : document_.ClassList().names())
            lstClass->addItem(ClassItem(name));
        lstClass->setCurrentRow(-1);
    }
    fraClass->setTitle(kClassGroup);
    SetClassControlsEnabled(false);
    if (lstClass->count() > 0) lstClass->setCurrentRow(0);
    fillGuard_ = false;
}

QString frmClassEdit::SelectedName() const
{
    const QListWidgetItem* item = lstClass->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

const clsClassData* frmClassEdit::SelectedClass() const
{
    if (!lstClass->currentItem()) return nullptr;
    return document_.ClassList().find(SelectedName());
}

void frmClassEdit::SetClassControlsEnabled(bool enabled)
{
    fraClass->setEnabled(enabled);
    cmdLapEdit->setEnabled(enabled);
    cmdChangeName->setEnabled(enabled);
    cmdDelClass->setEnabled(enabled);
}

void frmClassEdit::lstClass_Click()
{
    const bool outerGuard = fillGuard_;
    fillGuard_ = true;
    const clsClassData* cls = SelectedClass();
    if (!cls) {
        fillGuard_ = outerGuard;
        return;
    }
    const auto numberText = [](int value) {
        return value == 0 ? QString() : QString::number(value);
    };
    txtLength->setText(numberText(cls->ClassLength));
    txtUpHeight->setText(numberText(cls->ClassUpHeight));
    // A class read from a file may have more controls than the spinner reaches: the box keeps
    // the true count and the spinner stops at its end.
    vscControl->setCountRange(1, basClassEdit::MaxControls(cls->ClassLastGoalExist));
    if (cls->ClassControlCount != 0) {
        txtControlCount->setText(QString::number(cls->ClassControlCount));
        vscControl->setCount(cls->ClassControlCount);
    } else {
        txtControlCount->clear();
    }
    fraClass->setTitle(QStringLiteral("クラス名 ： ") + lstClass->currentItem()->text());
    SetClassControlsEnabled(true);
    fillGuard_ = outerGuard;
}

void frmClassEdit::cmdAddClass_Click()
{
    const std::optional<QString> answer =
        Prompts::current().input(kNamePrompt, QStringLiteral("クラス追加"), QString());
    const QString name = answer ? CbasGeneral::Trim(*answer) : QString();
    if (name.isEmpty()) return;
    if (document_.ClassList().contains(name)) {
        Prompts::message(kDuplicate, Prompts::Icon::Critical);
        return;
    }
    const std::optional<QString> countText = Prompts::current().input(
        QStringLiteral("コントロール数を入力して下さい"), QStringLiteral("クラス追加"), QString());
    const QString typed = countText.value_or(QString());
    const basClassEdit::ControlCountAnswer count = basClassEdit::CheckNewClassControls(typed);
    const QString refusal = basClassEdit::ControlCountMessage(count, typed);
    if (!refusal.isEmpty()) Prompts::message(refusal, Prompts::Icon::Exclamation);
    if (count.check != basClassEdit::ControlCountCheck::Accepted) return;

    if (!basRaceEdit::AddClass(document_, name, count.count)) return;
    lstClass->addItem(ClassItem(name));
    lstClass->setCurrentRow(lstClass->count() - 1);
    txtLength->setFocus();
}

void frmClassEdit::cmdChangeName_Click()
{
    const clsClassData* cls = SelectedClass();
    if (!cls) return;
    const QString oldName = cls->ClassName;
    const std::optional<QString> answer =
        Prompts::current().input(kNamePrompt, QStringLiteral("名称変更"), oldName);
    const QString newName = answer ? CbasGeneral::Trim(*answer) : QString();
    if (newName.isEmpty()) return;
    const clsClassData* other = document_.ClassList().find(newName);
    if (other && other != cls) {
        Prompts::message(kDuplicate, Prompts::Icon::Critical);
        return;
    }
    if (!basRaceEdit::RenameClass(document_, oldName, newName)) return;
    // The entry keeps its place and stays the chosen one.
    QListWidgetItem* item = lstClass->currentItem();
    item->setText(DisplayClassName(newName));
    item->setData(Qt::UserRole, newName);
    item->setSelected(true);
    lstClass_Click();
}

void frmClassEdit::cmdDelClass_Click()
{
    const clsClassData* cls = SelectedClass();
    if (!cls) return;
    if (Prompts::question(QStringLiteral("本当に削除しますか？"), Prompts::Buttons::OkCancel,
                          Prompts::Icon::Information) != Prompts::Answer::Ok)
        return;
    basRaceEdit::DeleteClass(document_, cls->ClassName);

    fillGuard_ = true;
    {
        const QSignalBlocker blocker(lstClass);
        delete lstClass->takeItem(lstClass->currentRow());
        lstClass->setCurrentRow(-1);
    }
    fraClass->setTitle(kClassGroup);
    SetClassControlsEnabled(false);
    txtLength->clear();
    txtUpHeight->clear();
    txtControlCount->clear();
    fillGuard_ = false;
}

bool frmClassEdit::cmdLapEdit_Click()
{
    if (!SelectedClass()) return false;
    const int count = basClassEdit::WholeNumber(txtControlCount->text());
    if (count <= 0) return false;
    if (count > MaxLegs) {
        Prompts::message(
            QStringLiteral(
                "コントロール数が%1のため、ラップ編集できません（%2レッグまで記録できます）")
                .arg(count)
                .arg(MaxLegs),
            Prompts::Icon::Exclamation);
        return false;
    }
    frmLapEdit editor(document_, this);
    editor.setClassName(SelectedName());
    ExecModal(editor);
    return true;
}

void frmClassEdit::cmdStartList_Click()
{
    const QString path = CbasControl::ShowFileDialog(
        document_.CurrentFilePath(), CbasControl::FileDialogMode::Open, QStringLiteral("スタートリストＣＳＶファイル読み込み"),
        QStringLiteral("CSV形式 (*.csv)|*.csv|全てのファイル|*.*"));
    if (path.isEmpty() || !CbasGeneral::FileExists(path)) return;
    const std::optional<QStringList> lines = basStartList::ReadStartListLines(path);
    if (!lines) return;
    const basStartList::StartListColumns columns =
        basStartList::FindStartListColumns(lines->value(0));
    if (!columns.found()) {
        Prompts::message(QStringLiteral("１行目に「名前,スタート時刻」などと記載してください"),
                         Prompts::Icon::None);
        return;
    }
    int set = 0;
    QStringList names;
    QSet<QString> found;
    {
        const ScopedCursor busy;
        set = basRaceEdit::SetStartTimes(
            document_, basStartList::ReadStartTimes(*lines, columns, &names), &found);
    }
    QStringList notFound;
    for (const QString& name : names)
        if (!found.contains(basStartList::StartListKey(name))) notFound << name;
    Prompts::message(basStartList::StartListReport(set, notFound), Prompts::Icon::Information);
}

void frmClassEdit::cmdClose_Click()
{
    accept();
}

// A date text that is no date is refused: the box gets the race's date back, then the message
// says so (in that order, so that the focus the message takes finds a valid text).
bool frmClassEdit::CheckDate()
{
    const QString typed = CbasGeneral::Trim(txtDate->text());
    if (typed.isEmpty() || basClassEdit::DateOfText(typed).isValid()) return true;
    fillGuard_ = true;
    txtDate->setText(
        CbasGeneral::FormatDate(document_.RaceInfo().RaceDate, QStringLiteral("yyyy/mm/dd")));
    fillGuard_ = false;
    Prompts::message(
        QStringLiteral("日程の日付が正しくありません: ") + typed +
            QStringLiteral("\nyyyy/mm/dd の形で入力してください。日程は元のままです。"),
        Prompts::Icon::Exclamation);
    return false;
}

void frmClassEdit::done(int result)
{
    CheckDate();
    CheckMetres(basRaceEdit::ClassField::Length);
    CheckMetres(basRaceEdit::ClassField::UpHeight);
    RaceHeader header;
    header.RaceName = txtName->text();
    header.RacePlace = txtTerrain->text();
    header.RaceRemarks = txtData->text();
    header.RaceDate = basClassEdit::DateOfText(txtDate->text());
    basRaceEdit::SetHeader(document_, header);
    QDialog::done(result);
}
