// Close-ups inside a playable scene: opening one by script, watching the
// open one every frame through its closing, what the scene runs when it
// closes, the "region" zone items that lead into close-ups, and the scene
// operations that the close-ups take part in.
#include "Engine/rovovoz/TriangleObject3D.h"
#include "Game.h"
#include "Interface/GamePanel.h"
#include "Levels/BaseLevel.h"
#include "Logic/BaseEpisod.h"
#include "Regions/BaseRegion.h"
#include "SaveInfo/EpisodTasks.h"

// ---- opening and supervision ---------------------------------------------------

int32_t CBaseLevel::OpenRegion(const std::wstring& name, int flag1, int flag2, int flag3) {
  if (mOpenRegion) return 0;
  const auto found = mRegions.find(name);
  if (found == mRegions.end() || !found->second) return 0;
  mOpenRegion = found->second;
  mOpenRegion->SetZoneItemName(mHoveredRegionItem);
  mOpenRegion->SetOpenParam1(flag1);
  mOpenRegion->SetShowFrame(flag2);
  mOpenRegion->SetDrawOnTop(flag3);
  return 1;
}

void CBaseLevel::RunCloseRegionAction() {
  RunActionByName(L"close_region_" + mOpenRegion->GetName(), 0, nullptr, kActionMaskAll);
}

void CBaseLevel::UpdateRegion(float dt, rovovoz::CMouseCursor* cursor) {
  const int front = FrontMode();
  if (front == kModeRegionOpen) {
    if (!mOpenRegion) {
      PopMode(0);
      return;
    }
    switch (mOpenRegion->Update(dt, cursor)) {
      case 1:
        if (mOpenRegion->Close(0.0f)) {
          mOpenRegion->PauseAmbientSounds();
          mOpenRegion->PauseMusic();
          FadeOutShade(0.0f);
          mModes.front() = kModeRegionClosing;
        }
        break;
      case 2:
        // Closed by the player: gone at once, without the zoom back.
        mShade.mState = 0;
        if (mShade.mObject) mShade.mObject->SetAlpha(0.0f);
        RunCloseRegionAction();
        if (mOpenRegion) {
          mOpenRegion->PauseAmbientSounds();
          mOpenRegion->PauseMusic();
        }
        if (gGamePanel && gGamePanel->HasCursorObject()) gGamePanel->DropCursorObject(1);
        PopMode(0);
        break;
      case 3:
        if (mOpenRegion->Close(1.0f)) {
          mOpenRegion->PauseAmbientSounds();
          mOpenRegion->PauseMusic();
          FadeOutShade(1.0f);
          mModes.front() = kModeRegionDone;
        }
        break;
      default:
        break;
    }
    return;
  }
  if (front != kModeRegionClosing && front != kModeRegionDone) return;
  if (!mOpenRegion) {
    PopMode(0);
    return;
  }
  if (mOpenRegion->UpdateZoomTransition(dt, cursor)) return;
  RunCloseRegionAction();
  if (FrontMode() == kModeRegionDone && mEpisod && mOpenRegion)
    mEpisod->DeleteSimpleObject(L"region", mOpenRegion->GetZoneItemName());
  mOpenRegion = nullptr;
  PopMode(0);
}

void CBaseLevel::UpdateRegionSounds(float dt) {
  if (FrontIsRegionMode() && mOpenRegion) mOpenRegion->UpdateBackSounds(dt);
}

void CBaseLevel::RenderRegion() {
  if (FrontIsRegionMode() && mOpenRegion) mOpenRegion->Render();
}

void CBaseLevel::RenderRegionTop() {
  if (FrontIsRegionMode() && mOpenRegion) mOpenRegion->RenderTop();
}

int32_t CBaseLevel::CloseRegion(int arg) {
  if (!mModes.empty() && mOpenRegion) {
    CBaseRegion* region = mOpenRegion;
    region->CloseRegion(arg);
    if (FrontIsRegionMode() && mOpenRegion) {
      RunCloseRegionAction();
      if (FrontMode() == kModeRegionDone && mEpisod && mOpenRegion)
        mEpisod->DeleteSimpleObject(L"region", mOpenRegion->GetZoneItemName());
    }
  }
  return CBaseBack::CloseRegion(arg);
}

