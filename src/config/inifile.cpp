#include "config/inifile.h"

#include "race/pathutil.h"
#include "race/textcodec.h"
#include "race/textutil.h"

#include <QFile>

namespace {

const char* const kFileNameSetTwice = "FileName プロパティは１回のみ設定可能です。";
const QString kLineEnd = QStringLiteral("\r\n");

QString keyOf(const QString& key)
{
    return key.toCaseFolded();
}

// A line break inside a key or value would split its line in two on the next load (and could
// smuggle in a key of its own), so line breaks are stored as blanks.
QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

// The lines of the file. CR LF, a lone LF (a file edited by hand here) and a lone CR all end a
// line, so no CR is ever left inside a value: a value reads the same however the file's lines
// end, also after the program has appended a key to it.
QStringList ReadLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QString text = TextCodec::fromCp932(file.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text.split(QLatin1Char('\n'));
}

}  // namespace

IniFileError::IniFileError() : std::runtime_error(kFileNameSetTwice)
{
}

QString IniFileError::description() const
{
    return QString::fromUtf8(kFileNameSetTwice);
}

IniFile::~IniFile()
{
    try {
        Save();
    } catch (...) {
        // A destructor must not throw; a failed final save leaves the file as it was.
    }
}

void IniFile::setFileName(const QString& path)
{
    if (!fileName_.isEmpty()) throw IniFileError();
    fileName_ = path;
    values_.clear();
    keyOrder_.clear();
    if (CbasGeneral::FileExists(path)) {
        for (const QString& line : ReadLines(path)) {
            QString key, value;
            // Lines without "=", blank lines and repeated keys (the first one wins) are skipped.
            if (!SplitKeyValue(line, key, value) || values_.contains(keyOf(key))) continue;
            values_.insert(keyOf(key), value);
            keyOrder_.append(key);
        }
    } else {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) file.close();
    }
    changed_ = false;
}

QString IniFile::Item(const QString& key) const
{
    return values_.value(keyOf(CbasGeneral::Trim(key)));
}

void IniFile::setItem(const QString& key, const QString& value)
{
    const QString k = oneLine(CbasGeneral::Trim(key));
    const QString v = oneLine(CbasGeneral::Trim(value));
    // A key cannot hold "=" (the line would be split there on loading) and cannot be empty.
    if (k.isEmpty() || k.contains(QLatin1Char('='))) return;
    auto found = values_.find(keyOf(k));
    if (found != values_.end()) {
        *found = v;
        changed_ = true;
        return;
    }
    values_.insert(keyOf(k), v);
    keyOrder_.append(k);
    appendLine(k, v);
}

void IniFile::Save()
{
    if (!changed_ || fileName_.isEmpty()) return;
    QString text;
    for (const QString& key : keyOrder_) {
        text += key + QLatin1Char('=') + values_.value(keyOf(key)) + kLineEnd;
    }
    // Written through a temporary file, so a failed write never leaves a truncated store.
    if (CbasGeneral::WriteTextFileAtomic(fileName_, text)) changed_ = false;
}

bool IniFile::SplitKeyValue(const QString& line, QString& key, QString& value)
{
    const int at = line.indexOf(QLatin1Char('='));
    if (at < 0) return false;
    key = CbasGeneral::Trim(line.left(at));
    value = CbasGeneral::Trim(line.mid(at + 1));
    return !key.isEmpty();
}

void IniFile::appendLine(const QString& key, const QString& value)
{
    if (fileName_.isEmpty()) return;
    QFile file(fileName_);
    // Errors while appending are ignored: the value is still kept in memory.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append)) return;
    QByteArray bytes;
    // A file edited by hand may lack its last line end; the new line must not join that line.
    if (file.size() > 0) {
        file.seek(file.size() - 1);
        if (file.read(1) != "\n") bytes += "\r\n";
    }
    bytes += TextCodec::toCp932(key + QLatin1Char('=') + value + kLineEnd);
    file.write(bytes);
    file.close();
}
