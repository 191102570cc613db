#pragma once
// The credits: pages of names turned with two buttons. The form file's
// "Pages" element gives two fonts and every page line by line; the screen
// lays the lines out in the rectangles of four marker widgets and draws
// them itself, while logos are widgets of the form shown on their page.
#include <string>
#include <vector>

#include "Engine/rovovoz/TextManager.h"
#include "Engine/zuzorev/Font.h"
#include "Interface/MenuFrame.h"

class CCreditsMenu : public CMenuFrame {
 public:
  enum : int { kTitle, kText, kTextLeft, kTextRight, kLogo, kTextLogo, kEmptyLine, kDisiners };

  struct SLine {
    int kind = kText;
    rovovoz::CGUIBaseObject* object = nullptr;  // the logo widget (owned by the form)
    float left = 0, top = 0, right = 0, bottom = 0, width = 0, height = 0, scaleX = 1.0f, scaleY = 1.0f;
    std::wstring text;
  };

  CCreditsMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent);

  // Places the lines of every page in the marker rectangles.
  virtual void LayoutPage();
  // Hides the logos of the old page and shows those of the new one.
  virtual void ShowPage(int from, int to);
  virtual void NextPage();
  virtual void PrevPage();
  // Always opens on page 0.
  int Open() override;

  int32_t LoadProperty(const TiXmlElement* element, int index, uint32_t flags) override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Render() override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t ReInit() override;

  int GetPage() const { return mPage; }
  const std::vector<std::vector<SLine>>& GetPages() const { return mPages; }

  // A font description: the engine's defaults for what the element leaves
  // out, except the name and the size.
  static void LoadFontDesc(const TiXmlElement* element, rovovoz::SInitInfoFont& desc);

 protected:
  void Cancel() override;
  void LoadFont(zuzorev::CFont& font, const TiXmlElement* element);

  zuzorev::CFont mTitleFont, mTextFont;
  std::vector<std::vector<SLine>> mPages;
  int mPage = 0;
  float mTextStep = -5.0f;
  float mEmptyLineStep = 20.0f;
  rovovoz::CGUIBaseObject* mNextButton = nullptr;
  rovovoz::CGUIBaseObject* mPrevButton = nullptr;
};

// Made and owned by the game object.
extern CCreditsMenu* gCreditsMenu;
