// splitduel-cli print: the split sheets as a PDF, read back with the poppler tools.
#include "cli/clirun.h"
#include "common/testsupport.h"

#include <QRegularExpression>
#include <QStandardPaths>

namespace {

const QString kExample = testsupport::examplePath(QStringLiteral("spring-cup.lap"));

QString tool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

bool hasPoppler()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

}  // namespace

class CliPrintTest : public RaceTest {};

TEST_F(CliPrintTest, PaperOrientationAndClasses)
{
    if (!hasPoppler()) GTEST_SKIP() << "poppler-utils missing";
    const struct {
        const char* what;
        QStringList options;
        QString size;       // pdfinfo's page size
        QStringList shown;  // texts of pdftotext that must be there
        QStringList hidden;
    } cases[] = {
        {"defaults: A4, every class", {}, "595 x 842", {"岡本修", "記録", "田中由美"}, {}},
        {"A5 landscape, one class",
         {"--paper", "A5", "--landscape", "--class", "w21a"},
         "595 x 420",
         {"所属", "田中由美"},
         {"岡本修"}},
        {"B4, analysis data at 70 %",
         {"--paper", "b4", "--data-type", "3", "--zoom", "70", "--class", "M21A"},
         "729 x 1032",
         {"巡航", "ミス計", "岡本修"},
         {}},
    };
    int n = 0;
    for (const auto& c : cases) {
        const QString pdf = tempPath(QStringLiteral("out%1.pdf").arg(++n));
        CliRun run = runCli(QStringList{QStringLiteral("print"), kExample, pdf} + c.options);
        ASSERT_EQ(run.status, 0) << c.what << run.err.toStdString();
        EXPECT_TRUE(tool(QStringLiteral("pdfinfo"), {pdf}).contains(c.size)) << c.what;
        const QString text = tool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        for (const QString& t : c.shown)
            EXPECT_TRUE(text.contains(t)) << c.what << " " << t.toStdString();
        for (const QString& t : c.hidden)
            EXPECT_FALSE(text.contains(t)) << c.what << " " << t.toStdString();
    }
}

TEST_F(CliPrintTest, PagePerClassOrShared)
{
    if (!hasPoppler()) GTEST_SKIP() << "poppler-utils missing";
    auto pages = [&](const QStringList& options) {
        const QString pdf = tempPath(QStringLiteral("pages.pdf"));
        CliRun run = runCli(QStringList{QStringLiteral("print"), kExample, pdf} + options);
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                           .match(tool(QStringLiteral("pdfinfo"), {pdf}));
        return m.hasMatch() ? m.captured(1).toInt() : 0;
    };
    const int each = pages({QStringLiteral("--zoom"), QStringLiteral("50")});
    const int shared = pages(
        {QStringLiteral("--zoom"), QStringLiteral("50"), QStringLiteral("--no-page-per-class")});
    EXPECT_GE(each, 4);  // one page for every class with runners at least
    EXPECT_LT(shared, each);
}

TEST_F(CliPrintTest, FailuresAndUsage)
{
    const QString pdf = tempPath(QStringLiteral("x.pdf"));
    const struct {
        const char* what;
        QStringList args;
        int status;
    } cases[] = {
        {"unwritable output", {kExample, tempPath(QStringLiteral("no/such/dir/x.pdf"))}, 1},
        {"missing race", {tempPath(QStringLiteral("none.lap")), pdf}, 1},
        {"unknown class", {kExample, pdf, "--class", "Z99"}, 64},
        {"unknown paper", {kExample, pdf, "--paper", "Letter"}, 64},
        {"data type out of range", {kExample, pdf, "--data-type", "4"}, 64},
        {"zoom not a number", {kExample, pdf, "--zoom", "big"}, 64},
        {"margin without value", {kExample, pdf, "--margin-top"}, 64},
        {"unknown option", {kExample, pdf, "--colour"}, 64},
        {"no output", {kExample}, 64},
    };
    for (const auto& c : cases) {
        CliRun run = runCli(QStringList{QStringLiteral("print")} + c.args);
        EXPECT_EQ(run.status, c.status) << c.what;
        EXPECT_FALSE(run.err.isEmpty()) << c.what;
    }
    EXPECT_FALSE(QFile::exists(pdf));
}
