#include "Logic/LogicXmlRead.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Platform/Strings.h"

namespace logicxml {
namespace {

const wchar_t* const kSource = L"Source/Logic/LogicXmlRead";

std::string_view Trimmed(const char* text) {
  std::string_view s(text);
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  return s;
}

bool IsWholeInt(const char* text) {
  const std::string_view s = Trimmed(text);
  int32_t value = 0;
  const auto result = std::from_chars(s.data(), s.data() + s.size(), value);
  return result.ec == std::errc() && result.ptr == s.data() + s.size();
}

bool IsWholeFloat(const char* text) {
  const std::string_view s = Trimmed(text);
  double value = 0.0;
  const auto result = std::from_chars(s.data(), s.data() + s.size(), value);
  return result.ec == std::errc() && result.ptr == s.data() + s.size() && std::isfinite(value) &&
         std::fabs(value) <= std::numeric_limits<float>::max();
}

void ReportNumber(const TiXmlElement* element, const TiXmlAttribute* attribute, const std::wstring& file) {
  const std::wstring tag = Tag(element);
  const std::wstring name = Platform::Utf8ToWide(attribute->Name());
  const std::wstring value = ValueUtf8(attribute);
  Error(kSource, __LINE__, L"Invalid number %s=\"%s\" in teg %s file %s", name.c_str(), value.c_str(), tag.c_str(),
        file.c_str());
}

}  // namespace

std::wstring Tag(const TiXmlElement* element) { return Platform::Utf8ToWide(element->Value()); }

std::wstring FileOf(const TiXmlElement* element) {
  const TiXmlDocument* document = element ? element->GetDocument() : nullptr;
  return document && document->Value() ? Platform::Utf8ToWide(document->Value()) : std::wstring();
}

bool TagIs(const TiXmlElement* element, const char* name) {
  return Platform::EqualsNoCase(std::string_view(element->Value()), std::string_view(name));
}

bool ReadText(const TiXmlElement* element, const char* name, std::wstring& out) {
  const TiXmlAttribute* attribute = FindUpper(element, name);
  if (!attribute) return false;
  out = ValueUtf8(attribute);
  return true;
}

bool ReadInt(const TiXmlElement* element, const char* name, const std::wstring& file, int32_t& out) {
  const TiXmlAttribute* attribute = FindUpper(element, name);
  if (!attribute) return false;
  if (!IsWholeInt(attribute->Value())) ReportNumber(element, attribute, file);
  out = IntValue(attribute);
  return true;
}

bool ReadFloat(const TiXmlElement* element, const char* name, const std::wstring& file, float& out) {
  const TiXmlAttribute* attribute = FindUpper(element, name);
  if (!attribute) return false;
  if (!IsWholeFloat(attribute->Value())) ReportNumber(element, attribute, file);
  out = FloatValue(attribute);
  return true;
}

void ReportUnknownChildren(const TiXmlElement* element, std::initializer_list<const char*> known,
                           const std::wstring& file) {
  for (const TiXmlElement* child = IterateChildrenElement(element, nullptr); child;
       child = child->NextSiblingElement()) {
    bool found = false;
    for (const char* name : known) found = found || TagIs(child, name);
    if (found) continue;
    const std::wstring tag = Tag(child);
    const std::wstring parent = Tag(element);
    Error(kSource, __LINE__, L"Unknown teg %s in teg %s file %s", tag.c_str(), parent.c_str(), file.c_str());
  }
}

}  // namespace logicxml
