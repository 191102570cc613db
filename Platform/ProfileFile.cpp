#include "Platform/ProfileFile.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <string_view>
#include <vector>

#include "Platform/AtomicFile.h"
#include "Platform/Paths.h"
#include "Platform/Strings.h"

namespace Platform {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// The file is kept as raw lines so that every line we do not change is
// written back byte for byte, whatever its encoding or line ending.
struct Line {
  std::string text;
  std::string eol;  // "\n", "\r\n" or "" for a last line without one
};

struct Document {
  std::string bom;
  std::vector<Line> lines;
};

Document Parse(std::string_view bytes) {
  Document doc;
  if (bytes.substr(0, kBom.size()) == kBom) {
    doc.bom = kBom;
    bytes.remove_prefix(kBom.size());
  }
  while (!bytes.empty()) {
    const size_t nl = bytes.find('\n');
    Line line;
    if (nl == std::string_view::npos) {
      line.text = bytes;
      bytes = {};
    } else {
      line.text = bytes.substr(0, nl);
      line.eol = "\n";
      bytes.remove_prefix(nl + 1);
      if (!line.text.empty() && line.text.back() == '\r') {
        line.text.pop_back();
        line.eol = "\r\n";
      }
    }
    doc.lines.push_back(std::move(line));
  }
  return doc;
}

std::string Serialize(const Document& doc) {
  std::string bytes = doc.bom;
  for (const auto& line : doc.lines) bytes += line.text + line.eol;
  return bytes;
}

std::string_view TrimBlanks(std::string_view s) {
  const size_t begin = s.find_first_not_of(" \t\r");
  if (begin == std::string_view::npos) return {};
  return s.substr(begin, s.find_last_not_of(" \t\r") - begin + 1);
}

// "[Name]" (blanks allowed around the line and the name).
bool ParseSection(std::string_view text, std::string_view& name) {
  text = TrimBlanks(text);
  if (text.empty() || text.front() != '[') return false;
  const size_t close = text.find(']');
  if (close == std::string_view::npos) return false;
  name = TrimBlanks(text.substr(1, close - 1));
  return true;
}

// "Key=Value"; comment lines (';') and lines without '=' are no keys.
bool ParseKey(std::string_view text, std::string_view& key, std::string_view& value) {
  text = TrimBlanks(text);
  if (text.empty() || text.front() == ';' || text.front() == '[') return false;
  const size_t eq = text.find('=');
  if (eq == std::string_view::npos) return false;
  key = TrimBlanks(text.substr(0, eq));
  value = TrimBlanks(text.substr(eq + 1));
  return !key.empty();
}

// Where a section and a key sit in the document (the first of each when the
// file repeats them).
struct Location {
  bool sectionFound = false;
  size_t sectionEnd = 0;  // index of the line after the section's last line
  size_t header = 0;
  bool keyFound = false;
  size_t keyLine = 0;
};

Location Find(const Document& doc, const std::wstring& section, const std::wstring& key) {
  Location at;
  for (size_t i = 0; i < doc.lines.size(); ++i) {
    std::string_view name;
    if (ParseSection(doc.lines[i].text, name)) {
      if (at.sectionFound) {
        at.sectionEnd = i;
        return at;
      }
      if (EqualsNoCase(Utf8ToWide(name), section)) {
        at.sectionFound = true;
        at.header = i;
      }
      continue;
    }
    std::string_view k, v;
    if (at.sectionFound && !at.keyFound && ParseKey(doc.lines[i].text, k, v) && EqualsNoCase(Utf8ToWide(k), key)) {
      at.keyFound = true;
      at.keyLine = i;
    }
  }
  at.sectionEnd = doc.lines.size();
  return at;
}

// The trimmed value of section/key; false when either is absent or the file
// cannot be read (a missing file reads as an empty one).
bool Lookup(const std::wstring& section, const std::wstring& key, const std::wstring& file, std::wstring& value) {
  std::string bytes;
  if (!ReadWholeFile(ToPath(file), bytes)) return false;
  const Document doc = Parse(bytes);
  const Location at = Find(doc, section, key);
  if (!at.keyFound) return false;
  std::string_view k, v;
  ParseKey(doc.lines[at.keyLine].text, k, v);
  value = Utf8ToWide(v);
  return true;
}

bool HasLineBreak(const std::wstring& s) { return s.find_first_of(L"\r\n") != std::wstring::npos; }

}  // namespace

