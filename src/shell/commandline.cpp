#include "shell/commandline.h"

#include "race/pathutil.h"
#include "race/textutil.h"

namespace basCommandLine {

bool CommandLine::isScript() const
{
    return !path.isEmpty() && CbasGeneral::GetExtension(path).toLower() == QLatin1String("sda");
}

CommandLine ParseCommandLine(const QStringList& arguments)
{
    CommandLine line = ParseScriptCommandLine(arguments);
    if (!line.isScript()) line.variables.clear();
    return line;
}

CommandLine ParseScriptCommandLine(const QStringList& arguments)
{
    CommandLine line;
    if (arguments.isEmpty()) return line;
    line.path = CbasGeneral::RemoveQuotes(CbasGeneral::Trim(arguments.first()));
    line.variables = arguments.mid(1, 9);
    return line;
}

}  // namespace basCommandLine
