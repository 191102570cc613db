#pragma once
// Folders and names that the entry function settles at start-up and every
// part of the game reads afterwards.
#include <string>

// The install folder (the current folder after the folder rule at start-up).
extern std::wstring gInstallPath;
// The per-user data folder (logs, game.ini, Users, progressInfo), no
// trailing separator.
extern std::wstring gUserDataPath;
// The settings file's name inside gUserDataPath ("game.ini").
extern std::wstring gIniFileName;
