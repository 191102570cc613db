#include "Engine/rovovoz/ParticleSystem.h"

#include <algorithm>
#include <cmath>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/ParticleEmiterXml.h"
#include "Engine/zormath/Math.h"
#include "Engine/zormath/Transform.h"
#include "Engine/zorlog/Log.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Platform/Random.h"

namespace rovovoz {
namespace {

const wchar_t* const kSourceTag = L"Engine/rovovoz/ParticleSystem";

// However a type or a caller asks, one emitter never holds more particles
// than this (a runaway rate must not eat the memory).
constexpr int kEmiterHardLimit = 20000;
// And one draw of a system shows at most this many (the vertex buffer stays
// well inside what the render system hands out).
constexpr int kMaxDrawn = 200000;
constexpr int kVerticesPerParticle = 6;
constexpr float kPi = 3.14159265358979f;

void Log(zuzorev::ELogLevel level, int line, const wchar_t* format, const std::wstring& a,
         const std::wstring& b = std::wstring()) {
  zuzorev::LogMessage(level, kSourceTag, line, format, a.c_str(), b.c_str());
}

using zormath::Clamp;

float Lerp(float a, float b, float t) { return a + (b - a) * t; }

// Per-channel blend of two 0xAARRGGBB colours, the alpha multiplied by k.
uint32_t LerpColor(uint32_t a, uint32_t b, float t, float k) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    float v = Lerp(static_cast<float>((a >> shift) & 255u), static_cast<float>((b >> shift) & 255u), t);
    if (shift == 24) v *= k;
    out |= static_cast<uint32_t>(Clamp(v + 0.5f, 0.0f, 255.0f)) << shift;
  }
  return out;
}

}  // namespace

struct CParticleSystem::SParticle {
  zormath::Vec3f position;
  zormath::Vec3f velocity;
  float age = 0;
  float life = 1;
};

struct CParticleSystem::SEmiter {
  SParticleState type;         // with the block's overrides applied
  std::wstring typeTexture;    // the type's own picture
  CBaseParamInitEmiter block;  // placement
  int32_t state = kEmiterIdle;
  bool timed = false;          // emits for timeLeft seconds, then goes
  float timeLeft = 0;
  bool removeWhenDone = false;
  bool burstPending = false;
  float carry = 0;             // fraction of a particle owed from earlier frames
  std::vector<SParticle> particles;
  zuzorev::CTexture texture;
  int seting = -1;
  bool lookReady = false;

  bool Emitting() const { return state == kEmiterEmitting; }
  int Limit() const { return type.max > 0 ? std::min(type.max, kEmiterHardLimit) : kEmiterHardLimit; }
};

CParticleSystem::CParticleSystem(CGameCore* core) : CBaseGeometryObject(core) {}

CParticleSystem::~CParticleSystem() { Release(0); }

int32_t CParticleSystem::Init(int32_t maxParticles) {
  mBudget = maxParticles > 0 ? maxParticles : 0;
  return 1;
}

int32_t CParticleSystem::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) {
  if (!properties) return zuzorev::kFail;
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  const std::wstring nameModel = ValueUtf8(FindUpper(properties, "NameModel"));
  if (!nameModel.empty() && render) {
    zormath::Mat4f placement = zormath::Mat4f::Identity();
    if (render->GetMatrixTransform(modelFile, nameModel, placement) > 0) {
      SetLocationMatrix3D(placement);
    } else {
      Log(zuzorev::ELogLevel::Warning, __LINE__, L"Particle system: no mesh %s in %s", nameModel, modelFile);
    }
  }
  CParticleStateManager* states = mCore ? mCore->GetParticleStateManager() : nullptr;
  int made = 0;
  for (const TiXmlElement* e = FirstChildElementUpper(properties, "Emiter"); e;
       e = IterateChildrenElementUpper(properties, "Emiter", e)) {
    SParticleState type;
    CBaseParamInitEmiter block;
    ReadEmiterElement(e, states, type, block);
    SetEmiterState(AddEmiter(block, type, 0.0f), kEmiterEmitting, 0.0f);
    ++made;
  }
  if (const TiXmlAttribute* start = FindUpper(properties, "Start"); start && IntValue(start) == 0) mPlaying = false;
  Load(flags);
  return made > 0 ? 0 : zuzorev::kFail;
}

int32_t CParticleSystem::Load(uint32_t) {
  for (auto& [index, e] : mEmiters)
    if (e->texture.IsNamed()) e->texture.Load();
  return 1;
}

int32_t CParticleSystem::UnLoad(uint32_t) {
  for (auto& [index, e] : mEmiters)
    if (e->texture.IsNamed()) e->texture.UnLoad();
  return 1;
}

int32_t CParticleSystem::Release(uint32_t) {
  mEmiters.clear();
  mBuffer.reset();
  return 0;
}

