#include "Objects/ROListopad.h"

#include <cmath>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Objects/ObjectSupport.h"
#include "Platform/Random.h"

namespace {

constexpr const wchar_t* kSource = L"Source/Objects/ROListopad";
constexpr uint32_t kModelFlags = 8;
constexpr float kScreenWidth = 1024.0f;
constexpr float kScreenHeight = 768.0f;

float Draw() { return Platform::RandomFloat(); }

// (x, z) turned about y by a: (x cos a - z sin a, x sin a + z cos a).
zormath::Vec3f TurnY(const zormath::Vec3f& v, float a) {
  return {v.x * std::cos(a) - v.z * std::sin(a), 0.0f, v.x * std::sin(a) + v.z * std::cos(a)};
}

}  // namespace

CROListopad::CROListopad(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

CROListopad::~CROListopad() { Release(0); }

int32_t CROListopad::Load(uint32_t flags) {
  for (rovovoz::CStaticObject3D* model : mModels)
    if (model) model->Load(flags);
  return 1;
}

int32_t CROListopad::UnLoad(uint32_t flags) {
  for (rovovoz::CStaticObject3D* model : mModels)
    if (model) model->UnLoad(flags);
  return 1;
}

int32_t CROListopad::Load(const TiXmlElement* properties, const std::wstring&, uint32_t flags) {
  Release(0);
  mModelCount = 0;
  mNum = kDefaultNum;
  objects::ReadInt(properties, "Num", mNum);
  if (mNum > kMaxNum) {
    zuzorev::LogMessage(zuzorev::ELogLevel::Warning, kSource, __LINE__, L"ROListopad Num %i cut to %i", mNum,
                        kMaxNum);
    mNum = kMaxNum;
  }
  if (mNum > 0) mLeaves.assign(static_cast<size_t>(mNum), SLeaf{});

  objects::ReadFloat(properties, "Scale", mScale);
  objects::ReadFloat(properties, "AddScale", mAddScale);
  objects::ReadFloat(properties, "R", mR);
  objects::ReadFloat(properties, "AddR", mAddR);
  objects::ReadFloat(properties, "Margin", mMargin);
  objects::ReadFloat(properties, "Razmah", mRazmah);
  objects::ReadFloat(properties, "Rot3D", mRot3D);
  objects::ReadFloat(properties, "Alpha", mAlpha);
  float vx = 0.0f;
  float vy = -100.0f;
  float dAngle = 1.0f;
  objects::ReadFloat(properties, "vx", vx);
  objects::ReadFloat(properties, "vy", vy);
  objects::ReadFloat(properties, "dAngle", dAngle);
  const zormath::Vec3f wind(vx, 0.0f, vy);
  mLeftWind = TurnY(wind, -dAngle / 2.0f);
  mRightWind = TurnY(wind, dAngle / 2.0f);

  std::wstring file;
  if (!objects::ReadText(properties, "File", file)) {
    objects::Error(kSource, __LINE__, L"No find attribute File");
    return objects::kLoadFail;
  }
  for (int i = 1; i <= kMaxModels; ++i) {
    std::wstring name;
    if (!objects::ReadText(properties, ("M" + std::to_string(i)).c_str(), name)) break;
    rovovoz::CStaticObject3D* model = objects::LoadStaticModel(mCore, file, name, flags | kModelFlags);
    if (!model) {
      zuzorev::LogMessage(zuzorev::ELogLevel::Warning, kSource, __LINE__, L"ROListopad failed load model %s",
                          name.c_str());
      // Leaves never started must not be started later by Update.
      mLeaves.clear();
      return objects::kLoadFail;
    }
    model->SetRender2D(0);
    model->SetAlpha(mAlpha);
    mModels[static_cast<size_t>(mModelCount++)] = model;
  }
  // Without a leaf model there is nothing to start or draw.
  if (mModelCount == 0) return 0;
  for (SLeaf& leaf : mLeaves) StartLeaf(leaf, true);
  return 0;
}

void CROListopad::StartLeaf(SLeaf& leaf, bool headStart) {
  const float r1 = Draw();
  leaf.mScale = mAddScale * r1 * Draw() + mScale;
  Draw();  // drawn and not used, so the sequence of draws stays as the data was tuned for
  leaf.mModel = mModels[static_cast<size_t>(Platform::Random() % mModelCount)];
  leaf.mSwing = (mAddR * Draw() + mR) * leaf.mScale;
  leaf.mSwingAngle = Draw() * 0.2f + mRazmah;
  leaf.mTumble = Draw() + 0.5f;
  leaf.mRhythm = Draw() * 2.0f;
  if (Platform::Random() % 2 == 0) leaf.mRhythm = -leaf.mRhythm;
  const float r = Draw();
  leaf.mVelocity = mLeftWind * r + mRightWind * (1.0f - r);

  const float ax = std::fabs(leaf.mVelocity.x);
  const float az = std::fabs(leaf.mVelocity.z);
  // A leaf without wind never crosses: it has no life and is never drawn.
  if (ax <= az)
    leaf.mLife = az > 0.0f ? std::fabs((2.0f * mMargin + kScreenHeight) / leaf.mVelocity.z) : 0.0f;
  else
    leaf.mLife = std::fabs((2.0f * mMargin + kScreenWidth) / leaf.mVelocity.x);
  if (!std::isfinite(leaf.mLife)) leaf.mLife = 0.0f;

  const float side = Draw();
  const float across = Draw();
  if (ax + az > 0.0f && side <= ax / (ax + az))
    leaf.mStart = zormath::Vec3f(mMargin + kScreenWidth / 2.0f, 0.0f, (0.5f - across) * kScreenHeight + mR);
  else
    leaf.mStart = zormath::Vec3f((0.5f - across) * kScreenWidth, 0.0f, mMargin + kScreenHeight / 2.0f + mR);
  // It enters on the side it moves away from.
  if (leaf.mVelocity.z > 0.0f) leaf.mStart.z = -leaf.mStart.z;
  if (leaf.mVelocity.x > 0.0f) leaf.mStart.x = -leaf.mStart.x;
  leaf.mElapsed = headStart ? Draw() * leaf.mLife : 0.0f;
  leaf.mPosition = leaf.mStart;
  leaf.mAngle = 0.0f;
}

int32_t CROListopad::Update(float dt, rovovoz::CMouseCursor*) {
  if (mModelCount == 0) return 0;
  for (SLeaf& leaf : mLeaves) {
    if (leaf.mLife <= leaf.mElapsed) {
      StartLeaf(leaf, false);
      continue;
    }
    leaf.mElapsed += dt;
    const float wave = std::sin(leaf.mElapsed * leaf.mRhythm);
    leaf.mAngle = wave * leaf.mTumble;
    const float p = wave * leaf.mSwingAngle;
    leaf.mPosition = leaf.mStart + leaf.mVelocity * leaf.mElapsed +
                     zormath::Vec3f(std::sin(p), 0.0f, 1.0f - std::cos(p)) * leaf.mSwing;
  }
  return 0;
}

int32_t CROListopad::Render() {
  const zormath::Mat4f& location = GetLocationMatrix3D();
  const zormath::Vec3f offset(location(3, 0), location(3, 1), location(3, 2));
  for (const SLeaf& leaf : mLeaves) {
    if (!leaf.mModel || !(leaf.mElapsed < leaf.mLife)) continue;
    const float a = leaf.mAngle;
    const float b = mRot3D * a;
    zormath::Mat4f orientation = zormath::Mat4f::Identity();
    orientation(0, 0) = std::cos(a);
    orientation(0, 2) = std::sin(a);
    orientation(1, 1) = std::cos(b);
    orientation(1, 2) = std::sin(b);
    orientation(2, 0) = -std::sin(a);
    orientation(2, 2) = std::cos(b) * std::cos(a);
    leaf.mModel->SetOrientationMatrix3D(orientation);
    const float s = leaf.mScale * 0.5f;
    leaf.mModel->SetScale(s, s, s);
    leaf.mModel->SetPosition3D(leaf.mPosition + offset);
    leaf.mModel->Render();
  }
  return 0;
}

int32_t CROListopad::Release(uint32_t) {
  for (rovovoz::CStaticObject3D*& model : mModels) {
    delete model;
    model = nullptr;
  }
  mModelCount = 0;
  mLeaves.clear();
  return 0;
}

void CROListopad::SetAlpha(float alpha) {
  mObjectAlpha = alpha;
  for (rovovoz::CStaticObject3D* model : mModels)
    if (model) model->SetAlpha(mAlpha * alpha);
}

void CROListopad::SetWorldMatrix3D(const zormath::Mat4f& m) {
  rovovoz::CBaseGeometryObject::SetWorldMatrix3D(m);
  for (rovovoz::CStaticObject3D* model : mModels)
    if (model) model->SetWorldMatrix3D(m);
}
