#include "Objects/ROMoveSpline.h"

#include <tinyxml.h>

#include <algorithm>
#include <cmath>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/PointObject3D.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "MiniGame/MiniGameMath.h"
#include "Objects/ObjectSupport.h"
#include "Platform/Random.h"

namespace {

float Random01() { return static_cast<float>(Platform::Random()) / 32767.0f; }

// Seconds that must be positive to divide by; anything else keeps the default.
void ReadPositiveTime(const TiXmlElement* element, const char* name, float& value) {
  float read = value;
  if (objects::ReadFloat(element, name, read) && read > 0.0f && std::isfinite(read)) value = read;
}

zormath::Vec3f Horizontal(const zormath::Vec3f& v) { return zormath::Vec3f(v.x, 0.0f, v.z); }

}  // namespace

CROMoveSpline::CROMoveSpline(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

CROMoveSpline::~CROMoveSpline() { Release(0); }

rovovoz::CStaticObject3D* CROMoveSpline::GetFrameModel(int i) const {
  return i >= 0 && i < kMaxFrames ? mModels[static_cast<size_t>(i)] : nullptr;
}

rovovoz::CStaticObject3D* CROMoveSpline::CurrentModel() const { return GetFrameModel(mFrame); }

int32_t CROMoveSpline::Load(uint32_t flags) {
  zuzorev::CRenderSystem* render = objects::RenderOf(mCore);
  for (rovovoz::CStaticObject3D* model : mModels)
    if (model) model->Load(flags);
  if (mTextureMode && (flags & 2u) && render)
    for (int k = 0; k < mCount; ++k) mTextures[static_cast<size_t>(k)].Load();
  return 1;
}

int32_t CROMoveSpline::UnLoad(uint32_t flags) {
  if (mTextureMode && (flags & 2u))
    for (int k = 0; k < mCount; ++k) mTextures[static_cast<size_t>(k)].UnLoad();
  for (rovovoz::CStaticObject3D* model : mModels)
    if (model) model->UnLoad(flags);
  return 1;
}

int32_t CROMoveSpline::Release(uint32_t) {
  for (rovovoz::CStaticObject3D*& model : mModels) {
    delete model;
    model = nullptr;
  }
  delete mPath;
  mPath = nullptr;
  return 0;
}

int32_t CROMoveSpline::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) {
  Release(0);
  zuzorev::CRenderSystem* render = objects::RenderOf(mCore);
  mSeting = render ? render->GetRenderSetingID(L"MT_TEXTURE_ALPHA_CULL_NONE") : -1;
  const TiXmlElement* model = properties ? FirstChildElementUpper(properties, "Model") : nullptr;
  const TiXmlElement* move = properties ? FirstChildElementUpper(properties, "Move") : nullptr;
  mModelFile = modelFile;
  objects::ReadText(model, "Model", mModelName);
  mModelFile = objects::TextOr(model, "FileModel", modelFile);
  mPathName = mModelName;
  objects::ReadText(model, "Spline", mPathName);
  mPathFile = mModelFile;
  if (!mPathFile.empty()) mPathFile.back() = L'P';
  mPathFile = objects::TextOr(model, "FileSpline", mPathFile);
  objects::ReadInt(model, "CountKadr", mCount);
  mCount = std::clamp(mCount, 1, kMaxFrames);
  ReadPositiveTime(model, "TimeAnim", mTimeAnim);
  objects::ReadFloat(model, "Alpha", mAlpha);
  objects::ReadInt(model, "zEnable", mZEnable);
  std::wstring texture;
  mTextureMode = objects::ReadText(model, "Texture", texture) ? 1 : 0;
  ReadPositiveTime(move, "TimeMove", mTimeMove);
  objects::ReadInt(move, "Loop", mLoop);
  objects::ReadInt(move, "Rand", mRand);
  objects::ReadFloat(move, "MaxScale", mMaxScale);
  objects::ReadFloat(move, "MinScale", mMinScale);
  objects::ReadFloat(move, "TimeStop1", mTimeStop1);
  objects::ReadFloat(move, "TimeStop2", mTimeStop2);
  objects::ReadInt(move, "SmoothDir", mSmoothDir);
  objects::ReadInt(move, "UpKoef", mUpKoef);
  objects::ReadInt(move, "Infinity", mInfinity);
  mFrameRate = 1.0f / mTimeAnim;
  mMoveRate = 1.0f / mTimeMove;

  // Without a mesh name nothing is loaded (an empty name would take the
  // whole file as one mesh).
  const int models = mModelName.empty() ? 0 : mTextureMode ? 1 : mCount;
  for (int k = 1; k <= models; ++k) {
    const std::wstring mesh = mCount > 1 && !mTextureMode ? objects::Numbered(mModelName, k) : mModelName;
    rovovoz::CStaticObject3D* frame = objects::LoadStaticModel(mCore, mModelFile, mesh, flags | 8u);
    if (!frame) continue;
    frame->SetRender2D(0);
    frame->GetMesh()->SetAllSmooth(0);
    frame->GetMesh()->SetAlphaAll(mAlpha);
    mModels[static_cast<size_t>(k - 1)] = frame;
  }
  if (mTextureMode && render)
    for (int k = 1; k <= mCount; ++k)
      render->LoadTexture(texture + std::to_wstring(k) + L".tga", mTextures[static_cast<size_t>(k - 1)],
                          (flags & 2u) ? 1 : 0, 0);

  // A path that is not there is no error: the object stands at its place.
  zorfile::CFileSystem* fs = zorfile::GetFileSystem();
  if (!mPathName.empty() && fs && fs->FileExist(mPathFile, nullptr, 1, zorfile::kKindModels, 0)) {
    mPath = new rovovoz::CPointObject3D(mCore);
    if (mPath->LoadModel(mPathFile, mPathName, flags | 9u, 0) != 0 || mPath->GetCountPoint() < 1) {
      delete mPath;
      mPath = nullptr;
    }
  }
  if (mPath) {
    mHighY = mLowY = Point(0).y;
    for (int i = 1; i < mPath->GetCountPoint(); ++i) {
      mHighY = std::max(mHighY, Point(i).y);
      mLowY = std::min(mLowY, Point(i).y);
    }
    const int count = mPath->GetCountPoint();
    mT = 0.0f;
    mIndex = 0;
    mFrameTime = 0.0f;
    mDirection = 1;
    if (mRand && count >= 3 && (Platform::Random() & 1) == 0) {
      mDirection = -1;
      mIndex = count - 1;
    }
    if (mLoop) mTimeStop1 = mTimeStop2 = 0.0f;
    mStopTime = NewStopTime();
    mStopTimer = 0.0f;
    // A random place along the pass, so that several movers do not fly
    // together. A path of fewer than three points starts at its first.
    const float d = Random01() * (static_cast<float>(count) * mTimeMove + mStopTime);
    if (d > mStopTime) {
      mStopTimer = mStopTime;
      if (count >= 3) {
        mIndex = static_cast<int32_t>((d - mStopTime) / mTimeMove);
        mIndex = std::clamp(mIndex, 0, count - 1);
        if (mDirection < 0) mIndex = std::max(mIndex, 1);
        if (mDirection > 0) mIndex = std::min(mIndex, count - 2);
      }
    }
    mLength = mPrevLength = -1.0f;
  }
  Update(0.0f, nullptr);
  return 0;
}

