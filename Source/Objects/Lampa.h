#pragma once
// A flickering lamp: one mesh (typically a lamp's glow) that goes between a
// lit and a dark phase of fixed or random length, with optional short
// flickers between them and optional alpha fades.
#include <cstdint>
#include <string>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/zuzorev/Mesh.h"

class TiXmlElement;
namespace zuzorev {
class CRenderSystem;
}

class CLampa : public rovovoz::CBaseGeometryObject {
 public:
  // 0 dark, 1 switching on, 2 lit, 3 switching off.
  enum EState { kDark = 0, kSwitchingOn = 1, kLit = 2, kSwitchingOff = 3 };

  explicit CLampa(rovovoz::CGameCore* core);
  ~CLampa() override;
  CLampa(const CLampa&) = delete;
  CLampa& operator=(const CLampa&) = delete;

  int32_t Load(uint32_t flags) override;
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t UnLoad(uint32_t flags) override;
  void LoadTransformForMesh() override;
  void SetAlpha(float alpha) override;
  float GetAlpha() const override { return mObjectAlpha; }
  void SetRender2D(int on) override;

  int GetState() const { return mState; }
  float GetStateLength() const { return mStateLength; }
  float GetStateElapsed() const { return mStateElapsed; }
  float GetCurrentAlpha() const { return mCurrentAlpha; }
  float GetAlphaTo() const { return mAlphaTo; }
  float GetFadeInLength() const { return mFadeInLength; }
  float GetFadeOutLength() const { return mFadeOutLength; }
  const zuzorev::CMesh& GetMesh() const { return mMesh; }

 private:
  void ClearValues();
  // Ends the current state and starts the next (draws in the order the
  // lamp's rhythm fixes).
  void StepState();
  void ShowAlpha() { mMesh.SetAlphaAll(mObjectAlpha * mCurrentAlpha); }

  zuzorev::CRenderSystem* mRender = nullptr;
  zuzorev::CMesh mMesh;
  float mTimeVis = 0.0f;
  float mTimeUnVis = 0.0f;
  float mMinAlpha = 0.0f, mMaxAlpha = 0.0f;
  int32_t mRandTVis = 0, mRandTUnVis = 0;
  int32_t mRandAlphaV = 0, mRandAlphaUnV = 0;
  float mTimeAddAlpha = 0.0f, mTimeSubAlpha = 0.0f;
  float mFadeInElapsed = 0.0f, mFadeOutElapsed = 0.0f;
  float mFadeInLength = 0.0f, mFadeOutLength = 0.0f;
  float mMinTimeVis = 0.0f, mMaxTimeVis = 0.0f;
  float mMinTimeUnVis = 0.0f, mMaxTimeUnVis = 0.0f;
  int mRandOnFlicker = 0, mRandOffFlicker = 0;
  float mAlphaFrom = 0.0f, mAlphaTo = 0.0f;
  int mState = kDark;
  float mStateLength = 0.0f;
  float mStateElapsed = 0.0f;
  float mCurrentAlpha = 0.0f;
  float mObjectAlpha = 1.0f;
};
