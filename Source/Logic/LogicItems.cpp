// The item tables: inventory, loose and found items with their models and
// texts (predmets.xml), and the hidden-object items' texts
// (hog_predmets.xml).
#include <memory>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/TextManager.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Game.h"
#include "LoadProgress.h"
#include "Logic/Logic.h"
#include "Logic/LogicXmlRead.h"

using logicxml::Error;
using logicxml::ReadInt;
using logicxml::ReadText;
using logicxml::TagIs;

namespace {

const wchar_t* const kSource = L"Source/Logic/LogicItems";

zuzorev::CRenderSystem* Render() { return gGameCore ? gGameCore->GetRender() : nullptr; }

std::wstring GetText(const std::wstring& group, const std::wstring& key) {
  rovovoz::CTextManager* texts = gGameCore ? gGameCore->GetTextManager() : nullptr;
  return texts ? texts->GetText(group, key) : std::wstring();
}

// The text of the attribute's key in the group, when the attribute is there.
bool ReadTextOf(const TiXmlElement* element, const char* name, const std::wstring& group, std::wstring& out) {
  std::wstring key;
  if (!ReadText(element, name, key)) return false;
  out = GetText(group, key);
  return true;
}

// A mesh of the model file by name; false when it cannot be loaded.
bool LoadNamedMesh(const std::wstring& model, const std::wstring& mesh, uint32_t flags, zuzorev::CMesh& out) {
  zuzorev::CRenderSystem* render = Render();
  return render && render->LoadMesh(model, out, mesh, flags) >= 0;
}

// The first mesh of the model file; false when it cannot be loaded.
bool LoadFirstMesh(const std::wstring& model, uint32_t flags, zuzorev::CMesh& out) {
  zuzorev::CRenderSystem* render = Render();
  std::unique_ptr<zuzorev::CMesh> mesh(render ? render->LoadMesh(model, 0, flags) : nullptr);
  if (!mesh) return false;
  out = *mesh;
  return true;
}

void Tick() {
  if (gLoadProgress) gLoadProgress->Tick(0);
}

// An item of the scene: its whole model "F_" + name and, when the model file
// holds more models, its pieces "K_" + name + "_0" + i.
bool ReadFindItem(const TiXmlElement* e, const std::wstring& name, const std::wstring& model,
                  const std::wstring& textGroup, const std::wstring& file, SFindPredmetInfo& info) {
  ReadTextOf(e, "TextPanel", textGroup, info.TextPanel);
  zuzorev::CRenderSystem* render = Render();
  const int models = render ? render->GetCountModel(model) : 0;
  if (models < 1) {
    Error(kSource, __LINE__, L"No models in file %s for find predmet %s. File %s", model.c_str(), name.c_str(), file.c_str());
    return true;
  }
  if (!LoadNamedMesh(model, L"F_" + name, 3, info.Mesh)) {
    Error(kSource, __LINE__, L"No load model for find predmet %s", name.c_str());
    return false;
  }
  if (models == 1) {
    int32_t count = 0;
    ReadInt(e, "count", file, count);
    info.Count = count < 0 ? 0 : count;
    if (info.Count == 0) Error(kSource, __LINE__, L"Invalid count object for predmet %s", name.c_str());
    return true;
  }
  for (int i = 1; i < models; ++i) {
    const std::wstring piece = L"K_" + name + L"_0" + std::to_wstring(i);
    zuzorev::CMesh mesh;
    if (!LoadNamedMesh(model, piece, 11, mesh)) {
      Error(kSource, __LINE__, L"No load model for find predmet %s kusok = %s", name.c_str(), piece.c_str());
      continue;
    }
    info.Pieces.push_back(std::move(mesh));
  }
  return true;
}

}  // namespace

