#include "race/filelock.h"

#include "race/fileproblem.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace CbasGeneral {

FileLock::FileLock(const QString& path, int timeoutMs)
{
    const QByteArray name = QFile::encodeName(path);
    // A symbolic link under the lock's name is not followed: it could lead out of the folder.
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) {
        failure_ = QStringLiteral("ロックファイルを作成できません: ") +
                   PathWithReason(path, FileErrorFromErrno(errno));
        return;
    }
    // Polled rather than waited for, so that a run never waits longer than it was told to.
    const QDeadlineTimer deadline(timeoutMs);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK || errno == EINTR;
        if (!busy || deadline.hasExpired()) {
            failure_ = busy ? QStringLiteral("他の処理が使用中のまま終わりません: %1").arg(path)
                            : QStringLiteral("ファイルをロックできません: %1").arg(path);
            ::close(fd);
            return;
        }
        QThread::msleep(10);
    }
    fd_ = fd;
}

FileLock::~FileLock()
{
    if (fd_ >= 0) ::close(fd_);  // closing the last descriptor releases the lock
}

}  // namespace CbasGeneral
