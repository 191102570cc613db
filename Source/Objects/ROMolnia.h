#pragma once
// A lightning flash: up to ten models (bolts, lit sky, lit walls) flashed
// at random intervals along a fixed 0.8 s brightness curve, with thunder at
// each flash; the L key forces a flash when there is thunder to hear.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"

namespace rovovoz {
class CStaticObject3D;
}

class CROMolnia : public rovovoz::CBaseGeometryObject {
 public:
  static constexpr int kMaxObjects = 10;
  // Windows virtual key of L, read as "came up this frame".
  static constexpr int kFlashKey = 76;
  static constexpr int kKeyReleased = 4;

  explicit CROMolnia(rovovoz::CGameCore* core);
  ~CROMolnia() override;
  CROMolnia(const CROMolnia&) = delete;
  CROMolnia& operator=(const CROMolnia&) = delete;

  int32_t Load(uint32_t flags) override;
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  // Gives the models back and fades the thunder out over half a second.
  int32_t UnLoad(uint32_t flags) override;
  void LoadTransformForMesh() override {}
  void SetAlpha(float alpha) override { mObjectAlpha = alpha; }
  float GetAlpha() const override { return mObjectAlpha; }
  void UpdateTempMatrix() override;

  // Appends the mesh name of every loaded model, in order.
  virtual void GetModelNames(std::vector<std::wstring>& names) const;

  float GetTimer() const { return mTimer; }
  float GetPause() const { return mPause; }
  float GetStrength() const { return mStrength; }
  int32_t GetCount() const { return mCount; }
  const std::wstring& GetSound() const { return mSound; }
  rovovoz::CStaticObject3D* GetObject(int i) const { return i >= 0 && i < kMaxObjects ? mObjects[i] : nullptr; }

 private:
  bool HasSound() const { return mSound.size() >= 2; }
  void DrawAll(float alpha);
  void NextPause();

  float mTime1 = 1.0f;
  float mTime2 = 1.0f;
  float mAlpha1 = 0.5f;
  float mAlpha2 = 1.0f;
  std::wstring mSound;
  std::array<rovovoz::CStaticObject3D*, kMaxObjects> mObjects{};
  std::array<float, kMaxObjects> mObjectAlphas{1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  std::array<int32_t, kMaxObjects> mIsMoln{};
  int32_t mCount = 0;
  float mTimer = 0.0f;
  float mPause = 1.0f;
  float mStrength = 1.0f;
  float mObjectAlpha = 1.0f;
  float mTimeKoef = 1.0f;
};
