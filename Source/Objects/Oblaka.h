#pragma once
// Clouds drifting across the sky: each cloud a group of textured sprites,
// born at random times inside the box of an emitter model, carried by a
// wind of random strength and removed once past the box. All sprites of
// all clouds share one vertex buffer, drawn one cloud at a time.
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/zuzorev/Texture.h"
#include "Objects/Blesk.h"

namespace zuzorev {
class CVertexBuffer;
struct SVertex;
}  // namespace zuzorev

// One sprite of a cloud.
struct SCloudParticle {
  zormath::Vec3f position;
  zormath::Vec3f axis;           // the sprite's up
  zormath::Vec3f perpendicular;  // the sprite's across
  float scaleX = 1.0f;
  float scaleY = 1.0f;
  float u = 0.0f;
  float spin = 0.0f;
  uint32_t color = 0;
  float alpha = 1.0f;
};

struct SCloud {
  std::vector<SCloudParticle> particles;
  zormath::Mat4f render = zormath::Mat4f::Identity();
  zormath::Mat4f own = zormath::Mat4f::Identity();  // its place: translation in row 4
  zormath::Vec3f wind;
  zormath::Vec3f boundsMin;
  zormath::Vec3f boundsMax;
  bool spins = false;
};

class COblaka : public rovovoz::CBaseGeometryObject {
 public:
  explicit COblaka(rovovoz::CGameCore* core);
  ~COblaka() override;
  COblaka(const COblaka&) = delete;
  COblaka& operator=(const COblaka&) = delete;

  int32_t Load(uint32_t flags) override;
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t UnLoad(uint32_t flags) override;
  // Clamped to 0 .. 1; the clouds alive take it at once.
  void SetAlpha(float alpha) override;
  float GetAlpha() const override { return mAlpha; }
  void UpdateTempMatrix() override;

  // Steps one cloud and, when asked or when it spins, writes its sprites
  // from vertex `first` on; 0 when the cloud has drifted out and ends.
  virtual int32_t FillVertexBuffer(SCloud& cloud, float dt, int first, int rewrite);
  // Fills a new cloud whose sprites start at vertex `first`; nonzero when
  // a cloud was made.
  virtual int32_t CreateCloudParticles(SCloud& cloud, int first);
  // Makes the clouds that are there from the start.
  virtual void SpawnCloud();

  const std::vector<SCloud>& GetClouds() const { return mClouds; }
  float GetSpawnClock() const { return mSpawnClock; }
  float GetSpawnInterval() const { return mSpawnInterval; }
  int32_t GetMaxCountOblaka() const { return mMaxCountOblaka; }
  int32_t GetMaxCountPart() const { return mMaxCountPart; }
  const zuzorev::CVertexBuffer* GetVertexBuffer() const { return mBuffer; }

 private:
  // A cloud made at vertex `first` and appended; false when none was made.
  bool MakeCloud(int first);
  // The buffer locked for this pass (null when it cannot be).
  zuzorev::SVertex* LockedVertices();
  void WriteParticle(const SCloudParticle& p, zuzorev::SVertex* out) const;
  void PlaceCloud(SCloud& cloud) const;

  int32_t mDeclaration = -1;
  int32_t mSeting = -1;
  zuzorev::CVertexBuffer* mBuffer = nullptr;
  zuzorev::SVertex* mLocked = nullptr;
  zormath::Vec3f mEmitter;
  float mBoxLeft = 0.0f;
  float mBoxBottom = 0.0f;
  float mBoxWidth = 0.0f;
  float mBoxHeight = 0.0f;
  zormath::Vec3f mDir;
  SBleskRange mSila;
  std::vector<SCloud> mClouds;
  zuzorev::CTexture mTexture;
  float mCloudW = 0.0f;
  float mCloudH = 0.0f;
  float mParticleW = 0.0f;
  float mParticleH = 0.0f;
  float mCountCadr = 1.0f;
  float mFrame = 1.0f;  // 1 / CountCadr
  int32_t mMaxCountOblaka = 0;
  int32_t mMaxCountPart = 0;
  SBleskRange mScaleX;
  SBleskRange mScaleY;
  SBleskRange mParticleAlpha;
  SBleskRange mSpin;
  float mBegRotatePart = 3.14159265358979f;
  SBleskRange mSpawn;
  float mSpawnClock = 0.0f;
  float mSpawnInterval = 0.0f;
  int32_t mBeginCountOblaka = 0;
  float mAlpha = 1.0f;
  bool mRewriteAll = false;
};
