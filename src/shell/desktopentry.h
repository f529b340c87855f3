#pragma once
// Desktop entry files (freedesktop.org): the Exec line that starts the program with a file, and
// reading one key of an entry.
#include <QString>
#include <QStringList>

namespace DesktopEntry {

// The value of the Exec key that starts the program with one file: the program path quoted
// (so blanks, quotes, "$" and "%" in it are kept) followed by the file code "%f".
QString ExecLine(const QString& programPath);

// The arguments of an Exec value, with its string escapes and quoting undone ("%%" becomes
// "%"; field codes are kept as they are).
QStringList ExecArguments(const QString& exec);

// The value of a key in the [Desktop Entry] group of the file as written (escapes kept); empty
// when the file or the key is missing.
QString ReadKey(const QString& path, const QString& key);

}  // namespace DesktopEntry
