// The main window's functions: the nine buttons, the recent-file list, the save questions,
// the command line and the scripting entry.
#include "shell/ui/frmduel.h"

#include "analysis/ui/frmanalyzer.h"
#include "config/control.h"
#include "config/settings.h"
#include "config/ui/modal.h"
#include "editing/raceedits.h"
#include "editing/ui/frmclassedit.h"
#include "lapfiles/formattable.h"
#include "lapfiles/racefile.h"
#include "lapfiles/savelosses.h"
#include "race/pathutil.h"
#include "race/prompts.h"
#include "race/race.h"
#include "race/textutil.h"
#include "reports/ui/frmoutput.h"
#include "shell/appregistration.h"
#include "shell/commandline.h"
#include "shell/ui/frmkanrenduke.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QListWidgetItem>

#include <algorithm>

namespace {

const QString kFileDialogTitle = QStringLiteral("ラップファイル");
const QString kOpenFilter = QStringLiteral(
    "LAP形式 (*.lap)|*.lap|CSV形式 (*.csv)|*.csv|テキスト形式 (*.txt)|*.txt|IOF XML "
    "(*.xml)|*.xml|Eskdat形式 (*.dat)|*.dat|全てのファイル (*.*)|*.*");

void Warn(const QString& text)
{
    Prompts::message(text, Prompts::Icon::Exclamation);
}

// What a load the user asked for has to tell besides the race it read (classes split by
// course); a script's load passes it over, so nothing stops the script.
void TellLoadNotice(const basConvert::LoadResult& load)
{
    if (!load.notice.isEmpty()) Prompts::message(load.notice, Prompts::Icon::Information);
}

// The path without the extension of its file name (and without that dot).
QString WithoutExtension(const QString& path)
{
    const int slash =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > slash ? path.left(dot) : path;
}

}  // namespace

void frmDuel::StartUp()
{
    basRegistration::RegisterApplication();
    basSettings::LoadSettings();
    CheckFileAssociation(this);
    document_.resetRace();
    ShowRaceInfo();
}

CommandLineOutcome frmDuel::OpenCommandLine(const QStringList& arguments)
{
    CommandLineOutcome outcome;
    const basCommandLine::CommandLine line = basCommandLine::ParseCommandLine(arguments);
    if (line.path.isEmpty()) return outcome;
    if (line.isScript()) {
        outcome.kind = CommandLineOutcome::Kind::Script;
        show();
        outcome.script = basAutomation::RunScriptFile(line.path, *this, line.variables);
        SetBusy(false);
        return outcome;
    }
    outcome.kind = CommandLineOutcome::Kind::File;
    const basConvert::LoadResult load =
        basConvert::LoadRaceFile(document_, line.path, &loadProgress_);
    if (!load.loaded()) {
        // The file was asked for (a double-click in the file manager): say why it is not shown.
        document_.setCurrentFilePath(QString());
        show();
        ShowRaceInfo();
        Warn(load.failureMessage());
    } else {
        show();
        ShowRaceInfo();
        basHistory::UpdateHistory(document_);
        TellLoadNotice(load);
        outcome.fileLoaded = true;
        outcome.fileDamaged = load.damaged;
    }
    return outcome;
}

void frmDuel::cmbFunc_Click(int Index)
{
    repaint();
    switch (Index) {
        case 0:
            // A script can press "新規" while a changed race is loaded.
            if (!SaveBefore(QStringLiteral("新規作成の前にデータを保存しますか？"))) break;
            ClearRace();
            EditRace();
            break;
        case 1:
            OpenFile();
            break;
        case 2:
            EditRace();
            break;
        case 3:
            SaveFile();
            break;
        case 4:
            ShowAnalysis();
            break;
        case 5:
            // One output dialog per main window: what was chosen stays from one opening to the
            // next.
            ExecModal(frmOutput::Of(this, document_));
            break;
        case 6:
        case 8:
            close();
            break;
        case 7:
            if (!SaveBefore(QStringLiteral("閉じる前にデータを保存しますか？"))) break;
            ClearRace();
            break;
        default:
            break;
    }
}

// Empties the race and shows the start panel (the new and close buttons).
void frmDuel::ClearRace()
{
    // The next file dialog starts in the folder of the race closed, with no name proposed.
    const QString folder = CbasGeneral::GetFolderName(
        document_.CurrentFilePath().isEmpty() ? dialogFileName_ : document_.CurrentFilePath());
    basRaceEdit::ClearRace(document_);
    dialogFileName_ = folder;
    ShowRaceInfo();
}

// The class editor changes the race in place; afterwards the window and the recent-file list
// show the race as after a load (a file's entry takes the new race name).
void frmDuel::EditRace()
{
    {
        frmClassEdit editor(document_, this);
        ExecModal(editor);
    }
    ShowRaceInfo();
    basHistory::UpdateHistory(document_);
}

void frmDuel::ShowAnalysis()
{
    frmAnalyzer analyzer(document_, this);
    ExecModal(analyzer);
}

