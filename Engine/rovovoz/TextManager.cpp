#include "Engine/rovovoz/TextManager.h"

#include <algorithm>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/zorlog/Log.h"
#include "Platform/Strings.h"

namespace rovovoz {
namespace {

const wchar_t* const kSourceTag = L"Engine/rovovoz/TextManager";

void LogWarning(const std::wstring& text) {
  zuzorev::LogMessage(zuzorev::ELogLevel::Warning, kSourceTag, 0, L"%s", text.c_str());
}

// The text of an element: its text and CDATA children joined.
std::wstring ElementText(const TiXmlElement* element) {
  std::string utf8;
  for (const TiXmlNode* child = element->FirstChild(); child; child = child->NextSibling())
    if (const TiXmlText* text = child->ToText()) utf8 += text->Value();
  return Platform::Utf8ToWide(utf8);
}

// Reads one <Group>: false (with a warning) when it has no name.
bool ReadGroup(const TiXmlElement* element, const std::wstring& file, std::wstring& name,
               std::map<std::wstring, std::wstring>& texts) {
  const TiXmlAttribute* nameAttribute = FindUpper(element, "Name");
  if (!nameAttribute) {
    LogWarning(L"Text file " + file + L": a group without Name at line " + std::to_wstring(element->Row()) +
               L" is skipped");
    return false;
  }
  name = ValueUtf8(nameAttribute);
  for (const TiXmlElement* text = FirstChildElementUpper(element, "Text"); text;
       text = IterateChildrenElementUpper(element, "Text", text)) {
    const TiXmlAttribute* key = FindUpper(text, "Key");
    if (!key) {
      LogWarning(L"Text file " + file + L": a text without Key at line " + std::to_wstring(text->Row()) +
                 L" is skipped");
      continue;
    }
    // The first text of a key in a group wins, as across groups.
    texts.emplace(ValueUtf8(key), ElementText(text));
  }
  return true;
}

std::wstring Truncated(std::wstring value) {
  if (value.size() > SInitInfoFont::kMaxName) value.resize(SInitInfoFont::kMaxName);
  return value;
}

SInitInfoFont gDefInitFont;
SInitInfoText gDefInitText;

}  // namespace

void CTextManager::Release() {
  mRoots.clear();
  mGroups.clear();
}

void CTextManager::AddGroupRoot(const std::wstring& name) {
  if (std::find(mRoots.begin(), mRoots.end(), name) == mRoots.end()) mRoots.push_back(name);
}

bool CTextManager::Load(const std::wstring& file) {
  TiXmlDocument document;
  // A file that does not parse (or has no root element) is named, with the
  // reason, by the loader; a missing one by the caller.
  if (!LoadXmlDocument(document, file)) return false;
  const TiXmlElement* root = RootElementUpper(document, "Texts");
  if (!root) {
    LogWarning(L"Text file " + file + L" has no Texts root element");
    return false;
  }
  std::vector<Group> loaded;
  auto read = [&](const TiXmlElement* element) {
    Group group;
    if (ReadGroup(element, file, group.name, group.texts)) loaded.push_back(std::move(group));
  };
  for (const TiXmlElement* child = IterateChildrenElement(root, nullptr); child;
       child = IterateChildrenElement(root, child)) {
    const std::string_view kind(child->Value());
    if (Platform::EqualsNoCase(kind, std::string_view("Group"))) {
      read(child);
    } else if (Platform::EqualsNoCase(kind, std::string_view("Root"))) {
      const std::wstring rootName = ValueUtf8(FindUpper(child, "Name"));
      if (std::find(mRoots.begin(), mRoots.end(), rootName) == mRoots.end()) continue;
      for (const TiXmlElement* group = FirstChildElementUpper(child, "Group"); group;
           group = IterateChildrenElementUpper(child, "Group", group))
        read(group);
    }
  }
  for (Group& group : loaded) mGroups.push_back(std::move(group));
  return true;
}

std::wstring CTextManager::GetText(const std::wstring& key) const {
  for (const Group& group : mGroups) {
    auto it = group.texts.find(key);
    if (it != group.texts.end()) return it->second;
  }
  return std::wstring();
}

std::wstring CTextManager::GetText(const std::wstring& group, const std::wstring& key) const {
  for (const Group& g : mGroups) {
    if (g.name != group) continue;
    auto it = g.texts.find(key);
    if (it != g.texts.end()) return it->second;
  }
  return std::wstring();
}

void LoadDefaultInitFont(const TiXmlElement* element) {
  SInitInfoFont info;
  if (element) {
    auto text = [&](const char* name, std::wstring& field) {
      if (const TiXmlAttribute* a = FindUpper(element, name)) field = Truncated(ValueUtf8(a));
    };
    auto integer = [&](const char* name, int& field) {
      if (const TiXmlAttribute* a = FindUpper(element, name)) field = IntValue(a);
    };
    auto real = [&](const char* name, float& field) {
      if (const TiXmlAttribute* a = FindUpper(element, name)) field = FloatValue(a);
    };
    text("Name", info.Name);
    text("RenderName", info.RenderName);
    text("RenderNameShadow", info.RenderNameShadow);
    text("RenderNameEffect", info.RenderNameEffect);
    real("ScaleX", info.ScaleX);
    real("ScaleY", info.ScaleY);
    integer("IntervalX", info.IntervalX);
    integer("IntervalY", info.IntervalY);
    integer("Width", info.Width);
    integer("Height", info.Height);
    integer("Bold", info.Bold);
    if (const TiXmlAttribute* a = FindUpper(element, "MaxChar")) info.MaxChar = DwordValue(a);
    integer("Dynamic", info.Dynamic);
    integer("Resource", info.Resource);
    integer("ScaleRaster", info.ScaleRaster);
  }
  gDefInitFont = std::move(info);
}

void LoadDefaultInitText(const TiXmlElement* element) {
  SInitInfoText info;
  if (const TiXmlAttribute* a = FindUpper(element, "Group")) info.Group = ValueUtf8(a);
  gDefInitText = std::move(info);
}

const SInitInfoFont& GetDefInitFont() { return gDefInitFont; }
const SInitInfoText& GetDefInitText() { return gDefInitText; }

}  // namespace rovovoz
