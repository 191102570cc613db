#include "MiniGame/PathMover.h"

#include "Engine/rovovoz/PointObject3D.h"

CPathMover::CPathMover() = default;

CPathMover::~CPathMover() { Release(); }

bool CPathMover::Load(const std::wstring& file, const std::wstring& objectName, rovovoz::CGameCore* core) {
  mName = objectName;
  delete mModel;
  mModel = new rovovoz::CPointObject3D(core);
  if (mModel->LoadModel(file, objectName, 9, 0) < 0) {
    delete mModel;
    mModel = nullptr;
    return false;
  }
  const std::vector<zormath::Vec3f>& points = mModel->GetListPoint();
  mPointCount = static_cast<int>(points.size());
  mPoints.insert(mPoints.end(), points.begin(), points.end());
  return true;
}

void CPathMover::StartForward(float segmentTime) {
  mState = kForward;
  mSegmentTime = segmentTime > 0.0f ? segmentTime : 1.0f;
}

void CPathMover::StartBackward(float segmentTime) {
  mState = kBackward;
  mSegmentTime = segmentTime > 0.0f ? segmentTime : 1.0f;
}

void CPathMover::Stop() { mState = kHalted; }

void CPathMover::MoveToStart() {
  mState = kAtStart;
  mIndex = 0;
  if (HasPoints()) mPosition = Point(0);
}

void CPathMover::MoveToEnd() {
  mState = kAtEnd;
  mIndex = mPointCount - 1;
  // The count and the list agree after a load; the last point read is the
  // end also when a second load appended to the list.
  if (HasPoints()) mPosition = mPoints.back();
}

void CPathMover::Update(float dt) {
  if (mState != kForward && mState != kBackward) return;
  const int last = static_cast<int>(mPoints.size()) - 1;
  if (mState == kForward) {
    if (mIndex >= last || mIndex < 0) {
      MoveToEnd();
      return;
    }
  } else if (mIndex <= 0 || mIndex > last) {
    MoveToStart();
    return;
  }
  const int next = mState == kForward ? mIndex + 1 : mIndex - 1;
  mParameter += dt / mSegmentTime;
  if (mParameter >= 1.0f) {
    mPosition = Point(next);
    mIndex = next;
    mParameter = 0.0f;
    return;
  }
  mPosition = Point(mIndex) * (1.0f - mParameter) + Point(next) * mParameter;
}

zormath::Vec3f& CPathMover::GetPosition(zormath::Vec3f& out) const {
  out = mPosition;
  return out;
}

void CPathMover::Release() {
  delete mModel;
  mModel = nullptr;
  mPoints.clear();
  mPoints.shrink_to_fit();
}
