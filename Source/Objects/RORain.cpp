#include "Objects/RORain.h"

#include <cmath>

#include "Objects/ObjectSupport.h"
#include "Platform/Random.h"

namespace {

// More drops than this alive at once is bad data, not rain.
constexpr float kMostDrops = 65536.0f;

void ReadNumber(const TiXmlElement* element, const char* name, float& value) {
  if (objects::ReadFloat(element, name, value)) value = zormath::Finite(value);
}

}  // namespace

CRORain::CRORain(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

CRORain::~CRORain() { DeleteDrops(); }

void CRORain::DeleteDrops() {
  delete mDrops;
  mDrops = nullptr;
}

void CRORain::MakeDrops() {
  DeleteDrops();
  if (mParams.Capacity <= 0) return;
  mDrops = new PointsSystem(mCore);
  if (mDrops->Init(mParams) == 0) {
    DeleteDrops();
    return;
  }
  mDrops->SetWorldMatrix3D(GetTempMatrix3D());
}

int32_t CRORain::Load(const TiXmlElement* properties, const std::wstring&, uint32_t flags) {
  objects::ReadText(properties, "Texture", mTexture);
  ReadNumber(properties, "T", mT);
  ReadNumber(properties, "dt", mDt);
  ReadNumber(properties, "VzMin", mVzMin);
  ReadNumber(properties, "VzMax", mVzMax);
  ReadNumber(properties, "VxMin", mVxMin);
  ReadNumber(properties, "VxMax", mVxMax);
  ReadNumber(properties, "Size", mSize);
  ReadNumber(properties, "Alpha", mDropAlpha);
  ReadNumber(properties, "Xmin", mXmin);
  ReadNumber(properties, "Xmax", mXmax);
  mParams.TextureName = mTexture;
  mParams.Lifetime = mT;
  // Drops that never die or come without pause would never let the frame
  // end: such a rain is refused.
  if (!(mT > 0.0f) || !(mDt > 0.0f)) {
    mParams.Capacity = 0;
    DeleteDrops();
    return objects::kLoadFail;
  }
  const float capacity = mT / mDt * 1.1f;
  mParams.Capacity = static_cast<int32_t>(capacity < kMostDrops ? capacity : kMostDrops);
  if (flags & 2u) MakeDrops();
  return 0;
}

int32_t CRORain::Load(uint32_t) {
  MakeDrops();
  return 1;
}

int32_t CRORain::UnLoad(uint32_t) {
  DeleteDrops();
  return 1;
}

int32_t CRORain::Release(uint32_t) {
  DeleteDrops();
  return 0;
}

void CRORain::SetAlpha(float alpha) {
  mObjectAlpha = alpha;
  rovovoz::CBaseGeometryObject::SetAlpha(alpha);
}

void CRORain::UpdateTempMatrix() {
  rovovoz::CBaseGeometryObject::UpdateTempMatrix();
  if (mDrops) mDrops->SetWorldMatrix3D(GetTempMatrix3D());
}

void CRORain::Birth() {
  const float x = (mXmax - mXmin) * static_cast<float>(Platform::Random()) / 32767.0f + mXmin;
  const float vz = (mVzMax - mVzMin) * static_cast<float>(Platform::Random()) / 32767.0f + mVzMin;
  const float s = std::sin(objects::kTwoPi * mWindPhase);
  const float vx = (s + 1.0f) * 0.5f * (mVxMax - mVxMin) + mVxMin - 0.13f * x;
  const int32_t before = mDrops->GetCount();
  mDrops->Emit(x, 0.0f, 512.0f, vx, 0.0f, vz, 0.0f, 0.0f);
  if (mDrops->GetCount() == before) return;  // the pool is full
  SPointParticle& drop = mDrops->GetParticle(before);
  drop.Width = mSize;
  drop.Height = 2.0f * mSize;
  const float a = mObjectAlpha * mDropAlpha;
  uint32_t alpha = 0;
  if (a >= 1.0f) alpha = 255;
  else if (a > 0.0f) alpha = static_cast<uint32_t>(a * 255.0f + 0.5f);
  drop.Color = alpha << 24;
  drop.Axis = zormath::Vec3f(vx, 0.0f, vz);
  drop.Axis.Normalize();
}

int32_t CRORain::Update(float dt, rovovoz::CMouseCursor*) {
  mWindPhase += 0.1f * dt;
  if (mWindPhase > 1.0f) mWindPhase -= 1.0f;
  // A frame of many seconds swings many times over.
  if (!(mWindPhase >= 0.0f && mWindPhase <= 1.0f))
    mWindPhase = std::isfinite(mWindPhase) ? std::fmod(std::fabs(mWindPhase), 1.0f) : 0.0f;
  if (!mDrops) return 0;
  mClock += dt;
  int births = 0;
  while (mClock > mDt) {
    mClock -= mDt;
    // After a long frame the pool is full long before the clock is spent:
    // the births it could not take are let go.
    if (++births > mParams.Capacity) {
      mClock = std::fmod(mClock, mDt);
      break;
    }
    Birth();
  }
  mDrops->Simulate(dt);
  return 0;
}

int32_t CRORain::Render() {
  if (mDrops) mDrops->Render();
  return 0;
}
