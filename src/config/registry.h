#pragma once
// Services of the desktop shell: the registry replacement, special folders and the program
// that opens a file.
#include <QString>

namespace CbasWinAPI {

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine };

// There is no registry on this platform: keys and their string values are kept in
// $XDG_CONFIG_HOME/Brackwater/SplitDuel.conf (default ~/.config). Nothing in the program reads
// them back, and a store that cannot be written is skipped silently.
QString RegistryFilePath();
// Creates the key and its parents when missing ("SOFTWARE\Brackwater\SplitDuel").
void CreateRegistryKey(RegistryRoot root, const QString& keyPath);
// Creates the key when missing and stores the text under the value name (empty = the key's
// default value).
void SetRegistryString(RegistryRoot root, const QString& keyPath, const QString& valueName,
                       const QString& text);
// The stored text, or no text when the key or value is missing (tests and diagnostics).
QString RegistryString(RegistryRoot root, const QString& keyPath, const QString& valueName,
                       bool* found = nullptr);
bool RegistryKeyExists(RegistryRoot root, const QString& keyPath);

// The special folders, by the ids the desktop shell gives them.
enum class SpecialFolder { Desktop = 0, Documents = 5 };
// The user's desktop or documents folder; empty when the platform has none.
QString SpecialFolderPath(SpecialFolder folder);

// The full path of the program the desktop would open this existing file with, found through
// its MIME type's default application (xdg-mime) and that application's desktop entry; empty
// when there is none.
QString FindAssociatedProgram(const QString& file);

}  // namespace CbasWinAPI
