#include "Objects/LuchiPil.h"

#include <tinyxml.h>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Objects/ObjectSupport.h"
#include "Platform/Random.h"

namespace {

constexpr const wchar_t* kSource = L"Source/Objects/LuchiPil";
// The dust texture is read with the scene's textures.
constexpr uint32_t kTextureData = 2;

}  // namespace

CLuchiPil::CLuchiPil(rovovoz::CGameCore* core)
    : rovovoz::CBaseGeometryObject(core), mRender(objects::RenderOf(core)) {}

CLuchiPil::~CLuchiPil() {
  Release(0);
}

int32_t CLuchiPil::Load(uint32_t flags) {
  mMesh.Load(flags);
  if (flags & kTextureData) mDust.Load();
  return 1;
}

int32_t CLuchiPil::UnLoad(uint32_t flags) {
  mMesh.UnLoad(flags);
  if (flags & kTextureData) mDust.UnLoad();
  return 1;
}

int32_t CLuchiPil::Release(uint32_t flags) {
  mLayers.clear();
  mMesh.Release(flags);
  mDust.Release(static_cast<int>(flags));
  mMinDTime = mMaxDTime = mMinAlpha = mMaxAlpha = 0.0f;
  mRandomInterval = mRandomAlpha = 0;
  mTimer = mInterval = mDirection = 0.0f;
  mSpeed = 1.0f;
  return rovovoz::CBaseGeometryObject::Release(flags);
}

int32_t CLuchiPil::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) {
  Release(0);
  // Rays without their mesh have nothing to show: the scene drops them.
  if (!objects::LoadPropertiesMesh(kSource, __LINE__, mRender, properties, modelFile, flags, mMesh,
                                   L"Load luchi model."))
    return objects::kLoadFail;
  std::wstring dust;
  if (objects::ReadText(properties, "TexturePil", dust) &&
      mRender->LoadTexture(dust, mDust, (flags & kTextureData) ? 1 : 0, 0) <= 0)
    objects::Error(kSource, __LINE__, L"Load luchi dust texture %s.", dust.c_str());

  for (const TiXmlElement* pil = IterateChildrenElementUpper(properties, "Pil", nullptr); pil;
       pil = IterateChildrenElementUpper(properties, "Pil", pil)) {
    SLuchiPilLayer layer;
    objects::ReadFloat(pil, "du", layer.du);
    objects::ReadFloat(pil, "su", layer.su);
    objects::ReadFloat(pil, "sv", layer.sv);
    objects::ReadFloat(pil, "Speed", layer.Speed);
    layer.scroll = 0.0f;
    layer.matrix = zormath::Mat4f::Identity();
    layer.matrix(0, 0) = layer.su;
    layer.matrix(1, 1) = layer.sv;
    layer.matrix(2, 0) = layer.du;
    layer.matrix(2, 1) = layer.scroll;
    mLayers.push_back(layer);
  }
  if (const TiXmlElement* luchi = FirstChildElementUpper(properties, "Luchi")) {
    objects::ReadFloat(luchi, "MinDTime", mMinDTime);
    objects::ReadFloat(luchi, "MaxDTime", mMaxDTime);
    mRandomInterval = objects::CorrectRange(mMinDTime, mMaxDTime);
    objects::ReadFloat(luchi, "MinAlpha", mMinAlpha);
    objects::ReadFloat(luchi, "MaxAlpha", mMaxAlpha);
    mRandomAlpha = objects::CorrectRange(mMinAlpha, mMaxAlpha);
    objects::ReadFloat(luchi, "Speed", mSpeed);
  }
  mDustSeting = mRender->GetRenderSetingID(L"MT_LUCHI_PIL");
  SetLocationMatrix3D(mMesh.GetTransform());
  mMaterial = mMesh.GetD3DMaterial(0);
  mCurrentAlpha = mTargetAlpha = mMaterial.Diffuse.a;
  mDirection = 0.0f;
  mObjectAlpha = 1.0f;
  return 0;
}

void CLuchiPil::ShowAlpha() {
  mMaterial.Diffuse.a = mObjectAlpha * mCurrentAlpha;
  mMaterial.Ambient.a = mObjectAlpha * mCurrentAlpha;
  mMesh.SetD3DMaterial(0, mMaterial);
}

int32_t CLuchiPil::Update(float dt, rovovoz::CMouseCursor*) {
  for (SLuchiPilLayer& layer : mLayers) {
    layer.scroll = layer.scroll - layer.Speed * dt;
    if (layer.scroll < -1.0f) layer.scroll = layer.scroll + 1.0f;
    layer.matrix(2, 0) = layer.du;
    layer.matrix(2, 1) = layer.scroll;
  }
  if (!mRandomInterval || !mRandomAlpha) return 0;
  mTimer += dt;
  if (mInterval <= mTimer) {
    const float r1 = Platform::RandomFloat();
    mTargetAlpha = mMinAlpha + r1 * (mMaxAlpha - mMinAlpha);
    mDirection = mTargetAlpha > mCurrentAlpha ? 1.0f : mTargetAlpha < mCurrentAlpha ? -1.0f : 0.0f;
    mTimer = 0.0f;
    const float r2 = Platform::RandomFloat();
    mInterval = mMinDTime + r2 * (mMaxDTime - mMinDTime);
  }
  if (mDirection != 0.0f) {
    mCurrentAlpha = mCurrentAlpha + mDirection * dt * mSpeed;
    if ((mDirection > 0.0f && mCurrentAlpha >= mTargetAlpha) || (mDirection < 0.0f && mCurrentAlpha <= mTargetAlpha)) {
      mCurrentAlpha = mTargetAlpha;
      mDirection = 0.0f;
    }
  }
  ShowAlpha();
  return 0;
}

int32_t CLuchiPil::Render() {
  if (!mRender) return 0;
  mRender->SetTransform(zuzorev::kTransformWorld, mTemp);
  mRender->RenderMesh(mMesh, 0, 1);
  // The dust: stage 1 takes camera-space positions through each layer's
  // texture transform.
  mRender->BindTexture(1, mDust);
  mRender->SetTextureStageState(1, zuzorev::kTssTexCoordIndex, zuzorev::kTexCoordCameraSpacePosition);
  mRender->SetTextureStageState(1, zuzorev::kTssTextureTransformFlags, 2);
  for (const SLuchiPilLayer& layer : mLayers) {
    mRender->SetTransform(zuzorev::kTransformTexture1, layer.matrix);
    mRender->BindRenderSeting(mDustSeting, 1, 0);
    mRender->RenderMeshEx(mMesh, 0, 1, 1, 1);
  }
  mRender->SetTextureStageState(1, zuzorev::kTssTexCoordIndex, 1);
  mRender->SetTextureStageState(1, zuzorev::kTssTextureTransformFlags, 0);
  return 0;
}

void CLuchiPil::LoadTransformForMesh() {
  rovovoz::CBaseGeometryObject::LoadTransformForMesh();
  if (!mMesh.Empty()) SetLocationMatrix3D(mMesh.GetTransform());
}

void CLuchiPil::SetAlpha(float alpha) {
  mObjectAlpha = zormath::Clamp(alpha, 0.0f, 1.0f);
  ShowAlpha();
}
