#pragma once
// A jet or stream of water: one mesh drawn in layers, each with its texture
// scrolling along the jet. Switched on, it grows in length, then in width,
// runs, and when stopped narrows and fades away.
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/zuzorev/Mesh.h"

// One scrolling layer of the jet.
struct SStruyaStream {
  float offset = 0.0f;
  float speed = 0.0f;  // texture lengths a second
  // Identity but for the v translation (row 2, column 1) = offset.
  zormath::Mat4f texture = zormath::Mat4f::Identity();
};

class CStruya : public rovovoz::CBaseGeometryObject {
 public:
  enum EState : int32_t { kOff = -1, kGrowing = 0, kWidening = 1, kRunning = 2, kShrinking = 3 };

  explicit CStruya(rovovoz::CGameCore* core);
  ~CStruya() override;
  CStruya(const CStruya&) = delete;
  CStruya& operator=(const CStruya&) = delete;

  int32_t Load(uint32_t flags) override;
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t UnLoad(uint32_t flags) override;
  void LoadTransformForMesh() override;
  void SetAlpha(float alpha) override;
  float GetAlpha() const override { return mAlpha; }
  // Flag 0 switches the jet off at once (a jet whose data starts it starts
  // again as loaded); any other lets it run out its running time and then
  // shrink.
  int32_t Stop(int flag) override;
  void UpdateTempMatrix() override;

  // Mode 1 keeps the jet running for ever once it runs.
  virtual void SetState(int32_t mode, int32_t state, int32_t immediate);
  virtual bool IsOff() const { return mState == kOff; }

  int32_t GetState() const { return mState; }
  int32_t GetMode() const { return mMode; }
  float GetLength() const { return mLength; }
  float GetWidth() const { return mWidth; }
  float GetAlphaFactor() const { return mAlphaFactor; }
  const std::vector<SStruyaStream>& GetStreams() const { return mStreams; }
  const zormath::Mat4f& GetRenderMatrix() const { return mRenderMatrix; }
  const zuzorev::CMesh& GetMesh() const { return mMesh; }

 private:
  // Render matrix from the sizes, material alpha from the fade.
  void Apply();

  float mClock = 0.0f;
  float mTimeBegin = 0.0f;
  float mTimeEnd = 0.0f;
  float mTimeScale = 0.0f;
  float mTime = 0.0f;
  zuzorev::SMaterial mMaterial;
  int32_t mSeting = -1;
  float mLength = 1.0f;
  float mWidth = 1.0f;
  int32_t mState = kOff;
  int32_t mLoadState = kOff;  // "State" of the data
  int32_t mMode = 0;
  float mAlphaFactor = 0.0f;
  zormath::Mat4f mRenderMatrix = zormath::Mat4f::Identity();
  zormath::Mat4f mMeshMatrix = zormath::Mat4f::Identity();
  std::vector<SStruyaStream> mStreams;
  zuzorev::CMesh mMesh;
  std::wstring mModelFile;
  std::wstring mModelName;
  float mAlpha = 1.0f;
};
