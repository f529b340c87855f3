#include "shell/desktopentry.h"

#include <QFile>
#include <QTextStream>

namespace DesktopEntry {

namespace {

// The characters that must be escaped with "\" inside a quoted Exec argument.
bool NeedsArgumentEscape(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
           c == QLatin1Char('\\');
}

// The escapes of a string value: "\s", "\n", "\t", "\r", "\\".
QString UnescapeValue(const QString& value)
{
    QString out;
    for (int i = 0; i < value.size(); ++i) {
        if (value[i] != QLatin1Char('\\') || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const QChar e = value[++i];
        if (e == QLatin1Char('s'))
            out += QLatin1Char(' ');
        else if (e == QLatin1Char('n'))
            out += QLatin1Char('\n');
        else if (e == QLatin1Char('t'))
            out += QLatin1Char('\t');
        else if (e == QLatin1Char('r'))
            out += QLatin1Char('\r');
        else if (e == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        else
            out += QLatin1Char('\\') + QString(e);  // not a value escape: left for the Exec rules
    }
    return out;
}

QString EscapeValue(const QString& value)
{
    QString out = value;
    out.replace(QLatin1String("\\"), QLatin1String("\\\\"));
    out.replace(QLatin1String("\n"), QLatin1String("\\n"));
    out.replace(QLatin1String("\t"), QLatin1String("\\t"));
    out.replace(QLatin1String("\r"), QLatin1String("\\r"));
    return out;
}

}  // namespace

QString ExecLine(const QString& programPath)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : programPath) {
        if (NeedsArgumentEscape(c)) quoted += QLatin1Char('\\');
        quoted += c == QLatin1Char('%') ? QStringLiteral("%%") : QString(c);
    }
    quoted += QLatin1Char('"');
    return EscapeValue(quoted) + QStringLiteral(" %f");
}

QStringList ExecArguments(const QString& exec)
{
    const QString line = UnescapeValue(exec);
    QStringList args;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('%') && i + 1 < line.size() && line[i + 1] == QLatin1Char('%')) {
            current += line[++i];  // "%%" is a literal "%"
        } else if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < line.size() && NeedsArgumentEscape(line[i + 1])) {
                current += line[++i];
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                current += c;
            }
        } else if (c == QLatin1Char(' ')) {
            if (inArgument) args.append(current);
            current.clear();
            inArgument = false;
            continue;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else {
            current += c;
        }
        inArgument = true;
    }
    if (inArgument) args.append(current);
    return args;
}

QString ReadKey(const QString& path, const QString& key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    QTextStream in(&file);  // desktop entries are UTF-8
    bool inEntryGroup = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntryGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inEntryGroup) continue;
        const int at = line.indexOf(QLatin1Char('='));
        if (at > 0 && line.left(at).trimmed() == key) return line.mid(at + 1).trimmed();
    }
    return QString();
}

}  // namespace DesktopEntry
