#pragma once
// A small model (or a flat one whose texture changes frame by frame)
// moving along the points of a path: a bird that crosses the scene, waits
// out of sight for a while and crosses again. It faces its way, turns its
// up vector over when running backward, grows with its height on the path
// and plays a looping frame animation.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/zuzorev/Texture.h"

namespace rovovoz {
class CPointObject3D;
class CStaticObject3D;
}  // namespace rovovoz

class CROMoveSpline : public rovovoz::CBaseGeometryObject {
 public:
  static constexpr int kMaxFrames = 40;
  enum : int32_t { kStopped = 0, kOnePass = 1, kRunning = 2 };

  explicit CROMoveSpline(rovovoz::CGameCore* core);
  ~CROMoveSpline() override;
  CROMoveSpline(const CROMoveSpline&) = delete;
  CROMoveSpline& operator=(const CROMoveSpline&) = delete;

  int32_t Load(uint32_t flags) override;
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t UnLoad(uint32_t flags) override;
  void SetAlpha(float alpha) override;
  // 1 (or any mode without Infinity) stops the object where it stands.
  int32_t Stop(int mode) override;
  void UpdateTempMatrix() override;

  // Replaces names by the meshes of its frame models.
  void GetModelNames(std::vector<std::wstring>& names) const;

  // One pass from the start of the path.
  void Start();
  // One pass on from where it stands.
  void Resume();
  zormath::Vec3f GetPosition() const { return mPos; }

  int32_t GetRunState() const { return mRun; }
  int32_t GetFrame() const { return mFrame; }
  int32_t GetFrameCount() const { return mCount; }
  int32_t GetPointIndex() const { return mIndex; }
  int32_t GetDirection() const { return mDirection; }
  // Waiting between passes (not drawn).
  bool IsPaused() const;
  rovovoz::CStaticObject3D* GetFrameModel(int i) const;
  rovovoz::CPointObject3D* GetPath() const { return mPath; }

 private:
  void Restart();
  void NewPass();
  float NewStopTime() const;
  zormath::Vec3f Point(int i) const;
  // The segment from the current point: next point (or the way on past an
  // end), position at t, raw horizontal heading and length.
  void PlaceOnSegment(bool blend);
  float ScaleAt(float y) const;
  void PlaceModel();
  rovovoz::CStaticObject3D* CurrentModel() const;

  rovovoz::CPointObject3D* mPath = nullptr;
  std::array<rovovoz::CStaticObject3D*, kMaxFrames> mModels{};
  int32_t mCount = 1;
  float mTimeAnim = 1.0f;
  float mTimeMove = 0.2f;
  int32_t mLoop = 0;
  int32_t mRand = 1;
  float mMaxScale = 1.0f;
  float mMinScale = 1.0f;
  float mTimeStop1 = 1.0f;
  float mTimeStop2 = 1.0f;
  int32_t mSmoothDir = 0;
  int32_t mUpKoef = 1;
  std::wstring mModelFile;
  std::wstring mModelName;
  std::wstring mPathFile;
  std::wstring mPathName;
  float mFrameTime = 0.0f;
  float mFrameRate = 1.0f;
  int32_t mFrame = 0;
  float mT = 0.0f;
  int32_t mIndex = 0;
  float mMoveRate = 1.0f;
  int32_t mDirection = 1;
  zormath::Vec3f mPos;
  zormath::Vec3f mPrevHeading;
  zormath::Vec3f mHeading;
  float mPrevLength = -1.0f;
  float mLength = -1.0f;
  float mStopTime = 1.0f;
  float mStopTimer = 0.0f;
  float mHighY = 0.0f;
  float mLowY = 0.0f;
  int32_t mSeting = -1;
  int32_t mInfinity = 1;
  std::array<zuzorev::CTexture, kMaxFrames> mTextures;
  int32_t mTextureMode = 0;
  int32_t mZEnable = 0;
  int32_t mRun = kRunning;
  float mAlpha = 1.0f;
};
