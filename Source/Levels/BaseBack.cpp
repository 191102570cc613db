// The scene's life cycle, its small queries and hooks, and the forwarding
// of the region forms of a few operations to the owner scene.
#include "Levels/BaseBack.h"

#include "Engine/rovovoz/GManagerAmbientSound.h"
#include "Engine/rovovoz/GManagerSound.h"
#include "Engine/rovovoz/GUIForm.h"
#include "Engine/rovovoz/TriangleObject3D.h"
#include "Game.h"
#include "Levels/BaseBackLog.h"
#include "MiniGame/BaseMiniGame.h"
#include "Platform/Strings.h"

int gHideMode = 0;

void SplitString(const std::wstring& text, const std::wstring& delimiters, std::vector<std::wstring>& out) {
  Platform::SplitString(text, delimiters, out);
}

void SplitPath(const std::wstring& path, std::wstring* drive, std::wstring* directory, std::wstring* name,
               std::wstring* extension) {
  Platform::SplitPath(path, drive, directory, name, extension);
}

CBaseBack::CBaseBack() : mCore(gGameCore) { mForm = new rovovoz::CGUIForm(mCore, nullptr); }

CBaseBack::~CBaseBack() {
  delete mForm;
  mForm = nullptr;
  CBaseBack::Release(0);
}

int32_t CBaseBack::Render() { return 0; }

int32_t CBaseBack::Update(float, rovovoz::CMouseCursor*) { return 0; }

int32_t CBaseBack::Release(uint32_t) {
  for (SObjectEntry& entry : mEntries) {
    // A shared object belongs to the form; the trigger model is always the
    // scene's own.
    if (!entry.mShared) delete entry.mObject;
    delete entry.mTrigger;
    entry.mObject = nullptr;
    entry.mTrigger = nullptr;
  }
  mEntries.clear();
  mModelIndex.clear();
  mTriggerIndex.clear();
  mZones.clear();
  mComplexZones.clear();
  mModes.clear();
  mAlphaFades.clear();
  mOverlayBursts.clear();
  mObjectEffects.clear();
  mFindItems.clear();
  mItemWindowNames.clear();
  mSoundSequences.clear();
  mEpisod = nullptr;
  mOwner = nullptr;
  mMiniGame = nullptr;
  mShade.mObject = nullptr;
  mShade2.mObject = nullptr;
  delete mAmbientSound;
  delete mMusic;
  delete mSounds;
  mAmbientSound = nullptr;
  mMusic = nullptr;
  mSounds = nullptr;
  return 0;
}

int32_t CBaseBack::UnLoad(uint32_t flags) {
  for (SObjectEntry& entry : mEntries) {
    if (entry.mObject) entry.mObject->UnLoad(flags);
    if (entry.mTrigger) entry.mTrigger->UnLoad(flags);
  }
  return 1;
}

void CBaseBack::InitObjects() {
  const zormath::Mat4f identity = zormath::Mat4f::Identity();
  for (SObjectEntry& entry : mEntries) {
    entry.mActive = 1;
    entry.mClickable = 1;
    entry.mState = 0;
    entry.mDepthTest = 0;
    entry.mEffectFlag = 0;
    entry.mUpdating = 1;
    entry.mRender2D = 1;
    entry.mClickThrough = 0;
    if (entry.mObject) {
      entry.mObject->LoadTransformForMesh();
      if (!entry.mShared) entry.mObject->SetWorldMatrix3D(identity);
      entry.mObject->Stop(0);
      entry.mObject->SetAlpha(1.0f);
      entry.mObject->SetRender2D(1);
    }
    if (entry.mTrigger) {
      entry.mTrigger->LoadTransformForMesh();
      entry.mTrigger->SetWorldMatrix3D(identity);
    }
  }
  if (mForm) {
    mForm->SetPositionZ3D(0.0f);
    mForm->SetPositionX3D(0.0f);
    mForm->SetScale(1.0f, 1.0f, 1.0f);
  }
}

int32_t CBaseBack::ReInitForm() {
  if (mForm) mForm->ReInit();
  return 0;
}

int32_t CBaseBack::ReapplyState(int) {
  ResetAllZones();
  ApplySaveInfo();
  UpdateAllZones(0);
  return 1;
}

std::wstring CBaseBack::GetBackName() const { return mFileName; }

bool CBaseBack::IsRecordListEmpty() const { return mDelayedActions.empty(); }

bool CBaseBack::IsIdle() const { return mModes.empty() && mBusy == 0; }

