#include "Objects/FirePart.h"

#include <tinyxml.h>

#include <cmath>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Objects/Fire.h"
#include "Objects/ObjectSupport.h"
#include "Platform/Random.h"

float gFirePartScale = 1.0f;
float gFireFlameClock = 0.0f;
float gFireSpotClock = 0.0f;

namespace {

// The flame layer lives faster than the clock: its particles age and move
// 4.42 times as fast, the glow twice; both emission clocks run double.
constexpr float kFireTimeScale = 1.32f;
constexpr float kFlameTimeScale = 4.42f;
constexpr float kSpotTimeScale = 2.0f;
constexpr float kEmitClockScale = 2.0f;

void ReadEmitter(const TiXmlElement* element, CFirePart::SEmitter& emitter, std::wstring& texture) {
  if (!element) return;
  objects::ReadText(element, "Texture", texture);
  objects::ReadFloat(element, "Dx", emitter.Dx);
  objects::ReadFloat(element, "Dz", emitter.Dz);
  objects::ReadFloat(element, "DVx", emitter.DVx);
  objects::ReadFloat(element, "DVz", emitter.DVz);
  objects::ReadFloat(element, "DTime", emitter.DTime);
  // Spreads and speeds that are no numbers would make every particle one.
  emitter.Dx = zormath::Finite(emitter.Dx);
  emitter.Dz = zormath::Finite(emitter.Dz);
  emitter.DVx = zormath::Finite(emitter.DVx);
  emitter.DVz = zormath::Finite(emitter.DVz);
}

}  // namespace

float FireFlameSize(float t) { return (40.0f - 20.0f * t) * gFirePartScale; }

uint32_t FireFlameColor(float t) {
  static const float kGreen[4] = {0.7f, 0.5f, 0.24f, 0.0f};
  int i = static_cast<int>(t / 0.334f - 0.01f);
  if (!(i >= 0)) i = 0;  // also a t that is no number
  if (i > 2) i = 2;
  const float f = (t - 0.33f * static_cast<float>(i)) / 0.33f;
  const float g = kGreen[i] * (1.0f - f) + kGreen[i + 1] * f;
  const float a = std::sin(objects::kPi * t);
  return PointsSystem::ChannelByte(a) << 24 | PointsSystem::ChannelByte(1.0f) << 16 |
         PointsSystem::ChannelByte(g) << 8 | PointsSystem::ChannelByte(0.0f);
}

int32_t FireFlameFrame(float t) {
  const float k = -20.0f * t + 0.001f;
  // Frames 6 to 25 of the strip; a t that is no number shows the first.
  if (!(k > -1e6f && k < 1e6f)) return 6;
  return 6 - static_cast<int32_t>(k);
}

float FireSpotSize(float t) { return (10.0f - 10.0f * t) * 4.0f * gFirePartScale; }

uint32_t FireSpotColor(float t) {
  const float a = t < 0.1f ? t / 0.1f : 1.0f - (t - 0.1f) / 0.9f;
  return PointsSystem::ChannelByte(a * 0.2f) << 24 | 0xFFFFFFu;
}

CFirePart::CFirePart(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core), mGameCore(core) {}

CFirePart::~CFirePart() { Release(0); }

int32_t CFirePart::Load(uint32_t) { return 1; }

PointsSystem* CFirePart::MakeSystem(const SPointsSystemParams& params) {
  auto* system = new PointsSystem(mGameCore);
  if (system->Init(params) == 0) {
    delete system;
    return nullptr;
  }
  return system;
}

int32_t CFirePart::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) {
  Release(0);
  objects::ReadFloat(properties, "Scale", mFireScale);
  mFireScale = zormath::Finite(mFireScale);

  if (const TiXmlElement* fire = FirstChildElementUpper(properties, "Fire")) {
    mFire = new CFire(mGameCore);
    if (mFire->Load(fire, modelFile, flags) < 0) {
      delete mFire;
      mFire = nullptr;
    } else {
      mCenter = mFire->GetFireCenter();
    }
  }

  const TiXmlElement* part = FirstChildElementUpper(properties, "FirePart");
  if (part) {
    if (const TiXmlElement* force = FirstChildElementUpper(part, "F")) {
      objects::ReadFloat(force, "x", mForce.x);
      objects::ReadFloat(force, "y", mForce.y);
      objects::ReadFloat(force, "z", mForce.z);
      objects::ReadFloat(force, "Ks", mDrag);
    }

    ReadEmitter(FirstChildElementUpper(part, "Fire"), mFlameEmitter, mFlameTexture);
    mFlameParams = SPointsSystemParams{};
    mFlameParams.TextureName = mFlameTexture;
    mFlameParams.Capacity = 200;
    mFlameParams.Lifetime = 2.0f;
    mFlameParams.Acceleration = mForce;
    mFlameParams.Drag = mDrag;
    mFlameParams.FrameCount = 32;
    mFlameParams.SizeCurve = FireFlameSize;
    mFlameParams.ColorCurve = FireFlameColor;
    mFlameParams.FrameCurve = FireFlameFrame;
    mFlames = MakeSystem(mFlameParams);

    ReadEmitter(FirstChildElementUpper(part, "Overlay"), mSpotEmitter, mSpotTexture);
    SPointsSystemParams spot;
    spot.TextureName = mSpotTexture;
    spot.Capacity = 50;
    spot.Lifetime = 1.0f;
    spot.Acceleration = mForce;
    spot.Drag = mDrag;
    spot.SizeCurve = FireSpotSize;
    spot.ColorCurve = FireSpotColor;
    mOverlay = MakeSystem(spot);
    zuzorev::CRenderSystem* render = mGameCore ? mGameCore->GetRender() : nullptr;
    if (mOverlay && render) mOverlay->SetRenderSetingID(render->GetRenderSetingID(L"MT_PARTICLE_OVERLAY"));

    const TiXmlElement* pos = FirstChildElementUpper(part, "Pos");
    std::wstring name;
    if (pos && render && objects::ReadText(pos, "NameModel", name)) {
      zormath::Mat4f m;
      zuzorev::SAABBox box;
      if (render->GetMatrixTransform(modelFile, name, m) > 0 && render->GetAABBox(modelFile, name, box) > 0)
        mCenter = zormath::Vec3f(m(3, 0) + box.Min.x + (box.Max.x - box.Min.x) * 0.5f, m(3, 1), m(3, 2) + box.Min.z);
    }
  }
  Update(0.0f, nullptr);
  return 0;
}

