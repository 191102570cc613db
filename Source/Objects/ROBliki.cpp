#include "Objects/ROBliki.h"

#include <cmath>
#include <cstring>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Objects/ObjectSupport.h"
#include "Platform/Random.h"

namespace {

constexpr const wchar_t* kSource = L"Source/Objects/ROBliki";
constexpr uint32_t kModelFlags = 8;
constexpr uint32_t kPointFlags = 0x0FFFFFFF;
// Far more highlights than any point set asks for would only eat memory.
constexpr int32_t kMaxCapacity = 65536;
// Births handled in one update at most; a frame longer than that many
// birth intervals drops the rest of its time.
constexpr int kMaxBirthsPerUpdate = 4096;
constexpr int kPrimitiveTriangleList = 4;
constexpr uint32_t kSpriteColor = 0x00FFFFFFu;
constexpr int kStateSpecular = 29;
constexpr int kStateLighting = 137;

// Texture coordinates and the corner of each of the six vertices.
constexpr float kU[CROBliki::kVerticesPerBlik] = {0, 0, 1, 1, 1, 0};
constexpr float kV[CROBliki::kVerticesPerBlik] = {0, 1, 1, 1, 0, 0};
constexpr float kSideX[CROBliki::kVerticesPerBlik] = {1, 1, -1, -1, -1, 1};
constexpr float kSideZ[CROBliki::kVerticesPerBlik] = {1, -1, -1, -1, 1, 1};

// The point file beside a model file: its last letter made P.
std::wstring PointFileOf(const std::wstring& modelFile) {
  std::wstring file = modelFile;
  if (!file.empty()) file.back() = L'P';
  return file;
}

void PutFloat(uint8_t* at, float value) { std::memcpy(at, &value, sizeof value); }
void PutColor(uint8_t* at, uint32_t value) { std::memcpy(at, &value, sizeof value); }

}  // namespace

CROBliki::CROBliki(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

CROBliki::~CROBliki() { Release(0); }

int32_t CROBliki::Load(uint32_t flags) {
  mBirthTimer = 0.0f;
  if (mModel) {
    mModel->Load(flags);
    if (const zuzorev::CTexture* texture = mModel->GetMesh()->GetTexture(0, 0)) mTexture = *texture;
  }
  return 1;
}

int32_t CROBliki::UnLoad(uint32_t flags) { return mModel ? mModel->UnLoad(flags) : 1; }

int32_t CROBliki::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) {
  // Loaded again: what the last load made is let go first.
  Release(0);
  zuzorev::CRenderSystem* render = objects::RenderOf(mCore);
  std::wstring name;
  if (objects::ReadText(properties, "NameModel", name)) {
    mModel = objects::LoadStaticModel(mCore, objects::TextOr(properties, "FileModel", modelFile), name,
                                      flags | kModelFlags);
    std::wstring spline;
    objects::ReadText(properties, "NameSpline", spline);
    mPoints = new zuzorev::CMeshPoint();
    const std::wstring pointFile = objects::TextOr(properties, "FileModelP", PointFileOf(modelFile));
    if (!render || render->LoadMesh(pointFile, *mPoints, spline, kPointFlags, 0) < 0) {
      delete mPoints;
      mPoints = nullptr;
    }
  }
  if (mModel) {
    mModel->SetRender2D(0);
    mModel->GetMesh()->SetAllSmooth(0);
  }
  objects::ReadFloat(properties, "T", mT);
  if (objects::ReadFloat(properties, "ProcentVisible", mVisibleShare)) mVisibleShare /= 100.0f;
  objects::ReadFloat(properties, "Alpha", mAlpha);
  objects::ReadFloat(properties, "MinScale", mMinScale);
  objects::ReadFloat(properties, "MaxScale", mMaxScale);
  mActive = 0;
  // A highlight that never ages out would never let another be born.
  if (!(mT > 0.0f))
    objects::Error(kSource, __LINE__, L"ROBliki T = %f: a highlight must live above 0 s, none is born",
                   static_cast<double>(mT));

  if (mPoints) {
    const int count = mPoints->GetCountPoint();
    const float wanted = static_cast<float>(count) * mVisibleShare;
    mCapacity = wanted > 0.0f ? static_cast<int32_t>(std::fmin(wanted, static_cast<float>(kMaxCapacity))) : 0;
    for (int i = 0; i < count; ++i) {
      const float y = mPoints->GetPoint(i, 0).y;
      if (i == 0 || y > mHighestY) mHighestY = y;
      if (i == 0 || y < mLowestY) mLowestY = y;
    }
  }
  mBliki.assign(static_cast<size_t>(mCapacity), SBlikRecord{});
  const float perLife = static_cast<float>(mCapacity) * mVisibleShare;
  mBirthInterval = mT > 0.0f && perLife > 0.0f ? mT / perLife : 0.0f;
  if (render) {
    mDeclaration = render->GetDeclarationID(L"XYZDiffuseTex1");
    mRenderSeting = render->GetRenderSetingID(L"MT_PARTICLE");
  }
  if (mModel) {
    const zuzorev::SAABBox box = mModel->GetAABBox(1);
    mRadius = (box.Max.z - box.Min.z) * 0.5f;
  }
  if (render && mCapacity > 0) {
    mVertexBuffer = render->CreateVertexBuffer(static_cast<uint32_t>(mCapacity) * kVerticesPerBlik * kVertexSize,
                                               kVertexSize, 0, kVertexFormat, 1);
    if (mVertexBuffer) {
      uint8_t* bytes = mVertexBuffer->MutableBytes();
      for (int i = 0; i < mCapacity * kVerticesPerBlik; ++i) {
        const int k = i % kVerticesPerBlik;
        PutFloat(bytes + i * kVertexSize + 16, kU[k]);
        PutFloat(bytes + i * kVertexSize + 20, kV[k]);
      }
    }
  }
  return 0;
}

