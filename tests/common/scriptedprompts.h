#pragma once
// The prompt service of the tests: records every prompt and answers from queues. An empty queue
// answers as a person closing the box would (OK to messages, Cancel to everything else).
#include "race/prompts.h"

#include <deque>
#include <optional>
#include <vector>

namespace Prompts {

class ScriptedPrompts : public PromptService {
public:
    struct Record {
        QString kind;  // "ask", "input", "file", "folder"
        QString text;
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
    };
    std::deque<Answer> answers;
    std::deque<std::optional<QString>> inputs;
    std::deque<FileDialogResult> files;
    std::deque<QString> folders;
    std::vector<Record> log;
    std::vector<FileDialogRequest> fileRequests;

    Answer ask(const QString& text, Buttons buttons, Icon icon) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText) override;
    FileDialogResult fileDialog(const FileDialogRequest& request) override;
    QString browseFolder(const QString& title, const QString& startFolder) override;
};

}  // namespace Prompts
