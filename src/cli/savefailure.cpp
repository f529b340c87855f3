#include "cli/commands.h"
#include "race/fileproblem.h"

namespace cli {

int SaveFailure(const QString& path, Console& console)
{
    console.err << CbasGeneral::SaveFailureMessage(path, CbasGeneral::LastWriteError()) << "\n";
    return ExitFailed;
}

}  // namespace cli