float CROMoveSpline::NewStopTime() const { return mTimeStop1 + (mTimeStop2 - mTimeStop1) * Random01(); }

zormath::Vec3f CROMoveSpline::Point(int i) const { return mPath ? mPath->GetPoint(i) : zormath::Vec3f(); }

bool CROMoveSpline::IsPaused() const {
  return (mRun == kOnePass || mRun == kRunning) && !mLoop && mStopTimer < mStopTime;
}

float CROMoveSpline::ScaleAt(float y) const {
  float s = (mMinScale + mMaxScale) / 2.0f;
  if (mHighY - mLowY > 0.01f) {
    const float f = std::clamp((y - mLowY) / (mHighY - mLowY), 0.0f, 1.0f);
    s = (1.0f - f) * mMinScale + f * mMaxScale;
  }
  return s;
}

void CROMoveSpline::PlaceOnSegment(bool blend) {
  const int count = mPath->GetCountPoint();
  const zormath::Vec3f current = Point(mIndex);
  zormath::Vec3f next;
  const int nextIndex = mIndex + mDirection;
  if (nextIndex >= 0 && nextIndex < count) {
    next = Point(nextIndex);
  } else if (mLoop) {
    next = Point(mDirection > 0 ? 0 : count - 1);
  } else {
    next = current + mHeading;
  }
  mPos = current * (1.0f - mT) + next * mT;
  zormath::Vec3f heading = Horizontal(next - current).Normalized();
  if (blend) {
    const float k = std::min(mT, 1.0f);
    heading = mPrevHeading * (1.0f - k) + heading * k;
  }
  mHeading = heading;
  const zormath::Vec3f way = next - current;
  mLength = std::sqrt(Vector3LengthSquared(way.x, 0.0f, way.z));
}

void CROMoveSpline::PlaceModel() {
  rovovoz::CStaticObject3D* model = CurrentModel();
  if (!model) return;
  model->SetPosition3D(mPos);
  if (mSmoothDir) model->SetDirection3D(mHeading);
  const float up = static_cast<float>(mDirection == -1 ? -mUpKoef : mUpKoef);
  model->SetUp3D(zormath::Vec3f(0.0f, up, 0.0f));
}

// The end of a pass without a loop: a new start, direction and pause.
void CROMoveSpline::NewPass() {
  const int count = mPath->GetCountPoint();
  mLength = mPrevLength = 0.0f;
  mIndex = 0;
  if (mRand && count >= 3) {
    mDirection = (Platform::Random() & 1) ? 1 : -1;
    if (mDirection < 0) mIndex = count - 1;
  }
  mStopTime = NewStopTime();
  mStopTimer = 0.0f;
  const int nextIndex = std::clamp(mIndex + mDirection, 0, count - 1);
  mPrevHeading = Horizontal(Point(nextIndex) - Point(mIndex)).Normalized();
}

