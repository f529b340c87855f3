#pragma once
// The fixture of the window tests: it isolates the race and the settings file of every test.
#include "analysis/ui/testclasses.h"
#include "common/testsupport.h"
#include "config/settings.h"

class ViewTest : public RaceTest {
protected:
    void SetUp() override
    {
        RaceTest::SetUp();
        basSettings::ResetSettings(tempDir());
    }
    void TearDown() override { basSettings::ResetSettings(QString()); }
};
