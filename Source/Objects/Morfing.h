#pragma once
// Two models at one place shown in turn: each for a random interval, the
// last two seconds of which cross-fade into the other. On request a blink
// flashes between them twice and then hides both for a while.
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"

namespace rovovoz {
class CStaticObject3D;
}

class CMorfing : public rovovoz::CBaseGeometryObject {
 public:
  explicit CMorfing(rovovoz::CGameCore* core);
  ~CMorfing() override;
  CMorfing(const CMorfing&) = delete;
  CMorfing& operator=(const CMorfing&) = delete;

  int32_t Load(uint32_t flags) override;
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t UnLoad(uint32_t flags) override;
  void LoadTransformForMesh() override;
  // Multiplies every model alpha from now on (applied at once).
  void SetAlpha(float alpha) override;
  float GetAlpha() const override { return mAlpha; }
  void UpdateTempMatrix() override;
  void SetRender2D(int on) override;

  // Starts the blink sequence from its beginning.
  void Start();
  zormath::Vec3f GetPosition() const;
  void GetModelNames(std::vector<std::wstring>& names) const;

  rovovoz::CStaticObject3D* GetFirst() const { return mFirst; }
  rovovoz::CStaticObject3D* GetSecond() const { return mSecond; }
  int32_t GetCurrent() const { return mCurrent; }
  float GetInterval() const { return mInterval; }
  bool IsBlinking() const { return mBlinking != 0; }

 private:
  void DrawInterval();
  void SetAlphas(float first, float second);

  rovovoz::CStaticObject3D* mFirst = nullptr;
  rovovoz::CStaticObject3D* mSecond = nullptr;
  float mAlpha = 1.0f;
  float mIntervalMin = 5.0f;
  float mIntervalMax = 7.0f;
  float mInterval = 7.0f;
  float mTime = 0.0f;
  int32_t mCurrent = 0;
  int32_t mBlinking = 0;
  float mBlinkTime = 0.0f;
};
