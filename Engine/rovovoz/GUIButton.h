#pragma once
// A push button: a look for each state (normal, pointer over, pressed,
// disabled; a missing one falls back to the normal look), a caption, and a
// command. A click (pressed and released on the button) sets the click
// event bits; when the button sits in a form, the form's update then calls
// its command by name through the core's command registry.
//
// Element: Command, Text / NameText (caption), the text attributes of
// CGUIText (with ColorOver and ColorDisable for the caption), and the looks
// Image / Fill / NameModel with the suffixes "", "Over", "Press", "Disable".
#include "Engine/rovovoz/GUITextWidget.h"

namespace rovovoz {

class CGUIButton : public CGUITextWidget {
 public:
  explicit CGUIButton(CGameCore* core, CGUIBaseObject* parent = nullptr);

  const std::wstring& GetCommand() const { return mCommand; }
  void SetCommand(const std::wstring& command) { mCommand = command; }
  void SetEnable(int enable) override;

 protected:
  bool LoadWidget(const TiXmlElement* element) override;
  const CGUILook* PrimaryLook() const override { return &mStateLooks[0]; }
  void UpdateSelf(float dt, CMouseCursor* cursor) override;
  void RunCommand() override;
  void DrawSelf() override;

 private:
  enum { kNormal, kOver, kPress, kDisable, kLooks };
  CGUILook mStateLooks[kLooks];
  uint32_t mColorOver = 0, mColorDisable = 0;
  bool mHasColorOver = false, mHasColorDisable = false;
  std::wstring mCommand;
};

}  // namespace rovovoz
