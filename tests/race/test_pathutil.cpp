#include "race/pathutil.h"

#include "race/outputkeys.h"

#include "common/testsupport.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace CbasGeneral;

class PathFiles : public RaceTest {};

TEST(PathNames, SeparatorsOfBothKinds)
{
    EXPECT_EQ(AddPathSeparator("/data/race"), "/data/race/");
    EXPECT_EQ(AddPathSeparator("/data/race/"), "/data/race/");
    EXPECT_EQ(AddPathSeparator("C:\\race\\"), "C:\\race\\");
    EXPECT_EQ(RemovePathSeparator("/data/race/"), "/data/race");
    EXPECT_EQ(RemovePathSeparator("C:\\race\\"), "C:\\race");
    EXPECT_EQ(RemovePathSeparator("/data/race"), "/data/race");

    EXPECT_EQ(GetFileName("/data/race/a.lap"), "a.lap");
    EXPECT_EQ(GetFileName("C:\\race\\a.lap"), "a.lap");
    EXPECT_EQ(GetFileName("sub\\dir/a.lap"), "a.lap");
    EXPECT_EQ(GetFileName("C:a.lap"), "a.lap");
    EXPECT_EQ(GetFileName("/data/race/"), "");
    EXPECT_EQ(GetFileName("a.lap"), "a.lap");
    EXPECT_EQ(GetFolderName("/data/race/a.lap"), "/data/race/");
    EXPECT_EQ(GetFolderName("C:\\race\\a.lap"), "C:\\race\\");
    EXPECT_EQ(GetFolderName("C:a.lap"), "C:");
    EXPECT_EQ(GetFolderName("a.lap"), "");
}

TEST(PathNames, CleanFileNameTouchesOnlyTheName)
{
    EXPECT_EQ(CleanFileName("/out/2024:05|M21<E>'\".html"), "/out/202405M21E.html");
    EXPECT_EQ(CleanFileName("/o:ut/a:b.html"), "/o:ut/ab.html");
    EXPECT_EQ(CleanFileName("C:\\out\\a|b.html"), "C:\\out\\ab.html");
    EXPECT_EQ(CleanFileName("a?b.html"), "a?b.html");
}

TEST(PathNames, GetExtensionOfNames)
{
    EXPECT_EQ(GetExtension("/data/race.LAP"), "lap");
    EXPECT_EQ(GetExtension("\"/data/race.Csv\""), "csv");
    EXPECT_EQ(GetExtension("/data.d/race"), "");
    EXPECT_EQ(GetExtension("C:\\data.d\\race"), "");
    EXPECT_EQ(GetExtension("C:race"), "");
    EXPECT_EQ(GetExtension("LAP"), "lap");
    EXPECT_EQ(GetExtension(QStringLiteral("/data/race.ＬＡＰ")), "lap");
    EXPECT_EQ(GetExtension("/data/race."), "");
    EXPECT_EQ(GetExtension(""), "");
}

TEST_F(PathFiles, GetExtensionOfAnExistingFolderIsEmpty)
{
    ASSERT_TRUE(QDir(tempDir()).mkdir("results.lap"));
    EXPECT_EQ(GetExtension(tempPath("results.lap")), "");
    EXPECT_EQ(GetExtension(tempPath("results.lap") + "/"), "");
    EXPECT_EQ(GetExtension(tempPath("other.lap")), "lap");
}

