#include "Interface/ExtrasMenu.h"

#include <algorithm>

#include "AppConfig.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/rovovoz/TriangleObject3D.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/zorfile/FileSystem.h"
#include "GameLog.h"
#include "Interface/InterfaceHelpers.h"
#include "Interface/WallpaperMenu.h"
#include "Platform/Format.h"
#include "Platform/Wallpaper.h"
#include "PlayerRecord.h"

const int CExtrasMenu::kChapterPages[CExtrasMenu::kChapterCount] = {0, 2, 5, 15, 31, 50, 70, 84, 89};

namespace {
const wchar_t* const kSource = L"Source/Interface/ExtrasMenu";
const wchar_t* const kModels = L"Extras_window.ZORM";
const wchar_t* const kTriggers = L"Extras_window.ZORT";
const wchar_t* const kChapterNames[CExtrasMenu::kChapterCount] = {
    L"B_obshiePodskazki", L"B_glava1", L"B_glava2", L"B_glava3", L"B_glava4",
    L"B_glava5",          L"B_glava6", L"B_glava7", L"B_bonusniyLevel"};
constexpr int kBonusChapter = CExtrasMenu::kChapterCount - 1;

SMenuLayout ExtrasLayout() {
  SMenuLayout l;
  l.moves = false;
  l.scales = false;
  l.placeOnOpen = false;
  l.endOfClosing = kMenuEndHide;
  l.startHidden = true;
  return l;
}

bool GameFinished() { return gCurrentPlayer.mGameFinished != 0; }

void Draw(rovovoz::CGUIBaseObject* widget) {
  if (widget) widget->Render();
}

template <class T>
std::unique_ptr<T> LoadOrNothing(rovovoz::CGameCore* core, const wchar_t* file, const std::wstring& name,
                                 uint32_t flags, bool negativeFails) {
  auto model = std::make_unique<T>(core);
  const int32_t r = model->LoadModel(file, name, flags, 0);
  if (negativeFails ? r < 0 : r == 0) return nullptr;
  return model;
}
}  // namespace

CExtrasMenu::CExtrasMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent)
    : CMenuFrame(core, parent, ExtrasLayout()) {
  mEsc = EEsc::None;
  mConcepts.resize(static_cast<size_t>(mConceptCount));
  mWallpapers.resize(static_cast<size_t>(mWallpaperCount));
  mConcept.pictures = &mConcepts;
  mWallpaper.pictures = &mWallpapers;
}

CExtrasMenu::~CExtrasMenu() {
  for (zuzorev::CTexture& t : mScreenTextures) t.Release();
}

int32_t CExtrasMenu::Release(uint32_t flags) {
  mConcepts.clear();
  mConcepts.resize(static_cast<size_t>(mConceptCount));
  mWallpapers.clear();
  mWallpapers.resize(static_cast<size_t>(mWallpaperCount));
  for (auto& m : mScreenSmall) m.reset();
  for (auto& m : mScreenTriggers) m.reset();
  mScreenBig.reset();
  mPages.clear();
  return CMenuFrame::Release(flags);
}

SGuidePage CExtrasMenu::ReadPage(const TiXmlElement* page) {
  SGuidePage p;
  p.mTextKey = ValueUtf8(FindUpper(page, "Text"));
  if (static_cast<int>(p.mTextKey.size()) > kMaxTextKey) p.mTextKey.resize(static_cast<size_t>(kMaxTextKey));
  p.mScreens[0] = IntValue(FindUpper(page, "scr1"));
  p.mScreens[1] = IntValue(FindUpper(page, "scr2"));
  p.mScreens[2] = IntValue(FindUpper(page, "scr3"));
  std::vector<std::wstring> parts;
  size_t from = 0;
  for (;;) {
    const size_t dash = p.mTextKey.find(L'-', from);
    parts.push_back(p.mTextKey.substr(from, dash == std::wstring::npos ? std::wstring::npos : dash - from));
    if (dash == std::wstring::npos) break;
    from = dash + 1;
  }
  auto number = [](const std::wstring& s) { return static_cast<int>(std::wcstol(s.c_str(), nullptr, 10)); };
  if (parts.size() == 1) {
    p.mScreens[0] = number(parts[0]);
  } else if (parts.size() == 2) {
    // A range fills the three places at most.
    const int a = number(parts[0]), b = number(parts[1]);
    for (int n = a, j = 0; n <= b && j < 3; ++n, ++j) p.mScreens[static_cast<size_t>(j)] = n;
  }
  return p;
}

