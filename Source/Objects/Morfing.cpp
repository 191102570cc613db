#include "Objects/Morfing.h"

#include <algorithm>
#include <cmath>

#include "Engine/rovovoz/StaticObject3D.h"
#include "Objects/ObjectSupport.h"
#include "Platform/Random.h"

namespace {
// Blink: flashes up to 4 units (2 per second), the first model fades out
// by 6, and both stay hidden until 11.
constexpr float kFlashesEnd = 4.0f;
constexpr float kBlinkEnd = 11.0f;
// The cross-fade takes the last two seconds of a showing.
constexpr float kFadeSeconds = 2.0f;
}  // namespace

CMorfing::CMorfing(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

CMorfing::~CMorfing() { Release(0); }

int32_t CMorfing::Load(uint32_t flags) {
  if (mFirst) mFirst->Load(flags);
  if (mSecond) mSecond->Load(flags);
  return 1;
}

int32_t CMorfing::UnLoad(uint32_t flags) {
  if (mFirst) mFirst->UnLoad(flags);
  if (mSecond) mSecond->UnLoad(flags);
  return 1;
}

void CMorfing::DrawInterval() {
  const float r = Platform::RandomFloat();
  mInterval = r * (mIntervalMax - mIntervalMin) + mIntervalMin;
}

int32_t CMorfing::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) {
  Release(0);
  std::wstring mesh;
  if (objects::ReadText(properties, "NameModel", mesh))
    mFirst = objects::LoadStaticModel(mCore, objects::TextOr(properties, "FileModel", modelFile), mesh, flags);
  if (objects::ReadText(properties, "NameModel2", mesh))
    mSecond = objects::LoadStaticModel(mCore, objects::TextOr(properties, "FileModel2", modelFile), mesh, flags);
  objects::ReadFloat(properties, "T1", mIntervalMin);
  objects::ReadFloat(properties, "T2", mIntervalMax);
  mCurrent = 0;
  DrawInterval();
  mTime = 0.0f;
  if (mFirst) {
    SetLocationMatrix3D(mFirst->GetLocationMatrix3D());
    mFirst->SetLocationMatrix3D(zormath::Mat4f::Identity());
    if (mSecond) mSecond->SetLocationMatrix3D(zormath::Mat4f::Identity());
  }
  Update(0.0f, nullptr);
  return 0;
}

void CMorfing::SetAlphas(float first, float second) {
  if (mFirst) mFirst->SetAlpha(first);
  if (mSecond) mSecond->SetAlpha(second);
}

int32_t CMorfing::Update(float dt, rovovoz::CMouseCursor*) {
  if (mBlinking) {
    mBlinkTime += 2.0f * dt;
    if (mBlinkTime > kBlinkEnd) {
      mBlinking = 0;
      return 0;
    }
    if (mBlinkTime <= kFlashesEnd) {
      const float w = std::clamp((std::cos(mBlinkTime * objects::kPi) + 1.0f) / 2.0f, 0.0f, 1.0f);
      SetAlphas(mAlpha * w, mAlpha * (1.0f - w));
    } else {
      const float v = std::max(1.0f - (mBlinkTime - kFlashesEnd) / 2.0f, 0.0f);
      SetAlphas(mAlpha * v, 0.0f);
    }
    return 0;
  }
  mTime += dt;
  if (mTime > mInterval) {
    mTime = 0.0f;
    mCurrent = mCurrent == 0 ? 1 : 0;
    DrawInterval();
    SetAlphas(0.0f, 0.0f);
    if (mCurrent == 0) SetAlphas(mAlpha, 0.0f);
    else SetAlphas(0.0f, mAlpha);
    return 0;
  }
  const float v = std::min((mInterval - mTime) / kFadeSeconds, 1.0f);
  if (mCurrent == 0) SetAlphas(mAlpha * v, mAlpha * (1.0f - v));
  else SetAlphas(mAlpha * (1.0f - v), mAlpha * v);
  return 0;
}

int32_t CMorfing::Render() {
  if (mFirst) mFirst->Render();
  if (mSecond) mSecond->Render();
  return 0;
}

int32_t CMorfing::Release(uint32_t) {
  delete mFirst;
  delete mSecond;
  mFirst = nullptr;
  mSecond = nullptr;
  return 0;
}

void CMorfing::LoadTransformForMesh() {
  rovovoz::CBaseGeometryObject::LoadTransformForMesh();
  if (mFirst) mFirst->LoadTransformForMesh();
  if (mSecond) mSecond->LoadTransformForMesh();
  mBlinking = 0;
  mBlinkTime = 0.0f;
}

void CMorfing::SetAlpha(float alpha) {
  mAlpha = alpha;
  Update(0.0f, nullptr);
}

void CMorfing::UpdateTempMatrix() {
  rovovoz::CBaseGeometryObject::UpdateTempMatrix();
  if (mFirst) mFirst->SetWorldMatrix3D(GetWorldMatrix3D());
  if (mSecond) mSecond->SetWorldMatrix3D(GetWorldMatrix3D());
}

void CMorfing::SetRender2D(int on) {
  rovovoz::CBaseGeometryObject::SetRender2D(on);
  if (mFirst) mFirst->SetRender2D(on);
  if (mSecond) mSecond->SetRender2D(on);
}

void CMorfing::Start() {
  mBlinking = 1;
  mBlinkTime = 0.0f;
}

zormath::Vec3f CMorfing::GetPosition() const { return mFirst ? mFirst->GetPosition3D() : zormath::Vec3f(0, 0, 0); }

void CMorfing::GetModelNames(std::vector<std::wstring>& names) const {
  if (mFirst) names.push_back(mFirst->GetNameModel());
  if (mSecond) names.push_back(mSecond->GetNameModel());
}