TEST(RelativePaths, MakeRelative)
{
    EXPECT_EQ(MakeRelativePath("/data/race", "/data/race/"), "./");
    EXPECT_EQ(MakeRelativePath("/data/race/out", "/data/race"), "./out/");
    EXPECT_EQ(MakeRelativePath("/data/race/out/html/", "/data/race/"), "./out/html/");
    EXPECT_EQ(MakeRelativePath("/data/other", "/data/race/"), "../other/");
    EXPECT_EQ(MakeRelativePath("/data", "/data/race/x/"), "../../");
    EXPECT_EQ(MakeRelativePath("/home/u/", "/data/race/"), "../../home/u/");
    EXPECT_EQ(MakeRelativePath("C:\\data\\out", "C:\\data"), "./out/");
    // Letter case tells folders apart here.
    EXPECT_EQ(MakeRelativePath("/data/Race/out", "/data/race"), "../Race/out/");
    // No common component, or a network path: unchanged.
    EXPECT_EQ(MakeRelativePath("out/x", "/data/race"), "out/x");
    EXPECT_EQ(MakeRelativePath("D:\\out", "C:\\data"), "D:\\out");
    EXPECT_EQ(MakeRelativePath("//server/share/out", "//server/share"), "//server/share/out");
    EXPECT_EQ(MakeRelativePath("\\\\server\\out", "\\\\server"), "\\\\server\\out");
}

TEST(RelativePaths, Resolve)
{
    EXPECT_EQ(ResolveRelativePath("./", "/data/race"), "/data/race/");
    EXPECT_EQ(ResolveRelativePath("out", "/data/race/"), "/data/race/out/");
    EXPECT_EQ(ResolveRelativePath("./out/html", "/data/race"), "/data/race/out/html/");
    EXPECT_EQ(ResolveRelativePath("../other/", "/data/race/"), "/data/other/");
    EXPECT_EQ(ResolveRelativePath("..\\..\\x", "/data/race/"), "/x/");
    EXPECT_EQ(ResolveRelativePath("out/../x", "/data/race"), "/data/race/x/");
    EXPECT_EQ(ResolveRelativePath("../../../../x", "/data/race"), "/x/");  // stops at the root
    EXPECT_EQ(ResolveRelativePath(".\\out\\", "C:\\data"), "C:/data/out/");
    EXPECT_EQ(ResolveRelativePath("/abs/out", "/data/race"), "/abs/out");
    EXPECT_EQ(ResolveRelativePath("C:\\out", "/data/race"), "C:\\out");
    EXPECT_EQ(ResolveRelativePath("out", "//server/share"), "out");
    EXPECT_EQ(ResolveRelativePath(MakeRelativePath("/a/b/c", "/a/x/y"), "/a/x/y"), "/a/b/c/");
}

TEST_F(PathFiles, FileAndPathExistence)
{
    testsupport::writeCp932(tempPath("a.lap"), "x\n");
    EXPECT_TRUE(FileExists(tempPath("a.lap")));
    EXPECT_FALSE(FileExists(tempPath("missing.lap")));
    EXPECT_FALSE(FileExists(tempDir()));
    EXPECT_FALSE(FileExists(""));
    EXPECT_TRUE(PathExists(tempDir()));
    EXPECT_TRUE(PathExists(tempDir() + "/"));
    EXPECT_TRUE(PathExists(tempPath("a.lap")));
    EXPECT_FALSE(PathExists(tempPath("missing")));
    EXPECT_FALSE(PathExists(""));
    EXPECT_TRUE(PathExists("/"));
}

TEST_F(PathFiles, ReadTextLinesSplitsAtCrLfOnly)
{
    const QString path = tempPath("lines.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("A,\x93\x8c\x8b\x9e\r\nb\nc\r\n\r\nd\r\n");  // 東京 in CP932
    file.close();
    const std::optional<QStringList> lines = ReadTextLines(path);
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, QStringList({QStringLiteral("A,東京"), "b\nc", "", "d", ""}));

    testsupport::writeCp932(path, "", false);
    ASSERT_TRUE(ReadTextLines(path));
    EXPECT_TRUE(ReadTextLines(path)->isEmpty());
    EXPECT_FALSE(ReadTextLines(tempPath("missing.txt")));
}

