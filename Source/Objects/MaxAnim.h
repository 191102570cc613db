#pragma once
// A model driven by a key-frame animation: each frame it takes the pose,
// scale and alpha of the baked keys, shifts its texture and, for vertex
// animation, moves the vertices of its mesh's first part. Scenes make it
// from their object file ("MAX_ANIM"), the main menu from files directly;
// scene actions play, loop, hold and stop it.
#include <cstdint>
#include <string>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Objects/AnimKey.h"

namespace rovovoz {
class CStaticObject3D;
}

class CMaxAnim : public rovovoz::CBaseGeometryObject {
 public:
  // Play states.
  enum : int32_t { kHeld = 1, kOnce = 2, kOnceAndHold = 3, kLoop = 4, kStopped = 5 };

  explicit CMaxAnim(rovovoz::CGameCore* core);
  ~CMaxAnim() override;
  CMaxAnim(const CMaxAnim&) = delete;
  CMaxAnim& operator=(const CMaxAnim&) = delete;

  int32_t Load(uint32_t flags) override;
  // Always 0: a missing model or animation leaves the object still.
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t UnLoad(uint32_t flags) override;
  void LoadTransformForMesh() override;
  void SetAlpha(float alpha) override;
  void UpdateTempMatrix() override;
  void SetRender2D(int on) override;
  // Its model drawn with the texture cropped to the scaled extent, unless
  // stopped and not always visible.
  int32_t RenderTruncateTexture();

  void Reset();
  void PlayOnce();
  void PlayAndHold();
  void PlayLoop();
  // 0 once, 1 loop, 2 once and hold the last pose, 3 the end pose.
  void Play(int mode);
  // Held at the last key, which is applied in full (turn included).
  void SetEndPose();
  // The object the animation moves (not owned).
  void SetTargetObject(rovovoz::CBaseGeometryObject* object);
  zormath::Vec3f GetAnimPosition() const { return mAnimPosition; }
  // As Load with these values in place of the Properties.
  int32_t LoadFromFiles(const std::wstring& modelFile, const std::wstring& mesh, const std::wstring& animFile,
                        const std::wstring& node, uint32_t flags);

  int32_t GetPlayState() const { return mPlay; }
  float GetTime() const { return mTime; }
  float GetLength() const { return mLength; }
  int32_t GetKeyCount() const { return static_cast<int32_t>(mAnim.keys.size()); }
  const SAnimData& GetAnimation() const { return mAnim; }
  rovovoz::CStaticObject3D* GetModel() const { return mModel; }
  rovovoz::CBaseGeometryObject* GetTarget() const { return mTarget; }
  float GetOffsetU() const { return mOffsetU; }
  float GetOffsetV() const { return mOffsetV; }

 private:
  void LoadModelAndAnim(const std::wstring& modelFile, const std::wstring& mesh, const std::wstring& animFile,
                        const std::wstring& node, uint32_t flags);
  // The companion when it is there and sound, else the export.
  void LoadAnimation(const std::wstring& animFile, const std::wstring& node);
  void ApplyKeys(size_t i, float w);
  void BlendVertices(const SAnimKey& a, const SAnimKey& b, float w);

  rovovoz::CStaticObject3D* mModel = nullptr;
  rovovoz::CBaseGeometryObject* mTarget = nullptr;
  SAnimData mAnim;
  float mAlphaFactor = 1.0f;
  float mBaseAlpha = 1.0f;
  float mOffsetU = 0.0f;
  float mOffsetV = 0.0f;
  float mTime = 0.0f;
  float mLength = 1.0f;
  zormath::Vec3f mAnimPosition;
  int32_t mPlay = kStopped;
  int32_t mAlwaysVisible = 0;
  int32_t mOverlayWithNormal = 0;
  float mOverlayAlpha = 0.0f;
  float mSpeed = 1.0f;
  int32_t mRotate = 1;
};
