#include "SaveInfo/ProfileStream.h"

#include <sys/types.h>

#include <bit>
#include <cstring>

#include "Engine/zorlog/Log.h"
#include "Platform/Strings.h"

namespace {

size_t UnitsOf(wchar_t c) { return static_cast<uint32_t>(c) > 0xFFFF ? 2 : 1; }

// Position of a character in UTF-16 code-unit order: characters above U+FFFF
// are written as surrogates (0xD800-0xDFFF), which sort below U+E000-U+FFFF.
uint32_t Utf16Rank(wchar_t c) {
  const uint32_t v = static_cast<uint32_t>(c);
  if (v < 0xD800) return v;
  if (v > 0xFFFF) return 0xD800 + (v - 0x10000);  // lead surrogate first, then trail
  return v + 0x100000;                            // U+E000-U+FFFF above every surrogate pair
}

}  // namespace

size_t Utf16Length(const std::wstring& text) {
  size_t units = 0;
  for (wchar_t c : text) units += UnitsOf(c);
  return units;
}

std::wstring CutToUtf16Units(const std::wstring& text, size_t maxUnits) {
  size_t units = 0;
  size_t keep = 0;
  while (keep < text.size() && units + UnitsOf(text[keep]) <= maxUnits) units += UnitsOf(text[keep++]);
  return text.substr(0, keep);
}

bool Utf16Less(const std::wstring& a, const std::wstring& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const uint32_t ra = Utf16Rank(a[i]);
    const uint32_t rb = Utf16Rank(b[i]);
    if (ra != rb) return ra < rb;
  }
  return a.size() < b.size();
}

bool ProfileWriter::PutU32(uint32_t value) {
  for (int i = 0; i < 4; ++i) mBytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  return true;
}

bool ProfileWriter::PutF32(float value) { return PutU32(std::bit_cast<uint32_t>(value)); }

bool ProfileWriter::PutCount(size_t count) { return PutU32(static_cast<uint32_t>(count)); }

bool ProfileWriter::PutText(const std::wstring& text, size_t fieldBytes) {
  const size_t fieldUnits = fieldBytes / 2;
  std::u16string units = Platform::WideToUtf16(text);
  if (units.size() + 1 > fieldUnits) {
    zuzorev::LogMessage(zuzorev::ELogLevel::Warning, L"Source/SaveInfo/ProfileStream", __LINE__,
                        L"Profile text too long for its field of %d characters, cut: %s",
                        static_cast<int>(fieldUnits - 1), text.c_str());
    units = Platform::WideToUtf16(CutToUtf16Units(text, fieldUnits - 1));
  }
  units.resize(fieldUnits, u'\0');
  for (char16_t unit : units) {
    mBytes.push_back(static_cast<char>(unit & 0xFF));
    mBytes.push_back(static_cast<char>(unit >> 8));
  }
  return true;
}

ProfileReader::ProfileReader(std::FILE* file) : mFile(file) {
  if (!mFile) return;
  const off_t start = ::ftello(mFile);
  if (start < 0 || ::fseeko(mFile, 0, SEEK_END) != 0) return;
  const off_t end = ::ftello(mFile);
  if (::fseeko(mFile, start, SEEK_SET) != 0) return;
  if (end > start) mLeft = static_cast<uint64_t>(end - start);
}

bool ProfileReader::GetBytes(void* out, size_t size) {
  if (!mFile || size > mLeft) {
    mLeft = 0;
    return false;
  }
  if (std::fread(out, 1, size, mFile) != size) {
    mLeft = 0;
    return false;
  }
  mLeft -= size;
  return true;
}

bool ProfileReader::GetU32(uint32_t& value) {
  unsigned char bytes[4];
  if (!GetBytes(bytes, sizeof bytes)) return false;
  value = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
          static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
  return true;
}

bool ProfileReader::GetI32(int32_t& value) {
  uint32_t raw = 0;
  if (!GetU32(raw)) return false;
  value = static_cast<int32_t>(raw);
  return true;
}

bool ProfileReader::GetF32(float& value) {
  uint32_t raw = 0;
  if (!GetU32(raw)) return false;
  value = std::bit_cast<float>(raw);
  return true;
}

bool ProfileReader::GetText(std::wstring& text, size_t fieldBytes) {
  unsigned char bytes[kPlayerNameField];
  if (fieldBytes > sizeof bytes || !GetBytes(bytes, fieldBytes)) return false;
  std::u16string units;
  for (size_t i = 0; i + 1 < fieldBytes; i += 2) {
    const char16_t unit = static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
    if (unit == 0) {
      text = Platform::Utf16ToWide(units);
      return true;
    }
    units.push_back(unit);
  }
  return false;  // no terminator inside the field
}

bool ProfileReader::GetCount(size_t& count, size_t minElementBytes) {
  int32_t stored = 0;
  if (!GetI32(stored)) return false;
  if (stored <= 0) {
    count = 0;
    return true;
  }
  if (minElementBytes > 0 && static_cast<uint64_t>(stored) > mLeft / minElementBytes) return false;
  count = static_cast<size_t>(stored);
  return true;
}
