#pragma once
// Path operations. Paths written by the program use "/"; every operation that splits a path
// also accepts "\", so folders typed Windows-style in scripts and settings still work.
#include <QString>
#include <QStringList>

#include <optional>

namespace CbasGeneral {

bool FileExists(const QString& path);   // a readable file; false for folders, never throws
bool PathExists(const QString& path);   // a file or folder (one trailing separator ignored)
QString AddPathSeparator(const QString& path);     // appends "/" unless it ends in "/" or "\"
QString RemovePathSeparator(const QString& path);
QString GetFileName(const QString& path);
QString GetFolderName(const QString& path);
QString GetExtension(const QString& path);  // lower case, half-width, without the dot
QString CleanFileName(const QString& path);
QString MakeRelativePath(const QString& folder, const QString& baseFolder);
QString ResolveRelativePath(const QString& relativeFolder, const QString& baseFolder);

// The whole file decoded from CP932 and split at every CR LF (a final CR LF gives a last empty
// element); no value when the file does not exist.
std::optional<QStringList> ReadTextLines(const QString& path);

// Writes the text as CP932 through a temporary file in the target folder that is renamed over
// the target only when complete, so a failed write never destroys an existing file.
bool WriteTextFileAtomic(const QString& path, const QString& text);

}  // namespace CbasGeneral
