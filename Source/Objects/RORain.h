#pragma once
// Rain: stretched translucent drops born on a line at the top of the scene
// with random places and speeds, blown sideways by a wind that swings back
// and forth every ten seconds.
#include <cstdint>
#include <string>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Objects/PointsSystem.h"

class CRORain : public rovovoz::CBaseGeometryObject {
 public:
  explicit CRORain(rovovoz::CGameCore* core);
  ~CRORain() override;
  CRORain(const CRORain&) = delete;
  CRORain& operator=(const CRORain&) = delete;

  // Makes the drops anew (the settings are kept). 1.
  int32_t Load(uint32_t flags) override;
  // Reads the settings; with load flag 2 the drops are made at once. A
  // drop lifetime or interval of 0 or less is refused.
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t UnLoad(uint32_t flags) override;
  // Drops born from now on take it.
  void SetAlpha(float alpha) override;
  void UpdateTempMatrix() override;

  PointsSystem* GetDrops() const { return mDrops; }
  const SPointsSystemParams& GetParams() const { return mParams; }
  float GetWindPhase() const { return mWindPhase; }
  void SetWindPhase(float phase) { mWindPhase = phase; }

 private:
  void MakeDrops();
  void DeleteDrops();
  void Birth();

  PointsSystem* mDrops = nullptr;
  float mClock = 0.0f;
  float mWindPhase = 0.0f;
  SPointsSystemParams mParams;
  std::wstring mTexture;
  float mT = 1.0f;
  float mDt = 0.1f;
  float mVzMin = 800.0f;
  float mVzMax = 1200.0f;
  float mVxMin = 50.0f;
  float mVxMax = 200.0f;
  float mSize = 32.0f;
  float mDropAlpha = 0.15f;
  float mXmin = -650.0f;
  float mXmax = 650.0f;
  float mObjectAlpha = 1.0f;
};
