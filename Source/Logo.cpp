#include "Logo.h"

#include <algorithm>

#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "GameLog.h"

namespace {
const wchar_t* const kSource = L"Source/Logo";
constexpr int kMaxSlides = 10;
constexpr float kScreenWidth = 1024.0f;
constexpr float kScreenHeight = 768.0f;

bool SlideExists(const std::wstring& name) {
  zorfile::CFileSystem* fs = zorfile::GetFileSystem();
  return fs && fs->FileExist(name, nullptr, 1, zorfile::kKindTextures, 0);
}
}  // namespace

Logo::Logo(float fadeInTime, float visibleTime, float fadeOutTime, int skippable)
    : mFadeInTime(fadeInTime), mVisibleTime(visibleTime), mFadeOutTime(fadeOutTime), mSkippable(skippable) {}

Logo::~Logo() {
  Release();
  mRender = nullptr;
  mInput = nullptr;
  mSlides.clear();
}

int Logo::Release() {
  for (SLogoSlide& slide : mSlides) slide.mTexture.Release(1);
  return 1;
}

int Logo::Load(const std::wstring& folder, zuzorev::CRenderSystem* render, zuzorev::CInputSystem* input) {
  Release();
  mSlides.clear();
  mRender = render;
  mInput = input;
  if (!mRender) return 0;

  for (int n = 1; n <= kMaxSlides; ++n) {
    const std::wstring base = folder + L"\\Logo00" + std::to_wstring(n);
    const std::wstring jpg = base + L".jpg";
    const std::wstring tga = base + L".tga";
    // The first number with no picture ends the list: looking for it is no
    // fault, so nothing is logged; a picture that is there but does not load
    // is named once by the render system and ends the list too.
    const bool isJpg = SlideExists(jpg);
    if (!isJpg && !SlideExists(tga)) break;
    const std::wstring& file = isJpg ? jpg : tga;
    SLogoSlide slide;
    if (mRender->LoadTextureReal(file, slide.mTexture) <= 0) break;
    if (isJpg) {
      slide.mUMax = slide.mTexture.GetUMax();
      slide.mVMax = slide.mTexture.GetVMax();
    }
    int width = 0, height = 0;
    if (mRender->GetTextureRealSize(file, width, height) > 0) {
      slide.mWidth = static_cast<float>(width);
      slide.mHeight = static_cast<float>(height);
    }
    mSlides.push_back(std::move(slide));
  }

  mDeclarationId = mRender->GetDeclarationID(L"XYZDiffuseTex1");
  if (mDeclarationId < 0) {
    gamelog::Error(kSource, __LINE__, L"No find declaration XYZDiffuseTex1");
    return 0;
  }
  mRenderSetingId = mRender->GetRenderSetingID(L"MT_TEXTURE_ALPHA_LOGO");
  if (mRenderSetingId < 0) {
    gamelog::Error(kSource, __LINE__, L"No find render setings MT_TEXTURE_ALPHA_LOGO");
    return 0;
  }
  mSlideIndex = 0;
  mPhase = kFadingIn;
  mPhaseTime = 0.0f;
  mAlpha = 0.0f;
  BuildQuad();
  return 1;
}

void Logo::BuildQuad() {
  if (IsFinished()) return;
  const SLogoSlide& slide = mSlides[static_cast<size_t>(mSlideIndex)];
  float w = slide.mWidth, h = slide.mHeight;
  const float textureWidth = static_cast<float>(slide.mTexture.GetWidth());
  const float textureHeight = static_cast<float>(slide.mTexture.GetHeight());
  if (h == 0.0f || h > textureHeight) h = textureHeight;
  if (w == 0.0f || w > textureWidth) w = textureWidth;
  // A slide larger than the virtual screen is shrunk to fit, keeping its shape.
  if (w > kScreenWidth || h > kScreenHeight) {
    const float k = std::min(kScreenWidth / w, kScreenHeight / h);
    w *= k;
    h *= k;
  }
  const float x = w / 2.0f, z = h / 2.0f;
  const float u = slide.mUMax, v = slide.mVMax;
  mQuad[0] = zuzorev::SVertex{-x, 0.0f, -z, 0xFFFFFFFFu, 0.0f, v};
  mQuad[1] = zuzorev::SVertex{x, 0.0f, -z, 0xFFFFFFFFu, u, v};
  mQuad[2] = zuzorev::SVertex{-x, 0.0f, z, 0xFFFFFFFFu, 0.0f, 0.0f};
  mQuad[3] = zuzorev::SVertex{x, 0.0f, z, 0xFFFFFFFFu, u, 0.0f};
}

int Logo::Update(float dt, int updateInput) {
  if (IsFinished()) return 0;
  if (dt < 0.0f) dt = 0.0f;
  if (updateInput && mInput) mInput->Update();
  if (mInput && mInput->IsButton(0, zuzorev::kInputDown) && mSkippable && mPhase != kFadingOut) {
    mPhase = kFadingOut;
    mPhaseTime = 0.0f;
    mAlpha = 1.0f;
  }

  if (mPhase == kFadingIn) {
    mPhaseTime += dt;
    if (mPhaseTime < mFadeInTime) {
      const float k = mPhaseTime / mFadeInTime;
      mAlpha = k * k;
    } else {
      mPhase = kVisible;
      mPhaseTime = 0.0f;
      mAlpha = 1.0f;
    }
  }
  if (mPhase == kVisible) {
    mPhaseTime += dt;
    if (mPhaseTime >= mVisibleTime) {
      mPhase = kFadingOut;
      mPhaseTime = 0.0f;
      mAlpha = 1.0f;
    }
  }
  if (mPhase == kFadingOut) {
    mPhaseTime += dt;
    if (mPhaseTime < mFadeOutTime) {
      const float k = mPhaseTime / mFadeOutTime;
      mAlpha = 1.0f - k * k;
    } else {
      ++mSlideIndex;
      mAlpha = 0.0f;
      mPhase = kFadingIn;
      mPhaseTime = 0.0f;
      BuildQuad();
    }
  }

  if (IsFinished()) return 0;
  const uint32_t colour = static_cast<uint32_t>(mAlpha * 254.0f) << 24 | 0x00FFFFFFu;
  for (zuzorev::SVertex& vertex : mQuad) vertex.color = colour;
  return 1;
}

int Logo::Render(int insideFrame) {
  if (IsFinished()) return 0;
  if (!mRender) return 1;
  auto draw = [this]() {
    mRender->SetTransformIdentity();
    mRender->SetMaterial(zuzorev::SMaterial{});
    mRender->BindDeclaration(mDeclarationId);
    mRender->BindRenderSeting(mRenderSetingId, 1, 0);
    mRender->BindTexture(0, mSlides[static_cast<size_t>(mSlideIndex)].mTexture);
    mRender->DrawPrimitiveUP(zuzorev::kPrimTriangleStrip, 2, mQuad, static_cast<int>(sizeof(zuzorev::SVertex)));
  };
  if (insideFrame) {
    draw();
  } else if (mRender->TestCooperativeLevel() >= 0 && mRender->Clear() > 0 && mRender->Begin() > 0) {
    draw();
    mRender->End();
  }
  return 1;
}
