// The chapter's life cycle, its scene look-ups and the forwards to a named
// scene, and what the game panel asks of it.
#include "Logic/BaseEpisod.h"

#include <cwchar>

#include "Interface/GamePanel.h"
#include "Levels/BaseLevel.h"
#include "Logic/Logic.h"
#include "Platform/Strings.h"
#include "PlayerRecord.h"

namespace {

// A named scene's operation: with a close-up name, the scene hands it to
// that close-up; without one, the scene performs it itself.
template <class AtRegion, class AtScene>
bool ForwardToScene(CBaseBack* scene, const std::wstring& region, AtRegion atRegion, AtScene atScene) {
  if (!scene) return false;
  if (region.empty())
    atScene(*scene);
  else
    atRegion(*scene);
  return true;
}

}  // namespace

std::wstring HogPieceObjectName(const std::wstring& task, int piece) {
  wchar_t number[24];
  std::swprintf(number, 24, L"_%.2d", piece);
  return L"HK_" + task + number;
}

CBaseEpisod::CBaseEpisod() = default;

CBaseEpisod::~CBaseEpisod() { ReleaseSoundManagers(); }

CBaseBack* CBaseEpisod::FindBack(const std::wstring& name) const {
  for (CBaseBack* scene : mScenes)
    if (scene && Platform::EqualsNoCase(scene->GetName(), name)) return scene;
  return nullptr;
}

CBaseLevel* CBaseEpisod::CurrentLevel() const { return dynamic_cast<CBaseLevel*>(mCurrentScene); }

int CBaseEpisod::SceneDoAction(const std::wstring& name, int mode, SLogicAction* record, int mask) {
  if (!mCurrentScene) return 1;
  return mCurrentScene->DoAction(name, mode, record, mask) != 0 ? 1 : 0;
}

int CBaseEpisod::ForwardSceneAction(const std::wstring& name, int a, int b, int c) {
  (void)b;
  return SceneDoAction(name, a, nullptr, c);
}

bool CBaseEpisod::SetBackObjectUpdate(const std::wstring& scene, const std::wstring& region,
                                      const std::wstring& object, int value) {
  if (scene.empty()) return false;
  return ForwardToScene(
      FindBack(scene), region, [&](CBaseBack& s) { s.SetObjectRotating2InRegion(region, object, value); },
      [&](CBaseBack& s) { s.SetObjectRotating2(object, value); });
}

bool CBaseEpisod::SetBackObjectRender2D(const std::wstring& scene, const std::wstring& region,
                                        const std::wstring& object, int value) {
  if (scene.empty()) return false;
  return ForwardToScene(
      FindBack(scene), region, [&](CBaseBack& s) { s.SetObjectRender2DInRegion(region, object, value); },
      [&](CBaseBack& s) { s.SetObjectRender2D(object, value); });
}

bool CBaseEpisod::SetBackObjectTopRender(const std::wstring& scene, const std::wstring& region,
                                         const std::wstring& object, int value) {
  if (scene.empty()) return false;
  return ForwardToScene(
      FindBack(scene), region, [&](CBaseBack& s) { s.SetObjectTopLayerInRegion(region, object, value); },
      [&](CBaseBack& s) { s.SetObjectTopLayer(object, value); });
}

bool CBaseEpisod::SetBackObjectVisible(const std::wstring& scene, const std::wstring& region,
                                       const std::wstring& object, int value, const std::wstring& command,
                                       int value2) {
  if (scene.empty()) return false;
  return ForwardToScene(
      FindBack(scene), region,
      [&](CBaseBack& s) { s.ShowObjectInRegion(region, object, value, command, value2); },
      [&](CBaseBack& s) { s.ShowObject(object, value, command, value2); });
}

bool CBaseEpisod::SetBackTriangleVisible(const std::wstring& scene, const std::wstring& region,
                                         const std::wstring& object, int value) {
  if (scene.empty()) return false;
  return ForwardToScene(
      FindBack(scene), region, [&](CBaseBack& s) { s.SetObjectClickableInRegion(region, object, value); },
      [&](CBaseBack& s) { s.SetObjectClickable(object, value); });
}

bool CBaseEpisod::SetBackObjectMask(const std::wstring& scene, const std::wstring& region, const std::wstring& prefix,
                                    int value, const std::wstring& command, int value2, int first, int last) {
  if (scene.empty()) return false;
  return ForwardToScene(
      FindBack(scene), region,
      [&](CBaseBack& s) { s.ShowObjectGroupInRegion(region, prefix, value, command, value2, first, last); },
      [&](CBaseBack& s) { s.ShowObjectGroup(prefix, value, command, value2, first, last); });
}

bool CBaseEpisod::SetBackTriangleMask(const std::wstring& scene, const std::wstring& region,
                                      const std::wstring& prefix, int value, int first, int last) {
  if (scene.empty()) return false;
  return ForwardToScene(
      FindBack(scene), region,
      [&](CBaseBack& s) { s.SetObjectGroupClickableInRegion(region, prefix, value, first, last); },
      [&](CBaseBack& s) { s.SetObjectGroupClickable(prefix, value, first, last); });
}

bool CBaseEpisod::IsSceneTriggerSet(const std::wstring& scene, const std::wstring& region,
                                    const std::wstring& object) {
  CBaseBack* back = scene.empty() ? nullptr : FindBack(scene);
  if (!back) return false;
  return region.empty() ? back->IsObjectParamCSet(object) : back->IsObjectParamCSetInRegion(region, object);
}

