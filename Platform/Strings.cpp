#include "Platform/Strings.h"

#include <algorithm>

namespace Platform {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// A character that can be encoded: inside the Unicode range and not a
// surrogate (wchar_t is signed on Linux, so negative values land here too).
char32_t ValidOrReplacement(wchar_t w) {
  auto c = static_cast<char32_t>(w);
  if (c > 0x10FFFF || IsSurrogate(c)) return kReplacement;
  return c;
}

// Encodes every character of a wide string with `append` (out, code
// point); characters that cannot be encoded become the replacement.
template <class Out, class Append>
Out EncodeWide(std::wstring_view wide, Append append) {
  Out out;
  out.reserve(wide.size());
  for (wchar_t w : wide) append(out, ValidOrReplacement(w));
  return out;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
  } else {
    out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
    out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  }
}

bool IsDelimiter(wchar_t c, std::wstring_view delimiters) { return delimiters.find(c) != std::wstring_view::npos; }

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

// Each part of a split path is cut to 259 characters, so that it always fits
// a name field of 260 with its terminator.
constexpr size_t kMaxPathComponent = 259;

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) {
  std::wstring out;
  out.reserve(utf8.size());
  const size_t n = utf8.size();
  size_t i = 0;
  while (i < n) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      out += static_cast<wchar_t>(lead);
      ++i;
      continue;
    }
    // Length and allowed range of the second byte for each lead byte; the
    // narrowed ranges reject overlong forms, surrogates and values past U+10FFFF.
    int trail = 0;
    char32_t cp = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      trail = 1;
      cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      trail = 2;
      cp = lead & 0x0F;
      if (lead == 0xE0) lo = 0xA0;
      if (lead == 0xED) hi = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      trail = 3;
      cp = lead & 0x07;
      if (lead == 0xF0) lo = 0x90;
      if (lead == 0xF4) hi = 0x8F;
    } else {
      out += static_cast<wchar_t>(kReplacement);
      ++i;
      continue;
    }
    size_t j = i + 1;
    bool ok = true;
    for (int k = 0; k < trail; ++k, ++j) {
      if (j >= n) {
        ok = false;
        break;
      }
      const auto c = static_cast<unsigned char>(utf8[j]);
      if (c < (k == 0 ? lo : 0x80) || c > (k == 0 ? hi : 0xBF)) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (c & 0x3F);
    }
    // A broken sequence becomes one replacement character; decoding resumes
    // at the byte that broke it.
    out += static_cast<wchar_t>(ok ? cp : kReplacement);
    i = j;
  }
  return out;
}

std::string WideToUtf8(std::wstring_view wide) { return EncodeWide<std::string>(wide, AppendUtf8); }

std::wstring Utf16ToWide(const std::u16string_view units) {
  std::wstring out;
  out.reserve(units.size());
  for (size_t i = 0; i < units.size(); ++i) {
    const char16_t u = units[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      const char32_t c = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      out += static_cast<wchar_t>(c);
      ++i;
    } else if (IsSurrogate(u)) {
      out += static_cast<wchar_t>(kReplacement);
    } else {
      out += static_cast<wchar_t>(u);
    }
  }
  return out;
}

std::u16string WideToUtf16(std::wstring_view wide) { return EncodeWide<std::u16string>(wide, AppendUtf16); }

wchar_t ToLowerAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

std::wstring ToLowerAscii(std::wstring_view s) {
  std::wstring out(s);
  for (auto& c : out) c = ToLowerAscii(c);
  return out;
}

std::string ToLowerAscii(std::string_view s) {
  std::string out(s);
  for (auto& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

int CompareNoCase(std::wstring_view a, std::wstring_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const wchar_t x = ToLowerAscii(a[i]), y = ToLowerAscii(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) { return a.size() == b.size() && CompareNoCase(a, b) == 0; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (ToLowerAscii(static_cast<wchar_t>(static_cast<unsigned char>(a[i]))) !=
        ToLowerAscii(static_cast<wchar_t>(static_cast<unsigned char>(b[i]))))
      return false;
  return true;
}

size_t FindNoCase(std::wstring_view haystack, std::wstring_view needle, size_t pos) {
  if (pos > haystack.size() || needle.size() > haystack.size() - pos) return std::wstring::npos;
  for (size_t i = pos; i + needle.size() <= haystack.size(); ++i)
    if (EqualsNoCase(haystack.substr(i, needle.size()), needle)) return i;
  return std::wstring::npos;
}

void SplitString(std::wstring_view text, std::wstring_view delimiters, std::vector<std::wstring>& out) {
  out.clear();
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsDelimiter(text[i], delimiters)) ++i;
    const size_t start = i;
    while (i < text.size() && !IsDelimiter(text[i], delimiters)) ++i;
    // Empty only when the text ended in delimiters: that gives the one empty
    // word at the end.
    out.emplace_back(text.substr(start, i - start));
  }
}

void SplitPath(std::wstring_view path, std::wstring* drive, std::wstring* directory, std::wstring* name,
               std::wstring* extension) {
  std::wstring_view drivePart;
  if (path.size() >= 2 && path[1] == L':') {
    drivePart = path.substr(0, 2);
    path.remove_prefix(2);
  }
  const size_t lastSeparator = path.find_last_of(L"\\/");
  const size_t fileStart = lastSeparator == std::wstring_view::npos ? 0 : lastSeparator + 1;
  const std::wstring_view directoryPart = path.substr(0, fileStart);
  const std::wstring_view filePart = path.substr(fileStart);
  const size_t dot = filePart.rfind(L'.');
  const std::wstring_view namePart = dot == std::wstring_view::npos ? filePart : filePart.substr(0, dot);
  const std::wstring_view extensionPart = dot == std::wstring_view::npos ? std::wstring_view() : filePart.substr(dot);

  auto put = [](std::wstring* target, std::wstring_view part) {
    if (target) target->assign(part.substr(0, kMaxPathComponent));
  };
  put(drive, drivePart);
  put(directory, directoryPart);
  put(name, namePart);
  put(extension, extensionPart);
}

std::wstring DataNameKey(std::wstring_view name) {
  std::wstring key = ToLowerAscii(name);
  for (wchar_t& c : key)
    if (c == L'\\') c = L'/';
  return key;
}

std::wstring Trim(std::wstring_view s) {
  size_t begin = 0, end = s.size();
  while (begin < end && IsBlank(s[begin])) ++begin;
  while (end > begin && IsBlank(s[end - 1])) --end;
  return std::wstring(s.substr(begin, end - begin));
}

}  // namespace Platform
