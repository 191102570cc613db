#pragma once
// Folders of the running game: the install folder (where DataLoc/config.xml
// is found) and the per-user data folder (logs, game.ini, Users/, progressInfo).
// Paths are absolute; nothing depends on the current folder after start-up.
#include <filesystem>
#include <string>
#include <vector>

namespace Platform {

// Folder of the running executable (from /proc/self/exe).
std::filesystem::path GetExecutableFolder();

// The install folder rule: the current folder when it holds
// DataLoc/config.xml (matched ignoring case), else the executable's folder.
// The chosen folder becomes the current one.
std::filesystem::path ChooseInstallFolder();

// $XDG_DATA_HOME (default ~/.local/share) / maker folder / saveDir, each
// level created when missing; an empty saveDir stops at the maker folder.
// Both names stay below the base: '\' separates folders as in the data, and
// a ".." component is refused. Empty path when it cannot be created.
// SetUserDataRootForTests replaces the XDG base (tests point it at a
// temporary folder).
std::filesystem::path MakeUserDataFolder(const std::wstring& makerFolder, const std::wstring& saveDir);
void SetUserDataRootForTests(const std::filesystem::path& root);

// Regular files directly inside folder whose extension equals ext
// (".dat", matched ignoring case), sorted by name.
std::vector<std::filesystem::path> ListFiles(const std::filesystem::path& folder, const std::wstring& ext);

// base / relative with each component of relative ('\' or '/' separated)
// matched ignoring ASCII case (an exact match wins); empty when missing.
std::filesystem::path FindPathNoCase(const std::filesystem::path& base, std::wstring_view relative);

// Best effort: pins the calling thread to the first processor. Threads it
// starts afterwards inherit the pin, so call it once the other threads run.
bool PinThreadToFirstProcessor();

// Path <-> wide string (paths are UTF-8 bytes on Linux).
std::filesystem::path ToPath(std::wstring_view wide);
std::wstring FromPath(const std::filesystem::path& path);

}  // namespace Platform
