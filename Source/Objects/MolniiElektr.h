#pragma once
// Electric sparks: spark meshes that flash to full at random and fade, an
// optional glow that lights with any flash and fades more slowly, and an
// optional crackle at every flash. Switched on and off by the scene.
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"

namespace rovovoz {
class CStaticObject3D;
}

// One entry of the draw order: a spark, or the place of the glow.
struct SMolniyaRecord {
  enum EKind : int32_t { kSpark = 0, kGlowPlace = 1 };
  int32_t mKind = kSpark;
  rovovoz::CStaticObject3D* mModel = nullptr;  // owned; none for the glow's place
  int32_t mLit = 0;
  float mIntensity = 0.0f;
};

class CMolniiElektr : public rovovoz::CBaseGeometryObject {
 public:
  explicit CMolniiElektr(rovovoz::CGameCore* core);
  ~CMolniiElektr() override;
  CMolniiElektr(const CMolniiElektr&) = delete;
  CMolniiElektr& operator=(const CMolniiElektr&) = delete;

  int32_t Load(uint32_t flags) override;
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t UnLoad(uint32_t flags) override;
  void LoadTransformForMesh() override;
  void SetAlpha(float alpha) override;
  float GetAlpha() const override { return mObjectAlpha; }
  // Mode 0 (the scene's start) darkens everything and leaves the sparking
  // on or off as the data's "State" says; any other mode switches it off.
  static constexpr int kStopToStart = 0;
  int32_t Stop(int mode) override;
  void UpdateTempMatrix() override;

  // Appends the mesh names of every spark, then of the glow.
  virtual void GetModelNames(std::vector<std::wstring>& names) const;
  // Sparks and glow dark and the sparking on; when not forced an object
  // already on is left as it is.
  virtual void SwitchOn(bool force);

  const std::vector<SMolniyaRecord>& GetRecords() const { return mRecords; }
  rovovoz::CStaticObject3D* GetGlow() const { return mGlow; }
  int32_t IsGlowLit() const { return mGlowLit; }
  float GetGlowIntensity() const { return mGlowIntensity; }
  int32_t GetCountRender() const { return mCountRender; }
  int32_t GetState() const { return mState; }

 private:
  void Darken();
  void ResetSettings();

  std::vector<SMolniyaRecord> mRecords;
  rovovoz::CStaticObject3D* mGlow = nullptr;
  float mSpeedUnv = 1.0f;
  float mSpeedUnvZasv = 1.0f;
  float mGlowIntensity = 0.0f;
  float mKoefRand = 0.5f;
  int32_t mGlowLit = 0;
  int32_t mCountRender = 0;
  std::wstring mNameSound;
  int32_t mState = 0;
  int32_t mStartState = 0;  // "State" as loaded
  float mObjectAlpha = 1.0f;
};
