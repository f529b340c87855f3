#include "race/outputkeys.h"

#include "race/pathutil.h"
#include "race/prompts.h"
#include "race/textcodec.h"
#include "race/version.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringList>
#include <QUrl>

#include <algorithm>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace OutputKeys {

namespace {

const QString FormatLine = QStringLiteral("SplitDuel output keys 1");
constexpr int KeyBytes = 16;
// A key file is a few hundred lines; anything far larger is not one of ours.
constexpr qint64 LargestKeyFile = 16 * 1024 * 1024;

qint64 nanoseconds(const timespec& t)
{
    return static_cast<qint64>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

FileStamp stampOf(const struct stat& status)
{
    FileStamp stamp;
    stamp.size = status.st_size;
    stamp.modifiedNs = nanoseconds(status.st_mtim);
    stamp.changedNs = nanoseconds(status.st_ctim);
    stamp.device = static_cast<qint64>(status.st_dev);
    stamp.inode = static_cast<qint64>(status.st_ino);
    return stamp;
}

bool parseNumber(const QString& text, qint64& value)
{
    bool ok = false;
    value = text.toLongLong(&ok);
    return ok;
}

}  // namespace

KeyBuilder::KeyBuilder()
    : hash_(std::make_unique<QCryptographicHash>(QCryptographicHash::Blake2b_256))
{
}

void KeyBuilder::part(char kind, const char* data, qsizetype size)
{
    const qint64 length = size;
    hash_->addData(QByteArrayView(&kind, 1));
    hash_->addData(QByteArrayView(reinterpret_cast<const char*>(&length), sizeof length));
    hash_->addData(QByteArrayView(data, size));
}

KeyBuilder& KeyBuilder::add(const QString& text)
{
    part('s', reinterpret_cast<const char*>(text.constData()), text.size() * 2);
    return *this;
}

KeyBuilder& KeyBuilder::add(const QByteArray& bytes)
{
    part('b', bytes.constData(), bytes.size());
    return *this;
}

KeyBuilder& KeyBuilder::add(qint64 number)
{
    part('i', reinterpret_cast<const char*>(&number), sizeof number);
    return *this;
}

KeyBuilder& KeyBuilder::add(double number)
{
    part('d', reinterpret_cast<const char*>(&number), sizeof number);
    return *this;
}

QByteArray KeyBuilder::key() const
{
    return hash_->result().left(KeyBytes);
}

QByteArray ProgramKey()
{
    static const QByteArray key = [] {
        KeyBuilder builder;
        builder.add(ProgramVersion::Text()).add(QString::fromLatin1(qVersion()));
        struct stat status {};
        if (::stat("/proc/self/exe", &status) == 0) {
            const FileStamp program = stampOf(status);
            builder.add(program.size)
                .add(program.modifiedNs)
                .add(program.device)
                .add(program.inode);
        } else {
            // Without a way to tell builds apart, no two runs share their keys.
            builder.add(QByteArray(__DATE__ __TIME__)).add(static_cast<qint64>(::getpid()));
        }
        return builder.key();
    }();
    return key;
}

bool FileStamp::operator==(const FileStamp& other) const
{
    return size == other.size && modifiedNs == other.modifiedNs && changedNs == other.changedNs &&
           device == other.device && inode == other.inode;
}

FileStamp StampOf(const QString& path)
{
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return FileStamp();
    return stampOf(status);
}

KeyFolder::KeyFolder(const QString& folder)
    : folder_(QDir::cleanPath(QDir(folder.isEmpty() ? QStringLiteral(".") : folder).absolutePath()))
{
    read();
}

QString KeyFolder::entryName(const QString& path) const
{
    const QFileInfo info(path);
    if (QDir::cleanPath(info.absolutePath()) != folder_) return QString();
    return info.fileName();
}

void KeyFolder::read()
{
    const QString path = folder_ + QLatin1Char('/') + QLatin1String(KeyFileName);
    // Only a regular file is read: opening a pipe would wait for a writer.
    if (!QFileInfo(path).isFile()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > LargestKeyFile) return;
    const QStringList lines = TextCodec::fromCp932(file.readAll()).split(QStringLiteral("\r\n"));
    if (lines.size() < 2 || lines.first() != FormatLine || !lines.last().isEmpty()) return;
    for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
        const QStringList fields = lines[i].split(QLatin1Char(' '));
        Entry entry;
        entry.key = QByteArray::fromHex(fields.value(0).toLatin1());
        const QString name =
            fields.size() == 7 ? QUrl::fromPercentEncoding(fields[6].toLatin1()) : QString();
        const bool ok = fields.size() == 7 && entry.key.size() == KeyBytes &&
                        fields[0].size() == 2 * KeyBytes && !name.isEmpty() &&
                        parseNumber(fields[1], entry.stamp.size) &&
                        parseNumber(fields[2], entry.stamp.modifiedNs) &&
                        parseNumber(fields[3], entry.stamp.changedNs) &&
                        parseNumber(fields[4], entry.stamp.device) &&
                        parseNumber(fields[5], entry.stamp.inode) && entry.stamp.size >= 0;
        if (!ok) {
            previous_.clear();  // one damaged line and nothing in the file is trusted
            return;
        }
        previous_.insert(name, entry);
    }
}

