#include "Objects/MolniiElektr.h"

#include <tinyxml.h>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Objects/ObjectSupport.h"
#include "Platform/Random.h"

namespace {

constexpr const wchar_t* kSource = L"Source/Objects/MolniiElektr";
constexpr uint32_t kModelFlags = 8;

// A model of the mesh, dark until its first flash; null when it does not load.
rovovoz::CStaticObject3D* LoadDarkModel(rovovoz::CGameCore* core, const TiXmlElement& child,
                                        const std::wstring& file, uint32_t flags) {
  std::wstring mesh;
  if (!objects::ReadText(&child, "NameModel", mesh)) return nullptr;
  rovovoz::CStaticObject3D* model = objects::LoadStaticModel(core, file, mesh, flags | kModelFlags);
  if (model) model->GetMesh()->SetAlphaAll(0.0f);
  return model;
}

float NotNegative(float value) { return value < 0.0f ? 0.0f : value; }

}  // namespace

CMolniiElektr::CMolniiElektr(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

CMolniiElektr::~CMolniiElektr() { Release(0); }

int32_t CMolniiElektr::Load(uint32_t flags) {
  for (SMolniyaRecord& record : mRecords)
    if (record.mModel) record.mModel->Load(flags);
  if (mGlow) mGlow->Load(flags);
  return 1;
}

int32_t CMolniiElektr::UnLoad(uint32_t flags) {
  for (SMolniyaRecord& record : mRecords)
    if (record.mModel) record.mModel->UnLoad(flags);
  if (mGlow) mGlow->UnLoad(flags);
  return 1;
}

int32_t CMolniiElektr::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) {
  Release(0);
  if (!properties) {
    objects::Error(kSource, __LINE__, L"Null xml element.");
    return objects::kLoadFail;
  }
  const std::wstring file = objects::TextOr(properties, "NameFile", modelFile);
  mSpeedUnv = 1.0f;
  mSpeedUnvZasv = 1.0f;
  mKoefRand = 0.5f;
  objects::ReadFloat(properties, "speed_unv", mSpeedUnv);
  objects::ReadFloat(properties, "speed_unv_zasv", mSpeedUnvZasv);
  objects::ReadFloat(properties, "koef_rand", mKoefRand);
  mSpeedUnv = NotNegative(mSpeedUnv);
  mSpeedUnvZasv = NotNegative(mSpeedUnvZasv);
  mKoefRand = NotNegative(mKoefRand);
  if (objects::ReadInt(properties, "State", mState) && mState < 0) mState = 0;
  mStartState = mState;
  objects::ReadText(properties, "NameSound", mNameSound);

  // Child names are the data's own spelling, compared exactly.
  for (const TiXmlElement* child = properties->FirstChildElement(); child; child = child->NextSiblingElement()) {
    const std::string name = child->ValueStr();
    if (name == "Molniya") {
      if (rovovoz::CStaticObject3D* spark = LoadDarkModel(mCore, *child, file, flags))
        mRecords.push_back(SMolniyaRecord{SMolniyaRecord::kSpark, spark, 0, 0.0f});
    } else if (name == "Zasvet") {
      std::wstring mesh;
      if (objects::ReadText(child, "NameModel", mesh)) {
        delete mGlow;
        mGlow = LoadDarkModel(mCore, *child, file, flags);
        if (mGlow) {
          zuzorev::CRenderSystem* render = objects::RenderOf(mCore);
          std::wstring seting;
          if (render && objects::ReadText(child, "Render", seting))
            mGlow->GetMesh()->SetRenderSeting(0, render->GetRenderSetingID(seting));
          objects::ReadInt(child, "CountRender", mCountRender);
        }
      }
      mRecords.push_back(SMolniyaRecord{SMolniyaRecord::kGlowPlace, nullptr, 0, 0.0f});
    }
  }
  return 0;
}

