#include "common/scriptedprompts.h"

namespace Prompts {

Answer ScriptedPrompts::ask(const QString& text, Buttons buttons, Icon icon)
{
    log.push_back({QStringLiteral("ask"), text, buttons, icon});
    if (answers.empty()) return ClosedAnswer(buttons);
    Answer a = answers.front();
    answers.pop_front();
    return a;
}

std::optional<QString> ScriptedPrompts::input(const QString& prompt, const QString&, const QString&)
{
    log.push_back({QStringLiteral("input"), prompt, Buttons::OkCancel, Icon::None});
    if (inputs.empty()) return std::nullopt;
    bool cancelled = !inputs.front().has_value();
    QString text = inputs.front().value_or(QString());
    inputs.pop_front();
    if (cancelled) return std::nullopt;
    return text;
}

FileDialogResult ScriptedPrompts::fileDialog(const FileDialogRequest& request)
{
    log.push_back({QStringLiteral("file"), request.title, Buttons::OkCancel, Icon::None});
    fileRequests.push_back(request);
    if (files.empty()) return FileDialogResult{QString(), request.filterIndex};
    FileDialogResult a = files.front();
    files.pop_front();
    return a;
}

QString ScriptedPrompts::browseFolder(const QString& title, const QString&)
{
    log.push_back({QStringLiteral("folder"), title, Buttons::OkCancel, Icon::None});
    if (folders.empty()) return QString();
    QString a = folders.front();
    folders.pop_front();
    return a;
}

}  // namespace Prompts
