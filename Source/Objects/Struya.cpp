#include "Objects/Struya.h"

#include <tinyxml.h>

#include <cmath>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Objects/ObjectSupport.h"

namespace {

constexpr const wchar_t* kSource = L"Source/Objects/Struya";

// Stages end on sums of frame steps; a tenth added ten times is not
// exactly 1 in float, so a hair short of the mark counts as there.
constexpr float kReach = 1e-5f;


// The texture offset after a step: whole textures are the same picture.
float Scroll(float offset, float step) {
  offset -= step;
  if (!std::isfinite(offset)) return 0.0f;
  if (offset <= -1.0f) offset += 1.0f;
  if (offset <= -1.0f || offset >= 1.0f) offset = std::fmod(offset, 1.0f);
  return offset;
}

}  // namespace

CStruya::CStruya(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

CStruya::~CStruya() { Release(0); }

int32_t CStruya::Load(uint32_t flags) { return mMesh.Empty() ? 1 : mMesh.Load(flags); }

int32_t CStruya::UnLoad(uint32_t flags) { return mMesh.Empty() ? 1 : mMesh.UnLoad(flags); }

int32_t CStruya::Release(uint32_t) {
  mStreams.clear();
  mMesh.Release();
  mTimeBegin = mTimeEnd = mTimeScale = mTime = 0.0f;
  mLength = mWidth = 1.0f;
  mState = kOff;
  mAlphaFactor = 0.0f;
  mLoadState = kOff;
  return 0;
}

int32_t CStruya::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) {
  Release(0);
  zuzorev::CRenderSystem* render = objects::RenderOf(mCore);
  if (!render) {
    objects::Error(kSource, __LINE__, L"Null render system");
    return objects::kLoadFail;
  }
  if (!properties) {
    objects::Error(kSource, __LINE__, L"Null xml element.");
    return objects::kLoadFail;
  }
  mModelFile = objects::TextOr(properties, "NameFile", modelFile);
  mModelName.clear();
  if (!objects::ReadText(properties, "NameModel", mModelName)) {
    objects::Error(kSource, __LINE__, L"No find attribute  NameModel");
    return objects::kLoadFail;
  }
  // A jet without its model shows nothing: the scene drops it and says so.
  if (render->LoadMesh(mModelFile, mMesh, mModelName, flags) <= 0) {
    objects::Error(kSource, __LINE__, L"Load struya model.");
    mMesh.Release();
    return objects::kLoadFail;
  }
  objects::ReadFloat(properties, "TimeBegin", mTimeBegin);
  objects::ReadFloat(properties, "TimeScale", mTimeScale);
  objects::ReadFloat(properties, "Time", mTime);
  objects::ReadFloat(properties, "TimeEnd", mTimeEnd);
  mTimeBegin = zormath::Finite(mTimeBegin);
  mTimeScale = zormath::Finite(mTimeScale);
  mTime = zormath::Finite(mTime);
  mTimeEnd = zormath::Finite(mTimeEnd);
  int32_t state = kOff;
  objects::ReadInt(properties, "State", state);
  if (state < kOff || state > kRunning) state = kOff;
  for (const TiXmlElement* child = IterateChildrenElementUpper(properties, "Struya", nullptr); child;
       child = IterateChildrenElementUpper(properties, "Struya", child)) {
    SStruyaStream stream;
    objects::ReadFloat(child, "dv", stream.offset);
    objects::ReadFloat(child, "Speed", stream.speed);
    stream.offset = zormath::Finite(stream.offset);
    stream.speed = zormath::Finite(stream.speed);
    stream.texture(2, 1) = stream.offset;
    mStreams.push_back(stream);
  }
  mMeshMatrix = mMesh.GetTransform();
  mMaterial = mMesh.GetD3DMaterial(0);
  mSeting = render->GetRenderSetingID(L"MT_STRUYA");
  Apply();
  mLoadState = state;
  if (state != kOff) SetState(1, state, 1);
  return 0;
}

void CStruya::SetState(int32_t mode, int32_t s, int32_t immediate) {
  mMode = mode;
  const bool fresh = immediate != 0 || mState == kOff;
  switch (s) {
    case kGrowing:
      if (fresh) {
        mState = kGrowing;
        mLength = 0.2f;
        mWidth = 0.5f;
        mAlphaFactor = 0.0f;
      } else if (mState == kShrinking) {
        mState = kGrowing;
      }
      break;
    case kWidening:
      if (fresh) {
        mState = kWidening;
        mLength = 1.0f;
        mWidth = 0.5f;
        mAlphaFactor = 1.0f;
      } else if (mState == kShrinking) {
        mState = kGrowing;
      }
      break;
    case kRunning:
      if (fresh) {
        mState = kRunning;
        mLength = mWidth = mAlphaFactor = 1.0f;
      } else if (mState == kShrinking) {
        mState = kGrowing;
      }
      break;
    case kShrinking:
      if (immediate != 0) {
        mState = kShrinking;
        mLength = mWidth = mAlphaFactor = 1.0f;
      } else if (mState != kOff) {
        mState = kShrinking;
      }
      break;
    default:
      break;
  }
  mClock = 0.0f;
  Apply();
}