int32_t CROMoveSpline::Update(float dt, rovovoz::CMouseCursor*) {
  if (mRun == kStopped) return 0;
  if (!mLoop && mStopTimer < mStopTime) {
    mStopTimer += dt;
    if (mRun == kOnePass) {
      mRun = kStopped;
      return 0;
    }
    if (mStopTimer < mStopTime) return 0;
  }
  mFrameTime += mFrameRate * dt;
  if (!std::isfinite(mFrameTime)) mFrameTime = 0.0f;
  if (mFrameTime > 1.0f) mFrameTime -= std::floor(mFrameTime);
  mFrame = std::clamp(static_cast<int32_t>(static_cast<float>(mCount) * mFrameTime - 0.001f), 0, mCount - 1);
  if (mTextureMode) {
    if (mModels[0]) mModels[0]->GetMesh()->SetTexture(0, 0, mTextures[static_cast<size_t>(mFrame)]);
    mFrame = 0;
  }
  if (mPath && mPath->GetCountPoint() == 1) {
    // One point: the object stands on it.
    mPos = Point(0);
  } else if (mPath) {
    const int count = mPath->GetCountPoint();
    float rate = mMoveRate;
    if (mPrevLength > 0.1f) {
      float s = mMoveRate;
      if (mLength > 0.1f) s = std::min(mMoveRate * mPrevLength / mLength, 2.0f * mMoveRate);
      const float u = std::min(mT / 0.4f, 1.0f);
      rate = (1.0f - u) * s + u * mMoveRate;
    }
    mT += rate * dt;
    if (mT > 1.0f) {
      mPrevLength = mLength;
      mPrevHeading = mHeading;
      mIndex += mDirection;
      mT -= 1.0f;
      if (!mLoop) {
        if (mIndex < 1 || mIndex >= count - 1) {
          if (mRun == kOnePass) {
            mRun = kStopped;
            // It stands at the end of its pass.
            mIndex = std::clamp(mIndex, 0, count - 1);
            mT = 0.0f;
            mPos = Point(mIndex);
            return 0;
          }
          NewPass();
        }
      } else {
        if (mIndex >= count || mIndex < 0) {
          mIndex = mIndex >= count ? 0 : count - 1;
          if (mRun == kOnePass) mRun = kStopped;
        }
      }
      // A frame long enough to cross whole segments ends on this one.
      mT = std::min(mT, 1.0f);
    }
    PlaceOnSegment(true);
    const float s = ScaleAt(mPos.y);
    if (rovovoz::CStaticObject3D* model = CurrentModel()) model->SetScale(s, 1.0f, s);
  }
  PlaceModel();
  return 0;
}

void CROMoveSpline::Restart() {
  mT = 0.0f;
  mIndex = 0;
  mDirection = 1;
  mFrame = 0;
  mFrameTime = 0.0f;
  if (mPath && mPath->GetCountPoint() > 1) {
    PlaceOnSegment(false);
    mPrevHeading = mHeading;
  } else if (mPath) {
    mPos = Point(0);
  }
  if (rovovoz::CStaticObject3D* model = CurrentModel()) {
    const float s = ScaleAt(mPos.y);
    model->SetScale(s, 1.0f, s);
  }
  PlaceModel();
  mStopTimer = mStopTime + 0.001f;
}

void CROMoveSpline::Start() {
  mRun = kOnePass;
  Restart();
}

void CROMoveSpline::Resume() { mRun = kOnePass; }

int32_t CROMoveSpline::Render() {
  if (IsPaused()) return 0;
  rovovoz::CStaticObject3D* model = CurrentModel();
  zuzorev::CRenderSystem* render = objects::RenderOf(mCore);
  if (!model || !render) return 0;
  if (mRun != kStopped) model->SetPosition3D(mPos);
  if (mZEnable) render->SetZEnable(1);
  render->SetTransform(zuzorev::kTransformWorld, model->GetTempMatrix3D());
  render->BindRenderSeting(mSeting, 1, 0);
  render->RenderMeshEx(model->GetMesh(), 0, 1, 1, 1);
  if (mZEnable) render->SetZEnable(0);
  return 0;
}

void CROMoveSpline::SetAlpha(float alpha) {
  for (rovovoz::CStaticObject3D* model : mModels)
    if (model) model->GetMesh()->SetAlphaAll(mAlpha * alpha);
}

int32_t CROMoveSpline::Stop(int mode) {
  if (mode == 1 || mInfinity == 0) mRun = kStopped;
  return 0;
}

void CROMoveSpline::UpdateTempMatrix() {
  rovovoz::CBaseGeometryObject::UpdateTempMatrix();
  for (rovovoz::CStaticObject3D* model : mModels)
    if (model) model->SetWorldMatrix3D(GetWorldMatrix3D());
}

void CROMoveSpline::GetModelNames(std::vector<std::wstring>& names) const {
  names.clear();
  for (const rovovoz::CStaticObject3D* model : mModels)
    if (model) names.push_back(model->GetNameModel());
}
