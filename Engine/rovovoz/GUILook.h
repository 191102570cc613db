#pragma once
// How a widget looks in one of its states: a picture stretched over its box,
// a flat colour filling the box, or a mesh of a model file drawn where the
// file places it (any of them may be absent; then nothing is drawn). The
// attributes carry a state suffix: Image / ImageOver, Fill / FillOver,
// NameModel / NameModelOver ...
#include <cstdint>
#include <string>

#include "Engine/zormath/Math.h"
#include "Engine/zuzorev/Mesh.h"
#include "Engine/zuzorev/RenderTypes.h"
#include "Engine/zuzorev/Texture.h"

class TiXmlElement;

namespace rovovoz {

class CGameCore;

class CGUILook {
 public:
  // Reads Image<suffix>, Fill<suffix> and NameModel<suffix> (meshes from
  // modelFile). False, logged, when a named picture or mesh cannot be
  // loaded; what did load is kept.
  bool Load(CGameCore* core, const TiXmlElement* element, const std::string& suffix,
            const std::wstring& modelFile);
  bool IsEmpty() const { return !mHasImage && !mHasFill && mMesh.Empty(); }
  bool HasImage() const { return mHasImage; }
  bool HasMesh() const { return !mMesh.Empty(); }
  const std::wstring& GetModelName() const { return mModelName; }
  // The mesh's placement in its file, and its box around that placement.
  const zormath::Mat4f& GetMeshPlacement() const { return mMesh.GetTransform(); }
  const zuzorev::SAABBox& GetMeshBox() const { return mMesh.GetBox(); }
  int GetImageWidth() const { return mTexture.GetWidth(); }
  int GetImageHeight() const { return mTexture.GetHeight(); }

  // Draws the picture or the fill over a width x height box centred on the
  // local origin, and the mesh with meshMatrix, each with the widget's
  // matrix (2D interface space or scene space) at alpha.
  void Draw(CGameCore* core, const zormath::Mat4f& matrix, const zormath::Mat4f& meshMatrix, bool render2D,
            float width, float height, float alpha);

  int32_t LoadResources(uint32_t flags);
  int32_t UnLoadResources(uint32_t flags);
  void Release();

 private:
  zuzorev::CTexture mTexture;
  bool mHasImage = false;
  uint32_t mFill = 0;
  bool mHasFill = false;
  zuzorev::CMesh mMesh;
  std::wstring mModelName;
};

// Sets the world transform for drawing in the interface space (render2D) or
// in the scene.
void ApplyGuiTransform(CGameCore* core, const zormath::Mat4f& matrix, bool render2D);

}  // namespace rovovoz
