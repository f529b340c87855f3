#pragma once
// Every modal window of the program is opened through ExecModal, so that without a display
// nothing ever waits for a person.
#include <QDialog>

#include <functional>

// True under the offscreen (or minimal) platform, where nobody can answer a window.
bool IsOffscreen();

// Shows the dialog modally and returns its result; offscreen it returns QDialog::Rejected at
// once, as if the user had closed the window.
int ExecModal(QDialog& dialog);

// Offscreen, a watcher (set by a test) sees each window ExecModal is given before it returns, so
// the test can check which window opened, over which owner, or change what the window changes.
// An empty watcher removes it.
using ModalWatcher = std::function<void(QDialog& dialog)>;
void SetModalWatcher(ModalWatcher watcher);
