// The ghost-collectible window, the morph glow and the diary effect.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "Engine/RerivuzoZurodo/ParticleEffect.h"
#include "Engine/rovovoz/GUILabel.h"
#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/rovovoz/TriangleObject3D.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Interface/GamePanel.h"
#include "Interface/InterfaceHelpers.h"
#include "PlayerRecord.h"

float MorphStrengthAt(float t) {
  float a = std::min(t / 0.3f, 1.0f);
  if (t > 2.5f) a = 1.0f - 2.0f * (t - 2.5f);
  return a;
}

float GhostWindowOffsetAt(float t) {
  if (t > 5.0f) return (t - 5.0f) * -2.0f * 330.0f;
  if (t > 2.0f) return 0.0f;
  if (t > 1.5f) return (1.0f - 2.0f * (t - 1.5f)) * -330.0f;
  return -330.0f;
}

void CGamePanel::AddGhostObject() {
  if (!mGhostShown) {
    mGhostShown = 1;
    mGhostTime = 0.0f;
  }
  ++gCurrentPlayer.mGhostCount;
  if (mLGhost) {
    wchar_t text[32];
    std::swprintf(text, 32, L"%u/35", gCurrentPlayer.mGhostCount);
    mLGhost->SetText(text);
  }
  ui::PlaySound(GetCore(), L"Vzyatie_prizrachnogo_obekta");
}

void CGamePanel::UpdateGhostAndMorph(float dt, rovovoz::CMouseCursor* cursor) {
  if (mMorphActive) {
    mMorphTime += dt;
    if (mMorphTime > 3.0f) mMorphActive = 0;
  }
  if (!mGhostShown) return;
  mGhostTime += dt;
  if (mGhostTime > 5.5f) {
    mGhostShown = 0;
    mGhostTime = 0.0f;
    return;
  }
  const bool click = GetCore() && GetCore()->GetInput() && GetCore()->GetInput()->IsButton(0, 1);
  if (mGhostTime > 2.0f && mGhostTime < 5.0f && click && cursor && mGhostClose &&
      mGhostClose->PickOrthoPointY(cursor->GetPosition3D()))
    mGhostTime = 5.0f;
}

void CGamePanel::RenderGhostWindow() {
  for (int i = 0; i < mItemCount; ++i) {
    SPanelItem& item = *mItems[static_cast<size_t>(i)];
    if (item.state != SPanelItem::kFlyingIn || !item.model) continue;
    item.model->SetAlpha(1.0f);
    item.model->SetPosition3D(item.current.x, item.current.y, item.current.z + item.timer * mSlideOffset);
    item.model->Render();
  }
  RenderItemHint();
  if (!mGhostShown || !mGhostWindow) return;
  const float offset = GhostWindowOffsetAt(mGhostTime);
  auto drawMoved = [offset](rovovoz::CBaseGeometryObject* object) {
    if (!object) return;
    object->AddPositionX3D(offset);
    object->Render();
    object->AddPositionX3D(-offset);
  };
  drawMoved(mGhostWindow.get());
  drawMoved(mLGhost);
  drawMoved(mLGhost2);
}

void CGamePanel::StartMorphEffect(float x, float y, float z, rovovoz::CBaseGeometryObject* object) {
  mMorphTime = 0.0f;
  mMorphObject = object;
  mMorphActive = 1;
  if (mMorphIn) mMorphIn->SetPosition3D(x, y, z);
  if (mMorphOut) mMorphOut->SetPosition3D(x, y, z);
}

int CGamePanel::RenderMorphEffect() {
  if (!mMorphActive) return mMorphActive;
  const float s = 0.1f * MorphStrengthAt(mMorphTime);
  const float t = mMorphTime;
  const std::pair<rovovoz::CStaticObject3D*, float> overlays[2] = {{mMorphIn.get(), t}, {mMorphOut.get(), -t}};
  for (const auto& [overlay, angle] : overlays) {
    if (!overlay) continue;
    overlay->SetDirection3D(zormath::Vec3f(std::cos(angle), 0.0f, std::sin(angle)));
    overlay->RenderShadow(0.0f, 0.0f, s, 0.3f, 0.3f, 1.0f, s);
    overlay->RenderAsOverlay(0.5f * s);
  }
  if (mMorphObject) mMorphObject->Render();
  return mMorphActive;
}

void CGamePanel::StartDnevnikEffect(int withSound) {
  if (!mBloknot) return;
  if (withSound) ui::PlaySound(GetCore(), L"Otkrytie_dnevnika");
  mDnevnikTimer = 5.0f;
}

void CGamePanel::UpdateDnevnikEffect(float dt) {
  if (!mBloknot) return;
  const float previous = mDnevnikTimer;
  mDnevnikTimer = std::max(mDnevnikTimer - dt, 0.0f);
  if (mDnevnikTimer <= 0.01f) return;
  if ((previous - 1.0f) * (mDnevnikTimer - 1.0f) <= 0.0f && dt != 0.0f) ui::PlaySound(GetCore(), L"Zakrytie_dnevnika");
  float alpha = 1.0f;
  if (mDnevnikTimer > 4.0f) alpha = 1.0f - (mDnevnikTimer - 4.0f);
  if (mDnevnikTimer < 1.0f) alpha = mDnevnikTimer;
  mBloknot->SetAlpha(alpha);
  if (mDnevnikCloseSel) mDnevnikCloseSel->SetAlpha(alpha);
  mBloknot->Update(dt, nullptr);
}
