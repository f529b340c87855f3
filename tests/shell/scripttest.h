#pragma once
// Fixture for the script tests: scripted prompts, a main window stand-in that records the
// commands it is given, and a helper that writes a script file.
#include "common/scriptedprompts.h"
#include "common/testsupport.h"
#include "race/prompts.h"
#include "shell/automation.h"
#include "shell/automationtargets.h"

#include <functional>
#include <memory>

// The main window as scripts see it: records every command and runs an optional reaction.
class RecordingHost : public basAutomation::ScriptHost {
public:
    QStringList commands;
    std::function<void(const QString&)> react;
    bool closed = false;

    bool Automation(const QString& command) override
    {
        commands << command;
        if (react) react(command);
        return true;
    }
    bool IsClosed() const override { return closed; }
};

class ScriptTest : public RaceTest {
protected:
    ScriptTest()
    {
        auto prompts = std::make_unique<Prompts::ScriptedPrompts>();
        prompts_ = prompts.get();
        scope_ = std::make_unique<Prompts::ScopedPrompts>(std::move(prompts));
    }
    ~ScriptTest() override
    {
        AutomationTargets::setAnalyzerAutomation({});
        AutomationTargets::setOutputAutomation({});
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
