#include "Objects/ROAnimModelLoop.h"

#include <algorithm>
#include <cmath>

#include "Engine/rovovoz/StaticObject3D.h"
#include "Objects/ObjectSupport.h"
#include "Platform/Random.h"

namespace {

constexpr uint32_t kModelFlag = 8;
// A pause range this small (in passes) is no range: the fixed pause stays.
constexpr float kRandomPauseFrom = 0.1f;

float Fraction(float x) { return x - std::floor(x); }

}  // namespace

CROAnimModelLoop::CROAnimModelLoop(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

CROAnimModelLoop::~CROAnimModelLoop() { Release(0); }

void CROAnimModelLoop::DrawPause() {
  const float r = Platform::RandomFloat();
  mPause = r * (mPauseMax - mPauseMin) + mPauseMin;
}

int32_t CROAnimModelLoop::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) {
  Release(0);
  std::wstring base;
  objects::ReadText(properties, "NameModel", base);
  const std::wstring file = objects::TextOr(properties, "FileModel", modelFile);
  objects::ReadInt(properties, "CountKadr", mCount);
  mCount = std::min(mCount, static_cast<int32_t>(kMaxFrames));
  float framesPerSecond = 0.0f;
  if (objects::ReadFloat(properties, "CountKadrSek", framesPerSecond))
    mSpeed = mCount > 0 ? framesPerSecond / static_cast<float>(mCount) : 0.0f;
  objects::ReadInt(properties, "Napr", mDirection);
  mDirection = mDirection < 0 ? -1 : 1;
  objects::ReadInt(properties, "Play", mPlay);
  objects::ReadInt(properties, "Infinity", mInfinity);
  if (mInfinity == 0) mPlay = 2;
  objects::ReadInt(properties, "Overlay", mOverlay);
  // Pauses are kept in passes, signed like the direction.
  const float toPhase = mSpeed * static_cast<float>(mDirection);
  if (objects::ReadFloat(properties, "TimeStop", mPause)) mPause *= toPhase;
  if (objects::ReadFloat(properties, "TimeStop1", mPauseMin)) mPauseMin *= toPhase;
  if (objects::ReadFloat(properties, "TimeStop2", mPauseMax)) mPauseMax *= toPhase;
  objects::ReadFloat(properties, "Alpha", mAlpha);
  objects::ReadInt(properties, "StopRender", mStopRender);
  if (mPauseMax > kRandomPauseFrom) DrawPause();
  mPhase = 0.0f;
  if (mCount < 1) return 0;

  for (int i = 1; i <= mCount; ++i) {
    const std::wstring mesh = mCount == 1 ? base : objects::Numbered(base, i);
    rovovoz::CStaticObject3D* model = objects::LoadStaticModel(mCore, file, mesh, flags | kModelFlag);
    mModels[static_cast<size_t>(i - 1)] = model;
    if (!model) continue;
    model->SetRender2D(0);
    model->GetMesh()->SetAllSmooth(0);
  }
  return 0;
}

int32_t CROAnimModelLoop::Load(uint32_t flags) {
  for (rovovoz::CStaticObject3D* model : mModels)
    if (model) model->Load(flags);
  return 1;
}

int32_t CROAnimModelLoop::UnLoad(uint32_t flags) {
  for (rovovoz::CStaticObject3D* model : mModels)
    if (model) model->UnLoad(flags);
  return 1;
}

int32_t CROAnimModelLoop::Release(uint32_t) {
  for (rovovoz::CStaticObject3D*& model : mModels) {
    delete model;
    model = nullptr;
  }
  return 0;
}

int32_t CROAnimModelLoop::Update(float dt, rovovoz::CMouseCursor*) {
  if (mPlay != 1 || mCount < 1) return 0;
  mPhase += mSpeed * dt * static_cast<float>(mDirection);
  if (mDirection == 1) {
    if (mPhase > mPause + 1.0f) {
      mPhase = Fraction(mPhase - mPause);
      if (mPauseMax > kRandomPauseFrom) DrawPause();
    }
  } else if (mPhase < mPause - 1.0f) {
    mPhase = -Fraction(mPause - mPhase);
    if (mPauseMax > kRandomPauseFrom) DrawPause();
  }
  return 0;
}

int CROAnimModelLoop::GetShownFrame() const {
  if (mCount < 1) return -1;
  if ((mPhase < -1.0f || mPhase > 1.0f) && mStopRender == 0) return -1;
  const float x = std::clamp(mPhase, -1.0f, 1.0f);
  const float span = static_cast<float>(mCount) - 0.001f;
  const int index = static_cast<int>(mDirection == -1 ? (x + 1.0f) * span : x * span);
  if (index < 0 || index >= mCount) return -1;
  return mModels[static_cast<size_t>(index)] ? index : -1;
}

int32_t CROAnimModelLoop::Render() {
  const int index = GetShownFrame();
  if (index < 0) return 0;
  rovovoz::CStaticObject3D* model = mModels[static_cast<size_t>(index)];
  if (mOverlay == 0) {
    model->Render();
  } else {
    // Twice: a single additive pass is too faint for a glow.
    model->RenderAsOverlay(model->GetAlpha() * mAlpha);
    model->RenderAsOverlay(model->GetAlpha() * mAlpha);
  }
  return 0;
}

void CROAnimModelLoop::LoadTransformForMesh() {
  for (rovovoz::CStaticObject3D* model : mModels)
    if (model) model->SetLocationMatrix3D(zormath::Mat4f::Identity());
  rovovoz::CStaticObject3D* first = mModels[0];
  if (!first) return;
  first->LoadTransformForMesh();
  SetLocationMatrix3D(first->GetLocationMatrix3D());
  first->SetLocationMatrix3D(zormath::Mat4f::Identity());
}

void CROAnimModelLoop::SetAlpha(float alpha) {
  for (rovovoz::CStaticObject3D* model : mModels)
    if (model) model->GetMesh()->SetAlphaAll(alpha);
}

int32_t CROAnimModelLoop::Stop(int mode) {
  if (mode == 1) mPlay = 2;
  mPhase = 0.0f;
  if (mInfinity == 0) mPlay = 2;
  return 2;
}

void CROAnimModelLoop::UpdateTempMatrix() {
  rovovoz::CBaseGeometryObject::UpdateTempMatrix();
  for (rovovoz::CStaticObject3D* model : mModels)
    if (model) model->SetWorldMatrix3D(GetWorldMatrix3D());
}

void CROAnimModelLoop::Start(int backwards) {
  mPlay = 1;
  mDirection = backwards != 0 ? -1 : 1;
}

void CROAnimModelLoop::GetModelNames(std::vector<std::wstring>& names) const {
  for (int i = 0; i < mCount; ++i)
    if (const rovovoz::CStaticObject3D* model = mModels[static_cast<size_t>(i)])
      names.push_back(model->GetNameModel());
}

rovovoz::CStaticObject3D* CROAnimModelLoop::GetFrameModel(int i) const {
  return i >= 0 && i < kMaxFrames ? mModels[static_cast<size_t>(i)] : nullptr;
}
