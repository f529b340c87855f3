// The program's command line.
#include "shell/commandline.h"

#include <gtest/gtest.h>

using basCommandLine::ParseCommandLine;

TEST(CommandLine, PathsPlainQuotedAndWithBlanks)
{
    EXPECT_TRUE(ParseCommandLine({}).path.isEmpty());
    EXPECT_EQ(ParseCommandLine({"/data/race.lap"}).path, QStringLiteral("/data/race.lap"));
    EXPECT_EQ(ParseCommandLine({" \"/data/my race.lap\" "}).path,
              QStringLiteral("/data/my race.lap"));
    EXPECT_FALSE(ParseCommandLine({"/data/race.lap"}).isScript());
}

TEST(CommandLine, ScriptArgumentsBecomeItsVariables)
{
    const auto line = ParseCommandLine(
        {"\"/s/Live.SDA\"", "/out", "b", "3", "4", "5", "6", "7", "8", "9", "ten"});
    EXPECT_TRUE(line.isScript());
    EXPECT_EQ(line.path, QStringLiteral("/s/Live.SDA"));
    EXPECT_EQ(line.variables, QStringList({"/out", "b", "3", "4", "5", "6", "7", "8", "9"}));
    // After a lap file further arguments mean nothing.
    EXPECT_TRUE(ParseCommandLine({"/data/race.lap", "x"}).variables.isEmpty());
}

// The tool's "run" says the first word is a script, whatever its extension.
TEST(CommandLine, AScriptByAnyNameTakesItsVariables)
{
    const auto line = basCommandLine::ParseScriptCommandLine({" \"/s/live.txt\" ", "/out", "b"});
    EXPECT_EQ(line.path, QStringLiteral("/s/live.txt"));
    EXPECT_EQ(line.variables, QStringList({"/out", "b"}));
    EXPECT_TRUE(basCommandLine::ParseScriptCommandLine({}).path.isEmpty());
}
