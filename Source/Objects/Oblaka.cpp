#include "Objects/Oblaka.h"

#include <tinyxml.h>

#include <algorithm>
#include <cmath>
#include <cwchar>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/VertexBuffer.h"
#include "Objects/ObjectSupport.h"
#include "Platform/Random.h"

namespace {

constexpr const wchar_t* kSource = L"Source/Objects/Oblaka";
constexpr int kVerticesPerParticle = 6;
// Bounds on counts read from data: the buffer is clouds x sprites x 144
// bytes, and a few hundred of each is far more than a sky needs.
constexpr int32_t kMostClouds = 256;
constexpr int32_t kMostParticles = 256;

float Number(const TiXmlElement* element, const char* name, float fallback) {
  float value = fallback;
  objects::ReadFloat(element, name, value);
  return zormath::Finite(value);
}

SBleskRange Range(float min, float max) {
  SBleskRange range{min, max, false};
  range.Settle();
  return range;
}

// "x y z" (commas allowed); missing numbers stay 0.
zormath::Vec3f ReadVector(const TiXmlElement* element, const char* name) {
  std::wstring text;
  float v[3] = {0, 0, 0};
  if (objects::ReadText(element, name, text)) {
    std::replace(text.begin(), text.end(), L',', L' ');
    const wchar_t* p = text.c_str();
    for (float& out : v) {
      wchar_t* end = nullptr;
      const float value = std::wcstof(p, &end);
      if (end == p) break;
      out = zormath::Finite(value);
      p = end;
    }
  }
  return zormath::Vec3f(v[0], v[1], v[2]);
}

}  // namespace

