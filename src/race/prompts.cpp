#include "race/prompts.h"

#include <cstdio>

namespace Prompts {

namespace {
std::unique_ptr<PromptService>& slot()
{
    static std::unique_ptr<PromptService> service = std::make_unique<OffscreenPrompts>();
    return service;
}

}  // namespace

Answer ClosedAnswer(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel: return Answer::Cancel;
    case Buttons::YesNo: return Answer::No;
    }
    return Answer::Cancel;
}

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
    return ClosedAnswer(buttons);
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

}  // namespace Prompts
