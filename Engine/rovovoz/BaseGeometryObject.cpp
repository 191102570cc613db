#include "Engine/rovovoz/BaseGeometryObject.h"

#include "Engine/rovovoz/GameCore.h"
#include "Engine/zormath/Transform.h"
#include "Engine/zuzorev/RenderSystem.h"

namespace rovovoz {
namespace {

zormath::Vec3f Row(const zormath::Mat4f& m, int r) { return zormath::Vec3f(m(r, 0), m(r, 1), m(r, 2)); }

void SetRow(zormath::Mat4f& m, int r, const zormath::Vec3f& v) {
  m(r, 0) = v.x;
  m(r, 1) = v.y;
  m(r, 2) = v.z;
}

}  // namespace

CBaseGeometryObject::CBaseGeometryObject(CGameCore* core) : mCore(core) {}

void CBaseGeometryObject::SetPosition3D(float x, float y, float z) {
  mPosition = zormath::Vec3f(x, y, z);
  UpdateTempMatrix();
}

void CBaseGeometryObject::SetDirection3D(const zormath::Vec3f& direction) {
  SetRow(mOrientation, 2, direction);
  zormath::Vec3f right = zormath::Cross(Row(mOrientation, 1), direction);
  if (right.Length() > 1e-6f) SetRow(mOrientation, 0, right.Normalized());
  UpdateTempMatrix();
}

void CBaseGeometryObject::SetUp3D(const zormath::Vec3f& up) {
  SetRow(mOrientation, 1, up);
  zormath::Vec3f right = zormath::Cross(up, Row(mOrientation, 2));
  if (right.Length() > 1e-6f) SetRow(mOrientation, 0, right.Normalized());
  UpdateTempMatrix();
}

zormath::Vec3f CBaseGeometryObject::GetDirection3D() const { return Row(mOrientation, 2); }
zormath::Vec3f CBaseGeometryObject::GetUp3D() const { return Row(mOrientation, 1); }
zormath::Vec3f CBaseGeometryObject::GetRight3D() const { return Row(mOrientation, 0); }

void CBaseGeometryObject::SetAngleAxisY(float angle) {
  zormath::MatrixRotationY(mOrientation.m, angle);
  UpdateTempMatrix();
}

void CBaseGeometryObject::RotateAxisY(float angle) {
  mOrientation = mOrientation * zormath::MatrixRotationYm(angle);
  UpdateTempMatrix();
}

void CBaseGeometryObject::SetOrientationMatrix3D(const zormath::Mat4f& m) {
  mOrientation = zormath::Mat4f::Identity();
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) mOrientation(r, c) = m(r, c);
  UpdateTempMatrix();
}

void CBaseGeometryObject::SetScale(float x, float y, float z) {
  mScale = zormath::Vec3f(x, y, z);
  UpdateTempMatrix();
}

void CBaseGeometryObject::SetWorldMatrix3D(const zormath::Mat4f& m) {
  mWorld = m;
  UpdateTempMatrix();
}

void CBaseGeometryObject::SetLocationMatrix3D(const zormath::Mat4f& m) {
  mLocation = m;
  UpdateTempMatrix();
}

void CBaseGeometryObject::UpdateTempMatrix() {
  mTemp = zormath::MatrixScaling(mScale.x, mScale.y, mScale.z) * mOrientation *
          zormath::MatrixTranslation(mPosition.x, mPosition.y, mPosition.z) * mLocation * mWorld;
}

void CBaseGeometryObject::LoadTransformForMesh() {
  mPosition = zormath::Vec3f();
  mOrientation = zormath::Mat4f::Identity();
  mScale = zormath::Vec3f(1, 1, 1);
  mLocation = zormath::Mat4f::Identity();
  UpdateTempMatrix();
}

void CBaseGeometryObject::ApplyTransform(const zormath::Mat4f& m) const {
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  if (!render) return;
  if (mRender2D) render->SetTransform3DWorld2D(m, 1);
  else render->SetTransform(zuzorev::kTransformWorld, m);
}

}  // namespace rovovoz
