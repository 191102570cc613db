#include "Engine/rovovoz/Camera.h"

#include "Engine/zormath/Transform.h"

namespace rovovoz {

void CCamera::SetDirection(const zormath::Vec3f& direction, const zormath::Vec3f& up) {
  if (direction.Length() > 0) mDirection = direction.Normalized();
  if (up.Length() > 0) mUp = up.Normalized();
}

void CCamera::Update(float, CMouseCursor*) {
  mView = zormath::MatrixLookAtLH(mPosition, mPosition + mDirection, mUp);
  mProjection = zormath::MatrixOrthoLH(mFovX * mWideX, mFovY * mWideY, mNear, mFar);
}

const zormath::Mat4f& CCamera::GetProjectionMatrix(int) const { return mProjection; }

zormath::Vec3f CCamera::Right() const { return zormath::Cross(mUp, mDirection).Normalized(); }

void CCamera::OrthoScreenToWorld(SRay& ray, float width, float height, const zormath::Vec3f& screenPos,
                                 int) const {
  // Virtual-screen pixels are scene units: the wide factor widens what is
  // seen, not the scale, so it does not enter here.
  const float sx = width > 0 ? mFovX / width : 1.0f;
  const float sy = height > 0 ? mFovY / height : 1.0f;
  const zormath::Vec3f up = zormath::Cross(mDirection, Right());
  ray.Origin = mPosition + Right() * ((screenPos.x - width * 0.5f) * sx) + up * ((height * 0.5f - screenPos.y) * sy);
  ray.Direction = mDirection;
}

void CCamera::OrthoScreenToWorld(zormath::Vec3f& ray, float width, float height, const zormath::Vec3f& screenPos,
                                 int mode) const {
  SRay r;
  OrthoScreenToWorld(r, width, height, screenPos, mode);
  ray = r.Origin;
}

void CCamera::OrthoScreenToWorld(zormath::Vec3f& world, const zormath::Vec3f& screenPos, int mode) const {
  SRay r;
  OrthoScreenToWorld(r, 1024.0f, 768.0f, screenPos, mode);
  // Along the view to the plane through the origin that faces the camera.
  const float t = -zormath::Dot(r.Origin, mDirection);
  world = r.Origin + mDirection * t;
}

void CCamera::OrthoWorldToScreen(zormath::Vec3f& screen, const zormath::Vec3f& world, float width,
                                 float height) const {
  const zormath::Vec3f d = world - mPosition;
  const zormath::Vec3f up = zormath::Cross(mDirection, Right());
  const float sx = mFovX > 0 ? width / mFovX : 1.0f;
  const float sy = mFovY > 0 ? height / mFovY : 1.0f;
  screen = zormath::Vec3f(width * 0.5f + zormath::Dot(d, Right()) * sx, height * 0.5f - zormath::Dot(d, up) * sy, 0);
}

}  // namespace rovovoz
