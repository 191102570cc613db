#include "Objects/Fire.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Objects/ObjectSupport.h"
#include "Platform/Random.h"

namespace {

constexpr const wchar_t* kSource = L"Source/Objects/Fire";
constexpr uint32_t kLockNoSysLock = 0x800;
// A cell cools in a step only when its draw has none of these bits.
constexpr int kCoolMask = 0x311;

int32_t Below0(int32_t v) { return v < 0 ? 0 : v; }

}  // namespace

CFire::CFire(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {
  mRender = objects::RenderOf(core);
}

CFire::~CFire() { Release(0); }

int32_t CFire::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t) {
  if (!objects::ReadModelSource(kSource, __LINE__, mRender, properties, modelFile, L"No_find attribute NameModel",
                                mModelFile, mModelName))
    return objects::kLoadFail;
  zuzorev::CMesh* mesh = mRender->LoadMesh(mModelFile, mModelName, 3);
  if (!mesh) {
    objects::Error(kSource, __LINE__, L"Load mesh for fire");
    return objects::kLoadFail;
  }
  SFireParams params;
  const zuzorev::SAABBox box = mesh->GetBox();
  const zormath::Mat4f& transform = mesh->GetTransform();
  params.Position = zormath::Vec3f(transform(3, 0), transform(3, 1), transform(3, 2));
  params.Corner[0] = zormath::Vec3f(box.Min.x, box.Min.y, box.Max.z);
  params.Corner[1] = zormath::Vec3f(box.Max.x, box.Max.y, box.Max.z);
  params.Corner[2] = zormath::Vec3f(box.Min.x, box.Min.y, box.Min.z);
  params.Corner[3] = zormath::Vec3f(box.Max.x, box.Max.y, box.Min.z);
  delete mesh;

  objects::ReadFloat(properties, "DeltaTime", params.StepPeriod);
  if (!(params.StepPeriod > 0.0f)) params.StepPeriod = 0.1f;
  objects::ReadInt(properties, "TSizeX", params.Width);
  objects::ReadInt(properties, "TSizeY", params.Height);
  // Below 17 the grid is 16; above the largest size we make, that size.
  params.Width = params.Width < 17 ? kMinSize : std::min(params.Width, kMaxSize);
  params.Height = params.Height < 17 ? kMinSize : std::min(params.Height, kMaxSize);
  objects::ReadFloat(properties, "KoefRand", params.KoefRand);
  if (!(params.KoefRand > 0.0f)) params.KoefRand = 0.1f;
  objects::ReadInt(properties, "KoefUgasanie", params.Decay);
  if (params.Decay < 1) params.Decay = 1;
  objects::ReadFloat(properties, "Alpha", params.Alpha);
  params.Alpha = zormath::Clamp(params.Alpha, 0.0f, 1.0f);
  objects::ReadText(properties, "NameRender", params.RenderName);
  objects::ReadText(properties, "TexturePalitra", params.PaletteName);
  params.BuiltInPalette = 1;

  if (CreateFireTexture(params) == 0) {
    objects::Error(kSource, __LINE__, L"Init fire from xml.");
    return objects::kLoadFail;
  }
  return 0;
}

std::vector<uint32_t> CFire::BuiltInPalette() {
  // Dark red rising to yellow: red climbs from the first lit entry, green
  // only in the top third, so the hottest cells burn yellow-white.
  std::vector<uint32_t> palette(kBuiltInPaletteSize, 0u);
  for (int i = 10; i < kBuiltInPaletteSize - 1; ++i) {
    const int red = std::min(254, static_cast<int>(90.0f + 1.58f * static_cast<float>(i - 10)));
    const int green = i >= 66 ? std::min(254, static_cast<int>(7.28f * static_cast<float>(i - 66))) : 0;
    const int blue = i >= 90 ? (i - 90) * 12 : 0;
    const int alpha = std::min(255, 40 + (i - 10) * 4);
    palette[static_cast<size_t>(i)] = static_cast<uint32_t>(alpha) << 24 | static_cast<uint32_t>(red) << 16 |
                                      static_cast<uint32_t>(green) << 8 | static_cast<uint32_t>(blue);
  }
  palette[kBuiltInPaletteSize - 1] = palette[kBuiltInPaletteSize - 2];
  return palette;
}

