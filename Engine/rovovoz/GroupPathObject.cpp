#include "Engine/rovovoz/GroupPathObject.h"

#include <cmath>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/rovovoz/TimedKeys.h"
#include "Engine/zormath/Math.h"
#include "Engine/zorlog/Log.h"
#include "Platform/Strings.h"

namespace rovovoz {
namespace {

const wchar_t* const kSourceTag = L"Engine/rovovoz/GroupPathObject";

void Log(zuzorev::ELogLevel level, int line, const wchar_t* format, const std::wstring& a,
         const std::wstring& b = std::wstring()) {
  zuzorev::LogMessage(level, kSourceTag, line, format, a.c_str(), b.c_str());
}

using zormath::Finite;

}  // namespace

zormath::Vec3f CGroupPathObject::STrack::At(float t) const {
  return SampleTimedKeys(keys, t,
                         [](const SKey& a, const SKey& b, float k) {
                           SKey key = a;
                           key.offset = a.offset + (b.offset - a.offset) * k;
                           return key;
                         })
      .offset;
}

CGroupPathObject::CGroupPathObject(CGameCore* core) : mCore(core) {}

int32_t CGroupPathObject::Load(const TiXmlElement* groupPath) {
  Release();
  if (!groupPath) return 0;
  const std::wstring name = ValueUtf8(FindUpper(groupPath, "Name"));
  std::vector<STrack> tracks;
  float length = 0;
  for (const TiXmlElement* t = FirstChildElementUpper(groupPath, "Track"); t;
       t = IterateChildrenElementUpper(groupPath, "Track", t)) {
    STrack track;
    track.name = ValueUtf8(FindUpper(t, "Name"));
    for (const TiXmlElement* k = FirstChildElementUpper(t, "Key"); k; k = IterateChildrenElementUpper(t, "Key", k)) {
      SKey key;
      key.time = Finite(FloatValue(FindUpper(k, "Time")));
      key.offset = zormath::Vec3f(Finite(FloatValue(FindUpper(k, "X"))), Finite(FloatValue(FindUpper(k, "Y"))),
                                  Finite(FloatValue(FindUpper(k, "Z"))));
      const EKeyPlace place = AppendTimedKey(track.keys, key);
      if (place == EKeyPlace::BeforeStart) {
        Log(zuzorev::ELogLevel::Error, __LINE__, L"GroupPath %s: a key of track %s comes before the start", name,
            track.name);
        return 0;
      }
      if (place == EKeyPlace::BackInTime) {
        Log(zuzorev::ELogLevel::Error, __LINE__, L"GroupPath %s: the keys of track %s go back in time", name,
            track.name);
        return 0;
      }
    }
    if (track.keys.empty()) continue;
    if (track.keys.back().time > length) length = track.keys.back().time;
    tracks.push_back(std::move(track));
  }
  if (tracks.empty()) {
    Log(zuzorev::ELogLevel::Error, __LINE__, L"GroupPath %s: no track with a key", name);
    return 0;
  }
  mName = name;
  mTracks = std::move(tracks);
  mLength = length;
  mInfinity = IntValue(FindUpper(groupPath, "Infinity")) != 0;
  return 1;
}

void CGroupPathObject::ClearObjects() { mObjects.clear(); }

int32_t CGroupPathObject::AddObject(const std::wstring& trackName, CBaseGeometryObject* object) {
  if (!object) return 0;
  SMoved moved;
  moved.object = object;
  for (size_t i = 0; i < mTracks.size(); ++i)
    if (Platform::EqualsNoCase(mTracks[i].name, trackName)) {
      moved.track = static_cast<int>(i);
      break;
    }
  moved.base = object->GetPosition3D();
  mObjects.push_back(moved);
  if (moved.track < 0) {
    Log(zuzorev::ELogLevel::Warning, __LINE__, L"GroupPath %s: no track %s", mName, trackName);
    return 0;
  }
  return 1;
}

void CGroupPathObject::Start() {
  if (!mRunning)
    for (SMoved& m : mObjects) m.base = m.object->GetPosition3D();
  mTime = 0;
  mRunning = true;
  Place(0);
}

void CGroupPathObject::Update(float dt) {
  if (!mRunning) return;
  if (dt > 0) mTime += dt;  // a NaN or negative step does not move time
  if (!mInfinity) {
    if (mTime >= mLength) {
      GoToEnd();
      return;
    }
  } else if (mLength > 0 && mTime >= mLength) {
    mTime = std::fmod(mTime, mLength);
  }
  Place(mTime);
}

void CGroupPathObject::Stop() { mRunning = false; }

void CGroupPathObject::GoToEnd() {
  mTime = mLength;
  mRunning = false;
  for (SMoved& m : mObjects)
    if (m.track >= 0) {
      const STrack& track = mTracks[static_cast<size_t>(m.track)];
      m.object->SetPosition3D(m.base + track.keys.back().offset);
    }
}

void CGroupPathObject::Release() {
  mName.clear();
  mTracks.clear();
  mObjects.clear();
  mLength = 0;
  mTime = 0;
  mInfinity = false;
  mRunning = false;
}

void CGroupPathObject::Place(float t) {
  for (SMoved& m : mObjects)
    if (m.track >= 0) m.object->SetPosition3D(m.base + mTracks[static_cast<size_t>(m.track)].At(t));
}

}  // namespace rovovoz
