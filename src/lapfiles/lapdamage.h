#pragma once
// Signs that a lap file was damaged after the program wrote it: a crash or a full disk during a
// copy leaves blocks of NUL bytes, an upload cut short leaves the file ending in the middle of
// a line. The reader takes such a file as far as it goes; these signs let it say so, so that a
// script does not publish half a race.
#include <QByteArray>
#include <QString>

namespace basConvert {

// Why the bytes of a lap file look damaged; empty when they do not. The program's lap files
// never hold a NUL byte and always end with a line end, so a NUL byte anywhere, or a last line
// without its line end that is no whole runner line (fewer fields than its column header, or a
// last field that is no whole time, "n/a", "→" or empty field), tells of damage. A file whose
// last runner line is whole but lacks the line end (saved by an editor) is not damaged.
QString LapFileDamage(const QByteArray& bytes);

}  // namespace basConvert
