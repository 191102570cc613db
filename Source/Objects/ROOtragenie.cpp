#include "Objects/ROOtragenie.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "Engine/rovovoz/StaticObject3D.h"
#include "Objects/ObjectSupport.h"

namespace {
constexpr uint32_t kVertexStride = 24;
}

CROOtragenie::CROOtragenie(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

CROOtragenie::~CROOtragenie() { Release(0); }

int32_t CROOtragenie::Load(uint32_t flags) { return mModel ? mModel->Load(flags) : 1; }

int32_t CROOtragenie::UnLoad(uint32_t flags) { return mModel ? mModel->UnLoad(flags) : 1; }

int32_t CROOtragenie::Release(uint32_t) {
  delete mModel;
  mModel = nullptr;
  mRestX.clear();
  mVertexCount = 0;
  return 0;
}

int32_t CROOtragenie::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) {
  Release(0);
  std::wstring mesh;
  if (objects::ReadText(properties, "NameModel", mesh))
    mModel = objects::LoadStaticModel(mCore, objects::TextOr(properties, "FileModel", modelFile), mesh, flags | 9u);
  if (mModel) {
    mModel->SetRender2D(0);
    mModel->GetMesh()->SetAllSmooth(0);
    zuzorev::CSubMesh sub = mModel->GetMesh()->GetSubMesh(0);
    zuzorev::CVertexBuffer* buffer = sub.GetVertexBuffer();
    // Only meshes laid out as positions first, 24 bytes apart, ripple.
    if (buffer && buffer->GetStride() == kVertexStride) {
      mVertexCount = static_cast<int32_t>(buffer->GetVertexCount());
      mRestX.resize(static_cast<size_t>(mVertexCount));
      const uint8_t* bytes = buffer->Bytes();
      for (int32_t i = 0; i < mVertexCount; ++i)
        std::memcpy(&mRestX[static_cast<size_t>(i)], bytes + static_cast<size_t>(i) * kVertexStride, 4);
    }
    sub.Release();
    objects::AdoptModelLocation(*this, *mModel);
  }
  mOwnAlpha = 0.85f;
  objects::ReadFloat(properties, "Amplituda", mAmplitude);
  float percent = 0.0f;
  if (objects::ReadFloat(properties, "StopProcent", percent)) mFadeDepth = percent / 100.0f;
  objects::ReadFloat(properties, "Skorost", mSpeed);
  objects::ReadFloat(properties, "KoefSdvigAmplituda", mWaveFactor);
  objects::ReadFloat(properties, "Alpha", mOwnAlpha);
  if (mModel) mModel->GetMesh()->SetAlphaAll(mOwnAlpha);
  return 0;
}

int32_t CROOtragenie::Update(float dt, rovovoz::CMouseCursor*) {
  if (!mModel) return 0;
  mWaveTime = objects::AdvancePhase(mWaveTime, mSpeed, dt);
  mAccumulator += dt;
  if (mAccumulator > kStep) {
    // One step per frame; a long frame carries the rest.
    mAccumulator -= kStep;
    Reshape();
  }
  return 0;
}

void CROOtragenie::Reshape() {
  const zuzorev::SAABBox& box = mModel->GetMesh()->GetBox();
  const float depth = box.Max.z - box.Min.z;
  // A flat mesh has no wave number: it stays still.
  if (!(depth > 0.0f) || mRestX.empty()) return;
  const float k = objects::kPi * (static_cast<float>(mVertexCount) / 6.0f + 3.0f) / depth * mWaveFactor;
  zuzorev::CSubMesh sub = mModel->GetMesh()->GetSubMesh(0);
  zuzorev::CVertexBuffer* buffer = sub.GetVertexBuffer();
  auto* bytes = buffer ? static_cast<uint8_t*>(buffer->Lock(0, 0, 0)) : nullptr;
  if (!bytes) return;
  const size_t count = std::min(mRestX.size(), static_cast<size_t>(buffer->GetVertexCount()));
  for (size_t i = 0; i < count; ++i) {
    uint8_t* vertex = bytes + i * kVertexStride;
    float z;
    std::memcpy(&z, vertex + 8, 4);
    float f = 1.0f;
    if (mFadeDepth > 1.0f) f = std::min(1.0f, (-z / depth) / mFadeDepth);
    const float x = mRestX[i] + mAmplitude * f * std::sin(z * k + mWaveTime);
    std::memcpy(vertex, &x, 4);
  }
  buffer->Unlock();
  sub.Release();
  ++mSteps;
}

int32_t CROOtragenie::Render() { return mModel ? mModel->Render() : 0; }

void CROOtragenie::LoadTransformForMesh() {
  if (!mModel) return;
  mModel->LoadTransformForMesh();
  objects::AdoptModelLocation(*this, *mModel);
}

void CROOtragenie::SetAlpha(float alpha) {
  mOwnAlpha = alpha;
  if (mModel) mModel->GetMesh()->SetAlphaAll(alpha);
}

void CROOtragenie::UpdateTempMatrix() {
  rovovoz::CBaseGeometryObject::UpdateTempMatrix();
  if (mModel) mModel->SetWorldMatrix3D(GetWorldMatrix3D());
}