bool CBaseLevel::OnRegionEvent(const std::wstring& group, const std::wstring& item, std::vector<int32_t>& out,
                               int value, const std::wstring& kind) {
  if (group != L"region") return CBaseBack::OnRegionEvent(group, item, out, value, kind);
  mPendingRegion.clear();
  DoAction(L"mc_region_" + item, kActionModeDry, nullptr, kActionMaskAll);
  if (mPendingRegion.empty()) {
    mPendingRegion.clear();
    DoAction(L"del_region_" + item, kActionModeDry, nullptr, kActionMaskAll);
    if (mPendingRegion.empty()) return false;
  }
  const auto found = mRegions.find(mPendingRegion);
  if (found == mRegions.end() || !found->second) return false;
  CBaseRegion* region = found->second;
  bool work = false;
  if (kind.empty())
    work = region->UpdateFindList(1) + region->UpdatePushList() + region->UpdateMouseList() >= 1;
  else if (kind == L"find" || kind == L"hog")
    work = region->UpdateFindList(0) > 0;
  else if (kind == L"push" || kind == L"spush" || kind == L"mouse")
    work = region->HasUsableZoneItems(kind);
  if (work) out.push_back(value);
  return work;
}

// ---- "region" zone items -----------------------------------------------------------

void CBaseLevel::ResetZoneItem(const std::wstring& kind, const SZoneObject& item) {
  if (kind != L"region") {
    CBaseBack::ResetZoneItem(kind, item);
    return;
  }
  // The trigger's picking shape is made again once it is ready.
  if (!IsEntryIndex(item.ind)) return;
  rovovoz::CTriangleObject3D* trigger = GetEntry(item.ind).mTrigger;
  if (trigger && trigger->GetRegion().IsReady()) trigger->CreateRegion();
}

// ---- operations that ask the open close-up first -----------------------------------

bool CBaseLevel::QueueModeName(const std::wstring& name) {
  if (FrontMode() == kModeRegionOpen && mOpenRegion) return mOpenRegion->QueueModeName(name);
  return CBaseBack::QueueModeName(name);
}

bool CBaseLevel::IsIdle() const {
  if (mModes.empty() && mBusy == 0) return true;
  if (FrontMode() == kModeRegionOpen && mOpenRegion) return mOpenRegion->IsIdle();
  return false;
}

bool CBaseLevel::GetFrontMode() const {
  if (FrontMode() == kModeItemWindow) return true;
  if (FrontMode() == kModeRegionOpen && mOpenRegion) return mOpenRegion->GetFrontMode();
  return false;
}

bool CBaseLevel::IsInputEnabled() const {
  if (FrontIsRegionMode()) return mOpenRegion ? mOpenRegion->IsInputEnabled() : false;
  return CBaseBack::IsInputEnabled();
}

void CBaseLevel::UpdateBackSounds(float dt) {
  if (FrontIsRegionMode() && mOpenRegion) mOpenRegion->UpdateBackSounds(dt);
  UpdateSoundSequence(dt);
  UpdateMusic(dt);
}

// The scene's sound managers, then the open close-up's.
#define LEVEL_SOUND_FORWARD(op) \
  void CBaseLevel::op() {       \
    CBaseBack::op();            \
    if (mOpenRegion) mOpenRegion->op(); \
  }
LEVEL_SOUND_FORWARD(PauseAllEffects)
LEVEL_SOUND_FORWARD(ResumeAllEffects)
LEVEL_SOUND_FORWARD(StopAllEffects)
LEVEL_SOUND_FORWARD(SoundCallA4)
LEVEL_SOUND_FORWARD(SoundCallA5)
LEVEL_SOUND_FORWARD(ResumeAmbientSounds)
LEVEL_SOUND_FORWARD(ResumeMusic)
LEVEL_SOUND_FORWARD(PauseAmbientSounds)
LEVEL_SOUND_FORWARD(PauseMusic)
#undef LEVEL_SOUND_FORWARD

