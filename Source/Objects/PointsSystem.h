#pragma once
// A small particle engine owned by the effects that need sprites (the
// particle fire, the rain): a fixed pool of particles moved with constant
// acceleration, quadratic drag and a spin of their axis about Y, aged by
// their lifetime and drawn as textured quads along their axis from one
// vertex buffer in one draw. Curves of the life fraction give size, colour
// and the frame of a horizontal texture strip.
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/zormath/Math.h"
#include "Engine/zuzorev/Texture.h"

namespace zuzorev {
class CVertexBuffer;
}

// How a PointsSystem is built; a fresh record holds the defaults.
struct SPointsSystemParams {
  std::wstring TextureName;
  int32_t Capacity = 10;
  // Seconds; > 0 particles die at the end, < 0 they repeat their life for
  // ever, 0 they never age.
  float Lifetime = 1.0f;
  zormath::Vec3f Acceleration;
  // Quadratic drag; 0 or less: none.
  float Drag = 0.0f;
  // Frames side by side across the texture.
  int32_t FrameCount = 1;
  // Curves of the life fraction t = age / lifetime; null: the particle's own value.
  float (*SizeCurve)(float) = nullptr;    // half-extent both ways
  float (*WidthCurve)(float) = nullptr;   // half-width, across the axis
  float (*HeightCurve)(float) = nullptr;  // half-height, along the axis
  uint32_t (*ColorCurve)(float) = nullptr;
  int32_t (*FrameCurve)(float) = nullptr;
};

// One pooled particle.
struct SPointParticle {
  zormath::Vec3f Position;
  zormath::Vec3f Axis{0.0f, 0.0f, 1.0f};  // the quad's "up"
  zormath::Vec3f Velocity;
  float Spin = 0.0f;  // radians per second about Y
  float Age = 0.0f;
  float Size = 5.0f;
  float Width = -5.0f;   // 0 or less: the size
  float Height = -5.0f;  // 0 or less: the size
  uint32_t Color = 0x55FFFFFFu;
  float Lifetime = 0.0f;
};

class PointsSystem : public rovovoz::CBaseGeometryObject {
 public:
  static constexpr int kVerticesPerParticle = 6;
  static constexpr int kVertexBytes = 24;
  // Above this a pool would only be a memory hog: the build fails.
  static constexpr int32_t kMaxCapacity = 100000;

  explicit PointsSystem(rovovoz::CGameCore* core);
  ~PointsSystem() override;
  PointsSystem(const PointsSystem&) = delete;
  PointsSystem& operator=(const PointsSystem&) = delete;

  // Builds the pool, texture and vertex buffer (again). 1 success, 0 failure
  // (logged).
  int32_t Init(const SPointsSystemParams& params);
  // Appends one particle unless the pool is full.
  void Emit(float x, float y, float z, float vx, float vy, float vz, float age, float spin);
  // Steps every live particle, then rewrites the vertex buffer.
  void Simulate(float dt);
  void FillVertexBuffer();
  // The particle's place goes to the last live one (order not kept).
  void Kill(int index);
  // Drops the pool, the vertex buffer and the texture.
  void Clear();

  int32_t Load(uint32_t flags) override;
  using rovovoz::CBaseGeometryObject::Load;
  int32_t UnLoad(uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  // No clamping: the vertex colours clamp.
  void SetAlpha(float alpha) override { mObjectAlpha = alpha; }
  float GetAlpha() const override { return mObjectAlpha; }
  void SetWorldMatrix3D(const zormath::Mat4f& m) override;

  // A colour channel of 0 .. 1 as a byte: 255 from 1 up, 0 from 0 down
  // (and for a value that is no number), else rounded. Curves use it too.
  static uint32_t ChannelByte(float v);

  // The owner may set another render setting after Init (an additive glow).
  void SetRenderSetingID(int id) { mRenderSeting = id; }
  int GetRenderSetingID() const { return mRenderSeting; }

  int32_t GetCount() const { return mCount; }
  int32_t GetCapacity() const { return mCapacity; }
  // Particles emitted since Init.
  long long GetEmittedCount() const { return mEmitted; }
  // The live particle at index (0 .. count - 1); the last is the one just
  // emitted, which its owner may still change.
  SPointParticle& GetParticle(int index) { return mPool[static_cast<size_t>(index)]; }
  SPointParticle& GetLastParticle() { return mPool[static_cast<size_t>(mCount - 1)]; }
  const zuzorev::CVertexBuffer* GetVertexBuffer() const { return mVertexBuffer; }
  const zormath::Mat4f& GetParticleWorld() const { return mParticleWorld; }

 private:
  void WriteParticle(const SPointParticle& p, uint8_t* out) const;

  std::vector<SPointParticle> mPool;
  int32_t mCount = 0;
  long long mEmitted = 0;
  int32_t mCapacity = 0;
  float mLifetime = 1.0f;
  zormath::Vec3f mAcceleration;
  float mDrag = 0.0f;
  int32_t mFrameCount = 1;
  float (*mSizeCurve)(float) = nullptr;
  float (*mWidthCurve)(float) = nullptr;
  float (*mHeightCurve)(float) = nullptr;
  uint32_t (*mColorCurve)(float) = nullptr;
  int32_t (*mFrameCurve)(float) = nullptr;
  zuzorev::CTexture mTexture;
  zuzorev::CVertexBuffer* mVertexBuffer = nullptr;
  int mDeclaration = -1;
  int mRenderSeting = -1;
  zormath::Mat4f mParticleWorld = zormath::Mat4f::Identity();
  float mObjectAlpha = 1.0f;
};