int32_t CMolniiElektr::Update(float dt, rovovoz::CMouseCursor*) {
  if (mState == 0) return 0;
  bool flashed = false;
  for (SMolniyaRecord& spark : mRecords) {
    if (spark.mKind != SMolniyaRecord::kSpark) continue;
    const float r = Platform::RandomFloat();
    if (r <= mKoefRand) {
      if (!spark.mLit) continue;
      spark.mIntensity -= mSpeedUnv * dt;
      if (spark.mIntensity <= 0.0f) {
        spark.mIntensity = 0.0f;
        spark.mLit = 0;
      }
      spark.mModel->GetMesh()->SetAlphaAll(mObjectAlpha * spark.mIntensity);
      continue;
    }
    flashed = true;
    spark.mLit = 1;
    spark.mIntensity = 1.0f;
    spark.mModel->GetMesh()->SetAlphaAll(mObjectAlpha);
    if (!mNameSound.empty() && mCore && mCore->GetSound()) mCore->GetSound()->Play(mNameSound, 0.0f, 1);
  }
  if (!mGlow) return 0;
  if (flashed) {
    mGlowLit = 1;
    mGlowIntensity = 1.0f;
    mGlow->GetMesh()->SetAlphaAll(mObjectAlpha);
  } else if (mGlowLit) {
    mGlowIntensity -= mSpeedUnvZasv * dt;
    if (mGlowIntensity <= 0.0f) {
      mGlowIntensity = 0.0f;
      mGlowLit = 0;
    }
    mGlow->GetMesh()->SetAlphaAll(mObjectAlpha * mGlowIntensity);
  }
  return 0;
}

int32_t CMolniiElektr::Render() {
  if (mState == 0) return 0;
  for (const SMolniyaRecord& record : mRecords) {
    if (record.mKind == SMolniyaRecord::kSpark) {
      if (record.mLit) record.mModel->Render();
    } else if (mGlow && mGlowLit) {
      for (int i = 0; i < mCountRender; ++i) mGlow->Render();
    }
  }
  return 0;
}

void CMolniiElektr::Darken() {
  for (SMolniyaRecord& record : mRecords) {
    record.mIntensity = 0.0f;
    record.mLit = 0;
    if (record.mModel) record.mModel->GetMesh()->SetAlphaAll(0.0f);
  }
  if (mGlow) mGlow->GetMesh()->SetAlphaAll(0.0f);
  mGlowLit = 0;
  mGlowIntensity = 0.0f;
}

void CMolniiElektr::SwitchOn(bool force) {
  if (!force && mState != 0) return;
  Darken();
  mState = 1;
}

int32_t CMolniiElektr::Stop(int mode) {
  Darken();
  // The scene puts every object into its start state with mode 0 when it
  // starts: the sparks are then on exactly when their data says so.
  mState = mode == kStopToStart ? mStartState : 0;
  return 0;
}

void CMolniiElektr::SetAlpha(float alpha) {
  mObjectAlpha = alpha < 0.0f ? 0.0f : (alpha > 1.0f ? 1.0f : alpha);
  if (mState == 0) return;
  for (SMolniyaRecord& record : mRecords)
    if (record.mModel && record.mLit) record.mModel->GetMesh()->SetAlphaAll(mObjectAlpha * record.mIntensity);
  if (mGlow && mGlowLit) mGlow->GetMesh()->SetAlphaAll(mObjectAlpha * mGlowIntensity);
}

void CMolniiElektr::ResetSettings() {
  mSpeedUnv = 1.0f;
  mSpeedUnvZasv = 1.0f;
  mGlowLit = 0;
  mGlowIntensity = 0.0f;
  mCountRender = 1;
  mKoefRand = 0.5f;
  mNameSound.clear();
  mObjectAlpha = 1.0f;
  mState = 0;
  mStartState = 0;
}

int32_t CMolniiElektr::Release(uint32_t flags) {
  rovovoz::CBaseGeometryObject::Release(flags);
  for (SMolniyaRecord& record : mRecords) delete record.mModel;
  mRecords.clear();
  delete mGlow;
  mGlow = nullptr;
  ResetSettings();
  return 0;
}

void CMolniiElektr::LoadTransformForMesh() {
  for (SMolniyaRecord& record : mRecords)
    if (record.mModel) record.mModel->LoadTransformForMesh();
  if (mGlow) mGlow->LoadTransformForMesh();
  rovovoz::CBaseGeometryObject::LoadTransformForMesh();
}

void CMolniiElektr::UpdateTempMatrix() {
  rovovoz::CBaseGeometryObject::UpdateTempMatrix();
  for (SMolniyaRecord& record : mRecords)
    if (record.mModel) record.mModel->SetWorldMatrix3D(GetTempMatrix3D());
  if (mGlow) mGlow->SetWorldMatrix3D(GetTempMatrix3D());
}

void CMolniiElektr::GetModelNames(std::vector<std::wstring>& names) const {
  for (const SMolniyaRecord& record : mRecords)
    if (record.mModel) names.push_back(record.mModel->GetNameModel());
  if (mGlow) names.push_back(mGlow->GetNameModel());
}