void CFirePart::EmitFrom(PointsSystem& system, float& clock, const SEmitter& e, float zFactor) {
  // A period that is no positive number births nothing (and never loops).
  if (!(e.DTime > 0.0f)) return;
  const float s = mFireScale;
  while (clock > e.DTime) {
    if (system.GetCount() >= system.GetCapacity()) {
      // A full pool takes nothing this frame: the periods crossed are dropped.
      clock = std::fmod(clock, e.DTime);
      break;
    }
    clock -= e.DTime;
    Platform::Random();  // drawn and not used
    const float r1 = Platform::RandomFloat();
    const float r2 = Platform::RandomFloat();
    const float x = mCenter.x - e.Dx * s + 2.0f * e.Dx * s * r1;
    const float z = mCenter.z - zFactor * e.Dz * s + 2.0f * e.Dz * s * r2;
    const float r3 = Platform::RandomFloat();
    const float r4 = Platform::RandomFloat();
    const float vx = s * (2.0f * e.DVx * r3 - e.DVx);
    const float vz = s * e.DVz * r4;
    float spin = 0.8f - 0.4f * Platform::RandomFloat();
    if (Platform::Random() & 1) spin = -spin;
    system.Emit(x, mCenter.y, z, vx, 0.0f, vz, 0.0f, spin);
    const float angle = objects::kTwoPi * Platform::RandomFloat();
    system.GetLastParticle().Axis = zormath::Vec3f(std::cos(angle), 0.0f, std::sin(angle));
  }
}

int32_t CFirePart::Update(float dt, rovovoz::CMouseCursor*) {
  // A frame time that is no number would stop every fire's clocks for good.
  if (!std::isfinite(dt)) return 0;
  gFirePartScale = mFireScale;
  if (mFire) mFire->Update(dt * kFireTimeScale, nullptr);
  if (mFlames) {
    gFireFlameClock += kEmitClockScale * dt;
    EmitFrom(*mFlames, gFireFlameClock, mFlameEmitter, 0.3f);
    mFlames->Simulate(kFlameTimeScale * dt);
  }
  if (mOverlay) {
    gFireSpotClock += kEmitClockScale * dt;
    EmitFrom(*mOverlay, gFireSpotClock, mSpotEmitter, 1.0f);
    mOverlay->Simulate(kSpotTimeScale * dt);
  }
  return 0;
}

int32_t CFirePart::Render() {
  if (mFlames) mFlames->Render();
  if (mFire) mFire->Render();
  if (mOverlay) mOverlay->Render();
  return 0;
}

int32_t CFirePart::Release(uint32_t) {
  delete mFire;
  mFire = nullptr;
  delete mFlames;
  mFlames = nullptr;
  delete mOverlay;
  mOverlay = nullptr;
  return 0;
}

int32_t CFirePart::UnLoad(uint32_t flags) {
  rovovoz::CBaseGeometryObject::UnLoad(flags);
  if (mFire) mFire->UnLoad(flags);
  return 1;
}

void CFirePart::LoadTransformForMesh() {
  rovovoz::CBaseGeometryObject::LoadTransformForMesh();
  if (mFire) mFire->LoadTransformForMesh();
}

void CFirePart::SetAlpha(float alpha) {
  if (mFire) mFire->SetAlpha(alpha);
  if (mFlames) mFlames->SetAlpha(alpha);
  if (mOverlay) mOverlay->SetAlpha(alpha);
}

void CFirePart::UpdateTempMatrix() {
  rovovoz::CBaseGeometryObject::UpdateTempMatrix();
  const zormath::Mat4f& world = GetWorldMatrix3D();
  if (mFire) mFire->SetWorldMatrix3D(world);
  if (mFlames) mFlames->SetWorldMatrix3D(world);
  if (mOverlay) mOverlay->SetWorldMatrix3D(world);
}
