#pragma once
// A text on the screen: its text stands centred on the label's point (or
// aligned in its box), in its font and colour, optionally over a look.
// Besides the whole text a label can draw one character of it where that
// character stands in the whole text (letters flying one by one).
//
// Element: Text / NameText, the text attributes of CGUIText, and a look
// (Image / Fill / NameModel) drawn under the text.
#include "Engine/rovovoz/GUITextWidget.h"

namespace rovovoz {

class CGUILabel : public CGUITextWidget {
 public:
  explicit CGUILabel(CGameCore* core, CGUIBaseObject* parent = nullptr);

  void SetText(const std::wstring& text) override;
  // Shows a whole number.
  void SetInt(int value);
  void SetColor(uint32_t argb) { mStyle.mColor = argb; }
  uint32_t GetColor() const { return mStyle.mColor; }
  // Size of the current text in virtual pixels (its widest line, and all
  // its lines); 0 without a font.
  int GetTextWidth() const;
  int GetTextHeight() const;
  // Draws only character `index` of the text (whether visible or not).
  int32_t RenderChar(size_t index);

 protected:
  bool LoadWidget(const TiXmlElement* element) override;
  const CGUILook* PrimaryLook() const override { return &mLook; }
  void DrawSelf() override;

 private:
  CGUILook mLook;
};

}  // namespace rovovoz
