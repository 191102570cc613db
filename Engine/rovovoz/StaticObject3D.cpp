#include "Engine/rovovoz/StaticObject3D.h"

#include <cfloat>
#include <cmath>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/zormath/Transform.h"
#include "Engine/zuzorev/RenderSystem.h"

namespace rovovoz {

CStaticObject3D::CStaticObject3D(CGameCore* core) : CBaseGeometryObject(core) {}

CStaticObject3D::~CStaticObject3D() { Release(0); }

int32_t CStaticObject3D::LoadModel(const std::wstring& file, const wchar_t* mesh, uint32_t options, int extra) {
  return LoadModel(file, std::wstring(mesh ? mesh : L""), options, extra);
}

int32_t CStaticObject3D::LoadModel(const std::wstring& file, const std::wstring& mesh, uint32_t options, int) {
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  if (!render) return 0;
  zuzorev::CMesh loaded;
  if (render->LoadMesh(file, loaded, mesh, options, 0) < 0) return 0;
  mMesh = loaded;
  mFile = file;
  LoadTransformForMesh();
  return 1;
}

int32_t CStaticObject3D::Load(uint32_t flags) { return mMesh.Empty() ? 0 : (mMesh.Load(flags) >= 0 ? 1 : 0); }

int32_t CStaticObject3D::UnLoad(uint32_t flags) {
  mMesh.UnLoad(flags);
  return 1;
}

int32_t CStaticObject3D::Release(uint32_t flags) {
  mMesh.Release(flags);
  mFile.clear();
  return 0;
}

void CStaticObject3D::LoadTransformForMesh() {
  const zormath::Mat4f& t = mMesh.GetTransform();
  zormath::Vec3f rows[3];
  zormath::Mat4f orientation = zormath::Mat4f::Identity();
  zormath::Vec3f scale(1, 1, 1);
  for (int r = 0; r < 3; ++r) {
    rows[r] = zormath::Vec3f(t(r, 0), t(r, 1), t(r, 2));
    float len = rows[r].Length();
    (r == 0 ? scale.x : r == 1 ? scale.y : scale.z) = len > 0 ? len : 1.0f;
    zormath::Vec3f unit = len > 0 ? rows[r] * (1.0f / len) : rows[r];
    orientation(r, 0) = unit.x;
    orientation(r, 1) = unit.y;
    orientation(r, 2) = unit.z;
  }
  mPosition = zormath::Vec3f(t(3, 0), t(3, 1), t(3, 2));
  mOrientation = orientation;
  mScale = scale;
  mLocation = zormath::Mat4f::Identity();
  UpdateTempMatrix();
}

zormath::Mat4f CStaticObject3D::DrawMatrix() const { return mNode.GetTempMatrix3D() * mTemp; }

int32_t CStaticObject3D::Draw(const zuzorev::SMeshDrawOptions& options, const zormath::Mat4f& matrix, bool always) {
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  if (!render || mMesh.Empty()) return 0;
  if (!always && !mVisible) return 0;
  ApplyTransform(matrix);
  zuzorev::SMeshDrawOptions o = options;
  o.alpha *= mAlpha;
  o.depthWrite = o.depthWrite && mDepthWrite;
  render->DrawMesh(mMesh, o);
  return 0;
}

int32_t CStaticObject3D::Render() { return Draw(zuzorev::SMeshDrawOptions{}, DrawMatrix(), false); }

int32_t CStaticObject3D::RenderAlways() { return Draw(zuzorev::SMeshDrawOptions{}, DrawMatrix(), true); }

int32_t CStaticObject3D::RenderEx(int ownSeting, int ownTextures, int ownMaterial, int allParts) {
  zuzorev::SMeshDrawOptions o;
  o.ownSeting = ownSeting != 0;
  o.ownTextures = ownTextures != 0;
  o.ownMaterial = ownMaterial != 0;
  o.allParts = allParts != 0;
  return Draw(o, DrawMatrix(), false);
}

int32_t CStaticObject3D::RenderAsOverlay(float k) {
  zuzorev::SMeshDrawOptions o;
  o.overlay = true;
  o.overlayStrength = k;
  return Draw(o, DrawMatrix(), false);
}

int32_t CStaticObject3D::RenderAsOverlayZ(float k) {
  zuzorev::SMeshDrawOptions o;
  o.overlay = true;
  o.overlayStrength = k;
  o.forceDepth = true;
  return Draw(o, DrawMatrix(), false);
}

int32_t CStaticObject3D::RenderShadow(float dx, float dy, float a) { return RenderShadow(dx, dy, a, 0, 0, 0, 1); }

int32_t CStaticObject3D::RenderShadow(float dx, float dy, float a, float r, float g, float b, float a2) {
  zuzorev::SMeshDrawOptions o;
  o.flat = true;
  o.flatColor[0] = r;
  o.flatColor[1] = g;
  o.flatColor[2] = b;
  o.flatColor[3] = a * a2;
  // Screen right is +x and screen down is -z in the scene.
  return Draw(o, DrawMatrix() * zormath::MatrixTranslation(dx, 0, -dy), false);
}

int32_t CStaticObject3D::RenderTruncateTexture() {
  zuzorev::SMeshDrawOptions o;
  o.cropX = mScale.x;
  o.cropZ = mScale.z;
  return Draw(o, DrawMatrix(), false);
}

zuzorev::SAABBox CStaticObject3D::GetAABBox(int world) const {
  const zuzorev::SAABBox& local = mMesh.GetBox();
  if (!world) {
    return zuzorev::SAABBox{local.Min + mPosition, local.Max + mPosition};
  }
  const zormath::Mat4f m = DrawMatrix();
  zuzorev::SAABBox box{zormath::Vec3f(FLT_MAX, FLT_MAX, FLT_MAX), zormath::Vec3f(-FLT_MAX, -FLT_MAX, -FLT_MAX)};
  for (int i = 0; i < 8; ++i) {
    zormath::Vec3f c((i & 1) ? local.Max.x : local.Min.x, (i & 2) ? local.Max.y : local.Min.y,
                     (i & 4) ? local.Max.z : local.Min.z);
    zormath::Vec3f p = zormath::TransformCoord(c, m);
    box.Min = zormath::Vec3f(std::fmin(box.Min.x, p.x), std::fmin(box.Min.y, p.y), std::fmin(box.Min.z, p.z));
    box.Max = zormath::Vec3f(std::fmax(box.Max.x, p.x), std::fmax(box.Max.y, p.y), std::fmax(box.Max.z, p.z));
  }
  return box;
}

void CStaticObject3D::SetRenderSeting(int id) {
  for (int i = 0; i < mMesh.GetPartCount(); ++i) mMesh.SetRenderSeting(i, id);
}

}  // namespace rovovoz