// ---- operations handed on to every close-up -----------------------------------------

int32_t CBaseLevel::ReInitForm() {
  for (auto& [name, region] : mRegions)
    if (region) region->ReInitForm();
  return CBaseBack::ReInitForm();
}

int32_t CBaseLevel::ReapplyState(int arg) {
  if (!CBaseBack::ReapplyState(arg)) return 0;
  for (auto& [name, region] : mRegions)
    if (region && !region->ReapplyState(arg)) return 0;
  return 1;
}

void CBaseLevel::CollectZoneItems(const std::wstring& kind, SComplexTaskInfo& target) {
  CBaseBack::CollectZoneItems(kind, target);
  for (auto& [name, region] : mRegions)
    if (region) region->CollectZoneItems(kind, target);
}

bool CBaseLevel::HasEnabledZoneItem(const std::wstring& kind, const std::wstring& name) {
  if (CBaseBack::HasEnabledZoneItem(kind, name)) return true;
  for (auto& [regionName, region] : mRegions)
    if (region && region->HasEnabledZoneItem(kind, name)) return true;
  return false;
}

int32_t CBaseLevel::UpdateFindList(int flag) {
  int32_t count = CBaseBack::UpdateFindList(flag);
  for (auto& [name, region] : mRegions)
    if (region) count += region->UpdateFindList(flag);
  return count;
}

int32_t CBaseLevel::UpdatePushList() {
  int32_t count = CBaseBack::UpdatePushList();
  for (auto& [name, region] : mRegions)
    if (region) count += region->UpdatePushList();
  return count;
}

int32_t CBaseLevel::UpdateMouseList() {
  int32_t count = CBaseBack::UpdateMouseList();
  for (auto& [name, region] : mRegions)
    if (region) count += region->UpdateMouseList();
  return count;
}

bool CBaseLevel::IsObjectRotating2(const std::wstring& name) {
  if (CBaseBack::IsObjectRotating2(name)) return true;
  for (auto& [regionName, region] : mRegions)
    if (region && region->IsObjectRotating2(name)) return true;
  return false;
}

void CBaseLevel::SetObjectRotating3(const std::wstring& name, int value) {
  CBaseBack::SetObjectRotating3(name, value);
  for (auto& [regionName, region] : mRegions)
    if (region) region->SetObjectRotating3(name, value);
}

bool CBaseLevel::QueryMark(const std::wstring& name, const zormath::Vec3f& point) {
  for (auto& [regionName, region] : mRegions)
    if (region && region->QueryMark(name, point)) return true;
  return false;
}

void CBaseLevel::OnPickItem(const std::wstring& item) {
  for (auto& [name, region] : mRegions)
    if (region) region->OnPickItem(item);
}

void CBaseLevel::ResetSaveState(int arg) {
  for (auto& [name, region] : mRegions)
    if (region) region->ResetSaveState(arg);
  CBaseBack::ResetSaveState(arg);
}

void CBaseLevel::ResetSaveState2(int arg) {
  for (auto& [name, region] : mRegions)
    if (region) region->ResetSaveState2(arg);
  CBaseBack::ResetSaveState2(arg);
}

void CBaseLevel::RefreshPushZones() {
  for (auto& [name, region] : mRegions)
    if (region) region->RefreshPushZones();
  CBaseBack::RefreshPushZones();
}

void CBaseLevel::OnHogClick(const std::wstring& group, const std::wstring& item, const std::wstring& command,
                            int clickThrough) {
  CBaseBack::OnHogClick(group, item, command, clickThrough);
  for (auto& [name, region] : mRegions)
    if (region) region->OnHogClick(group, item, command, clickThrough);
}

void CBaseLevel::OnPushClick(const std::wstring& group, const std::wstring& item) {
  CBaseBack::OnPushClick(group, item);
  for (auto& [name, region] : mRegions)
    if (region) region->OnPushClick(group, item);
}

