#include "analysis/workspace.h"

namespace basAnalyze {

thread_local AnalysisWorkspace Workspace;

void ResetWorkspace()
{
    Workspace = AnalysisWorkspace();
}

}  // namespace basAnalyze
