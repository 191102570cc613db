#include "Engine/TinyXmlExt/TinyXmlExt.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>
#include <vector>

#include "Engine/zorfile/FileSystem.h"
#include "Engine/zorlog/Log.h"
#include "Platform/Strings.h"

namespace {

// NUL bytes after the text handed to TinyXML (a UTF-8 sequence is at most
// four bytes long; TinyXML also accepts the old six-byte forms).
constexpr size_t kParsePadding = 8;

bool NameIs(const TiXmlElement* element, const char* name) {
  return Platform::EqualsNoCase(std::string_view(element->Value()), std::string_view(name));
}

// Skips the blanks atoi and atof skip.
const char* SkipBlanks(const char* p) {
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\f' || *p == '\v') ++p;
  return p;
}

// True when the text ends before its root element is closed: inside a
// comment, declaration, tag or quoted value, or with elements still open.
// A well-formed text without any element is not cut: it is empty; an end
// tag that closes another element than the open one is a fault of its own.
bool EndsBeforeRootCloses(const std::string& text) {
  std::vector<std::string> open;
  size_t i = 0;
  const auto nameAt = [&text](size_t from) {
    size_t end = from;
    while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end])) && text[end] != '>' &&
           text[end] != '/')
      ++end;
    return text.substr(from, end - from);
  };
  const auto skipPast = [&text, &i](const char* end) {
    const size_t found = text.find(end, i);
    if (found == std::string::npos) return false;
    i = found + std::char_traits<char>::length(end);
    return true;
  };
  while ((i = text.find('<', i)) != std::string::npos) {
    if (text.compare(i, 4, "<!--") == 0) {
      if (!skipPast("-->")) return true;
    } else if (text.compare(i, 9, "<![CDATA[") == 0) {
      if (!skipPast("]]>")) return true;
    } else if (text.compare(i, 2, "<?") == 0) {
      if (!skipPast("?>")) return true;
    } else if (text.compare(i, 2, "<!") == 0) {
      if (!skipPast(">")) return true;
    } else if (text.compare(i, 2, "</") == 0) {
      const std::string name = nameAt(i + 2);
      if (!skipPast(">")) return true;
      if (open.empty() || open.back() != name) return false;
      open.pop_back();
      if (open.empty()) return false;
    } else {
      // A start tag: its end is the first '>' outside a quoted value.
      char quote = 0;
      size_t j = i + 1;
      for (; j < text.size(); ++j) {
        const char c = text[j];
        if (quote) {
          if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
          quote = c;
        } else if (c == '>') {
          break;
        }
      }
      if (j >= text.size()) return true;
      const bool empty = text[j - 1] == '/';
      const std::string name = nameAt(i + 1);
      i = j + 1;
      if (!empty) open.push_back(name);
      else if (open.empty()) return false;
    }
  }
  return !open.empty();
}

}  // namespace

TiXmlElement* FirstChildElementUpper(TiXmlNode* node, const char* name) {
  return IterateChildrenElementUpper(node, name, nullptr);
}

const TiXmlElement* FirstChildElementUpper(const TiXmlNode* node, const char* name) {
  return IterateChildrenElementUpper(node, name, nullptr);
}

TiXmlElement* IterateChildrenElementUpper(TiXmlNode* node, const char* name, TiXmlElement* prev) {
  return const_cast<TiXmlElement*>(
      IterateChildrenElementUpper(static_cast<const TiXmlNode*>(node), name, static_cast<const TiXmlElement*>(prev)));
}

const TiXmlElement* IterateChildrenElementUpper(const TiXmlNode* node, const char* name, const TiXmlElement* prev) {
  if (!node || !name) return nullptr;
  for (const TiXmlElement* e = IterateChildrenElement(node, prev); e; e = e->NextSiblingElement())
    if (NameIs(e, name)) return e;
  return nullptr;
}

TiXmlElement* IterateChildrenElement(TiXmlNode* node, TiXmlElement* prev) {
  return const_cast<TiXmlElement*>(
      IterateChildrenElement(static_cast<const TiXmlNode*>(node), static_cast<const TiXmlElement*>(prev)));
}

const TiXmlElement* IterateChildrenElement(const TiXmlNode* node, const TiXmlElement* prev) {
  if (!node) return nullptr;
  return prev ? prev->NextSiblingElement() : node->FirstChildElement();
}

const TiXmlElement* RootElementUpper(const TiXmlDocument& document, const char* name) {
  const TiXmlElement* root = document.RootElement();
  return root && name && NameIs(root, name) ? root : nullptr;
}

const TiXmlAttribute* FindUpper(const TiXmlElement* element, const char* name) {
  if (!element || !name) return nullptr;
  for (const TiXmlAttribute* a = element->FirstAttribute(); a; a = a->Next())
    if (Platform::EqualsNoCase(std::string_view(a->Name()), std::string_view(name))) return a;
  return nullptr;
}