void CExtrasMenu::LoadPictures(std::vector<SExtrasPicture>& pictures, int count, const wchar_t* prefix) {
  for (int i = 1; i <= count; ++i) {
    SExtrasPicture& p = pictures[static_cast<size_t>(i - 1)];
    const std::wstring name = Platform::FormatWide(L"%s%i", prefix, i);
    p.mSmall = LoadOrNothing<rovovoz::CStaticObject3D>(GetCore(), kModels, name, 8, false);
    p.mBig = LoadOrNothing<rovovoz::CStaticObject3D>(GetCore(), kModels, name + L"_big", 8, false);
    p.mTrigger = LoadOrNothing<rovovoz::CTriangleObject3D>(GetCore(), kTriggers, name + L"_T", 8, true);
  }
}

int32_t CExtrasMenu::LoadProperty(const TiXmlElement* element, int index, uint32_t flags) {
  const int32_t result = CMenuFrame::LoadProperty(element, index, flags);
  mTitle = Child(L"Title");
  mHeading = Child(L"L_textZagolovok");
  mCloseButton = Child(L"BClose");
  mCloseSmallButton = Child(L"BCloseSmall");
  mBackground = Child(L"BFon");
  mTitlePlate = Child(L"Podlojka_title");
  mConceptBack = Child(L"Concept_back");
  mGuideBack = Child(L"Guide_back");
  mWallpapersBack = Child(L"Wallpapers_back");
  mWindowDark = Child(L"Window_dark");
  mTabButtons[0] = Child(L"B1");
  mTabButtons[1] = gAppConfig.IsGuideOn() ? Child(L"B2") : nullptr;
  mTabButtons[2] = Child(L"B3");
  if (!gAppConfig.IsGuideOn()) {
    if (mTabButtons[0]) mTabButtons[0]->AddPositionX3D(100.0f);
    if (mTabButtons[2]) mTabButtons[2]->AddPositionX3D(-100.0f);
  }
  for (int i = 0; i < kChapterCount; ++i) mChapterButtons[static_cast<size_t>(i)] = Child(kChapterNames[i]);
  for (int i = 1; i <= mWallpaperCount; ++i) {
    mWallpaperButtons1024[static_cast<size_t>(i - 1)] =
        GetChild(Platform::FormatWide(L"L_wallpaper%i_1024x768", i));
    mWallpaperButtons1280[static_cast<size_t>(i - 1)] =
        GetChild(Platform::FormatWide(L"L_wallpaper%i_1280x800", i));
  }
  mLeftButton = Child(L"BLeft");
  mRightButton = Child(L"BRight");
  mHomeButton = Child(L"BHome");
  mPagePlate = Child(L"BFonPage");
  mPageNumber = Child(L"LNomer");
  mGuideText = Child(L"LGuideText");
  mShowState = 0;

  LoadPictures(mConcepts, mConceptCount, L"ST_concept");
  LoadPictures(mWallpapers, mWallpaperCount, L"ST_wallpaper");

  mPages.clear();
  if (element)
    for (const TiXmlElement* page = IterateChildrenElementUpper(element, "Page", nullptr); page;
         page = IterateChildrenElementUpper(element, "Page", page))
      mPages.push_back(ReadPage(page));
  mPageCount = static_cast<int>(mPages.size());

  // The guide's page view cannot do without these; a form without them
  // shows the guide's contents only.
  mGuideWidgetsOk = mLeftButton && mRightButton && mHomeButton && mPagePlate && mPageNumber && mGuideText;
  if (gAppConfig.IsGuideOn() && !mGuideWidgetsOk)
    gamelog::Error(kSource, __LINE__, L"Extras menu: the guide's page widgets are missing in %s.", GetFileName().c_str());
  if (gAppConfig.IsGuideOn() && mPages.empty())
    gamelog::Warning(kSource, __LINE__, L"Extras menu: the guide has no pages in %s.", GetFileName().c_str());

  for (int j = 1; j <= 3; ++j) {
    const std::wstring name = Platform::FormatWide(L"Screen_small_0%i", j);
    mScreenSmall[static_cast<size_t>(j - 1)] = LoadOrNothing<rovovoz::CStaticObject3D>(GetCore(), kModels, name, 9, false);
    mScreenTriggers[static_cast<size_t>(j - 1)] =
        LoadOrNothing<rovovoz::CTriangleObject3D>(GetCore(), kTriggers, name + L"_T", 9, true);
  }
  mScreenBig = LoadOrNothing<rovovoz::CStaticObject3D>(GetCore(), kModels, L"Screen_big", 9, false);
  for (size_t j = 0; j < 3; ++j)
    if (mScreenSmall[j]) mScreenHome[j] = mScreenSmall[j]->GetPosition3D();
  if (mScreenBig) mScreenBigHome = mScreenBig->GetPosition3D();
  SetVisible(0);
  return result;
}

