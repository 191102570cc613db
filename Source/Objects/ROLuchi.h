#pragma once
// Pulsing light rays: one model whose alpha wanders between two bounds, a
// new random target every stretch of random length, with an optional
// additive overlay pass driven by a second wandering alpha of its own.
#include <cstdint>
#include <string>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/rovovoz/PPMoveSystemTimeOld.h"

namespace rovovoz {
class CStaticObject3D;
}

class CROLuchi : public rovovoz::CBaseGeometryObject {
 public:
  using CMover = rovovoz::CPPMoveSystemTimeOld<rovovoz::CPPValue<float>, float>;

  explicit CROLuchi(rovovoz::CGameCore* core);
  ~CROLuchi() override;
  CROLuchi(const CROLuchi&) = delete;
  CROLuchi& operator=(const CROLuchi&) = delete;

  int32_t Load(uint32_t flags) override;
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t UnLoad(uint32_t flags) override;
  void SetAlpha(float alpha) override;
  float GetAlpha() const override { return mObjectAlpha; }
  void UpdateTempMatrix() override;

  float GetRayValue() const { return mRayValue; }
  float GetOverlayValue() const { return mOverlayValue; }
  const CMover& GetRayMover() const { return mRayMover; }
  rovovoz::CStaticObject3D* GetModel() const { return mModel; }

 private:
  float mTime1 = 1.0f;
  float mTime2 = 2.0f;
  float mAlpha1 = 0.1f;
  float mAlpha2 = 0.7f;
  float mRayValue = 1.0f;
  float mTime1Overlay = 1.0f;
  float mTime2Overlay = 2.0f;
  float mAlpha1Overlay = 0.0f;
  float mAlpha2Overlay = 0.0f;
  float mOverlayValue = 0.0f;
  float mObjectAlpha = 1.0f;
  int32_t mOverlay = 0;
  rovovoz::CStaticObject3D* mModel = nullptr;
  CMover mRayMover;
  CMover mOverlayMover;
};
