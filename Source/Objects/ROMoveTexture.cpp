#include "Objects/ROMoveTexture.h"

#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Objects/ObjectSupport.h"

CROMoveTexture::CROMoveTexture(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

CROMoveTexture::~CROMoveTexture() { Release(0); }

int32_t CROMoveTexture::Load(uint32_t flags) { return mModel ? mModel->Load(flags) : 1; }

int32_t CROMoveTexture::UnLoad(uint32_t flags) { return mModel ? mModel->UnLoad(flags) : 1; }

int32_t CROMoveTexture::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) {
  Release(0);
  std::wstring mesh;
  if (objects::ReadText(properties, "NameModel", mesh))
    mModel = objects::LoadStaticModel(mCore, objects::TextOr(properties, "FileModel", modelFile), mesh, flags);
  objects::ReadFloat(properties, "Vx", mSpeedU);
  objects::ReadFloat(properties, "Vy", mSpeedV);
  objects::ReadFloat(properties, "Vu", mSpeedU);
  objects::ReadFloat(properties, "Vv", mSpeedV);
  objects::ReadFloat(properties, "Dx", mStartU);
  objects::ReadFloat(properties, "Dy", mStartV);
  if (objects::ReadFloat(properties, "Alpha", mAlpha)) SetAlpha(1.0f);
  objects::ReadInt(properties, "Infinity", mInfinity);
  if (mInfinity == 0) mPlay = 2;
  objects::ReadInt(properties, "Play", mPlay);
  objects::ReadInt(properties, "AsOverlay", mOverlays);
  if (mModel) {
    std::wstring material;
    zuzorev::CRenderSystem* render = objects::RenderOf(mCore);
    if (render && objects::ReadText(properties, "Material", material)) {
      mModel->GetMesh()->SetRenderSeting(0, render->GetRenderSetingID(material));
      mModel->SetRender2D(0);
    }
    objects::AdoptModelLocation(*this, *mModel);
  }
  mOffsetU = mStartU;
  mOffsetV = mStartV;
  return 0;
}

int32_t CROMoveTexture::Update(float dt, rovovoz::CMouseCursor*) {
  if (mPlay != 1) return 0;
  // A whole texture further is the same picture.
  mOffsetU = objects::WrapUnit(mOffsetU + mSpeedU * dt * static_cast<float>(mDirection));
  mOffsetV = objects::WrapUnit(mOffsetV + mSpeedV * dt * static_cast<float>(mDirection));
  return 0;
}

int32_t CROMoveTexture::Render() {
  zuzorev::CRenderSystem* render = objects::RenderOf(mCore);
  if (!mModel || !render) return 0;
  // A two-coordinate texture translation: the offsets in the third row.
  zormath::Mat4f shift = zormath::Mat4f::Identity();
  shift(2, 0) = mOffsetU;
  shift(2, 1) = mOffsetV;
  render->SetTransform(zuzorev::kTransformTexture0, shift);
  render->SetTextureStageState(0, zuzorev::kTssTextureTransformFlags, zuzorev::kTextureTransformCount2);
  if (mOverlays < 1) {
    mModel->Render();
  } else {
    for (int i = 0; i < mOverlays; ++i) mModel->RenderAsOverlay(mAlpha);
  }
  render->SetTransform(zuzorev::kTransformTexture0, zormath::Mat4f::Identity());
  render->SetTextureStageState(0, zuzorev::kTssTextureTransformFlags, 0);
  return 0;
}

int32_t CROMoveTexture::Release(uint32_t) {
  delete mModel;
  mModel = nullptr;
  return 0;
}

void CROMoveTexture::LoadTransformForMesh() {
  if (!mModel) return;
  mModel->LoadTransformForMesh();
  objects::AdoptModelLocation(*this, *mModel);
}

void CROMoveTexture::SetAlpha(float alpha) {
  if (mModel) mModel->GetMesh()->SetAlphaAll(mAlpha * alpha);
}

int32_t CROMoveTexture::Stop(int mode) {
  if (mode == 1 || mInfinity == 0) mPlay = 2;
  return 2;
}

void CROMoveTexture::UpdateTempMatrix() {
  rovovoz::CBaseGeometryObject::UpdateTempMatrix();
  if (mModel) mModel->SetWorldMatrix3D(GetWorldMatrix3D());
}

void CROMoveTexture::Start(int backwards) {
  mOffsetU = 0.0f;
  mOffsetV = 0.0f;
  mPlay = 1;
  mDirection = backwards != 0 ? -1 : 1;
}
