#include "Engine/zuzorev/Font.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>

#include <cmath>

#include "Platform/Strings.h"

namespace zuzorev {

CFont::~CFont() { Release(); }

void CFont::Release() {
  mCache.clear();
  mEffectCache.clear();
  if (mEffectFont) TTF_CloseFont(mEffectFont);
  if (mFont) TTF_CloseFont(mFont);
  mFont = mEffectFont = nullptr;
  mBytes.reset();
  mName.clear();
  mHeight = 0;
}

bool CFont::Open(const std::wstring& name, std::shared_ptr<const std::string> fileBytes, int height, int bold,
                 float rasterScale, EFontEffect effect, int effectSize) {
  Release();
  if (!fileBytes || fileBytes->empty() || height <= 0 || height > 1000 || !TTF_WasInit()) return false;
  if (rasterScale < 0.25f || rasterScale > 8.0f) rasterScale = 1.0f;
  const int pixels = static_cast<int>(std::lround(height * rasterScale));
  auto open = [&]() -> TTF_Font* {
    SDL_RWops* rw = SDL_RWFromConstMem(fileBytes->data(), static_cast<int>(fileBytes->size()));
    return rw ? TTF_OpenFontRW(rw, 1, pixels > 0 ? pixels : 1) : nullptr;
  };
  mFont = open();
  if (!mFont) return false;
  if (bold) TTF_SetFontStyle(mFont, TTF_STYLE_BOLD);
  mEffect = effect;
  mEffectSize = effectSize > 0 ? effectSize : 1;
  if (effect == EFontEffect::Outline) {
    mEffectFont = open();
    if (mEffectFont) {
      if (bold) TTF_SetFontStyle(mEffectFont, TTF_STYLE_BOLD);
      TTF_SetFontOutline(mEffectFont, static_cast<int>(std::lround(mEffectSize * rasterScale)));
    }
  }
  mBytes = std::move(fileBytes);
  mName = name;
  mHeight = height;
  mRasterScale = rasterScale;
  return true;
}

int CFont::GetMaxHChar() const {
  if (!mFont) return 0;
  return static_cast<int>(std::lround(TTF_FontHeight(mFont) / mRasterScale * mScaleY));
}

int CFont::GetLineHeight() const {
  if (!mFont) return 0;
  return static_cast<int>(std::lround(TTF_FontLineSkip(mFont) / mRasterScale * mScaleY)) + mIntervalY - 1;
}

int CFont::GetTextWidth(const std::wstring& text) const {
  if (!mFont || text.empty()) return 0;
  int w = 0, h = 0;
  if (TTF_SizeUTF8(mFont, Platform::WideToUtf8(text).c_str(), &w, &h) != 0) return 0;
  return static_cast<int>(std::lround(w / mRasterScale * mScaleX));
}

}  // namespace zuzorev