void CExtrasMenu::SetPicturesLoaded(std::vector<SExtrasPicture>& pictures, bool loaded) {
  for (SExtrasPicture& p : pictures) {
    if (p.mSmall) loaded ? p.mSmall->Load(3) : p.mSmall->UnLoad(3);
    if (p.mTrigger) loaded ? p.mTrigger->Load(3) : p.mTrigger->UnLoad(3);
  }
}

int CExtrasMenu::Open(int mode) {
  mPageCount = static_cast<int>(mPages.size());
  rovovoz::CGUIBaseObject* bonus = mChapterButtons[kBonusChapter];
  if (!GameFinished()) {
    mPageCount = kStoryPages;
    if (bonus) bonus->SetAlpha(0.5f);
  } else if (bonus) {
    bonus->SetAlpha(1.0f);
  }
  mOpenMode = mode;
  SetVisible(1);
  CMenuFrame::Open();
  if (mTitle && mTabButtons[1]) mTitle->SetText(mTabButtons[1]->GetText());
  mTab = kTabGuide;
  if (!gAppConfig.IsGuideOn()) {
    mTab = kTabConcepts;
    SetPicturesLoaded(mConcepts, true);
  }
  mConcept.selected = mWallpaper.selected = -1;
  mConcept.closing = mWallpaper.closing = 0;
  mConcept.zoom = mWallpaper.zoom = 0.0f;
  LoadGuidePage();
  UpdateShowAnimation(0.0f);
  return 1;
}

int CExtrasMenu::UpdateShowAnimation(float dt) {
  const int state = CMenuFrame::UpdateShowAnimation(dt);
  mAlpha = GetAlpha();
  if (rovovoz::CGUIBaseObject* bonus = mChapterButtons[kBonusChapter])
    bonus->SetAlpha(GameFinished() ? mAlpha : mAlpha * 0.5f);
  return state;
}

void CExtrasMenu::OnClosed() {
  SetPicturesLoaded(mConcepts, false);
  SetPicturesLoaded(mWallpapers, false);
}

bool CExtrasMenu::LeftReleased() const {
  zuzorev::CInputSystem* input = GetCore() ? GetCore()->GetInput() : nullptr;
  return input && input->IsButton(0, zuzorev::kInputUp);
}

bool CExtrasMenu::LeftPressed() const {
  zuzorev::CInputSystem* input = GetCore() ? GetCore()->GetInput() : nullptr;
  return input && input->IsButton(0, zuzorev::kInputDown);
}

void CExtrasMenu::SelectTab(int tab, rovovoz::CGUIBaseObject* button) {
  if (mTitle) mTitle->SetText(button->GetText());
  mTab = tab;
  if (tab == kTabConcepts) {
    SetPicturesLoaded(mConcepts, true);
    mConcept.selected = -1;
    mConcept.zoom = 0.0f;
  }
  if (tab == kTabWallpapers) {
    SetPicturesLoaded(mWallpapers, true);
    mWallpaper.selected = -1;
  }
}

