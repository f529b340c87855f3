// Names in scripts: a "," in a value stays in its field, a race name never leads out of the
// folder, no command writes outside the folder it was given, and a damaged race stops at OPEN.
#include "scripttest.h"

#include <QDir>
#include <QFile>

using basAutomation::ScriptResult;

namespace {

const QString kLap = QStringLiteral(
    "$LAPFILE Ver=2\n$LAPFILE Rev=2\n$名称=%1\n$日時=2019/05/12\n$場所=\n$備考=\n\n"
    "クラス,名前,所属,スタート時刻,総タイム,△→１,１→◎\n"
    "M21,Runner One,Club A,10:00:00,00:20:00,00:08:00,00:12:00\n");

class ScriptNames : public ScriptTest {
protected:
    void SetUp() override
    {
        ScriptTest::SetUp();
        ASSERT_TRUE(QDir().mkpath(out) && QDir().mkpath(tempPath("outside")));
        ASSERT_TRUE(QFile::link(tempPath("outside"), out + "/up"));
    }

    // Loads a race of that name in work/, then runs the lines with %1% the output folder.
    ScriptResult runOpened(const QString& raceName, const QString& lines)
    {
        testsupport::writeCp932(tempPath("work/live.lap"), kLap.arg(raceName));
        prompts().log.clear();
        const QString script = writeScript("VERSION,1\nOPEN,live.lap\n" + lines, "work/s.sda");
        return basAutomation::RunScriptFile(script, host, {out}).result;
    }

    // The pages in the folder.
    QStringList pages() const { return QDir(out).entryList({"*.htm"}, QDir::Files, QDir::Name); }

    const QString out = tempPath("work/out,2024");
};

// Whatever the race is called, %eventname% names a file inside the folder, and a "," in it or in
// the folder (%1%) stays in its field; a name argument that climbs out of the folder, directly
// or through a link, stops the script and says so.
TEST_F(ScriptNames, NothingIsWrittenOutsideTheFolderGiven)
{
    const char* const cases[][3] = {
        {"../../escaped/evil", "%eventname%", "19_____escaped_evil.lap"},
        {"Bern 2018/ 2019", "%eventname%", "19_Bern 2018_ 2019.lap"},
        {"Spring Cup, Day 1", "%eventname%", "19_Spring Cup, Day 1.lap"},
        {"..", "%eventname%", "19__.lap"},
        {"Cup", "../x", nullptr},
        {"Cup", "up/x", nullptr},
        {"Cup", "sub/../../x", nullptr},
        {"Cup", "up/../x", nullptr},  // ".." after a link leaves the link's target
    };
    for (const auto& c : cases) {
        for (const QString& page : pages()) QFile::remove(out + "/" + page);
        const QString name = QString::fromUtf8(c[1]);
        const ScriptResult result =
            runOpened(QString::fromUtf8(c[0]), "LAPCOPY,%1%," + name + "\nHTML,%1%," + name);
        if (!c[2]) {
            EXPECT_EQ(result, ScriptResult::Stopped);
            EXPECT_EQ(messages(), QStringList({"ファイルを保存できませんでした: " + out + "/" + name +
                                                   " (フォルダの外になります)",
                                               "自動処理を中止します (line=3)"}));
            continue;
        }
        EXPECT_EQ(result, ScriptResult::Completed) << c[0];
        EXPECT_TRUE(QFile::exists(out + "/" + c[2])) << c[2];
        // The pages are named as the copy is, in lower case: yy_ + name + class part.
        const QString stem = QString(c[2]).chopped(4).toLower();
        EXPECT_EQ(pages(), QStringList({stem + "_index.htm", stem + "_m21.htm"})) << c[2];
    }
    EXPECT_TRUE(QDir(tempPath("outside")).isEmpty());
    EXPECT_EQ(QDir(tempDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"outside", "work"}));
}

TEST_F(ScriptNames, ADamagedLapFileStopsTheScriptAtOpen)
{
    testsupport::writeCp932(tempPath("work/live.lap"), kLap.arg("Cup").chopped(4), false);
    const QString script = writeScript("VERSION,1\nOPEN,live.lap\nHTML,%1%,x", "work/s.sda");
    EXPECT_EQ(basAutomation::RunScriptFile(script, host, {out}).result, ScriptResult::Stopped);
    EXPECT_TRUE(pages().isEmpty());
    EXPECT_EQ(messages(), QStringList({"ファイルが壊れています: " + tempPath("work/live.lap") +
                                           " (ファイルが行の途中で終わっています)\n"
                                           "読み込めた部分だけを読み込みました",
                                       "自動処理を中止します (line=2)"}));
}

}  // namespace
