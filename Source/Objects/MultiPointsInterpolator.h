#pragma once
// A position moving along a poly-line of points at a fixed number of
// segments per second: forward, backward, or back and forth. Scene classes
// hold one, update it every frame and read the position.
#include <string>
#include <vector>

#include "Engine/zormath/Math.h"

namespace rovovoz {
class CGameCore;
}

class MultiPointsInterpolator {
 public:
  enum : int { kAtStart = 0, kAtEnd = 1, kForward = 2, kBackward = 3 };

  MultiPointsInterpolator();

  // The points of a point model; false (points kept) when it does not load.
  bool LoadFromModel(const std::wstring& file, const std::wstring& name, rovovoz::CGameCore* core);
  // The points directly (what a point model would give).
  void SetPoints(const std::vector<zormath::Vec3f>& points);
  void Reset();
  void Rewind();
  void SetSpeed(float segmentsPerSecond) { mSpeed = segmentsPerSecond; }
  void PlayForward();
  // Back and forth without end; answers the state before the call.
  int PlayPingPong();
  void Update(float dt);
  void GetPosition(zormath::Vec3f& position) const { position = mPosition; }
  zormath::Vec3f GetPosition() const { return mPosition; }
  // i below the point count.
  const zormath::Vec3f& GetPoint(int i) const { return mPoints[static_cast<size_t>(i)]; }
  int GetPointCount() const { return static_cast<int>(mPoints.size()); }
  int GetState() const { return mState; }
  int GetIndex() const { return mIndex; }
  float GetT() const { return mT; }

 private:
  bool Valid(int i) const { return i >= 0 && i < static_cast<int>(mPoints.size()); }

  std::vector<zormath::Vec3f> mPoints;
  zormath::Vec3f mPosition;
  int mHold = 0;
  int mPingPong = 0;
  int mState = kAtStart;
  float mT = 0.0f;
  float mSpeed = 1.0f;
  int mIndex = -1;
};
