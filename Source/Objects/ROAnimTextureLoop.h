#pragma once
// One mesh whose texture runs through a numbered series of files in a loop
// (Name01.png, Name02.png ...), tinted by a packed colour.
#include <array>
#include <cstdint>
#include <string>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/zuzorev/Texture.h"

namespace rovovoz {
class CStaticObject3D;
}

class CROAnimTextureLoop : public rovovoz::CBaseGeometryObject {
 public:
  static constexpr int kMaxFrames = 32;

  explicit CROAnimTextureLoop(rovovoz::CGameCore* core);
  ~CROAnimTextureLoop() override;
  CROAnimTextureLoop(const CROAnimTextureLoop&) = delete;
  CROAnimTextureLoop& operator=(const CROAnimTextureLoop&) = delete;

  int32_t Load(uint32_t flags) override;
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t UnLoad(uint32_t flags) override;
  // The colour's alpha times this goes into the material of part 0.
  void SetAlpha(float alpha) override;
  // Rewinds; mode 1 (or an object that does not loop) also stops it. 2.
  int32_t Stop(int mode) override;
  void UpdateTempMatrix() override;

  rovovoz::CStaticObject3D* GetModel() const { return mModel; }
  float GetPhase() const { return mPhase; }
  int32_t GetFrameCount() const { return mCount; }
  const zuzorev::CTexture& GetTexture(int i) const { return mTextures[static_cast<size_t>(i)]; }
  // The frame the mesh shows after the last update.
  int GetShownFrame() const { return mShown; }

 private:
  rovovoz::CStaticObject3D* mModel = nullptr;
  std::array<zuzorev::CTexture, kMaxFrames> mTextures;
  float mSpeed = 1.0f;
  float mPhase = 0.0f;
  int32_t mCount = 0;
  uint32_t mColor = 0xFFFFFFFFu;
  int32_t mDirection = 1;
  int32_t mPlay = 1;
  int32_t mInfinity = 1;
  std::wstring mNameStart;
  std::wstring mNameEnd;
  int mShown = -1;
};
