#pragma once
// The script commands that write files, each calling the function the windows call for the same
// files: LAPCOPY (the lap file copied), XCSV (the season file), VIEWER (the race viewer), HTML
// and LEG (the output dialog's run), CHART, CHART1 and CHART2 (the chart images).
#include "shell/scriptcommands.h"

namespace basAutomation {

// LAPCOPY,folder,name: the loaded file copied to folder/[yy_]name.lap.
CommandResult LapCopy(ScriptContext& context, const QStringList& fields);
// XCSV,folder: every class of the race appended to folder/Analysis.csv.
CommandResult SeasonCsv(ScriptContext& context, const QStringList& fields);
// VIEWER,file: the race viewer of every class in one page.
CommandResult Viewer(ScriptContext& context, const QStringList& fields);
// HTML,folder,name and LEG,folder,name: the results pages or the leg pages of every class with
// the index page, as the output dialog writes them once the command has chosen its data type,
// folder and name.
CommandResult Pages(ScriptContext& context, const QStringList& fields);
// CHART,folder,name (race time and clock time), CHART1 (race time), CHART2 (clock time): the
// chart images of every class. An image that cannot be written is told and the script goes on,
// noting the failure for its end.
CommandResult Charts(ScriptContext& context, const QStringList& fields);

}  // namespace basAutomation
