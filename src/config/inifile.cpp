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

const QByteArray kUtf8Mark = QByteArrayLiteral("\xEF\xBB\xBF");

// The bytes of a text in the file's encoding: CP932, or UTF-8 (the mark is written with the
// first line) once a text has no CP932 form, so that no name or path comes back as "?".
QByteArray Encoded(const QString& text, bool utf8)
{
    return utf8 ? text.toUtf8() : TextCodec::toCp932(text);
}

// The lines of the file. CR LF, a lone LF (a file edited by hand here) and a lone CR all end a
// line, so no CR is ever left inside a value: a value reads the same however the file's lines
// end, also after the program has appended a key to it. utf8 tells whether the file begins with
// the UTF-8 mark.
QStringList ReadLines(const QString& path, bool& utf8)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    utf8 = bytes.startsWith(kUtf8Mark);
    QString text =
        utf8 ? QString::fromUtf8(bytes.mid(kUtf8Mark.size())) : TextCodec::fromCp932(bytes);
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
    utf8_ = false;
    if (CbasGeneral::FileExists(path)) {
        for (const QString& line : ReadLines(path, utf8_)) {
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
    const bool utf8 = !TextCodec::fitsCp932(text);
    const QByteArray bytes = utf8 ? kUtf8Mark + Encoded(text, true) : Encoded(text, false);
    if (!CbasGeneral::WriteFileBytes(fileName_, bytes, CbasGeneral::LinkRule::FollowAny)) return;
    changed_ = false;
    utf8_ = utf8;
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
    const QString line = key + QLatin1Char('=') + value + kLineEnd;
    if (!utf8_ && !TextCodec::fitsCp932(line)) {
        // A CP932 file cannot take the line: the whole store is written again in UTF-8.
        changed_ = true;
        Save();
        return;
    }
    QFile file(fileName_);
    // Errors while appending are ignored: the value is still kept in memory.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append)) return;
    QByteArray bytes;
    // A file edited by hand may lack its last line end; the new line must not join that line.
    if (file.size() > 0) {
        file.seek(file.size() - 1);
        if (file.read(1) != "\n") bytes += "\r\n";
    }
    if (utf8_ && file.size() == 0) bytes += kUtf8Mark;
    bytes += Encoded(line, utf8_);
    file.write(bytes);
    file.close();
}