int CLogic::LoadPredmets(const std::wstring& file) {
  m_ReplacePredmets.clear();
  m_PushPredmets.clear();
  m_FreePredmets.clear();
  m_FindPredmets.clear();
  TiXmlDocument document;
  if (!LoadXmlDocument(document, file)) {
    Error(kSource, __LINE__, L"Load file xml %s info predmet.", file.c_str());
    return 0;
  }
  const TiXmlElement* panel = RootElementUpper(document, "Panel");
  const TiXmlElement* predmets = FirstChildElementUpper(panel, "Predmets");
  if (!predmets) {
    Error(kSource, __LINE__, L"No find teg Panel/Predmets in file %s", file.c_str());
    return 1;
  }
  std::wstring textGroup, hintGroup;
  ReadText(predmets, "Def_Key_Text", textGroup);
  ReadText(predmets, "Def_Key_Text_Hint", hintGroup);

  for (const TiXmlElement* e = IterateChildrenElement(predmets, nullptr); e; e = e->NextSiblingElement()) {
    std::wstring name;
    if (!ReadText(e, "Name", name)) {
      const std::wstring tag = logicxml::Tag(e);
      Error(kSource, __LINE__, L"No find attribute Name for predmet %s. File %s", tag.c_str(), file.c_str());
      continue;
    }
    // Every item starts from an empty record: nothing of the item before
    // it (model, count, texts) carries over.
    std::wstring model;
    if (TagIs(e, "find")) {
      ReadText(e, "Model", model);
      SFindPredmetInfo info;
      if (ReadFindItem(e, name, model, textGroup, file, info)) m_FindPredmets.emplace(name, std::move(info));
    } else if (TagIs(e, "free")) {
      ReadText(e, "Model", model);
      SPredmetInfo info;
      if (LoadFirstMesh(model, 3, info.Mesh))
        m_FreePredmets.emplace(name, std::move(info));
      else
        Error(kSource, __LINE__, L"No load model for push predmet %s", name.c_str());
    } else if (TagIs(e, "push")) {
      ReadText(e, "Model", model);
      SPredmetInfo info;
      if (model.size() >= 2 && !LoadFirstMesh(model, 1, info.Mesh)) {
        Error(kSource, __LINE__, L"No load model for push predmet %s", name.c_str());
      } else {
        ReadTextOf(e, "TextPanel", textGroup, info.TextPanel);
        ReadTextOf(e, "TextLevelHint", hintGroup, info.TextLevelHint);
        ReadText(e, "KeyTextTips", info.KeyTextTips);
        ReadInt(e, "Count", file, info.Count);
        m_PushPredmets.emplace(name, std::move(info));
      }
    } else if (TagIs(e, "replace")) {
      logicxml::ReportUnknownChildren(e, {"push"}, file);
      SReplacePredmetInfo names;
      for (const TiXmlElement* push = FirstChildElementUpper(e, "push"); push;
           push = IterateChildrenElementUpper(e, "push", push)) {
        std::wstring pushName;
        if (ReadText(push, "Name", pushName) && !pushName.empty()) names.push_back(pushName);
      }
      if (!name.empty() && !names.empty()) m_ReplacePredmets.emplace(name, std::move(names));
    } else {
      const std::wstring tag = logicxml::Tag(e);
      Error(kSource, __LINE__, L"Unknown predmet kind %s (%s) file %s", tag.c_str(), name.c_str(), file.c_str());
    }
    Tick();
  }
  return 1;
}

int CLogic::LoadHogPredmets(const std::wstring& file) {
  m_HogPredmetTexts.clear();
  TiXmlDocument document;
  if (!LoadXmlDocument(document, file)) {
    Error(kSource, __LINE__, L"Load file xml %s info hog predmet.", file.c_str());
    return 0;
  }
  const TiXmlElement* root = RootElementUpper(document, "Predmets");
  if (!root) {
    Error(kSource, __LINE__, L"No find teg Predmets in file %s", file.c_str());
    return 1;
  }
  logicxml::ReportUnknownChildren(root, {"Predmet"}, file);
  std::wstring group;
  ReadText(root, "DefKeyValue", group);
  for (const TiXmlElement* e = FirstChildElementUpper(root, "Predmet"); e;
       e = IterateChildrenElementUpper(root, "Predmet", e)) {
    std::wstring name, key;
    if (!ReadText(e, "Name", name) || !ReadText(e, "NameText", key)) {
      Error(kSource, __LINE__, L"No find attribute Name or NameText for hog predmet %s. File %s", name.c_str(), file.c_str());
      continue;
    }
    m_HogPredmetTexts.emplace(name, GetText(group, key));
  }
  return 1;
}

std::wstring CLogic::FindItemText(const std::wstring& item) const {
  const auto found = m_PushPredmets.find(item);
  return found == m_PushPredmets.end() ? std::wstring() : found->second.TextLevelHint;
}

const SPredmetInfo* CLogic::StdPredmetMapFind(const std::wstring& name) const {
  const auto found = m_PushPredmets.find(name);
  return found == m_PushPredmets.end() ? nullptr : &found->second;
}