int32_t CFire::CreateFireTexture(const SFireParams& params) {
  if (!mRender) {
    objects::Error(kSource, __LINE__, L"Null render system.");
    return 0;
  }
  if (params.Width < kMinSize || params.Height < kMinSize || params.Width > kMaxSize || params.Height > kMaxSize)
    return 0;
  delete mTexture;
  mTexture = mRender->CreateTexture(params.Width, params.Height, 1, 0, zuzorev::kFormatA8R8G8B8, 1);
  if (!mTexture) {
    objects::Error(kSource, __LINE__, L"Create texture fire");
    return 0;
  }
  mW = params.Width;
  mH = params.Height;
  mKoefRand = params.KoefRand;

  // The top edge stops short of v = 1 so the texture never wraps onto it.
  const float uv[4][2] = {{0.0f, 0.99f}, {1.0f, 0.99f}, {0.0f, 0.0f}, {1.0f, 0.0f}};
  for (int k = 0; k < 4; ++k)
    mQuad[k] = zuzorev::SVertexTex{params.Corner[k].x, params.Corner[k].y, params.Corner[k].z, uv[k][0], uv[k][1]};

  int32_t builtIn = params.BuiltInPalette;
  mPalette.clear();
  if (!params.PaletteName.empty()) {
    zuzorev::CTexture picture;
    zuzorev::SSurfaceDesc desc;
    if (mRender->LoadTexture(params.PaletteName, picture, 1, 0) < 0) {
      builtIn = 1;
    } else if (picture.GetLevelDesc(0, desc) >= 0 && desc.Format == zuzorev::kFormatA8R8G8B8) {
      zuzorev::SLockedRect locked;
      if (picture.LockRect(0, locked, 0) >= 0) {
        const auto* bits = static_cast<const uint8_t*>(locked.pBits);
        mPalette.resize(static_cast<size_t>(desc.Width) * static_cast<size_t>(desc.Height));
        for (int32_t y = 0; y < desc.Height; ++y)
          std::memcpy(&mPalette[static_cast<size_t>(y) * static_cast<size_t>(desc.Width)],
                      bits + static_cast<size_t>(y) * static_cast<size_t>(locked.Pitch),
                      static_cast<size_t>(desc.Width) * 4);
        picture.UnlockRect(0);
        builtIn = 0;
      }
    }
    picture.Release();
  }
  if (builtIn) mPalette = BuiltInPalette();
  if (mPalette.empty()) return 0;

  const size_t cells = static_cast<size_t>(mW) * static_cast<size_t>(mH);
  mHeat.assign(cells, 0);
  mColors.assign(cells, 0u);
  Upload();

  mPeriod = params.StepPeriod;
  mClock = 0.0f;
  mDecay = params.Decay;

  mRenderSeting = mRender->GetRenderSetingID(params.RenderName);
  if (mRenderSeting == -1) {
    objects::Error(kSource, __LINE__, L"No find render seting %s", params.RenderName.c_str());
    return 0;
  }
  mDeclaration = mRender->GetDeclarationID(L"XYZTex1");
  if (mDeclaration == -1) {
    objects::Error(kSource, __LINE__, L"No find declaration XYZTex1");
    return 0;
  }
  mMaterial = zuzorev::SMaterial{};
  mMaterial.Diffuse = {1.0f, 1.0f, 1.0f, params.Alpha};
  mMaterial.Ambient = {1.0f, 1.0f, 1.0f, params.Alpha};

  mOrientation = zormath::Mat4f::Identity();
  mScale = zormath::Vec3f(1.0f, 1.0f, 1.0f);
  mPosition = params.Position;
  UpdateTempMatrix();
  return 1;
}

