#pragma once
// Moves one point along the poly-line of a point model: forward toward the
// last point or back toward the first, one segment at a time, a fixed time
// per segment, linear inside a segment. The owner reads the position every
// frame and places its objects there.
#include <string>
#include <vector>

#include "Engine/zormath/Math.h"

namespace rovovoz {
class CGameCore;
class CPointObject3D;
}  // namespace rovovoz

class CPathMover {
 public:
  enum : int { kAtStart = 0, kAtEnd = 1, kHalted = 2, kForward = 3, kBackward = 4 };

  CPathMover();
  ~CPathMover();
  CPathMover(const CPathMover&) = delete;
  CPathMover& operator=(const CPathMover&) = delete;

  // Reads the points of the named object of the point model. False when it
  // does not load; the previous points then stay.
  bool Load(const std::wstring& file, const std::wstring& objectName, rovovoz::CGameCore* core);
  // A segment time of 0 or less counts as one second; index and parameter stay.
  void StartForward(float segmentTime);
  void StartBackward(float segmentTime);
  void Stop();
  void MoveToStart();
  void MoveToEnd();
  void Update(float dt);
  zormath::Vec3f& GetPosition(zormath::Vec3f& out) const;
  int GetState() const { return mState; }
  int GetIndex() const { return mIndex; }
  int GetPointCount() const { return mPointCount; }
  const std::wstring& GetName() const { return mName; }
  void Release();

 private:
  // A mover without points (none loaded yet) never reads one: its moving
  // and placing operations leave the position as it is.
  bool HasPoints() const { return !mPoints.empty(); }
  const zormath::Vec3f& Point(int i) const { return mPoints[static_cast<size_t>(i)]; }

  zormath::Vec3f mPosition{0.0f, 0.0f, 0.0f};
  int mPointCount = 1;
  int mIndex = 0;
  float mSegmentTime = 1.0f;
  int mState = kAtStart;
  rovovoz::CPointObject3D* mModel = nullptr;
  std::vector<zormath::Vec3f> mPoints;
  float mParameter = 0.0f;
  std::wstring mName;
};
