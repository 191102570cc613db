#include "Objects/Lampa.h"

#include <cmath>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Objects/ObjectSupport.h"
#include "Platform/Random.h"

namespace {

constexpr const wchar_t* kSource = L"Source/Objects/Lampa";

// A length or bound that cannot be negative.
void ReadNonNegative(const TiXmlElement* element, const char* name, float& value) {
  if (objects::ReadFloat(element, name, value) && value < 0.0f) value = 0.0f;
}

// When the Max of a (Min, Max) pair is read: a Min below it makes the pair
// random, else the Max becomes the Min.
void SettlePair(float low, float& high, int& random) {
  if (low < high)
    random = 1;
  else
    high = low;
}

}  // namespace

CLampa::CLampa(rovovoz::CGameCore* core)
    : rovovoz::CBaseGeometryObject(core), mRender(objects::RenderOf(core)) {}

CLampa::~CLampa() {
  Release(0);
}

int32_t CLampa::Load(uint32_t flags) {
  mMesh.Load(flags);
  return 1;
}

int32_t CLampa::UnLoad(uint32_t flags) {
  mMesh.UnLoad(flags);
  return 1;
}

void CLampa::ClearValues() {
  mTimeVis = mTimeUnVis = 0.0f;
  mMinAlpha = mMaxAlpha = 0.0f;
  mRandTVis = mRandTUnVis = mRandAlphaV = mRandAlphaUnV = 0;
  mTimeAddAlpha = mTimeSubAlpha = 0.0f;
  mFadeInElapsed = mFadeOutElapsed = mFadeInLength = mFadeOutLength = 0.0f;
  mMinTimeVis = mMaxTimeVis = mMinTimeUnVis = mMaxTimeUnVis = 0.0f;
  mRandOnFlicker = mRandOffFlicker = 0;
  mAlphaFrom = mAlphaTo = 0.0f;
  mState = kDark;
  mStateLength = mStateElapsed = 0.0f;
  mCurrentAlpha = 0.0f;
  mObjectAlpha = 1.0f;
}

int32_t CLampa::Release(uint32_t flags) {
  mMesh.Release(flags);
  ClearValues();
  return rovovoz::CBaseGeometryObject::Release(flags);
}

int32_t CLampa::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) {
  Release(0);
  // A lamp without its glow has nothing to show: the scene drops it.
  if (!objects::LoadPropertiesMesh(kSource, __LINE__, mRender, properties, modelFile, flags, mMesh,
                                   L"Load lampa model."))
    return objects::kLoadFail;
  int32_t visible = 0;
  objects::ReadInt(properties, "TVisible", visible);
  mState = visible == 1 ? kLit : kDark;
  // Negative phase lengths would never let a state end.
  ReadNonNegative(properties, "TimeVis", mTimeVis);
  ReadNonNegative(properties, "TimeUnVis", mTimeUnVis);
  objects::ReadInt(properties, "fRandTVis", mRandTVis);
  objects::ReadInt(properties, "fRandTUnVis", mRandTUnVis);
  objects::ReadInt(properties, "fRandAlphaV", mRandAlphaV);
  objects::ReadInt(properties, "fRandAlphaUnV", mRandAlphaUnV);
  objects::ReadFloat(properties, "MinAlpha", mMinAlpha);
  objects::ReadFloat(properties, "MaxAlpha", mMaxAlpha);
  objects::ReadFloat(properties, "TempTime", mStateElapsed);
  ReadNonNegative(properties, "MinTimeVis", mMinTimeVis);
  if (objects::ReadFloat(properties, "MaxTimeVis", mMaxTimeVis)) {
    if (mMaxTimeVis < 0.0f) mMaxTimeVis = 0.0f;
    SettlePair(mMinTimeVis, mMaxTimeVis, mRandOnFlicker);
  }
  ReadNonNegative(properties, "MinTimeUnVis", mMinTimeUnVis);
  if (objects::ReadFloat(properties, "MaxTimeUnVis", mMaxTimeUnVis)) {
    if (mMaxTimeUnVis < 0.0f) mMaxTimeUnVis = 0.0f;
    SettlePair(mMinTimeUnVis, mMaxTimeUnVis, mRandOffFlicker);
  }
  ReadNonNegative(properties, "TimeAddAlpha", mTimeAddAlpha);
  ReadNonNegative(properties, "TimeSubAlpha", mTimeSubAlpha);
  std::wstring seting;
  if (objects::ReadText(properties, "RenderName", seting))
    mMesh.SetRenderSeting(0, mRender->GetRenderSetingID(seting));

  if (mState == kLit) {
    mCurrentAlpha = mMaxAlpha;
    mStateLength = mTimeVis;
  } else {
    mCurrentAlpha = mMinAlpha;
    mStateLength = mTimeUnVis;
  }
  ShowAlpha();
  SetLocationMatrix3D(mMesh.GetTransform());
  return 0;
}

