#pragma once
// A reflection on water that ripples: the mirrored picture of a part of the
// scene, modelled as a mesh of its own, whose vertices are shifted sideways
// about thirty times a second by a sine travelling along the mesh's depth.
// Every step starts from the rest positions, so the mesh never drifts.
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"

namespace rovovoz {
class CStaticObject3D;
}

class CROOtragenie : public rovovoz::CBaseGeometryObject {
 public:
  // Seconds between two reshapes of the mesh.
  static constexpr float kStep = 0.033f;

  explicit CROOtragenie(rovovoz::CGameCore* core);
  ~CROOtragenie() override;
  CROOtragenie(const CROOtragenie&) = delete;
  CROOtragenie& operator=(const CROOtragenie&) = delete;

  int32_t Load(uint32_t flags) override;
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t UnLoad(uint32_t flags) override;
  void LoadTransformForMesh() override;
  void SetAlpha(float alpha) override;
  void UpdateTempMatrix() override;

  rovovoz::CStaticObject3D* GetModel() const { return mModel; }
  float GetAccumulator() const { return mAccumulator; }
  int GetSteps() const { return mSteps; }
  const std::vector<float>& GetRestX() const { return mRestX; }

 private:
  void Reshape();

  std::vector<float> mRestX;
  int32_t mVertexCount = 0;
  float mWaveTime = 0.0f;
  float mAccumulator = 0.0f;
  float mOwnAlpha = 1.0f;
  float mAmplitude = 1.5f;
  float mFadeDepth = 0.0f;
  float mSpeed = 5.0f;
  float mWaveFactor = 1.3f;
  rovovoz::CStaticObject3D* mModel = nullptr;
  int mSteps = 0;
};