bool KeyFolder::current(const QString& path, const QByteArray& key) const
{
    const auto found = previous_.constFind(entryName(path));
    if (found == previous_.constEnd() || found->key != key) return false;
    const FileStamp stamp = StampOf(path);
    return stamp.size >= 0 && stamp == found->stamp;
}

void KeyFolder::record(const QString& path, const QByteArray& key)
{
    const QString name = entryName(path);
    if (name.isEmpty()) return;
    const FileStamp stamp = StampOf(path);
    if (stamp.size < 0) {
        recorded_.remove(name);
        return;
    }
    recorded_.insert(name, Entry{key, stamp});
}

void KeyFolder::save() const
{
    QHash<QString, Entry> entries = recorded_;
    for (auto it = previous_.constBegin(); it != previous_.constEnd(); ++it) {
        if (entries.contains(it.key())) continue;
        if (StampOf(folder_ + QLatin1Char('/') + it.key()) == it->stamp)
            entries.insert(it.key(), it.value());
    }
    const QString path = folder_ + QLatin1Char('/') + QLatin1String(KeyFileName);
    if (entries.isEmpty() && !QFileInfo::exists(path)) return;

    QStringList names = entries.keys();
    std::sort(names.begin(), names.end());
    QString text = FormatLine + QStringLiteral("\r\n");
    for (const QString& name : names) {
        const Entry& entry = entries[name];
        const QStringList fields{QString::fromLatin1(entry.key.toHex()),
                                 QString::number(entry.stamp.size),
                                 QString::number(entry.stamp.modifiedNs),
                                 QString::number(entry.stamp.changedNs),
                                 QString::number(entry.stamp.device),
                                 QString::number(entry.stamp.inode),
                                 QString::fromLatin1(QUrl::toPercentEncoding(name))};
        text += fields.join(QLatin1Char(' ')) + QStringLiteral("\r\n");
    }
    const CbasGeneral::FileWrite outcome =
        CbasGeneral::WriteFileIfChanged(path, TextCodec::toCp932(text));
    if (outcome == CbasGeneral::FileWrite::Written || outcome == CbasGeneral::FileWrite::Unchanged)
        return;
    // Every later run makes every file again: said once in a run of the program for the folder,
    // since a script writes its keys after each command.
    static QSet<QString> told;
    if (told.contains(path)) return;
    told.insert(path);
    Prompts::message(QStringLiteral("出力の記録を保存できませんでした: ") +
                         CbasGeneral::PathWithReason(path, CbasGeneral::LastWriteError()) +
                         QStringLiteral("\n次回からもすべてのファイルを作り直します"),
                     Prompts::Icon::Exclamation);
}

}  // namespace OutputKeys
