#pragma once
// Fixture of the editor window tests: an empty race, scripted prompts and small class builders.
#include "common/scriptedprompts.h"
#include "common/testsupport.h"
#include "race/prompts.h"
#include "race/race.h"

#include <memory>

class EditorTest : public RaceTest {
protected:
    void SetUp() override
    {
        RaceTest::SetUp();
        auto prompts = std::make_unique<Prompts::ScriptedPrompts>();
        prompts_ = prompts.get();
        scope_ = std::make_unique<Prompts::ScopedPrompts>(std::move(prompts));
    }
    void TearDown() override { scope_.reset(); }

    Prompts::ScriptedPrompts& prompts() { return *prompts_; }

    // The texts of the message boxes and questions shown so far.
    QStringList asked() const
    {
        QStringList texts;
        for (const auto& record : prompts_->log)
            if (record.kind == QLatin1String("ask")) texts << record.text;
        return texts;
    }

    // Answers the next input boxes in order.
    void answerInputs(std::initializer_list<const char*> answers)
    {
        for (const char* a : answers) prompts_->inputs.push_back(QString::fromUtf8(a));
    }

    static clsClassData& addClass(const QString& name, int controls, bool finish = true)
    {
        clsClassData& c = testRace().ClassList.add(name);
        c.ClassControlCount = controls;
        c.ClassLastGoalExist = finish;
        return c;
    }

    static double secs(int s) { return s / 86400.0; }

private:
    Prompts::ScriptedPrompts* prompts_ = nullptr;
    std::unique_ptr<Prompts::ScopedPrompts> scope_;
};
