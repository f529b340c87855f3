// splitduel-cli chart: the lap chart images of the script commands, without the desktop program.
#include "cli/clirun.h"
#include "common/testsupport.h"

#include <QDir>
#include <QSize>
#include <QtEndian>

#include <optional>

namespace {

const QString kExample = testsupport::examplePath(QStringLiteral("spring-cup.lap"));

// Width and height from the header of a PNG file; none for anything else.
std::optional<QSize> pngSize(const QString& path)
{
    const QByteArray bytes = testsupport::readBytes(path);
    if (!bytes.startsWith("\x89PNG\r\n\x1a\n") || bytes.mid(12, 4) != "IHDR") return std::nullopt;
    const auto number = [&](int at) { return qFromBigEndian<quint32>(bytes.constData() + at); };
    return QSize(int(number(16)), int(number(20)));
}

class CliChart : public RaceTest {};

// Each type writes its images of every class (or of those named), under the names the script
// command gives them, and prints the path of each; the class whose first start the clock chart
// cannot reach has no clock-time image, as in the script.
TEST_F(CliChart, EachTypeWritesItsImagesOfEveryClass)
{
    const struct {
        QStringList options;
        QStringList files;
    } cases[] = {
        {{},
         {"24_cup_m21a_1.png", "24_cup_m21a_2.png", "24_cup_w21a_1.png", "24_cup_w21a_2.png",
          "24_cup_m40_1.png", "24_cup_m40_2.png", "24_cup_w20_1.png", "24_cup_w20_2.png",
          "24_cup_初心者_1.png"}},
        {{"--type", "race", "--class", "W20", "--class", "m21a"},
         {"24_cup_w20_1.png", "24_cup_m21a_1.png"}},
        {{"--type", "clock", "--class", "初心者"}, {}},
    };
    int n = 0;
    for (const auto& c : cases) {
        const QString out = tempPath(QStringLiteral("out%1").arg(++n));
        ASSERT_TRUE(QDir().mkpath(out));
        const CliRun run = runCli(QStringList{"chart", kExample, out, "Cup"} + c.options);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
        QStringList printed;
        for (const QString& file : c.files) printed << out + "/" + file;
        EXPECT_EQ(run.out, printed.isEmpty() ? QString() : printed.join('\n') + '\n');
        QStringList sorted = c.files;
        sorted.sort();
        EXPECT_EQ(QDir(out).entryList(QDir::Files, QDir::Name), sorted);
        for (const QString& path : printed) {
            const std::optional<QSize> size = pngSize(path);
            ASSERT_TRUE(size) << path.toStdString();
            EXPECT_EQ(size->height(), 600);
            // Only the class without runners (初心者) has the 30 pixels of an empty chart.
            EXPECT_EQ(size->width() == 30, path.contains("初心者")) << path.toStdString();
        }
    }
}

TEST_F(CliChart, ImagesThatCannotBeWrittenAreNamedAndFailTheRun)
{
    const CliRun run = runCli({"chart", kExample, tempPath("missing"), "Cup", "--type", "race"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err.count("画像を保存できませんでした: "), 5) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(tempPath("missing") + "/24_cup_m40_1.png"));
}

}  // namespace
