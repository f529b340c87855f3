#include "config/registry.h"

#include "race/pathutil.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <vector>

namespace CbasWinAPI {

namespace {

// The store mirrors a registry export: one "[ROOT\key\path]" section per key, parents
// included, followed by its values as "name"="text" lines ("@" for the default value).
struct RegistryValue {
    QString name;
    QString text;
};
struct RegistryKey {
    QString path;  // "HKEY_LOCAL_MACHINE\SOFTWARE\Brackwater"
    std::vector<RegistryValue> values;
};
using RegistryStore = std::vector<RegistryKey>;

QString RootName(RegistryRoot root)
{
    switch (root) {
        case RegistryRoot::ClassesRoot:
            return QStringLiteral("HKEY_CLASSES_ROOT");
        case RegistryRoot::CurrentUser:
            return QStringLiteral("HKEY_CURRENT_USER");
        case RegistryRoot::LocalMachine:
            return QStringLiteral("HKEY_LOCAL_MACHINE");
    }
    return QString();
}

// The key path with its root, one "\" between parts, empty parts dropped.
QStringList KeyParts(RegistryRoot root, const QString& keyPath)
{
    QStringList parts{RootName(root)};
    for (const QString& part : keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts)) {
        parts.append(part);
    }
    return parts;
}

bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString Quote(const QString& text)
{
    QString out = text;
    out.replace(QLatin1String("\\"), QLatin1String("\\\\"));
    out.replace(QLatin1String("\""), QLatin1String("\\\""));
    out.replace(QLatin1String("\r"), QLatin1String("\\r"));
    out.replace(QLatin1String("\n"), QLatin1String("\\n"));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

// Reads a quoted text starting at pos (at the opening quote); pos ends after the closing quote.
bool Unquote(const QString& line, int& pos, QString& text)
{
    if (pos >= line.size() || line[pos] != QLatin1Char('"')) return false;
    text.clear();
    for (++pos; pos < line.size(); ++pos) {
        const QChar c = line[pos];
        if (c == QLatin1Char('"')) {
            ++pos;
            return true;
        }
        if (c == QLatin1Char('\\') && pos + 1 < line.size()) {
            const QChar e = line[++pos];
            text += e == QLatin1Char('n') ? QChar('\n') : e == QLatin1Char('r') ? QChar('\r') : e;
        } else {
            text += c;
        }
    }
    return false;
}

bool ParseValueLine(const QString& line, RegistryValue& value)
{
    int pos = 0;
    if (line.startsWith(QLatin1String("@="))) {
        value.name.clear();
        pos = 1;
    } else {
        if (!Unquote(line, pos, value.name) || pos >= line.size()) return false;
        if (line[pos] != QLatin1Char('=')) return false;
    }
    ++pos;
    return Unquote(line, pos, value.text);
}

RegistryStore LoadStore()
{
    RegistryStore store;
    const QStringList lines =
        CbasGeneral::ReadTextLines(RegistryFilePath()).value_or(QStringList());
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            store.push_back({line.mid(1, line.size() - 2), {}});
            continue;
        }
        RegistryValue value;
        if (!store.empty() && ParseValueLine(line, value)) store.back().values.push_back(value);
    }
    return store;
}

void SaveStore(const RegistryStore& store)
{
    QString text;
    for (const RegistryKey& key : store) {
        text += QLatin1Char('[') + key.path + QLatin1String("]\r\n");
        for (const RegistryValue& value : key.values) {
            const QString name = value.name.isEmpty() ? QStringLiteral("@") : Quote(value.name);
            text += name + QLatin1Char('=') + Quote(value.text) + QLatin1String("\r\n");
        }
    }
    const QString path = RegistryFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    // A failed write is skipped silently.
    CbasGeneral::WriteTextFileAtomic(path, text, CbasGeneral::LinkRule::FollowAny);
}

RegistryKey* FindKey(RegistryStore& store, const QString& path)
{
    for (RegistryKey& key : store) {
        if (SameName(key.path, path)) return &key;
    }
    return nullptr;
}

// The key, created with its missing parents.
RegistryKey& EnsureKey(RegistryStore& store, RegistryRoot root, const QString& keyPath)
{
    const QStringList parts = KeyParts(root, keyPath);
    RegistryKey* key = nullptr;
    for (int n = 2; n <= parts.size(); ++n) {
        const QString path = parts.mid(0, n).join(QLatin1Char('\\'));
        key = FindKey(store, path);
        if (!key) {
            store.push_back({path, {}});
            key = &store.back();
        }
    }
    if (!key) {  // a key path without parts: the root itself
        key = FindKey(store, parts.first());
        if (!key) {
            store.push_back({parts.first(), {}});
            key = &store.back();
        }
    }
    return *key;
}

}  // namespace

QString RegistryFilePath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("Brackwater/SplitDuel.conf"));
}

void CreateRegistryKey(RegistryRoot root, const QString& keyPath)
{
    RegistryStore store = LoadStore();
    const size_t before = store.size();
    EnsureKey(store, root, keyPath);
    if (store.size() != before) SaveStore(store);
}

void SetRegistryString(RegistryRoot root, const QString& keyPath, const QString& valueName,
                       const QString& text)
{
    RegistryStore store = LoadStore();
    RegistryKey& key = EnsureKey(store, root, keyPath);
    for (RegistryValue& value : key.values) {
        if (SameName(value.name, valueName)) {
            value.text = text;
            SaveStore(store);
            return;
        }
    }
    key.values.push_back({valueName, text});
    SaveStore(store);
}

QString RegistryString(RegistryRoot root, const QString& keyPath, const QString& valueName,
                       bool* found)
{
    if (found) *found = false;
    RegistryStore store = LoadStore();
    const RegistryKey* key = FindKey(store, KeyParts(root, keyPath).join(QLatin1Char('\\')));
    if (!key) return QString();
    for (const RegistryValue& value : key->values) {
        if (SameName(value.name, valueName)) {
            if (found) *found = true;
            return value.text;
        }
    }
    return QString();
}

bool RegistryKeyExists(RegistryRoot root, const QString& keyPath)
{
    RegistryStore store = LoadStore();
    return FindKey(store, KeyParts(root, keyPath).join(QLatin1Char('\\'))) != nullptr;
}

}  // namespace CbasWinAPI
