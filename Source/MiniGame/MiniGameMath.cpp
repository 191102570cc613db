#include "MiniGame/MiniGameMath.h"

#include <cmath>
#include <cstdint>

float Vector3LengthSquared(float x, float y, float z) { return (x * x + y * y) + z * z; }

float RoundToNearest(float x) {
  const float t = static_cast<float>(static_cast<int32_t>(x));
  if (x >= 0.0f) return x + 0.5f - t > 1.0f ? t + 1.0f : t;
  return x - 0.5f - t < -1.0f ? t - 1.0f : t;
}

void Vector3RotateY(zormath::Vec3f& v, float angle) {
  if (angle == 0.0f) return;
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  const float x = v.x * c - v.z * s;
  const float z = v.x * s + v.z * c;
  v.x = x;
  v.z = z;
}

float CosineEase(float t) { return (1.0f - std::cos(t * 3.1415927f)) * 0.5f; }
