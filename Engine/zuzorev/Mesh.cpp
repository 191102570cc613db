#include "Engine/zuzorev/Mesh.h"

#include <algorithm>
#include <cstring>

#include "Engine/zuzorev/ModelFile.h"
#include "Engine/zuzorev/TextureManager.h"

namespace zuzorev {
namespace {

std::shared_ptr<CVertexBuffer> CopyBuffer(const std::shared_ptr<CVertexBuffer>& src) {
  if (!src) return nullptr;
  auto copy = std::make_shared<CVertexBuffer>(src->GetSize(), src->GetStride(), src->GetFVF());
  if (src->GetSize()) std::memcpy(copy->MutableBytes(), src->Bytes(), src->GetSize());
  return copy;
}

void NameTexture(CTexture& texture, const std::wstring& name, const std::shared_ptr<CTextureManager>& manager) {
  if (name.empty() || !manager) return;
  if (auto data = manager->Find(name)) texture.Attach(manager, data);
}

}  // namespace

CMesh::CMesh(const CMesh& other) { *this = other; }

CMesh& CMesh::operator=(const CMesh& other) {
  if (this == &other) return *this;
  Release();
  mName = other.mName;
  mFile = other.mFile;
  mBox = other.mBox;
  mTransform = other.mTransform;
  mParts = other.mParts;  // textures copy by name and residency
  for (auto& part : mParts) part.vertices = CopyBuffer(part.vertices);
  mSetingNames = other.mSetingNames;
  mAlpha = other.mAlpha;
  mSmooth = other.mSmooth;
  mLoaded = other.mLoaded;
  return *this;
}

void CMesh::Assign(const SModelMesh& model, const std::wstring& file,
                   const std::shared_ptr<CTextureManager>& textures) {
  Release();
  mName = model.name;
  mFile = file;
  mBox = model.box;
  mTransform = model.transform;
  Append(model, textures);
}

void CMesh::Append(const SModelMesh& model, const std::shared_ptr<CTextureManager>& textures) {
  // Another mesh's vertices are relative to its own placement: move them to ours.
  const float dx = model.transform(3, 0) - mTransform(3, 0);
  const float dy = model.transform(3, 1) - mTransform(3, 1);
  const float dz = model.transform(3, 2) - mTransform(3, 2);
  if (!mParts.empty()) {
    mBox.Min = zormath::Vec3f(std::min(mBox.Min.x, model.box.Min.x + dx), std::min(mBox.Min.y, model.box.Min.y + dy),
                              std::min(mBox.Min.z, model.box.Min.z + dz));
    mBox.Max = zormath::Vec3f(std::max(mBox.Max.x, model.box.Max.x + dx), std::max(mBox.Max.y, model.box.Max.y + dy),
                              std::max(mBox.Max.z, model.box.Max.z + dz));
  }
  for (const auto& src : model.parts) {
    SPart part;
    part.vertices = std::make_shared<CVertexBuffer>(static_cast<uint32_t>(src.vertices.size() * sizeof(SVertex)),
                                                    sizeof(SVertex), kFvfXyzDiffuseTex1);
    if (!src.vertices.empty())
      std::memcpy(part.vertices->MutableBytes(), src.vertices.data(), src.vertices.size() * sizeof(SVertex));
    auto* v = reinterpret_cast<SVertex*>(part.vertices->MutableBytes());
    for (size_t i = 0; i < src.vertices.size(); ++i) {
      v[i].x += dx;
      v[i].y += dy;
      v[i].z += dz;
    }
    part.indices = src.indices;
    part.material = src.material;
    NameTexture(part.textures[0], src.texture0, textures);
    NameTexture(part.textures[1], src.texture1, textures);
    mParts.push_back(std::move(part));
    mSetingNames.push_back(src.seting);
  }
}

int32_t CMesh::Load(uint32_t) {
  int32_t result = kOk;
  for (auto& part : mParts)
    for (auto& t : part.textures)
      if (t.IsNamed() && t.Load() < 0) result = kFail;
  mLoaded = true;
  return result;
}

int32_t CMesh::UnLoad(uint32_t) {
  for (auto& part : mParts)
    for (auto& t : part.textures) t.UnLoad();
  mLoaded = false;
  return kOk;
}

void CMesh::Release(uint32_t) {
  mParts.clear();
  mSetingNames.clear();
  mName.clear();
  mFile.clear();
  mBox = SAABBox{};
  mTransform = zormath::Mat4f::Identity();
  mAlpha = 1.0f;
  mSmooth = -1;
  mLoaded = false;
}

void CMesh::Clone(const CMesh& src, int) { *this = src; }

const CMesh::SPart* CMesh::GetPart(int i) const {
  return i >= 0 && i < GetPartCount() ? &mParts[static_cast<size_t>(i)] : nullptr;
}

CMesh::SPart* CMesh::GetPart(int i) { return i >= 0 && i < GetPartCount() ? &mParts[static_cast<size_t>(i)] : nullptr; }

void CMesh::SetTexture(int part, int stage, const CTexture& texture) {
  SPart* p = GetPart(part);
  if (!p || stage < 0 || stage > 1) return;
  p->textures[stage] = texture;
  if (mLoaded && p->textures[stage].IsNamed()) p->textures[stage].Load();
}

CTexture* CMesh::GetTexture(int part, int stage) {
  SPart* p = GetPart(part);
  if (!p || stage < 0 || stage > 1) return nullptr;
  return &p->textures[stage];
}

CSubMesh CMesh::GetSubMesh(int part) const {
  const SPart* p = GetPart(part);
  return p ? CSubMesh(p->vertices, p->material) : CSubMesh();
}

void CMesh::SetSubMesh(int part, const CSubMesh& sub) {
  if (SPart* p = GetPart(part)) p->material = sub.GetD3DMaterial();
}

SMaterial CMesh::GetD3DMaterial(int part) const {
  const SPart* p = GetPart(part);
  return p ? p->material : SMaterial{};
}

void CMesh::SetD3DMaterial(int part, const SMaterial& material) {
  if (SPart* p = GetPart(part)) p->material = material;
}

void CMesh::SetRenderSeting(int part, int id) {
  if (SPart* p = GetPart(part)) p->seting = id;
}

int CMesh::GetRenderSeting(int part) const {
  const SPart* p = GetPart(part);
  return p ? p->seting : -1;
}

void CMeshPoint::Assign(const SModelMesh& model, const std::wstring& file) {
  mName = model.name;
  mFile = file;
  mBox = model.box;
  mTransform = zormath::Mat4f::Identity();
  mPoints = model.points;
  if (!mPoints.empty()) return;
  // A point model drawn as faces: its vertices, placed back in the scene.
  const float px = model.transform(3, 0), py = model.transform(3, 1), pz = model.transform(3, 2);
  for (const auto& part : model.parts)
    for (const auto& v : part.vertices) {
      zormath::Vec3f p(v.x + px, v.y + py, v.z + pz);
      if (mPoints.empty() || !(mPoints.back() == p)) mPoints.push_back(p);
    }
}

zormath::Vec3f CMeshPoint::GetPoint(int i, int) const {
  if (i < 0 || i >= GetCountPoint()) return zormath::Vec3f();
  return mPoints[static_cast<size_t>(i)];
}

}  // namespace zuzorev
