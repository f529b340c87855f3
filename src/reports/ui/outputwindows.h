#pragma once
// Registers the output dialog with the main window's "出力" button and the script commands
// HTML and LEG; the program calls it once at start-up.
void RegisterOutputWindows();
