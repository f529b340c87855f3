// The keys of an output folder: a file is current only while its key is the one recorded and
// nothing has changed the file or the key file since.
#include "race/outputkeys.h"

#include "common/scriptedprompts.h"
#include "common/testsupport.h"
#include "race/pathutil.h"
#include "race/prompts.h"

#include <QDir>
#include <QFile>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

using OutputKeys::KeyBuilder;
using OutputKeys::KeyFolder;

namespace {

class OutputKeysTest : public RaceTest {
protected:
    QByteArray key(const QString& text) const { return KeyBuilder().add(text).key(); }
};

TEST_F(OutputKeysTest, PartsOfAKeyDoNotRunIntoEachOther)
{
    const QByteArray ab = KeyBuilder().add(QStringLiteral("ab")).add(QStringLiteral("c")).key();
    EXPECT_EQ(ab.size(), 16);
    EXPECT_EQ(ab, KeyBuilder().add(QStringLiteral("ab")).add(QStringLiteral("c")).key());
    EXPECT_NE(ab, KeyBuilder().add(QStringLiteral("a")).add(QStringLiteral("bc")).key());
    EXPECT_NE(KeyBuilder().add(1).key(), KeyBuilder().add(1.0).key());
    EXPECT_NE(KeyBuilder().add(0.0).key(), KeyBuilder().add(-0.0).key());
    EXPECT_EQ(OutputKeys::ProgramKey(), OutputKeys::ProgramKey());
}

// Each row disturbs a folder in which "名前 1.htm" was written and recorded, then asks whether
// the file is still current for the key it was recorded with.
TEST_F(OutputKeysTest, WhatMakesAFileChanged)
{
    const QString name = QStringLiteral("名前 1.htm");
    const auto keyFile = [](const QString& folder) {
        return folder + QLatin1Char('/') + QLatin1String(OutputKeys::KeyFileName);
    };
    const auto replaceLine = [&](const QString& folder, int line, const QString& text) {
        QStringList lines = testsupport::readCp932(keyFile(folder)).split("\r\n");
        lines[line] = text;
        testsupport::writeCp932(keyFile(folder), lines.join("\r\n"), false);
    };
    const struct {
        const char* change;
        std::function<void(const QString& folder)> apply;
        bool current;
    } rows[] = {
        {"nothing", [](const QString&) {}, true},
        {"the same bytes written through a new file",
         [&](const QString& f) {
             QFile::remove(f + "/" + name);
             CbasGeneral::WriteFileBytes(f + "/" + name, "page");
         },
         false},
        {"the file touched",
         [&](const QString& f) { ::utime(QFile::encodeName(f + "/" + name).constData(), nullptr); },
         false},
        {"the file removed", [&](const QString& f) { QFile::remove(f + "/" + name); }, false},
        {"the key file removed", [&](const QString& f) { QFile::remove(keyFile(f)); }, false},
        {"a foreign key file", [&](const QString& f) { replaceLine(f, 0, "Other keys 1"); }, false},
        {"another file's line damaged",
         [&](const QString& f) {
             const QString line = testsupport::readCp932(keyFile(f)).split("\r\n")[1];
             replaceLine(f, 1, line.mid(3));  // a key too short
         },
         false},
        {"its own line replaced", [&](const QString& f) { replaceLine(f, 2, "00 1 2 3 4 5 x"); },
         false},
    };
    int n = 0;
    for (const auto& row : rows) {
        const QString folder = tempPath(QString::number(++n));
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_TRUE(CbasGeneral::WriteFileBytes(folder + "/" + name, "page"));
        ASSERT_TRUE(CbasGeneral::WriteFileBytes(folder + "/other.htm", "other"));
        {
            KeyFolder keys(folder);
            keys.record(folder + "/" + name, key("inputs"));
            keys.record(folder + "/other.htm", key("other inputs"));
            keys.save();
        }
        row.apply(folder);
        const KeyFolder keys(folder);
        EXPECT_EQ(keys.current(folder + "/" + name, key("inputs")), row.current) << row.change;
        EXPECT_FALSE(keys.current(folder + "/" + name, key("other inputs"))) << row.change;
    }
    // The same name in another folder, or a link to the file, is not the file recorded.
    const QString folder = tempPath("1");
    ASSERT_TRUE(QFile::link(folder + "/" + name, tempPath("link.htm")));
    EXPECT_FALSE(KeyFolder(folder).current(tempPath("2/") + name, key("inputs")));
    EXPECT_FALSE(KeyFolder(tempDir()).current(tempPath("link.htm"), key("inputs")));
}

// The key file keeps what still holds and is left alone when a run changed nothing.
TEST_F(OutputKeysTest, SavingKeepsWhatStillHoldsAndDropsTheRest)
{
    const QString kept = tempPath("kept.htm"), gone = tempPath("gone.htm");
    ASSERT_TRUE(CbasGeneral::WriteFileBytes(kept, "a"));
    ASSERT_TRUE(CbasGeneral::WriteFileBytes(gone, "b"));
    {
        KeyFolder keys(tempDir());
        keys.record(kept, key("a"));
        keys.record(gone, key("b"));
        keys.record(tempPath("never written.htm"), key("c"));
        keys.save();
    }
    const QString keyFile = tempPath(QLatin1String(OutputKeys::KeyFileName));
    const OutputKeys::FileStamp saved = OutputKeys::StampOf(keyFile);
    KeyFolder(tempDir()).save();
    EXPECT_TRUE(OutputKeys::StampOf(keyFile) == saved) << "nothing changed, nothing written";

    ASSERT_TRUE(CbasGeneral::WriteFileBytes(gone, "B"));
    KeyFolder(tempDir()).save();
    const QStringList lines = testsupport::readCp932(keyFile).split("\r\n");
    ASSERT_EQ(lines.size(), 3) << lines.join('|').toStdString();
    EXPECT_EQ(lines[0], "SplitDuel output keys 1");
    EXPECT_TRUE(lines[1].endsWith(" kept.htm"));
    EXPECT_TRUE(KeyFolder(tempDir()).current(kept, key("a")));

    // Nothing to keep in a folder without a key file: none is made.
    const QString empty = tempPath("empty");
    ASSERT_TRUE(QDir().mkpath(empty));
    KeyFolder(empty).save();
    EXPECT_TRUE(QDir(empty).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

// A key file that cannot be written (a folder under its name, a pipe nobody reads) is told once
// in a run of the program, however often it is saved; a pipe is neither read nor waited on.
TEST_F(OutputKeysTest, AKeyFileThatCannotBeWrittenIsToldOnce)
{
    Prompts::ScopedPrompts scope(std::make_unique<Prompts::ScriptedPrompts>());
    const auto& log = static_cast<Prompts::ScriptedPrompts&>(Prompts::current()).log;
    const QString keys = tempPath("%1/") + QLatin1String(OutputKeys::KeyFileName);
    ASSERT_TRUE(QDir().mkpath(keys.arg("blocked")) && QDir().mkpath(tempPath("piped")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(keys.arg("piped")).constData(), 0600), 0);
    alarm(20);  // reading or writing the pipe would wait for ever
    for (const char* folder : {"blocked", "piped", "blocked", "piped"}) {
        ASSERT_TRUE(CbasGeneral::WriteFileBytes(tempPath(folder) + "/page.htm", "a"));
        KeyFolder folderKeys(tempPath(folder));
        folderKeys.record(tempPath(folder) + "/page.htm", key("a"));
        folderKeys.save();
    }
    alarm(0);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].text, "出力の記録を保存できませんでした: " + keys.arg("blocked") +
                               " (同じ名前のフォルダがあります)\n次回からもすべてのファイルを作り直します");
    EXPECT_TRUE(log[1].text.contains("(通常のファイルではありません (パイプなど))"));
}

}  // namespace
