#pragma once
// Reads and writes single values of the player-side settings file game.ini
// (sections "Video" and "Game"). Callers build the path once with GetPath
// and pass it to each call; an empty path makes every call a no-op.
#include <string>

namespace Ini {

// gUserDataPath + "\" + gIniFileName; creates the file empty when absent.
std::wstring& GetPath(std::wstring& path);

int GetInt(const std::wstring& path, const std::wstring& section, const std::wstring& key, int def);
// Letters-only text reads 0.0 (no leading number); an empty value reads def.
float GetFloat(const std::wstring& path, const std::wstring& section, const std::wstring& key, float def);
// Fills out with at most 199 characters; leaves it alone for an empty path.
void GetString(const std::wstring& path, const std::wstring& section, const std::wstring& key, std::wstring& out,
               const std::wstring& def);

// 1 when written, 0 when nothing was written.
int SetInt(const std::wstring& path, const std::wstring& section, const std::wstring& key, int value);
// Written with six decimals in the C locale ("0.500000").
int SetFloat(const std::wstring& path, const std::wstring& section, const std::wstring& key, float value);
int SetString(const std::wstring& path, const std::wstring& section, const std::wstring& key,
              const std::wstring& value);

}  // namespace Ini
