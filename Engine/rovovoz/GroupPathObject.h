#pragma once
// A group path: named tracks of timed keys, each an offset from where an
// object stands when the move starts; objects are added under a track's
// name and move together along their tracks (linear between keys). A
// finite group ends when its longest track does; an endless one starts
// over until it is stopped. The objects belong to the caller.
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/zormath/Math.h"

class TiXmlElement;

namespace rovovoz {

class CGameCore;
class CBaseGeometryObject;

class CGroupPathObject {
 public:
  explicit CGroupPathObject(CGameCore* core = nullptr);
  CGroupPathObject(const CGroupPathObject&) = default;
  CGroupPathObject& operator=(const CGroupPathObject&) = default;
  virtual ~CGroupPathObject() = default;

  // Reads the tracks of a GroupPath element (its Name, Infinity, and Track
  // children with Key children; see docs/formats.md). 1, or 0 when the
  // element is missing, has no track with a key, or keys go back in time
  // (logged). A failed load leaves the group empty.
  int32_t Load(const TiXmlElement* groupPath);
  // Forgets the objects (the tracks stay).
  void ClearObjects();
  // Moves object along the track of that name (ignoring case); its offsets
  // count from where it stands now until the next start. 1; 0 for a null
  // object, or a name without a track (logged: the object will not move).
  int32_t AddObject(const std::wstring& trackName, CBaseGeometryObject* object);
  // Begins the move from the start of the tracks. Each object's offsets
  // count from where it stands now; a restart of a running move keeps the
  // points it started from.
  void Start();
  // Advances a running move by dt seconds; at the end of a finite group the
  // objects are at their tracks' ends and the group stops running.
  void Update(float dt);
  // Ends the move at once; the objects stay where they are.
  void Stop();
  // Ends the move at once with every object at its track's end (counted
  // from the point it started from, or was added at when never started).
  void GoToEnd();
  bool IsInfinity() const { return mInfinity; }
  // Non-zero while the move runs; 0 before the start and after any end.
  int32_t IsRunning() const { return mRunning ? 1 : 0; }
  // Forgets tracks and objects.
  void Release();

  const std::wstring& GetName() const { return mName; }
  // Seconds from the start to the end of the longest track.
  float GetLength() const { return mLength; }
  float GetTime() const { return mTime; }
  size_t GetObjectCount() const { return mObjects.size(); }

 private:
  struct SKey {
    float time = 0;
    zormath::Vec3f offset;
  };
  struct STrack {
    std::wstring name;
    std::vector<SKey> keys;  // time ascending
    zormath::Vec3f At(float t) const;
  };
  struct SMoved {
    CBaseGeometryObject* object = nullptr;
    int track = -1;  // index into mTracks; -1: not moved
    zormath::Vec3f base;
  };

  void Place(float t);

  CGameCore* mCore;
  std::wstring mName;
  std::vector<STrack> mTracks;
  std::vector<SMoved> mObjects;
  float mLength = 0;
  float mTime = 0;
  bool mInfinity = false;
  bool mRunning = false;
};

}  // namespace rovovoz
