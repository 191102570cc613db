#include "Objects/ROMolnia.h"

#include <tinyxml.h>

#include <cmath>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Objects/ObjectSupport.h"
#include "Platform/Random.h"

namespace {

constexpr uint32_t kModelFlags = 8;
constexpr float kThunderFade = 0.5f;

// The brightness curve: a full flash, a pulse up to 0.43 s, a second pulse
// to 0.57 s and the bolts' afterglow to 0.8 s. The spans are worked out in
// single precision.
constexpr float kFullFlashEnd = 0.2f;
constexpr float kFirstPulseEnd = 0.43f;
constexpr float kSecondPulseEnd = 0.57f;
constexpr float kAfterglowEnd = 0.8f;
constexpr float kSecondPulseSpan = kSecondPulseEnd - kFirstPulseEnd;
constexpr float kAfterglowSpan = kAfterglowEnd - kSecondPulseEnd;
// The fourth model (a lit wall by custom) pulses twice as bright.
constexpr int kBrightObject = 3;

bool IsOverlay(const std::wstring& type) {
  std::wstring upper;
  for (wchar_t c : type) upper += static_cast<wchar_t>(std::towupper(c));
  return upper == L"OVERLAY";
}

}  // namespace

CROMolnia::CROMolnia(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

CROMolnia::~CROMolnia() { Release(0); }

int32_t CROMolnia::Load(uint32_t flags) {
  for (rovovoz::CStaticObject3D* object : mObjects)
    if (object) object->Load(flags);
  return 1;
}

int32_t CROMolnia::UnLoad(uint32_t flags) {
  for (rovovoz::CStaticObject3D* object : mObjects)
    if (object) object->UnLoad(flags);
  if (HasSound() && mCore && mCore->GetSound()) mCore->GetSound()->Stop(mSound, kThunderFade);
  return 1;
}

int32_t CROMolnia::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) {
  if (const TiXmlElement* base = properties ? FirstChildElementUpper(properties, "BaseProperties") : nullptr) {
    objects::ReadFloat(base, "Time1", mTime1);
    objects::ReadFloat(base, "Time2", mTime2);
    objects::ReadFloat(base, "Alpha1", mAlpha1);
    objects::ReadFloat(base, "Alpha2", mAlpha2);
    objects::ReadFloat(base, "TimeKoef", mTimeKoef);
  }
  if (const TiXmlElement* sound = properties ? FirstChildElementUpper(properties, "Sound") : nullptr)
    objects::ReadText(sound, "File", mSound);

  zuzorev::CRenderSystem* render = objects::RenderOf(mCore);
  for (const TiXmlElement* obj = properties ? FirstChildElementUpper(properties, "Obj") : nullptr;
       obj && mCount < kMaxObjects; obj = IterateChildrenElementUpper(properties, "Obj", obj)) {
    const int i = mCount++;
    std::wstring mesh;
    if (objects::ReadText(obj, "Model", mesh)) {
      delete mObjects[i];
      mObjects[i] = objects::LoadStaticModel(mCore, modelFile, mesh, flags | kModelFlags);
    }
    std::wstring type;
    if (mObjects[i] && objects::ReadText(obj, "Type", type) && IsOverlay(type)) {
      if (render) mObjects[i]->SetRenderSeting(render->GetRenderSetingID(L"MT_TEXTURE_ALPHA_SMOOTH_OVERLAY"));
      mObjects[i]->SetRender2D(0);
    }
    objects::ReadFloat(obj, "Alpha", mObjectAlphas[i]);
    objects::ReadInt(obj, "IsMoln", mIsMoln[i]);
  }
  // The first flash comes after a random part of a pause.
  mPause = mTime1 + Platform::RandomFloat() * (mTime2 - mTime1);
  mTimer = Platform::RandomFloat() * mPause;
  mStrength = mAlpha1 + Platform::RandomFloat() * (mAlpha2 - mAlpha1);
  return 0;
}

void CROMolnia::NextPause() {
  mPause = mTime1 + Platform::RandomFloat() * (mTime2 - mTime1);
  mStrength = mAlpha1 + Platform::RandomFloat() * (mAlpha2 - mAlpha1);
}

int32_t CROMolnia::Update(float dt, rovovoz::CMouseCursor*) {
  zuzorev::CInputSystem* input = mCore ? mCore->GetInput() : nullptr;
  // The key flashes at once, also while the cycle is frozen (TimeKoef 0)
  // or the frame adds no time.
  const bool forced = input && input->IsVKey(kFlashKey, kKeyReleased) && HasSound();
  if (forced) mTimer = mPause;
  mTimer += mTimeKoef * dt;
  // A broken frame time or speed must not stop the flashes for good.
  if (!std::isfinite(mTimer)) mTimer = 0.0f;
  if (mTimer > mPause || forced) {
    if (HasSound() && mCore && mCore->GetSound()) mCore->GetSound()->Play(mSound, 0.0f, 1);
    mTimer = 0.0f;
    NextPause();
  }
  return 0;
}

void CROMolnia::DrawAll(float alpha) {
  for (rovovoz::CStaticObject3D* object : mObjects) {
    if (!object) continue;
    object->GetMesh()->SetAlphaAll(alpha);
    object->Render();
  }
}

int32_t CROMolnia::Render() {
  const float t = mTimer;
  if (t < kFullFlashEnd) DrawAll(mObjectAlpha);
  if (t < kFirstPulseEnd) {
    const float f = t / kFirstPulseEnd;
    for (int i = 0; i < kMaxObjects; ++i) {
      if (!mObjects[i]) continue;
      float s = 4.0f * f * (1.0f - f);
      if (i == kBrightObject) s *= 2.0f;
      if (s > 1.0f) s = 1.0f;
      mObjects[i]->GetMesh()->SetAlphaAll(mObjectAlphas[i] * s * mStrength * mObjectAlpha);
      mObjects[i]->Render();
    }
  }
  if (t > kFirstPulseEnd && t < kSecondPulseEnd) {
    const float f = (t - kFirstPulseEnd) / kSecondPulseSpan;
    const float s = 4.0f * f * (1.0f - f);
    for (int i = 0; i < kMaxObjects; ++i) {
      if (!mObjects[i]) continue;
      mObjects[i]->GetMesh()->SetAlphaAll(mObjectAlphas[i] * s * mStrength * mObjectAlpha);
      mObjects[i]->Render();
    }
  }
  if (t > kSecondPulseEnd && t < kAfterglowEnd) {
    const float fade = 1.0f - (t - kSecondPulseEnd) / kAfterglowSpan;
    for (int i = 0; i < kMaxObjects; ++i) {
      if (!mObjects[i] || mIsMoln[i] == 0) continue;
      mObjects[i]->GetMesh()->SetAlphaAll(mObjectAlphas[i] * fade * 0.5f * mStrength * mObjectAlpha);
      mObjects[i]->Render();
    }
  }
  return 0;
}

int32_t CROMolnia::Release(uint32_t) {
  for (rovovoz::CStaticObject3D*& object : mObjects) {
    delete object;
    object = nullptr;
  }
  return 0;
}

void CROMolnia::UpdateTempMatrix() {
  rovovoz::CBaseGeometryObject::UpdateTempMatrix();
  for (rovovoz::CStaticObject3D* object : mObjects)
    if (object) object->SetWorldMatrix3D(GetWorldMatrix3D());
}

void CROMolnia::GetModelNames(std::vector<std::wstring>& names) const {
  for (const rovovoz::CStaticObject3D* object : mObjects)
    if (object) names.push_back(object->GetNameModel());
}
