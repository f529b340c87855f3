#pragma once
// The file dialog and the folder browser of the program, over the installed prompt service.
#include <QString>

namespace CbasControl {

// Shows the open (mode 0, the file must exist) or save (mode 1) dialog with the title and a
// filter of alternating descriptions and patterns separated by "|". Returns the chosen path, or
// an empty text when cancelled. filterIndex (1-based) gives the filter selected at first and
// receives the one chosen; fileName is the name proposed at first.
QString ShowFileDialog(int mode, const QString& title, const QString& filter,
                       int* filterIndex = nullptr, const QString& fileName = QString());

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
