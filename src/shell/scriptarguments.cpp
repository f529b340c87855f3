#include "shell/scriptarguments.h"

#include "race/fileproblem.h"
#include "race/pathutil.h"
#include "race/prompts.h"
#include "race/textutil.h"

#include <QDir>

namespace basAutomation {

const QString& Argument(const QStringList& fields, int n)
{
    if (n >= fields.size()) throw ScriptError("missing argument");
    return fields[n];
}

QString ScriptPath(const ScriptContext& context, const QString& text)
{
    QString path = text;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.isEmpty() || QDir::isAbsolutePath(path)) return path;
    return QDir(context.scriptFolder).filePath(path);
}

QString ScriptFolder(const ScriptContext& context, const QString& text)
{
    if (CbasGeneral::Trim(text).isEmpty()) throw ScriptError("empty folder");
    return ScriptPath(context, text);
}

void Require(bool ok)
{
    if (!ok) throw ScriptError("command failed");
}

void RequireSaved(bool ok, const QString& path)
{
    if (!ok)
        throw ScriptError("write failed",
                          CbasGeneral::SaveFailureMessage(path, CbasGeneral::LastWriteError()));
}

void RequireInside(const QString& folder, const QString& name)
{
    const QString path = CbasGeneral::AddPathSeparator(folder) + name;
    if (!CbasGeneral::StaysInFolder(folder, path + QLatin1Char('_')))
        throw ScriptError(
            "outside the folder",
            CbasGeneral::SaveFailureMessage(path, {CbasGeneral::FileProblem::OutsideFolder, 0}));
}

void Warn(ScriptContext& context, const QString& text)
{
    context.host.SetBusy(false);
    Prompts::message(text, Prompts::Icon::Exclamation);
}

}  // namespace basAutomation
