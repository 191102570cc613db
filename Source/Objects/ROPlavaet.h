#pragma once
// One mesh drifting around its resting place: two independent sine swings,
// along x and along z, each with its amplitude, frequency and phase.
#include <cstdint>
#include <string>

#include "Engine/rovovoz/BaseGeometryObject.h"

namespace rovovoz {
class CStaticObject3D;
}

class CROPlavaet : public rovovoz::CBaseGeometryObject {
 public:
  explicit CROPlavaet(rovovoz::CGameCore* core);
  ~CROPlavaet() override;
  CROPlavaet(const CROPlavaet&) = delete;
  CROPlavaet& operator=(const CROPlavaet&) = delete;

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
  const zormath::Vec3f& GetRestPosition() const { return mRest; }
  const zormath::Vec3f& GetOffset() const { return mOffset; }
  const zormath::Vec3f& GetPhaseShift() const { return mShift; }

 private:
  zormath::Vec3f mAmplitude{4.0f, 0.0f, 1.0f};
  zormath::Vec3f mFrequency{0.5f, 0.0f, 0.7f};
  zormath::Vec3f mShift;
  zormath::Vec3f mPhase;
  zormath::Vec3f mRest;
  zormath::Vec3f mOffset;
  rovovoz::CStaticObject3D* mModel = nullptr;
};