COblaka::COblaka(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

COblaka::~COblaka() { Release(0); }

int32_t COblaka::Release(uint32_t) {
  if (mBuffer) {
    if (mLocked) mBuffer->Unlock();
    mBuffer->Release(0);
    delete mBuffer;
  }
  mBuffer = nullptr;
  mLocked = nullptr;
  mTexture.Release(0);
  mClouds.clear();
  return 0;
}

int32_t COblaka::Load(uint32_t flags) {
  if ((flags & 2u) && mTexture.IsNamed()) mTexture.Load();
  return 1;
}

int32_t COblaka::UnLoad(uint32_t flags) {
  if ((flags & 2u) && mTexture.IsNamed()) mTexture.UnLoad();
  return 1;
}

int32_t COblaka::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t) {
  Release(0);
  zuzorev::CRenderSystem* render = objects::RenderOf(mCore);
  std::wstring file;
  std::wstring model;
  if (!objects::ReadModelSource(kSource, __LINE__, render, properties, modelFile, L"No find attribute NameModel", file,
                                model))
    return objects::kLoadFail;
  zormath::Mat4f placement;
  zuzorev::SAABBox box;
  if (render->GetMatrixTransform(file, model, placement) <= 0 || render->GetAABBox(file, model, box) <= 0) {
    objects::Error(kSource, __LINE__, L"Load oblaka emiter model.");
    return objects::kLoadFail;
  }
  mEmitter = zormath::Vec3f(placement(3, 0), placement(3, 1), placement(3, 2));
  mBoxLeft = box.Min.x;
  mBoxBottom = box.Min.z;
  mBoxWidth = box.Max.x - box.Min.x;
  mBoxHeight = box.Max.z - box.Min.z;

  mMaxCountOblaka = 0;
  mBeginCountOblaka = 0;
  objects::ReadInt(properties, "MaxCountOblaka", mMaxCountOblaka);
  objects::ReadInt(properties, "BeginCountOblaka", mBeginCountOblaka);
  mMaxCountOblaka = std::clamp(mMaxCountOblaka, 0, kMostClouds);
  float minDelta = Number(properties, "MinDeltaTime", 0.0f);
  if (minDelta < 0.0f) minDelta = 0.0f;
  mSpawn = Range(minDelta, Number(properties, "MaxDeltaTime", 0.0f));
  std::wstring seting;
  mSeting = objects::ReadText(properties, "Render", seting) ? render->GetRenderSetingID(seting) : -1;
  std::wstring texture;
  if (objects::ReadText(properties, "Texture", texture) && !texture.empty())
    render->LoadTexture(texture, mTexture, 0, 0);
  mCountCadr = Number(properties, "CountCadr", 1.0f);
  // A strip of no frames would put u at infinity: one frame it is.
  if (!(mCountCadr >= 1.0f)) mCountCadr = 1.0f;
  mFrame = 1.0f / mCountCadr;

  const TiXmlElement* veter = FirstChildElementUpper(properties, "Veter");
  float minSila = Number(veter, "MinSila", 0.0f);
  if (minSila < 0.0f) minSila = 0.0f;
  mSila = Range(minSila, Number(veter, "MaxSila", minSila));
  mDir = ReadVector(veter, "Dir");

  const TiXmlElement* oblako = FirstChildElementUpper(properties, "Oblako");
  mCloudH = Number(oblako, "H", 0.0f);
  mCloudW = Number(oblako, "W", 0.0f);
  mMaxCountPart = 0;
  objects::ReadInt(oblako, "MaxCountPart", mMaxCountPart);
  mMaxCountPart = std::clamp(mMaxCountPart, 0, kMostParticles);

  const TiXmlElement* particle = FirstChildElementUpper(properties, "Particle");
  mParticleH = Number(particle, "H", 0.0f);
  mParticleW = Number(particle, "W", 0.0f);
  const float minAlpha = zormath::Clamp(Number(particle, "MinAlpha", 1.0f), 0.0f, 1.0f);
  mParticleAlpha = Range(minAlpha, zormath::Clamp(Number(particle, "MaxAlpha", minAlpha), 0.0f, 1.0f));
  mSpin.min = Number(particle, "MinSpeedAngle", 0.0f);
  mSpin.max = Number(particle, "MaxSpeedAngle", mSpin.min);
  mSpin.random = mSpin.max != mSpin.min;
  mBegRotatePart = Number(particle, "BegRotatePart", objects::kPi);
  const TiXmlElement* scale = FirstChildElementUpper(particle, "Scale");
  const float minX = Number(scale, "MinX", 1.0f);
  const float minY = Number(scale, "MinY", 1.0f);
  mScaleX = Range(minX, Number(scale, "MaxX", minX));
  mScaleY = Range(minY, Number(scale, "MaxY", minY));

  mSpawnClock = 0.0f;
  mSpawnInterval = mSpawn.Draw();

  mDeclaration = render->GetDeclarationID(L"XYZDiffuseTex1");
  mClouds.reserve(static_cast<size_t>(mMaxCountOblaka));
  const uint32_t bytes = static_cast<uint32_t>(mMaxCountOblaka) * static_cast<uint32_t>(mMaxCountPart) *
                         kVerticesPerParticle * sizeof(zuzorev::SVertex);
  if (bytes == 0) return 0;  // a sky of no clouds
  mBuffer = render->CreateVertexBuffer(bytes, sizeof(zuzorev::SVertex), 0, zuzorev::kFvfXyzDiffuseTex1, 1);
  if (!mBuffer) {
    // No sky to draw: the object stays empty.
    objects::Error(kSource, __LINE__, L"Create vertex buffer for particle oblaka.");
    return 0;
  }
  SpawnCloud();
  if (mLocked) {
    mBuffer->Unlock();
    mLocked = nullptr;
  }
  return 0;
}

zuzorev::SVertex* COblaka::LockedVertices() {
  if (mLocked) return mLocked;
  if (!mBuffer) return nullptr;
  mLocked = static_cast<zuzorev::SVertex*>(mBuffer->Lock(0, 0, 0));
  if (!mLocked) objects::Error(kSource, __LINE__, L"Lock vertex buffer for particle oblaka.");
  return mLocked;
}

void COblaka::WriteParticle(const SCloudParticle& p, zuzorev::SVertex* out) const {
  const float h = 0.5f * mParticleH * p.scaleY;
  const float w = 0.5f * mParticleW * p.scaleX;
  const zormath::Vec3f up = p.axis * h;
  const zormath::Vec3f across = p.perpendicular * w;
  // Two triangles over the quad, corners as the particle system lays them.
  const struct {
    float across, along, u, v;
  } corners[kVerticesPerParticle] = {{1, 1, 0, 0}, {1, -1, 0, 1}, {-1, -1, 1, 1},
                                     {-1, -1, 1, 1}, {-1, 1, 1, 0}, {1, 1, 0, 0}};
  for (int i = 0; i < kVerticesPerParticle; ++i) {
    const zormath::Vec3f at = p.position + across * corners[i].across + up * corners[i].along;
    out[i].x = at.x;
    out[i].y = at.y;
    out[i].z = at.z;
    out[i].color = p.color;
    out[i].u = p.u + corners[i].u * mFrame;
    out[i].v = corners[i].v;
  }
}

