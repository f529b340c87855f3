#pragma once
// The association of lap files (.lap) and automation scripts (.sda) with the program, made the
// freedesktop way: a shared-mime-info package and a desktop entry under $XDG_DATA_HOME, and the
// entry made the default application of both types.
#include <QString>

namespace FileAssociation {

// The two file types.
struct FileType {
    const char* extension;    // "lap"
    const char* mimeType;     // "application/x-splitduel-lapdata"
    const char* description;  // "ラップデータ"
};
extern const FileType LapData;
extern const FileType Automation;

// Name of the desktop entry written under $XDG_DATA_HOME/applications.
QString DesktopEntryName();
QString DesktopEntryPath();
QString MimePackagePath();

}  // namespace FileAssociation

// True when the start-up check has to offer the association: the setting "Kanrenduke" is not
// "False" and a .lap or a .sda file would not be opened by the running program
// (basSettings::ProgramPath()).
bool AssociationNeedsAsking();

// Writes the MIME package and the desktop entry for basSettings::ProgramPath(), refreshes the
// MIME database and makes the entry the default for both types. Failures are skipped silently;
// the next start simply asks again.
void RegisterFileAssociations();
