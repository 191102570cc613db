#pragma once
// A check box: a click ticks or clears it and calls its command; a click
// while it is disabled changes nothing and calls its disabled-click command
// (the game explains why the choice is locked).
//
// Element: Check (1 ticked at load), Command, CommandDisable, Text /
// NameText (caption) with the text attributes of CGUIText, and the looks
// Image / Fill / NameModel with the suffixes "" (clear), "Check" (ticked),
// "Disable" and "CheckDisable" (a missing disabled look falls back to the
// enabled one).
#include "Engine/rovovoz/GUITextWidget.h"

namespace rovovoz {

class CGUICheckBox : public CGUITextWidget {
 public:
  explicit CGUICheckBox(CGameCore* core, CGUIBaseObject* parent = nullptr);

  void SetCheck(int check) { mCheck = check != 0; }
  int GetCheck() const { return mCheck ? 1 : 0; }
  void SetEnable(int enable) override;

 protected:
  bool LoadWidget(const TiXmlElement* element) override;
  const CGUILook* PrimaryLook() const override { return &mLooks[0]; }
  void UpdateSelf(float dt, CMouseCursor* cursor) override;
  void RunCommand() override;
  void DrawSelf() override;

 private:
  enum { kClear, kTicked, kClearDisable, kTickedDisable, kLooks };
  CGUILook mLooks[kLooks];
  bool mCheck = false;
  std::wstring mCommand, mCommandDisable;
  bool mFire = false, mFireDisable = false;
};

}  // namespace rovovoz
