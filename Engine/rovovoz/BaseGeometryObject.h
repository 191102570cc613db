#pragma once
// The base of every render object, trigger model and widget: a position, an
// orientation (rows right, up, direction; identity = direction (0, 0, 1),
// up (0, 1, 0)), a scale, a location matrix (a placement the object is
// attached to) and a world matrix (the scene's view, zoom ...). The
// temporary matrix combines them, rebuilt by UpdateTempMatrix after every
// change:  temp = scale x orientation x translation(position) x location x world.
#include <cstdint>

#include "Engine/rovovoz/BaseObject.h"
#include "Engine/zormath/Math.h"
#include "Engine/zuzorev/RenderTypes.h"

namespace rovovoz {

class CGameCore;

class CBaseGeometryObject : public CBaseObject {
 public:
  explicit CBaseGeometryObject(CGameCore* core = nullptr);
  CBaseGeometryObject(const CBaseGeometryObject&) = default;
  CBaseGeometryObject& operator=(const CBaseGeometryObject&) = default;

  CGameCore* GetCore() const { return mCore; }
  void SetCore(CGameCore* core) { mCore = core; }

  // The transforms below are virtual: an object made of several models (a
  // frame animation) moves all of them when moved through this base.
  virtual zormath::Vec3f GetPosition3D() const { return mPosition; }
  virtual void SetPosition3D(float x, float y, float z);
  void SetPosition3D(const zormath::Vec3f& p) { SetPosition3D(p.x, p.y, p.z); }
  virtual void SetPositionX3D(float x) { SetPosition3D(x, mPosition.y, mPosition.z); }
  void SetPositionY3D(float y) { SetPosition3D(mPosition.x, y, mPosition.z); }
  void SetPositionZ3D(float z) { SetPosition3D(mPosition.x, mPosition.y, z); }
  void AddPosition3D(const zormath::Vec3f& d) { SetPosition3D(mPosition + d); }
  void AddPosition3D(float x, float y, float z) { AddPosition3D(zormath::Vec3f(x, y, z)); }
  void AddPositionX3D(float d) { SetPositionX3D(mPosition.x + d); }
  void AddPositionY3D(float d) { SetPositionY3D(mPosition.y + d); }
  void AddPositionZ3D(float d) { SetPositionZ3D(mPosition.z + d); }

  // Row 3 of the orientation; right becomes up x direction when that exists.
  virtual void SetDirection3D(const zormath::Vec3f& direction);
  zormath::Vec3f GetDirection3D() const;
  // Row 2 of the orientation; right as above.
  virtual void SetUp3D(const zormath::Vec3f& up);
  zormath::Vec3f GetUp3D() const;
  zormath::Vec3f GetRight3D() const;
  // Orientation = MatrixRotationY(angle).
  void SetAngleAxisY(float angle);
  // Orientation = orientation x MatrixRotationY(angle).
  void RotateAxisY(float angle);
  // The upper 3 x 3 of m becomes the orientation.
  void SetOrientationMatrix3D(const zormath::Mat4f& m);
  const zormath::Mat4f& GetOrientationMatrix3D() const { return mOrientation; }

  virtual void SetScale(float x, float y, float z);
  void SetScale(const zormath::Vec3f& s) { SetScale(s.x, s.y, s.z); }
  virtual zormath::Vec3f GetScale() const { return mScale; }
  void SetScaleX(float x) { SetScale(x, mScale.y, mScale.z); }
  void SetScaleY(float y) { SetScale(mScale.x, y, mScale.z); }
  void SetScaleZ(float z) { SetScale(mScale.x, mScale.y, z); }

  virtual void SetWorldMatrix3D(const zormath::Mat4f& m);
  const zormath::Mat4f& GetWorldMatrix3D() const { return mWorld; }
  virtual void SetLocationMatrix3D(const zormath::Mat4f& m);
  const zormath::Mat4f& GetLocationMatrix3D() const { return mLocation; }
  const zormath::Mat4f& GetTempMatrix3D() const { return mTemp; }
  virtual void UpdateTempMatrix();

  // 1: drawn in the interface space whatever the camera; 0: scene space.
  virtual void SetRender2D(int on) { mRender2D = on != 0; }
  int GetRender2D() const { return mRender2D ? 1 : 0; }

  // The base: no model, so position, orientation, scale and location go
  // back to neutral.
  void LoadTransformForMesh() override;

 protected:
  // Sets the world-transform of the render system for drawing this object
  // with matrix m (2D or scene mode by the object's flag).
  void ApplyTransform(const zormath::Mat4f& m) const;

  CGameCore* mCore = nullptr;
  zormath::Vec3f mPosition;
  zormath::Mat4f mOrientation = zormath::Mat4f::Identity();
  zormath::Vec3f mScale{1, 1, 1};
  zormath::Mat4f mLocation = zormath::Mat4f::Identity();
  zormath::Mat4f mWorld = zormath::Mat4f::Identity();
  zormath::Mat4f mTemp = zormath::Mat4f::Identity();
  bool mRender2D = false;
};

}  // namespace rovovoz
