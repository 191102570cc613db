#include "Engine/zormath/Transform.h"

#include <cmath>
#include <utility>

namespace zormath {

Mat4f MatrixTranslation(float x, float y, float z) {
  Mat4f m = Mat4f::Identity();
  m(3, 0) = x;
  m(3, 1) = y;
  m(3, 2) = z;
  return m;
}

Mat4f MatrixScaling(float x, float y, float z) {
  Mat4f m = Mat4f::Identity();
  m(0, 0) = x;
  m(1, 1) = y;
  m(2, 2) = z;
  return m;
}

Mat4f MatrixRotationYm(float angle) {
  Mat4f m;
  MatrixRotationY(m.m, angle);
  return m;
}

Vec3f Cross(const Vec3f& a, const Vec3f& b) {
  return Vec3f(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

float Dot(const Vec3f& a, const Vec3f& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Mat4f MatrixLookAtLH(const Vec3f& eye, const Vec3f& at, const Vec3f& up) {
  Vec3f z = (at - eye).Normalized();
  Vec3f x = Cross(up, z).Normalized();
  Vec3f y = Cross(z, x);
  Mat4f m = Mat4f::Identity();
  m(0, 0) = x.x; m(0, 1) = y.x; m(0, 2) = z.x;
  m(1, 0) = x.y; m(1, 1) = y.y; m(1, 2) = z.y;
  m(2, 0) = x.z; m(2, 1) = y.z; m(2, 2) = z.z;
  m(3, 0) = -Dot(x, eye);
  m(3, 1) = -Dot(y, eye);
  m(3, 2) = -Dot(z, eye);
  return m;
}

Mat4f MatrixOrthoLH(float width, float height, float zn, float zf) {
  Mat4f m = Mat4f::Identity();
  m(0, 0) = width != 0 ? 2.0f / width : 0.0f;
  m(1, 1) = height != 0 ? 2.0f / height : 0.0f;
  m(2, 2) = zf != zn ? 1.0f / (zf - zn) : 0.0f;
  m(3, 2) = zf != zn ? zn / (zn - zf) : 0.0f;
  return m;
}

bool MatrixInverse(const Mat4f& in, Mat4f& out) {
  // Gauss-Jordan elimination with partial pivoting, in double precision.
  double a[4][8];
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 8; ++c) a[r][c] = c < 4 ? in(r, c) : (c - 4 == r ? 1.0 : 0.0);
  for (int col = 0; col < 4; ++col) {
    int pivot = col;
    for (int r = col + 1; r < 4; ++r)
      if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
    if (std::fabs(a[pivot][col]) < 1e-12) {
      out = Mat4f::Identity();
      return false;
    }
    if (pivot != col)
      for (int c = 0; c < 8; ++c) std::swap(a[pivot][c], a[col][c]);
    double inv = 1.0 / a[col][col];
    for (int c = 0; c < 8; ++c) a[col][c] *= inv;
    for (int r = 0; r < 4; ++r) {
      if (r == col) continue;
      double f = a[r][col];
      if (f == 0.0) continue;
      for (int c = 0; c < 8; ++c) a[r][c] -= f * a[col][c];
    }
  }
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) out(r, c) = static_cast<float>(a[r][c + 4]);
  return true;
}

Vec3f TransformCoord(const Vec3f& p, const Mat4f& m) {
  float x = p.x * m(0, 0) + p.y * m(1, 0) + p.z * m(2, 0) + m(3, 0);
  float y = p.x * m(0, 1) + p.y * m(1, 1) + p.z * m(2, 1) + m(3, 1);
  float z = p.x * m(0, 2) + p.y * m(1, 2) + p.z * m(2, 2) + m(3, 2);
  float w = p.x * m(0, 3) + p.y * m(1, 3) + p.z * m(2, 3) + m(3, 3);
  if (w != 0.0f && w != 1.0f) return Vec3f(x / w, y / w, z / w);
  return Vec3f(x, y, z);
}

Vec3f TransformNormal(const Vec3f& v, const Mat4f& m) {
  return Vec3f(v.x * m(0, 0) + v.y * m(1, 0) + v.z * m(2, 0), v.x * m(0, 1) + v.y * m(1, 1) + v.z * m(2, 1),
               v.x * m(0, 2) + v.y * m(1, 2) + v.z * m(2, 2));
}

}  // namespace zormath
