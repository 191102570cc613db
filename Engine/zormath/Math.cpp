#include "Engine/zormath/Math.h"

#include <cmath>
#include <cstring>

namespace zormath {

void MatrixIdentity(float* out) {
  std::memset(out, 0, 16 * sizeof(float));
  out[0] = out[5] = out[10] = out[15] = 1.0f;
}

void MatrixSet(float* out, const float* in) { std::memmove(out, in, 16 * sizeof(float)); }

void MatrixMultiply(const float* left, float* out, const float* right) {
  float r[16];
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      float s = 0.0f;
      for (int k = 0; k < 4; ++k) s += left[i * 4 + k] * right[k * 4 + j];
      r[i * 4 + j] = s;
    }
  std::memcpy(out, r, sizeof(r));
}

void MatrixRotationY(float* out, float angle) {
  float c = std::cos(angle), s = std::sin(angle);
  MatrixIdentity(out);
  out[0] = c;
  out[2] = s;
  out[8] = -s;
  out[10] = c;
}

}  // namespace zormath
