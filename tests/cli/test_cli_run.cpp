// splitduel-cli run: a script run without a display, its words after the script its variables,
// and no window library loaded.
#include "cli/clirun.h"
#include "common/testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace {

class CliRunScript : public RaceTest {};

// The words after the script are %1% … %9% in order (a quoted path and a word after "--" as
// well); a tenth is ignored. The script writes where its variables say, and nothing is printed.
TEST_F(CliRunScript, WordsAfterTheScriptAreItsVariables)
{
    ASSERT_TRUE(QDir().mkpath(tempPath("out")));
    testsupport::writeCp932(tempPath("copy.sda"), "VERSION,1\nOPEN," +
                                                      testsupport::examplePath("spring-cup.lap") +
                                                      "\nLAPCOPY,%1%,%2%%9%%10%\nEXIT\n");
    const QStringList args{"run",
                           "\"" + tempPath("copy.sda") + "\"",
                           tempPath("out"),
                           "--",
                           "--copy",
                           "3",
                           "4",
                           "5",
                           "6",
                           "7",
                           "8",
                           "-nine",
                           "ten"};
    const CliRun run = runCli(args);
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    // %10% is no variable: "%1" of it is left, "0%" too.
    EXPECT_EQ(QDir(tempPath("out")).entryList(QDir::Files),
              QStringList({"24_--copy-nine%10%.lap"}));
}

// The tool is a console program: no window library is among the libraries it loads.
TEST(CliLibraries, TheToolLoadsNoWindowLibrary)
{
    QProcess ldd;
    ldd.start(QStringLiteral("ldd"), {QStringLiteral(SPLITDUEL_CLI)});
    if (!ldd.waitForStarted() || !ldd.waitForFinished(30000)) GTEST_SKIP() << "no ldd";
    const QString libraries = QString::fromUtf8(ldd.readAllStandardOutput());
    ASSERT_TRUE(libraries.contains("libQt6Core")) << libraries.toStdString();
    EXPECT_FALSE(libraries.contains("libQt6Widgets")) << libraries.toStdString();
    EXPECT_FALSE(libraries.contains("libQt6PrintSupport")) << libraries.toStdString();
}

}  // namespace
