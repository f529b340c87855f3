#include "analysis/workspace.h"

namespace basAnalyze {

AnalysisWorkspace Workspace;

void ResetWorkspace()
{
    Workspace = AnalysisWorkspace();
}

}  // namespace basAnalyze
