// VIEWER: the race viewer of the loaded race written where the script says.
#include "scripttest.h"

#include <QDir>

using basAutomation::ScriptResult;

namespace {
const char* const kRace =
    "$LAPFILE Ver=2\n$LAPFILE Rev=2\n$名称=Viewer Cup\n$日時=2002/05/12\n$場所=\n$備考=\n"
    "$距離:M21=4500\n$登距離:M21=180\n$コントロール数:M21=1\n\n"
    "クラス,名前,所属,スタート時刻,総タイム,△→１,１→◎\n"
    "M21,Runner One,Club A,10:00:00,00:20:00,00:08:00,00:12:00\n";
}  // namespace

TEST_F(ScriptTest, ViewerWritesThePageOrStopsTheScript)
{
    ASSERT_TRUE(QDir(tempDir()).mkdir("web"));
    testsupport::writeCp932(tempPath("race.lap"), kRace);
    ASSERT_EQ(run("VERSION,1\nOPEN,race.lap\nVIEWER,web\\live.html\nviewer,\"web/quoted.html\""),
              ScriptResult::Completed);
    for (const char* name : {"web/live.html", "web/quoted.html"}) {
        const QByteArray page = testsupport::readBytes(tempPath(name));
        EXPECT_TRUE(page.startsWith("<!DOCTYPE html>")) << name;
        EXPECT_TRUE(page.contains("\"Runner One\"")) << name;
    }

    const struct {
        const char* script;
        const char* message;
    } stops[] = {{"VERSION,1\nOPEN,race.lap\nVIEWER,no/such/folder/v.html", "(line=3)"},
                 {"VERSION,1\nVIEWER", "(line=2)"},
                 {"VERSION,1\nVIEWER,", "(line=2)"}};
    for (const auto& stop : stops) {
        EXPECT_EQ(run(stop.script), ScriptResult::Stopped) << stop.script;
        EXPECT_TRUE(messages().last().endsWith(QString::fromUtf8(stop.message))) << stop.script;
    }
}
