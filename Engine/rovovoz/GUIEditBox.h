#pragma once
// A one-line text field. While it has the keyboard focus it takes the text
// the player types (SDL text input, collected by the input system each
// frame) and Backspace; a click on it gives it the focus. At most one edit
// box has the focus at a time.
//
// Element: Text / NameText (the first text), MaxLength (characters, default
// 32), Exclude (characters never taken, e.g. those a file name cannot hold),
// the text attributes of CGUIText (Align defaults to left) and a look
// (Image / Fill / NameModel) under the text.
#include "Engine/rovovoz/GUITextWidget.h"

namespace rovovoz {

class CGUIEditBox : public CGUITextWidget {
 public:
  explicit CGUIEditBox(CGameCore* core, CGUIBaseObject* parent = nullptr);
  ~CGUIEditBox() override;

  void SetText(const std::wstring& text) override;
  void SetFocus(bool focus);
  bool GetFocus() const { return sFocused == this; }
  // The edit box that has the keyboard focus (null: none).
  static CGUIEditBox* GetFocused() { return sFocused; }
  size_t GetMaxLength() const { return mMaxLength; }
  // Takes this frame's typed text and Backspace when the box has the focus
  // (its own update does; a form that is still opening calls it so that
  // what the player types at once is not lost).
  void TakeTypedText();

  // Gives up the keyboard focus first.
  int32_t Release(uint32_t flags = 0) override;

 protected:
  bool LoadWidget(const TiXmlElement* element) override;
  const CGUILook* PrimaryLook() const override { return &mLook; }
  void UpdateSelf(float dt, CMouseCursor* cursor) override;
  void DrawSelf() override;

 private:
  bool Accepts(wchar_t c) const;

  static CGUIEditBox* sFocused;
  CGUILook mLook;
  size_t mMaxLength = 32;
  std::wstring mExclude;
  float mBlink = 0.0f;
};

}  // namespace rovovoz
