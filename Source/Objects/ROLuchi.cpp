#include "Objects/ROLuchi.h"

#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Objects/ObjectSupport.h"

namespace {

// Bits added to the load flags of the models the effect objects own.
constexpr uint32_t kModelFlags = 8;
// Below this the overlay pass would add nothing to see.
constexpr float kOverlayVisible = 0.01f;

void StartMover(CROLuchi::CMover& mover, float t1, float t2, float a1, float a2) {
  mover.SetTimeRange(t1, t2);
  mover.SetValueRange(a1, a2);
  mover.SetRepeat(CROLuchi::CMover::kEndless);
  mover.Start();
}

}  // namespace

CROLuchi::CROLuchi(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

CROLuchi::~CROLuchi() { Release(0); }

int32_t CROLuchi::Load(uint32_t flags) { return mModel ? mModel->Load(flags) : 1; }

int32_t CROLuchi::UnLoad(uint32_t flags) { return mModel ? mModel->UnLoad(flags) : 1; }

int32_t CROLuchi::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) {
  Release(0);
  std::wstring name;
  if (objects::ReadText(properties, "NameModel", name))
    mModel = objects::LoadStaticModel(mCore, objects::TextOr(properties, "FileModel", modelFile), name,
                                      flags | kModelFlags);
  if (objects::ReadFloat(properties, "Time1", mTime1)) mTime1Overlay = mTime1;
  if (objects::ReadFloat(properties, "Time2", mTime2)) mTime2Overlay = mTime2;
  objects::ReadFloat(properties, "Alpha1", mAlpha1);
  objects::ReadFloat(properties, "Alpha2", mAlpha2);
  objects::ReadFloat(properties, "Alpha1Overlay", mAlpha1Overlay);
  objects::ReadFloat(properties, "Alpha2Overlay", mAlpha2Overlay);
  objects::ReadFloat(properties, "Time1Overlay", mTime1Overlay);
  objects::ReadFloat(properties, "Time2Overlay", mTime2Overlay);
  zuzorev::CRenderSystem* render = objects::RenderOf(mCore);
  std::wstring material;
  if (mModel && render && objects::ReadText(properties, "Material", material)) {
    mModel->GetMesh()->SetRenderSeting(0, render->GetRenderSetingID(material));
    mModel->SetRender2D(0);
  }
  objects::ReadInt(properties, "Overlay", mOverlay);
  int32_t smooth = 0;
  if (mModel && objects::ReadInt(properties, "Smooth", smooth)) {
    mModel->SetRender2D(smooth);
    mModel->GetMesh()->SetAllSmooth(0);
  }
  StartMover(mRayMover, mTime1, mTime2, mAlpha1, mAlpha2);
  StartMover(mOverlayMover, mTime1Overlay, mTime2Overlay, mAlpha1Overlay, mAlpha2Overlay);
  Update(0.0f, nullptr);
  return 0;
}

int32_t CROLuchi::Update(float dt, rovovoz::CMouseCursor*) {
  if (!mModel) return 0;
  if (!mRayMover.Update(dt)) mRayValue = mRayMover.GetValue();
  if (!mOverlayMover.Update(dt)) mOverlayValue = mOverlayMover.GetValue();
  return 0;
}

int32_t CROLuchi::Render() {
  if (!mModel) return 0;
  if (mOverlayValue > kOverlayVisible) mModel->RenderAsOverlay(mObjectAlpha * mOverlayValue);
  const float alpha = mObjectAlpha * mRayValue;
  if (mOverlay == 0) {
    mModel->SetAlpha(alpha);
    mModel->Render();
    mModel->SetAlpha(1.0f);
  } else {
    mModel->RenderAsOverlay(alpha);
  }
  return 0;
}

int32_t CROLuchi::Release(uint32_t) {
  delete mModel;
  mModel = nullptr;
  return 0;
}

void CROLuchi::SetAlpha(float alpha) {
  mObjectAlpha = alpha;
  if (mModel && mOverlay == 0) mModel->SetAlpha(alpha * mRayValue);
}

void CROLuchi::UpdateTempMatrix() {
  rovovoz::CBaseGeometryObject::UpdateTempMatrix();
  if (mModel) mModel->SetWorldMatrix3D(GetWorldMatrix3D());
}
