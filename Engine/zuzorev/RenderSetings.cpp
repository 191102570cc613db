#include "Engine/zuzorev/RenderSetings.h"

#include <initializer_list>
#include <utility>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/zorlog/Log.h"
#include "Platform/Strings.h"

namespace zuzorev {
namespace {

const wchar_t* const kSource = L"Engine/zuzorev/RenderSetings";

std::wstring Lower(const TiXmlAttribute* a) { return Platform::ToLowerAscii(ValueUtf8(a)); }

// Reads a word attribute (any letter case) as the value listed for it. A
// missing attribute leaves `out` as it is; another word is a problem.
template <class T>
bool ReadWord(const TiXmlElement* e, const char* name, std::initializer_list<std::pair<const wchar_t*, T>> words,
              T& out, std::wstring& problem) {
  const TiXmlAttribute* a = FindUpper(e, name);
  if (!a) return true;
  const std::wstring v = Lower(a);
  for (const auto& [word, value] : words) {
    if (v == word) {
      out = value;
      return true;
    }
  }
  problem = Platform::Utf8ToWide(name) + L" " + v;
  return false;
}

bool ParseSeting(const TiXmlElement* e, SRenderSeting& s, std::wstring& problem) {
  s.Name = ValueUtf8(FindUpper(e, "Name"));
  if (s.Name.empty()) {
    problem = L"setting without Name";
    return false;
  }
  if (!ReadWord(e, "Blend", {{L"none", EBlend::None}, {L"alpha", EBlend::Alpha}, {L"add", EBlend::Add}}, s.Blend,
                problem))
    return false;
  if (const TiXmlAttribute* a = FindUpper(e, "DepthTest")) s.DepthTest = IntValue(a) != 0;
  if (const TiXmlAttribute* a = FindUpper(e, "DepthWrite")) s.DepthWrite = IntValue(a) != 0;
  if (!ReadWord(e, "Cull", {{L"none", ECull::None}, {L"cw", ECull::Clockwise}, {L"ccw", ECull::CounterClockwise}},
                s.Cull, problem))
    return false;
  if (!ReadWord(e, "Filter", {{L"linear", true}, {L"point", false}}, s.Linear, problem)) return false;
  if (!ReadWord(e, "SecondTex",
                {{L"none", ESecondTex::None}, {L"modulate", ESecondTex::Modulate},
                 {L"multalpha", ESecondTex::MultiplyAlpha}},
                s.SecondTex, problem))
    return false;
  if (const TiXmlAttribute* a = FindUpper(e, "AlphaCut")) {
    int v = IntValue(a);
    s.AlphaCut = (v < 0 ? 0 : v > 255 ? 255 : v) / 255.0f;
  }
  if (const TiXmlAttribute* a = FindUpper(e, "Lighting")) s.Lighting = IntValue(a) != 0;
  return true;
}

}  // namespace

int32_t CRenderSetingsManager::LoadSetingsFromXml(const std::wstring& file, int) {
  TiXmlDocument doc;
  if (!LoadXmlDocument(doc, file)) {
    if (!doc.Error())  // else named as not parsed
      LogMessage(ELogLevel::Error, kSource, __LINE__, L"No find render setings file %s.", file.c_str());
    return kFail;
  }
  return LoadDocument(doc, file);
}

int32_t CRenderSetingsManager::LoadSetingsFromText(const std::string& xml) {
  TiXmlDocument doc;
  if (!ParseXmlDocument(doc, xml)) return kFail;
  return LoadDocument(doc, L"(text)");
}

int32_t CRenderSetingsManager::LoadDocument(const TiXmlDocument& doc, const std::wstring& source) {
  const TiXmlElement* root = FirstChildElementUpper(&doc, "RenderSetings");
  if (!root) {
    LogMessage(ELogLevel::Error, kSource, __LINE__, L"No RenderSetings root in %s.", source.c_str());
    return kFail;
  }
  for (const TiXmlElement* e = IterateChildrenElementUpper(root, "Seting", nullptr); e;
       e = IterateChildrenElementUpper(root, "Seting", e)) {
    SRenderSeting s;
    std::wstring problem;
    if (!ParseSeting(e, s, problem)) {
      // One bad entry is reported and skipped; the others still count.
      LogMessage(ELogLevel::Warning, kSource, __LINE__, L"Bad render seting in %s: %s.", source.c_str(),
                 problem.c_str());
      continue;
    }
    int id = GetID(s.Name);
    if (id >= 0) mSetings[static_cast<size_t>(id)] = s;
    else mSetings.push_back(s);
  }
  return kOk;
}

int CRenderSetingsManager::GetID(const std::wstring& name) const {
  for (size_t i = 0; i < mSetings.size(); ++i)
    if (Platform::EqualsNoCase(mSetings[i].Name, name)) return static_cast<int>(i);
  return -1;
}

const SRenderSeting* CRenderSetingsManager::Get(int id) const {
  if (id < 0 || static_cast<size_t>(id) >= mSetings.size()) return nullptr;
  return &mSetings[static_cast<size_t>(id)];
}

}  // namespace zuzorev
