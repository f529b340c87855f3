#pragma once
// The MIME type of a file name by the glob rules of the shared MIME database (the globs2 files
// of $XDG_DATA_HOME/mime and $XDG_DATA_DIRS/mime), read afresh on every call so that a database
// just updated is seen at once.
#include <QString>

namespace MimeGlobs {

// The type whose glob matches the name with the highest weight (then the longest glob, then
// the directory of higher priority); empty when no glob matches.
QString MimeTypeForFileName(const QString& fileName);

}  // namespace MimeGlobs
