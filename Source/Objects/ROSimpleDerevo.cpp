#include "Objects/ROSimpleDerevo.h"

#include <cmath>
#include <cwchar>

#include "Engine/rovovoz/StaticObject3D.h"
#include "Objects/ObjectSupport.h"
#include "Platform/Random.h"
#include "Platform/Strings.h"

namespace {
constexpr float kDegree = objects::kPi / 180.0f;
}

CROSimpleDerevo::CROSimpleDerevo(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {
  mShift = objects::kTwoPi * Platform::RandomFloat() / mFrequency;
}

CROSimpleDerevo::~CROSimpleDerevo() { Release(0); }

int32_t CROSimpleDerevo::Load(uint32_t flags) { return mModel ? mModel->Load(flags) : 1; }

int32_t CROSimpleDerevo::UnLoad(uint32_t flags) { return mModel ? mModel->UnLoad(flags) : 1; }

float CROSimpleDerevo::AmplitudeFromName(const std::wstring& mesh, float fallback) {
  std::vector<std::wstring> parts;
  Platform::SplitString(mesh, L"_", parts);
  if (parts.size() <= 2) return fallback;
  // A last part that is no number reads as 0: the model stays still.
  return static_cast<float>(std::wcstod(parts.back().c_str(), nullptr)) * kDegree;
}

int32_t CROSimpleDerevo::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) {
  Release(0);
  std::wstring mesh;
  if (objects::ReadText(properties, "NameModel", mesh))
    mModel = objects::LoadStaticModel(mCore, objects::TextOr(properties, "FileModel", modelFile), mesh, flags);
  if (mModel) {
    mRest = mModel->GetDirection3D();
    mModel->SetRender2D(0);
    mModel->GetMesh()->SetAllSmooth(0);
  }
  mAmplitude = AmplitudeFromName(mesh, mAmplitude);
  if (mModel) objects::AdoptModelLocation(*this, *mModel);
  float degrees = 0.0f;
  if (objects::ReadFloat(properties, "Amplituda", degrees)) mAmplitude = degrees * kDegree;
  objects::ReadFloat(properties, "Chastota", mFrequency);
  objects::ReadFloat(properties, "dAlpha", mShift);
  return 0;
}

int32_t CROSimpleDerevo::Update(float dt, rovovoz::CMouseCursor*) {
  mPhase = objects::AdvancePhase(mPhase, mFrequency, dt);
  const float angle = std::sin(mShift + mPhase) * mAmplitude;
  if (mModel) {
    // From the rest direction every time: the turn never accumulates.
    mModel->SetDirection3D(mRest);
    mModel->RotateAxisY(angle);
  }
  return 0;
}

int32_t CROSimpleDerevo::Render() {
  if (mModel) mModel->Render();
  return 0;
}

int32_t CROSimpleDerevo::Release(uint32_t) {
  delete mModel;
  mModel = nullptr;
  return 0;
}

void CROSimpleDerevo::LoadTransformForMesh() {
  if (!mModel) return;
  mModel->LoadTransformForMesh();
  objects::AdoptModelLocation(*this, *mModel);
}

void CROSimpleDerevo::SetAlpha(float alpha) {
  if (mModel) mModel->GetMesh()->SetAlphaAll(alpha);
}

void CROSimpleDerevo::UpdateTempMatrix() {
  rovovoz::CBaseGeometryObject::UpdateTempMatrix();
  if (mModel) mModel->SetWorldMatrix3D(GetWorldMatrix3D());
}

void CROSimpleDerevo::GetModelNames(std::vector<std::wstring>& names) const {
  if (mModel) names.push_back(mModel->GetNameModel());
}
