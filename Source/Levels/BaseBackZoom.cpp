// The camera zoom: the whole view scales about a point through the scene's
// view matrix while the panel's hole overlay fades in, and back.
#include <algorithm>

#include "Engine/rovovoz/TriangleObject3D.h"
#include "Levels/BaseBack.h"

namespace {

constexpr float kHalfWidth = 512.0f;
constexpr float kTop = 384.0f;
constexpr float kBottom = -284.0f;
// The view keeps its lower edge a little above the screen's.
constexpr float kViewBottom = 270.0f;
constexpr float kRegionShift = 50.0f;

bool FrontIs(const std::vector<int32_t>& modes, int mode) { return !modes.empty() && modes.front() == mode; }

}  // namespace

bool CBaseBack::StartZoom(float x, float, float z, float viewScale, float overlayScale, float speed,
                          int drawOverlay) {
  if (mZoom.mState != 0) return false;
  mViewMatrix = zormath::Mat4f::Identity();
  mZoom.mRequestedScale = viewScale == 0.0f ? 2.0f : viewScale;
  mZoom.mRequestedOverlayScale = overlayScale == 0.0f ? 2.0f : overlayScale;
  mZoom.mState = 1;
  mZoom.mScaleFrom = 1.0f;
  mZoom.mScaleTo = mZoom.mRequestedScale;
  mZoom.mScale = 1.0f;
  mZoom.mOverlayFrom = 2.0f;
  mZoom.mOverlayTo = mZoom.mRequestedOverlayScale;
  mZoom.mOverlay = 2.0f;
  mZoom.mFromX = mZoom.mFromZ = 0.0f;
  mZoom.mToX = std::clamp(x, -kHalfWidth, kHalfWidth);
  mZoom.mToZ = std::clamp(z, kBottom, kTop);
  mZoom.mX = mZoom.mFromX;
  mZoom.mZ = mZoom.mFromZ;
  mZoom.mOffsetX = 0.0f;
  mZoom.mOffsetY = 245.0f;
  mZoom.mOffsetZ = 0.0f;
  mZoom.mProgress = 0.0f;
  mZoom.mSpeed = speed;
  mZoom.mDrawOverlay = drawOverlay;
  UpdateZoom(0.0f, 0);
  SetFindItemsAlpha(0.0f);
  return true;
}

bool CBaseBack::ZoomToObject(const std::wstring& name, float viewScale, float overlayScale, float speed,
                             int drawOverlay) {
  if (mZoom.mState != 0) return false;
  zormath::Vec3f centre(0.0f, 0.0f, 0.0f);
  const int byModel = GetObjectIndex(name);
  const int byTrigger = GetObjectIndex2(name);
  if (byModel >= 0) {
    const SObjectEntry& entry = mEntries[static_cast<size_t>(byModel)];
    if (entry.mObject)
      centre = entry.mObject->GetPosition3D();
    else if (entry.mTrigger)
      centre = entry.mTrigger->GetPosition3D();
  } else if (byTrigger >= 0) {
    const SObjectEntry& entry = mEntries[static_cast<size_t>(byTrigger)];
    if (entry.mTrigger)
      centre = entry.mTrigger->GetPosition3D();
    else if (entry.mObject)
      centre = entry.mObject->GetPosition3D();
  } else {
    return false;
  }
  StartZoom(centre.x, centre.y, centre.z, viewScale, overlayScale, speed, drawOverlay);
  SetFindItemsAlpha(0.0f);
  return true;
}

bool CBaseBack::EndZoom() {
  if (mZoom.mState != 2) return false;
  mZoom.mState = 3;
  mZoom.mScaleFrom = mZoom.mScale = mZoom.mRequestedScale;
  mZoom.mScaleTo = 1.0f;
  mZoom.mOverlayFrom = mZoom.mOverlay = mZoom.mRequestedOverlayScale;
  mZoom.mOverlayTo = 2.0f;
  mZoom.mFromX = mZoom.mX;
  mZoom.mFromZ = mZoom.mZ;
  mZoom.mToX = mZoom.mToZ = 0.0f;
  mZoom.mProgress = 0.0f;
  UpdateZoom(0.0f, 0);
  return true;
}