void CBaseLevel::CameraMoveSimple(const std::wstring& group, const std::wstring& item, int visible,
                                  const std::wstring& command, int reload) {
  CBaseBack::CameraMoveSimple(group, item, visible, command, reload);
  for (auto& [name, region] : mRegions)
    if (region) region->CameraMoveSimple(group, item, visible, command, reload);
}

void CBaseLevel::CameraMoveComplex(const std::wstring& group, const std::wstring& item, int visible,
                                   const std::wstring& command, int reload) {
  CBaseBack::CameraMoveComplex(group, item, visible, command, reload);
  for (auto& [name, region] : mRegions)
    if (region) region->CameraMoveComplex(group, item, visible, command, reload);
}

int32_t CBaseLevel::HasAction(const std::wstring& name) {
  for (auto& [regionName, region] : mRegions)
    if (region && region->HasAction(name)) return 1;
  return CBaseBack::HasAction(name);
}

// ---- owner operations that name a close-up ----------------------------------------------

CBaseBack* CBaseLevel::RegionTarget(const std::wstring& region) {
  if (region.empty()) return this;
  const auto found = mRegions.find(region);
  return found != mRegions.end() ? found->second : nullptr;
}

int32_t CBaseLevel::DoActionInRegion(const std::wstring& region, const std::wstring& name, int mode,
                                     SLogicAction* record, int mask) {
  CBaseBack* target = RegionTarget(region);
  return target ? target->DoAction(name, mode, record, mask) : 0;
}

int32_t CBaseLevel::RunActionByNameInRegion(const std::wstring& region, const std::wstring& name, int mode,
                                            SLogicAction* record, int mask) {
  CBaseBack* target = RegionTarget(region);
  return target ? target->RunActionByName(name, mode, record, mask) : 0;
}

void CBaseLevel::SetObjectRotating2InRegion(const std::wstring& region, const std::wstring& name, int value) {
  if (CBaseBack* target = RegionTarget(region)) target->SetObjectRotating2(name, value);
}

void CBaseLevel::SetObjectRender2DInRegion(const std::wstring& region, const std::wstring& name, int value) {
  if (CBaseBack* target = RegionTarget(region)) target->SetObjectRender2D(name, value);
}

void CBaseLevel::SetObjectTopLayerInRegion(const std::wstring& region, const std::wstring& name, int value) {
  if (CBaseBack* target = RegionTarget(region)) target->SetObjectTopLayer(name, value);
}

void CBaseLevel::ShowObjectInRegion(const std::wstring& region, const std::wstring& name, int visible,
                                    const std::wstring& command, int reload) {
  if (CBaseBack* target = RegionTarget(region)) target->ShowObject(name, visible, command, reload);
}

void CBaseLevel::SetObjectClickableInRegion(const std::wstring& region, const std::wstring& name, int value) {
  if (CBaseBack* target = RegionTarget(region)) target->SetObjectClickable(name, value);
}

void CBaseLevel::ShowObjectGroupInRegion(const std::wstring& region, const std::wstring& prefix, int visible,
                                         const std::wstring& command, int reload, int first, int last) {
  if (CBaseBack* target = RegionTarget(region)) target->ShowObjectGroup(prefix, visible, command, reload, first, last);
}

void CBaseLevel::SetObjectGroupClickableInRegion(const std::wstring& region, const std::wstring& prefix, int value,
                                                 int first, int last) {
  if (CBaseBack* target = RegionTarget(region)) target->SetObjectGroupClickable(prefix, value, first, last);
}

bool CBaseLevel::IsObjectRotatingInRegion(const std::wstring& region, const std::wstring& name) {
  CBaseBack* target = RegionTarget(region);
  return target ? target->IsObjectRotating(name) : false;
}

bool CBaseLevel::IsObjectActiveInRegion(const std::wstring& region, const std::wstring& name) {
  CBaseBack* target = RegionTarget(region);
  return target ? target->IsObjectActive(name) : false;
}

bool CBaseLevel::IsObjectParamCSetInRegion(const std::wstring& region, const std::wstring& name) {
  CBaseBack* target = RegionTarget(region);
  return target ? target->IsObjectParamCSet(name) : false;
}
