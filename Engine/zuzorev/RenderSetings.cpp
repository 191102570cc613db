#include "Engine/zuzorev/RenderSetings.h"

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/zuzorev/Log.h"
#include "Platform/Strings.h"

namespace zuzorev {
namespace {

const wchar_t* const kSource = L"Engine/zuzorev/RenderSetings";

std::wstring Lower(const TiXmlAttribute* a) { return Platform::ToLowerAscii(ValueUtf8(a)); }

bool ParseSeting(const TiXmlElement* e, SRenderSeting& s, std::wstring& problem) {
  s.Name = ValueUtf8(FindUpper(e, "Name"));
  if (s.Name.empty()) {
    problem = L"setting without Name";
    return false;
  }
  if (const TiXmlAttribute* a = FindUpper(e, "Blend")) {
    std::wstring v = Lower(a);
    if (v == L"none") s.Blend = EBlend::None;
    else if (v == L"alpha") s.Blend = EBlend::Alpha;
    else if (v == L"add") s.Blend = EBlend::Add;
    else { problem = L"Blend " + v; return false; }
  }
  if (const TiXmlAttribute* a = FindUpper(e, "DepthTest")) s.DepthTest = IntValue(a) != 0;
  if (const TiXmlAttribute* a = FindUpper(e, "DepthWrite")) s.DepthWrite = IntValue(a) != 0;
  if (const TiXmlAttribute* a = FindUpper(e, "Cull")) {
    std::wstring v = Lower(a);
    if (v == L"none") s.Cull = ECull::None;
    else if (v == L"cw") s.Cull = ECull::Clockwise;
    else if (v == L"ccw") s.Cull = ECull::CounterClockwise;
    else { problem = L"Cull " + v; return false; }
  }
  if (const TiXmlAttribute* a = FindUpper(e, "Filter")) {
    std::wstring v = Lower(a);
    if (v == L"linear") s.Linear = true;
    else if (v == L"point") s.Linear = false;
    else { problem = L"Filter " + v; return false; }
  }
  if (const TiXmlAttribute* a = FindUpper(e, "SecondTex")) {
    std::wstring v = Lower(a);
    if (v == L"none") s.SecondTex = ESecondTex::None;
    else if (v == L"modulate") s.SecondTex = ESecondTex::Modulate;
    else if (v == L"multalpha") s.SecondTex = ESecondTex::MultiplyAlpha;
    else { problem = L"SecondTex " + v; return false; }
  }
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
    InitError(L"No find render setings file %s.", file.c_str());
    ErrorAddFileAndLine(kSource, __LINE__);
    AddDebugError();
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
    InitError(L"No RenderSetings root in %s.", source.c_str());
    ErrorAddFileAndLine(kSource, __LINE__);
    AddDebugError();
    return kFail;
  }
  for (const TiXmlElement* e = IterateChildrenElementUpper(root, "Seting", nullptr); e;
       e = IterateChildrenElementUpper(root, "Seting", e)) {
    SRenderSeting s;
    std::wstring problem;
    if (!ParseSeting(e, s, problem)) {
      // One bad entry is reported and skipped; the others still count.
      InitError(L"Bad render seting in %s: %s.", source.c_str(), problem.c_str());
      ErrorAddFileAndLine(kSource, __LINE__);
      AddDebugWarning();
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