void CBaseBack::UpdateZoom(float dt, int force) {
  if (force != 1 && !FrontIs(mModes, 2) && !FrontIs(mModes, 8)) return;
  if (mZoom.mState != 1 && mZoom.mState != 3) return;
  float step = dt;
  if (mZoom.mRequestedScale < 2.0f) step *= 2.0f / mZoom.mRequestedScale;
  mZoom.mProgress += mZoom.mSpeed * step;
  SZoom& z = mZoom;
  auto place = [&](float alpha, float u) {
    z.mScale = z.mScaleFrom * (1.0f - u) + z.mScaleTo * u;
    z.mOverlay = z.mOverlayFrom * (1.0f - u) + z.mOverlayTo * u;
    z.mX = z.mFromX * (1.0f - u) + z.mToX * u;
    z.mZ = z.mFromZ * (1.0f - u) + z.mToZ * u;
    if (mDirka) {
      mDirka->SetAlpha(alpha);
      mDirka->SetScale(z.mOverlay, 1.0f, z.mOverlay);
    }
  };
  auto finish = [&](float alpha) {
    if (mDirka) {
      mDirka->SetAlpha(alpha);
      mDirka->SetScale(z.mOverlayTo, 1.0f, z.mOverlayTo);
    }
    z.mScale = z.mScaleTo;
    z.mX = z.mToX;
    z.mZ = z.mToZ;
  };
  if (z.mState == 1) {
    if (z.mProgress >= 0.5f) {
      finish(1.0f);
      z.mState = 2;
      ApplyZoomCentre();
      if (!force && !mModes.empty() && !FrontIs(mModes, 8)) PopMode(0);
      return;
    }
    const float u = 2.0f * z.mProgress;
    place(u, u);
  } else {
    if (z.mProgress >= 1.0f) {
      finish(0.0f);
      SetFindItemsAlpha(1.0f);
      AddFindComplexItems();
      z.mState = 0;
      ApplyZoomCentre();
      if (!mModes.empty() && !FrontIs(mModes, 8)) PopMode(0);
      return;
    }
    SetFindItemsAlpha(std::min(2.0f * z.mProgress, 1.0f));
    place(1.0f - z.mProgress, z.mProgress);
  }
  ApplyZoomCentre();
}

void CBaseBack::ApplyZoomCentre() {
  const float s = mZoom.mScale;
  mViewMatrix(0, 0) = s;
  mViewMatrix(1, 1) = 1.0f;
  mViewMatrix(2, 2) = s;
  const float k = 1.0f - 1.0f / s;
  float& x = mZoom.mX;
  float& z = mZoom.mZ;
  // What the view cannot show of the centre moves the overlay instead.
  if (x < -kHalfWidth * k) {
    mZoom.mOffsetX = (x + kHalfWidth * k) * s;
    x = -kHalfWidth * k;
  }
  if (x > kHalfWidth * k) {
    mZoom.mOffsetX = (x - kHalfWidth * k) * s;
    x = kHalfWidth * k;
  }
  if (z > kTop * k) {
    mZoom.mOffsetZ = (z - kTop * k) * s;
    z = kTop * k;
  }
  if (z < -kViewBottom * k) {
    mZoom.mOffsetZ = (z + kViewBottom * k) * s;
    z = -kViewBottom * k;
  }
  if (mDirka) mDirka->SetPosition3D(zormath::Vec3f(mZoom.mOffsetX, mZoom.mOffsetY, mZoom.mOffsetZ));
  mViewMatrix(3, 0) = -x * s;
  mViewMatrix(3, 1) = 0.0f;
  mViewMatrix(3, 2) = -z * s + (HasOwner() ? kRegionShift : 0.0f);
  ApplyZoomToObjects();
}

void CBaseBack::ApplyZoomView(float x, float, float z) {
  if (mZoom.mState != 2) return;
  mZoom.mX = std::clamp(x, -kHalfWidth, kHalfWidth);
  mZoom.mZ = std::clamp(z, kBottom, kTop);
  ApplyZoomCentre();
}

void CBaseBack::RenderZoom() {
  if (mZoom.mState != 0 && mDirka && mZoom.mDrawOverlay) mDirka->Render();
}

void CBaseBack::ApplyZoomToObjects() { ApplyViewMatrix(true); }
