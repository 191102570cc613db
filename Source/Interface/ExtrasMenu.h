#pragma once
// The extras: three tabs behind one window — a gallery of concept art, a
// guide of numbered pages with up to three screenshots each, and a gallery
// of wallpapers the player may set as the desktop's. Opened from the main
// menu once the game is finished (mode 0), or over the running game for
// the guide (mode 1, without tab buttons). The window only fades; the
// pictures' textures are held only while their tab is shown.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "Engine/zuzorev/Texture.h"
#include "Interface/MenuFrame.h"

namespace rovovoz {
class CTriangleObject3D;
}
namespace Platform {
class CWallpaperService;
}

struct SGuidePage {
  // The page's text key in "k_guide" (at most 49 characters; longer keys
  // are cut).
  std::wstring mTextKey;
  // Screenshot numbers of the three places ("scr%.3d.jpg"); 0 leaves a
  // place empty.
  std::array<int, 3> mScreens{0, 0, 0};
};

struct SExtrasPicture {
  float mHighlight = 0.0f;
  std::unique_ptr<rovovoz::CStaticObject3D> mSmall, mBig;
  std::unique_ptr<rovovoz::CTriangleObject3D> mTrigger;
  int mHovered = 0;
};

class CExtrasMenu : public CMenuFrame {
 public:
  enum : int { kTabConcepts = 1, kTabGuide = 2, kTabWallpapers = 3 };
  static constexpr int kMaxTextKey = 49;
  // Pages a player who has not finished the game may turn through.
  static constexpr int kStoryPages = 88;
  static constexpr int kChapterCount = 9;
  static const int kChapterPages[kChapterCount];

  CExtrasMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent);
  ~CExtrasMenu() override;

  using CMenuFrame::Open;
  // mode 0 from the main menu, 1 over the running game. 1.
  virtual int Open(int mode);
  int UpdateShowAnimation(float dt) override;

  int32_t LoadProperty(const TiXmlElement* element, int index, uint32_t flags) override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Render() override;
  int32_t Release(uint32_t flags = 0) override;

  // Shows page mPage: its number, text and screenshots.
  void LoadGuidePage();
  void ShowNextConcept();
  void ShowNextWallpaper();
  void UpdateGuide(float dt, rovovoz::CMouseCursor* cursor);
  void RenderGuide();
  // Sets the desktop wallpaper (style 0 stretched, 1 tiled, 2 centred);
  // unless quiet, not in full screen, and the notice opens either way.
  void SetDesktopWallpaper(const std::wstring& path, int style, bool quiet);

  // Reads one "Page" element.
  static SGuidePage ReadPage(const TiXmlElement* page);

  // The service that changes the desktop (null: the platform's own).
  void SetWallpaperService(Platform::CWallpaperService* service) { mWallpaperService = service; }

  int GetTab() const { return mTab; }
  int GetOpenMode() const { return mOpenMode; }
  int GetPage() const { return mPage; }
  int GetPageCount() const { return mPageCount; }
  int IsGuideContents() const { return mGuideContents; }
  bool HasGuidePageWidgets() const { return mGuideWidgetsOk; }
  const std::vector<SGuidePage>& GetPages() const { return mPages; }
  const std::vector<SExtrasPicture>& GetConcepts() const { return mConcepts; }
  const std::vector<SExtrasPicture>& GetWallpapers() const { return mWallpapers; }
  int GetSelectedConcept() const { return mConcept.selected; }
  float GetConceptZoom() const { return mConcept.zoom; }
  int GetSelectedWallpaper() const { return mWallpaper.selected; }
  int GetScreenZoomState() const { return mScreenZoomState; }
  float GetAlphaNow() const { return mAlpha; }

 protected:
  struct SGallery {
    std::vector<SExtrasPicture>* pictures = nullptr;
    int selected = -1;
    int closing = 0;
    float zoom = 0.0f;
  };

  void OnClosed() override;
  void LoadPictures(std::vector<SExtrasPicture>& pictures, int count, const wchar_t* prefix);
  static void SetPicturesLoaded(std::vector<SExtrasPicture>& pictures, bool loaded);
  void UpdateGallery(SGallery& gallery, float dt, rovovoz::CMouseCursor* cursor);
  void RenderGallery(const SGallery& gallery);
  void ShowNext(SGallery& gallery);
  void UpdateWallpaperButtons(float dt, rovovoz::CMouseCursor* cursor);
  void SelectTab(int tab, rovovoz::CGUIBaseObject* button);
  // The index the arrows and chapter buttons may reach: below mPageCount
  // and inside the page list.
  int LastPage() const;
  // The left button came up / went down in this frame.
  bool LeftReleased() const;
  bool LeftPressed() const;
  rovovoz::CGUIBaseObject* Child(const wchar_t* name) const { return GetChild(name); }

  int mOpenMode = 0;
  float mAlpha = 1.0f;
  int mTab = kTabGuide;
  rovovoz::CGUIBaseObject *mTitle = nullptr, *mHeading = nullptr, *mCloseButton = nullptr,
                         *mCloseSmallButton = nullptr, *mBackground = nullptr, *mTitlePlate = nullptr,
                         *mConceptBack = nullptr, *mGuideBack = nullptr, *mWallpapersBack = nullptr,
                         *mWindowDark = nullptr;
  std::array<rovovoz::CGUIBaseObject*, 3> mTabButtons{};
  std::array<rovovoz::CGUIBaseObject*, kChapterCount> mChapterButtons{};
  int mConceptCount = 13;
  std::vector<SExtrasPicture> mConcepts;
  SGallery mConcept;
  int mWallpaperCount = 9;
  std::vector<SExtrasPicture> mWallpapers;
  SGallery mWallpaper;
  std::array<rovovoz::CGUIBaseObject*, 20> mWallpaperButtons1024{}, mWallpaperButtons1280{};
  int mGuideContents = 1;
  rovovoz::CGUIBaseObject *mLeftButton = nullptr, *mRightButton = nullptr, *mHomeButton = nullptr,
                         *mPagePlate = nullptr, *mPageNumber = nullptr, *mGuideText = nullptr;
  bool mGuideWidgetsOk = false;
  int mPage = 0;
  int mPageCount = 10;
  std::vector<SGuidePage> mPages;
  std::array<zuzorev::CTexture, 3> mScreenTextures;
  std::array<std::unique_ptr<rovovoz::CStaticObject3D>, 3> mScreenSmall;
  std::array<std::unique_ptr<rovovoz::CTriangleObject3D>, 3> mScreenTriggers;
  std::unique_ptr<rovovoz::CStaticObject3D> mScreenBig;
  std::array<zormath::Vec3f, 3> mScreenHome{};
  zormath::Vec3f mScreenBigHome{};
  std::array<int, 3> mScreenHovered{};
  std::array<float, 3> mScreenHighlight{};
  int mScreenZoomState = 0;
  float mScreenZoom = 0.0f;
  Platform::CWallpaperService* mWallpaperService = nullptr;
};

// Made and owned by the game object.
extern CExtrasMenu* gExtrasMenu;
