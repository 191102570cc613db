#pragma once
// A model playing a clip of an animation set, placed where a mesh of the
// scene's model file stands; the scene's actions choose how it plays.
#include <cstdint>
#include <string>

#include "Engine/rovovoz/BaseGeometryObject.h"

namespace rovovoz {
class CModelAnimation3D;
}

class CAnimObject3D : public rovovoz::CBaseGeometryObject {
 public:
  explicit CAnimObject3D(rovovoz::CGameCore* core);
  ~CAnimObject3D() override;
  CAnimObject3D(const CAnimObject3D&) = delete;
  CAnimObject3D& operator=(const CAnimObject3D&) = delete;

  int32_t Load(uint32_t flags) override;
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t UnLoad(uint32_t flags) override;
  void LoadTransformForMesh() override;
  void SetAlpha(float alpha) override;
  float GetAlpha() const override;
  // 0 ends a one-shot clip only; 1 ends any; other modes nothing.
  int32_t Stop(int mode) override;
  void UpdateTempMatrix() override;
  void SetRender2D(int on) override;

  // Play controls of the scene actions: by the object's own loop and blend
  // settings, or in the mode the name says.
  void Play();
  void PlayOnce();
  void PlayLoop();
  void PlayBlendOnce();
  void PlayBlendLoop();
  void SetRenderSeting(int seting, int part);
  int32_t IsState() const;

  rovovoz::CModelAnimation3D* GetModel() const { return mModel; }
  const std::wstring& GetAnimationName() const { return mAnimation; }

 private:
  int32_t mInfinity = 1;
  int32_t mBlend = 0;
  std::wstring mAnimation;
  zormath::Mat4f mMeshLocation = zormath::Mat4f::Identity();
  rovovoz::CModelAnimation3D* mModel = nullptr;
};
