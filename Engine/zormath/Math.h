#pragma once
// Vectors and matrices of the engine convention: row-major, row vectors,
// translation in row 4.
#include <cmath>

namespace zormath {

template <typename T>
struct Vec3 {
  T x = 0, y = 0, z = 0;
  Vec3() = default;
  Vec3(T ax, T ay, T az) : x(ax), y(ay), z(az) {}
  T Length() const { return static_cast<T>(std::sqrt(x * x + y * y + z * z)); }
  // Unit vector in the same direction; a zero vector stays zero.
  Vec3 Normalized() const {
    T len = Length();
    if (len == 0) return *this;
    return Vec3(x / len, y / len, z / len);
  }
  void Normalize() { *this = Normalized(); }
  Vec3 operator+(const Vec3& o) const { return Vec3(x + o.x, y + o.y, z + o.z); }
  Vec3 operator-(const Vec3& o) const { return Vec3(x - o.x, y - o.y, z - o.z); }
  Vec3 operator*(T k) const { return Vec3(x * k, y * k, z * k); }
  bool operator==(const Vec3& o) const { return x == o.x && y == o.y && z == o.z; }
};

template <typename T>
struct Mat4 {
  // Default construction zeroes all sixteen elements.
  T m[16] = {};
  Mat4() = default;
  T& operator()(int row, int col) { return m[row * 4 + col]; }
  T operator()(int row, int col) const { return m[row * 4 + col]; }
  static Mat4 Identity() {
    Mat4 r;
    r.m[0] = r.m[5] = r.m[10] = r.m[15] = 1;
    return r;
  }
  void SetIdentity() { *this = Identity(); }
  // this * o (row vectors: apply this first, then o).
  Mat4 operator*(const Mat4& o) const {
    Mat4 r;
    for (int i = 0; i < 4; ++i)
      for (int j = 0; j < 4; ++j) {
        T s = 0;
        for (int k = 0; k < 4; ++k) s += m[i * 4 + k] * o.m[k * 4 + j];
        r.m[i * 4 + j] = s;
      }
    return r;
  }
  bool operator==(const Mat4& o) const {
    for (int i = 0; i < 16; ++i)
      if (m[i] != o.m[i]) return false;
    return true;
  }
};

using Vec3f = Vec3<float>;
using Mat4f = Mat4<float>;

// A number read from a data file, kept where it cannot break the
// arithmetic: NaN, the infinities and magnitudes from 1e9 up become 0.
inline float Finite(float v) { return v > -1e9f && v < 1e9f ? v : 0.0f; }

// v held to [lo, hi]; NaN goes to lo as well.
inline float Clamp(float v, float lo, float hi) {
  if (!(v >= lo)) return lo;
  return v > hi ? hi : v;
}

// The program's matrix functions on plain 16-float arrays.
void MatrixIdentity(float* out);
void MatrixSet(float* out, const float* in);
// out = left * right.
void MatrixMultiply(const float* left, float* out, const float* right);
// Rows (cos, 0, sin), (0, 1, 0), (-sin, 0, cos).
void MatrixRotationY(float* out, float angle);

}  // namespace zormath
