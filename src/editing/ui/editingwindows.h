#pragma once
// Makes the class editor known to the main window: its "新規" and "編集" buttons open it.
// Called once when the program starts.
void RegisterEditingWindows();