int32_t COblaka::CreateCloudParticles(SCloud& cloud, int first) {
  const int count = std::min(
      mMaxCountPart / 2 + static_cast<int>(0.5f * static_cast<float>(mMaxCountPart) * Platform::RandomFloat()),
      mMaxCountPart);
  if (count <= 0) return 0;
  cloud.boundsMin = zormath::Vec3f(1000, 1000, 1000);
  cloud.boundsMax = zormath::Vec3f(-1000, -1000, -1000);
  cloud.spins = false;
  // A cloud whose sprites cannot be written is not made.
  zuzorev::SVertex* vertices = LockedVertices();
  if (!vertices) return 0;
  cloud.particles.resize(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    SCloudParticle& p = cloud.particles[static_cast<size_t>(i)];
    const float r1 = Platform::RandomFloat();
    const float r2 = Platform::RandomFloat();
    p.position = zormath::Vec3f(0.5f * mCloudW - mCloudW * r2, 0.0f, 0.5f * mCloudH - mCloudH * r1);
    if (mBegRotatePart == 0.0f) {
      p.axis = zormath::Vec3f(0, 0, 1);
    } else {
      const float a = (1.0f - 2.0f * Platform::RandomFloat()) * mBegRotatePart;
      p.axis = zormath::Vec3f(std::sin(a), 0.0f, std::cos(mBegRotatePart * a));
      p.axis.Normalize();
    }
    p.perpendicular = zormath::Vec3f(-p.axis.z, 0.0f, p.axis.x);
    cloud.boundsMin.x = std::min(cloud.boundsMin.x, p.position.x - 0.5f * mParticleW);
    cloud.boundsMax.x = std::max(cloud.boundsMax.x, p.position.x + 0.5f * mParticleW);
    cloud.boundsMin.z = std::min(cloud.boundsMin.z, p.position.z - 0.5f * mParticleH);
    cloud.boundsMax.z = std::max(cloud.boundsMax.z, p.position.z + 0.5f * mParticleH);
    p.scaleX = mScaleX.Draw();
    p.scaleY = mScaleY.Draw();
    p.alpha = mParticleAlpha.Draw();
    p.u = std::trunc(mCountCadr * Platform::RandomFloat()) * mFrame;
    if (p.u >= 1.0f) p.u -= mFrame;
    p.spin = 0.0f;
    if (mSpin.min != 0.0f || mSpin.random) p.spin = mSpin.Draw();
    if (p.spin != 0.0f) cloud.spins = true;
    p.color = (static_cast<uint32_t>(p.alpha * 255.0f * mAlpha) << 24) | 0xFFFFFFu;
    WriteParticle(p, vertices + first + i * kVerticesPerParticle);
  }
  return 1;
}

void COblaka::PlaceCloud(SCloud& cloud) const {
  zormath::MatrixMultiply(cloud.own.m, cloud.render.m, GetTempMatrix3D().m);
}

bool COblaka::MakeCloud(int first) {
  SCloud cloud;
  if (CreateCloudParticles(cloud, first) == 0) return false;
  const float strength = mSila.Draw();
  cloud.wind = mDir * strength;
  const float r1 = Platform::RandomFloat();
  const float r2 = Platform::RandomFloat();
  cloud.own(3, 0) = mBoxWidth * r1 + mBoxLeft + mEmitter.x;
  cloud.own(3, 1) = mEmitter.y;
  cloud.own(3, 2) = mBoxHeight * r2 + mBoxBottom + mEmitter.z;
  PlaceCloud(cloud);
  mClouds.push_back(std::move(cloud));
  return true;
}

void COblaka::SpawnCloud() {
  const int count = std::min(mBeginCountOblaka, mMaxCountOblaka);
  int first = 0;
  for (const SCloud& cloud : mClouds) first += static_cast<int>(cloud.particles.size()) * kVerticesPerParticle;
  for (int i = 0; i < count && static_cast<int>(mClouds.size()) < mMaxCountOblaka; ++i) {
    if (!MakeCloud(first)) continue;
    first += static_cast<int>(mClouds.back().particles.size()) * kVerticesPerParticle;
  }
}

