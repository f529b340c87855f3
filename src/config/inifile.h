#pragma once
// A small key/value store kept in one text file (CP932, CR LF, one "key=value" per line; UTF-8
// with its byte-order mark instead once a key or value has no CP932 form, such as a race name
// or a folder in a script outside Japanese).
// The whole file is held in memory; a new key is appended to the file at once, a changed key
// reaches the file when Save rewrites it. Keys ignore letter case.
#include <QHash>
#include <QString>
#include <QStringList>

#include <stdexcept>

// Raised when FileName is set a second time on the same object.
struct IniFileError : std::runtime_error {
    static constexpr long FileNameSetTwice = 0x80040001L;
    IniFileError();
    long number = FileNameSetTwice;
    QString description() const;  // "FileName プロパティは１回のみ設定可能です。"
};

class IniFile {
public:
    IniFile() = default;
    ~IniFile();  // saves
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    QString FileName() const { return fileName_; }
    // Loads the file (creates it empty when missing). Allowed once per object; a second call
    // throws IniFileError and changes nothing.
    void setFileName(const QString& path);

    // The value of the key (trimmed), or empty for an unknown key.
    QString Item(const QString& key) const;
    // Stores the trimmed value under the trimmed key: a new key is appended to the file at
    // once, a changed key only marks the store for the next Save.
    void setItem(const QString& key, const QString& value);

    // Rewrites the whole file in key order when something changed; otherwise does nothing.
    void Save();

private:
    static bool SplitKeyValue(const QString& line, QString& key, QString& value);
    void appendLine(const QString& key, const QString& value);

    QString fileName_;
    QHash<QString, QString> values_;  // keyed by the case-folded key
    QStringList keyOrder_;            // keys as first seen
    bool changed_ = false;
    bool utf8_ = false;  // the file is UTF-8 (begins with the byte-order mark)
};
