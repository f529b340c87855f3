#include "race/prompts.h"

#include <cstdio>

namespace Prompts {

namespace {
std::unique_ptr<PromptService>& slot()
{
    static std::unique_ptr<PromptService> service = std::make_unique<OffscreenPrompts>();
    return service;
}

Answer cancelAnswer(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel: return Answer::Cancel;
    case Buttons::YesNo: return Answer::No;
    }
    return Answer::Cancel;
}
}  // namespace

PromptService& current() { return *slot(); }

std::unique_ptr<PromptService> install(std::unique_ptr<PromptService> service)
{
    std::unique_ptr<PromptService> previous = std::move(slot());
    slot() = service ? std::move(service) : std::make_unique<OffscreenPrompts>();
    return previous;
}

Answer OffscreenPrompts::ask(const QString& text, Buttons buttons, Icon)
{
    std::fprintf(stderr, "SplitDuel: %s\n", text.toLocal8Bit().constData());
    return cancelAnswer(buttons);
}

std::optional<QString> OffscreenPrompts::input(const QString& prompt, const QString&, const QString&)
{
    std::fprintf(stderr, "SplitDuel: %s\n", prompt.toLocal8Bit().constData());
    return std::nullopt;
}

FileDialogResult OffscreenPrompts::fileDialog(const FileDialogRequest& request)
{
    return FileDialogResult{QString(), request.filterIndex};
}

QString OffscreenPrompts::browseFolder(const QString&, const QString&) { return QString(); }

Answer ScriptedPrompts::ask(const QString& text, Buttons buttons, Icon icon)
{
    log.push_back({QStringLiteral("ask"), text, buttons, icon});
    if (answers.empty()) return cancelAnswer(buttons);
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