int32_t COblaka::FillVertexBuffer(SCloud& cloud, float dt, int first, int rewrite) {
  cloud.own(3, 0) += cloud.wind.x * dt;
  cloud.own(3, 1) += cloud.wind.y * dt;
  cloud.own(3, 2) += cloud.wind.z * dt;
  const float x = cloud.own(3, 0);
  const float z = cloud.own(3, 2);
  // Out past the emitter's box on the side the wind blows to.
  if (cloud.wind.x > 0.0f && x + cloud.boundsMin.x > mEmitter.x + mBoxLeft + mBoxWidth) return 0;
  if (cloud.wind.x < 0.0f && x + cloud.boundsMax.x < mEmitter.x + mBoxLeft) return 0;
  if (cloud.wind.z > 0.0f && z + cloud.boundsMin.z > mEmitter.z + mBoxBottom + mBoxHeight) return 0;
  if (cloud.wind.z < 0.0f && z + cloud.boundsMax.z < mEmitter.z + mBoxBottom) return 0;
  PlaceCloud(cloud);
  if (rewrite == 0 && !cloud.spins) return 1;
  zuzorev::SVertex* vertices = LockedVertices();
  if (!vertices) return zuzorev::kFail;
  for (size_t i = 0; i < cloud.particles.size(); ++i) {
    SCloudParticle& p = cloud.particles[i];
    if (p.spin != 0.0f) {
      float turn[16];
      zormath::MatrixRotationY(turn, p.spin * dt);
      const auto rotate = [&turn](const zormath::Vec3f& v) {
        return zormath::Vec3f(v.x * turn[0] + v.z * turn[8], v.y, v.x * turn[2] + v.z * turn[10]);
      };
      p.axis = rotate(p.axis);
      p.perpendicular = rotate(p.perpendicular);
    }
    p.color = (static_cast<uint32_t>(p.alpha * 255.0f * mAlpha) << 24) | 0xFFFFFFu;
    WriteParticle(p, vertices + first + static_cast<int>(i) * kVerticesPerParticle);
  }
  return 1;
}

int32_t COblaka::Update(float dt, rovovoz::CMouseCursor*) {
  int first = 0;
  int rewrite = mRewriteAll ? 1 : 0;
  mRewriteAll = false;
  for (size_t i = 0; i < mClouds.size();) {
    if (FillVertexBuffer(mClouds[i], dt, first, rewrite) == 0) {
      // The clouds behind move up in the buffer: write them anew.
      mClouds.erase(mClouds.begin() + static_cast<std::ptrdiff_t>(i));
      rewrite = 1;
      continue;
    }
    first += static_cast<int>(mClouds[i].particles.size()) * kVerticesPerParticle;
    ++i;
  }
  mSpawnClock += dt;
  if (mSpawnInterval != 0.0f && mSpawnClock >= mSpawnInterval) {
    if (static_cast<int32_t>(mClouds.size()) < mMaxCountOblaka && mBuffer) MakeCloud(first);
    mSpawnClock -= mSpawnInterval;
    mSpawnInterval = mSpawn.Draw();
  }
  if (mLocked) {
    mBuffer->Unlock();
    mLocked = nullptr;
  }
  return 0;
}

int32_t COblaka::Render() {
  zuzorev::CRenderSystem* render = objects::RenderOf(mCore);
  if (!render || !mBuffer || mClouds.empty()) return 0;
  render->BindDeclaration(mDeclaration);
  render->BindRenderSeting(mSeting, 1, 0);
  render->BindTexture(0, mTexture);
  render->SetVertexBuffer(0, mBuffer, 0);
  int first = 0;
  for (const SCloud& cloud : mClouds) {
    const int count = static_cast<int>(cloud.particles.size());
    ApplyTransform(cloud.render);
    render->DrawPrimitive(zuzorev::kPrimTriangleList, first, 2 * count);
    first += count * kVerticesPerParticle;
  }
  return 0;
}

void COblaka::SetAlpha(float alpha) {
  mAlpha = zormath::Clamp(alpha, 0.0f, 1.0f);
  // Every sprite alive takes the new alpha in the step below.
  mRewriteAll = true;
  Update(0.0f, nullptr);
}

void COblaka::UpdateTempMatrix() {
  rovovoz::CBaseGeometryObject::UpdateTempMatrix();
  for (SCloud& cloud : mClouds) PlaceCloud(cloud);
}