int32_t CROBliki::Update(float dt, rovovoz::CMouseCursor*) {
  for (int i = mActive - 1; i >= 0; --i) {
    SBlikRecord& blik = mBliki[static_cast<size_t>(i)];
    blik.mAge += dt;
    if (blik.mAge > mT) {
      std::swap(blik, mBliki[static_cast<size_t>(mActive - 1)]);
      --mActive;
    }
  }
  mBirthTimer += dt;
  const float perLife = static_cast<float>(mCapacity) * mVisibleShare;
  const int pointCount = mPoints ? mPoints->GetCountPoint() : 0;
  if (mT > 0.0f && perLife > 0.0f) {
    mBirthInterval = mT / perLife;
    int births = 0;
    while (mBirthTimer > mBirthInterval) {
      if (++births > kMaxBirthsPerUpdate) {
        mBirthTimer = std::fmod(mBirthTimer, mBirthInterval);
        break;
      }
      mBirthTimer -= mBirthInterval;
      if (pointCount <= 0) continue;
      const zormath::Vec3f point = mPoints->GetPoint(Platform::Random() % pointCount, 1);
      if (mActive < mCapacity) mBliki[static_cast<size_t>(mActive++)] = SBlikRecord{point, 0.0f};
    }
  }
  if (!std::isfinite(mBirthTimer)) mBirthTimer = 0.0f;
  if (mActive > 0) WriteVertices();
  return 0;
}

void CROBliki::WriteVertices() {
  if (!mVertexBuffer) return;
  const zormath::Mat4f& world = GetWorldMatrix3D();
  const float worldX = world(3, 0);
  const float worldZ = world(3, 2);
  const bool scaled = mMaxScale - mMinScale > 0.01f && std::fabs(mHighestY - mLowestY) > 0.01f;
  uint8_t* bytes = mVertexBuffer->MutableBytes();
  for (int i = 0; i < mActive; ++i) {
    const SBlikRecord& blik = mBliki[static_cast<size_t>(i)];
    const float f = blik.mAge / mT;
    float s = mMinScale;
    if (scaled) {
      float g = (blik.mPosition.y - mLowestY) / (mHighestY - mLowestY);
      g = g < 0.0f ? 0.0f : (g > 1.0f ? 1.0f : g);
      s = (1.0f - g) * mMinScale + mMaxScale * g;
    }
    const float h = s * mRadius;
    // Brightest at half its life.
    const float b = f * (1.0f - f) * 4.0f * mAlpha * mObjectAlpha;
    uint32_t alpha = 0;
    if (b >= 1.0f)
      alpha = 255;
    else if (b > 0.0f)
      alpha = static_cast<uint32_t>(b * 255.0f + 0.5f);
    // The sprite keeps its texture's colour: our particle setting multiplies
    // the texture by the vertex colour, so the colour is white and only its
    // alpha carries the brightness.
    const uint32_t color = (alpha << 24) | kSpriteColor;
    for (int k = 0; k < kVerticesPerBlik; ++k) {
      uint8_t* v = bytes + (i * kVerticesPerBlik + k) * kVertexSize;
      PutFloat(v, blik.mPosition.x + worldX + kSideX[k] * h);
      PutFloat(v + 4, blik.mPosition.y);
      PutFloat(v + 8, blik.mPosition.z + worldZ + kSideZ[k] * h);
      PutColor(v + 12, color);
    }
  }
}

int32_t CROBliki::Render() {
  zuzorev::CRenderSystem* render = objects::RenderOf(mCore);
  if (mActive <= 0 || !render || !mVertexBuffer) return 0;
  render->SetTransformIdentity();
  render->BindDeclaration(mDeclaration);
  render->BindRenderSeting(mRenderSeting, 1, 0);
  render->SetVertexBuffer(0, mVertexBuffer, 0);
  render->SetRenderState(kStateSpecular, 0);
  render->BindTexture(0, mTexture);
  render->DrawPrimitive(kPrimitiveTriangleList, 0, mActive * 2);
  render->SetRenderState(kStateLighting, 1);
  return 0;
}

int32_t CROBliki::Release(uint32_t) {
  delete mModel;
  mModel = nullptr;
  delete mPoints;
  mPoints = nullptr;
  mBliki.clear();
  mActive = 0;
  if (mVertexBuffer) mVertexBuffer->Release(0);
  delete mVertexBuffer;
  mVertexBuffer = nullptr;
  mTexture.Release(1);
  return 0;
}

void CROBliki::UpdateTempMatrix() {
  rovovoz::CBaseGeometryObject::UpdateTempMatrix();
  if (mModel) mModel->SetWorldMatrix3D(GetWorldMatrix3D());
}
