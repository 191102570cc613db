#include "Objects/AnimTexture3D.h"

#include <algorithm>
#include <cmath>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Objects/ObjectSupport.h"

namespace {
constexpr const wchar_t* kSource = L"Source/Objects/AnimTexture3D";
constexpr uint32_t kTextureData = 2;
constexpr double kMaxSteps = 1000.0;
}  // namespace

CAnimTexture3D::CAnimTexture3D(rovovoz::CGameCore* core)
    : rovovoz::CBaseGeometryObject(core), mRender(objects::RenderOf(core)) {}

CAnimTexture3D::~CAnimTexture3D() { Release(0); }

int32_t CAnimTexture3D::Load(uint32_t flags) {
  if (flags & kTextureData)
    for (zuzorev::CTexture& frame : mFrames) frame.Load();
  mMesh.Load(flags);
  return 1;
}

int32_t CAnimTexture3D::UnLoad(uint32_t flags) {
  if (flags & kTextureData)
    for (zuzorev::CTexture& frame : mFrames) frame.UnLoad();
  mMesh.UnLoad(flags);
  return 1;
}

int32_t CAnimTexture3D::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) {
  Release(0);
  std::wstring file;
  std::wstring meshName;
  if (!objects::ReadModelSource(kSource, __LINE__, mRender, properties, modelFile, L"No find attribute NameModel", file,
                                meshName))
    return objects::kLoadFail;
  if (mRender->LoadMesh(file, mMesh, meshName, flags, 0) < 0) {
    objects::Error(kSource, __LINE__, L"Load animation texture mesh model.");
    return objects::kLoadFail;
  }
  std::wstring base;
  if (!objects::ReadText(properties, "BaseTexture", base)) {
    objects::Error(kSource, __LINE__, L"No find attribute BaseTexture");
    return objects::kLoadFail;
  }
  std::wstring extension = L".tga";
  objects::ReadText(properties, "ExtTexture", extension);
  // The series ends at the first number without a file; that end is
  // expected, so it is found without the missing-texture warning.
  const int loadNow = (flags & kTextureData) ? 1 : 0;
  for (int n = 1; n <= kMaxFrames; ++n) {
    const std::wstring name = objects::Numbered(base, n) + extension;
    if (!objects::TextureFileExists(name)) break;
    zuzorev::CTexture texture;
    if (mRender->LoadTexture(name, texture, loadNow, 0) < 0) break;
    mFrames.push_back(texture);
  }
  objects::ReadFloat(properties, "DeltaTime", mPeriod);
  std::wstring seting;
  objects::ReadText(properties, "Render", seting);
  float alpha = 1.0f;
  objects::ReadFloat(properties, "Alpha", alpha);
  alpha = std::clamp(alpha, 0.0f, 1.0f);
  mCount = static_cast<int32_t>(mFrames.size());
  if (!seting.empty()) mMesh.SetRenderSeting(0, mRender->GetRenderSetingID(seting));
  mMesh.SetAlphaAll(alpha);
  SetLocationMatrix3D(mMesh.GetTransform());
  return 0;
}

int32_t CAnimTexture3D::Update(float dt, rovovoz::CMouseCursor*) {
  if (mCount < 1 || !(mPeriod > 0.0f)) return 0;
  mTime += dt;
  if (!std::isfinite(mTime)) mTime = 0.0f;
  // A period far shorter than the frame: skip the whole turns at once
  // rather than step through millions of pictures.
  const double periods = std::floor(static_cast<double>(mTime) / static_cast<double>(mPeriod));
  if (periods > kMaxSteps) {
    mTime = std::fmod(mTime, mPeriod);
    mCurrent = static_cast<int32_t>((mCurrent + static_cast<int64_t>(std::fmod(periods, mCount))) % mCount);
  }
  while (mTime >= mPeriod) {
    ++mCurrent;
    mTime -= mPeriod;
    if (mCurrent >= mCount) mCurrent = 0;
  }
  return 0;
}

int32_t CAnimTexture3D::Render() {
  if (!mRender || mCurrent < 0 || mCurrent >= mCount) return 0;
  ApplyTransform(GetTempMatrix3D());
  mRender->BindTexture(0, mFrames[static_cast<size_t>(mCurrent)]);
  mRender->RenderMeshEx(mMesh, 1, 0, 1, 1);
  return 0;
}

int32_t CAnimTexture3D::Release(uint32_t flags) {
  for (zuzorev::CTexture& frame : mFrames) frame.Release(static_cast<int>(flags));
  mFrames.clear();
  mMesh.Release(flags);
  mTime = 0.0f;
  mPeriod = 0.0f;
  mCurrent = 0;
  mCount = 0;
  return rovovoz::CBaseGeometryObject::Release(flags);
}

void CAnimTexture3D::SetAlpha(float alpha) { mMesh.SetAlphaAll(alpha); }

void CAnimTexture3D::LoadTransformForMesh() {
  rovovoz::CBaseGeometryObject::LoadTransformForMesh();
  SetLocationMatrix3D(mMesh.GetTransform());
}

const zuzorev::CTexture* CAnimTexture3D::GetFrame(int i) const {
  return i >= 0 && i < mCount ? &mFrames[static_cast<size_t>(i)] : nullptr;
}
