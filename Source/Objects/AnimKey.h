#pragma once
// The baked form of a key-frame animation: one key per frame with the pose,
// scale, alpha, texture offsets and (for vertex animation) the positions of
// every vertex of the animated mesh's first part.
#include <cstdint>
#include <vector>

#include "Engine/zormath/Math.h"

struct SAnimKey {
  zormath::Vec3f position;
  zormath::Vec3f direction;
  zormath::Vec3f up;
  zormath::Vec3f scale{1.0f, 1.0f, 1.0f};
  float alpha = 1.0f;
  // Empty when the key carries no vertex frame.
  std::vector<zormath::Vec3f> vertices;
  float offsetU = 0.0f;
  float offsetV = 0.0f;
};

// One key of a controller track while an export is read.
struct SAnimTrackKey {
  int32_t frame = 0;
  float value = 0.0f;
  zormath::Vec3f scale;
  int32_t modeBefore = 0;
  int32_t modeAfter = 0;
  float u = 0.0f;
  float v = 0.0f;
};

// Out-of-range fill modes of a track's first and last key.
enum EAnimFill : int32_t {
  kFillNone = 0,
  kFillConstant = 1,
  kFillOscillate = 2,
  kFillLoop = 3,
  kFillLinear = 4,
  kFillRelativeRepeat = 5,
};

struct SAnimData {
  int32_t frameRate = 30;
  int32_t ticksPerFrame = 160;
  float length = 1.0f;
  std::vector<SAnimKey> keys;  // the sample count N is keys.size()
  int32_t textureOffset = 0;
  int32_t vertexAnimation = 0;
};