int CountProfileLinesNotRead(const std::wstring& file) {
  std::string bytes;
  if (!ReadWholeFile(ToPath(file), bytes)) return 0;
  int count = 0;
  for (const Line& line : Parse(bytes).lines) {
    const std::string_view text = TrimBlanks(line.text);
    std::string_view a, b;
    const bool read = text.empty() || text.front() == ';' || ParseSection(text, a) || ParseKey(text, a, b);
    if (!read || text.find('\0') != std::string_view::npos) ++count;
  }
  return count;
}

int GetPrivateProfileIntW(const std::wstring& section, const std::wstring& key, int def, const std::wstring& file) {
  std::wstring value;
  if (!Lookup(section, key, file, value)) return def;
  size_t i = 0;
  bool negative = false;
  if (i < value.size() && (value[i] == L'+' || value[i] == L'-')) negative = value[i++] == L'-';
  // Clamped at the int limits rather than wrapping.
  long long magnitude = 0;
  for (; i < value.size() && value[i] >= L'0' && value[i] <= L'9'; ++i)
    magnitude = std::min(magnitude * 10 + (value[i] - L'0'), 1LL << 32);
  const long long result = negative ? -magnitude : magnitude;
  return static_cast<int>(std::clamp<long long>(result, INT_MIN, INT_MAX));
}

size_t GetPrivateProfileStringW(const std::wstring& section, const std::wstring& key, const std::wstring& def,
                                std::wstring& out, size_t size, const std::wstring& file) {
  std::wstring value;
  if (!Lookup(section, key, file, value)) value = def;
  out = size == 0 ? std::wstring() : value.substr(0, size - 1);
  return out.size();
}

int WritePrivateProfileStringW(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                               const std::wstring& file) {
  // Texts that the line format cannot hold would corrupt the file or read
  // back as something else: nothing is written then.
  if (key.empty() || key.find(L'=') != std::wstring::npos || section.find(L']') != std::wstring::npos ||
      HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value))
    return 0;

  const std::filesystem::path path = ToPath(file);
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) {
    // Only a file that is not there starts empty; one that exists but cannot
    // be read must not be replaced.
    std::error_code ec;
    if (std::filesystem::symlink_status(path, ec).type() != std::filesystem::file_type::not_found) return 0;
    bytes.clear();
  }
  Document doc = Parse(bytes);
  const std::string eol = !doc.lines.empty() && doc.lines.front().eol == "\r\n" ? "\r\n" : "\n";
  const Location at = Find(doc, section, key);
  const std::string utf8Value = WideToUtf8(value);

  if (at.keyFound) {
    // The key keeps its spelling in the file; only the value changes.
    Line& line = doc.lines[at.keyLine];
    std::string_view k, v;
    ParseKey(line.text, k, v);
    line.text = std::string(k) + "=" + utf8Value;
  } else if (at.sectionFound) {
    // After the section's last non-blank line, so that a blank line before
    // the next section stays where it was.
    size_t insertAt = at.header + 1;
    for (size_t i = at.header + 1; i < at.sectionEnd; ++i)
      if (!TrimBlanks(doc.lines[i].text).empty()) insertAt = i + 1;
    if (doc.lines[insertAt - 1].eol.empty()) doc.lines[insertAt - 1].eol = eol;
    doc.lines.insert(doc.lines.begin() + static_cast<std::ptrdiff_t>(insertAt), Line{WideToUtf8(key) + "=" + utf8Value, eol});
  } else {
    if (!doc.lines.empty() && doc.lines.back().eol.empty()) doc.lines.back().eol = eol;
    doc.lines.push_back(Line{"[" + WideToUtf8(section) + "]", eol});
    doc.lines.push_back(Line{WideToUtf8(key) + "=" + utf8Value, eol});
  }
  return WriteFileAtomically(path, Serialize(doc)) ? 1 : 0;
}

}  // namespace Platform
