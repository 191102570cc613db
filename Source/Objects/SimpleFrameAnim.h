#pragma once
// A flip-book of whole models: one mesh per frame, exactly one drawn,
// chosen by a normalised time that runs from 0 to 1 across the frames. It
// plays once forwards or backwards, loops, or goes up and down; an
// animation file may add one trigger model per frame for picking. Moved,
// turned or scaled as one object, it moves all its frames.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/zuzorev/Texture.h"

namespace rovovoz {
class CStaticObject3D;
class CTriangleObject3D;
}  // namespace rovovoz

class CSimpleFrameAnim : public rovovoz::CBaseGeometryObject {
 public:
  enum EMode : int32_t { kStopped = 0, kPlay = 1, kPlayBack = 2, kPlayLoop = 3, kPlayLoopUpDown = 4 };

  explicit CSimpleFrameAnim(rovovoz::CGameCore* core);
  ~CSimpleFrameAnim() override;
  CSimpleFrameAnim(const CSimpleFrameAnim&) = delete;
  CSimpleFrameAnim& operator=(const CSimpleFrameAnim&) = delete;

  int32_t Load(uint32_t flags) override;
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t UnLoad(uint32_t flags) override;
  void SetAlpha(float alpha) override;
  // Back to time 0 in the mode it was loaded to start in.
  int32_t Stop(int mode) override;
  void UpdateTempMatrix() override;
  using rovovoz::CBaseGeometryObject::SetPosition3D;
  void SetPosition3D(float x, float y, float z) override;
  void SetPositionX3D(float x) override;
  void SetDirection3D(const zormath::Vec3f& direction) override;
  void SetUp3D(const zormath::Vec3f& up) override;
  zormath::Vec3f GetPosition3D() const override;
  using rovovoz::CBaseGeometryObject::SetScale;
  // Each frame keeps its own mirroring; y is not used.
  void SetScale(float x, float y, float z) override;
  zormath::Vec3f GetScale() const override;
  void SetRender2D(int on) override;

  int32_t GetPlayMode() const { return mMode; }
  void Play();
  void PlayBack();
  void PlayLoop();
  void PlayLoopUpDown();
  // 0 where it is, 1 at the end, 2 at the start; other values stop where it
  // is and answer the value less 2.
  int32_t StopAt(int how);
  void StopAtStart();
  void StopAtEnd();
  void ScaleFrames(float factor);
  void SetFactorSpeed(float speed) { mSpeed = speed; }
  // Whether the point lies on the trigger model of the frame shown.
  bool IsHit(float x, float y, float z);
  void GetModelNames(std::vector<std::wstring>& names) const;
  // Replaces the frames by those of an animation file (root Animation with
  // Frames and hitFrames) and stops at the start. False when unreadable.
  bool LoadAnimationXml(const std::wstring& file);
  void LoadFrame(const TiXmlElement* frames);
  void ClearFrames();
  // Draws the frame shown with a texture of the class's shared map.
  int32_t RenderWithTexture(const std::wstring& texture);

  float GetTime() const { return mTime; }
  float GetSpeed() const { return mSpeed; }
  int32_t GetCurrentFrame() const { return mCurrent; }
  int32_t GetStartMode() const { return mStartMode; }
  int GetFrameCount() const { return static_cast<int>(mFrames.size()); }
  int GetHitCount() const { return static_cast<int>(mHits.size()); }
  rovovoz::CStaticObject3D* GetFrame(int i) const;

 private:
  struct SScale {
    float x = 1.0f, y = 1.0f, z = 1.0f;
  };

  void StartIn(int32_t mode);

  static std::map<std::wstring, zuzorev::CTexture>& SharedTextures();

  int32_t mMode = kStopped;
  int32_t mStartMode = -1;
  std::vector<rovovoz::CStaticObject3D*> mFrames;
  std::vector<rovovoz::CTriangleObject3D*> mHits;
  std::vector<SScale> mScales;
  float mTime = 0.0f;
  float mSpeed = 0.66f;
  int32_t mCurrent = 0;
  int32_t mRising = 1;
};
