// Test main for the windows: a QApplication (offscreen unless another platform is set),
// and an empty race before every test.
#include "common/testsupport.h"
#include "race/race.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {
class ResetRaceListener : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { testDocument().resetRace(); }
};
}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ResetRaceListener);
    return RUN_ALL_TESTS();
}
