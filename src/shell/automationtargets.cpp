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

bool run(const Handler& handler, const QStringList& fields)
{
    return handler ? handler(fields) : false;
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

bool RunAnalyzerAutomation(const QStringList& fields)
{
    return run(analyzerHandler(), fields);
}

bool RunOutputAutomation(const QStringList& fields)
{
    return run(outputHandler(), fields);
}

bool RunAnalyzerAutomation(const QString& command)
{
    return RunAnalyzerAutomation(command.split(QLatin1Char(',')));
}

bool RunOutputAutomation(const QString& command)
{
    return RunOutputAutomation(command.split(QLatin1Char(',')));
}

}  // namespace AutomationTargets
