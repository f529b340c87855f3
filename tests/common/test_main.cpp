// Test main for the core libraries: a QCoreApplication, and an empty race before every test.
#include "common/testsupport.h"
#include "race/race.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {
class ResetRaceListener : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { testDocument().resetRace(); }
};
}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ResetRaceListener);
    return RUN_ALL_TESTS();
}
