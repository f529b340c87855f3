#pragma once
// Makes the analysis windows known to the main window and the script interpreter: the "表示"
// button opens the class analysis view, and the script commands CHART, CHART1 and CHART2 pass
// through its Automation. Called once when the program starts.
void RegisterAnalysisWindows();
