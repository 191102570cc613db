#include "Logic/BaseEpisod.h"

#include "Levels/BaseLevel.h"
#include "Logic/LogicLists.h"
#include "Platform/Strings.h"
#include "PlayerRecord.h"

CBaseEpisod::CBaseEpisod() = default;

CBaseEpisod::~CBaseEpisod() = default;

CBaseBack* CBaseEpisod::FindBack(const std::wstring& name) const {
  for (CBaseBack* scene : mScenes)
    if (scene && Platform::EqualsNoCase(scene->GetName(), name)) return scene;
  return nullptr;
}

bool CBaseEpisod::CollectScenes() {
  const SEpisodInfo& info = gCurrentPlayer.mEpisodInfo;
  mName = info.mName;
  mScenes.clear();
  for (const auto& [sceneName, counts] : info.mBackTasks) {
    (void)counts;
    for (CBaseLevel* scene : gLevels)
      if (scene && Platform::EqualsNoCase(scene->GetName(), sceneName)) mScenes.push_back(scene);
  }
  mState = mNextState = kStateFinished;
  mCurrentScene = nullptr;
  return true;
}

bool CBaseEpisod::Init() { return CollectScenes(); }

bool CBaseEpisod::InitScenes() { return CollectScenes(); }

bool CBaseEpisod::Start() {
  mState = mNextState = kStateScene;
  return true;
}

int32_t CBaseEpisod::Update(float, rovovoz::CMouseCursor*) { return mState == kStateFinished ? 1 : 0; }

int32_t CBaseEpisod::Render() { return 0; }

void CBaseEpisod::Tick(float) {}

void CBaseEpisod::UnLoadCurrent() { mCurrentScene = nullptr; }

void CBaseEpisod::PrepareSave() {}

bool CBaseEpisod::OpenHog(const std::vector<std::wstring>&) { return false; }

void CBaseEpisod::Stop() {}

void CBaseEpisod::Pause() {}

void CBaseEpisod::Resume() {}

void CBaseEpisod::SetStartedFlag() {}
void CBaseEpisod::AddPredmet(const std::wstring&, const std::wstring&) {}
int32_t CBaseEpisod::RunAction(const std::wstring&, int, SLogicAction*, int) { return 1; }
std::vector<std::wstring> CBaseEpisod::ShowHint(const std::wstring&) { return {}; }
bool CBaseEpisod::IsSceneTriggerSet(const std::wstring&, const std::wstring&, const std::wstring&) { return false; }
bool CBaseEpisod::IsSceneObjectActive(const std::wstring&, const std::wstring&, const std::wstring&) { return false; }
bool CBaseEpisod::IsSceneObjectUpdated(const std::wstring&, const std::wstring&, const std::wstring&) { return false; }
bool CBaseEpisod::IsSimpleTaskVisible(const std::wstring&, const std::wstring&) { return false; }
bool CBaseEpisod::IsComplexTaskVisible(const std::wstring&, const std::wstring&) { return false; }
bool CBaseEpisod::IsSimpleTaskOpen(const std::wstring&, const std::wstring&) { return false; }
bool CBaseEpisod::IsComplexTaskOpen(const std::wstring&, const std::wstring&) { return false; }
bool CBaseEpisod::IsSimpleTaskDeleted(const std::wstring&, const std::wstring&) { return false; }
bool CBaseEpisod::IsComplexTaskDeleted(const std::wstring&, const std::wstring&) { return false; }
bool CBaseEpisod::IsPiecesLeftCount(const std::wstring&, const std::wstring&, int) { return false; }

int CBaseEpisod::ForwardSceneAction(const std::wstring&, int, int, int) { return 1; }

bool CBaseEpisod::RequestMenu() { return true; }

bool CBaseEpisod::RequestGuide() { return true; }

void CBaseEpisod::RequestDiary() {}

void CBaseEpisod::RequestToBacks(const std::wstring&, const std::wstring&, const std::wstring&, int, int) {}

int CBaseEpisod::FindHint() { return 0; }

int CBaseEpisod::GetSceneFrontMode() { return 0; }

bool CBaseEpisod::SceneShowsCursorObject(const std::wstring&, const zormath::Vec3f&) { return false; }

void CBaseEpisod::OnCursorObjectReleased(const std::wstring&) {}

int CBaseEpisod::QueryPredmet(const std::wstring&) { return 0; }

bool CBaseEpisod::IsHogObjectMarked(const std::wstring&) { return true; }

void CBaseEpisod::GetComplexHogItems(std::vector<SComplexHogItem>&, const std::wstring&) {}
