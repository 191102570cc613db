#pragma once
// A trigger model: the triangles of a named mesh of a trigger file, placed
// like any geometry object. PickOrthoPointY tells whether a point of the
// scene plane, seen along y, lies on one of its triangles, and at which
// height.
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/rovovoz/GeometryRegion3D.h"
#include "Engine/zuzorev/RenderTypes.h"

namespace rovovoz {

// A pick ray of the orthographic camera: where it starts and where it goes.
struct SRay {
  zormath::Vec3f Origin;
  zormath::Vec3f Direction{0, -1, 0};
};

class CTriangleObject3D : public CBaseGeometryObject {
 public:
  explicit CTriangleObject3D(CGameCore* core = nullptr);

  // Loads the triangles of `mesh` in `file` and places the object where the
  // file puts it. N.
  int32_t LoadModel(const std::wstring& file, const std::wstring& mesh, uint32_t flags, int extra = 0);
  int32_t LoadModel(const std::wstring& file, const wchar_t* mesh, uint32_t flags, int extra = 0) {
    return mesh ? LoadModel(file, std::wstring(mesh), flags, extra) : zuzorev::kFail;
  }
  int32_t Load(uint32_t flags) override;
  using CBaseObject::Load;
  int32_t UnLoad(uint32_t flags) override;
  int32_t Release(uint32_t flags = 0) override;
  bool IsLoaded() const { return !mLocal.empty(); }

  // Non-zero when (x, z) of the point lies on a triangle after the
  // object's transform; y = the highest hit height there.
  int PickOrthoPointY(const zormath::Vec3f& point, float& y);
  int PickOrthoPointY(const zormath::Vec3f& point);
  int PickOrthoPointY(const SRay& ray, float& y);

  zuzorev::SAABBox GetAABBox(int world = 1);
  // A see-through view of the triangles, for debugging.
  int32_t Render() override;

  CGeometryRegion3D& GetRegion() { return mRegion; }
  // Builds the region from the triangles as they are placed now.
  void CreateRegion();

  void LoadTransformForMesh() override;
  void UpdateTempMatrix() override;
  const std::wstring& GetFileName() const { return mFile; }
  const std::wstring& GetNameModel() const { return mMeshName; }

 private:
  void RefreshWorld();

  std::wstring mFile;
  std::wstring mMeshName;
  zormath::Mat4f mPlacement = zormath::Mat4f::Identity();
  std::vector<zormath::Vec3f> mLocal;  // three corners per triangle
  std::vector<zormath::Vec3f> mWorldCorners;
  bool mWorldDirty = true;
  CGeometryRegion3D mRegion;
};

}  // namespace rovovoz
