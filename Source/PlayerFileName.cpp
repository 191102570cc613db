#include "PlayerFileName.h"

#include <string_view>

#include "Platform/Strings.h"
#include "SaveInfo/ProfileStream.h"

namespace {

bool NeedsEscape(wchar_t c, bool first) {
  if (c < 0x20 || c == 0x7F) return true;
  if (std::wstring_view(L"<>:\"/\\|?*%").find(c) != std::wstring_view::npos) return true;
  return c == L'.' && first;  // no hidden files, no "." or ".." of any kind
}

bool FitsNameField(wchar_t c) {
  const uint32_t v = static_cast<uint32_t>(c);
  return v != 0 && v <= 0x10FFFF && (v < 0xD800 || v > 0xDFFF);
}

}  // namespace

bool PlayerNameFits(const std::wstring& playerName) {
  if (playerName.empty() || Utf16Length(playerName) > kMaxPlayerNameUnits) return false;
  for (wchar_t c : playerName)
    if (!FitsNameField(c)) return false;
  return true;
}

std::wstring PlayerFileName(const std::wstring& playerName) {
  if (!PlayerNameFits(playerName)) return std::wstring();
  static const wchar_t kHex[] = L"0123456789ABCDEF";
  std::wstring file;
  for (size_t i = 0; i < playerName.size(); ++i) {
    const wchar_t c = playerName[i];
    if (NeedsEscape(c, i == 0)) {
      file += L'%';
      file += kHex[(c >> 4) & 0xF];
      file += kHex[c & 0xF];
    } else {
      file += c;
    }
  }
  file += L".dat";
  if (Platform::WideToUtf8(file).size() > kMaxPlayerFileNameBytes) return std::wstring();
  return file;
}