bool frmDuel::SaveBefore(const QString& question)
{
    if (!document_.DataModified()) return true;
    const Prompts::Answer answer =
        Prompts::question(question, Prompts::Buttons::YesNoCancel, Prompts::Icon::Information);
    if (answer == Prompts::Answer::No) return true;
    if (answer != Prompts::Answer::Yes) return false;
    cmbFunc_Click(3);
    return !document_.DataModified();
}

void frmDuel::OpenFile()
{
    if (!SaveBefore(QStringLiteral("読み込み前にデータを保存しますか？"))) return;
    int filterIndex = 1;
    const QString path =
        CbasControl::ShowFileDialog(document_.CurrentFilePath(), CbasControl::FileDialogMode::Open, kFileDialogTitle, kOpenFilter,
                                    &filterIndex, dialogFileName_);
    if (path.isEmpty()) return;
    dialogFileName_ = path;
    FinishLoad(basConvert::LoadRaceFile(document_, path, &loadProgress_));
}

void frmDuel::FinishLoad(const basConvert::LoadResult& load)
{
    const bool failed = !load.loaded();
    // Cleared before the redraw, so that the window never names a file the race no longer has.
    if (failed) document_.setCurrentFilePath(QString());
    ShowRaceInfo();
    if (failed) {
        Warn(load.failureMessage());
    } else {
        basHistory::UpdateHistory(document_);
        TellLoadNotice(load);
    }
}

void frmDuel::SaveFile()
{
    const QString proposed = document_.CurrentFilePath().isEmpty()
                                 ? dialogFileName_
                                 : WithoutExtension(document_.CurrentFilePath());
    int filterIndex = basConvert::FilterIndexOf(basConvert::SaveType::Lap);
    const QString path =
        CbasControl::ShowFileDialog(document_.CurrentFilePath(), CbasControl::FileDialogMode::Save, kFileDialogTitle,
                                    basConvert::SaveDialogFilter(), &filterIndex, proposed);
    if (path.isEmpty()) return;
    dialogFileName_ = path;
    // The dialog offers the save types of the format table; an index beyond them saves nothing.
    const std::optional<basConvert::SaveType> type = basConvert::SaveTypeAt(filterIndex);
    if (type && !AcceptSaveLosses(*type)) return;
    const bool saved = type && basConvert::SaveRaceFile(document_.race(), path, *type) ==
                                   basConvert::SaveResult::Saved;
    if (!saved) {
        Warn(QStringLiteral("ファイルを保存できませんでした\n") +
             CbasGeneral::PathWithReason(path, CbasGeneral::LastWriteError()));
    } else {
        document_.setDataModified(false);
        // A lap file holds the whole race: it is the race's file from now on. The other types
        // are copies that keep less; the race stays with its file.
        if (type == basConvert::SaveType::Lap) document_.setCurrentFilePath(path);
        ShowRaceInfo();
        basHistory::UpdateHistory(document_);
    }
}

bool frmDuel::AcceptSaveLosses(basConvert::SaveType type)
{
    const QString question =
        basConvert::SaveLossQuestion(type, document_.RaceInfo(), document_.ClassList());
    return question.isEmpty() || Prompts::question(question, Prompts::Buttons::YesNo,
                                                   Prompts::Icon::Question) == Prompts::Answer::Yes;
}

void frmDuel::lstHistory_DblClick(QListWidgetItem* item)
{
    if (!item) return;
    const int slot = item->data(Qt::UserRole).toInt();
    if (slot < 1 || slot > basHistory::HistorySlots) return;
    FinishLoad(basConvert::LoadRaceFile(document_, history_[slot].path, &loadProgress_));
}

void frmDuel::closeEvent(QCloseEvent* event)
{
    if (!SaveBefore(QStringLiteral("終了する前にデータを保存しますか？"))) {
        event->ignore();
        return;
    }
    closed_ = true;
    event->accept();
}

bool frmDuel::Automation(const QString& ScriptCommand)
{
    const QStringList items = ScriptCommand.split(QLatin1Char(','));
    const QString keyword = items.first().toUpper();
    if (keyword == QLatin1String("OBJECTCONTROL")) {
        ShowRaceInfo();
    } else if (keyword == QLatin1String("CLICK")) {
        if (items.size() < 2 || !CbasGeneral::IsNumeric(items[1])) return false;
        cmbFunc_Click(CbasGeneral::RoundHalfEven(CbasGeneral::Val(items[1])));
    }
    return true;
}

bool frmDuel::Exit()
{
    close();
    return closed_;
}

QString frmDuel::Setting(const QString& key) const
{
    return basSettings::SettingsFile().Item(key);
}

void frmDuel::OutputFolderUsed(const QString& folder)
{
    basSettings::SetOutputFolder(folder);
}

void frmDuel::SetBusy(bool busy)
{
    if (busy == busyCursor_.has_value()) return;
    if (busy)
        busyCursor_.emplace();
    else
        busyCursor_.reset();
}
