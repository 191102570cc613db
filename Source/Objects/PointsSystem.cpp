#include "Objects/PointsSystem.h"

#include <cmath>
#include <cstring>

#include "Engine/rovovoz/Camera.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/VertexBuffer.h"
#include "Game.h"
#include "Objects/ObjectSupport.h"

namespace {

constexpr const wchar_t* kSource = L"Points";

// Across- and along-axis signs and the u, v of the six corners.
struct SCorner {
  float across, along, u, v;
};
constexpr SCorner kCorners[PointsSystem::kVerticesPerParticle] = {
    {+1, +1, 0, 0}, {+1, -1, 0, 1}, {-1, -1, 1, 1}, {-1, -1, 1, 1}, {-1, +1, 1, 0}, {+1, +1, 0, 0},
};

uint32_t WithObjectAlpha(uint32_t argb, float objectAlpha) {
  const float a = static_cast<float>((argb >> 24) & 255) / 255.0f * objectAlpha;
  const float r = static_cast<float>((argb >> 16) & 255) / 255.0f;
  const float g = static_cast<float>((argb >> 8) & 255) / 255.0f;
  const float b = static_cast<float>(argb & 255) / 255.0f;
  return PointsSystem::ChannelByte(a) << 24 | PointsSystem::ChannelByte(r) << 16 |
         PointsSystem::ChannelByte(g) << 8 | PointsSystem::ChannelByte(b);
}

}  // namespace

uint32_t PointsSystem::ChannelByte(float v) {
  if (v >= 1.0f) return 255;
  if (!(v > 0.0f)) return 0;
  return static_cast<uint32_t>(v * 255.0f + 0.5f);
}

