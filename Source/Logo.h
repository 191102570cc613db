#pragma once
// The logo slides shown at start, one after another, each fading in,
// staying and fading out, before the loading picture. Slides are
// "<folder>\Logo00<n>.jpg" or ".tga" for n = 1 .. 10; the first gap ends the
// list. A click skips to the fade-out when the configuration allows it.
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/zuzorev/RenderTypes.h"
#include "Engine/zuzorev/Texture.h"

namespace zuzorev {
class CRenderSystem;
class CInputSystem;
}  // namespace zuzorev

struct SLogoSlide {
  zuzorev::CTexture mTexture;
  float mWidth = 0.0f;  // display size in virtual-screen units (0: the texture's)
  float mHeight = 0.0f;
  float mUMax = 1.0f;  // texture extents of the picture
  float mVMax = 1.0f;
};

class Logo {
 public:
  enum : int { kFadingIn = 1, kVisible = 0, kFadingOut = -1 };

  Logo(float fadeInTime, float visibleTime, float fadeOutTime, int skippable);
  ~Logo();
  Logo(const Logo&) = delete;
  Logo& operator=(const Logo&) = delete;

  // 1 when loaded (also with no slide at all); 0 when the engine lacks the
  // vertex declaration or the render setting the slides are drawn with.
  int Load(const std::wstring& folder, zuzorev::CRenderSystem* render, zuzorev::CInputSystem* input);
  // One step of dt seconds (updating input first when asked); 1 while a
  // slide is showing, 0 once every slide has been shown.
  int Update(float dt, int updateInput);
  // Draws the current slide, inside the caller's frame or in a frame of its
  // own; 0 once every slide has been shown.
  int Render(int insideFrame);
  // Gives the slide textures back; always 1.
  int Release();

  bool IsFinished() const { return mSlideIndex >= static_cast<int>(mSlides.size()); }
  int GetSlideCount() const { return static_cast<int>(mSlides.size()); }
  int GetSlideIndex() const { return mSlideIndex; }
  int GetPhase() const { return mPhase; }
  float GetAlpha() const { return mAlpha; }
  const zuzorev::SVertex* GetQuad() const { return mQuad; }

 private:
  void BuildQuad();

  zuzorev::SVertex mQuad[4];
  int mRenderSetingId = -1;
  int mDeclarationId = -1;
  int mSlideIndex = 0;
  int mPhase = kFadingIn;
  float mPhaseTime = 0.0f;
  float mAlpha = 0.0f;
  std::vector<SLogoSlide> mSlides;
  zuzorev::CRenderSystem* mRender = nullptr;
  zuzorev::CInputSystem* mInput = nullptr;
  float mFadeInTime;
  float mVisibleTime;
  float mFadeOutTime;
  int mSkippable;
};
