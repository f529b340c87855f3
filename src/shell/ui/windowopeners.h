#pragma once
// The modal windows the main window opens from its function buttons. Each window registers its
// opener when the program starts; a button whose window has not registered does nothing.
#include <functional>

class QWidget;

namespace WindowOpeners {

// Opens the window modally over the owner and returns when it has been closed.
using Opener = std::function<void(QWidget* owner)>;

// The class editor: buttons "新規" (after clearing the race) and "編集".
void setEditWindowOpener(Opener opener);
// The class analysis view: button "表示".
void setShowWindowOpener(Opener opener);
// The output dialog: button "出力".
void setOutputWindowOpener(Opener opener);

void OpenEditWindow(QWidget* owner);
void OpenShowWindow(QWidget* owner);
void OpenOutputWindow(QWidget* owner);

}  // namespace WindowOpeners
