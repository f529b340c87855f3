#pragma once
// What each output file of a folder was made from, so that a later run into the same folder
// can tell which files would come out the same and skip the work of making them again.
//
// A key is a hash of everything a file's content depends on. The keys of a folder live in one
// hidden file in it (KeyFileName): a first line naming the format, then one line per output
// file with its key and the size, times and inode the file had when it was written. A file is
// current only when the key of this run is the one recorded and the file is still exactly as it
// was written (nothing has written to, replaced, touched or removed it). A missing, unreadable
// or foreign key file, or one with a line that cannot be read, makes every file count as changed.
#include <QByteArray>
#include <QCryptographicHash>
#include <QHash>
#include <QString>

#include <memory>

namespace OutputKeys {

constexpr char KeyFileName[] = ".splitduel-keys";

// A key under construction. Every part is hashed with its kind and length, so that parts
// cannot run into each other ("ab" + "c" is not "a" + "bc").
class KeyBuilder {
public:
    KeyBuilder();
    KeyBuilder& add(const QString& text);
    KeyBuilder& add(const QByteArray& bytes);
    KeyBuilder& add(qint64 number);
    KeyBuilder& add(double number);  // its bits: -0 and 0 differ, as they may in a text
    KeyBuilder& add(bool flag) { return add(static_cast<qint64>(flag)); }
    KeyBuilder& add(int number) { return add(static_cast<qint64>(number)); }
    // 16 bytes; the builder can go on being added to.
    QByteArray key() const;

private:
    void part(char kind, const char* data, qsizetype size);
    std::unique_ptr<QCryptographicHash> hash_;  // held apart so that a builder can be moved
};

// The program itself as it enters every key: its version, the Qt library it runs on and the
// executable file (size, time, inode), so that a new build never trusts an older build's files.
QByteArray ProgramKey();

// The size, time stamps and place on disk of a file: equal only while nothing has changed it.
struct FileStamp {
    qint64 size = -1;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;  // the inode's change time, which no tool can set back
    qint64 device = 0;
    qint64 inode = 0;
    bool operator==(const FileStamp& other) const;
};
// The stamp of a regular file; none (size -1) for a missing file, a link or anything else.
FileStamp StampOf(const QString& path);

// The keys of one output folder for one run: read once, checked from any thread, recorded
// from one thread, and written back by save().
class KeyFolder {
public:
    explicit KeyFolder(const QString& folder);

    // Whether the file was made, in an earlier run, from inputs with this key and is still as
    // it was written. May be called from several threads at once (it reads only the keys read
    // from the folder).
    bool current(const QString& path, const QByteArray& key) const;
    // Notes that the file, as it now is on disk, holds what inputs with this key make.
    void record(const QString& path, const QByteArray& key);
    // Writes the key file: the files recorded in this run, and those of earlier runs that are
    // still as they were written. Left alone when nothing changed. A failure costs only work
    // done again next time; it is told once in a run of the program for each folder.
    void save() const;

private:
    struct Entry {
        QByteArray key;
        FileStamp stamp;
    };
    // The entry name of a path in this folder; empty for a path elsewhere.
    QString entryName(const QString& path) const;
    void read();

    QString folder_;  // absolute, without a trailing separator
    QHash<QString, Entry> previous_;
    QHash<QString, Entry> recorded_;
};

}  // namespace OutputKeys
