#pragma once
// One named mesh of a model file drawn as a scene or interface object: plain,
// as an additive overlay, as a coloured silhouette (drop shadows, flashes,
// glows), with its texture cropped to a scaled extent (bars and masks), or
// with the current material.
#include <cstdint>
#include <string>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/zuzorev/Mesh.h"

namespace zuzorev {
struct SMeshDrawOptions;
}

namespace rovovoz {

// A per-object render switch of static objects.
class CBaseStaticObject {
 public:
  virtual ~CBaseStaticObject() = default;
  // 0: the object is drawn without writing depth (so what lies under it in
  // depth still shows through later draws); 1 (default): it writes depth.
  virtual void SetDepthWrite(int on) = 0;
};

class CStaticObject3D : public CBaseGeometryObject, public CBaseStaticObject {
 public:
  explicit CStaticObject3D(CGameCore* core = nullptr);
  // An independent copy: own mesh vertices and materials, same textures.
  CStaticObject3D(const CStaticObject3D& other) = default;
  CStaticObject3D& operator=(const CStaticObject3D& other) = default;
  ~CStaticObject3D() override;

  // Loads the mesh `mesh` of `file` (null or empty: every mesh of the file
  // as one) and places the object where the file puts it. options and
  // extra are load flags passed through. 1 loaded, 0 not.
  int32_t LoadModel(const std::wstring& file, const wchar_t* mesh, uint32_t options, int extra = 0);
  int32_t LoadModel(const std::wstring& file, const std::wstring& mesh, uint32_t options, int extra = 0);

  int32_t Load(uint32_t flags) override;
  using CBaseObject::Load;
  int32_t UnLoad(uint32_t flags) override;
  int32_t Release(uint32_t flags = 0) override;
  bool IsLoaded() const { return !mMesh.Empty(); }

  // Draws while visible.
  int32_t Render() override;
  // Draws whether visible or not.
  int32_t RenderAlways();
  // Flags as CRenderSystem::RenderMeshEx: own settings, own textures, own
  // materials (0: the current material), all parts.
  int32_t RenderEx(int ownSeting, int ownTextures, int ownMaterial, int allParts);
  // Additive second pass of strength k (no depth test) / depth-tested.
  int32_t RenderAsOverlay(float k);
  int32_t RenderAsOverlayZ(float k);
  // Silhouette moved by (dx across, dy down the screen), black or coloured,
  // at alpha a (times a2).
  int32_t RenderShadow(float dx, float dy, float a);
  int32_t RenderShadow(float dx, float dy, float a, float r, float g, float b, float a2);
  // After SetScaleX/SetScaleZ the texture is cropped to the scaled extent
  // rather than squeezed.
  int32_t RenderTruncateTexture();

  // World box (1) or the mesh's own box around the object (0).
  zuzorev::SAABBox GetAABBox(int world = 1) const;

  zuzorev::CMesh* GetMesh() { return &mMesh; }
  const zuzorev::CMesh* GetMesh() const { return &mMesh; }
  const std::wstring& GetFileName() const { return mFile; }
  const std::wstring& GetNameModel() const { return mMesh.GetNameModel(); }
  // Every part's render setting.
  void SetRenderSeting(int id);
  // The geometry embedded in the model: its transform applies inside the
  // object's own (identity until set).
  CBaseGeometryObject* GetGeometry() { return &mNode; }

  // Position, orientation and scale from the mesh's placement in the file;
  // location back to identity.
  void LoadTransformForMesh() override;
  void SetAlpha(float alpha) override { mAlpha = alpha; }
  void SetDepthWrite(int on) override { mDepthWrite = on != 0; }

 private:
  int32_t Draw(const zuzorev::SMeshDrawOptions& options, const zormath::Mat4f& matrix, bool always);
  zormath::Mat4f DrawMatrix() const;

  zuzorev::CMesh mMesh;
  std::wstring mFile;
  CBaseGeometryObject mNode;
  bool mDepthWrite = true;
};

}  // namespace rovovoz
