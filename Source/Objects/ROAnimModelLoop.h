#pragma once
// A flip-book of models: numbered meshes of a model file (Candle01,
// Candle02 ...) drawn one per frame in a loop, forwards or backwards, with
// an optional pause after every pass (fixed, or drawn at random).
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"

namespace rovovoz {
class CStaticObject3D;
}

class CROAnimModelLoop : public rovovoz::CBaseGeometryObject {
 public:
  static constexpr int kMaxFrames = 60;

  explicit CROAnimModelLoop(rovovoz::CGameCore* core);
  ~CROAnimModelLoop() override;
  CROAnimModelLoop(const CROAnimModelLoop&) = delete;
  CROAnimModelLoop& operator=(const CROAnimModelLoop&) = delete;

  int32_t Load(uint32_t flags) override;
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t UnLoad(uint32_t flags) override;
  void LoadTransformForMesh() override;
  void SetAlpha(float alpha) override;
  // Rewinds; mode 1 (or an object that does not loop) also stops it. 2.
  int32_t Stop(int mode) override;
  void UpdateTempMatrix() override;

  // Plays on from the phase it has, forwards or (non-zero) backwards.
  void Start(int backwards);
  void GetModelNames(std::vector<std::wstring>& names) const;

  float GetPhase() const { return mPhase; }
  int32_t GetPlayState() const { return mPlay; }
  int32_t GetFrameCount() const { return mCount; }
  float GetPause() const { return mPause; }
  rovovoz::CStaticObject3D* GetFrameModel(int i) const;
  // The frame Render would draw now; -1 for none.
  int GetShownFrame() const;

 private:
  void DrawPause();

  std::array<rovovoz::CStaticObject3D*, kMaxFrames> mModels{};
  float mPause = 0.0f;
  float mPauseMin = 0.0f;
  float mPauseMax = 0.0f;
  int32_t mCount = 0;
  int32_t mStopRender = 0;
  float mSpeed = 1.0f;
  float mPhase = 0.0f;
  float mAlpha = 1.0f;
  int32_t mPlay = 1;
  int32_t mDirection = 1;
  int32_t mInfinity = 1;
  int32_t mOverlay = 0;
};
