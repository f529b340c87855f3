#pragma once
// Fixture for the script tests: scripted prompts, a main window stand-in that records what
// the script asks of it, and a helper that writes a script file.
#include "common/scriptedprompts.h"
#include "common/testsupport.h"
#include "race/prompts.h"
#include "shell/automation.h"

#include <functional>
#include <memory>

// The main window as scripts see it: records each hook called ("RaceChanged", "ShowAnalysis",
// "OpenFile", "Exit", "OutputFolderUsed <folder>") and runs an optional reaction; Exit answers
// closed.
class RecordingHost : public basAutomation::ScriptHost {
public:
    QStringList commands;
    std::function<void(const QString&)> react;
    bool closed = false;

    RaceDocument& Document() override { return testDocument(); }
    void RaceChanged() override { note("RaceChanged"); }
    void ShowAnalysis() override { note("ShowAnalysis"); }
    void OpenFile() override { note("OpenFile"); }
    bool Exit() override
    {
        note("Exit");
        return closed;
    }
    void OutputFolderUsed(const QString& folder) override { note("OutputFolderUsed " + folder); }

private:
    void note(const QString& command)
    {
        commands << command;
        if (react) react(command);
    }
};

class ScriptTest : public RaceTest {
protected:
    ScriptTest()
    {
        auto prompts = std::make_unique<Prompts::ScriptedPrompts>();
        prompts_ = prompts.get();
        scope_ = std::make_unique<Prompts::ScopedPrompts>(std::move(prompts));
    }

    // Writes the lines (joined with CR LF) as a CP932 script in the test folder.
    QString writeScript(const QString& text, const QString& name = QStringLiteral("test.sda"))
    {
        const QString path = tempPath(name);
        testsupport::writeCp932(path, text);
        return path;
    }

    basAutomation::ScriptResult run(const QString& text, const QStringList& variables = {})
    {
        return runOutcome(text, variables).result;
    }
    basAutomation::ScriptOutcome runOutcome(const QString& text, const QStringList& variables = {})
    {
        return basAutomation::RunScriptFile(writeScript(text), host, variables);
    }

    // The texts of every message box shown so far.
    QStringList messages() const
    {
        QStringList texts;
        for (const auto& record : prompts_->log) {
            if (record.kind == QLatin1String("ask")) texts << record.text;
        }
        return texts;
    }

    Prompts::ScriptedPrompts& prompts() { return *prompts_; }

    RecordingHost host;

private:
    Prompts::ScriptedPrompts* prompts_;
    std::unique_ptr<Prompts::ScopedPrompts> scope_;
};
