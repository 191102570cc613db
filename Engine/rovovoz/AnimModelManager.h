#pragma once
// Animation sets: named clips over meshes of a model file. Each mesh of a
// clip follows its own track of timed keys (offset, turn about the y axis,
// uniform scale, alpha), linear between keys. The manager reads the sets
// the game names ("Data\Animation\..."); animated models take their clips
// from it by name.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "Engine/zormath/Math.h"

namespace rovovoz {

class CGameCore;

struct SAnimKey {
  float time = 0;
  zormath::Vec3f offset;  // from the mesh's place in the model
  float angleY = 0;       // radians, about the mesh's own point
  float scale = 1;
  float alpha = 1;
};

// Linear mix of two poses (k 0: a, 1: b).
SAnimKey MixAnimKeys(const SAnimKey& a, const SAnimKey& b, float k);

struct SAnimTrack {
  std::wstring mesh;
  std::vector<SAnimKey> keys;  // time ascending; at least one
  // The pose at time t (held before the first key and after the last).
  SAnimKey At(float t) const;
};

struct SAnimClip {
  std::wstring name;
  std::wstring model;  // model file (data name)
  float length = 0;    // seconds
  std::vector<SAnimTrack> tracks;
};

class CAnimModelManager {
 public:
  explicit CAnimModelManager(CGameCore* core = nullptr);
  virtual ~CAnimModelManager() = default;
  CAnimModelManager(const CAnimModelManager&) = delete;
  CAnimModelManager& operator=(const CAnimModelManager&) = delete;

  // Reads an animation set (once: a set already read answers at once). Its
  // clips join those already known; a clip name known from an earlier set
  // keeps the earlier clip. 1, or E_FAIL when the file is missing, is not
  // a set or holds no usable clip (logged).
  int32_t LoadAnimSet(const std::wstring& file);
  // The clip of that name (exact match); null when unknown.
  const SAnimClip* FindClip(const std::wstring& name) const;
  size_t GetClipCount() const { return mClips.size(); }
  void Release();

 private:
  CGameCore* mCore;
  std::map<std::wstring, SAnimClip> mClips;
  std::set<std::wstring> mSets;  // sets read, by normalised name
};

}  // namespace rovovoz