bool CBaseBack::IsInputEnabled() const {
  // An open mini-game that owns the frame takes the input.
  if (!mModes.empty() && mModes.front() == 1 && mMiniGame && mMiniGame->IsActive()) return false;
  return mBusy == 0;
}

bool CBaseBack::GetFrontMode() const { return !mModes.empty() && mModes.front() == 6; }

int32_t CBaseBack::CloseRegion(int) { return FinishPending(); }

// ---- hooks of the scene classes ---------------------------------------------

int32_t CBaseBack::OnAction(const std::wstring&, int) { return 1; }
int32_t CBaseBack::ExtraHookA(int) { return 0; }
int32_t CBaseBack::ExtraHookB(int) { return 0; }
int32_t CBaseBack::ExtraQuery() { return 0; }
int32_t CBaseBack::HasActiveObjects() { return 0; }
bool CBaseBack::QueryMark(const std::wstring&, const zormath::Vec3f&) { return false; }
void CBaseBack::OnHogHover(int) {}
void CBaseBack::OnPickItem(const std::wstring&) {}
void CBaseBack::UpdateBackSounds(float) {}
bool CBaseBack::FindAction(const std::wstring&, SLogicActionEntry*&) { return false; }

// ---- owner forwarding ----------------------------------------------------------
// A region hands these to the scene it is opened in; a scene without an
// owner answers neutrally.

int32_t CBaseBack::DoActionInRegion(const std::wstring& region, const std::wstring& name, int mode,
                                    SLogicAction* record, int mask) {
  return mOwner ? mOwner->DoActionInRegion(region, name, mode, record, mask) : 0;
}

int32_t CBaseBack::RunActionByNameInRegion(const std::wstring& region, const std::wstring& name, int mode,
                                           SLogicAction* record, int mask) {
  return mOwner ? mOwner->RunActionByNameInRegion(region, name, mode, record, mask) : 0;
}

void CBaseBack::SetObjectRotating2InRegion(const std::wstring& region, const std::wstring& name, int value) {
  if (mOwner) mOwner->SetObjectRotating2InRegion(region, name, value);
}

void CBaseBack::SetObjectRender2DInRegion(const std::wstring& region, const std::wstring& name, int value) {
  if (mOwner) mOwner->SetObjectRender2DInRegion(region, name, value);
}

void CBaseBack::SetObjectTopLayerInRegion(const std::wstring& region, const std::wstring& name, int value) {
  if (mOwner) mOwner->SetObjectTopLayerInRegion(region, name, value);
}

void CBaseBack::ShowObjectInRegion(const std::wstring& region, const std::wstring& name, int visible,
                                   const std::wstring& command, int reload) {
  if (mOwner) mOwner->ShowObjectInRegion(region, name, visible, command, reload);
}

void CBaseBack::SetObjectClickableInRegion(const std::wstring& region, const std::wstring& name, int value) {
  if (mOwner) mOwner->SetObjectClickableInRegion(region, name, value);
}

void CBaseBack::ShowObjectGroupInRegion(const std::wstring& region, const std::wstring& prefix, int visible,
                                        const std::wstring& command, int reload, int first, int last) {
  if (mOwner) mOwner->ShowObjectGroupInRegion(region, prefix, visible, command, reload, first, last);
}

void CBaseBack::SetObjectGroupClickableInRegion(const std::wstring& region, const std::wstring& prefix, int value,
                                                int first, int last) {
  if (mOwner) mOwner->SetObjectGroupClickableInRegion(region, prefix, value, first, last);
}

bool CBaseBack::IsObjectRotatingInRegion(const std::wstring& region, const std::wstring& name) {
  return mOwner ? mOwner->IsObjectRotatingInRegion(region, name) : false;
}

bool CBaseBack::IsObjectActiveInRegion(const std::wstring& region, const std::wstring& name) {
  return mOwner ? mOwner->IsObjectActiveInRegion(region, name) : false;
}

bool CBaseBack::IsObjectParamCSetInRegion(const std::wstring& region, const std::wstring& name) {
  return mOwner ? mOwner->IsObjectParamCSetInRegion(region, name) : false;
}

std::wstring CBaseBack::OwnerName() const { return mOwner ? mOwner->GetName() : std::wstring(); }

void CBaseBack::LogInvalidCast(const std::wstring& name) const {
  // Tagged with the header, where the typed lookup lives.
  zuzorev::LogMessage(zuzorev::ELogLevel::Error, L"Include/Levels/BaseBack", __LINE__,
                      L"Invalid dynamic cast.!!! BackName = %s ObjectName = %s", GetName().c_str(), name.c_str());
}
