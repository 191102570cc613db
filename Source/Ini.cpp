#include "Ini.h"

#include <cstdio>
#include <cwchar>

#include "AppPaths.h"
#include "Platform/Format.h"
#include "Platform/Paths.h"
#include "Platform/ProfileFile.h"

namespace Ini {

namespace {
// Read buffers, counting the terminator: a setting's text keeps at most 199
// characters, a number's text at most 259.
constexpr size_t kStringBuffer = 200;
constexpr size_t kFloatBuffer = 260;
}  // namespace

std::wstring& GetPath(std::wstring& path) {
  // Joined with '/', the separator of the real file system.
  path = Platform::FormatWide(L"%s/%s", gUserDataPath.c_str(), gIniFileName.c_str());
  if (std::FILE* f = std::fopen(Platform::ToPath(path).c_str(), "a+")) std::fclose(f);
  return path;
}

int GetInt(const std::wstring& path, const std::wstring& section, const std::wstring& key, int def) {
  if (path.empty()) return 0;
  return Platform::GetPrivateProfileIntW(section, key, def, path);
}

float GetFloat(const std::wstring& path, const std::wstring& section, const std::wstring& key, float def) {
  if (path.empty()) return 0.0f;
  std::wstring text;
  Platform::GetPrivateProfileStringW(section, key, L"", text, kFloatBuffer, path);
  if (text.empty()) return def;
  // wcstod follows the C locale, which the program never changes: a leading
  // decimal number or 0 when there is none.
  return static_cast<float>(std::wcstod(text.c_str(), nullptr));
}

void GetString(const std::wstring& path, const std::wstring& section, const std::wstring& key, std::wstring& out,
               const std::wstring& def) {
  if (path.empty()) return;
  std::wstring local;
  Platform::GetPrivateProfileStringW(section, key, def, local, kStringBuffer, path);
  out = local.substr(0, kStringBuffer - 1);
}

int SetInt(const std::wstring& path, const std::wstring& section, const std::wstring& key, int value) {
  if (path.empty()) return 0;
  return Platform::WritePrivateProfileStringW(section, key, std::to_wstring(value), path);
}

int SetFloat(const std::wstring& path, const std::wstring& section, const std::wstring& key, float value) {
  if (path.empty()) return 0;
  return Platform::WritePrivateProfileStringW(section, key, Platform::FormatWide(L"%f", static_cast<double>(value)),
                                              path);
}

int SetString(const std::wstring& path, const std::wstring& section, const std::wstring& key,
              const std::wstring& value) {
  if (path.empty()) return 0;
  return Platform::WritePrivateProfileStringW(section, key, value, path);
}

}  // namespace Ini
