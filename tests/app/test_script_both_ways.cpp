// A script run by "splitduel-cli run" does what the desktop program does with it offscreen: the
// same exit status, the same messages on stderr, and the same files byte for byte. Both run
// into the same folder one after the other, so that messages naming it read the same.
#include "offscreenrun.h"

#include <QDir>
#include <QFile>

namespace {

class ScriptBothWays : public OffscreenRunTest {
protected:
    struct Ran {
        ProgramRun desktop, tool;
        QString desktopFolder, toolFolder;  // what each left in the output folder
    };

    // Runs the script with the output folder as %1% and the further arguments after it, first
    // in the desktop program, then in the tool; the output folder is made empty for each.
    Ran runBoth(const QString& script, const QStringList& arguments = {})
    {
        Ran ran;
        const QString out = tempPath("out");
        ran.desktopFolder = tempPath("by-desktop");
        ran.toolFolder = tempPath("by-tool");
        EXPECT_TRUE(QDir().mkpath(out));
        ran.desktop = runProgram(script, QStringList{out} + arguments);
        EXPECT_TRUE(QDir().rename(out, ran.desktopFolder));
        EXPECT_TRUE(QDir().mkpath(out));
        ran.tool = run(QStringLiteral(SPLITDUEL_CLI), QStringList{"run", script, out} + arguments);
        EXPECT_TRUE(QDir().rename(out, ran.toolFolder));
        return ran;
    }

    // The names of the files in the folder, hidden ones included.
    static QStringList files(const QString& folder)
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    // The files listed in the folder's output keys: the keys themselves name the program that
    // wrote them, so only which files they are kept for must agree.
    static QStringList keyedFiles(const QString& folder)
    {
        QStringList names;
        const QString keys = testsupport::readCp932(folder + "/.splitduel-keys");
        for (const QString& line : keys.split("\r\n", Qt::SkipEmptyParts).mid(1))
            names << line.section(' ', 6);
        return names;
    }
};

// Every command over two races (the example, then an IOF XML result list): pages, leg pages,
// the three kinds of chart, the season file, lap copies, the viewer; INPUT and CLICKSHOW,
// CLICKOPEN and CLICKEXIT, which offscreen nobody answers.
TEST_F(ScriptBothWays, EveryCommandWritesTheSameFiles)
{
    const QString text =
        "VERSION,1\n"
        "REM every command\n"
        "INPUT,4,入力してください,既定\n"
        "OPEN,%2%\nCLICKSHOW\n"
        "HTML,%1%,a\nLEG,%1%,a\nCHART,%1%,a\nCHART1,%1%,b\nCHART2,%1%,c\n"
        "XCSV,%1%\nLAPCOPY,%1%,%eventname%\nVIEWER,%1%/viewer-a.html\n"
        "OPEN,%3%\nCLICKOPEN\n"
        "HTML,%1%,%eventname%\nLEG,%1%,%eventname%\nCHART,%1%,%eventname%\n"
        "XCSV,%1%\nLAPCOPY,%1%,second\nVIEWER,%1%/viewer-b.html\n"
        "CLICKEXIT\nHTML,%1%,never\n";
    const Ran ran =
        runBoth(script("every.sda", text), {testsupport::examplePath("spring-cup.lap"),
                                            testsupport::dataPath("iofxml/splits1257.xml")});
    EXPECT_EQ(ran.desktop.status, 0) << ran.desktop.errors.toStdString();
    EXPECT_EQ(ran.tool.status, ran.desktop.status);
    EXPECT_EQ(ran.tool.errors, ran.desktop.errors);
    EXPECT_EQ(ran.desktop.errors, "SplitDuel: 入力してください\n");

    const QStringList written = files(ran.desktopFolder);
    EXPECT_EQ(files(ran.toolFolder), written);
    EXPECT_EQ(differentFiles(ran.desktopFolder, ran.toolFolder, {".splitduel-keys"}),
              QStringList());
    EXPECT_EQ(keyedFiles(ran.toolFolder), keyedFiles(ran.desktopFolder));
    // Each kind of file is there; the command after CLICKEXIT never ran.
    for (const char* name :
         {"24_a_index.htm", "24_a_m21a.htm", "24_a_leg_m21a.htm", "24_a_m21a_1.png",
          "24_a_m21a_2.png", "24_b_m21a_1.png", "24_c_m21a_2.png", "Analysis.csv", "viewer-a.html",
          "viewer-b.html", "second.lap", "sprint_index.htm", "sprint_m21.htm", "sprint_leg_m21.htm",
          "sprint_m21_1.png", ".splitduel-keys"})
        EXPECT_TRUE(written.contains(name)) << name;
    EXPECT_GE(written.size(), 40);
    EXPECT_TRUE(written.filter("never").isEmpty());
}

// Scripts that stop, cannot run, or go on past an image they could not write end the same way in
// both, with the same messages.
TEST_F(ScriptBothWays, FailuresEndTheSameWay)
{
    const QString lap = testsupport::examplePath("spring-cup.lap");
    const struct {
        const char* name;
        QString text;
        QString errorsEnd;  // how the desktop program's stderr ends
    } cases[] = {
        {"missing.sda", "VERSION,1\nOPEN,missing.lap\nEXIT\n", "(line=2)\n"},
        {"version.sda", "VERSION,2\nEXIT\n", "(1行目が VERSION,1 ではありません)\n"},
        {"typo.sda", "VERSION,1\nHTLM,%1%,x\n", "(line=2)\n"},
        {"folder.sda", "VERSION,1\nINPUTFOLDER,1,出力フォルダ\n", "(line=2)\n"},
        {"nothing.sda", "VERSION,1\nCLICKSHOW\n", "(line=2)\n"},
        {"outside.sda", "VERSION,1\nOPEN," + lap + "\nLEG,%1%,../x\n", "(line=3)\n"},
        {"pages.sda", "VERSION,1\nOPEN," + lap + "\nHTML,%1%/absent,x\n", "(line=3)\n"},
        {"images.sda",
         "VERSION,1\nOPEN," + lap + "\nCHART1,%1%/absent,x\nLAPCOPY,%1%,after\nEXIT\n",
         "(フォルダがありません)\n"},
    };
    for (const auto& c : cases) {
        const Ran ran = runBoth(script(c.name, c.text));
        EXPECT_EQ(ran.desktop.status, 1) << c.name;
        EXPECT_EQ(ran.tool.status, 1) << c.name;
        EXPECT_TRUE(ran.desktop.errors.endsWith(c.errorsEnd)) << ran.desktop.errors.toStdString();
        EXPECT_EQ(ran.tool.errors, ran.desktop.errors) << c.name;
        EXPECT_EQ(files(ran.toolFolder), files(ran.desktopFolder)) << c.name;
        EXPECT_EQ(differentFiles(ran.desktopFolder, ran.toolFolder, {".splitduel-keys"}),
                  QStringList())
            << c.name;
        QDir(ran.desktopFolder).removeRecursively();
        QDir(ran.toolFolder).removeRecursively();
    }
}

}  // namespace