int32_t CParticleSystem::AddEmiter(const CBaseParamInitEmiter& block, float time) {
  const CParticleStateManager* states = mCore ? mCore->GetParticleStateManager() : nullptr;
  return AddEmiter(block, states ? states->Get(block.mName) : DefaultParticleState(), time);
}

int32_t CParticleSystem::AddEmiter(const CBaseParamInitEmiter& block, const SParticleState& state, float time) {
  auto e = std::make_unique<SEmiter>();
  e->type = state;
  e->typeTexture = state.texture;
  e->block = block;
  SParticleState& t = e->type;
  if (!block.mTextureFile.empty()) t.texture = block.mTextureFile;
  if (!block.mRenderSeting.empty()) t.render = block.mRenderSeting;
  if (block.mRate > 0) t.rate = block.mRate;
  const float sizeScale = Clamp(block.mSizeScale, 0.0f, 1000.0f);
  const float lifeScale = Clamp(block.mLifeScale, 0.0f, 1000.0f);
  t.size *= sizeScale;
  t.sizeEnd *= sizeScale;
  // The same bounds as a type read from a file: a caller's numbers cannot
  // make particles pile up without end or be born dead.
  t.rate = Clamp(t.rate, 0.0f, 10000.0f);
  t.burst = std::clamp(t.burst, 0, 10000);
  t.life = Clamp(t.life * lifeScale, 0.01f, 3600.0f);
  t.lifeSpread = Clamp(t.lifeSpread * lifeScale, 0.0f, t.life * 0.99f);
  if (time > 0) {
    e->state = kEmiterEmitting;
    e->timed = true;
    e->timeLeft = time;
    e->removeWhenDone = true;
    e->burstPending = true;
  }
  if (mCore && mCore->GetRender()) PrepareLook(*e);
  const int32_t index = mNextIndex++;
  mEmiters.emplace(index, std::move(e));
  return index;
}

void CParticleSystem::PrepareLook(SEmiter& e) {
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  if (!render) return;
  e.lookReady = true;
  if (e.block.mTexture.IsNamed()) {
    e.texture = e.block.mTexture;
    if (!e.texture.IsLoaded()) e.texture.Load();
  } else if (!e.type.texture.empty()) {
    if (render->LoadTexture(e.type.texture, e.texture, 1, 0) < 0) {
      e.texture.Release();
      Log(zuzorev::ELogLevel::Warning, __LINE__, L"Particle emitter %s: no picture %s", e.block.mName, e.type.texture);
      // The type's own picture stands in for one the block names but the
      // data lacks.
      if (!e.typeTexture.empty() && e.typeTexture != e.type.texture &&
          render->LoadTexture(e.typeTexture, e.texture, 1, 0) < 0)
        e.texture.Release();
    }
  }
  e.seting = -1;
  if (!e.type.render.empty()) {
    e.seting = render->GetRenderSetingID(e.type.render);
    if (e.seting < 0)
      Log(zuzorev::ELogLevel::Warning, __LINE__, L"Particle emitter %s: no render setting %s", e.block.mName,
          e.type.render);
  }
}

int32_t CParticleSystem::SetEmiterState(int32_t index, int32_t state, float value) {
  auto it = mEmiters.find(index);
  if (it == mEmiters.end()) return 0;
  SEmiter& e = *it->second;
  switch (state) {
    case kEmiterIdle:
      e.state = kEmiterIdle;
      e.timed = false;
      e.removeWhenDone = false;
      return 1;
    case kEmiterEmitting:
      if (!e.Emitting()) e.burstPending = true;
      e.state = kEmiterEmitting;
      e.timed = value > 0;
      e.timeLeft = e.timed ? value : 0;
      e.removeWhenDone = false;
      return 1;
    case kEmiterRemove:
      if (value == 0.0f) {
        mEmiters.erase(it);
      } else {
        e.state = kEmiterRemove;
        e.timed = false;
        e.removeWhenDone = true;
      }
      return 1;
    default:
      return 0;
  }
}

int32_t CParticleSystem::GetEmiterState(int32_t index) const {
  auto it = mEmiters.find(index);
  return it == mEmiters.end() ? -1 : it->second->state;
}

int32_t CParticleSystem::Play(int) {
  if (!mPlaying) {
    mPlaying = true;
    for (auto& [index, e] : mEmiters)
      if (e->Emitting()) e->burstPending = true;
  }
  return 1;
}

int32_t CParticleSystem::Stop(int mode) {
  mPlaying = false;
  if (mode == 0) Clear();
  return 1;
}

void CParticleSystem::Clear() {
  for (auto& [index, e] : mEmiters) {
    e->particles.clear();
    e->carry = 0;
  }
}