int32_t CExtrasMenu::Update(float dt, rovovoz::CMouseCursor* cursor) {
  if (!GetVisible()) return 0;
  if (mShowState != 0) {
    UpdateShowAnimation(dt);
    return 0;
  }
  if (gWallpaperMenu && gWallpaperMenu->GetVisible()) {
    gWallpaperMenu->Update(dt, cursor);
    return 0;
  }
  const bool nothingEnlarged = mConcept.selected == -1 && mWallpaper.selected == -1 && mScreenZoomState == 0;
  if (mOpenMode == 0 && nothingEnlarged)
    for (int t = 0; t < 3; ++t)
      if (ui::UpdateAndClick(mTabButtons[static_cast<size_t>(t)], dt, cursor))
        SelectTab(t + 1, mTabButtons[static_cast<size_t>(t)]);
  if (nothingEnlarged && mConcept.zoom < 0.001f && mWallpaper.zoom < 0.001f &&
      ui::UpdateAndClick(mCloseButton, dt, cursor)) {
    Close();
    return 0;
  }
  if (mTab == kTabConcepts) UpdateGallery(mConcept, dt, cursor);
  if (mTab == kTabGuide) UpdateGuide(dt, cursor);
  if (mTab == kTabWallpapers) {
    UpdateGallery(mWallpaper, dt, cursor);
    UpdateWallpaperButtons(dt, cursor);
  }
  return 0;
}

void CExtrasMenu::UpdateGallery(SGallery& g, float dt, rovovoz::CMouseCursor* cursor) {
  std::vector<SExtrasPicture>& pictures = *g.pictures;
  if (g.selected != -1 || g.zoom >= 0.001f) {
    g.zoom = std::min(g.zoom + dt, 1.0f);
    if (g.zoom > 0.95f && mCloseSmallButton) {
      if (ui::UpdateAndClick(mCloseSmallButton, dt, cursor)) {
        g.closing = 1;
        g.zoom = 0.5f;
      } else if (LeftReleased()) {
        ShowNext(g);
      }
    }
  } else {
    int hovered = -1;
    for (SExtrasPicture& p : pictures) p.mHovered = 0;
    if (cursor)
      for (size_t i = 0; i < pictures.size(); ++i)
        if (pictures[i].mTrigger && pictures[i].mTrigger->PickOrthoPointY(cursor->GetPosition3D()))
          hovered = static_cast<int>(i);
    if (hovered >= 0) pictures[static_cast<size_t>(hovered)].mHovered = 1;
    for (SExtrasPicture& p : pictures)
      p.mHighlight = std::clamp(p.mHighlight + (p.mHovered ? 4.0f : -4.0f) * dt, 0.0f, 1.0f);
    if (hovered >= 0 && LeftReleased()) {
      g.zoom = 0.0f;
      g.selected = hovered;
      if (auto& big = pictures[static_cast<size_t>(hovered)].mBig) big->Load(3);
      if (mCloseSmallButton) mCloseSmallButton->ClearState();
    }
  }
  if (g.closing) {
    g.zoom -= 2.0f * dt;
    if (g.zoom < 0.0f) {
      if (g.selected >= 0)
        if (auto& big = pictures[static_cast<size_t>(g.selected)].mBig) big->UnLoad(3);
      g.closing = 0;
      g.zoom = 0.0f;
      g.selected = -1;
    }
  }
}

void CExtrasMenu::ShowNext(SGallery& g) {
  std::vector<SExtrasPicture>& pictures = *g.pictures;
  if (g.selected < 0 || pictures.empty()) return;
  if (auto& big = pictures[static_cast<size_t>(g.selected)].mBig) big->UnLoad(3);
  g.selected = (g.selected + 1) % static_cast<int>(pictures.size());
  if (auto& big = pictures[static_cast<size_t>(g.selected)].mBig) big->Load(3);
}

void CExtrasMenu::ShowNextConcept() { ShowNext(mConcept); }
void CExtrasMenu::ShowNextWallpaper() { ShowNext(mWallpaper); }

void CExtrasMenu::UpdateWallpaperButtons(float dt, rovovoz::CMouseCursor* cursor) {
  if (mWallpaper.selected != -1 || mWallpaper.zoom >= 0.001f) return;
  for (int i = 1; i <= mWallpaperCount; ++i) {
    const size_t k = static_cast<size_t>(i - 1);
    for (int size = 0; size < 2; ++size) {
      rovovoz::CGUIBaseObject* button = size == 0 ? mWallpaperButtons1024[k] : mWallpaperButtons1280[k];
      if (!ui::UpdateAndClick(button, dt, cursor)) continue;
      const std::wstring name = Platform::FormatWide(
          size == 0 ? L"DataLoc\\Wallpapers\\LHT60_wallpaper%i_1024x768.jpg"
                    : L"DataLoc\\Wallpapers\\LHT60_wallpaper%i_1280x800.jpg",
          i);
      // The desktop reads the picture itself: it needs the file's own place
      // on disk (found whatever the letter case of its name).
      const std::filesystem::path file = zorfile::GetFileSystem() ? zorfile::GetFileSystem()->ResolveOnDisk(name) : std::filesystem::path();
      SetDesktopWallpaper(file.empty() ? std::wstring() : file.wstring(), 0, false);
    }
  }
}

