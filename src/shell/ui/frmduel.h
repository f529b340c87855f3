#pragma once
// The main window: the start panel (new, open, exit, recent files) while no race is loaded,
// the race panel (race header, class names and the edit, save, show, output, close and exit
// buttons) while one is. It loads, saves and closes the race of the document it is given, hands
// that document to every window it opens, and is what scripts drive.
#include "config/ui/elidedlabel.h"
#include "config/ui/scopedcursor.h"
#include "lapfiles/raceformat.h"
#include "lapfiles/raceload.h"
#include "shell/automation.h"
#include "shell/history.h"
#include "shell/ui/frmloadinfomation.h"

#include <QWidget>

#include <array>
#include <optional>

class QFrame;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// What the command line asked for and how it went.
struct CommandLineOutcome {
    enum class Kind { None, File, Script } kind = Kind::None;
    bool fileLoaded = false;
    bool fileDamaged = false;  // the file loaded looks damaged (loaded as far as it goes)
    basAutomation::ScriptOutcome script;
};

class frmDuel : public QWidget, public basAutomation::ScriptHost {
    Q_OBJECT
public:
    // Builds the window with its caption and an empty display for the document, which it shows
    // and hands to the windows it opens; nothing is read or written.
    explicit frmDuel(RaceDocument& document, QWidget* parent = nullptr);
    ~frmDuel() override;

    // The start-up steps: registry, settings, the file-association check, the empty race.
    void StartUp();
    // Loads the file or runs the script given on the command line.
    CommandLineOutcome OpenCommandLine(const QStringList& arguments);

    // Runs function button Index (0 … 8).
    void cmbFunc_Click(int Index);
    // Redraws the window from the race.
    void ShowRaceInfo();

    // The window's command text: "OBJECTCONTROL" redraws, "CLICK,n" runs button n; anything
    // else does nothing. False for a "CLICK" without a number.
    bool Automation(const QString& ScriptCommand);
    // True once the window has been closed (an exit whose save question was answered or not
    // needed).
    bool IsClosed() const { return closed_; }

    // What a script asks of the window: the loading window, the busy pointer, a redraw after
    // OPEN, the buttons "表示" (CLICKSHOW), "開く" (CLICKOPEN) and "終了" (CLICKEXIT, true once
    // the window has closed), the settings file, and the output dialog's folder.
    RaceDocument& Document() override { return document_; }
    basConvert::LoadProgress* LoadProgress() override { return &loadProgress_; }
    void SetBusy(bool busy) override;
    void RaceChanged() override { ShowRaceInfo(); }
    void ShowAnalysis() override;
    void OpenFile() override;
    bool Exit() override;
    QString Setting(const QString& key) const override;
    void OutputFolderUsed(const QString& folder) override;

    QFrame* picStart;
    QFrame* PicRaceInfo;
    ElidedLabel* lblRaceName;
    QLabel* lblRaceDate;
    ElidedLabel* lblRaceTerrain;
    ElidedLabel* lblFileName;  // the race's file (its whole path as the tooltip)
    QLabel* lblRaceClass;
    std::array<QPushButton*, 9> cmbFunc{};
    std::array<QLabel*, 9> lblText{};
    QListWidget* lstHistory;
    QLabel* Label1;
    QLabel* Label3;
    QLabel* Image1;
    QLabel* Image2;
    QLabel* Image3;  // control flags beside the history and the credits
    QLabel* Image4;
    QLabel* Image5;  // control flags at the foot of the race panel
    QLabel* Image6;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildStartPanel();
    void BuildRacePanel();
    QWidget* FunctionRow(int index, QWidget* parent);

    void ShowRaceHeader();
    void ShowClassNames();
    void ShowHistory();

    void ClearRace();
    void EditRace();
    void SaveFile();
    // Says what the chosen save type cannot keep of the race and asks whether to save anyway;
    // true when there is nothing to say or the answer is はい.
    bool AcceptSaveLosses(basConvert::SaveType type);
    // Asks whether to save first; false when the caller must stop (cancelled, or not saved).
    bool SaveBefore(const QString& question);
    // Reports the outcome of a load started by the open button or the history list.
    void FinishLoad(const basConvert::LoadResult& load);
    void lstHistory_DblClick(QListWidgetItem* item);

    RaceDocument& document_;
    LoadWindowProgress loadProgress_;
    QString dialogFileName_;  // the name last chosen in the file dialog, or its folder
    std::array<basHistory::HistorySlot, basHistory::HistorySlots + 1> history_{};
    std::optional<ScopedCursor> busyCursor_;
    bool closed_ = false;
};
