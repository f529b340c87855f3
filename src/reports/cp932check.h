#pragma once
// The CSV and text files of the output run are CP932: which text of an analysis they cannot
// hold, and the warning that names it.
#include "analysis/workspace.h"

#include <QString>

namespace basExport {

// The name of the first runner of the analysis whose name or club holds a character without a
// CP932 form (written as "?"), or the class name when only it holds one; empty when everything
// fits.
QString TextWithoutCp932(const basAnalyze::AnalysisWorkspace& ws);
// The warning that names it.
QString Cp932Warning(const QString& text);

}  // namespace basExport
