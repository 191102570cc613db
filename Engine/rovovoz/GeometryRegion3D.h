#pragma once
// The outline of a trigger model in the scene plane: its triangles in x-z
// after the model's transform. Particle emitters copy it to spread their
// particles over the shape.
#include <vector>

#include "Engine/zormath/Math.h"

namespace rovovoz {

class CGeometryRegion3D {
 public:
  struct STriangle {
    float x[3] = {0, 0, 0};
    float z[3] = {0, 0, 0};
    float area = 0;
  };

  // The region belongs to a loaded trigger model and can be (re)built.
  bool IsReady() const { return mReady; }
  void SetReady(bool ready) { mReady = ready; }
  // Replaces the triangles (degenerate ones are dropped).
  void Build(const std::vector<STriangle>& triangles);
  void Clear();

  bool IsEmpty() const { return mTriangles.empty(); }
  size_t GetTriangleCount() const { return mTriangles.size(); }
  const std::vector<STriangle>& Triangles() const { return mTriangles; }
  float GetArea() const { return mArea; }
  // Bounding rectangle in x-z; false when empty.
  bool GetBox(float& minX, float& minZ, float& maxX, float& maxZ) const;
  // The point (x, z) lies on a triangle (edges included).
  bool Contains(float x, float z) const;
  // A point spread evenly over the area from three numbers in [0, 1];
  // (0, 0, 0) when empty. y is 0.
  zormath::Vec3f PointAt(float r1, float r2, float r3) const;

 private:
  std::vector<STriangle> mTriangles;
  float mArea = 0;
  bool mReady = false;
};

// Point-in-triangle in x-z with a tolerance for points on an edge; with a
// hit, the barycentric weights of the three corners.
bool PointInTriangleXZ(const float x[3], const float z[3], float px, float pz, float w[3]);

}  // namespace rovovoz
