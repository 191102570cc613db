#pragma once
// Twinkling highlights: small sprites born at random points of a point set
// that brighten to half their life and fade again, all drawn from one
// vertex buffer with the texture of a companion model.
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/zuzorev/Texture.h"

namespace rovovoz {
class CStaticObject3D;
}
namespace zuzorev {
class CMeshPoint;
class CVertexBuffer;
}  // namespace zuzorev

// One living highlight: where it was born and how old it is.
struct SBlikRecord {
  zormath::Vec3f mPosition;
  float mAge = 0.0f;
};

class CROBliki : public rovovoz::CBaseGeometryObject {
 public:
  static constexpr int kVerticesPerBlik = 6;
  static constexpr int kVertexSize = 24;
  static constexpr uint32_t kVertexFormat = 0x142;

  explicit CROBliki(rovovoz::CGameCore* core);
  ~CROBliki() override;
  CROBliki(const CROBliki&) = delete;
  CROBliki& operator=(const CROBliki&) = delete;

  int32_t Load(uint32_t flags) override;
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t UnLoad(uint32_t flags) override;
  void SetAlpha(float alpha) override { mObjectAlpha = alpha; }
  float GetAlpha() const override { return mObjectAlpha; }
  void UpdateTempMatrix() override;

  int32_t GetActive() const { return mActive; }
  int32_t GetCapacity() const { return mCapacity; }
  float GetBirthInterval() const { return mBirthInterval; }
  float GetRadius() const { return mRadius; }
  const SBlikRecord& GetBlik(int i) const { return mBliki[static_cast<size_t>(i)]; }
  const zuzorev::CVertexBuffer* GetVertexBuffer() const { return mVertexBuffer; }
  const zuzorev::CMeshPoint* GetPoints() const { return mPoints; }

 private:
  void WriteVertices();

  rovovoz::CStaticObject3D* mModel = nullptr;
  zuzorev::CMeshPoint* mPoints = nullptr;
  std::vector<SBlikRecord> mBliki;
  int mDeclaration = -1;
  int mRenderSeting = -1;
  zuzorev::CVertexBuffer* mVertexBuffer = nullptr;
  zuzorev::CTexture mTexture;
  int32_t mActive = 0;
  int32_t mCapacity = 10;
  float mT = 0.3f;
  float mVisibleShare = 0.5f;
  float mBirthInterval = 0.0f;
  float mRadius = 0.0f;
  float mAlpha = 0.25f;
  float mObjectAlpha = 1.0f;
  float mMinScale = 1.0f;
  float mMaxScale = 1.0f;
  float mHighestY = 0.0f;
  float mLowestY = 0.0f;
  float mBirthTimer = 0.0f;
};