bool CParticleSystem::IsEmitting() const {
  if (!mPlaying) return false;
  for (const auto& [index, e] : mEmiters)
    if (e->Emitting()) return true;
  return false;
}

int32_t CParticleSystem::GetParticleCount() const {
  size_t n = 0;
  for (const auto& [index, e] : mEmiters) n += e->particles.size();
  return static_cast<int32_t>(n);
}

std::vector<int32_t> CParticleSystem::GetEmiterIndices() const {
  std::vector<int32_t> out;
  for (const auto& [index, e] : mEmiters) out.push_back(index);
  return out;
}

zormath::Vec3f CParticleSystem::BirthPoint(const SEmiter& e) const {
  const CBaseParamInitEmiter& b = e.block;
  if (!b.mPoints.empty()) return b.mPosition + b.mPoints[static_cast<size_t>(Platform::Random()) % b.mPoints.size()];
  if (b.mAreaKind == kEmiterAreaRegion && !b.mRegion.IsEmpty()) {
    const float r1 = Platform::RandomFloat(), r2 = Platform::RandomFloat(), r3 = Platform::RandomFloat();
    zormath::Vec3f p = b.mRegion.PointAt(r1, r2, r3);
    return zormath::Vec3f(p.x, b.mPosition.y, p.z);
  }
  const float cx = (b.mX1 + b.mX2) * 0.5f * b.mScaleX;
  const float cz = (b.mZ1 + b.mZ2) * 0.5f * b.mScaleZ;
  const float rx = Platform::RandomFloat() - 0.5f;
  const float rz = Platform::RandomFloat() - 0.5f;
  return b.mPosition + zormath::Vec3f(cx + rx * b.mWidth * b.mScaleX, 0.0f, cz + rz * b.mDepth * b.mScaleZ);
}

zormath::Vec3f CParticleSystem::BirthVelocity(const SEmiter& e) const {
  const std::vector<zormath::Vec3f>& dirs = e.block.mDirections;
  zormath::Vec3f d =
      dirs.empty() ? e.type.direction : dirs[static_cast<size_t>(Platform::Random()) % dirs.size()];
  d = d.Normalized();
  // A direction inside the cone, uniform over its cap.
  const float r1 = Platform::RandomFloat(), r2 = Platform::RandomFloat();
  const float cosSpread = std::cos(e.type.spread * kPi / 180.0f);
  const float cosT = 1.0f - r1 * (1.0f - cosSpread);
  const float sinT = std::sqrt(std::max(0.0f, 1.0f - cosT * cosT));
  const float phi = 2.0f * kPi * r2;
  const zormath::Vec3f a = std::fabs(d.x) < 0.9f ? zormath::Vec3f(1, 0, 0) : zormath::Vec3f(0, 1, 0);
  const zormath::Vec3f u = zormath::Cross(d, a).Normalized();
  const zormath::Vec3f v = zormath::Cross(d, u);
  const zormath::Vec3f dir = d * cosT + (u * std::cos(phi) + v * std::sin(phi)) * sinT;
  const float speed = e.type.speed + (Platform::RandomFloat() * 2.0f - 1.0f) * e.type.speedSpread;
  return dir * speed;
}

void CParticleSystem::Spawn(SEmiter& e, int count) {
  count = std::min(count, e.Limit() - static_cast<int>(e.particles.size()));
  if (mBudget > 0) count = std::min(count, mBudget - GetParticleCount());
  for (int i = 0; i < count; ++i) {
    SParticle p;
    p.position = BirthPoint(e);
    p.velocity = BirthVelocity(e);
    p.life = e.type.life + (Platform::RandomFloat() * 2.0f - 1.0f) * e.type.lifeSpread;
    e.particles.push_back(p);
  }
}

int32_t CParticleSystem::Update(float dt, CMouseCursor*) {
  if (!(dt > 0)) dt = 0;  // also NaN
  for (auto it = mEmiters.begin(); it != mEmiters.end();) {
    SEmiter& e = *it->second;
    // Those alive move on; the old ones go.
    for (SParticle& p : e.particles) {
      p.age += dt;
      p.velocity = p.velocity + e.type.gravity * dt;
      p.position = p.position + p.velocity * dt;
    }
    e.particles.erase(std::remove_if(e.particles.begin(), e.particles.end(),
                                     [](const SParticle& p) { return p.age >= p.life; }),
                      e.particles.end());
    // New ones are born.
    if (mPlaying && e.Emitting()) {
      float emitDt = dt;
      bool expired = false;
      if (e.timed) {
        emitDt = std::min(dt, e.timeLeft);
        e.timeLeft -= dt;
        expired = e.timeLeft <= 0;
      }
      int count = 0;
      if (e.burstPending) count += e.type.burst;
      e.burstPending = false;
      e.carry = std::min(e.carry + e.type.rate * emitDt, static_cast<float>(kEmiterHardLimit));
      const int whole = static_cast<int>(e.carry);
      e.carry -= static_cast<float>(whole);
      count += whole;
      Spawn(e, count);
      if (expired) {
        e.state = kEmiterIdle;
        e.timed = false;
      }
    }
    if (e.removeWhenDone && !e.Emitting() && e.particles.empty()) {
      it = mEmiters.erase(it);
    } else {
      ++it;
    }
  }
  return 0;
}

