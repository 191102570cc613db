#include "Objects/PointsSystem.h"

#include <cmath>

#include "Engine/rovovoz/Camera.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/VertexBuffer.h"
#include "Game.h"
#include "Objects/ObjectSupport.h"

namespace {

constexpr const wchar_t* kSource = L"Points";

// Corners of a particle's two triangles: across, along, u, v.
constexpr float kCorners[6][4] = {{1, 1, 0, 0},   {1, -1, 0, 1}, {-1, -1, 1, 1},
                                  {-1, -1, 1, 1}, {-1, 1, 1, 0}, {1, 1, 0, 0}};

uint32_t Channel(float v) {
  if (v >= 1.0f) return 255;
  if (v <= 0.0f) return 0;
  return static_cast<uint32_t>(v * 255.0f + 0.5f);
}

}  // namespace

PointsSystem::PointsSystem(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

PointsSystem::~PointsSystem() { Clear(); }

void PointsSystem::Clear() {
  if (mPool) {
    for (int i = 0; i < mCapacity; ++i) delete mPool[i];
    delete[] mPool;
  }
  mPool = nullptr;
  mCount = 0;
  mCapacity = 0;
  if (mBuffer) {
    mBuffer->Release(0);
    delete mBuffer;
    mBuffer = nullptr;
  }
  mTexture.Release(0);
}

int PointsSystem::Init(const SPointsSystemParams& params) {
  Clear();
  mCapacity = params.capacity > 0 ? params.capacity : 0;
  mLifetime = params.lifetime;
  for (int i = 0; i < 3; ++i) mAcceleration[i] = params.acceleration[i];
  mDrag = params.drag;
  mFrameCount = params.frameCount > 0 ? params.frameCount : 1;
  mSizeCurve = params.sizeCurve;
  mWidthCurve = params.widthCurve;
  mHeightCurve = params.heightCurve;
  mColorCurve = params.colorCurve;
  mFrameCurve = params.frameCurve;
  mPool = new SPointParticle*[static_cast<size_t>(mCapacity)];
  for (int i = 0; i < mCapacity; ++i) {
    mPool[i] = new SPointParticle();
    mPool[i]->axis[2] = 0.0f;
  }
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  if (!render || render->LoadTexture(params.textureName, mTexture, 1, 0) <= 0) {
    objects::Error(kSource, __LINE__, L"No find texture for PointsSystem");
    return 0;
  }
  mDeclaration = render->GetDeclarationID(L"XYZDiffuseTex1");
  if (mDeclaration == -1) {
    objects::Error(kSource, __LINE__, L"No find declaration XYZDiffuseTex1");
    return 0;
  }
  mSeting = render->GetRenderSetingID(L"MT_PARTICLE");
  if (mSeting == -1) {
    objects::Error(kSource, __LINE__, L"No find render seting MT_PARTICLE");
    return 0;
  }
  mBuffer = render->CreateVertexBuffer(static_cast<uint32_t>(mCapacity) * 144u, 24, 0,
                                       zuzorev::kFvfXyzDiffuseTex1, 1);
  if (!mBuffer) {
    objects::Error(kSource, __LINE__, L"reate vertex buffer for particle.");
    return 0;
  }
  auto* v = static_cast<zuzorev::SVertex*>(mBuffer->Lock(0, 0, 0));
  if (!v) {
    objects::Error(kSource, __LINE__, L"Lock vertex buffer particle.");
    return 1;
  }
  for (int i = 0; i < mCapacity * 6; ++i) {
    v[i].u = kCorners[i % 6][2];
    v[i].v = kCorners[i % 6][3];
  }
  v[0].color = 0x88888888u;
  if (mBuffer->Unlock() <= 0) objects::Error(kSource, __LINE__, L"Unlock vertex buffer particle.");
  return 1;
}

SPointParticle* PointsSystem::GetParticle(int index) {
  return index >= 0 && index < mCount ? mPool[index] : nullptr;
}

void PointsSystem::Emit(float x, float y, float z, float vx, float vy, float vz, float age, float spin) {
  if (mCount >= mCapacity) return;
  SPointParticle& p = *mPool[mCount];
  p.position[0] = x;
  p.position[1] = y;
  p.position[2] = z;
  p.axis[0] = 0.0f;
  p.axis[1] = 0.0f;
  p.axis[2] = 1.0f;
  p.velocity[0] = vx;
  p.velocity[1] = vy;
  p.velocity[2] = vz;
  p.spin = spin;
  p.age = age;
  p.size = 5.0f;
  p.width = -5.0f;
  p.height = -5.0f;
  p.color = 0x55FFFFFFu;
  p.lifetime = mLifetime;
  ++mCount;
}

void PointsSystem::Kill(int index) {
  if (index < 0 || index >= mCount) return;
  SPointParticle* dead = mPool[index];
  mPool[index] = mPool[mCount - 1];
  mPool[mCount - 1] = dead;
  --mCount;
}

void PointsSystem::Simulate(float dt) {
  if (mCount == 0) return;
  for (int i = mCount - 1; i >= 0; --i) {
    SPointParticle& p = *mPool[i];
    for (int k = 0; k < 3; ++k) p.velocity[k] += mAcceleration[k] * dt;
    if (mDrag > 0.0f) {
      const float sq = p.velocity[0] * p.velocity[0] + p.velocity[1] * p.velocity[1] + p.velocity[2] * p.velocity[2];
      const float s = sq == 1.0f ? sq : std::sqrt(sq);
      for (float& v : p.velocity) v -= v * mDrag * s * dt;
    }
    for (int k = 0; k < 3; ++k) p.position[k] += p.velocity[k] * dt;
    if (std::fabs(p.spin) > 1e-5f) {
      const float angle = p.spin * dt;
      const float c = std::cos(angle), s = std::sin(angle);
      const float ax = p.axis[0], az = p.axis[2];
      p.axis[0] = c * ax + s * az;
      p.axis[2] = -s * ax + c * az;
    }
    if (mLifetime > 0.0f) {
      p.age += dt;
      if (p.age > p.lifetime) Kill(i);
    } else if (mLifetime < 0.0f) {
      p.age -= dt;
      if (p.age < p.lifetime) p.age = 0.0f;
    }
  }
  FillVertexBuffer();
}

void PointsSystem::FillVertexBuffer() {
  if (mCount == 0 || !mBuffer) return;
  auto* v = static_cast<zuzorev::SVertex*>(mBuffer->Lock(0, 0, 0));
  if (!v) {
    objects::Error(kSource, __LINE__, L"Lock vertex buffer particle.");
    return;
  }
  for (int i = 0; i < mCount; ++i, v += 6) {
    const SPointParticle& p = *mPool[i];
    const float t = p.age / p.lifetime;
    float w = p.size, h = p.size;
    if (mSizeCurve) {
      w = h = mSizeCurve(t);
    } else {
      if (p.width > 0.0f) w = p.width;
      if (p.height > 0.0f) h = p.height;
    }
    if (mWidthCurve) w = mWidthCurve(t);
    if (mHeightCurve) h = mHeightCurve(t);
    const uint32_t c = mColorCurve ? mColorCurve(t) : p.color;
    const uint32_t color = Channel(static_cast<float>(c >> 24) / 255.0f * mObjectAlpha) << 24 |
                           Channel(static_cast<float>((c >> 16) & 255u) / 255.0f) << 16 |
                           Channel(static_cast<float>((c >> 8) & 255u) / 255.0f) << 8 |
                           Channel(static_cast<float>(c & 255u) / 255.0f);
    if (mFrameCurve) {
      const float u1 = static_cast<float>(mFrameCurve(t) + 1) / static_cast<float>(mFrameCount);
      const float u0 = u1 - 1.0f / static_cast<float>(mFrameCount);
      v[0].u = v[1].u = v[5].u = u0;
      v[2].u = v[3].u = v[4].u = u1;
    }
    const float* a = p.axis;
    for (int k = 0; k < 6; ++k) {
      const float across = kCorners[k][0] * w, along = kCorners[k][1] * h;
      v[k].x = p.position[0] + across * -a[2] + along * a[0];
      v[k].y = p.position[1] + along * a[1];
      v[k].z = p.position[2] + across * a[0] + along * a[2];
      v[k].color = color;
    }
  }
  if (mBuffer->Unlock() <= 0) objects::Error(kSource, __LINE__, L"Unlock vertex buffer particle.");
}

int32_t PointsSystem::Render() {
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  if (mCount == 0 || !render || !mBuffer) return 0;
  ApplyTransform(mWorldMatrix);
  render->BindDeclaration(mDeclaration);
  render->BindRenderSeting(mSeting, 1, 0);
  render->SetVertexBuffer(0, mBuffer, 0);
  render->SetRenderState(zuzorev::kRsSpecularEnable, 0);
  render->BindTexture(0, mTexture);
  if (render->DrawPrimitive(zuzorev::kPrimTriangleList, 0, 2 * mCount) < 0)
    objects::Error(kSource, __LINE__, L"Render particle.");
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

void PointsSystem::SetWorldMatrix3D(const zormath::Mat4f& m) { mWorldMatrix = m; }
