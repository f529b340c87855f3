#pragma once
// Every modal window of the program is opened through ExecModal, so that without a display
// nothing ever waits for a person.
#include <QDialog>

// True under the offscreen (or minimal) platform, where nobody can answer a window.
bool IsOffscreen();

// Shows the dialog modally and returns its result; offscreen it returns QDialog::Rejected at
// once, as if the user had closed the window.
int ExecModal(QDialog& dialog);