bool CBaseEpisod::IsSceneObjectActive(const std::wstring& scene, const std::wstring& region,
                                      const std::wstring& object) {
  CBaseBack* back = scene.empty() ? nullptr : FindBack(scene);
  if (!back) return false;
  return region.empty() ? back->IsObjectActive(object) : back->IsObjectActiveInRegion(region, object);
}

bool CBaseEpisod::IsSceneObjectUpdated(const std::wstring& scene, const std::wstring& region,
                                       const std::wstring& object) {
  CBaseBack* back = scene.empty() ? nullptr : FindBack(scene);
  if (!back) return false;
  return region.empty() ? back->IsObjectRotating(object) : back->IsObjectRotatingInRegion(region, object);
}

void CBaseEpisod::MarkBackBegin(const std::wstring& scene, const std::wstring& mark) {
  if (CBaseBack* back = scene.empty() ? nullptr : FindBack(scene)) back->DecrementNamedCount2(mark);
}

void CBaseEpisod::MarkBackEnd(const std::wstring& scene, const std::wstring& mark) {
  if (CBaseBack* back = scene.empty() ? nullptr : FindBack(scene)) back->DecrementNamedCount(mark);
}

void CBaseEpisod::CameraMoveSimple(const std::wstring& list, const std::wstring& object, int value,
                                   const std::wstring& option, int value2) {
  const bool cameraHere = option == L"camera" && IsSceneState();
  for (CBaseBack* scene : mScenes) {
    if (!scene) continue;
    const bool gets = !cameraHere || scene == mCurrentScene;
    scene->CameraMoveSimple(list, object, value, gets ? option : std::wstring(), value2);
  }
}

void CBaseEpisod::CameraMoveComplex(const std::wstring& list, const std::wstring& object, int value,
                                    const std::wstring& option, int value2) {
  const bool cameraHere = option == L"camera" && IsSceneState();
  for (CBaseBack* scene : mScenes) {
    if (!scene) continue;
    const bool gets = !cameraHere || scene == mCurrentScene;
    scene->CameraMoveComplex(list, object, value, gets ? option : std::wstring(), value2);
  }
}

bool CBaseEpisod::RequestMenu() {
  mReturnState = mState;
  mNextState = kStatePauseRequest;
  return true;
}

bool CBaseEpisod::RequestGuide() {
  mReturnState = mState;
  mNextState = kStateExtrasRequest;
  return true;
}

bool CBaseEpisod::ReturnFromMenu() {
  mNextState = mReturnState;
  return true;
}

void CBaseEpisod::RequestDiary() { mNextState = kStateDiaryOpening; }

void CBaseEpisod::RequestToBacks(const std::wstring& kind, const std::wstring& name, const std::wstring& extra,
                                 int a, int) {
  for (CBaseBack* scene : mScenes)
    if (scene) scene->HandleModeRequest(kind, name, extra, a);
}

bool CBaseEpisod::ClickHintButton() {
  if (mState != kStateScene || !mCurrentScene || !mCurrentScene->IsIdle()) return false;
  return RunAction(L"a_gp_click_hint", 0, nullptr, -1) != 0;
}

int CBaseEpisod::FindHint() {
  CBaseLevel* level = CurrentLevel();
  if (mState != kStateScene || !level) return 0;
  return level->FindHintTarget(0);
}

// Without a current scene there is no item window to be in.
bool CBaseEpisod::IsSceneItemWindowMode() { return mCurrentScene ? mCurrentScene->GetFrontMode() : false; }

bool CBaseEpisod::IsSceneInputEnabled() {
  return mState == kStateScene && mCurrentScene ? mCurrentScene->IsInputEnabled() : false;
}

bool CBaseEpisod::QuerySceneMark(const std::wstring& name, const zormath::Vec3f& point) {
  return IsSceneState() && mCurrentScene ? mCurrentScene->QueryMark(name, point) : false;
}

bool CBaseEpisod::HasPanelMark(const std::wstring& name, std::wstring& other) {
  return gCurrentPlayer.mEpisodInfo.mActions.FindNameValue(L"gpanel_mc", name, other);
}

bool CBaseEpisod::HasPanelName(const std::wstring& name) {
  return !name.empty() && gCurrentPlayer.mEpisodInfo.mActions.FindName(L"gpanel_mc", name);
}

void CBaseEpisod::OnCursorObjectReleased(const std::wstring& name) { ClearPanelItem(name); }

void CBaseEpisod::ClearPanelItem(const std::wstring& name) {
  if (!(mState == kStateSceneFadeIn || mState == kStateSceneFadeOut || IsSceneState())) return;
  if (mCurrentScene) mCurrentScene->OnPickItem(name);
  RunAction(L"gpanel_clear_p_" + name, 0, nullptr, -1);
}

int CBaseEpisod::QueryPredmet(const std::wstring& name) { return IsReplacementItem(name) ? 1 : 0; }

bool CBaseEpisod::IsObjectParamCSetInScene(const std::wstring& name) {
  CBaseLevel* level = CurrentLevel();
  if (!mCurrentScene) return true;
  return level ? level->IsObjectParamCSetInAny(name) : mCurrentScene->IsObjectParamCSet(name);
}
