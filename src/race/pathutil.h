#pragma once
// Path operations. Paths written by the program use "/"; every operation that splits a path
// also accepts "\", so folders typed Windows-style in scripts and settings still work.
#include "race/fileproblem.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace CbasGeneral {

bool FileExists(const QString& path);           // a readable file; false for folders, never throws
bool PathExists(const QString& path);           // a file or folder (one trailing separator ignored)
QString AddPathSeparator(const QString& path);  // appends "/" unless it ends in "/" or "\"
QString RemovePathSeparator(const QString& path);  // drops one trailing "/" or "\"
// The part after the last separator (after the last ":" when there is none; the whole text when
// there is neither), and the part up to and including it.
QString GetFileName(const QString& path);
QString GetFolderName(const QString& path);
// Lower case, half-width, without the dot; empty for a folder or a name without an extension.
// A bare word without dot or separator is taken as an extension itself ("LAP" gives "lap").
QString GetExtension(const QString& path);
// Removes : / | > < ' " from the file-name part and puts the folder part back in front.
QString CleanFileName(const QString& path);
// The folder relative to the base ("./", "../x/"), or the folder unchanged when they share no
// leading component (one relative, one absolute) or one is a network path ("//server",
// "\\server"). Components compare exactly: the file system tells letter case apart.
QString MakeRelativePath(const QString& folder, const QString& baseFolder);
// A relative folder ("./", "../x/", "sub") resolved against the base, ending in "/"; an absolute,
// drive-letter or network path comes back unchanged.
QString ResolveRelativePath(const QString& relativeFolder, const QString& baseFolder);

// The whole file decoded from CP932 and split at every CR LF (a final CR LF gives a last empty
// element); no value when the file does not exist.
std::optional<QStringList> ReadTextLines(const QString& path);

// How a write through WriteFileIfChanged went.
enum class FileWrite {
    Written,     // the new bytes are in place
    Unchanged,   // the regular file held exactly these bytes already: left alone, time included
    NotCreated,  // the file could not be created (missing folder, no permission, a folder)
    Broken,      // writing failed part way (disk full, folder removed); an old file is kept
};

// Which symbolic links a write follows. Output files follow a link only when the file it leads
// to lies in the folder of the link (or below it), so that a link planted in an output folder
// never turns a run into a write elsewhere. The user's own files (settings, a race saved where
// the user chose) follow any link, as a dotfile manager's links expect.
enum class LinkRule { StayInFolder, FollowAny };

// Writes the bytes through a temporary file in the target folder that is renamed over the
// target only when complete, so a failed write never destroys an existing file. A regular file
// that already holds the bytes is not touched, so that its time stamp tells when its content
// last changed (and upload tools send it no more). A symbolic link is followed as the rule says
// (the file it points to is replaced, the link stays). A pipe or character device (such as
// /dev/null) is written into, since a rename would replace it with a regular file; it is opened
// without waiting, so a pipe that nobody reads is refused at once instead of blocking the
// writer. A folder, a socket and a block device are never written. A write that fails leaves
// its reason in LastWriteError() (race/fileproblem.h).
FileWrite WriteFileIfChanged(const QString& path, const QByteArray& bytes,
                             LinkRule links = LinkRule::StayInFolder);
// WriteFileIfChanged: true when the bytes are in place, written or found there.
bool WriteFileBytes(const QString& path, const QByteArray& bytes,
                    LinkRule links = LinkRule::StayInFolder);
// The text as CP932 through WriteFileBytes.
bool WriteTextFileAtomic(const QString& path, const QString& text,
                         LinkRule links = LinkRule::StayInFolder);

// Whether the path, with every symbolic link of its folders resolved, lies inside the folder.
// A path that names a folder ("..", "x/.") does not. Scripts check the names they are given
// with it before writing.
bool StaysInFolder(const QString& folder, const QString& path);

// Why no file can be created in the folder (missing, not a folder, no permission, a full disk),
// found by creating and removing a small file; no problem when one can.
FileError FolderWriteProblem(const QString& folder);
// Why a write into the folder failed: LastWriteError(), or when that has nothing to say (a
// writer that does not go through this module), FolderWriteProblem.
FileError WriteErrorIn(const QString& folder);

}  // namespace CbasGeneral
