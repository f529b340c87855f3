#pragma once
// An advisory lock on a file, so that programs updating one shared file (several runs appending
// to one season file at the same moment) take turns: each holds the lock around its whole read,
// change and rename. The lock is the operating system's own: it ends with its process, so a run
// that is killed never leaves the file locked.
#include <QString>

namespace CbasGeneral {

class FileLock {
public:
    // Waits up to timeoutMs for the exclusive lock on the file at path (created when missing,
    // and left in place afterwards: removing it would let two runs lock different files).
    explicit FileLock(const QString& path, int timeoutMs = 60000);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool locked() const { return fd_ >= 0; }
    // Why the lock was not taken, in Japanese; empty when it was.
    const QString& failure() const { return failure_; }

private:
    int fd_ = -1;
    QString failure_;
};

}  // namespace CbasGeneral
