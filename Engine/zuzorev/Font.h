#pragma once
// A font made by CRenderSystem::CreateFontW from a registered TrueType
// resource (SDL2_ttf). Sizes are virtual-screen pixels; the glyphs are
// rasterised at the back buffer's scale so text stays sharp. Lines of text
// are cached as textures.
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "Engine/zuzorev/Texture.h"

typedef struct _TTF_Font TTF_Font;

namespace zuzorev {

enum class EFontEffect { None, Shadow, Outline };

class CFont {
 public:
  CFont() = default;
  ~CFont();
  CFont(const CFont&) = delete;
  CFont& operator=(const CFont&) = delete;

  void SetRenderSetingID(int id) { mSeting = id; }
  void SetShadowRenderSetingID(int id) { mShadowSeting = id; }
  void SetEffectRenderSetingID(int id) { mEffectSeting = id; }
  int GetRenderSetingID() const { return mSeting; }
  int GetShadowRenderSetingID() const { return mShadowSeting; }
  int GetEffectRenderSetingID() const { return mEffectSeting; }
  void SetScaleX(float s) { mScaleX = s; }
  void SetScaleY(float s) { mScaleY = s; }
  void SetIntervalX(int i) { mIntervalX = i; }
  void SetIntervalY(int i) { mIntervalY = i; }
  // 1: glyphs follow the back buffer's scale; 0: rasterised at virtual size.
  void SetScaleRaster(int on) { mScaleRaster = on; }
  float GetScaleX() const { return mScaleX; }
  float GetScaleY() const { return mScaleY; }
  int GetIntervalX() const { return mIntervalX; }
  int GetIntervalY() const { return mIntervalY; }
  int GetScaleRaster() const { return mScaleRaster; }

  bool IsReady() const { return mFont != nullptr; }
  const std::wstring& GetName() const { return mName; }
  int GetHeight() const { return mHeight; }
  // Height of the tallest character, virtual pixels (0 when not made).
  int GetMaxHChar() const;
  // Width of one line of text and the distance between lines, virtual pixels.
  int GetTextWidth(const std::wstring& text) const;
  int GetLineHeight() const;
  void Release();

  // Engine side.
  bool Open(const std::wstring& name, std::shared_ptr<const std::string> fileBytes, int height, int bold,
            float rasterScale, EFontEffect effect, int effectSize);
  TTF_Font* Handle() const { return mFont; }
  TTF_Font* EffectHandle() const { return mEffectFont; }
  float RasterScale() const { return mRasterScale; }
  EFontEffect Effect() const { return mEffect; }
  int EffectSize() const { return mEffectSize; }
  struct SLine {
    CTexture texture;
    int width = 0, height = 0;  // raster pixels
  };
  // Cached rendered lines (white glyphs; the draw tints them).
  std::map<std::wstring, SLine>& Cache(bool effect) { return effect ? mEffectCache : mCache; }

 private:
  std::wstring mName;
  std::shared_ptr<const std::string> mBytes;  // the TrueType file; SDL_ttf reads it lazily
  TTF_Font* mFont = nullptr;
  TTF_Font* mEffectFont = nullptr;  // outlined copy for the outline effect
  int mHeight = 0;
  float mRasterScale = 1.0f;
  EFontEffect mEffect = EFontEffect::None;
  int mEffectSize = 0;
  int mSeting = -1, mShadowSeting = -1, mEffectSeting = -1;
  float mScaleX = 1.0f, mScaleY = 1.0f;
  int mIntervalX = 1, mIntervalY = 1;
  int mScaleRaster = 1;
  std::map<std::wstring, SLine> mCache;
  std::map<std::wstring, SLine> mEffectCache;
};

}  // namespace zuzorev
