#include "Objects/ROAnimTextureLoop.h"

#include <tinyxml.h>

#include <algorithm>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Objects/ObjectSupport.h"

namespace {
constexpr uint32_t kModelFlag = 8;
constexpr uint32_t kTextureData = 2;
}  // namespace

CROAnimTextureLoop::CROAnimTextureLoop(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

CROAnimTextureLoop::~CROAnimTextureLoop() { Release(0); }

int32_t CROAnimTextureLoop::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) {
  Release(0);
  std::wstring mesh;
  if (objects::ReadText(properties, "NameModel", mesh))
    mModel = objects::LoadStaticModel(mCore, objects::TextOr(properties, "FileModel", modelFile), mesh,
                                      flags | kModelFlag);
  objects::ReadInt(properties, "CountKadr", mCount);
  mCount = std::clamp(mCount, 0, static_cast<int32_t>(kMaxFrames));
  float framesPerSecond = 0.0f;
  if (objects::ReadFloat(properties, "CountKadrSek", framesPerSecond))
    mSpeed = mCount > 0 ? framesPerSecond / static_cast<float>(mCount) : 0.0f;
  objects::ReadInt(properties, "Napr", mDirection);
  mDirection = mDirection < 0 ? -1 : 1;
  objects::ReadText(properties, "TextreName", mNameStart);
  objects::ReadText(properties, "TextreName2", mNameEnd);
  if (const TiXmlAttribute* color = properties ? FindUpper(properties, "Color") : nullptr) mColor = DwordValue(color);
  objects::ReadInt(properties, "Infinity", mInfinity);
  if (mInfinity == 0) mPlay = 2;

  zuzorev::CRenderSystem* render = objects::RenderOf(mCore);
  if (mModel) {
    SetAlpha(1.0f);
    std::wstring material;
    if (render && objects::ReadText(properties, "Material", material))
      mModel->GetMesh()->SetRenderSeting(0, render->GetRenderSetingID(material));
    mModel->SetRender2D(0);
  }
  if (!render) return 0;
  const int loadNow = (flags & kTextureData) ? 1 : 0;
  // A missing picture leaves its frame empty; the loop goes on.
  for (int i = 1; i <= mCount; ++i)
    render->LoadTexture(objects::Numbered(mNameStart, i) + mNameEnd, mTextures[static_cast<size_t>(i - 1)], loadNow, 0);
  return 0;
}

int32_t CROAnimTextureLoop::Load(uint32_t flags) {
  if (flags & kTextureData)
    for (int i = 0; i < mCount; ++i) mTextures[static_cast<size_t>(i)].Load();
  if (mModel) mModel->Load(flags);
  return 1;
}

int32_t CROAnimTextureLoop::UnLoad(uint32_t flags) {
  if (flags & kTextureData)
    for (int i = 0; i < mCount; ++i) mTextures[static_cast<size_t>(i)].UnLoad();
  if (mModel) mModel->UnLoad(flags);
  return 1;
}

int32_t CROAnimTextureLoop::Release(uint32_t) {
  for (int i = 0; i < mCount; ++i) mTextures[static_cast<size_t>(i)].Release(1);
  delete mModel;
  mModel = nullptr;
  return 0;
}

int32_t CROAnimTextureLoop::Render() {
  if (mModel) mModel->Render();
  return 0;
}

int32_t CROAnimTextureLoop::Update(float dt, rovovoz::CMouseCursor*) {
  if (mPlay != 1 || mCount < 1) return 0;
  mPhase = objects::WrapUnit(mPhase + mSpeed * dt * static_cast<float>(mDirection));
  if (!mModel) return 0;
  const float span = static_cast<float>(mCount) - 0.001f;
  const int index = static_cast<int>(mDirection == -1 ? (mPhase + 1.0f) * span : mPhase * span);
  if (index < 0 || index >= mCount) return 0;
  mModel->GetMesh()->SetTexture(0, 0, mTextures[static_cast<size_t>(index)]);
  mShown = index;
  return 0;
}

void CROAnimTextureLoop::SetAlpha(float alpha) {
  if (!mModel) return;
  const float r = static_cast<float>((mColor >> 16) & 255u) / 255.0f;
  const float g = static_cast<float>((mColor >> 8) & 255u) / 255.0f;
  const float b = static_cast<float>(mColor & 255u) / 255.0f;
  const float a = static_cast<float>(mColor >> 24) / 255.0f * alpha;
  zuzorev::CSubMesh sub = mModel->GetMesh()->GetSubMesh(0);
  const zuzorev::SColorValue color{r, g, b, a};
  sub.Material().Diffuse = color;
  sub.Material().Ambient = color;
  sub.Material().Specular = color;
  mModel->GetMesh()->SetSubMesh(0, sub);
}

int32_t CROAnimTextureLoop::Stop(int mode) {
  if (mode == 1) mPlay = 2;
  mPhase = 0.0f;
  if (mInfinity == 0) mPlay = 2;
  return 2;
}

void CROAnimTextureLoop::UpdateTempMatrix() {
  rovovoz::CBaseGeometryObject::UpdateTempMatrix();
  if (mModel) mModel->SetWorldMatrix3D(GetWorldMatrix3D());
}
