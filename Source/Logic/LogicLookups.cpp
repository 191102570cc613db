// Look-ups by name that scenes and the action executor ask, the
// re-initialisation after a display change, and the two engine objects the
// story logic makes: the character-dialog manager and the info-code box.
#include "Engine/rovovoz/DialogManager.h"
#include "Engine/rovovoz/GUIEditBox.h"
#include "Engine/rovovoz/GUIForm.h"
#include "Engine/zuzorev/RenderTypes.h"
#include "Game.h"
#include "GameLog.h"
#include "Levels/BaseLevel.h"
#include "Logic/Logic.h"
#include "Logic/LogicLists.h"
#include "MiniGame/BaseMiniGame.h"
#include "Platform/Strings.h"
#include "Regions/BaseRegion.h"

namespace {

const wchar_t* const kSource = L"Source/Logic/LogicLookups";

template <class T>
T* FindByName(const std::vector<T*>& list, const std::wstring& name) {
  for (T* object : list)
    if (object && Platform::EqualsNoCase(object->GetName(), name)) return object;
  return nullptr;
}

}  // namespace

CBaseMiniGame* CLogic::FindMiniGame(const std::wstring& name) const { return FindByName(gMiniGames, name); }

CBaseRegion* CLogic::FindRegion(const std::wstring& name) const { return FindByName(gRegions, name); }

int CLogic::ReInit() {
  if (m_pInfoCodeBox) m_pInfoCodeBox->ReInit();
  if (gDialogManager) gDialogManager->ReInit();
  for (CBaseLevel* scene : gLevels)
    if (scene) scene->ReInitForm();
  if (gRegionForm) gRegionForm->ReInit();
  return 1;
}

int CLogic::LoadDialogs() {
  delete gDialogManager;
  gDialogManager = new rovovoz::CDialogManager(gGameCore);
  if (gDialogManager->Load(L"Data\\Interface\\GPDialogs.xml", rovovoz::ZOR_LM_TEXTURES | rovovoz::ZOR_LM_VERTEX) < 0) {
    gamelog::Error(kSource, __LINE__, L"No load dialog for gamepanel personages.");
    return zuzorev::kFail;
  }
  return 1;
}

void CLogic::LoadInfoCodeEditBox(const TiXmlElement* element) {
  if (!element) return;
  delete m_pInfoCodeBox;
  m_pInfoCodeBox = new rovovoz::CGUIEditBox(gGameCore, nullptr);
  if (m_pInfoCodeBox->Load(element, rovovoz::ZOR_LM_TEXTURES | rovovoz::ZOR_LM_VERTEX) < 0) {
    gamelog::Error(kSource, __LINE__, L"Load info code.");
    delete m_pInfoCodeBox;
    m_pInfoCodeBox = nullptr;
  }
}
