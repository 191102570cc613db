#pragma once
// A fire drawn as a texture that burns by itself: a grid of heat cells is
// lit in a short band near its bottom, cools at random and spreads upwards;
// each cell's heat picks a colour of a palette (a palette picture or the
// built-in flame ramp), and the coloured grid is copied into a texture on a
// flat quad over the box of a model of the scene.
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/zormath/Math.h"
#include "Engine/zuzorev/RenderTypes.h"

namespace zuzorev {
class CRenderSystem;
class CTexture;
}  // namespace zuzorev

// What Load reads and CreateFireTexture builds from.
struct SFireParams {
  zormath::Vec3f Position;
  zormath::Vec3f Corner[4];  // top left, top right, bottom left, bottom right
  float StepPeriod = 0.1f;
  int32_t BuiltInPalette = 1;
  int32_t Width = 16;
  int32_t Height = 16;
  float KoefRand = 0.1f;
  std::wstring RenderName = L"MT_FIRE";
  int32_t Decay = 1;
  float Alpha = 1.0f;
  std::wstring PaletteName;
};

class CFire : public rovovoz::CBaseGeometryObject {
 public:
  // Entries of the built-in palette.
  static constexpr int kBuiltInPaletteSize = 100;
  // The narrowest and lowest grid; the widest and tallest one we make.
  static constexpr int32_t kMinSize = 16;
  static constexpr int32_t kMaxSize = 1024;
  // Steps one Update runs at most; the rest of a long frame is dropped.
  static constexpr int kMaxStepsPerUpdate = 5;

  explicit CFire(rovovoz::CGameCore* core);
  ~CFire() override;
  CFire(const CFire&) = delete;
  CFire& operator=(const CFire&) = delete;

  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  using rovovoz::CBaseGeometryObject::Load;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  void LoadTransformForMesh() override;
  // Only 0 .. 1 is taken.
  void SetAlpha(float alpha) override;
  float GetAlpha() const override { return mMaterial.Diffuse.a; }

  // The texture, palette and grids of the record. 1 success, 0 failure.
  virtual int32_t CreateFireTexture(const SFireParams& params);
  // 1 .. 49 becomes the heat a cooling cell loses; other values are ignored.
  virtual int32_t SetDecay(int32_t decay);
  // The middle of the quad's bottom edge in the scene.
  virtual zormath::Vec3f GetFireCenter() const;

  // Copies a w x h grid of texels into locked memory whose rows lie pitch
  // bytes apart.
  static void CopyRows(const uint32_t* grid, int32_t w, int32_t h, uint8_t* bits, int32_t pitch);
  // The flame ramp used without a palette picture.
  static std::vector<uint32_t> BuiltInPalette();

  int32_t GetWidth() const { return mW; }
  int32_t GetHeight() const { return mH; }
  int32_t GetDecay() const { return mDecay; }
  float GetStepPeriod() const { return mPeriod; }
  float GetKoefRand() const { return mKoefRand; }
  float GetStepClock() const { return mClock; }
  // Cellular steps run since the fire was made.
  long long GetStepCount() const { return mStepCount; }
  const std::vector<int32_t>& GetHeat() const { return mHeat; }
  const std::vector<uint32_t>& GetColors() const { return mColors; }
  const std::vector<uint32_t>& GetPalette() const { return mPalette; }
  zuzorev::CTexture* GetTexture() const { return mTexture; }
  const zuzorev::SVertexTex* GetQuad() const { return mQuad; }
  int GetRenderSetingID() const { return mRenderSeting; }

 private:
  void Step();
  void Upload();

  zuzorev::CRenderSystem* mRender = nullptr;
  zuzorev::SVertexTex mQuad[4];
  zuzorev::CTexture* mTexture = nullptr;
  std::vector<int32_t> mHeat;
  std::vector<uint32_t> mColors;
  std::vector<uint32_t> mPalette;
  float mPeriod = 0.0f;
  float mClock = 0.0f;
  int32_t mW = 0;
  int32_t mH = 0;
  float mKoefRand = 0.0f;
  int32_t mDecay = 1;
  int mRenderSeting = -1;
  int mDeclaration = -1;
  zuzorev::SMaterial mMaterial;
  std::wstring mModelFile;
  std::wstring mModelName;
  long long mStepCount = 0;
};
