#pragma once
// The program's one settings file "SplitDuel.ini" and the folders it depends on.
#include "config/inifile.h"
#include "race/version.h"

#include <QString>

namespace basSettings {

constexpr int MajorVersion = ProgramVersion::Major, MinorVersion = ProgramVersion::Minor;

// The running program (QCoreApplication::applicationFilePath()) unless a test has put another
// path in its place with OverrideProgramPath; an empty path restores the real one.
QString ProgramPath();
void OverrideProgramPath(const QString& path);
// The folder of ProgramPath().
QString ProgramFolder();

// The program folder, or $XDG_CONFIG_HOME/SplitDuel (default ~/.config/SplitDuel) when the
// program folder cannot be written or the program is installed under /usr (a system-wide
// install, even when run as root).
QString SettingsFolder();
// SettingsFolder()/SplitDuel.ini.
QString SettingsFilePath();

// The one settings store of the run. Before LoadSettings it is opened on the settings file
// without writing anything.
IniFile& SettingsFile();

// The value of the key in SettingsFolder()/SplitDuel.ini, read without creating or writing
// anything (for the command line); empty when there is no such file or key.
QString StoredSetting(const QString& key);

// The folder the output dialog wrote into last ("HtmlFolder", kept relative to the program's
// folder when it lies inside it); empty when none is kept. Setting it changes SettingsFile.
QString OutputFolder();
void SetOutputFolder(const QString& folder);

// Opens SettingsFile on SettingsFolder()/SplitDuel.ini; on the first run (no "Version" of at
// least 1) writes the print defaults; then records the current version and saves.
void LoadSettings();

// Which defaults WriteDefaultPrintSettings writes (the numbers it was called with before).
enum class DefaultSettings { Nothing = 0, SplitSheetPrint = 1 };

// SplitSheetPrint writes the 23 split-sheet print defaults in their fixed order; Nothing writes
// nothing.
void WriteDefaultPrintSettings(DefaultSettings mode);

// Saves and forgets the current SettingsFile (the program calls it with an empty folder before
// it ends, so the last changes reach the file) and makes SettingsFolder() answer the given
// folder (an empty folder restores the normal choice).
void ResetSettings(const QString& folder);

}  // namespace basSettings
