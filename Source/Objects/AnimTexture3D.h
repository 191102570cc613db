#pragma once
// A flip-book: one mesh of the scene's model file drawn with a numbered
// series of textures (Base01.tga, Base02.tga ...) that change at a fixed
// period and loop.
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/zuzorev/Mesh.h"
#include "Engine/zuzorev/Texture.h"

namespace zuzorev {
class CRenderSystem;
}

class CAnimTexture3D : public rovovoz::CBaseGeometryObject {
 public:
  static constexpr int kMaxFrames = 99;

  explicit CAnimTexture3D(rovovoz::CGameCore* core);
  ~CAnimTexture3D() override;
  CAnimTexture3D(const CAnimTexture3D&) = delete;
  CAnimTexture3D& operator=(const CAnimTexture3D&) = delete;

  // The textures are read only when the flags hold the texture-data bit (2).
  int32_t Load(uint32_t flags) override;
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t UnLoad(uint32_t flags) override;
  void SetAlpha(float alpha) override;
  // The scene puts its objects back to their loaded place: for this one
  // that is where its mesh stands in the model file.
  void LoadTransformForMesh() override;

  int GetFrameCount() const { return mCount; }
  int GetCurrentFrame() const { return mCurrent; }
  const zuzorev::CTexture* GetFrame(int i) const;
  const zuzorev::CMesh& GetMesh() const { return mMesh; }

 private:
  zuzorev::CRenderSystem* mRender = nullptr;
  std::vector<zuzorev::CTexture> mFrames;
  float mTime = 0.0f;
  float mPeriod = 0.0f;
  int32_t mCurrent = 0;
  int32_t mCount = 0;
  zuzorev::CMesh mMesh;
};
