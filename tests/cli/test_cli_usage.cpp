// The command lines of splitduel-cli: one parser, one class look-up and one wording of each
// error for every command.
#include "cli/clirun.h"
#include "common/testsupport.h"

#include <QDir>

namespace {

const QString kExample = testsupport::examplePath(QStringLiteral("spring-cup.lap"));

class CliUsage : public RaceTest {
protected:
    QStringList written() const { return QDir(tempDir()).entryList(QDir::Files); }
};

// A refused command line names the word it refuses and what would have been taken, then shows
// the usage of its command; nothing is read or written.
TEST_F(CliUsage, RefusedWordsAreNamedWithWhatIsAllowed)
{
    const QString out = tempDir(), pdf = tempPath("x.pdf");
    const struct {
        QStringList args;
        QStringList told;  // texts standard error must hold
    } cases[] = {
        {{"print", kExample, pdf, "--zoom", "abc"}, {"--zoom", "abc", "0 より大きい数"}},
        {{"print", kExample, pdf, "--paper", "Letter"}, {"--paper", "Letter", "A3, A4"}},
        {{"print", kExample, pdf, "--data-type=4"}, {"--data-type", ": 4", "0..3"}},
        {{"print", kExample, pdf, "--margin-top"}, {"--margin-top", "MM"}},
        {{"output", kExample, out, "Cup", "--data-type", "9"}, {"--data-type", ": 9", "0..7"}},
        {{"output", kExample, out, "Cup", "--data-type", "3", "--file-type", "html"},
         {"--data-type 3 --file-type html", "html: 0, 1, 2, 4", "csv: 0, 1, 2, 3, 5"}},
        {{"output", kExample, out, "Cup", "--label-interval", "many"}, {"many", "数値"}},
        {{"analyse", kExample, "--fast"}, {"不明なオプションです: --fast"}},
        {{"analyse", kExample, "--detail=yes"}, {"--detail=yes"}},
        {{"analyse", kExample, "--class", "M40", "--class", "W20"}, {"--class", "一度だけ"}},
        {{"convert", kExample, pdf, "--layout", "xls"}, {"xls", "lap, csv-rows"}},
        {{"chart", kExample, out, "web", "--type", "bar"}, {"bar", "both, race, clock"}},
        {{"info"}, {"引数が足りません: FILE"}},
        {{"startlist", kExample, pdf}, {"引数が足りません: OUT"}},
        {{"xcsv", kExample, out, "more"}, {"余分な引数があります: more"}},
        {{"info", kExample, "--answers"}, {"--answers", "A1,A2,..."}},
        {{"run"}, {"引数が足りません: SCRIPT.sda"}},
        {{"run", "live.sda", "--race", "2"}, {"不明なオプションです: --race"}},
    };
    for (const auto& c : cases) {
        const CliRun run = runCli(c.args);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(run.status, 64) << what;
        for (const QString& told : c.told)
            EXPECT_TRUE(run.err.contains(told)) << what << "\n" << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("\n使い方: splitduel-cli " + c.args.first() + " ")) << what;
        EXPECT_TRUE(run.out.isEmpty()) << what;
    }
    EXPECT_EQ(written(), QStringList());
}

// Every value option takes "--name=VALUE" as well, every --class ignores letter case, and a
// name no class has is told in the same words by every command, with the classes there are.
TEST_F(CliUsage, EqualsFormsAndClassNamesAreTheSameForEveryCommand)
{
    const QString out = tempDir();
    const struct {
        QStringList args;
        QStringList files;  // written, in the folder
    } accepted[] = {
        {{"print", kExample, tempPath("a.pdf"), "--zoom=150", "--paper=b5", "--class=w20"},
         {"a.pdf"}},
        {{"output", kExample, out, "Cup", "--data-type=0", "--class", "m21A", "--no-index"},
         {"24_cup_m21a.htm"}},
        {{"chart", kExample, out, "Web", "--type=race", "--class", "W21a"}, {"24_web_w21a_1.png"}},
        {{"analyse", kExample, "--class=m40"}, {}},
    };
    for (const auto& c : accepted) {
        const QStringList before = written();
        const CliRun run = runCli(c.args);
        ASSERT_EQ(run.status, 0) << c.args.join(' ').toStdString() << run.err.toStdString();
        QStringList added = written();
        for (const QString& file : before) added.removeAll(file);
        EXPECT_EQ(added, c.files) << c.args.join(' ').toStdString();
    }
    const QStringList commands[] = {{"analyse", kExample},
                                    {"print", kExample, tempPath("b.pdf")},
                                    {"output", kExample, out, "Cup"},
                                    {"chart", kExample, out, "Cup"}};
    const QStringList before = written();
    for (const QStringList& command : commands) {
        const CliRun run = runCli(command + QStringList{"--class", "M21"});
        EXPECT_EQ(run.status, 64) << command.first().toStdString();
        EXPECT_TRUE(
            run.err.contains("クラスがありません: M21 (このレースのクラス: M21A, W21A, "
                             "M40, W20, 初心者)"))
            << run.err.toStdString();
    }
    EXPECT_EQ(written(), before);
}

// "--help" among the words of a command shows its usage, whatever else is there.
TEST_F(CliUsage, HelpAnywhereShowsTheUsageOfTheCommand)
{
    const CliRun run = runCli({"print", kExample, "--zoom", "abc", "--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.startsWith("使い方: splitduel-cli print RACE OUT.pdf [--data-type 0..3]"))
        << run.out.toStdString();
    // After "--" it is a file name like any other word.
    EXPECT_EQ(runCli({"info", "--", "--help"}).status, 1);
}

}  // namespace
