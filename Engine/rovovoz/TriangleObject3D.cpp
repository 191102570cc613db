#include "Engine/rovovoz/TriangleObject3D.h"

#include <cfloat>
#include <cmath>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/zormath/Transform.h"
#include "Engine/zuzorev/Mesh.h"
#include "Engine/zuzorev/RenderSystem.h"

namespace rovovoz {

CTriangleObject3D::CTriangleObject3D(CGameCore* core) : CBaseGeometryObject(core) {}

int32_t CTriangleObject3D::LoadModel(const std::wstring& file, const std::wstring& mesh, uint32_t flags, int) {
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  if (!render) return zuzorev::kFail;
  zuzorev::CMesh loaded;
  // Only geometry is needed: no textures are made resident.
  if (render->LoadMesh(file, loaded, mesh, 0, 0) < 0) return zuzorev::kFail;
  (void)flags;
  mLocal.clear();
  for (const auto& part : loaded.Parts()) {
    const auto* v = reinterpret_cast<const zuzorev::SVertex*>(part.vertices->Bytes());
    const size_t n = part.vertices->GetVertexCount();
    for (size_t i = 0; i + 2 < part.indices.size(); i += 3) {
      if (part.indices[i] >= n || part.indices[i + 1] >= n || part.indices[i + 2] >= n) continue;
      for (int k = 0; k < 3; ++k) {
        const auto& p = v[part.indices[i + static_cast<size_t>(k)]];
        mLocal.emplace_back(p.x, p.y, p.z);
      }
    }
  }
  mFile = file;
  mMeshName = loaded.GetNameModel();
  mPlacement = loaded.GetTransform();
  mRegion.SetReady(true);
  LoadTransformForMesh();
  return zuzorev::kOk;
}

int32_t CTriangleObject3D::Load(uint32_t) { return 1; }
int32_t CTriangleObject3D::UnLoad(uint32_t) { return 1; }

int32_t CTriangleObject3D::Release(uint32_t) {
  mLocal.clear();
  mWorldCorners.clear();
  mRegion.Clear();
  mRegion.SetReady(false);
  mFile.clear();
  mMeshName.clear();
  return 0;
}

void CTriangleObject3D::LoadTransformForMesh() {
  mPosition = zormath::Vec3f(mPlacement(3, 0), mPlacement(3, 1), mPlacement(3, 2));
  mOrientation = zormath::Mat4f::Identity();
  mScale = zormath::Vec3f(1, 1, 1);
  mLocation = zormath::Mat4f::Identity();
  UpdateTempMatrix();
}

void CTriangleObject3D::UpdateTempMatrix() {
  CBaseGeometryObject::UpdateTempMatrix();
  mWorldDirty = true;
}

void CTriangleObject3D::RefreshWorld() {
  if (!mWorldDirty) return;
  mWorldCorners.resize(mLocal.size());
  for (size_t i = 0; i < mLocal.size(); ++i) mWorldCorners[i] = zormath::TransformCoord(mLocal[i], mTemp);
  mWorldDirty = false;
}

int CTriangleObject3D::PickOrthoPointY(const zormath::Vec3f& point, float& y) {
  RefreshWorld();
  bool hit = false;
  float best = -FLT_MAX;
  for (size_t i = 0; i + 2 < mWorldCorners.size(); i += 3) {
    const zormath::Vec3f* c = &mWorldCorners[i];
    const float xs[3] = {c[0].x, c[1].x, c[2].x};
    const float zs[3] = {c[0].z, c[1].z, c[2].z};
    float w[3];
    if (!PointInTriangleXZ(xs, zs, point.x, point.z, w)) continue;
    const float h = w[0] * c[0].y + w[1] * c[1].y + w[2] * c[2].y;
    if (!hit || h > best) best = h;
    hit = true;
  }
  if (hit) y = best;
  return hit ? 1 : 0;
}

int CTriangleObject3D::PickOrthoPointY(const zormath::Vec3f& point) {
  float y = 0;
  return PickOrthoPointY(point, y);
}

int CTriangleObject3D::PickOrthoPointY(const SRay& ray, float& y) { return PickOrthoPointY(ray.Origin, y); }

zuzorev::SAABBox CTriangleObject3D::GetAABBox(int world) {
  RefreshWorld();
  const auto& corners = world ? mWorldCorners : mLocal;
  if (corners.empty()) return zuzorev::SAABBox{};
  zuzorev::SAABBox box{corners[0], corners[0]};
  for (const auto& p : corners) {
    box.Min = zormath::Vec3f(std::fmin(box.Min.x, p.x), std::fmin(box.Min.y, p.y), std::fmin(box.Min.z, p.z));
    box.Max = zormath::Vec3f(std::fmax(box.Max.x, p.x), std::fmax(box.Max.y, p.y), std::fmax(box.Max.z, p.z));
  }
  return box;
}

void CTriangleObject3D::CreateRegion() {
  RefreshWorld();
  std::vector<CGeometryRegion3D::STriangle> triangles;
  for (size_t i = 0; i + 2 < mWorldCorners.size(); i += 3) {
    CGeometryRegion3D::STriangle t;
    for (int k = 0; k < 3; ++k) {
      t.x[k] = mWorldCorners[i + static_cast<size_t>(k)].x;
      t.z[k] = mWorldCorners[i + static_cast<size_t>(k)].z;
    }
    triangles.push_back(t);
  }
  mRegion.Build(triangles);
}

int32_t CTriangleObject3D::Render() {
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  if (!render || !mVisible || mLocal.empty()) return 0;
  std::vector<zuzorev::SVertex> vertices;
  vertices.reserve(mLocal.size());
  for (const auto& p : mLocal) vertices.push_back(zuzorev::SVertex{p.x, p.y, p.z, 0x6000FF40u, 0, 0});
  ApplyTransform(mTemp);
  render->BindTexture(0, nullptr);
  render->BindRenderSeting(-1);
  render->BindDeclaration(render->GetDeclarationID(L"XYZDiffuseTex1"));
  render->DrawPrimitiveUP(zuzorev::kPrimTriangleList, static_cast<int>(vertices.size() / 3), vertices.data(),
                          sizeof(zuzorev::SVertex));
  return 0;
}

}  // namespace rovovoz
