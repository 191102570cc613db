// The extras' guide: numbered pages of text with up to three screenshots
// that grow to full size on a click, and a contents view of chapters.
#include <algorithm>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/rovovoz/TextManager.h"
#include "Engine/rovovoz/TriangleObject3D.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Interface/ExtrasMenu.h"
#include "Interface/InterfaceHelpers.h"
#include "Platform/Format.h"
#include "PlayerRecord.h"

namespace {
// Opened from the main menu the page widgets stand this much higher than
// laid out (the tab buttons take the window's top).
constexpr float kMainMenuLift = 63.0f;

// Runs fn with the widget lifted by h on Z, then puts it back.
template <class Fn>
void Lifted(rovovoz::CGUIBaseObject* widget, float h, Fn fn) {
  if (!widget) return;
  const zormath::Vec3f at = widget->GetPosition3D();
  widget->SetPosition3D(at.x, at.y, at.z + h);
  fn(widget);
  widget->SetPosition3D(at);
}
}  // namespace

int CExtrasMenu::LastPage() const {
  return std::min(mPageCount, static_cast<int>(mPages.size())) - 1;
}

void CExtrasMenu::LoadGuidePage() {
  // The page list may be shorter than the pages the arrows and chapters
  // assume, or empty: the page shown stays inside it.
  mPage = std::clamp(mPage, 0, std::max(LastPage(), 0));
  if (mPageNumber) mPageNumber->SetText(Platform::FormatWide(L"%i", mPage + 1));
  mScreenHighlight = {};
  mScreenHovered = {};
  mScreenZoom = 0.0f;
  mScreenZoomState = 0;
  if (mPages.empty()) {
    if (mGuideText) mGuideText->SetText(L"");
    return;
  }
  const SGuidePage& page = mPages[static_cast<size_t>(mPage)];
  rovovoz::CTextManager* texts = GetCore() ? GetCore()->GetTextManager() : nullptr;
  if (mGuideText) mGuideText->SetText(texts ? texts->GetText(L"k_guide", page.mTextKey) : page.mTextKey);
  zuzorev::CRenderSystem* render = GetCore() ? GetCore()->GetRender() : nullptr;
  for (size_t j = 0; j < 3; ++j) {
    const int n = page.mScreens[j];
    if (n == 0 || !render) continue;
    mScreenTextures[j].Release();
    render->LoadTexture(Platform::FormatWide(L"scr%.3d.jpg", n), mScreenTextures[j], 1, 0);
    if (mScreenSmall[j]) mScreenSmall[j]->GetMesh()->SetTexture(0, 0, mScreenTextures[j]);
  }
}

