#pragma once
// Glints twinkling at the points of a point model: a small star mesh drawn
// at every point, each living its own cycle of waiting, appearing, shining
// and fading while it spins about the vertical axis.
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/zuzorev/Mesh.h"

// A setting drawn at random between its bounds when they differ.
struct SBleskRange {
  float min = 0.0f;
  float max = 0.0f;
  bool random = false;

  // min, or a value between min and max when the range is random.
  float Draw() const;
  // max is raised to min when below it; the range is random when max > min.
  void Settle();
};

// One glint, at one point of the point model.
struct SGlint {
  int32_t state = 0;  // 0 wait, 1 delay, 2 Begin, 3 end of Begin, 4 Center, 5 start of End, 6 End
  zormath::Mat4f point = zormath::Mat4f::Identity();
  zormath::Mat4f render = zormath::Mat4f::Identity();
  zormath::Mat4f scaleRotation = zormath::Mat4f::Identity();
  float time = 0.0f;
  float alpha = 0.0f;
  float alphaFrom = 0.0f;
  float alphaTo = 0.0f;
  float duration = 0.0f;
  float spinFrom = 0.0f;
  float spinTo = 0.0f;
  float scaleFrom = 0.0f;
  float scaleTo = 0.0f;
  float scale = 0.0f;
  float spin = 0.0f;
  float angle = 0.0f;
};

class CBlesk : public rovovoz::CBaseGeometryObject {
 public:
  explicit CBlesk(rovovoz::CGameCore* core);
  ~CBlesk() override;
  CBlesk(const CBlesk&) = delete;
  CBlesk& operator=(const CBlesk&) = delete;

  int32_t Load(uint32_t flags) override;
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t UnLoad(uint32_t flags) override;
  void SetAlpha(float alpha) override { mAlpha = alpha; }
  float GetAlpha() const override { return mAlpha; }
  void UpdateTempMatrix() override;

  const std::vector<SGlint>& GetGlints() const { return mGlints; }
  float GetBaseAlpha() const { return mBaseAlpha; }
  float GetBaseScale() const { return mBaseScale; }
  const SBleskRange& GetScaleRange() const { return mScale; }
  const SBleskRange& GetAlphaRange() const { return mPeakAlpha; }
  const SBleskRange& GetWaitRange() const { return mWait; }

 private:
  void ResetSettings();
  bool ReadSettings(const TiXmlElement* properties);
  // Render matrix = scale-rotation x point x the object's matrix.
  void Place(SGlint& glint) const;
  void Step(SGlint& glint, float dt);

  zuzorev::CMesh mMesh;
  std::vector<SGlint> mGlints;
  SBleskRange mScale;
  SBleskRange mWait;
  SBleskRange mPeakAlpha;
  SBleskRange mBeginTime;
  int32_t mBeginScaleMode = 1;
  SBleskRange mCenterTime;
  SBleskRange mEndTime;
  int32_t mEndScaleMode = 0;
  SBleskRange mBeginSpin;
  SBleskRange mCenterSpin;
  SBleskRange mEndSpin;
  float mBaseAlpha = 0.0f;
  float mBaseScale = 0.1f;
  float mAlpha = 1.0f;
};
