#include "shell/automationtargets.h"

#include <utility>

namespace AutomationTargets {

namespace {
Handler& analyzerHandler()
{
    static Handler handler;
    return handler;
}

Handler& outputHandler()
{
    static Handler handler;
    return handler;
}

bool& writeFailure()
{
    static bool failed = false;
    return failed;
}

bool run(const Handler& handler, const QString& command)
{
    return handler ? handler(command) : false;
}
}  // namespace

void setAnalyzerAutomation(Handler handler)
{
    analyzerHandler() = std::move(handler);
}

void setOutputAutomation(Handler handler)
{
    outputHandler() = std::move(handler);
}

void NoteWriteFailure()
{
    writeFailure() = true;
}

bool HadWriteFailure()
{
    return writeFailure();
}

void ClearWriteFailures()
{
    writeFailure() = false;
}

bool RunAnalyzerAutomation(const QString& command)
{
    return run(analyzerHandler(), command);
}

bool RunOutputAutomation(const QString& command)
{
    return run(outputHandler(), command);
}

}  // namespace AutomationTargets
