#pragma once
// One mesh rocking about its own Y axis with a sine motion; the amplitude
// in degrees may be written as the last "_" part of the mesh's name
// (Lamp_chain_3 sways 3 degrees).
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"

namespace rovovoz {
class CStaticObject3D;
}

class CROSimpleDerevo : public rovovoz::CBaseGeometryObject {
 public:
  explicit CROSimpleDerevo(rovovoz::CGameCore* core);
  ~CROSimpleDerevo() override;
  CROSimpleDerevo(const CROSimpleDerevo&) = delete;
  CROSimpleDerevo& operator=(const CROSimpleDerevo&) = delete;

  int32_t Load(uint32_t flags) override;
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t UnLoad(uint32_t flags) override;
  void LoadTransformForMesh() override;
  void SetAlpha(float alpha) override;
  void UpdateTempMatrix() override;
  void GetModelNames(std::vector<std::wstring>& names) const;

  // The amplitude (radians) a mesh name carries; fallback when it has two
  // parts or fewer.
  static float AmplitudeFromName(const std::wstring& mesh, float fallback);

  float GetAmplitude() const { return mAmplitude; }
  float GetFrequency() const { return mFrequency; }
  rovovoz::CStaticObject3D* GetModel() const { return mModel; }
  const zormath::Vec3f& GetRestDirection() const { return mRest; }

 private:
  float mAmplitude = 0.017453292f;
  float mFrequency = 2.0f;
  float mShift = 0.0f;
  float mPhase = 0.0f;
  zormath::Vec3f mRest;
  rovovoz::CStaticObject3D* mModel = nullptr;
};
