#include "Engine/rovovoz/GeometryRegion3D.h"

#include <algorithm>
#include <cmath>

namespace rovovoz {

bool PointInTriangleXZ(const float x[3], const float z[3], float px, float pz, float w[3]) {
  const double d = (static_cast<double>(z[1]) - z[2]) * (x[0] - x[2]) + (static_cast<double>(x[2]) - x[1]) * (z[0] - z[2]);
  if (std::fabs(d) < 1e-9) return false;  // no area in the plane
  const double a = ((static_cast<double>(z[1]) - z[2]) * (px - x[2]) + (static_cast<double>(x[2]) - x[1]) * (pz - z[2])) / d;
  const double b = ((static_cast<double>(z[2]) - z[0]) * (px - x[2]) + (static_cast<double>(x[0]) - x[2]) * (pz - z[2])) / d;
  const double c = 1.0 - a - b;
  // A point on a shared edge belongs to both triangles: a small tolerance
  // keeps rounding from opening cracks between them.
  const double eps = 1e-5;
  if (a < -eps || b < -eps || c < -eps) return false;
  w[0] = static_cast<float>(a);
  w[1] = static_cast<float>(b);
  w[2] = static_cast<float>(c);
  return true;
}

void CGeometryRegion3D::Build(const std::vector<STriangle>& triangles) {
  mTriangles.clear();
  mArea = 0;
  for (STriangle t : triangles) {
    t.area = 0.5f * std::fabs((t.x[1] - t.x[0]) * (t.z[2] - t.z[0]) - (t.x[2] - t.x[0]) * (t.z[1] - t.z[0]));
    if (t.area <= 0) continue;
    mArea += t.area;
    mTriangles.push_back(t);
  }
}

void CGeometryRegion3D::Clear() {
  mTriangles.clear();
  mArea = 0;
}

bool CGeometryRegion3D::GetBox(float& minX, float& minZ, float& maxX, float& maxZ) const {
  if (mTriangles.empty()) return false;
  minX = maxX = mTriangles[0].x[0];
  minZ = maxZ = mTriangles[0].z[0];
  for (const auto& t : mTriangles)
    for (int i = 0; i < 3; ++i) {
      minX = std::min(minX, t.x[i]);
      maxX = std::max(maxX, t.x[i]);
      minZ = std::min(minZ, t.z[i]);
      maxZ = std::max(maxZ, t.z[i]);
    }
  return true;
}

bool CGeometryRegion3D::Contains(float x, float z) const {
  float w[3];
  for (const auto& t : mTriangles)
    if (PointInTriangleXZ(t.x, t.z, x, z, w)) return true;
  return false;
}

zormath::Vec3f CGeometryRegion3D::PointAt(float r1, float r2, float r3) const {
  if (mTriangles.empty() || mArea <= 0) return zormath::Vec3f();
  r1 = std::clamp(r1, 0.0f, 1.0f);
  float target = r1 * mArea;
  const STriangle* pick = &mTriangles.back();
  for (const auto& t : mTriangles) {
    if (target <= t.area) {
      pick = &t;
      break;
    }
    target -= t.area;
  }
  // Uniform point in a triangle from two numbers.
  float s = std::sqrt(std::clamp(r2, 0.0f, 1.0f));
  float u = 1.0f - s, v = std::clamp(r3, 0.0f, 1.0f) * s, w = 1.0f - u - v;
  return zormath::Vec3f(u * pick->x[0] + v * pick->x[1] + w * pick->x[2], 0.0f,
                        u * pick->z[0] + v * pick->z[1] + w * pick->z[2]);
}

}  // namespace rovovoz
