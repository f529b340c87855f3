#pragma once
// The file dialog and the folder browser of the program, over the installed prompt service.
#include "race/prompts.h"

#include <QString>

namespace CbasControl {

// Open: the file must exist; Save: a new name may be given.
using FileDialogMode = Prompts::FileDialogRequest::Mode;

// Shows the open or save dialog with the title and a filter of alternating descriptions and
// patterns separated by "|". Returns the chosen path, or an empty text when cancelled. raceFile
// is the file of the race shown (empty when it has none); filterIndex (1-based) gives the filter
// selected at first and receives the one chosen; fileName is the name proposed at first: a
// path, a folder, or a bare name (or nothing), which InRaceFolder places.
QString ShowFileDialog(const QString& raceFile, FileDialogMode mode, const QString& title,
                       const QString& filter, int* filterIndex = nullptr,
                       const QString& fileName = QString());

// A bare file name (or nothing) placed in the folder of the race's file, so that every file
// dialog starts where the race is; a name with a folder, or any name while the race has no
// file, comes back as it is.
QString InRaceFolder(const QString& raceFile, const QString& fileName);

}  // namespace CbasControl

// The folder browser: Show asks for a folder; Value is the folder last chosen (initially
// empty; a cancelled Show leaves it as it was).
class DiskTree {
public:
    void Show(const QString& title);
    QString Value() const { return value_; }

private:
    QString value_;
};
