#pragma once
// Every question the program puts to a person (message boxes, Yes/No/Cancel questions, input
// boxes, open/save dialogs, the folder browser) goes through the one installed PromptService.
// The desktop program installs the Qt implementation; tests install one that answers from a
// list; with no display the OffscreenPrompts answer without anyone, so nothing ever blocks.
// This file depends on Qt Core only.
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace Prompts {

enum class Icon { None, Information, Exclamation, Critical, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

struct FileDialogRequest {
    enum class Mode { Open, Save } mode = Mode::Open;
    QString title;
    QString filter;       // "説明|*.lap|説明|*.csv" as alternating descriptions and patterns
    int filterIndex = 1;  // 1-based; the chosen filter comes back in FileDialogResult
    QString fileName;     // initial name or folder
};

struct FileDialogResult {
    QString path;         // empty when cancelled
    int filterIndex = 1;
};

class PromptService {
public:
    virtual ~PromptService() = default;
    // A message box or question with the application title as caption.
    virtual Answer ask(const QString& text, Buttons buttons, Icon icon) = 0;
    // An input box; no value when cancelled.
    virtual std::optional<QString> input(const QString& prompt, const QString& title,
                                         const QString& defaultText) = 0;
    virtual FileDialogResult fileDialog(const FileDialogRequest& request) = 0;
    // The folder browser; empty when cancelled.
    virtual QString browseFolder(const QString& title, const QString& startFolder) = 0;
};

// The installed service (OffscreenPrompts until something else is installed).
PromptService& current();
// Installs a service and returns the previous one.
std::unique_ptr<PromptService> install(std::unique_ptr<PromptService> service);

// The answer of a box closed without a choice: OK to a message, Cancel (No to a Yes/No
// question) to everything else.
Answer ClosedAnswer(Buttons buttons);

// Short forms used across the program.
inline void message(const QString& text, Icon icon = Icon::Exclamation)
{
    current().ask(text, Buttons::Ok, icon);
}
inline Answer question(const QString& text, Buttons buttons = Buttons::YesNoCancel,
                       Icon icon = Icon::Question)
{
    return current().ask(text, buttons, icon);
}

// Answers without a person: every message is written to stderr and acknowledged; questions,
// input boxes, file dialogs and the folder browser are cancelled.
class OffscreenPrompts : public PromptService {
public:
    Answer ask(const QString& text, Buttons buttons, Icon icon) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText) override;
    FileDialogResult fileDialog(const FileDialogRequest& request) override;
    QString browseFolder(const QString& title, const QString& startFolder) override;
};

// Installs a service for the lifetime of the guard.
class ScopedPrompts {
public:
    explicit ScopedPrompts(std::unique_ptr<PromptService> service)
        : previous_(install(std::move(service)))
    {
    }
    ~ScopedPrompts() { install(std::move(previous_)); }
    ScopedPrompts(const ScopedPrompts&) = delete;
    ScopedPrompts& operator=(const ScopedPrompts&) = delete;

private:
    std::unique_ptr<PromptService> previous_;
};

}  // namespace Prompts
