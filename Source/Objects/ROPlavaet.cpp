#include "Objects/ROPlavaet.h"

#include <tinyxml.h>

#include <cmath>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Objects/ObjectSupport.h"
#include "Platform/Random.h"

namespace {

// A random start within the swing: the object made here starts anywhere in
// its whole period; one read from data, only in its first half. A still
// axis (frequency 0) starts at 0 rather than at an infinite phase.
float RandomShift(float periods, float frequency) {
  const float r = Platform::RandomFloat();
  return frequency != 0.0f ? periods * objects::kPi * r / frequency : 0.0f;
}

// One axis of PropertiesX / PropertiesZ.
void ReadAxis(const TiXmlElement* axis, float& amplitude, float& frequency, float& shift) {
  objects::ReadFloat(axis, "Amplituda", amplitude);
  objects::ReadFloat(axis, "Chastota", frequency);
  shift = RandomShift(1.0f, frequency);
  objects::ReadFloat(axis, "dAlpha", shift);
}

}  // namespace

CROPlavaet::CROPlavaet(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {
  mShift.x = RandomShift(2.0f, mFrequency.x);
  mShift.z = RandomShift(2.0f, mFrequency.z);
}

CROPlavaet::~CROPlavaet() { Release(0); }

int32_t CROPlavaet::Load(uint32_t flags) { return mModel ? mModel->Load(flags) : 1; }

int32_t CROPlavaet::UnLoad(uint32_t flags) { return mModel ? mModel->UnLoad(flags) : 1; }

int32_t CROPlavaet::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) {
  Release(0);
  std::wstring mesh;
  if (objects::ReadText(properties, "NameModel", mesh))
    mModel = objects::LoadStaticModel(mCore, objects::TextOr(properties, "FileModel", modelFile), mesh, flags);
  if (mModel) {
    objects::AdoptModelLocation(*this, *mModel);
    mRest = mModel->GetPosition3D();
    mModel->SetRender2D(0);
    mModel->GetMesh()->SetAllSmooth(0);
  }
  if (const TiXmlElement* x = properties ? FirstChildElementUpper(properties, "PropertiesX") : nullptr)
    ReadAxis(x, mAmplitude.x, mFrequency.x, mShift.x);
  if (const TiXmlElement* z = properties ? FirstChildElementUpper(properties, "PropertiesZ") : nullptr)
    ReadAxis(z, mAmplitude.z, mFrequency.z, mShift.z);
  return 0;
}

int32_t CROPlavaet::Update(float dt, rovovoz::CMouseCursor*) {
  mPhase.x = objects::AdvancePhase(mPhase.x, mFrequency.x, dt);
  mPhase.z = objects::AdvancePhase(mPhase.z, mFrequency.z, dt);
  // From the rest place every time, so nothing drifts away.
  mOffset = zormath::Vec3f(mAmplitude.x * std::sin(mShift.x + mPhase.x), 0.0f,
                           mAmplitude.z * std::sin(mShift.z + mPhase.z));
  if (mModel) mModel->SetPosition3D(mRest + mOffset);
  return 0;
}

int32_t CROPlavaet::Render() {
  if (!mModel) return 0;
  mModel->SetPosition3D(mRest + mOffset);
  mModel->Render();
  return 0;
}

int32_t CROPlavaet::Release(uint32_t) {
  delete mModel;
  mModel = nullptr;
  return 0;
}

void CROPlavaet::LoadTransformForMesh() {
  if (!mModel) return;
  mModel->LoadTransformForMesh();
  objects::AdoptModelLocation(*this, *mModel);
}

void CROPlavaet::SetAlpha(float alpha) {
  if (mModel) mModel->GetMesh()->SetAlphaAll(alpha);
}

void CROPlavaet::UpdateTempMatrix() {
  rovovoz::CBaseGeometryObject::UpdateTempMatrix();
  if (mModel) mModel->SetWorldMatrix3D(GetWorldMatrix3D());
}
