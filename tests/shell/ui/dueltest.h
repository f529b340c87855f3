#pragma once
// Fixture for the main-window tests: settings in the test folder, scripted prompts, a window.
#include "common/scriptedprompts.h"
#include "common/testsupport.h"
#include "config/settings.h"
#include "race/prompts.h"
#include "race/race.h"
#include "shell/ui/frmduel.h"

#include <memory>

class DuelTest : public RaceTest {
protected:
    void SetUp() override
    {
        RaceTest::SetUp();
        basSettings::ResetSettings(tempDir());
        auto prompts = std::make_unique<Prompts::ScriptedPrompts>();
        prompts_ = prompts.get();
        scope_ = std::make_unique<Prompts::ScopedPrompts>(std::move(prompts));
        window = std::make_unique<frmDuel>(testDocument());
        window->ShowRaceInfo();
    }
    void TearDown() override
    {
        window.reset();
        scope_.reset();
        basSettings::ResetSettings(QString());
    }

    Prompts::ScriptedPrompts& prompts() { return *prompts_; }

    // The texts of the message boxes and questions shown so far.
    QStringList asked() const
    {
        QStringList texts;
        for (const auto& record : prompts_->log) {
            if (record.kind == QLatin1String("ask")) texts << record.text;
        }
        return texts;
    }

    // A race with one class and one runner, as if typed into the editors.
    static void makeRace(const QString& name)
    {
        testRace().RaceInfo.RaceName = name;
        testRace().RaceInfo.RaceDate = QDate(2002, 5, 12);
        clsClassData& c = testRace().ClassList.add(QStringLiteral("M21"));
        c.ClassControlCount = 1;
        c.ClassLastGoalExist = true;
        clsClassDataSub runner;
        runner.Namae = QStringLiteral("Runner One");
        runner.setLap(1, 300.0 / 86400);
        runner.setLap(2, 200.0 / 86400);
        c.Add(runner);
    }

    std::unique_ptr<frmDuel> window;

private:
    Prompts::ScriptedPrompts* prompts_ = nullptr;
    std::unique_ptr<Prompts::ScopedPrompts> scope_;
};