void CExtrasMenu::SetDesktopWallpaper(const std::wstring& path, int style, bool quiet) {
  const bool fullScreen = GetCore() && GetCore()->GetWindow() && GetCore()->GetWindow()->IsFullScreen();
  if (quiet || !fullScreen) {
    const Platform::EWallpaperStyle s = style == 1   ? Platform::EWallpaperStyle::Tile
                                        : style == 2 ? Platform::EWallpaperStyle::Center
                                                     : Platform::EWallpaperStyle::Stretch;
    Platform::CWallpaperService& service = mWallpaperService ? *mWallpaperService : Platform::DesktopWallpaper();
    if (path.empty() || !service.SetWallpaper(path, s))
      gamelog::Warning(kSource, __LINE__, L"Wallpaper %s not set: this desktop offers no way to set it.", path.c_str());
    if (quiet) return;
  }
  if (gWallpaperMenu) gWallpaperMenu->Open();
}

int32_t CExtrasMenu::Render() {
  if (!GetVisible()) return 0;
  Draw(mBackground);
  Draw(mTab == kTabConcepts ? mConceptBack : mTab == kTabGuide ? mGuideBack : mWallpapersBack);
  Draw(mTitlePlate);
  Draw(mTitle);
  if (mOpenMode == 0)
    for (rovovoz::CGUIBaseObject* b : mTabButtons) Draw(b);
  Draw(mCloseButton);
  if (mTab == kTabConcepts) RenderGallery(mConcept);
  if (mTab == kTabGuide) RenderGuide();
  if (mTab == kTabWallpapers) {
    Draw(mHeading);
    for (int i = 0; i < mWallpaperCount; ++i) {
      Draw(mWallpaperButtons1024[static_cast<size_t>(i)]);
      Draw(mWallpaperButtons1280[static_cast<size_t>(i)]);
    }
    RenderGallery(mWallpaper);
  }
  if (gWallpaperMenu && gWallpaperMenu->GetVisible()) gWallpaperMenu->Render();
  return 0;
}

void CExtrasMenu::RenderGallery(const SGallery& g) {
  const float a = mAlpha;
  const std::vector<SExtrasPicture>& pictures = *g.pictures;
  for (int pass = 0; pass < 2; ++pass)
    for (const SExtrasPicture& p : pictures) {
      if (!p.mSmall || p.mHovered != pass) continue;
      const float h = p.mHighlight;
      p.mSmall->RenderShadow(15.0f * h, -15.0f * h, 0.5f * a);
      p.mSmall->SetAlpha(a);
      p.mSmall->Render();
      p.mSmall->RenderAsOverlay(0.2f * h * a);
    }
  if (g.selected < 0 || g.zoom <= 0.001f) return;
  const SExtrasPicture& p = pictures[static_cast<size_t>(g.selected)];
  if (!p.mBig) return;
  const float e = std::min(2.0f * g.zoom, 1.0f);
  if (mWindowDark) {
    mWindowDark->SetAlpha(e);
    mWindowDark->Render();
  }
  p.mBig->SetAlpha(e);
  const zormath::Vec3f home = p.mBig->GetPosition3D();
  if (p.mSmall) p.mBig->SetPosition3D(p.mSmall->GetPosition3D() * (1.0f - e) + home * e);
  p.mBig->SetScaleX(e);
  p.mBig->SetScaleZ(e);
  p.mBig->Render();
  p.mBig->SetPosition3D(home);
  if (mCloseSmallButton) {
    mCloseSmallButton->SetAlpha(std::max(0.0f, 2.0f * (g.zoom - 0.5f)));
    mCloseSmallButton->Render();
  }
}
