#pragma once
// One mesh drawn with its texture shifted by an offset that grows with
// time: flowing water, drifting mist, a moving belt.
#include <cstdint>
#include <string>

#include "Engine/rovovoz/BaseGeometryObject.h"

namespace rovovoz {
class CStaticObject3D;
}

class CROMoveTexture : public rovovoz::CBaseGeometryObject {
 public:
  explicit CROMoveTexture(rovovoz::CGameCore* core);
  ~CROMoveTexture() override;
  CROMoveTexture(const CROMoveTexture&) = delete;
  CROMoveTexture& operator=(const CROMoveTexture&) = delete;

  int32_t Load(uint32_t flags) override;
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  // Draws with the shift in the texture transform of stage 0, which is put
  // back to identity afterwards.
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t UnLoad(uint32_t flags) override;
  void LoadTransformForMesh() override;
  void SetAlpha(float alpha) override;
  // Mode 1 (any mode when it does not loop) freezes the offsets. 2.
  int32_t Stop(int mode) override;
  void UpdateTempMatrix() override;

  // Scrolls again from offset 0, forwards or (non-zero) backwards.
  void Start(int backwards);

  float GetOffsetU() const { return mOffsetU; }
  float GetOffsetV() const { return mOffsetV; }
  int32_t GetPlayState() const { return mPlay; }
  rovovoz::CStaticObject3D* GetModel() const { return mModel; }

 private:
  rovovoz::CStaticObject3D* mModel = nullptr;
  float mSpeedU = 0.0f;
  float mSpeedV = 0.0f;
  float mStartU = 0.0f;
  float mStartV = 0.0f;
  float mOffsetU = 0.0f;
  float mOffsetV = 0.0f;
  float mAlpha = 1.0f;
  int32_t mInfinity = 1;
  int32_t mOverlays = 0;
  int32_t mPlay = 1;
  int32_t mDirection = 1;
};
