#pragma once
// A fire in three layers: an optional burning texture (CFire), a particle
// system of rising flames cut from an animated flame strip, and an additive
// system of soft glow spots. The particles rise from the middle of the
// texture's bottom edge or from a named model.
#include <cstdint>
#include <string>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/zormath/Math.h"
#include "Objects/PointsSystem.h"

class CFire;

// Shared by every particle fire: the scale the size curves read (each fire
// sets its own before it steps) and one emission clock per layer, so
// several fires on a scene share one emission budget and phase.
extern float gFirePartScale;
extern float gFireFlameClock;
extern float gFireSpotClock;

// The curves of the two layers, of the life fraction t (0 .. 1).
float FireFlameSize(float t);
uint32_t FireFlameColor(float t);
int32_t FireFlameFrame(float t);
float FireSpotSize(float t);
uint32_t FireSpotColor(float t);

class CFirePart : public rovovoz::CBaseGeometryObject {
 public:
  // Where particles of one layer are born and how fast they leave.
  struct SEmitter {
    float Dx;
    float Dz;
    float DVx;
    float DVz;
    float DTime;  // seconds between births; 0 or less: none
  };

  explicit CFirePart(rovovoz::CGameCore* core);
  ~CFirePart() override;
  CFirePart(const CFirePart&) = delete;
  CFirePart& operator=(const CFirePart&) = delete;

  int32_t Load(uint32_t flags) override;
  // Always 0: a layer that cannot be made is left out.
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t UnLoad(uint32_t flags) override;
  void LoadTransformForMesh() override;
  void SetAlpha(float alpha) override;
  void UpdateTempMatrix() override;

  CFire* GetFire() const { return mFire; }
  PointsSystem* GetFlames() const { return mFlames; }
  PointsSystem* GetOverlay() const { return mOverlay; }
  const zormath::Vec3f& GetCenter() const { return mCenter; }
  float GetFireScale() const { return mFireScale; }
  const SEmitter& GetFlameEmitter() const { return mFlameEmitter; }
  const SEmitter& GetSpotEmitter() const { return mSpotEmitter; }
  const std::wstring& GetFlameTexture() const { return mFlameTexture; }
  const std::wstring& GetSpotTexture() const { return mSpotTexture; }

 private:
  // Births for the periods the shared clock crossed, each with its draws in
  // a fixed order. zFactor shifts the birth band below the centre.
  void EmitFrom(PointsSystem& system, float& clock, const SEmitter& emitter, float zFactor);
  PointsSystem* MakeSystem(const SPointsSystemParams& params);

  rovovoz::CGameCore* mGameCore = nullptr;
  CFire* mFire = nullptr;
  PointsSystem* mOverlay = nullptr;
  PointsSystem* mFlames = nullptr;
  SPointsSystemParams mFlameParams;
  zormath::Vec3f mForce{0.0f, 0.0f, 20.0f};
  float mDrag = 0.01f;
  std::wstring mFlameTexture = L"FX_part_fire_x32_2.tga";
  std::wstring mSpotTexture = L"spot_part.tga";
  SEmitter mFlameEmitter{20.0f, 10.0f, 5.0f, 20.0f, 0.1f};
  SEmitter mSpotEmitter{12.0f, 0.0f, 20.0f, 50.0f, 0.15f};
  zormath::Vec3f mCenter;
  float mFireScale = 1.0f;
};
