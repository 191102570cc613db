// The render system: turning the engine state into device draws.
#include <algorithm>
#include <cstring>

#include "Engine/zuzorev/RenderSystem.h"

namespace zuzorev {
namespace {

constexpr size_t kMaxRecordedDraws = 100000;

float Clamp01(float v) { return v < 0 ? 0 : v > 1 ? 1 : v; }

int VerticesFor(int primitive, int count) {
  if (count <= 0) return 0;
  if (primitive == kPrimTriangleList) return count * 3;
  if (primitive == kPrimTriangleStrip) return count + 2;
  return 0;
}

// u as a linear function of x (and v of z) over a part, from its extreme
// vertices; used to crop a scaled part's texture instead of squeezing it.
struct SLinearFit {
  bool ok = false;
  float x0 = 0, u0 = 0, slope = 0;
  float At(float x) const { return u0 + (x - x0) * slope; }
};

SLinearFit Fit(const SVertex* v, int n, bool alongX) {
  SLinearFit f;
  if (n < 2) return f;
  int lo = 0, hi = 0;
  for (int i = 1; i < n; ++i) {
    float c = alongX ? v[i].x : v[i].z;
    if (c < (alongX ? v[lo].x : v[lo].z)) lo = i;
    if (c > (alongX ? v[hi].x : v[hi].z)) hi = i;
  }
  float c0 = alongX ? v[lo].x : v[lo].z, c1 = alongX ? v[hi].x : v[hi].z;
  if (c1 - c0 < 1e-6f) return f;
  float t0 = alongX ? v[lo].u : v[lo].v, t1 = alongX ? v[hi].u : v[hi].v;
  f.ok = true;
  f.x0 = c0;
  f.u0 = t0;
  f.slope = (t1 - t0) / (c1 - c0);
  return f;
}

}  // namespace

const SRenderSeting* CRenderSystem::SetingOf(int id) const { return mSetingsManager.Get(id); }

uint32_t CRenderSystem::DeviceTexture(const CTexture* texture) {
  if (!texture || !texture->IsLoaded() || !texture->Data()) return 0;
  mTextures->EnsureUploaded(*texture->Data());
  return texture->Data()->deviceId;
}

SDrawState CRenderSystem::PrepareState(int seting, const CTexture* tex0, const CTexture* tex1,
                                       const SMaterial& material, float alpha, SDrawRecord& record) {
  SDrawState st;
  const SRenderSeting* s = SetingOf(seting);
  const SRenderSeting defaults;
  if (!s) s = &defaults;
  st.blend = s->Blend;
  st.depthTest = mZEnable && s->DepthTest;
  st.depthWrite = s->DepthWrite;
  st.cull = s->Cull;
  st.linearFilter = s->Linear;
  st.secondTex = s->SecondTex;
  st.alphaCut = s->AlphaCut;

  // The scene's one light shines along the camera, so every face the viewer
  // sees takes the full diffuse colour; the ambient render state and the
  // emissive colour add to it.
  float c[4] = {1, 1, 1, 1};
  if (s->Lighting && GetRenderState(kRsLighting) != 0) {
    const uint32_t amb = GetRenderState(kRsAmbient);
    const float ar = ((amb >> 16) & 255) / 255.0f, ag = ((amb >> 8) & 255) / 255.0f, ab = (amb & 255) / 255.0f;
    const SColorValue ld = mLight.enabled ? mLight.diffuse : SColorValue{0, 0, 0, 0};
    c[0] = Clamp01(material.Emissive.r + ar * material.Ambient.r + ld.r * material.Diffuse.r);
    c[1] = Clamp01(material.Emissive.g + ag * material.Ambient.g + ld.g * material.Diffuse.g);
    c[2] = Clamp01(material.Emissive.b + ab * material.Ambient.b + ld.b * material.Diffuse.b);
    c[3] = Clamp01(material.Diffuse.a);
  }
  c[3] *= alpha;
  std::copy(c, c + 4, st.colorMul);

  if (mWorld2D) {
    st.worldView = mWorld * mView2D;
    st.worldViewProj = st.worldView * mProjection2D;
  } else {
    st.worldView = mWorld * mView;
    st.worldViewProj = st.worldView * mProjection;
  }
  st.tex0Transform = GetTextureStageState(0, kTssTextureTransformFlags) != 0;
  st.tex1Transform = GetTextureStageState(1, kTssTextureTransformFlags) != 0;
  st.tex0Matrix = mTexMatrix[0];
  st.tex1Matrix = mTexMatrix[1];
  st.tex1Source = (GetTextureStageState(1, kTssTexCoordIndex) & 0xFFFF0000u) == kTexCoordCameraSpacePosition
                      ? ETexSource::CameraSpace
                      : ETexSource::Uv;
  st.texture0 = DeviceTexture(tex0);
  st.texture1 = DeviceTexture(tex1);

  if (!mRecordDraws) return st;
  record.texture0 = tex0 && tex0->IsNamed() ? tex0->GetName() : std::wstring();
  record.texture1 = tex1 && tex1->IsNamed() ? tex1->GetName() : std::wstring();
  record.seting = s == &defaults ? std::wstring() : s->Name;
  record.blend = st.blend;
  record.depthTest = st.depthTest;
  record.tex0Transform = st.tex0Transform;
  record.tex1Transform = st.tex1Transform;
  record.tex1Camera = st.tex1Source == ETexSource::CameraSpace;
  std::copy(c, c + 4, record.color);
  record.world = mWorld;
  return st;
}

void CRenderSystem::Submit(int primitive, const SVertex* vertices, int vertexCount, const uint32_t* indices,
                           int indexCount, const SDrawState& state, SDrawRecord& record, const SGeometryKey& geometry) {
  ++mDrawCount;
  if (mRecordDraws && mFrameDraws.size() < kMaxRecordedDraws) {
    record.primitive = primitive;
    record.vertexCount = indexCount > 0 ? indexCount : vertexCount;
    record.flat = state.flatColor;
    mFrameDraws.push_back(std::move(record));
  }
  if (mInitialized && !mDeviceLost)
    mDevice->Draw(primitive, vertices, vertexCount, indices, indexCount, state, geometry);
}

int32_t CRenderSystem::DrawPrimitive(int primitive, int firstVertex, int primitiveCount) {
  const int n = VerticesFor(primitive, primitiveCount);
  if (!mStream || n <= 0 || firstVertex < 0 || mStream->IsLocked()) return kFail;
  const uint32_t stride = mStream->GetStride();
  const uint64_t begin = mStreamOffset + static_cast<uint64_t>(firstVertex) * stride;
  const uint64_t end = begin + static_cast<uint64_t>(n) * stride;
  if (end > mStream->GetSize() || stride < sizeof(SVertexTex)) return kFail;  // never read past the buffer
  return SubmitVertices(primitive, mStream->Bytes() + begin, n, stride, stride >= sizeof(SVertex) && mDeclaration != 1);
}

int32_t CRenderSystem::DrawPrimitiveUP(int primitive, int primitiveCount, const void* vertices, int stride) {
  const int n = VerticesFor(primitive, primitiveCount);
  if (!vertices || n <= 0 || n > 1000000) return kFail;
  int declaration = mDeclaration;
  if (declaration < 0) declaration = stride >= static_cast<int>(sizeof(SVertex)) ? 0 : 1;
  const int need = declaration == 0 ? static_cast<int>(sizeof(SVertex)) : static_cast<int>(sizeof(SVertexTex));
  if (stride < need) return kFail;
  return SubmitVertices(primitive, static_cast<const uint8_t*>(vertices), n, static_cast<uint32_t>(stride),
                        declaration == 0);
}

// Copies n vertices of the given stride into the draw format (coloured
// vertices as they are, textured-only ones in white) and draws them with
// the bound state.
int32_t CRenderSystem::SubmitVertices(int primitive, const uint8_t* src, int n, uint32_t stride, bool colored) {
  mScratch.resize(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i, src += stride) {
    if (colored) {
      std::memcpy(&mScratch[static_cast<size_t>(i)], src, sizeof(SVertex));
    } else {
      SVertexTex t;
      std::memcpy(&t, src, sizeof(t));
      mScratch[static_cast<size_t>(i)] = SVertex{t.x, t.y, t.z, 0xFFFFFFFFu, t.u, t.v};
    }
  }
  SDrawRecord record;
  SDrawState st = PrepareState(mBoundSeting, GetBoundTexture(0), GetBoundTexture(1), mMaterial, 1.0f, record);
  Submit(primitive, mScratch.data(), n, nullptr, 0, st, record, SGeometryKey{});
  return kOk;
}

int32_t CRenderSystem::RenderMesh(const CMesh& mesh, int firstPart, int allParts) {
  SMeshDrawOptions o;
  o.firstPart = firstPart;
  o.allParts = allParts != 0;
  return DrawMesh(mesh, o);
}

int32_t CRenderSystem::RenderMesh(const CMesh* mesh, int firstPart, int allParts) {
  return mesh ? RenderMesh(*mesh, firstPart, allParts) : kFail;
}

int32_t CRenderSystem::RenderMeshEx(const CMesh& mesh, int ownSeting, int ownTextures, int ownMaterial,
                                    int allParts) {
  SMeshDrawOptions o;
  o.ownSeting = ownSeting != 0;
  o.ownTextures = ownTextures != 0;
  o.ownMaterial = ownMaterial != 0;
  o.allParts = allParts != 0;
  return DrawMesh(mesh, o);
}

int32_t CRenderSystem::RenderMeshEx(const CMesh* mesh, int ownSeting, int ownTextures, int ownMaterial,
                                    int allParts) {
  return mesh ? RenderMeshEx(*mesh, ownSeting, ownTextures, ownMaterial, allParts) : kFail;
}

bool CRenderSystem::IndicesFit(const CMesh::SPart& part, uint32_t vertexCount) {
  const CVertexBuffer& vb = *part.vertices;
  CMesh::SIndexCheck& check = part.indexCheck;
  if (check.buffer != vb.GetId() || check.generation != vb.GetGeneration() || check.indices != part.indices.data() ||
      check.count != part.indices.size() || check.vertexCount != vertexCount) {
    check.buffer = vb.GetId();
    check.generation = vb.GetGeneration();
    check.indices = part.indices.data();
    check.count = part.indices.size();
    check.vertexCount = vertexCount;
    check.ok = std::all_of(part.indices.begin(), part.indices.end(), [vertexCount](uint32_t i) { return i < vertexCount; });
  }
  return check.ok;
}

int32_t CRenderSystem::DrawMesh(const CMesh& mesh, const SMeshDrawOptions& o) {
  if (mesh.Empty()) return kFail;
  const int count = mesh.GetPartCount();
  const int first = std::max(0, o.firstPart);
  const int last = o.allParts ? count : std::min(count, first + 1);
  for (int i = first; i < last; ++i) {
    const CMesh::SPart& part = *mesh.GetPart(i);
    const CVertexBuffer* vb = part.vertices.get();
    const int n = vb ? static_cast<int>(vb->GetVertexCount()) : 0;
    if (n == 0 || part.indices.empty()) continue;
    const SVertex* verts = reinterpret_cast<const SVertex*>(vb->Bytes());
    // Indices past the part's vertices would read beyond the buffer; they
    // are checked again only when the part's vertices change.
    if (!IndicesFit(part, static_cast<uint32_t>(n))) continue;
    SGeometryKey geometry{vb->GetId(), vb->GetGeneration()};

    const CTexture* tex0 = o.ownTextures ? &part.textures[0] : GetBoundTexture(0);
    const CTexture* tex1 = part.textures[1].IsNamed() && o.ownTextures ? &part.textures[1] : GetBoundTexture(1);
    const int seting = o.ownSeting ? part.seting : mBoundSeting;
    const SMaterial& material = o.ownMaterial ? part.material : mMaterial;
    SDrawRecord record;
    if (mRecordDraws) record.mesh = mesh.GetNameModel();
    SDrawState st = PrepareState(seting, tex0, tex1, material, mesh.GetAlphaAll() * o.alpha, record);
    if (mesh.GetAllSmooth() >= 0) st.linearFilter = mesh.GetAllSmooth() != 0;
    st.depthWrite = st.depthWrite && o.depthWrite;
    if (o.overlay) {
      st.blend = EBlend::Add;
      st.depthTest = o.forceDepth;
      st.depthWrite = false;
      st.colorMul[3] *= o.overlayStrength;
      record.blend = st.blend;
      record.depthTest = st.depthTest;
      record.color[3] = st.colorMul[3];
    }
    if (o.flat) {
      st.flatColor = true;
      std::copy(o.flatColor, o.flatColor + 4, st.flat);
    }
    if (o.cropX != 1.0f || o.cropZ != 1.0f) {
      mScratch.assign(verts, verts + n);
      SLinearFit fu = Fit(verts, n, true), fv = Fit(verts, n, false);
      for (auto& v : mScratch) {
        if (fu.ok && o.cropX != 1.0f) v.u = fu.At(v.x * o.cropX);
        if (fv.ok && o.cropZ != 1.0f) v.v = fv.At(v.z * o.cropZ);
      }
      verts = mScratch.data();
      geometry = SGeometryKey{};  // cropped for this draw only
    }
    Submit(kPrimTriangleList, verts, n, part.indices.data(), static_cast<int>(part.indices.size()), st, record,
           geometry);
  }
  return kOk;
}

}  // namespace zuzorev