int32_t CParticleSystem::Render() {
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  if (!render || !mVisible) return 0;
  const int total = std::min(GetParticleCount(), kMaxDrawn);
  if (total <= 0) return 0;

  const uint32_t need = static_cast<uint32_t>(total) * kVerticesPerParticle * sizeof(zuzorev::SVertex);
  if (!mBuffer || mBuffer->GetSize() < need) {
    uint32_t bytes = 64u * kVerticesPerParticle * sizeof(zuzorev::SVertex);
    while (bytes < need) bytes *= 2;
    mBuffer.reset(render->CreateVertexBuffer(bytes, sizeof(zuzorev::SVertex), 0, zuzorev::kFvfXyzDiffuseTex1, 1));
    if (!mBuffer) return 0;
  }

  // The quads face the camera: its right and up, brought into the system's
  // own space (normalised, so the world's zoom still scales the quads).
  zormath::Vec3f right(1, 0, 0), up(0, 0, 1);
  if (!mRender2D) {
    const zormath::Mat4f view = render->GetTransform(zuzorev::kTransformView);
    const zormath::Vec3f r(view(0, 0), view(1, 0), view(2, 0)), u(view(0, 1), view(1, 1), view(2, 1));
    if (r.Length() > 1e-6f && u.Length() > 1e-6f) {
      right = r.Normalized();
      up = u.Normalized();
    }
  }
  zormath::Mat4f inverse;
  if (zormath::MatrixInverse(mTemp, inverse)) {
    right = zormath::TransformNormal(right, inverse).Normalized();
    up = zormath::TransformNormal(up, inverse).Normalized();
  }

  auto* v = static_cast<zuzorev::SVertex*>(mBuffer->Lock(0, need, 0));
  if (!v) return 0;
  const float alpha = Clamp(mAlpha, 0.0f, 1.0f);
  std::vector<int> drawn;  // per emitter, in map order
  int left = total;
  for (auto& [index, e] : mEmiters) {
    const int count = std::min(static_cast<int>(e->particles.size()), left);
    drawn.push_back(count);
    left -= count;
    for (int i = 0; i < count; ++i) {
      const SParticle& p = e->particles[static_cast<size_t>(i)];
      const float t = Clamp(p.age / p.life, 0.0f, 1.0f);
      const float half = Lerp(e->type.size, e->type.sizeEnd, t) * 0.5f;
      const uint32_t color = LerpColor(e->type.color, e->type.colorEnd, t, alpha);
      const zormath::Vec3f r = right * half, u = up * half;
      const zormath::Vec3f tl = p.position - r + u, tr = p.position + r + u;
      const zormath::Vec3f br = p.position + r - u, bl = p.position - r - u;
      const zuzorev::SVertex quad[kVerticesPerParticle] = {
          {tl.x, tl.y, tl.z, color, 0, 0}, {tr.x, tr.y, tr.z, color, 1, 0}, {br.x, br.y, br.z, color, 1, 1},
          {tl.x, tl.y, tl.z, color, 0, 0}, {br.x, br.y, br.z, color, 1, 1}, {bl.x, bl.y, bl.z, color, 0, 1},
      };
      std::copy(quad, quad + kVerticesPerParticle, v);
      v += kVerticesPerParticle;
    }
  }
  mBuffer->Unlock();

  ApplyTransform(mTemp);
  render->BindDeclaration(render->GetDeclarationID(L"XYZDiffuseTex1"));
  render->SetVertexBuffer(0, mBuffer.get(), 0);
  int first = 0;
  size_t batch = 0;
  for (auto& [index, e] : mEmiters) {
    const int count = drawn[batch++];
    if (count == 0) continue;
    if (!e->lookReady) PrepareLook(*e);
    render->BindRenderSeting(e->seting, 1, 0);
    render->BindTexture(0, e->texture.IsNamed() ? &e->texture : nullptr);
    render->DrawPrimitive(zuzorev::kPrimTriangleList, first, count * 2);
    first += count * kVerticesPerParticle;
  }
  // The buffer is ours: nobody may draw from it after we are gone.
  render->SetVertexBuffer(0, nullptr, 0);
  render->BindRenderSeting(-1, 1, 0);
  render->BindTexture(0, nullptr);
  return 0;
}

}  // namespace rovovoz