void CLampa::StepState() {
  switch (mState) {
    case kDark:
      if (mMinTimeVis == 0.0f && !mRandOnFlicker) {
        // Switch on at once: the length first, then the alpha.
        mState = kLit;
        mStateLength = mRandTVis ? Platform::RandomFloat() * mTimeVis : mTimeVis;
        mAlphaFrom = mCurrentAlpha;
        mCurrentAlpha =
            mRandAlphaV ? mMaxAlpha - Platform::RandomFloat() * (mMaxAlpha - mMinAlpha) : mMaxAlpha;
        mAlphaTo = mCurrentAlpha;
        if (mTimeAddAlpha > 0.0f) {
          // A fade longer than the lit phase is cut to the phase.
          mFadeInLength = mTimeAddAlpha <= mStateLength ? mTimeAddAlpha : mStateLength;
          mFadeInElapsed = 0.0f;
        }
      } else {
        // The flicker: the alpha first, then the length.
        mState = kSwitchingOn;
        mAlphaFrom = mCurrentAlpha;
        mAlphaTo = mRandAlphaV ? mMaxAlpha - Platform::RandomFloat() * (mMaxAlpha - mMinAlpha) : mMaxAlpha;
        mStateLength = mRandOnFlicker ? mMinTimeVis + Platform::RandomFloat() * (mMaxTimeVis - mMinTimeVis)
                                      : mMinTimeVis;
      }
      break;
    case kSwitchingOn:
      mCurrentAlpha = mAlphaTo;
      mStateLength = mRandTVis ? Platform::RandomFloat() * mTimeVis : mTimeVis;
      mState = kLit;
      break;
    case kLit:
      if (mMinTimeUnVis == 0.0f && !mRandOffFlicker) {
        mAlphaFrom = mCurrentAlpha;
        mState = kDark;
        mStateLength = mRandTUnVis ? Platform::RandomFloat() * mTimeUnVis : mTimeUnVis;
        mCurrentAlpha =
            mRandAlphaUnV ? mMinAlpha + Platform::RandomFloat() * (mMaxAlpha - mMinAlpha) : mMinAlpha;
        mAlphaTo = mCurrentAlpha;
        if (mTimeSubAlpha > 0.0f) {
          mFadeOutLength = mTimeSubAlpha <= mStateLength ? mTimeSubAlpha : mStateLength;
          mFadeOutElapsed = 0.0f;
        }
      } else {
        mState = kSwitchingOff;
        mAlphaFrom = mCurrentAlpha;
        mAlphaTo = mRandAlphaUnV ? mMinAlpha + Platform::RandomFloat() * (mMaxAlpha - mMinAlpha) : mMinAlpha;
        mStateLength = mRandOffFlicker
                           ? mMinTimeUnVis + Platform::RandomFloat() * (mMaxTimeUnVis - mMinTimeUnVis)
                           : mMinTimeUnVis;
      }
      break;
    default:  // switching off
      mCurrentAlpha = mAlphaTo;
      mState = kDark;
      mStateLength = mRandTUnVis ? Platform::RandomFloat() * mTimeUnVis : mTimeUnVis;
      break;
  }
  ShowAlpha();
}

int32_t CLampa::Update(float dt, rovovoz::CMouseCursor*) {
  if (mTimeVis == 0.0f && mTimeUnVis == 0.0f) return 0;
  if (!std::isfinite(dt)) return 0;
  mStateElapsed += dt;
  mFadeInElapsed += dt;
  mFadeOutElapsed += dt;
  // A long frame runs several states; the time carried over keeps the rhythm.
  while (mStateLength <= mStateElapsed) {
    const float before = mStateElapsed;
    mStateElapsed -= mStateLength;
    // A frame too long for the state's time to tell starts it afresh.
    if (mStateLength > 0.0f && mStateElapsed == before) mStateElapsed = 0.0f;
    StepState();
  }
  auto ramp = [this](float f) { mCurrentAlpha = (1.0f - f) * mAlphaFrom + mAlphaTo * f; };
  switch (mState) {
    case kDark:
      if (mFadeOutLength > 0.0f) ramp(std::fmin(mFadeOutElapsed / mFadeOutLength, 1.0f));
      break;
    case kLit:
      if (mFadeInLength > 0.0f) ramp(std::fmin(mFadeInElapsed / mFadeInLength, 1.0f));
      break;
    default:
      ramp(mStateElapsed / mStateLength);
      break;
  }
  ShowAlpha();
  return 0;
}

int32_t CLampa::Render() {
  if (!mRender) return 0;
  ApplyTransform(mTemp);
  mRender->RenderMesh(mMesh, 0, 1);
  return 0;
}

void CLampa::LoadTransformForMesh() {
  rovovoz::CBaseGeometryObject::LoadTransformForMesh();
  if (!mMesh.Empty()) SetLocationMatrix3D(mMesh.GetTransform());
}

void CLampa::SetAlpha(float alpha) {
  mObjectAlpha = alpha;
  ShowAlpha();
}

void CLampa::SetRender2D(int on) {
  mMesh.SetAllSmooth(on ? 1 : 0);
  rovovoz::CBaseGeometryObject::SetRender2D(on);
}