int32_t CStruya::Stop(int flag) {
  mMode = 0;
  if (flag != 0) return 0;
  mState = kOff;
  // The scene puts its objects back to their start with this call: a jet
  // whose data starts it runs again as loaded.
  if (mLoadState != kOff) SetState(1, mLoadState, 1);
  return 0;
}

int32_t CStruya::Update(float dt, rovovoz::CMouseCursor*) {
  if (mState == kOff) return 0;
  switch (mState) {
    case kGrowing:
      if (mTimeBegin <= 0.0f) {
        mState = mTimeScale != 0.0f ? kWidening : kRunning;
        mClock = 0.0f;
        mLength = 1.0f;
        if (mTimeScale == 0.0f) mWidth = 1.0f;
        mAlphaFactor = 1.0f;
      } else {
        const float f = dt / mTimeBegin;
        mLength += f;
        if (mTimeScale == 0.0f) mWidth = std::fmin(mWidth + f, 1.0f);
        if (mLength >= 1.0f - kReach) {
          mLength = 1.0f;
          mAlphaFactor = 1.0f;
          mState = kWidening;
        }
        mAlphaFactor = std::fmin(mAlphaFactor + 5.0f * f, 1.0f);
      }
      break;
    case kWidening:
      if (mTimeScale <= 0.0f) {
        mState = kRunning;
        mWidth = 1.0f;
        mClock = 0.0f;
      } else {
        mWidth += dt / mTimeScale;
        if (mWidth >= 1.0f - kReach) {
          mWidth = 1.0f;
          mState = kRunning;
          mClock = 0.0f;
        }
      }
      break;
    case kRunning:
      mClock += dt;
      if (mClock >= mTime) {
        mClock = 0.0f;
        if (mMode != 1) mState = kShrinking;
      }
      break;
    case kShrinking:
      if (mTimeEnd <= 0.0f) {
        mState = kOff;
        mAlphaFactor = 0.0f;
        mWidth = 0.1f;
        mClock = 0.0f;
      } else {
        const float f = dt / mTimeEnd;
        if (mWidth <= 0.2f) mAlphaFactor = std::fmax(mAlphaFactor - 10.0f * f, 0.0f);
        mWidth -= f;
        if (mWidth <= 0.1f) {
          mState = kOff;
          mWidth = 0.1f;
          mClock = 0.0f;
          mAlphaFactor = 0.0f;
        }
      }
      break;
    default:
      break;
  }
  if (mState != kOff) {
    for (SStruyaStream& stream : mStreams) {
      stream.offset = Scroll(stream.offset, stream.speed * dt);
      stream.texture(2, 1) = stream.offset;
    }
  }
  Apply();
  return 0;
}

void CStruya::Apply() {
  zormath::Mat4f sized = mMeshMatrix;
  for (int c = 0; c < 3; ++c) {
    sized(0, c) *= mWidth;
    sized(2, c) *= mLength;
  }
  zormath::MatrixMultiply(sized.m, mRenderMatrix.m, GetTempMatrix3D().m);
  if (mMesh.Empty()) return;
  zuzorev::SMaterial material = mMaterial;
  material.Diffuse.a = mAlpha * mAlphaFactor;
  material.Ambient.a = mAlpha * mAlphaFactor;
  mMesh.SetD3DMaterial(0, material);
}

int32_t CStruya::Render() {
  zuzorev::CRenderSystem* render = objects::RenderOf(mCore);
  if (mState == kOff || !render || mMesh.Empty()) return 0;
  ApplyTransform(mRenderMatrix);
  render->SetTextureStageState(0, zuzorev::kTssTextureTransformFlags, zuzorev::kTextureTransformCount2);
  for (const SStruyaStream& stream : mStreams) {
    render->SetTransform(zuzorev::kTransformTexture0, stream.texture);
    render->BindRenderSeting(mSeting, 1, 0);
    render->RenderMeshEx(mMesh, 0, 1, 1, 1);
  }
  render->SetTransform(zuzorev::kTransformTexture0, zormath::Mat4f::Identity());
  render->SetTextureStageState(0, zuzorev::kTssTextureTransformFlags, 0);
  return 0;
}

void CStruya::SetAlpha(float alpha) {
  mAlpha = zormath::Clamp(alpha, 0.0f, 1.0f);
  Update(0.0f, nullptr);
}

void CStruya::UpdateTempMatrix() {
  rovovoz::CBaseGeometryObject::UpdateTempMatrix();
  Apply();
}

void CStruya::LoadTransformForMesh() {
  rovovoz::CBaseGeometryObject::LoadTransformForMesh();
  if (!mMesh.Empty()) mMeshMatrix = mMesh.GetTransform();
  Apply();
}
