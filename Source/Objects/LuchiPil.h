#pragma once
// Light rays with dust: a mesh of rays whose alpha drifts at a steady speed
// towards random targets drawn at random intervals, drawn again once per
// dust layer with a dust texture projected from camera space and scrolling
// slowly.
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/zormath/Math.h"
#include "Engine/zuzorev/Mesh.h"
#include "Engine/zuzorev/RenderTypes.h"
#include "Engine/zuzorev/Texture.h"

class TiXmlElement;
namespace zuzorev {
class CRenderSystem;
}

// One dust layer.
struct SLuchiPilLayer {
  float du = 0.0f;      // horizontal texture offset
  float scroll = 0.0f;  // vertical texture offset, moving by Speed
  float su = 1.0f;      // texture scales
  float sv = 1.0f;
  float Speed = 0.0f;   // texture units a second
  // Rows (su, 0, 0, 0), (0, sv, 0, 0), (du, scroll, 1, 0), (0, 0, 0, 1).
  zormath::Mat4f matrix = zormath::Mat4f::Identity();
};

class CLuchiPil : public rovovoz::CBaseGeometryObject {
 public:
  explicit CLuchiPil(rovovoz::CGameCore* core);
  ~CLuchiPil() override;
  CLuchiPil(const CLuchiPil&) = delete;
  CLuchiPil& operator=(const CLuchiPil&) = delete;

  int32_t Load(uint32_t flags) override;
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t UnLoad(uint32_t flags) override;
  void LoadTransformForMesh() override;
  void SetAlpha(float alpha) override;
  float GetAlpha() const override { return mObjectAlpha; }

  const std::vector<SLuchiPilLayer>& GetLayers() const { return mLayers; }
  float GetCurrentAlpha() const { return mCurrentAlpha; }
  float GetTargetAlpha() const { return mTargetAlpha; }
  float GetDirection() const { return mDirection; }
  float GetInterval() const { return mInterval; }
  float GetTimer() const { return mTimer; }
  const zuzorev::SMaterial& GetMaterial() const { return mMaterial; }
  const zuzorev::CMesh& GetMesh() const { return mMesh; }
  const zuzorev::CTexture& GetDustTexture() const { return mDust; }

 private:
  // The rays' material alpha: the object's times the rays' own.
  void ShowAlpha();

  zuzorev::CRenderSystem* mRender = nullptr;
  zuzorev::SMaterial mMaterial;
  float mMinDTime = 0.0f, mMaxDTime = 0.0f;
  int mRandomInterval = 0;
  float mMinAlpha = 0.0f, mMaxAlpha = 0.0f;
  int mRandomAlpha = 0;
  float mTimer = 0.0f;
  float mInterval = 0.0f;
  float mCurrentAlpha = 0.0f;
  float mTargetAlpha = 0.0f;
  float mDirection = 0.0f;  // +1, -1, or 0 at rest
  float mSpeed = 1.0f;      // alpha a second
  zuzorev::CMesh mMesh;
  zuzorev::CTexture mDust;
  int mDustSeting = -1;
  std::vector<SLuchiPilLayer> mLayers;
  float mObjectAlpha = 1.0f;
};
