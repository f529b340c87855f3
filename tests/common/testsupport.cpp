#include "common/testsupport.h"

#include "race/race.h"
#include "race/racedocument.h"
#include "race/textcodec.h"

#include <QDir>
#include <QFile>

#include <csignal>

#include <sys/resource.h>

namespace testsupport {

bool underFileSizeLimit(long limit, const std::function<bool()>& fn)
{
    rlimit saved{};
    if (getrlimit(RLIMIT_FSIZE, &saved) != 0) return false;
    rlimit tiny = saved;
    tiny.rlim_cur = static_cast<rlim_t>(limit);
    void (*previous)(int) = std::signal(SIGXFSZ, SIG_IGN);
    const bool limited = setrlimit(RLIMIT_FSIZE, &tiny) == 0;
    const bool result = limited && fn();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    return result;
}

QString dataPath(const QString& name) { return QStringLiteral(SPLITDUEL_TEST_DATA "/") + name; }

QString examplePath(const QString& name) { return QStringLiteral(SPLITDUEL_EXAMPLES "/") + name; }

QString realDataPath(const QString& name)
{
    QString path = QStringLiteral(SPLITDUEL_REAL_DATA "/") + name;
    return QFile::exists(path) ? path : QString();
}

void writeCp932(const QString& path, const QString& text, bool crlf)
{
    QString t = text;
    if (crlf) t.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(TextCodec::toCp932(t));
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

QString readCp932(const QString& path) { return TextCodec::fromCp932(readBytes(path)); }

}  // namespace testsupport

RaceDocument& testDocument()
{
    static RaceDocument document;
    return document;
}

Race& testRace()
{
    return testDocument().raceToFill();
}

void RaceTest::SetUp()
{
    testDocument().resetRace();
    ASSERT_TRUE(dir_.isValid());
}
