// Hint beams: the glowing beam that shrinks onto a hinted point of the
// scene, and the same beam over an inventory item.
#include <algorithm>

#include "Engine/rovovoz/StaticObject3D.h"
#include "Interface/GamePanel.h"
#include "Interface/InterfaceHelpers.h"

SBeamLook BeamLookAt(float t, bool clampAtZero) {
  const float p = t / 0.7f;
  float alpha = p < 1.0f ? p : 1.0f;
  if (t > 3.0f) alpha = 1.0f - 2.0f * (t - 3.0f);
  if (clampAtZero) alpha = std::max(alpha, 0.0f);
  SBeamLook look;
  look.alpha = alpha * 0.6f;
  look.size = p < 1.0f ? 1.0f + 7.0f * (1.0f - p * p) : 1.0f;
  return look;
}

void CGamePanel::ShowHintAt(float x, float y, float z, rovovoz::CBaseGeometryObject* object, int slot) {
  SHintBeam& beam = mSceneBeam[slot == 1 ? 1 : 0];
  beam.Position = zormath::Vec3f(x, y, z);
  ui::PlaySound(GetCore(), L"Poyavlenie_podskazki");
  beam.Time = 0.0f;
  beam.Active = 1;
  if (mHintIn) mHintIn->SetPosition3D(x, y, z);
  if (mHintOut) mHintOut->SetPosition3D(x, y, z);
  mHintTarget = object;
  if (object) mHintTargetPosition = object->GetPosition3D();
}

void CGamePanel::ShowHintOnItem(const std::wstring& name) {
  ui::PlaySound(GetCore(), L"Poyavlenie_podskazki");
  mItemBeam.Position = ScrollToItem(name, 1);
  mItemBeam.Active = 1;
  mItemBeam.Time = 0.0f;
  const int index = FindItem(name);
  if (index >= 0 && mItems[static_cast<size_t>(index)]->state == SPanelItem::kHeld) mItemBeam.Active = 0;
}

void CGamePanel::UpdateBeamClocks(float dt) {
  const bool itemFirst = mItemBeam.Active && mItemBeam.Time <= 0.5f;
  SHintBeam& first = mSceneBeam[0];
  SHintBeam& second = mSceneBeam[1];
  if (first.Active && !itemFirst) {
    first.Time += dt;
    if (first.Time > 3.5f) first.Active = 0;
  }
  // The second beam follows the first; without a first beam it does not wait.
  const bool afterFirst = !first.Active || first.Time > 0.75f;
  if (second.Active && !itemFirst && afterFirst) {
    second.Time += dt;
    if (second.Time > 3.5f) second.Active = 0;
  }
  if (mItemBeam.Active) {
    mItemBeam.Time += dt;
    if (mItemBeam.Time > 3.5f) mItemBeam.Active = 0;
  }
}

void CGamePanel::DrawBeamModels(const SBeamLook& look, const zormath::Vec3f& at, float turn,
                                const zormath::Mat4f* matrix) {
  const float sense[2] = {1.0f, -1.0f};
  rovovoz::CStaticObject3D* models[2] = {mHintIn.get(), mHintOut.get()};
  for (int i = 0; i < 2; ++i) {
    rovovoz::CStaticObject3D* model = models[i];
    if (!model) continue;
    const zormath::Vec3f rest = model->GetPosition3D();
    const zormath::Mat4f restWorld = model->GetWorldMatrix3D();
    model->SetPosition3D(at);
    model->SetScale(look.size * 0.5f, 0.5f, look.size * 0.5f);
    model->SetWorldMatrix3D(matrix ? *matrix : zormath::Mat4f::Identity());
    model->SetAngleAxisY(sense[i] * turn);
    model->RenderShadow(0.0f, 0.0f, look.alpha * 0.1f, 0.3f, 0.3f, 1.0f, 1.0f);
    model->RenderAsOverlay(look.alpha * 0.5f);
    model->SetPosition3D(rest);
    model->SetWorldMatrix3D(restWorld);
  }
}

int CGamePanel::RenderHintBeam(zormath::Mat4f matrix) {
  for (const SHintBeam& beam : mSceneBeam) {
    if (!beam.Active) continue;
    const SBeamLook look = BeamLookAt(beam.Time, true);
    if (mHintTarget) {
      const zormath::Vec3f rest = mHintTarget->GetPosition3D();
      const zormath::Mat4f restWorld = mHintTarget->GetWorldMatrix3D();
      mHintTarget->SetPosition3D(mHintTargetPosition);
      mHintTarget->SetAlpha(look.alpha);
      mHintTarget->SetWorldMatrix3D(matrix);
      mHintTarget->Render();
      mHintTarget->SetAlpha(1.0f);
      mHintTarget->SetPosition3D(rest);
      mHintTarget->SetWorldMatrix3D(restWorld);
    }
    DrawBeamModels(look, beam.Position, beam.Time, &matrix);
  }
  return mSceneBeam[0].Active || mSceneBeam[1].Active ? 1 : 0;
}

int CGamePanel::RenderItemHint() {
  if (mItemBeam.Active) DrawBeamModels(BeamLookAt(mItemBeam.Time, false), mItemBeam.Position, 0.0f, nullptr);
  return mItemBeam.Active;
}
