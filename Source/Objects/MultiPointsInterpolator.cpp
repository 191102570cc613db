#include "Objects/MultiPointsInterpolator.h"

#include "Engine/rovovoz/PointObject3D.h"
#include "Engine/zorlog/Log.h"

MultiPointsInterpolator::MultiPointsInterpolator() { Reset(); }

bool MultiPointsInterpolator::LoadFromModel(const std::wstring& file, const std::wstring& name,
                                            rovovoz::CGameCore* core) {
  rovovoz::CPointObject3D path(core);
  if (path.LoadModel(file, name, 9, 0) < 0) {
    zuzorev::LogMessage(zuzorev::ELogLevel::Error, L"Source/Objects/MultiPointsInterpolator", __LINE__,
                        L"Loading %s from %s", name.c_str(), file.c_str());
    return false;
  }
  SetPoints(path.GetListPoint());
  return true;
}

void MultiPointsInterpolator::SetPoints(const std::vector<zormath::Vec3f>& points) {
  mPoints = points;
  Reset();
}

void MultiPointsInterpolator::Reset() {
  mT = 0.0f;
  mIndex = -1;
  mHold = 0;
  mPingPong = 0;
  mState = kAtStart;
  mSpeed = 1.0f;
  if (!mPoints.empty()) {
    mIndex = 0;
    mPosition = mPoints.front();
  }
}

void MultiPointsInterpolator::Rewind() {
  mT = 0.0f;
  mState = kAtStart;
  if (!mPoints.empty()) {
    mIndex = 0;
    mPosition = mPoints.front();
  }
}

void MultiPointsInterpolator::PlayForward() {
  mHold = 0;
  mState = kForward;
}

int MultiPointsInterpolator::PlayPingPong() {
  const int old = mState;
  mHold = 0;
  mPingPong = 1;
  if (mState == kAtStart) mState = kForward;
  if (mState == kAtEnd) mState = kBackward;
  return old;
}

void MultiPointsInterpolator::Update(float dt) {
  // A single point has no segment to run: the position holds.
  if (mPoints.size() < 2 || mHold) return;
  const int count = static_cast<int>(mPoints.size());
  if (mState == kForward) {
    mT += mSpeed * dt;
    if (Valid(mIndex) && Valid(mIndex + 1))
      mPosition = mPoints[mIndex + 1] * mT + mPoints[mIndex] * (1.0f - mT);
    if (mT >= 1.0f) {
      mT -= 1.0f;
      if (mIndex + 2 < count) {
        ++mIndex;
        return;
      }
      mT = 0.0f;
      mState = kAtEnd;
      mPosition = mPoints.back();
      // A later backward play starts from the last point, where it stands.
      mIndex = count - 1;
      if (mPingPong) mState = kBackward;
    }
  } else if (mState == kBackward) {
    mT += mSpeed * dt;
    if (Valid(mIndex) && Valid(mIndex - 1))
      mPosition = mPoints[mIndex - 1] * mT + mPoints[mIndex] * (1.0f - mT);
    if (mT >= 1.0f) {
      mT -= 1.0f;
      if (mIndex - 2 >= 0) {
        --mIndex;
        return;
      }
      mT = 0.0f;
      mState = kAtStart;
      mPosition = mPoints.front();
      if (mPingPong) {
        mState = kForward;
        mIndex = 0;
      }
    }
  }
}
