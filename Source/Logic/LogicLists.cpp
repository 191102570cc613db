// The lists of scenes, close-ups, mini-games and cut-scenes: every such
// object is made once at start by its class factory, prepared, named and
// kept for the whole run.
#include "Logic/LogicLists.h"

#include <tinyxml.h>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/DialogManager.h"
#include "Engine/rovovoz/GUIForm.h"
#include "Game.h"
#include "GameLog.h"
#include "Levels/BaseLevel.h"
#include "LoadProgress.h"
#include "Logic/Logic.h"
#include "Logic/LogicFactories.h"
#include "MiniGame/BaseMiniGame.h"
#include "Regions/BaseRegion.h"
#include "Roliki/BaseRolik.h"

std::vector<CBaseLevel*> gLevels;
std::vector<CBaseRegion*> gRegions;
rovovoz::CGUIForm* gRegionForm = nullptr;
std::vector<CBaseMiniGame*> gMiniGames;
std::map<std::wstring, CBaseRolik*> gRoliki;
rovovoz::CDialogManager* gDialogManager = nullptr;

namespace {

const wchar_t* const kSource = L"Source/Logic/LogicLists";

void Tick() {
  if (gLoadProgress) gLoadProgress->Tick(0);
}

template <class T>
void DeleteAll(std::vector<T*>& list) {
  for (T* object : list) delete object;
  list.clear();
}

// A list file's root element; null, after the error line, when the file
// does not load or its root is another.
const TiXmlElement* LoadListRoot(TiXmlDocument& document, const wchar_t* file, const char* root,
                                 const wchar_t* noFile, const wchar_t* noRoot) {
  if (!LoadXmlDocument(document, file)) {
    gamelog::Error(kSource, __LINE__, noFile);
    return nullptr;
  }
  const TiXmlElement* element = RootElementUpper(document, root);
  if (!element) gamelog::Error(kSource, __LINE__, noRoot);
  return element;
}

// The entries of a scene or close-up list: each Xml names the object's file
// under folder, its class and its name. An object whose file does not load
// ends the list with the error line; it is not kept.
template <class T>
bool LoadBackList(const TiXmlElement* root, const char* tag, const wchar_t* folder, T* (*create)(const std::wstring&),
                  const wchar_t* failure, std::vector<T*>& list) {
  for (const TiXmlElement* child = IterateChildrenElementUpper(root, tag, nullptr); child;
       child = IterateChildrenElementUpper(root, tag, child)) {
    const TiXmlAttribute* xml = FindUpper(child, "Xml");
    if (!xml) continue;
    const std::wstring name = ValueUtf8(xml);
    T* object = create(name);
    if (!object) continue;
    if (!object->InitBack(folder + name)) {
      gamelog::Error(kSource, __LINE__, failure, name.c_str());
      delete object;
      return false;
    }
    object->SetName(name);
    list.push_back(object);
    Tick();
  }
  return true;
}

}  // namespace

void ReleaseLogicLists() {
  DeleteAll(gLevels);
  DeleteAll(gRegions);
  delete gRegionForm;
  gRegionForm = nullptr;
  DeleteAll(gMiniGames);
  for (auto& [name, rolik] : gRoliki) delete rolik;
  gRoliki.clear();
}

int CLogic::LoadLevels() {
  DeleteAll(gLevels);
  TiXmlDocument document;
  const TiXmlElement* root =
      LoadListRoot(document, L"Data\\Level\\Levels.xml", "Levels", L"No load file for info levels.", L"No find teg levels.");
  if (!root) return 0;
  return LoadBackList(root, "Level", L"Data\\Level\\", &CreateBack, L"Load level %s", gLevels) ? 1 : 0;
}

int CLogic::LoadRegions() {
  delete gRegionForm;
  gRegionForm = new rovovoz::CGUIForm(gGameCore);
  if (gRegionForm->Load(L"Data\\Regions\\FormRegion.xml", rovovoz::ZOR_LM_TEXTURES | rovovoz::ZOR_LM_VERTEX) < 0) {
    gamelog::Error(kSource, __LINE__, L"Load form for regions");
    return 0;
  }
  gRegionForm->KorectOpornPoint2D(zormath::Vec3f(512.0f, 384.0f, 0.0f), 1, 1);
  DeleteAll(gRegions);
  TiXmlDocument document;
  const TiXmlElement* root =
      LoadListRoot(document, L"Data\\Regions\\Regions.xml", "Regions", L"No load file for info regions.", L"No find teg Regions.");
  if (!root) return 0;
  return LoadBackList(root, "Region", L"Data\\Regions\\", &CreateRegion, L"Load region %s", gRegions) ? 1 : 0;
}

int CLogic::LoadMiniGames() {
  DeleteAll(gMiniGames);
  TiXmlDocument document;
  const TiXmlElement* root =
      LoadListRoot(document, L"Data\\MiniGame\\MiniGames.xml", "MiniGame", L"No load file for info mini games.", L"No find teg MiniGame.");
  if (!root) return 0;
  for (const TiXmlElement* child = IterateChildrenElementUpper(root, "Game", nullptr); child;
       child = IterateChildrenElementUpper(root, "Game", child)) {
    const TiXmlAttribute* nameAttribute = FindUpper(child, "Name");
    if (!nameAttribute) continue;
    const std::wstring name = ValueUtf8(nameAttribute);
    CBaseMiniGame* game = CreateMiniGame(name);
    if (!game) continue;
    if (game->Init(8) < 0) {
      gamelog::Error(kSource, __LINE__, L"Init mini game %s", name.c_str());
      delete game;
      return 0;
    }
    gMiniGames.push_back(game);
    Tick();
  }
  return 1;
}

int CLogic::LoadRoliki() {
  for (auto& [name, rolik] : gRoliki) delete rolik;
  gRoliki.clear();
  TiXmlDocument document;
  const TiXmlElement* root =
      LoadListRoot(document, L"Data\\Roliki\\Roliki.xml", "Roliki", L"No load file for info roliki.", L"No find teg Roliki.");
  if (!root) return 0;
  for (const TiXmlElement* child = IterateChildrenElementUpper(root, "Rolik", nullptr); child;
       child = IterateChildrenElementUpper(root, "Rolik", child)) {
    const std::wstring name = ValueUtf8(FindUpper(child, "Name"));
    const std::wstring file = ValueUtf8(FindUpper(child, "File"));
    if (name.empty() || file.empty()) continue;
    // A name already listed keeps its first cut-scene.
    if (gRoliki.count(name)) continue;
    CBaseRolik* rolik = CreateRolik(name, file);
    if (rolik) gRoliki.emplace(name, rolik);
  }
  return 1;
}
