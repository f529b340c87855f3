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

// Special folder ids.
constexpr int FolderDesktop = 0;
constexpr int FolderDocuments = 5;
// The user's desktop (0) or documents (5) folder; empty for any other id or when the platform
// has none.
QString SpecialFolderPath(int id);

// The full path of the program the desktop would open this existing file with, found through
// its MIME type's default application (xdg-mime) and that application's desktop entry; empty
// when there is none.
QString FindAssociatedProgram(const QString& file);

}  // namespace CbasWinAPI
