// Per frame: the entries' update with picking under the mouse, the view
// transform, and the drawing in two layers around the game panel.
#include "Engine/rovovoz/Camera.h"
#include "Engine/rovovoz/GUIForm.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/rovovoz/ParticleSystem.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/rovovoz/TriangleObject3D.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Game.h"
#include "Interface/GamePanel.h"
#include "Levels/BaseBack.h"
#include "Objects/MaxAnim.h"

namespace {

constexpr float kVirtualWidth = 1024.0f;
constexpr float kVirtualHeight = 768.0f;
constexpr float kNoHeight = -10000.0f;

// Trigger names the developer "find" clicks: "?K..." and "?HK...".
bool IsDebugFindName(const std::wstring& name) {
  if (name.size() >= 2 && name[1] == L'K') return true;
  return name.size() >= 3 && name[1] == L'H' && name[2] == L'K';
}

// The game's camera; before it exists, one set up the same way.
const rovovoz::CCamera& PickCamera() {
  static const rovovoz::CCamera kDefault;
  return gCamera ? *gCamera : kDefault;
}

}  // namespace

int32_t CBaseBack::UpdateEntries(float dt, rovovoz::CMouseCursor* cursor, int noPick) {
  // Without a cursor there is no pointer, so nothing is under it.
  rovovoz::SRay ray;
  const bool haveRay = cursor != nullptr;
  if (haveRay) {
    zormath::Vec3f point;
    cursor->GetPosition(point, 1);
    PickCamera().OrthoScreenToWorld(ray, kVirtualWidth, kVirtualHeight, point, 1);
  }
  float bestHeight = kNoHeight;
  int best = -1;
  bool bestPassesThrough = false;
  mTipRequest = 0;
  zuzorev::CInputSystem* input = mCore ? mCore->GetInput() : nullptr;
  const int pressed = input && input->IsButton(0, zuzorev::kInputDown) ? 1 : 0;
  const bool picking = !mNoPick && !noPick;

  for (int i = 0; i < GetEntryCount(); ++i) {
    {
      SObjectEntry& entry = mEntries[static_cast<size_t>(i)];
      if (entry.mActive && entry.mObject && entry.mUpdating) {
        if (entry.mRotateSpeed != 0.0f) entry.mObject->RotateAxisY(entry.mRotateSpeed * dt);
        entry.mObject->Update(dt, cursor);
      }
      if (!picking || !entry.mUpdating || !entry.mTrigger || !entry.mClickable || entry.mState != 1) continue;
      if (mDebugFind && IsDebugFindName(entry.mTriggerName)) OnClick(i, 1, cursor);
    }
    // OnClick may change entries; read them again.
    SObjectEntry& entry = mEntries[static_cast<size_t>(i)];
    float height = 0.0f;
    if (!haveRay || !entry.mTrigger || !entry.mTrigger->PickOrthoPointY(ray, height)) continue;
    if (height > bestHeight) {
      const bool passesThrough = entry.mClickThrough != 0;
      if (best != -1 && bestPassesThrough) OnClick(best, pressed, cursor);
      bestHeight = height;
      best = i;
      bestPassesThrough = passesThrough;
    } else if (entry.mClickThrough) {
      OnClick(i, pressed, cursor);
    }
  }
  mDebugFind = 0;
  if (picking) {
    OnClick(best, pressed, cursor);
    if (gGamePanel && !mModes.empty() && mModes.front() == 8 && best != -1 && best == mHintTarget)
      gGamePanel->SetCursorIcon(dt, cursor);
  }
  if (mTipRequest) ShowGameTip(L"");
  return mForm ? mForm->Update(dt, cursor) : 0;
}

void CBaseBack::UpdateObjects(float dt) {
  for (SObjectEntry& entry : mEntries) {
    if (!entry.mActive || !entry.mObject || !entry.mUpdating) continue;
    if (entry.mRotateSpeed != 0.0f) entry.mObject->RotateAxisY(entry.mRotateSpeed * dt);
    entry.mObject->Update(dt, nullptr);
  }
}

void CBaseBack::ApplyViewToObjects() { ApplyViewMatrix(false); }

void CBaseBack::ApplyViewMatrix(bool followersOnly) {
  for (SObjectEntry& entry : mEntries) {
    if (followersOnly && !entry.mFollowZoom) continue;
    if (entry.mObject && !entry.mShared) entry.mObject->SetWorldMatrix3D(mViewMatrix);
    if (entry.mTrigger) entry.mTrigger->SetWorldMatrix3D(mViewMatrix);
  }
  if (mOverlay) mOverlay->SetWorldMatrix3D(mViewMatrix);
  if (mForm) {
    mForm->SetPositionZ3D(mViewMatrix(3, 2));
    mForm->SetPositionX3D(mViewMatrix(3, 0));
    mForm->SetScale(mViewMatrix(0, 0), mViewMatrix(2, 2), 1.0f);
  }
}

void CBaseBack::RenderObjects(int pass) {
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  for (SObjectEntry& entry : mEntries) {
    if (!entry.mActive || !entry.mObject) continue;
    if (entry.mDepthTest && render) render->SetZEnable(1);
    if (!(gHideMode && entry.mState != 1)) DrawObject(entry, pass);
    if (entry.mDepthTest && render) render->SetZEnable(0);
  }
}

void CBaseBack::DrawObject(SObjectEntry& entry, int pass) {
  if (!entry.mObject) return;
  const bool aboveThePanel = entry.mFadeState == 2 || entry.mFadeState == 3;
  if (!((pass == 0 && !aboveThePanel) || (pass == 1 && aboveThePanel))) return;
  if (entry.mEffectFlag) {
    RenderObject(entry);
    return;
  }
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  if (entry.mAttachedModel || entry.mAttachedAnim) {
    if (render) render->SetZEnable(1);
    if (entry.mAttachedModel)
      entry.mAttachedModel->RenderTruncateTexture();
    else
      entry.mAttachedAnim->RenderTruncateTexture();
    entry.mObject->Render();
    if (render) render->SetZEnable(0);
    return;
  }
  entry.mObject->Render();
}

void CBaseBack::RenderObject(SObjectEntry& entry) {
  if (!entry.mObject) return;
  switch (entry.mFadeState) {
    case 0:
    case 2: entry.mObject->Render(); break;
    case 1:
    case 3: RenderObjectEffects(entry.mObject); break;
    default: break;
  }
}

void CBaseBack::ApplyObjectRender2D(int value) {
  for (SObjectEntry& entry : mEntries)
    if (entry.mRender2D && entry.mObject) entry.mObject->SetRender2D(value);
}

void CBaseBack::SetObjectsRender2D(int index, int value) {
  if (!IsEntryIndex(index)) return;
  if (rovovoz::CBaseGeometryObject* object = mEntries[static_cast<size_t>(index)].mObject) object->SetRender2D(value);
}

void CBaseBack::SetAllObjectsAlpha(float alpha) {
  for (SObjectEntry& entry : mEntries)
    if (entry.mObject) entry.mObject->SetAlpha(alpha);
  if (mOverlay) mOverlay->SetAlpha(alpha);
  SetEffectsAlpha(alpha);
}
