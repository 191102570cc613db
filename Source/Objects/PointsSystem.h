#pragma once
// A small particle engine owned by an effect object: a fixed pool of
// particles moved with constant acceleration, drag and spin, aged and drawn
// as textured quads from one vertex buffer in one draw.
#include <cstdint>
#include <string>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/zuzorev/Texture.h"

namespace zuzorev {
class CVertexBuffer;
}

// How a system is set up; a fresh record holds the defaults.
struct SPointsSystemParams {
  std::wstring textureName;
  int32_t capacity = 10;
  float lifetime = 1.0f;
  float acceleration[3] = {0.0f, 0.0f, 0.0f};
  float drag = 0.0f;
  int32_t frameCount = 1;
  float (*sizeCurve)(float) = nullptr;
  float (*widthCurve)(float) = nullptr;
  float (*heightCurve)(float) = nullptr;
  uint32_t (*colorCurve)(float) = nullptr;
  int32_t (*frameCurve)(float) = nullptr;
};

// One pooled particle.
struct SPointParticle {
  float position[3] = {0.0f, 0.0f, 0.0f};
  float axis[3] = {0.0f, 0.0f, 1.0f};
  float velocity[3] = {0.0f, 0.0f, 0.0f};
  float spin = 0.0f;
  float age = 0.0f;
  float size = 0.0f;
  float width = 0.0f;
  float height = 0.0f;
  uint32_t color = 0;
  float lifetime = 0.0f;
};

class PointsSystem : public rovovoz::CBaseGeometryObject {
 public:
  explicit PointsSystem(rovovoz::CGameCore* core = nullptr);
  ~PointsSystem() override;
  PointsSystem(const PointsSystem&) = delete;
  PointsSystem& operator=(const PointsSystem&) = delete;

  // 1 on success, 0 (logged) on failure; may be called again to rebuild.
  int Init(const SPointsSystemParams& params);
  // Appends a particle unless the pool is full.
  void Emit(float x, float y, float z, float vx, float vy, float vz, float age, float spin);
  void Simulate(float dt);
  void FillVertexBuffer();
  void Kill(int index);
  void Clear();

  int32_t Load(uint32_t flags) override;
  int32_t UnLoad(uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  void SetAlpha(float alpha) override { mObjectAlpha = alpha; }
  void SetWorldMatrix3D(const zormath::Mat4f& m) override;

  // Live particles are 0 .. GetCount() - 1; an owner may change the one it
  // has just emitted (the last).
  int32_t GetCount() const { return mCount; }
  int32_t GetCapacity() const { return mCapacity; }
  SPointParticle* GetParticle(int index);

 private:
  SPointParticle** mPool = nullptr;
  int32_t mCount = 0;
  int32_t mCapacity = 0;
  float mLifetime = 1.0f;
  float mAcceleration[3] = {0.0f, 0.0f, 0.0f};
  float mDrag = 0.0f;
  int32_t mFrameCount = 1;
  float (*mSizeCurve)(float) = nullptr;
  float (*mWidthCurve)(float) = nullptr;
  float (*mHeightCurve)(float) = nullptr;
  uint32_t (*mColorCurve)(float) = nullptr;
  int32_t (*mFrameCurve)(float) = nullptr;
  zuzorev::CTexture mTexture;
  zuzorev::CVertexBuffer* mBuffer = nullptr;
  int32_t mDeclaration = -1;
  int32_t mSeting = -1;
  zormath::Mat4f mWorldMatrix = zormath::Mat4f::Identity();
  float mObjectAlpha = 1.0f;
};
