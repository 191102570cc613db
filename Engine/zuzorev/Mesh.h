#pragma once
// Meshes: a named mesh of a model file, copied out of the file so that the
// owner may change its vertices, materials and textures freely; its parts
// (sub-meshes) each carry a vertex buffer, indices, a material, up to two
// textures and a render setting. A point mesh holds only the points of a
// point model.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Engine/zormath/Math.h"
#include "Engine/zuzorev/RenderTypes.h"
#include "Engine/zuzorev/Texture.h"
#include "Engine/zuzorev/VertexBuffer.h"

namespace zuzorev {

struct SModelMesh;
class CTextureManager;

// Name, placement and box shared by meshes and point meshes.
class CBaseMesh {
 public:
  virtual ~CBaseMesh() = default;
  const std::wstring& GetNameModel() const { return mName; }
  const std::wstring& GetFileName() const { return mFile; }
  // Box of the vertices, relative to the placement.
  const SAABBox& GetBox() const { return mBox; }
  // The mesh's placement in the scene, as the file gives it.
  const zormath::Mat4f& GetTransform() const { return mTransform; }

 protected:
  std::wstring mName;
  std::wstring mFile;
  SAABBox mBox;
  zormath::Mat4f mTransform = zormath::Mat4f::Identity();
};

// A handle on one part of a mesh: its material (a copy, stored back with
// CMesh::SetSubMesh) and its vertex buffer (shared: writes through a lock
// change the mesh at once).
class CSubMesh {
 public:
  CSubMesh() = default;
  CSubMesh(std::shared_ptr<CVertexBuffer> buffer, const SMaterial& material)
      : mBuffer(std::move(buffer)), mMaterial(material) {}

  int GetVertexCount() const { return mBuffer ? static_cast<int>(mBuffer->GetVertexCount()) : 0; }
  CVertexBuffer* GetVertexBuffer() const { return mBuffer.get(); }
  SMaterial& Material() { return mMaterial; }
  const SMaterial& GetD3DMaterial() const { return mMaterial; }
  void SetD3DMaterial(const SMaterial& m) { mMaterial = m; }
  // Lets go of the part (the mesh keeps it).
  void Release() { mBuffer.reset(); }

 private:
  std::shared_ptr<CVertexBuffer> mBuffer;
  SMaterial mMaterial;
};

class CMesh : public CBaseMesh {
 public:
  // Whether a part's indices all lie below its vertex count, as last
  // checked, and what they were checked against.
  struct SIndexCheck {
    uint64_t buffer = 0;
    uint64_t generation = 0;
    const uint32_t* indices = nullptr;
    size_t count = 0;
    uint32_t vertexCount = 0;
    bool ok = false;
  };

  struct SPart {
    std::shared_ptr<CVertexBuffer> vertices;  // SVertex, 24 bytes each
    std::vector<uint32_t> indices;
    SMaterial material;
    CTexture textures[2];
    int seting = -1;  // render-setting id; -1 = the engine default
    mutable SIndexCheck indexCheck;
  };

  CMesh() = default;
  // Copies are independent: own vertices, same textures.
  CMesh(const CMesh& other);
  CMesh& operator=(const CMesh& other);

  // Engine side: fills the mesh from a parsed model mesh; textures are named
  // (loaded by Load) and settings looked up by the caller.
  void Assign(const SModelMesh& model, const std::wstring& file, const std::shared_ptr<CTextureManager>& textures);
  // Appends another model mesh's parts (a whole file loaded as one mesh).
  void Append(const SModelMesh& model, const std::shared_ptr<CTextureManager>& textures);

  // Residency of the textures (the geometry lives in memory). N.
  int32_t Load(uint32_t flags = 3);
  int32_t UnLoad(uint32_t flags = 3);
  // Forgets everything; Empty() afterwards.
  void Release(uint32_t flags = 0);
  bool Empty() const { return mParts.empty(); }
  bool IsLoaded() const { return mLoaded; }

  // An independent copy of src (flags accepted).
  void Clone(const CMesh& src, int flags = 2);

  int GetPartCount() const { return static_cast<int>(mParts.size()); }
  const SPart* GetPart(int i) const;
  SPart* GetPart(int i);
  const std::vector<SPart>& Parts() const { return mParts; }

  // Replaces a part's texture of one stage (0 or 1); the copy is loaded
  // when the mesh is. GetTexture answers null for a part or stage it lacks.
  void SetTexture(int part, int stage, const CTexture& texture);
  CTexture* GetTexture(int part, int stage);

  // Alpha of every part (multiplies the material's).
  void SetAlphaAll(float alpha) { mAlpha = alpha; }
  float GetAlphaAll() const { return mAlpha; }
  // Linear (1) or nearest (0) filtering of every part.
  void SetAllSmooth(int smooth) { mSmooth = smooth; }
  int GetAllSmooth() const { return mSmooth; }

  CSubMesh GetSubMesh(int part) const;
  void SetSubMesh(int part, const CSubMesh& sub);
  SMaterial GetD3DMaterial(int part) const;
  void SetD3DMaterial(int part, const SMaterial& material);
  void SetRenderSeting(int part, int id);
  int GetRenderSeting(int part) const;

  // Names of the parts' render settings as the file gave them.
  const std::vector<std::wstring>& SetingNames() const { return mSetingNames; }

 private:
  std::vector<SPart> mParts;
  std::vector<std::wstring> mSetingNames;
  float mAlpha = 1.0f;
  int mSmooth = -1;  // -1: as the render setting says
  bool mLoaded = false;
};

// The points of a point model, in scene coordinates.
class CMeshPoint : public CBaseMesh {
 public:
  void Assign(const SModelMesh& model, const std::wstring& file);
  const std::vector<zormath::Vec3f>& GetListPoint() const { return mPoints; }
  int GetCountPoint() const { return static_cast<int>(mPoints.size()); }
  // The i-th point (the second argument is accepted; points are already in
  // scene coordinates); (0, 0, 0) out of range.
  zormath::Vec3f GetPoint(int i, int world = 0) const;
  void Release() { mPoints.clear(); }
  bool Empty() const { return mPoints.empty(); }

 private:
  std::vector<zormath::Vec3f> mPoints;
};

}  // namespace zuzorev