std::wstring ValueUtf8(const TiXmlAttribute* attribute) {
  if (!attribute) return std::wstring();
  return Platform::Utf8ToWide(attribute->Value());
}

int IntValue(const TiXmlAttribute* attribute) {
  if (!attribute) return 0;
  const char* p = SkipBlanks(attribute->Value());
  if (*p == '+') ++p;
  const char* end = p + std::char_traits<char>::length(p);
  int value = 0;
  const auto result = std::from_chars(p, end, value);
  // Digits followed by other text count as their number, as with atoi;
  // no digits or a number out of range count as 0.
  return result.ec == std::errc() ? value : 0;
}

float FloatValue(const TiXmlAttribute* attribute) {
  if (!attribute) return 0.0f;
  const char* p = SkipBlanks(attribute->Value());
  if (*p == '+') ++p;
  const char* end = p + std::char_traits<char>::length(p);
  // from_chars ignores the locale: "1.5" reads the same everywhere.
  double value = 0.0;
  const auto result = std::from_chars(p, end, value);
  if (result.ec != std::errc() || !std::isfinite(value)) return 0.0f;
  if (std::fabs(value) > std::numeric_limits<float>::max()) return 0.0f;
  return static_cast<float>(value);
}

uint32_t DwordValue(const TiXmlAttribute* attribute) {
  if (!attribute) return 0;
  const char* p = SkipBlanks(attribute->Value());
  const char* end = p + std::char_traits<char>::length(p);
  uint64_t value = 0;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
    const auto result = std::from_chars(p + 2, end, value, 16);
    if (result.ec != std::errc() || value > 0xFFFFFFFFu) return 0;
    return static_cast<uint32_t>(value);
  }
  bool negative = false;
  if (*p == '-' || *p == '+') negative = *p++ == '-';
  const auto result = std::from_chars(p, end, value);
  if (result.ec != std::errc()) return 0;
  if (negative) {
    // "-1" is the all-ones word, as a C cast from int would give.
    if (value > 0x80000000u) return 0;
    return static_cast<uint32_t>(0u - static_cast<uint32_t>(value));
  }
  if (value > 0xFFFFFFFFu) return 0;
  return static_cast<uint32_t>(value);
}

bool ParseXmlDocument(TiXmlDocument& document, const std::string& bytes) {
  document.Clear();
  document.ClearError();
  // TinyXML steps over a whole UTF-8 sequence by its lead byte, even when
  // the text ends inside it: a file cut in the middle of a character would
  // send it past the terminator. It reads from a copy that ends in more NUL
  // bytes than the longest sequence, so every step stops on one.
  std::string padded;
  padded.reserve(bytes.size() + kParsePadding);
  padded.append(bytes);
  padded.append(kParsePadding, '\0');
  // Unknown encoding lets TinyXML take UTF-8 from a byte-order mark or from
  // the declaration.
  document.Parse(padded.data(), nullptr, TIXML_DEFAULT_ENCODING);
  if (document.Error()) return false;
  // Well formed yet empty (a declaration or a comment only): refused like a
  // parse error, so that the document itself says why.
  if (!document.RootElement()) {
    document.SetError(TiXmlBase::TIXML_ERROR_DOCUMENT_EMPTY, nullptr, nullptr, TIXML_ENCODING_UNKNOWN);
    return false;
  }
  return true;
}

bool LoadXmlDocument(TiXmlDocument& document, const std::wstring& name, zorfile::CFileSystem* fs) {
  if (!fs) fs = zorfile::GetFileSystem();
  std::string bytes;
  if (!fs || !fs->ReadFile(name, bytes)) {
    document.Clear();
    document.ClearError();
    return false;
  }
  const bool ok = ParseXmlDocument(document, bytes);
  if (!ok && document.ErrorRow() <= 0 && EndsBeforeRootCloses(bytes)) {
    // Without a place the parser's reason for a cut file ("document empty",
    // a value it could not read) would send a reader looking in vain.
    zuzorev::LogMessage(zuzorev::ELogLevel::Error, L"Engine/TinyXmlExt", __LINE__,
                        L"XML file %s not parsed: the file ends before its root element is closed", name.c_str());
  } else if (!ok) {
    const std::wstring reason = Platform::Utf8ToWide(document.ErrorDesc());
    zuzorev::LogMessage(zuzorev::ELogLevel::Error, L"Engine/TinyXmlExt", __LINE__,
                        L"XML file %s not parsed: %s (line %d, column %d)", name.c_str(), reason.c_str(),
                        document.ErrorRow(), document.ErrorCol());
  }
  // The document's value names its file, for the callers' messages.
  document.SetValue(Platform::WideToUtf8(name).c_str());
  return ok;
}