PointsSystem::PointsSystem(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

PointsSystem::~PointsSystem() { Clear(); }

void PointsSystem::Clear() {
  mPool.clear();
  mPool.shrink_to_fit();
  mCount = 0;
  mCapacity = 0;  // nothing can be emitted until the pool is built again
  mEmitted = 0;
  delete mVertexBuffer;
  mVertexBuffer = nullptr;
  mTexture.Release();
}

int32_t PointsSystem::Init(const SPointsSystemParams& params) {
  Clear();
  // The pool takes its size only once it exists: a failed build emits nothing.
  const int32_t capacity = params.Capacity;
  mLifetime = zormath::Finite(params.Lifetime);
  mAcceleration = zormath::Vec3f(zormath::Finite(params.Acceleration.x), zormath::Finite(params.Acceleration.y),
                                 zormath::Finite(params.Acceleration.z));
  mDrag = zormath::Finite(params.Drag);
  // A strip of no frames would divide by zero.
  mFrameCount = params.FrameCount >= 1 ? params.FrameCount : 1;
  mSizeCurve = params.SizeCurve;
  mWidthCurve = params.WidthCurve;
  mHeightCurve = params.HeightCurve;
  mColorCurve = params.ColorCurve;
  mFrameCurve = params.FrameCurve;

  zuzorev::CRenderSystem* render = objects::RenderOf(mCore);
  if (!render || render->LoadTexture(params.TextureName, mTexture, 1, 0) < 0) {
    objects::Error(kSource, __LINE__, L"No find texture for PointsSystem");
    return 0;
  }
  mDeclaration = render->GetDeclarationID(L"XYZDiffuseTex1");
  if (mDeclaration == -1) {
    objects::Error(kSource, __LINE__, L"No find declaration XYZDiffuseTex1");
    return 0;
  }
  mRenderSeting = render->GetRenderSetingID(L"MT_PARTICLE");
  if (mRenderSeting == -1) {
    objects::Error(kSource, __LINE__, L"No find render seting MT_PARTICLE");
    return 0;
  }
  // No pool of no particles or of a size that only eats memory.
  if (capacity >= 1 && capacity <= kMaxCapacity) {
    const uint32_t bytes = static_cast<uint32_t>(capacity) * kVerticesPerParticle * kVertexBytes;
    mVertexBuffer = render->CreateVertexBuffer(bytes, kVertexBytes, 0, zuzorev::kFvfXyzDiffuseTex1, 1);
  }
  if (!mVertexBuffer) {
    objects::Error(kSource, __LINE__, L"reate vertex buffer for particle.");
    return 0;
  }
  mCapacity = capacity;
  mPool.assign(static_cast<size_t>(mCapacity), SPointParticle{});
  for (SPointParticle& p : mPool) {
    p.Axis = zormath::Vec3f();
    p.Size = p.Width = p.Height = 0.0f;
  }

  auto* bytes = static_cast<uint8_t*>(mVertexBuffer->Lock(0, 0, 0));
  if (!bytes) {
    objects::Error(kSource, __LINE__, L"Lock vertex buffer particle.");
    return 1;
  }
  std::memset(bytes, 0, mVertexBuffer->GetSize());
  for (int32_t i = 0; i < mCapacity; ++i) {
    for (int k = 0; k < kVerticesPerParticle; ++k) {
      zuzorev::SVertex v;
      v.color = 0;
      v.u = kCorners[k].u;
      v.v = kCorners[k].v;
      std::memcpy(bytes + (static_cast<size_t>(i) * kVerticesPerParticle + k) * kVertexBytes, &v, sizeof(v));
    }
  }
  // The first vertex as the buffer has always started.
  zuzorev::SVertex first;
  first.color = 0x88888888u;
  std::memcpy(bytes, &first, sizeof(first));
  if (mVertexBuffer->Unlock() < 0) objects::Error(kSource, __LINE__, L"Unlock vertex buffer particle.");
  return 1;
}

void PointsSystem::Emit(float x, float y, float z, float vx, float vy, float vz, float age, float spin) {
  if (mCount >= mCapacity) return;
  SPointParticle& p = mPool[static_cast<size_t>(mCount)];
  p.Position = zormath::Vec3f(x, y, z);
  p.Axis = zormath::Vec3f(0.0f, 0.0f, 1.0f);
  p.Velocity = zormath::Vec3f(vx, vy, vz);
  p.Spin = spin;
  p.Age = age;
  p.Size = 5.0f;
  p.Width = -5.0f;
  p.Height = -5.0f;
  p.Color = 0x55FFFFFFu;
  p.Lifetime = mLifetime;
  ++mCount;
  ++mEmitted;
}

void PointsSystem::Kill(int index) {
  if (index < 0 || index >= mCount) return;
  std::swap(mPool[static_cast<size_t>(index)], mPool[static_cast<size_t>(mCount - 1)]);
  --mCount;
}

void PointsSystem::Simulate(float dt) {
  if (mCount == 0) return;
  // Downwards, so a kill swaps in a particle already stepped in this pass.
  for (int i = mCount - 1; i >= 0; --i) {
    SPointParticle& p = mPool[static_cast<size_t>(i)];
    p.Velocity = p.Velocity + mAcceleration * dt;
    if (mDrag > 0.0f) {
      const zormath::Vec3f& v = p.Velocity;
      const float squared = v.x * v.x + v.y * v.y + v.z * v.z;
      const float speed = squared == 1.0f ? squared : std::sqrt(squared);
      p.Velocity = p.Velocity - p.Velocity * (mDrag * speed * dt);
    }
    p.Position = p.Position + p.Velocity * dt;
    if (std::fabs(p.Spin) > 1e-5f) {
      const float angle = p.Spin * dt;
      const float c = std::cos(angle), s = std::sin(angle);
      const zormath::Vec3f a = p.Axis;
      p.Axis = zormath::Vec3f(c * a.x + s * a.z, a.y, -s * a.x + c * a.z);
    }
    if (mLifetime > 0.0f) {
      p.Age += dt;
      if (p.Age > p.Lifetime) Kill(i);
    } else if (mLifetime < 0.0f) {
      // Ages towards the negative lifetime and starts its life again.
      p.Age -= dt;
      if (p.Age < p.Lifetime) p.Age = 0.0f;
    }
  }
  FillVertexBuffer();
}

void PointsSystem::WriteParticle(const SPointParticle& p, uint8_t* out) const {
  // A system that never ages keeps its particles at the start of their life.
  const float t = p.Lifetime != 0.0f ? p.Age / p.Lifetime : 0.0f;
  float w, h;
  if (mSizeCurve) {
    w = h = mSizeCurve(t);
  } else {
    w = h = p.Size;
    if (p.Width > 0.0f) w = p.Width;
    if (p.Height > 0.0f) h = p.Height;
  }
  if (mWidthCurve) w = mWidthCurve(t);
  if (mHeightCurve) h = mHeightCurve(t);
  const uint32_t color = WithObjectAlpha(mColorCurve ? mColorCurve(t) : p.Color, mObjectAlpha);
  float u0 = 0.0f, u1 = 1.0f;
  if (mFrameCurve) {
    const float count = static_cast<float>(mFrameCount);
    u1 = static_cast<float>(mFrameCurve(t) + 1) / count;
    u0 = u1 - 1.0f / count;
  }
  const zormath::Vec3f& a = p.Axis;
  const zormath::Vec3f across(-a.z, 0.0f, a.x);
  for (int k = 0; k < kVerticesPerParticle; ++k) {
    uint8_t* at = out + k * kVertexBytes;
    zuzorev::SVertex v;
    std::memcpy(&v, at, sizeof(v));
    const zormath::Vec3f pos = p.Position + across * (kCorners[k].across * w) + a * (kCorners[k].along * h);
    v.x = pos.x;
    v.y = pos.y;
    v.z = pos.z;
    v.color = color;
    if (mFrameCurve) v.u = kCorners[k].u == 0.0f ? u0 : u1;
    std::memcpy(at, &v, sizeof(v));
  }
}

void PointsSystem::FillVertexBuffer() {
  if (mCount == 0 || !mVertexBuffer) return;
  auto* bytes = static_cast<uint8_t*>(mVertexBuffer->Lock(0, 0, 0));
  if (!bytes) {
    objects::Error(kSource, __LINE__, L"Lock vertex buffer particle.");
    return;
  }
  constexpr size_t kParticleBytes = static_cast<size_t>(kVerticesPerParticle) * kVertexBytes;
  for (int32_t i = 0; i < mCount; ++i) WriteParticle(mPool[static_cast<size_t>(i)], bytes + i * kParticleBytes);
  if (mVertexBuffer->Unlock() < 0) objects::Error(kSource, __LINE__, L"Unlock vertex buffer particle.");
}

int32_t PointsSystem::Render() {
  zuzorev::CRenderSystem* render = objects::RenderOf(mCore);
  if (mCount == 0 || !render || !mVertexBuffer) return 0;
  render->SetTransform(zuzorev::kTransformWorld, mParticleWorld);
  render->BindDeclaration(mDeclaration);
  render->BindRenderSeting(mRenderSeting, 1, 0);
  render->SetVertexBuffer(0, mVertexBuffer, 0);
  render->SetRenderState(zuzorev::kRsSpecularEnable, 0);
  render->BindTexture(0, mTexture);
  if (render->DrawPrimitive(zuzorev::kPrimTriangleList, 0, 2 * mCount) < 0)
    objects::Error(kSource, __LINE__, L"Render particle.");
  // What the next drawer expects: the camera's matrices, lighting on and the
  // ordinary alpha blend.
  if (gCamera) {
    render->SetTransform(zuzorev::kTransformView, gCamera->GetViewMatrix());
    render->SetTransform(zuzorev::kTransformProjection, gCamera->GetProjectionMatrix(1));
  }
  render->SetRenderState(zuzorev::kRsLighting, 1);
  render->SetRenderState(zuzorev::kRsSrcBlend, 5);
  render->SetRenderState(zuzorev::kRsDestBlend, 6);
  return 0;
}

int32_t PointsSystem::Update(float dt, rovovoz::CMouseCursor*) {
  Simulate(dt);
  return 0;
}

int32_t PointsSystem::Load(uint32_t) { return 1; }

int32_t PointsSystem::UnLoad(uint32_t) { return 1; }

void PointsSystem::SetWorldMatrix3D(const zormath::Mat4f& m) { mParticleWorld = m; }
