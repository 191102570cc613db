#pragma once
// The camera: orthographic over the virtual screen (type 0) as the game
// sets it up, with its view and projection matrices and the mapping between
// virtual-screen points and the scene.
#include <cstdint>

#include "Engine/rovovoz/TriangleObject3D.h"
#include "Engine/zormath/Math.h"

namespace rovovoz {

class CGameCore;
class CMouseCursor;

class CCamera {
 public:
  explicit CCamera(CGameCore* core = nullptr) : mCore(core) {}

  // 0 orthographic (the only type the game uses).
  void SetProjectionType(int type) { mType = type; }
  void SetFovX(float width) { mFovX = width; }
  void SetFovY(float height) { mFovY = height; }
  void SetWideKoef(float kx, float ky) {
    mWideX = kx;
    mWideY = ky;
  }
  void SetNearDist(float d) { mNear = d; }
  void SetFarDist(float d) { mFar = d; }
  void SetPosition(float x, float y, float z) { mPosition = zormath::Vec3f(x, y, z); }
  void SetPosition(const zormath::Vec3f& p) { mPosition = p; }
  void SetDirection(const zormath::Vec3f& direction, const zormath::Vec3f& up);
  // Rebuilds the matrices.
  void Update(float dt, CMouseCursor* cursor);

  const zormath::Mat4f& GetViewMatrix() const { return mView; }
  const zormath::Mat4f& GetProjectionMatrix(int mode = 1) const;
  const zormath::Vec3f& GetPosition() const { return mPosition; }
  const zormath::Vec3f& GetDirection() const { return mDirection; }

  // A virtual-screen point (x, y of screenPos, top-left origin, on a screen
  // of width x height) as a pick ray: from the camera plane along the view.
  void OrthoScreenToWorld(SRay& ray, float width, float height, const zormath::Vec3f& screenPos, int mode = 1) const;
  // The same ray's start point.
  void OrthoScreenToWorld(zormath::Vec3f& ray, float width, float height, const zormath::Vec3f& screenPos,
                          int mode = 1) const;
  // A virtual-screen point on the 1024 x 768 screen -> the point of the
  // plane through the scene origin facing the camera (y = 0 by default).
  void OrthoScreenToWorld(zormath::Vec3f& world, const zormath::Vec3f& screenPos, int mode = 1) const;
  // A scene point -> its virtual-screen point.
  void OrthoWorldToScreen(zormath::Vec3f& screen, const zormath::Vec3f& world, float width, float height) const;

 private:
  zormath::Vec3f Right() const;

  CGameCore* mCore;
  int mType = 0;
  float mFovX = 1024.0f, mFovY = 768.0f;
  float mWideX = 1.0f, mWideY = 1.0f;
  float mNear = 0.1f, mFar = 1110.0f;
  zormath::Vec3f mPosition{0, 1010, 0};
  zormath::Vec3f mDirection{0, -1, 0};
  zormath::Vec3f mUp{0, 0, 1};
  zormath::Mat4f mView = zormath::Mat4f::Identity();
  zormath::Mat4f mProjection = zormath::Mat4f::Identity();
};

}  // namespace rovovoz