TEST_F(PathFiles, WriteTextFileAtomicReplacesOnlyOnSuccess)
{
    const QString path = tempPath("out.csv");
    ASSERT_TRUE(WriteTextFileAtomic(path, QStringLiteral("東京\r\n")));
    EXPECT_EQ(testsupport::readBytes(path), QByteArray("\x93\x8c\x8b\x9e\r\n"));
    ASSERT_TRUE(WriteTextFileAtomic(path, "b"));
    EXPECT_EQ(testsupport::readBytes(path), QByteArray("b"));
    EXPECT_EQ(QDir(tempDir()).entryList(QDir::Files), QStringList({"out.csv"}));  // no leftovers

    EXPECT_FALSE(WriteTextFileAtomic(tempPath("missing/out.csv"), "x"));
    EXPECT_FALSE(WriteTextFileAtomic("", "x"));
    ASSERT_TRUE(QDir(tempDir()).mkdir("folder.csv"));
    EXPECT_FALSE(WriteTextFileAtomic(tempPath("folder.csv"), "x"));
    EXPECT_TRUE(QFileInfo(tempPath("folder.csv")).isDir());
    EXPECT_EQ(testsupport::readBytes(path), QByteArray("b"));
}

// A write cut short (the file size limit here, a full disk at an event) fails and keeps the
// old file whole.
TEST_F(PathFiles, WriteFileBytesCutShortKeepsTheOldFile)
{
    const QString path = tempPath("race.lap");
    ASSERT_TRUE(WriteFileBytes(path, "old"));
    EXPECT_FALSE(testsupport::underFileSizeLimit(
        8, [&path] { return WriteFileBytes(path, QByteArray(100, 'x')); }));
    EXPECT_EQ(testsupport::readBytes(path), QByteArray("old"));
    EXPECT_EQ(QDir(tempDir()).entryList(QDir::Files), QStringList({"race.lap"}));
}

