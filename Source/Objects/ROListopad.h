#pragma once
// Falling leaves: leaves that cross the virtual screen in straight lines
// drawn from a cone of wind directions, swinging like a pendulum and
// tumbling, each drawn with one of up to ten leaf models. A leaf that has
// crossed starts again from the edge it moves away from.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"

namespace rovovoz {
class CStaticObject3D;
}

struct SLeaf {
  rovovoz::CStaticObject3D* mModel = nullptr;  // one of the object's models
  zormath::Vec3f mStart;
  zormath::Vec3f mVelocity;
  zormath::Vec3f mPosition;
  float mSwing = 0.0f;
  float mSwingAngle = 0.0f;
  float mTumble = 0.0f;
  float mRhythm = 0.0f;
  float mElapsed = 0.0f;
  float mAngle = 0.0f;
  float mLife = 0.0f;
  float mScale = 0.0f;
};

class CROListopad : public rovovoz::CBaseGeometryObject {
 public:
  static constexpr int kMaxModels = 10;
  static constexpr int32_t kDefaultNum = 100;
  // More leaves than this would only eat memory.
  static constexpr int32_t kMaxNum = 100000;

  explicit CROListopad(rovovoz::CGameCore* core);
  ~CROListopad() override;
  CROListopad(const CROListopad&) = delete;
  CROListopad& operator=(const CROListopad&) = delete;

  int32_t Load(uint32_t flags) override;
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t UnLoad(uint32_t flags) override;
  void SetAlpha(float alpha) override;
  float GetAlpha() const override { return mObjectAlpha; }
  void SetWorldMatrix3D(const zormath::Mat4f& m) override;

  int32_t GetModelCount() const { return mModelCount; }
  const std::vector<SLeaf>& GetLeaves() const { return mLeaves; }
  const zormath::Vec3f& GetLeftWind() const { return mLeftWind; }
  const zormath::Vec3f& GetRightWind() const { return mRightWind; }
  rovovoz::CStaticObject3D* GetModel(int i) const { return i >= 0 && i < kMaxModels ? mModels[i] : nullptr; }

 private:
  void StartLeaf(SLeaf& leaf, bool headStart);

  int32_t mModelCount = 0;
  float mScale = 0.7f;
  float mAddScale = 0.3f;
  float mMargin = 50.0f;
  float mR = 100.0f;
  float mAddR = 10.0f;
  float mRazmah = 0.9f;
  float mRot3D = 0.0f;
  zormath::Vec3f mLeftWind{-10.0f, 0.0f, -100.0f};
  zormath::Vec3f mRightWind{10.0f, 0.0f, -100.0f};
  int32_t mNum = 0;
  std::array<rovovoz::CStaticObject3D*, kMaxModels> mModels{};
  std::vector<SLeaf> mLeaves;
  float mObjectAlpha = 1.0f;
  float mAlpha = 1.0f;
};
