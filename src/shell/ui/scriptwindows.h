#pragma once
// Lets scripts drive the windows besides the main window: the class analysis view answers the
// CHART, CHART1 and CHART2 commands, the output dialog the HTML and LEG commands. Called once
// when the program starts.
void RegisterScriptWindows();
