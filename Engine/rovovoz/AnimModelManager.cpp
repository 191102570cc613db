#include "Engine/rovovoz/AnimModelManager.h"

#include <algorithm>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/TimedKeys.h"
#include "Engine/zormath/Math.h"
#include "Engine/zorlog/Log.h"
#include "Engine/zuzorev/RenderTypes.h"
#include "Platform/Strings.h"

namespace rovovoz {
namespace {

const wchar_t* const kSourceTag = L"Engine/rovovoz/AnimModelManager";

void Log(zuzorev::ELogLevel level, int line, const wchar_t* format, const std::wstring& a,
         const std::wstring& b = std::wstring()) {
  zuzorev::LogMessage(level, kSourceTag, line, format, a.c_str(), b.c_str());
}

float ReadFloat(const TiXmlElement* e, const char* name, float fallback) {
  const TiXmlAttribute* a = FindUpper(e, name);
  return a ? zormath::Finite(FloatValue(a)) : fallback;
}

// One clip; false (logged) when it cannot be used.
bool ReadClip(const TiXmlElement* c, const std::wstring& file, SAnimClip& clip) {
  clip.name = ValueUtf8(FindUpper(c, "Name"));
  clip.model = ValueUtf8(FindUpper(c, "Model"));
  if (clip.name.empty() || clip.model.empty()) {
    Log(zuzorev::ELogLevel::Warning, __LINE__, L"Animation set %s: a Clip without Name or Model is skipped", file);
    return false;
  }
  float last = 0;
  for (const TiXmlElement* m = FirstChildElementUpper(c, "Mesh"); m; m = IterateChildrenElementUpper(c, "Mesh", m)) {
    SAnimTrack track;
    track.mesh = ValueUtf8(FindUpper(m, "Name"));
    if (track.mesh.empty()) {
      Log(zuzorev::ELogLevel::Warning, __LINE__, L"Animation %s: a Mesh without Name is skipped", clip.name);
      continue;
    }
    for (const TiXmlElement* k = FirstChildElementUpper(m, "Key"); k; k = IterateChildrenElementUpper(m, "Key", k)) {
      SAnimKey key;
      key.time = ReadFloat(k, "Time", 0);
      key.offset = zormath::Vec3f(ReadFloat(k, "X", 0), ReadFloat(k, "Y", 0), ReadFloat(k, "Z", 0));
      key.angleY = ReadFloat(k, "AngleY", 0);
      key.scale = ReadFloat(k, "Scale", 1);
      key.alpha = std::clamp(ReadFloat(k, "Alpha", 1), 0.0f, 1.0f);
      const EKeyPlace place = AppendTimedKey(track.keys, key);
      if (place == EKeyPlace::BeforeStart) {
        Log(zuzorev::ELogLevel::Error, __LINE__, L"Animation %s: a key of mesh %s comes before the start", clip.name,
            track.mesh);
        return false;
      }
      if (place == EKeyPlace::BackInTime) {
        Log(zuzorev::ELogLevel::Error, __LINE__, L"Animation %s: the keys of mesh %s go back in time", clip.name,
            track.mesh);
        return false;
      }
    }
    // A mesh without keys stands still in its place.
    if (track.keys.empty()) track.keys.push_back(SAnimKey());
    last = std::max(last, track.keys.back().time);
    clip.tracks.push_back(std::move(track));
  }
  if (clip.tracks.empty()) {
    Log(zuzorev::ELogLevel::Warning, __LINE__, L"Animation %s has no mesh and is skipped", clip.name);
    return false;
  }
  const float length = ReadFloat(c, "Length", 0);
  clip.length = length > 0 ? std::min(length, 3600.0f) : last;
  return true;
}

}  // namespace

SAnimKey MixAnimKeys(const SAnimKey& a, const SAnimKey& b, float k) {
  SAnimKey r;
  r.time = a.time + (b.time - a.time) * k;
  r.offset = a.offset + (b.offset - a.offset) * k;
  r.angleY = a.angleY + (b.angleY - a.angleY) * k;
  r.scale = a.scale + (b.scale - a.scale) * k;
  r.alpha = a.alpha + (b.alpha - a.alpha) * k;
  return r;
}

SAnimKey SAnimTrack::At(float t) const { return SampleTimedKeys(keys, t, MixAnimKeys); }

CAnimModelManager::CAnimModelManager(CGameCore* core) : mCore(core) {}

int32_t CAnimModelManager::LoadAnimSet(const std::wstring& file) {
  // The same set named with other slashes or letter case is the same set.
  const std::wstring key = Platform::DataNameKey(file);
  if (mSets.count(key)) return 1;
  TiXmlDocument doc;
  if (!LoadXmlDocument(doc, file)) {
    if (!doc.Error()) Log(zuzorev::ELogLevel::Error, __LINE__, L"Animation set: cannot read %s", file);
    return zuzorev::kFail;
  }
  const TiXmlElement* root = RootElementUpper(doc, "AnimSet");
  if (!root) {
    Log(zuzorev::ELogLevel::Error, __LINE__, L"Animation set: %s has no AnimSet root", file);
    return zuzorev::kFail;
  }
  int read = 0;
  for (const TiXmlElement* c = FirstChildElementUpper(root, "Clip"); c;
       c = IterateChildrenElementUpper(root, "Clip", c)) {
    SAnimClip clip;
    if (!ReadClip(c, file, clip)) continue;
    ++read;
    if (mClips.count(clip.name)) {
      Log(zuzorev::ELogLevel::Warning, __LINE__, L"Animation set %s: clip %s is already known", file, clip.name);
      continue;
    }
    mClips.emplace(clip.name, std::move(clip));
  }
  if (read == 0) {
    Log(zuzorev::ELogLevel::Error, __LINE__, L"Animation set: %s has no usable clip", file);
    return zuzorev::kFail;
  }
  mSets.insert(key);
  return 1;
}

const SAnimClip* CAnimModelManager::FindClip(const std::wstring& name) const {
  auto it = mClips.find(name);
  return it == mClips.end() ? nullptr : &it->second;
}

void CAnimModelManager::Release() {
  mClips.clear();
  mSets.clear();
}

}  // namespace rovovoz