void CExtrasMenu::UpdateGuide(float dt, rovovoz::CMouseCursor* cursor) {
  const float h = mOpenMode == 0 ? kMainMenuLift : 0.0f;
  const int last = LastPage();
  auto clickedLifted = [&](rovovoz::CGUIBaseObject* w) {
    bool clicked = false;
    Lifted(w, h, [&](rovovoz::CGUIBaseObject* b) { clicked = ui::UpdateAndClick(b, dt, cursor); });
    return clicked;
  };
  if (clickedLifted(mLeftButton) && last >= 0) {
    if (--mPage < 0) mPage = last;
    LoadGuidePage();
  }
  if (clickedLifted(mRightButton) && last >= 0) {
    if (++mPage > last) mPage = 0;
    LoadGuidePage();
  }
  if (mGuideContents == 0 && clickedLifted(mHomeButton)) mGuideContents = 1;
  if (mGuideContents == 1) {
    for (int i = 0; i < kChapterCount; ++i) {
      if (i == kChapterCount - 1 && gCurrentPlayer.mGameFinished == 0) continue;
      if (!ui::UpdateAndClick(mChapterButtons[static_cast<size_t>(i)], dt, cursor)) continue;
      // Without the page view's widgets only the contents can be shown.
      if (!mGuideWidgetsOk || last < 0) continue;
      mGuideContents = 0;
      mPage = kChapterPages[i];
      LoadGuidePage();
    }
  }

  mScreenHovered = {};
  const SGuidePage* page = mPages.empty() ? nullptr : &mPages[static_cast<size_t>(mPage)];
  if (mScreenZoomState == 0) {
    for (size_t j = 0; j < 3 && page && cursor; ++j) {
      if (page->mScreens[j] == 0 || !mScreenTriggers[j]) continue;
      if (!mScreenTriggers[j]->PickOrthoPointY(cursor->GetPosition3D())) continue;
      mScreenHovered[j] = 1;
      if (LeftPressed()) {
        mScreenZoom = 0.0f;
        mScreenZoomState = static_cast<int>(j) + 1;
        if (mScreenBig) mScreenBig->GetMesh()->SetTexture(0, 0, mScreenTextures[j]);
      }
    }
  } else if (LeftPressed()) {
    mScreenZoomState = -mScreenZoomState;
  }
  for (size_t j = 0; j < 3 && page; ++j) {
    if (page->mScreens[j] == 0) continue;
    const float step = mScreenHovered[j] ? 5.0f * dt : -2.0f * dt;
    mScreenHighlight[j] = std::clamp(mScreenHighlight[j] + step, 0.0f, 1.0f);
  }
  if (mScreenZoomState > 0) {
    mScreenZoom = std::min(mScreenZoom + 3.0f * dt, 1.0f);
  } else if (mScreenZoomState < 0) {
    mScreenZoom -= 6.0f * dt;
    if (mScreenZoom < 0.0f) {
      mScreenZoom = 0.0f;
      mScreenZoomState = 0;
    }
  }
}

void CExtrasMenu::RenderGuide() {
  const float a = mAlpha;
  if (mGuideContents == 1 || !mGuideWidgetsOk) {
    for (rovovoz::CGUIBaseObject* b : mChapterButtons)
      if (b) b->Render();
    return;
  }
  const float h = mOpenMode == 0 ? kMainMenuLift : 0.0f;
  for (rovovoz::CGUIBaseObject* w : {mLeftButton, mRightButton, mHomeButton, mPagePlate, mPageNumber})
    Lifted(w, h, [](rovovoz::CGUIBaseObject* b) { b->Render(); });
  mGuideText->Render();
  if (mPages.empty()) return;
  const SGuidePage& page = mPages[static_cast<size_t>(mPage)];
  const int zoomed = mScreenZoomState > 0 ? mScreenZoomState - 1 : -mScreenZoomState - 1;
  for (size_t j = 0; j < 3; ++j) {
    if (!mScreenSmall[j] || page.mScreens[j] == 0 || (mScreenZoomState != 0 && zoomed == static_cast<int>(j)))
      continue;
    mScreenSmall[j]->SetAlpha(a);
    mScreenSmall[j]->Render();
    if (mScreenHighlight[j] > 0.01f) mScreenSmall[j]->RenderAsOverlay(0.5f * mScreenHighlight[j] * a);
  }
  if (mScreenZoomState == 0 || zoomed < 0 || zoomed > 2) return;
  const float z = mScreenZoom;
  if (mWindowDark) {
    mWindowDark->SetAlpha(z);
    mWindowDark->Render();
  }
  if (!mScreenBig) return;
  const float s = (1.0f - z) * 0.3f + z;
  mScreenBig->SetScaleX(s);
  mScreenBig->SetScaleZ(s);
  mScreenBig->SetPosition3D(mScreenHome[static_cast<size_t>(zoomed)] * (1.0f - z) + mScreenBigHome * z);
  mScreenBig->Render();
  if (mScreenHighlight[static_cast<size_t>(zoomed)] > 0.01f)
    mScreenBig->RenderAsOverlay(0.5f * mScreenHighlight[static_cast<size_t>(zoomed)]);
}