void CFire::Step() {
  const int32_t w = mW;
  const int32_t cells = mW * mH;
  const int32_t top = static_cast<int32_t>(mPalette.size()) - 1;
  const uint32_t* palette = mPalette.data();
  int32_t* heat = mHeat.data();
  uint32_t* colors = mColors.data();

  // The seed band: 16 cells of row 2 around the middle.
  for (int32_t x = w / 2 - 8; x <= w / 2 + 7; ++x) {
    if (Platform::RandomFloat() < mKoefRand) {
      heat[x + 2 * w] = top;
      colors[x + 2 * w] = palette[top];
    }
  }
  // In place: heat carried to later cells is looked at again in this pass.
  for (int32_t i = 0; i < cells; ++i) {
    const int q = Platform::Random();
    if ((q & kCoolMask) != 0 || heat[i] < 1) continue;
    const int32_t h = Below0(heat[i] - mDecay);
    heat[i] = h;
    colors[i] = palette[h];
    auto set = [&](int32_t cell, int32_t value) {
      heat[cell] = value;
      colors[cell] = palette[value];
    };
    if (i >= w) set(i - w, h);
    if (i < cells - 2 * w) set(i + w, h);
    if (i < cells - 3 * w) set(i + 2 * w, h);
    if (i % w != 0) set(i - 1, Below0(h - 3));
    if ((i + 1) % w != 0 && (i + 2) % w != 0) set(i + 1, Below0(h - 3));
  }
}

int32_t CFire::Update(float dt, rovovoz::CMouseCursor*) {
  if (mHeat.empty() || mColors.empty() || mPalette.empty()) return 0;
  // A frame time that is no number would stop the clock for good.
  if (!std::isfinite(dt)) return 0;
  mClock += dt;
  int steps = 0;
  while (mClock >= mPeriod) {
    mClock -= mPeriod;
    Step();
    ++mStepCount;
    if (++steps == kMaxStepsPerUpdate) {
      mClock = 0.0f;
      break;
    }
  }
  if (steps > 0) Upload();
  return 0;
}

void CFire::CopyRows(const uint32_t* grid, int32_t w, int32_t h, uint8_t* bits, int32_t pitch) {
  const size_t row = static_cast<size_t>(w) * 4;
  for (int32_t y = 0; y < h; ++y)
    std::memcpy(bits + static_cast<size_t>(y) * static_cast<size_t>(pitch), grid + static_cast<size_t>(y) * w, row);
}

void CFire::Upload() {
  if (!mTexture) return;
  zuzorev::SLockedRect locked;
  if (mTexture->LockRect(0, locked, kLockNoSysLock) < 0) return;
  // A device may pad its rows: copied row by row.
  if (locked.Pitch >= mW * 4)
    CopyRows(mColors.data(), mW, mH, static_cast<uint8_t*>(locked.pBits), locked.Pitch);
  mTexture->UnlockRect(0);
}

int32_t CFire::Render() {
  if (!mRender || !mTexture) return 0;
  ApplyTransform(GetTempMatrix3D());
  mRender->SetMaterial(mMaterial);
  mRender->BindDeclaration(mDeclaration);
  mRender->BindRenderSeting(mRenderSeting, 1, 0);
  mRender->BindTexture(0, mTexture);
  mRender->DrawPrimitiveUP(zuzorev::kPrimTriangleStrip, 2, mQuad, static_cast<int>(sizeof(zuzorev::SVertexTex)));
  return 0;
}

int32_t CFire::Release(uint32_t flags) {
  mHeat.clear();
  mColors.clear();
  mPalette.clear();
  delete mTexture;
  mTexture = nullptr;
  mModelFile.clear();
  mModelName.clear();
  return rovovoz::CBaseGeometryObject::Release(flags);
}

void CFire::LoadTransformForMesh() {
  rovovoz::CBaseGeometryObject::LoadTransformForMesh();
  if (mModelFile.empty() || mModelName.empty() || !mRender) return;
  zuzorev::CMesh* mesh = mRender->LoadMesh(mModelFile, mModelName, 3);
  if (!mesh) {
    objects::Error(kSource, __LINE__, L"Load mesh for fire");
    return;
  }
  SetLocationMatrix3D(mesh->GetTransform());
  delete mesh;
}

void CFire::SetAlpha(float alpha) {
  if (!(alpha >= 0.0f && alpha <= 1.0f)) return;
  mMaterial.Diffuse.a = alpha;
  mMaterial.Ambient.a = alpha;
}

int32_t CFire::SetDecay(int32_t decay) {
  if (decay >= 1 && decay < 50) mDecay = decay;
  return decay;
}

zormath::Vec3f CFire::GetFireCenter() const {
  return zormath::Vec3f(mQuad[0].x + (mQuad[1].x - mQuad[0].x) * 0.5f + mPosition.x, mPosition.y,
                        mQuad[2].z + mPosition.z);
}