// A save never replaces what is not a regular file: a link is followed, a pipe is written into.
TEST_F(PathFiles, WriteFileBytesKeepsLinksAndSpecialFiles)
{
    const QString real = tempPath("real.csv");
    const QString link = tempPath("link.csv");
    ASSERT_TRUE(WriteFileBytes(real, "old"));
    ASSERT_TRUE(QFile::link(real, link));
    ASSERT_TRUE(WriteFileBytes(link, "new"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(testsupport::readBytes(real), QByteArray("new"));
    // A link to a file not there yet creates that file and keeps the link.
    const QString dangling = tempPath("dangling.csv");
    ASSERT_TRUE(QFile::link(tempPath("later.csv"), dangling));
    ASSERT_TRUE(WriteTextFileAtomic(dangling, "x"));
    EXPECT_TRUE(QFileInfo(dangling).isSymLink());
    EXPECT_EQ(testsupport::readBytes(tempPath("later.csv")), QByteArray("x"));

    const QByteArray fifo = QFile::encodeName(tempPath("pipe.csv"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    // A reader that does not block, so the writer can open the pipe at once.
    const int reader = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_TRUE(WriteTextFileAtomic(tempPath("pipe.csv"), QStringLiteral("東京")));
    char buffer[16] = {};
    const ssize_t got = ::read(reader, buffer, sizeof buffer);
    ::close(reader);
    EXPECT_EQ(QByteArray(buffer, got > 0 ? int(got) : 0), QByteArray("\x93\x8c\x8b\x9e"));
    struct stat status {};
    ASSERT_EQ(::stat(fifo.constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
}

// A regular file that already holds the bytes keeps its inode and time stamps; anything else
// is written: other bytes, another length, a new file, and a link (whose file is replaced as
// it always was).
TEST_F(PathFiles, WriteFileIfChangedLeavesTheSameBytesAlone)
{
    const QString path = tempPath("page.htm");
    const QString link = tempPath("link.htm");
    ASSERT_TRUE(QFile::link(path, link));
    const struct {
        const char* target;
        QByteArray bytes;
        FileWrite outcome;
    } writes[] = {
        {"page.htm", "<html>", FileWrite::Written}, {"page.htm", "<html>", FileWrite::Unchanged},
        {"page.htm", "<htmL>", FileWrite::Written}, {"page.htm", "<html>>", FileWrite::Written},
        {"page.htm", "", FileWrite::Written},       {"page.htm", "", FileWrite::Unchanged},
        {"link.htm", "", FileWrite::Written},       {"missing/x.htm", "x", FileWrite::NotCreated},
    };
    for (const auto& write : writes) {
        const OutputKeys::FileStamp before = OutputKeys::StampOf(path);
        EXPECT_EQ(WriteFileIfChanged(tempPath(write.target), write.bytes), write.outcome)
            << write.target << " " << write.bytes.constData();
        if (write.outcome == FileWrite::NotCreated) continue;
        EXPECT_EQ(testsupport::readBytes(path), write.bytes);
        EXPECT_EQ(OutputKeys::StampOf(path) == before, write.outcome == FileWrite::Unchanged)
            << write.target << " " << write.bytes.constData();
    }
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QDir(tempDir()).entryList(QDir::Files | QDir::Hidden).size(), 2);  // no leftovers
}

// Writes that fail say why, never wait on a pipe, and never follow a link out of their folder.
TEST_F(PathFiles, WriteFailuresNameTheirReason)
{
    ASSERT_TRUE(QDir().mkpath(tempPath("out/sub")) && QDir().mkpath(tempPath("elsewhere")));
    testsupport::writeCp932(tempPath("out/plain"), "x");
    testsupport::writeCp932(tempPath("elsewhere/victim.htm"), "keep");
    ASSERT_TRUE(QFile::link(tempPath("elsewhere/victim.htm"), tempPath("out/escape.htm")));
    ASSERT_TRUE(QFile::link("sub/inside.htm", tempPath("out/inside.htm")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(tempPath("out/pipe.htm")).constData(), 0600), 0);
    const struct {
        QString path;
        FileWrite outcome;
        FileProblem problem;
    } cases[] = {
        {tempPath("missing/x.htm"), FileWrite::NotCreated, FileProblem::NoFolder},
        {tempPath("out/sub"), FileWrite::NotCreated, FileProblem::IsFolder},
        {tempPath("out/plain/x.htm"), FileWrite::NotCreated, FileProblem::NotAFolder},
        {tempPath("out/") + QString(300, u'n'), FileWrite::NotCreated, FileProblem::NameTooLong},
        // A link is followed only to a file in its own folder.
        {tempPath("out/escape.htm"), FileWrite::NotCreated, FileProblem::LinkLeavesFolder},
        {tempPath("out/inside.htm"), FileWrite::Written, FileProblem::None},
        // Nobody reads the pipe: refused at once instead of waiting for a reader.
        {tempPath("out/pipe.htm"), FileWrite::NotCreated, FileProblem::SpecialFile},
        {QStringLiteral("/dev/full"), FileWrite::Broken, FileProblem::NoSpace},
    };
    alarm(20);  // a write that waits ends the test here
    for (const auto& c : cases) {
        EXPECT_EQ(WriteFileIfChanged(c.path, "new"), c.outcome) << c.path.toStdString();
        EXPECT_EQ(LastWriteError().problem, c.problem) << c.path.toStdString();
    }
    alarm(0);
    EXPECT_EQ(testsupport::readBytes(tempPath("elsewhere/victim.htm")), QByteArray("keep"));
    EXPECT_EQ(testsupport::readBytes(tempPath("out/sub/inside.htm")), QByteArray("new"));
    // The user's own files follow any link.
    EXPECT_TRUE(WriteFileBytes(tempPath("out/escape.htm"), "mine", LinkRule::FollowAny));
    EXPECT_EQ(testsupport::readBytes(tempPath("elsewhere/victim.htm")), QByteArray("mine"));
    EXPECT_FALSE(testsupport::underFileSizeLimit(
        8, [this] { return WriteFileBytes(tempPath("out/big.htm"), QByteArray(100, 'x')); }));
    EXPECT_EQ(SaveFailureMessage(tempPath("out/big.htm"), LastWriteError()),
              "ファイルを保存できませんでした: " + tempPath("out/big.htm") + " (ファイルが大きすぎます)");
    EXPECT_EQ(FolderWriteProblem(tempPath("out")).problem, FileProblem::None);
    EXPECT_EQ(FolderWriteProblem(tempPath("out/plain")).problem, FileProblem::NotAFolder);
}
