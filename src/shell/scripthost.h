#pragma once
// What a running script needs of the program around it. The base class is the program without
// windows (splitduel-cli run): nothing to redraw or show, nobody to choose a file, the settings
// read but never written. The main window overrides the hooks with what its own buttons do, so
// that the desktop program runs scripts as it always has. The commands that write files call
// the same functions whichever program runs them.
#include "race/racedocument.h"

#include <QString>

namespace basConvert {
class LoadProgress;
}

namespace basAutomation {

class ScriptHost {
public:
    virtual ~ScriptHost() = default;

    // The race the script works on: the host's own, unless a window lends the one it shows.
    virtual RaceDocument& Document() { return document_; }

    // The loading window to feed while OPEN reads a file; null for none.
    virtual basConvert::LoadProgress* LoadProgress() { return nullptr; }
    // Shows or removes the busy pointer.
    virtual void SetBusy(bool busy) { (void)busy; }
    // OPEN has read a race or failed to: the windows show the race in memory now.
    virtual void RaceChanged() {}
    // CLICKSHOW with a file loaded: the class analysis view. Without windows there is nothing
    // to show, and the script goes on.
    virtual void ShowAnalysis() {}
    // CLICKOPEN: the user chooses a file, which is loaded. Without windows nobody can choose, as
    // when the file dialog is cancelled: the race in memory stays.
    virtual void OpenFile() {}
    // CLICKEXIT: the program's exit, which first asks whether to save a race with unsaved
    // changes; true when the program is to end. Without windows the question goes to the
    // prompt service and only "いいえ" ends the program (there is nowhere to save to).
    virtual bool Exit();
    // The stored setting of the key ("HomePageUrl", the address the pages link to).
    virtual QString Setting(const QString& key) const;
    // HTML or LEG has written into the folder: the output dialog opens on it next time. Without
    // windows there is no dialog, and the settings stay as they are.
    virtual void OutputFolderUsed(const QString& folder) { (void)folder; }

private:
    RaceDocument document_;
};

}  // namespace basAutomation
