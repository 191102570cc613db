#pragma once
// Matrix builders and point transforms of the engine convention (row-major,
// row vectors, translation in row 4), used by the render system, the camera
// and the geometry objects.
#include "Engine/zormath/Math.h"

namespace zormath {

Mat4f MatrixTranslation(float x, float y, float z);
Mat4f MatrixScaling(float x, float y, float z);
Mat4f MatrixRotationYm(float angle);
// Left-handed look-at: x = up x direction, y = direction x x, z = direction.
Mat4f MatrixLookAtLH(const Vec3f& eye, const Vec3f& at, const Vec3f& up);
// Orthographic projection of width x height; depth zn..zf maps to 0..1.
Mat4f MatrixOrthoLH(float width, float height, float zn, float zf);
// General inverse; false (and identity) when the matrix is singular.
bool MatrixInverse(const Mat4f& m, Mat4f& out);

// (x, y, z, 1) * m, divided by w when w is neither 0 nor 1.
Vec3f TransformCoord(const Vec3f& p, const Mat4f& m);
// (x, y, z, 0) * m: directions.
Vec3f TransformNormal(const Vec3f& v, const Mat4f& m);

Vec3f Cross(const Vec3f& a, const Vec3f& b);
float Dot(const Vec3f& a, const Vec3f& b);

}  // namespace zormath
